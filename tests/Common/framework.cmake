editor_test(common_framework_core_tests CORE SOURCES
  core/StrSafeTest.cpp
  core/CodesAndFormatsTest.cpp
  core/XelTimerTest.cpp
  core/SystemInfoTextsTest.cpp
  DEPS common_framework_core)

editor_test(common_framework_tests SOURCES
  DeviceMatchTest.cpp
  EnumTest.cpp
  ServicesTest.cpp
  DEPS common_framework)

editor_fuzz_target(common_format_fuzz SOURCES fuzz/FormatFuzz.cpp DEPS common_framework_core)

# The device life cycle on the real device (its own process: it changes the framework's process-wide state).
editor_test(common_render_tests SOURCES
  RenderTest.cpp
  DEPS common_framework)
