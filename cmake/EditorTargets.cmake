# Target helpers shared by every directory. Platform-free code sits in core/ folders and is built by both
# configurations; everything else only by the cross build.
include_guard(GLOBAL)
include(CMakeParseArguments)

# True in the configuration that builds the libFuzzer targets (native clang, tests and fuzzers on).
function(editor_fuzz_enabled out)
  if(NOT EDITOR_WIN32 AND EDITOR_TESTS AND EDITOR_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(${out} ON PARENT_SCOPE)
  else()
    set(${out} OFF PARENT_SCOPE)
  endif()
endfunction()

# The fuzz targets see inside the code under test: where they are built, every core library has a twin
# <name>_fuzzcov of the same sources with libFuzzer's coverage (-fsanitize=fuzzer-no-link) at -O1, linked to the
# twins of its own dependencies, which only the fuzz targets link (built only when one does). The ordinary tests
# keep the uninstrumented Debug libraries: coverage callbacks on every edge and comparison would slow them for
# nothing, and -O1 would blur their debugging.
set(EDITOR_FUZZ_COVERAGE_FLAGS -fsanitize=fuzzer-no-link -O1)

# editor_core_library(<name> SOURCES ... [DEPS ...])
function(editor_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
  editor_fuzz_enabled(fuzz)
  if(fuzz)
    add_library(${name}_fuzzcov STATIC EXCLUDE_FROM_ALL ${ARG_SOURCES})
    target_include_directories(${name}_fuzzcov PUBLIC ${CMAKE_SOURCE_DIR})
    target_compile_options(${name}_fuzzcov PRIVATE ${EDITOR_FUZZ_COVERAGE_FLAGS})
    foreach(dep IN LISTS ARG_DEPS)
      # A dependency declared later, or one that is no core library (an interface or a system library), is
      # resolved when the build is generated.
      target_link_libraries(${name}_fuzzcov PUBLIC "$<IF:$<TARGET_EXISTS:${dep}_fuzzcov>,${dep}_fuzzcov,${dep}>")
    endforeach()
  endif()
endfunction()

# editor_win32_library(<name> SOURCES ... [DEPS ...]): nothing in the native build.
function(editor_win32_library name)
  if(EDITOR_WIN32)
    editor_core_library(${name} ${ARGN})
  endif()
endfunction()

# editor_test(<name> [CORE] [SERIAL] SOURCES ... [DEPS ...] [TIMEOUT s])
# One GoogleTest executable; each test case becomes a ctest test (listed when ctest runs, so building needs no
# Wine). CORE tests are built natively too, with the sanitizers. SERIAL tests run alone (e.g. those that need the
# keyboard focus, the foreground window or the real cursor, which test programs running beside them would disturb).
function(editor_test name)
  cmake_parse_arguments(ARG "CORE;SERIAL" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  if(NOT EDITOR_TESTS OR (NOT ARG_CORE AND NOT EDITOR_WIN32))
    return()
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE editor_test_main ${ARG_DEPS})
  if(EDITOR_WIN32)
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES TIMEOUT ${ARG_TIMEOUT} RUN_SERIAL ${ARG_SERIAL} LABELS "${name}")
endfunction()

# editor_fuzz_target(<name> SOURCES ... [DEPS ...] [SEED_SOURCES ... [SEED_DEPS ...]] [DICT file])
# A libFuzzer target (native clang build only), run for EDITOR_FUZZ_SECONDS as a ctest test labelled "fuzz".
# SEED_SOURCES build a small native program, called with the corpus folder, that writes the seed inputs there.
# DICT names a libFuzzer dictionary of the input's syntax. The target links the coverage twins of its DEPS.
function(editor_fuzz_target name)
  cmake_parse_arguments(ARG "" "DICT" "SOURCES;DEPS;SEED_SOURCES;SEED_DEPS" ${ARGN})
  editor_fuzz_enabled(fuzz)
  if(NOT fuzz)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer -O1)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  foreach(dep IN LISTS ARG_DEPS)
    if(TARGET ${dep}_fuzzcov)
      target_link_libraries(${name} PRIVATE ${dep}_fuzzcov)
    else()
      target_link_libraries(${name} PRIVATE ${dep})
    endif()
  endforeach()
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  if(ARG_SEED_SOURCES)
    add_executable(${name}_seeds ${ARG_SEED_SOURCES})
    target_link_libraries(${name}_seeds PRIVATE ${ARG_SEED_DEPS})
    add_test(NAME fuzz.${name}.seeds COMMAND ${name}_seeds ${corpus})
    set_tests_properties(fuzz.${name}.seeds PROPERTIES FIXTURES_SETUP ${name}_corpus LABELS fuzz)
  endif()
  add_test(NAME fuzz.${name}
    COMMAND ${CMAKE_COMMAND} -DFUZZER=$<TARGET_FILE:${name}> -DCORPUS=${corpus}
            -DSECONDS=${EDITOR_FUZZ_SECONDS} -DDICT=${ARG_DICT} -P ${CMAKE_SOURCE_DIR}/cmake/RunFuzzer.cmake)
  math(EXPR limit "${EDITOR_FUZZ_SECONDS} + 120")
  set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT ${limit} LABELS fuzz)
  if(ARG_SEED_SOURCES)
    set_tests_properties(fuzz.${name} PROPERTIES FIXTURES_REQUIRED ${name}_corpus)
  endif()
endfunction()

# editor_bench(<name> SOURCES ... [DEPS ...]): only with EDITOR_BENCH; never part of the tests.
function(editor_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT EDITOR_BENCH)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE editor_bench_support ${ARG_DEPS})
  if(EDITOR_WIN32)
    target_link_options(${name} PRIVATE -mconsole)
  endif()
endfunction()
