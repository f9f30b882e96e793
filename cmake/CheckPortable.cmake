# Fails when windows.h appears outside ui/win32, or when an include points up
# a layer. The layers run one way: state, model, solver, play, ui, and the
# front ends ui/win32 and ui/web, each using only those before it. The rating
# engine (logic) is a layer of its own on the solver that the game never
# uses, and the puzzle maker (generator) one on it; cli and bench sit on the
# solver, the rating engine and the maker, and so does the browser's side
# panel (ui/web/panel*), which runs apart from its game. The Windows
# benchmark, like the Windows tests, drives the real window.
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/state/* ${SOURCE_DIR}/model/* ${SOURCE_DIR}/solver/* ${SOURCE_DIR}/play/*
     ${SOURCE_DIR}/ui/* ${SOURCE_DIR}/cli/* ${SOURCE_DIR}/bench/* ${SOURCE_DIR}/logic/*
     ${SOURCE_DIR}/generator/*)

# The layer of a folder of the tree; cli and bench rank with play, above the
# rating engine and the maker, but may not use play or each other.
function(layer_of path out)
  if(path MATCHES "^bench/windows/")
    set(${out} 8 PARENT_SCOPE)
  elseif(path MATCHES "^ui/(win32|web)/")
    set(${out} 7 PARENT_SCOPE)
  elseif(path MATCHES "^ui/")
    set(${out} 6 PARENT_SCOPE)
  elseif(path MATCHES "^(play|cli|bench)/")
    set(${out} 5 PARENT_SCOPE)
  elseif(path MATCHES "^generator/")
    set(${out} 4 PARENT_SCOPE)
  elseif(path MATCHES "^logic/")
    set(${out} 3 PARENT_SCOPE)
  elseif(path MATCHES "^solver/")
    set(${out} 2 PARENT_SCOPE)
  elseif(path MATCHES "^model/")
    set(${out} 1 PARENT_SCOPE)
  elseif(path MATCHES "^state/")
    set(${out} 0 PARENT_SCOPE)
  else()
    set(${out} -1 PARENT_SCOPE)
  endif()
endfunction()

function(folder_of path out)
  string(REGEX MATCH "^(ui/win32|ui/web|bench/windows|[a-z]+)/" folder "${path}")
  set(${out} "${folder}" PARENT_SCOPE)
endfunction()

set(leaks "")
set(upward "")
foreach(source ${sources})
  if(NOT source MATCHES "^(ui/win32|bench/windows)/")
    file(STRINGS ${SOURCE_DIR}/${source} hits REGEX "#[ \t]*include[ \t]*[<\"]windows\\.h[>\"]")
    if(hits)
      list(APPEND leaks ${source})
    endif()
  endif()

  layer_of(${source} own)
  folder_of(${source} own_folder)
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "#[ \t]*include[ \t]*\"[^\"]+\"")
  foreach(line ${includes})
    string(REGEX REPLACE ".*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" target "${line}")
    layer_of(${target} theirs)
    folder_of(${target} their_folder)
    if(theirs LESS 0 OR their_folder STREQUAL own_folder)
      continue()
    endif()
    if(NOT theirs LESS own)
      list(APPEND upward "${source} -> ${target}")
    elseif(their_folder MATCHES "^(logic|generator)/$" AND
           own_folder MATCHES "^(play|ui|ui/win32|ui/web|bench/windows)/$" AND
           NOT source MATCHES "^ui/web/panel")
      # The game is built without the rating engine and the maker.
      list(APPEND upward "${source} -> ${target}")
    endif()
  endforeach()
endforeach()
if(leaks)
  message(FATAL_ERROR "windows.h included outside ui/win32: ${leaks}")
endif()
if(upward)
  list(JOIN upward "\n  " upward_lines)
  message(FATAL_ERROR "includes that point up a layer:\n  ${upward_lines}")
endif()
message(STATUS "no portable file includes windows.h, and every include points down a layer")
