# vantric-solve.exe --rate gives the grader's rating of every puzzle of the
# rated bank, and the same rating fields as the native build beside it when
# there is one; run as a ctest script.
file(STRINGS ${RATED} records)
set(input "")
set(ratings "")
foreach(record IN LISTS records)
  if(record MATCHES "^[0-9a-f]+ ([0-9]+) +([0-9]+\\.[0-9])")
    string(APPEND input "${CMAKE_MATCH_1}\n")
    list(APPEND ratings ${CMAKE_MATCH_2})
  endif()
endforeach()
file(WRITE ${WORK_DIR}/rate_input.txt "${input}")

execute_process(COMMAND ${EMULATOR} ${SOLVE} --rate --jobs 2 ${WORK_DIR}/rate_input.txt
                OUTPUT_VARIABLE output RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vantric-solve --rate ended with ${status}")
endif()
# The rating fields alone: the last two of each line.
string(REGEX REPLACE "[^\n]* ([^ \n]+ [^ \r\n]+)\r?\n" "\\1\n" fields "${output}")
file(WRITE ${WORK_DIR}/rate_windows.txt "${fields}")
string(REGEX MATCHALL "[^\n]+" lines "${fields}")
list(LENGTH lines count)
list(LENGTH ratings expected)
if(NOT count EQUAL expected)
  message(FATAL_ERROR "${count} lines for ${expected} puzzles: see ${WORK_DIR}/rate_windows.txt")
endif()
foreach(line rating IN ZIP_LISTS lines ratings)
  if(NOT line MATCHES "^${rating} ")
    message(FATAL_ERROR "rated '${line}' where the grader gives ${rating}")
  endif()
endforeach()

if(NOT EXISTS ${NATIVE})
  message(STATUS "no native vantric-solve at ${NATIVE}: the names were not compared")
  return()
endif()
execute_process(COMMAND ${NATIVE} --rate --jobs 2 ${WORK_DIR}/rate_input.txt
                OUTPUT_VARIABLE native RESULT_VARIABLE status)
string(REGEX REPLACE "[^\n]* ([^ \n]+ [^ \r\n]+)\r?\n" "\\1\n" native "${native}")
if(NOT status EQUAL 0 OR NOT native STREQUAL fields)
  file(WRITE ${WORK_DIR}/rate_native.txt "${native}")
  message(FATAL_ERROR "the rating fields differ from the native build's: compare "
                      "${WORK_DIR}/rate_windows.txt and ${WORK_DIR}/rate_native.txt")
endif()
