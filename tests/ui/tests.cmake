# Qt Test programs against the pager simulator (tests/ui/sim/NAME.cpp): the
# simulator's path is compiled in, and one at a time holds the
# pseudo-terminals.
function(zelta_ui_sim_test name)
  set(target ui_${name})
  add_executable(${target} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/sim/${name}.cpp)
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
  target_include_directories(${target} PRIVATE
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/..
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../link ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../support)
  target_link_libraries(${target} PRIVATE zelta_ui Qt6::Test)
  target_compile_definitions(${target} PRIVATE
    ZELTA_PAGER_SIM_PATH="$<TARGET_FILE:zelta-pager-sim>")
  add_dependencies(${target} zelta-pager-sim)
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES LABELS "ui;link" RESOURCE_LOCK pager_pty
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime;HOME=${CMAKE_BINARY_DIR}/test-home")
endfunction()

if(ZELTA_BUILD_UI AND TARGET zelta-pager-sim)
  # The operation runner: a read and a programming run on the worker thread,
  # with the dialogs they need answered on the window's thread.
  zelta_ui_sim_test(operation_runner_sim_test)
  # The main window: F3, F2, the questions of a silent pager and every link
  # fault, end to end.
  zelta_ui_sim_test(main_window_sim_test)
  # The service window: F4's read, the adjust values programmed, the test
  # commands and the mode switches.
  zelta_ui_sim_test(service_window_sim_test)
  # SIGTERM and SIGHUP while the window programs a pager: the image is
  # written whole, then the program ends by the signal.
  zelta_ui_sim_test(window_termination_sim_test)
  # Find pager among pseudo-terminals, and Cancel in the progress window
  # during a read and during a write.
  zelta_ui_sim_test(pager_port_sim_test)
  # The production dialog: two scripted fixtures programmed to the end, and
  # the question when it is closed in the middle of a write.
  zelta_ui_sim_test(production_dialog_sim_test)
endif()
