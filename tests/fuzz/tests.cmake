# Fuzzing the codeplug file reader and the codec with libFuzzer (clang's fuzzer runtime).
#
# The fuzzer is its own small clang build of just the sources it needs, so the
# main build may use any compiler. It runs for 60 seconds as one ctest test,
# only in the build without ZELTA_SANITIZE (make test runs ctest in both the
# normal and the sanitizer build; the fuzzer carries its own sanitizers).
# The inputs in tests/data/srecord-fuzz seed it; a crashing input it finds
# belongs there too, where core_codeplug_tests replays every file. A second
# fuzzer decodes and builds images of every model code for 30 seconds, a
# third feeds any pager replies to the link for 20 seconds, a fourth drives
# the window's rules for 60 seconds.
if(NOT ZELTA_SANITIZE)
  find_program(ZELTA_FUZZ_CLANGXX NAMES clang++ clang++-14)
  set(ZELTA_FUZZ_AVAILABLE OFF)
  if(ZELTA_FUZZ_CLANGXX)
    set(probe_dir ${CMAKE_BINARY_DIR}/fuzz-probe)
    file(WRITE ${probe_dir}/probe.cpp
      "#include <cstddef>\n#include <cstdint>\n"
      "extern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
    execute_process(
      COMMAND ${ZELTA_FUZZ_CLANGXX} -fsanitize=fuzzer,address ${probe_dir}/probe.cpp -o ${probe_dir}/probe
      RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
    if(probe_result EQUAL 0)
      set(ZELTA_FUZZ_AVAILABLE ON)
    endif()
  endif()

  if(ZELTA_FUZZ_AVAILABLE)
    set(core ${CMAKE_SOURCE_DIR}/src/core)

    # zelta_add_fuzzer(NAME SECONDS SOURCES... [SEEDS dir]): a fuzzer built
    # with clang from the given sources and a ctest test running it for
    # SECONDS, with its own corpus under fuzz-corpus/NAME.
    function(zelta_add_fuzzer name seconds)
      cmake_parse_arguments(FUZZ "" "SEEDS" "SOURCES" ${ARGN})
      set(fuzzer ${CMAKE_CURRENT_BINARY_DIR}/fuzz_${name})
      add_custom_command(
        OUTPUT ${fuzzer}
        COMMAND ${ZELTA_FUZZ_CLANGXX} -std=c++20 -O1 -g -fno-omit-frame-pointer
                -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
                -I${core} -MD -MF ${fuzzer}.d ${FUZZ_SOURCES} -o ${fuzzer}
        DEPENDS ${FUZZ_SOURCES}
        DEPFILE ${fuzzer}.d
        COMMENT "Building the ${name} fuzzer with clang"
        VERBATIM)
      add_custom_target(${name}_fuzzer ALL DEPENDS ${fuzzer})
      set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
      file(MAKE_DIRECTORY ${corpus})
      add_test(NAME fuzz_${name}
        COMMAND ${fuzzer} -max_total_time=${seconds} -timeout=10 -rss_limit_mb=2048 -max_len=8192
                -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz-corpus/${name}-
                ${corpus} ${FUZZ_SEEDS})
      set_tests_properties(fuzz_${name} PROPERTIES LABELS "fuzz" TIMEOUT 240)
    endfunction()

    # The S-record reader: any text as a codeplug file.
    zelta_add_fuzzer(srecord 60
      SOURCES
        ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/srecord_fuzz.cpp
        ${core}/codeplug/data_process.cpp
        ${core}/codeplug/codeplug_image.cpp
        ${core}/codeplug/field_offsets.cpp
        ${core}/codeplug/settings_record.cpp
        ${core}/text/prompt_catalogue.cpp
      SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/data/srecord-fuzz)

    # Decoding and building: any image under any model code. The codec
    # reaches most of the codeplug and text folders.
    file(GLOB codec_sources CONFIGURE_DEPENDS
      ${core}/codeplug/*.cpp ${core}/text/*.cpp ${core}/errors/*.cpp)
    zelta_add_fuzzer(codec 30
      SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/codec_fuzz.cpp ${codec_sources})

    # The link: any bytes as the pager's replies, through a fake device and
    # a fake clock, in every exchange and starting state.
    file(GLOB link_fuzz_sources CONFIGURE_DEPENDS
      ${core}/codeplug/*.cpp ${core}/text/*.cpp ${core}/errors/*.cpp)
    list(APPEND link_fuzz_sources
      ${core}/link/pager_link.cpp ${core}/link/comm.cpp ${core}/link/wire.cpp
      ${core}/link/firmware.cpp ${core}/link/clock.cpp ${core}/link/service_commands.cpp
      ${core}/link/serial_driver.cpp ${core}/link/operation_scope.cpp)
    zelta_add_fuzzer(link 20
      SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/link_fuzz.cpp ${link_fuzz_sources})

    # The window's rules: any sequence of field edits, keys and tab changes
    # on a codeplug of any model, then a save opened again in a new window.
    # The window's sources reach the link through its settings and the
    # service window, which the fuzzer never opens.
    file(GLOB window_fuzz_sources CONFIGURE_DEPENDS
      ${core}/codes/*.cpp ${core}/pages/*.cpp ${core}/storage/*.cpp ${core}/conversion/*.cpp
      ${core}/window/*.cpp ${core}/link/port_name.cpp)
    zelta_add_fuzzer(window 60
      SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/window_fuzz.cpp ${link_fuzz_sources}
              ${window_fuzz_sources})
  else()
    message(STATUS "clang's libFuzzer runtime not found: the fuzz tests are left out")
  endif()
endif()
