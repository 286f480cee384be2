# The operation runner against the pager simulator: a read and a programming
# run on the worker thread, with the dialogs they need answered on the
# window's thread.
if(ZELTA_BUILD_UI AND TARGET zelta-pager-sim)
  add_executable(ui_operation_runner_sim_test ${CMAKE_CURRENT_LIST_DIR}/sim/operation_runner_sim_test.cpp)
  set_target_properties(ui_operation_runner_sim_test PROPERTIES AUTOMOC ON)
  target_include_directories(ui_operation_runner_sim_test PRIVATE
    ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/../link ${CMAKE_CURRENT_LIST_DIR}/../support)
  target_link_libraries(ui_operation_runner_sim_test PRIVATE zelta_ui Qt6::Test)
  target_compile_definitions(ui_operation_runner_sim_test PRIVATE
    ZELTA_PAGER_SIM_PATH="$<TARGET_FILE:zelta-pager-sim>")
  add_dependencies(ui_operation_runner_sim_test zelta-pager-sim)
  add_test(NAME ui_operation_runner_sim_test COMMAND ui_operation_runner_sim_test)
  set_tests_properties(ui_operation_runner_sim_test PROPERTIES LABELS "ui;link" RESOURCE_LOCK pager_pty
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime;HOME=${CMAKE_BINARY_DIR}/test-home")
endif()

# The main window against the pager simulator: F3, F2 and the questions of
# a silent pager, end to end.
if(ZELTA_BUILD_UI AND TARGET zelta-pager-sim)
  add_executable(ui_main_window_sim_test ${CMAKE_CURRENT_LIST_DIR}/sim/main_window_sim_test.cpp)
  set_target_properties(ui_main_window_sim_test PROPERTIES AUTOMOC ON)
  target_include_directories(ui_main_window_sim_test PRIVATE
    ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/.. ${CMAKE_CURRENT_LIST_DIR}/../link
    ${CMAKE_CURRENT_LIST_DIR}/../support)
  target_link_libraries(ui_main_window_sim_test PRIVATE zelta_ui Qt6::Test)
  target_compile_definitions(ui_main_window_sim_test PRIVATE
    ZELTA_PAGER_SIM_PATH="$<TARGET_FILE:zelta-pager-sim>")
  add_dependencies(ui_main_window_sim_test zelta-pager-sim)
  add_test(NAME ui_main_window_sim_test COMMAND ui_main_window_sim_test)
  set_tests_properties(ui_main_window_sim_test PROPERTIES LABELS "ui;link" RESOURCE_LOCK pager_pty
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime;HOME=${CMAKE_BINARY_DIR}/test-home")
endif()

# The service window against the pager simulator: F4's read, the adjust
# values programmed, the test commands and the mode switches.
if(ZELTA_BUILD_UI AND TARGET zelta-pager-sim)
  add_executable(ui_service_window_sim_test ${CMAKE_CURRENT_LIST_DIR}/sim/service_window_sim_test.cpp)
  set_target_properties(ui_service_window_sim_test PROPERTIES AUTOMOC ON)
  target_include_directories(ui_service_window_sim_test PRIVATE
    ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_LIST_DIR}/.. ${CMAKE_CURRENT_LIST_DIR}/../link
    ${CMAKE_CURRENT_LIST_DIR}/../support)
  target_link_libraries(ui_service_window_sim_test PRIVATE zelta_ui Qt6::Test)
  target_compile_definitions(ui_service_window_sim_test PRIVATE
    ZELTA_PAGER_SIM_PATH="$<TARGET_FILE:zelta-pager-sim>")
  add_dependencies(ui_service_window_sim_test zelta-pager-sim)
  add_test(NAME ui_service_window_sim_test COMMAND ui_service_window_sim_test)
  set_tests_properties(ui_service_window_sim_test PROPERTIES LABELS "ui;link" RESOURCE_LOCK pager_pty
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime;HOME=${CMAKE_BINARY_DIR}/test-home")
endif()
