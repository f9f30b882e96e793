# vantric-solve.exe on two threads prints what it prints on one, but for the
# SECONDS field, with its messages at their place, also when the second
# thread cannot start; run as a ctest script.
set(lines
    ".7...9..2.2.7....9.8..4.63..6...52...1..7..9...2.61.8..96.8..7.8....7.2.1..9...6."
    "030004801800070300060300900009200700070609030006050400002007010003020004107400090"
    ".................1.....2.3......3.2...1.4......5....6..3......4.7..8...962...7..."
    "1................1.....2.3......3.2...1.4......5....6..3......4.7..8...962...7..."
    "55..............................................................................."
    "12345"
    "# 5...1..7.2...945.88.16....99...35.647..1....363.4....53....12.61.586...7.9..2...1"
    "5...1..7.2...945.88.16....99...35.647..1....363.4....53....12.61.586...7.9..2...1")
# A search of many nodes first, then more lines than one batch holds.
set(input
    "................12..3.45.........6.......1....647..8.....2.......8.6.7..1......5.\n")
foreach(round RANGE 1 700)
  foreach(line IN LISTS lines)
    string(APPEND input "${line}\n")
  endforeach()
endforeach()
file(WRITE ${WORK_DIR}/two_jobs_input.txt "${input}")

# The third run lets no thread start, as when the system refuses them.
foreach(jobs 1 2 3)
  if(jobs EQUAL 3)
    set(ENV{VANTRIC_THREAD_LIMIT} 0)
  endif()
  execute_process(COMMAND ${EMULATOR} ${SOLVE} --count --jobs ${jobs}
                          ${WORK_DIR}/two_jobs_input.txt
                  OUTPUT_VARIABLE output${jobs} ERROR_VARIABLE output${jobs}
                  RESULT_VARIABLE status${jobs})
  if(NOT status${jobs} EQUAL 1)
    message(FATAL_ERROR "--jobs ${jobs} ended with ${status${jobs}}, not 1")
  endif()
  string(REGEX REPLACE " [0-9]+\\.[0-9]+ " " " output${jobs} "${output${jobs}}")
endforeach()

string(REGEX MATCHALL "found [^\n]* 1\r?\n" found "${output1}")
string(REGEX MATCHALL "not a puzzle" messages "${output1}")
list(LENGTH found foundCount)
list(LENGTH messages messageCount)
if(NOT messageCount EQUAL 700 OR NOT foundCount EQUAL 2801)
  message(FATAL_ERROR "unexpected output on one job:\n${output1}")
endif()
foreach(jobs 2 3)
  if(NOT output1 STREQUAL output${jobs})
    file(WRITE ${WORK_DIR}/one_job.txt "${output1}")
    file(WRITE ${WORK_DIR}/${jobs}_jobs.txt "${output${jobs}}")
    message(FATAL_ERROR "${jobs} jobs differ from one: compare ${WORK_DIR}/one_job.txt and "
                        "${WORK_DIR}/${jobs}_jobs.txt")
  endif()
endforeach()
