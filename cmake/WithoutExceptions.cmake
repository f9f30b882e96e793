# The game's code throws and catches nothing, so the game and every library
# it links are built without exceptions and run-time type information: no
# C++ exception runtime (the unwinder, the terminate handler with its
# demangler) is linked into vantric.exe. A new library the game links calls
# this beside vantric_warnings.
function(vantric_without_exceptions target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /EHs-c- /GR-)
    target_compile_definitions(${target} PRIVATE _HAS_EXCEPTIONS=0)
  else()
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
    # On i686 the tables serve only GCC's unwinder, which the game no longer
    # links; x86_64 Windows wants unwind data in every program, so it keeps it.
    if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_compile_options(${target} PRIVATE -fno-asynchronous-unwind-tables)
    endif()
  endif()
endfunction()
