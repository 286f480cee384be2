# The core's folders are layers: a file may include its own folder and the
# folders below it, never one above. Lowest first; keep README's layout table
# in the same order.
#   cmake -DCORE_DIR=src/core -P check_layers.cmake
set(ZELTA_CORE_LAYERS errors models text codeplug storage codes pages link conversion operations production window)

if(NOT CORE_DIR)
  message(FATAL_ERROR "CORE_DIR is not set")
endif()

file(GLOB folders LIST_DIRECTORIES true RELATIVE ${CORE_DIR} ${CORE_DIR}/*)
set(violations "")
foreach(folder ${folders})
  if(NOT IS_DIRECTORY ${CORE_DIR}/${folder})
    continue()
  endif()
  list(FIND ZELTA_CORE_LAYERS ${folder} level)
  if(level EQUAL -1)
    string(APPEND violations "\n  ${folder}/ is not in the list of layers")
    continue()
  endif()
  file(GLOB_RECURSE sources ${CORE_DIR}/${folder}/*.h ${CORE_DIR}/${folder}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${source} includes REGEX "^#include \"[a-z_]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target ${line})
      list(FIND ZELTA_CORE_LAYERS ${target} targetLevel)
      if(targetLevel GREATER level)
        file(RELATIVE_PATH name ${CORE_DIR} ${source})
        string(APPEND violations "\n  ${name}: ${line} (${folder} is below ${target})")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Includes against the layer order:${violations}")
endif()
message(STATUS "Core layers hold: ${ZELTA_CORE_LAYERS}")
