# Writes OUT: the install stamp, the time of the installation as 8 bytes, little-endian, in
# 100 ns steps since 1601-01-01 (the form the program compares with the user's last copy).
string(TIMESTAMP seconds "%s" UTC)
math(EXPR steps "(${seconds} + 11644473600) * 10000000")
set(escaped "")
foreach(i RANGE 7)
  math(EXPR byte "(${steps} >> (8 * ${i})) & 255")
  math(EXPR high "${byte} / 64")
  math(EXPR middle "(${byte} / 8) % 8")
  math(EXPR low "${byte} % 8")
  string(APPEND escaped "\\${high}${middle}${low}")
endforeach()
get_filename_component(folder "${OUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
# CMake strings cannot hold a zero byte: printf writes them.
execute_process(COMMAND printf "${escaped}" OUTPUT_FILE "${OUT}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Could not write the install stamp ${OUT}")
endif()
