# Build-wide flags and the helpers that every folder uses to declare
# its tests, fuzzers and benchmarks.

add_compile_options(-Wall -Wextra)
if(THUDROKKA_WERROR)
  add_compile_options(-Werror)
endif()

if(THUDROKKA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "THUDROKKA_FUZZ needs clang (libFuzzer)")
  endif()
  set(THUDROKKA_SANITIZE ON)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(THUDROKKA_SANITIZE)
  set(_thudrokka_san -fsanitize=address,undefined -fno-sanitize-recover=all)
  add_compile_options(${_thudrokka_san} -fno-omit-frame-pointer)
  add_link_options(${_thudrokka_san})
endif()

if(THUDROKKA_TSAN)
  if(THUDROKKA_SANITIZE)
    message(FATAL_ERROR "THUDROKKA_TSAN cannot be combined with THUDROKKA_SANITIZE or THUDROKKA_FUZZ")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

find_package(GTest REQUIRED)
include(GoogleTest)
if(THUDROKKA_BENCH)
  find_package(benchmark REQUIRED)
endif()

# thudrokka_add_test_suite(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable per subsystem, registered with CTest.
function(thudrokka_add_test_suite name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 600)
endfunction()

# thudrokka_add_fuzzer(<name> SOURCE <file> CORPUS <seed dir> LIBS <targets...>
#                      [OPTIONS <libFuzzer flags...>])
# Built only in the fuzzing configuration; CTest runs it for a bounded time
# over the committed seeds, writing new inputs to the build tree only.
set(THUDROKKA_FUZZ_SECONDS 10 CACHE STRING "Seconds each fuzzer runs under CTest")
function(thudrokka_add_fuzzer name)
  if(NOT THUDROKKA_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "SOURCE;CORPUS" "LIBS;OPTIONS" ${ARGN})
  add_executable(${name} ${ARG_SOURCE})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set(scratch ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  file(MAKE_DIRECTORY ${scratch})
  add_test(NAME ${name}
    COMMAND ${name} ${ARG_OPTIONS} -max_total_time=${THUDROKKA_FUZZ_SECONDS} -rss_limit_mb=2048
            -print_final_stats=0 ${scratch} ${ARG_CORPUS})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()

# thudrokka_add_benchmark(<name> SOURCES <files...> LIBS <targets...>)
function(thudrokka_add_benchmark name)
  if(NOT THUDROKKA_BENCH)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
