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

# The user's settings read when the program starts, through a second run of the program itself. The test changes a
# setting of the user's that every program of the prefix reads: its tests run alone.
editor_test(common_startup_tests SERIAL SOURCES
  StartUpSettingsTest.cpp
  DEPS common_framework classlib_runtime)

# The device life cycle on the real device (its own process: it changes the framework's process-wide state).
editor_test(common_render_tests SOURCES
  RenderTest.cpp
  DEPS common_framework)
