# vantric-make.exe writes, for one seed, the lines the native build wrote
# into make_seed_2026.txt, on one thread and on two; run as a ctest script.
file(READ ${EXPECTED} expected)
foreach(jobs 1 2)
  execute_process(COMMAND ${EMULATOR} ${MAKE} --seed 2026 --symmetry any --jobs ${jobs} 200
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "--jobs ${jobs} ended with ${status}: ${errors}")
  endif()
  # The Windows C runtime may end lines with CR LF.
  string(REPLACE "\r\n" "\n" output "${output}")
  if(NOT output STREQUAL expected)
    file(WRITE ${WORK_DIR}/make_jobs_${jobs}.txt "${output}")
    message(FATAL_ERROR "--jobs ${jobs} differs from the native build: compare "
                        "${WORK_DIR}/make_jobs_${jobs}.txt and ${EXPECTED}")
  endif()
endforeach()
