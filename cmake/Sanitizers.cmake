# Sanitizer builds are for finding faults, not for speed: -O1 with line tables only compiles
# in about half the time of -O2 -g and still gives every report its file and line.
if(NOT FRETLO_SANITIZE STREQUAL "")
  set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O1 -g1 -DNDEBUG")
endif()
if(FRETLO_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(FRETLO_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT FRETLO_SANITIZE STREQUAL "")
  message(FATAL_ERROR "FRETLO_SANITIZE must be empty, 'address' or 'thread'")
endif()
