# Fails when a file outside ui/win32 and the Windows tests includes windows.h.
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/state/* ${SOURCE_DIR}/model/* ${SOURCE_DIR}/solver/* ${SOURCE_DIR}/play/*
     ${SOURCE_DIR}/ui/* ${SOURCE_DIR}/cli/* ${SOURCE_DIR}/bench/*)
set(leaks "")
foreach(source ${sources})
  if(source MATCHES "^ui/win32/")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} hits REGEX "#[ \t]*include[ \t]*[<\"]windows\\.h[>\"]")
  if(hits)
    list(APPEND leaks ${source})
  endif()
endforeach()
if(leaks)
  message(FATAL_ERROR "windows.h included outside ui/win32: ${leaks}")
endif()
message(STATUS "no portable file includes windows.h")
