editor_test(classlib_core_tests CORE
  SOURCES
    core/IniFilesTest.cpp
    core/ObjectsTest.cpp
    core/SafeFileTest.cpp
    core/StreamsTest.cpp
    core/StringListTest.cpp
    core/SysUtilsTest.cpp
  DEPS classlib_core)

# The settings-file parser under libFuzzer (native clang build only).
if(NOT EDITOR_WIN32 AND EDITOR_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_executable(classlib_ini_seeds fuzz/IniSeeds.cpp)
endif()
editor_fuzz_target(classlib_ini_fuzz SOURCES fuzz/IniFuzz.cpp DEPS classlib_core SEEDS classlib_ini_seeds)
