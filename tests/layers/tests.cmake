# The include directions between the core's folders.
add_test(NAME CoreLayers
  COMMAND ${CMAKE_COMMAND} -DCORE_DIR=${CMAKE_SOURCE_DIR}/src/core -P ${CMAKE_CURRENT_LIST_DIR}/check_layers.cmake)
set_tests_properties(CoreLayers PROPERTIES LABELS "core")
