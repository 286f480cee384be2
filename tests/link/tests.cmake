# The link against the pager simulator through real pseudo-terminals, and
# the simulator's own protocol logic. Needs the simulator program.
if(TARGET zelta-pager-sim)
  file(GLOB ZELTA_LINK_SIM_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
  add_executable(link_sim_tests ${ZELTA_LINK_SIM_TEST_SOURCES})
  target_include_directories(link_sim_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/.. ${CMAKE_CURRENT_LIST_DIR}/../support)
  target_link_libraries(link_sim_tests PRIVATE zelta_cli zelta_pager_sim GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(link_sim_tests PRIVATE
    ZELTA_PAGER_SIM_PATH="$<TARGET_FILE:zelta-pager-sim>"
    ZELTA_CLI_PATH="$<TARGET_FILE:zelta-pps-cli>"
    ZELTA_BINARY_DIR="${CMAKE_BINARY_DIR}")
  add_dependencies(link_sim_tests zelta-pager-sim zelta-pps-cli)
  # A link holds its port's lock file for a whole operation, named after the
  # device. Pseudo-terminal numbers are reused as soon as one closes, so two
  # simulator tests running side by side could meet under one name (one
  # test's stale claim turning the other's new pager away): the tests that
  # start simulators take turns.
  gtest_discover_tests(link_sim_tests DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
    PROPERTIES LABELS "link" RESOURCE_LOCK pager_pty)
endif()
