editor_test(classlib_core_tests CORE
  SOURCES
    core/FileDialogPathsTest.cpp
    core/IniFilesTest.cpp
    core/ObjectsTest.cpp
    core/SafeFileTest.cpp
    core/StreamsTest.cpp
    core/StringListTest.cpp
    core/SysUtilsTest.cpp
  DEPS classlib_core)

# The settings-file parser under libFuzzer (native clang build only).
editor_fuzz_target(classlib_ini_fuzz SOURCES fuzz/IniFuzz.cpp DEPS classlib_core SEED_SOURCES fuzz/IniSeeds.cpp)
