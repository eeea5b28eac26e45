# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a file of the engine includes a Qt header or a header of the
# screens, or a header of a subsystem that is not below its own: each
# subsystem includes only itself and the subsystems of lower levels.
set(levels
    common 0
    state 1
    extraction 2
    geometry 3
    detection 3
    project 4
    overlay 4
    capture 5
    results 6
    safety 7
    analysis 8)
set(names "")
list(LENGTH levels n)
math(EXPR last "${n} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET levels ${i} name)
  list(GET levels ${j} level)
  set(level_${name} ${level})
  list(APPEND names ${name})
endforeach()

file(GLOB_RECURSE files "${ENGINE_DIR}/*.hpp" "${ENGINE_DIR}/*.cpp" "${ENGINE_DIR}/*.h")
set(bad "")
foreach(f IN LISTS files)
  file(RELATIVE_PATH rel "${ENGINE_DIR}" "${f}")
  string(REGEX REPLACE "/.*" "" own "${rel}")
  if(NOT DEFINED level_${own})
    if(rel MATCHES "/")
      list(APPEND bad "${f}: subsystem '${own}' has no level in cmake/check_engine_includes.cmake")
    endif()
    continue()
  endif()
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(line MATCHES "[<\"](Q[A-Za-z]*|Qt[A-Za-z]*/[^>\"]*|gui/[^>\"]*)[>\"]")
      list(APPEND bad "${f}: ${line}")
    elseif(line MATCHES "\"([a-z_]+)/[^\"]*\"")
      set(other "${CMAKE_MATCH_1}")
      if(DEFINED level_${other} AND NOT other STREQUAL own AND NOT level_${other} LESS level_${own})
        list(APPEND bad "${f}: ${own} may not include ${other}: ${line}")
      endif()
    endif()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n" msg)
  message(FATAL_ERROR "engine include rules broken:\n${msg}")
endif()
list(LENGTH files count)
message(STATUS "checked ${count} engine files: no Qt or gui include, subsystems include only downwards")
