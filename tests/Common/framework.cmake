editor_test(common_framework_core_tests CORE SOURCES
  core/StrSafeTest.cpp
  core/FormatTest.cpp
  core/D3DFormatInfoTest.cpp
  core/XelTimerTest.cpp
  core/ResultCodesTest.cpp
  DEPS common_framework_core)

editor_test(common_framework_tests SOURCES
  DeviceMatchTest.cpp
  EnumTest.cpp
  StateTest.cpp
  MiscTest.cpp
  DEPS common_framework)

editor_fuzz_target(common_format_fuzz SOURCES fuzz/FormatFuzz.cpp DEPS common_framework_core)
