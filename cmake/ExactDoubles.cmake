# Ratings are sums of doubles that the rater compares for equality and
# order; the x87 unit of a plain i686 build keeps them in 80 bits, so two
# equal ratings could compare unequal there and name another technique than
# the 64-bit builds. SSE2 arithmetic rounds every step to a double, as they do.
function(vantric_exact_doubles target)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang"
     AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
    target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
  endif()
endfunction()
