# Fails when a built program is larger than LIMIT bytes, or missing; with
# OPTIONAL set, a missing program only skips the check.
# cmake -DFILE=.../vantric.exe -DLIMIT=131072 [-DOPTIONAL=ON] -P CheckSize.cmake
if(NOT EXISTS ${FILE})
  if(OPTIONAL)
    # The test's SKIP_REGULAR_EXPRESSION.
    message(STATUS "no ${FILE}: size check skipped")
    return()
  endif()
  message(FATAL_ERROR "no ${FILE}: build it first")
endif()
file(SIZE ${FILE} size)
if(size GREATER LIMIT)
  message(FATAL_ERROR "${FILE} has ${size} bytes, more than ${LIMIT}")
endif()
message(STATUS "${FILE} has ${size} bytes, at most ${LIMIT}")
