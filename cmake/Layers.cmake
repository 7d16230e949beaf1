# The layers of the program: every folder under src/ builds one target, which names the
# targets of the layers below it that it uses. A file may include headers of its own folder
# and of the folders its target uses, directly or through them; any other include fails
# the build. Headers of outside libraries (Qt, FluidSynth, RtMidi, ALSA, zlib) are allowed
# only in the targets that name them in HEADERS.
#
#   fretlo_library(<target> [USES <target>...] [HEADERS <kind>...] [LINKS <lib>...] SOURCES <file>...)
#   fretlo_program(<target> [USES <target>...] [HEADERS <kind>...] [LINKS <lib>...] SOURCES <file>...)
#
# HEADERS kinds: Qt, fluidsynth, rtmidi, alsa, zlib.

set(FRETLO_LAYER_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/CheckLayers.cmake")

function(_fretlo_layer target)
  cmake_parse_arguments(ARG "" "" "USES;HEADERS;LINKS;SOURCES" ${ARGN})
  file(RELATIVE_PATH folder "${CMAKE_SOURCE_DIR}/src" "${CMAKE_CURRENT_SOURCE_DIR}")
  set(folders "${folder}")
  foreach(used IN LISTS ARG_USES)
    get_target_property(below ${used} FRETLO_LAYER_FOLDERS)
    if(NOT below)
      message(FATAL_ERROR "${target} uses ${used}, which is not a layer defined before it")
    endif()
    list(APPEND folders ${below})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set_target_properties(${target} PROPERTIES FRETLO_LAYER_FOLDERS "${folders}")

  target_link_libraries(${target} PUBLIC ${ARG_USES} PRIVATE ${ARG_LINKS})
  fretlo_warnings(${target})

  file(GLOB checked CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h" "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}.layers")
  string(REPLACE ";" "," folder_arg "${folders}")
  string(REPLACE ";" "," header_arg "${ARG_HEADERS}")
  add_custom_command(
    OUTPUT "${stamp}"
    COMMAND ${CMAKE_COMMAND} "-DFOLDER=${CMAKE_CURRENT_SOURCE_DIR}" "-DNAME=${folder}" "-DALLOWED=${folder_arg}"
            "-DHEADERS=${header_arg}" "-DSTAMP=${stamp}" -P "${FRETLO_LAYER_SCRIPT}"
    DEPENDS ${checked} "${FRETLO_LAYER_SCRIPT}"
    COMMENT "Checking the includes of src/${folder}"
    VERBATIM)
  target_sources(${target} PRIVATE "${stamp}")
endfunction()

function(fretlo_library target)
  cmake_parse_arguments(ARG "" "" "USES;HEADERS;LINKS;SOURCES" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  _fretlo_layer(${target} ${ARGN})
endfunction()

function(fretlo_program target)
  cmake_parse_arguments(ARG "" "" "USES;HEADERS;LINKS;SOURCES" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  _fretlo_layer(${target} ${ARGN})
endfunction()
