# Direct3D framework: platform-free support routines (bounded text, formatter, timer, format facts, result
# codes) and the Win32 units (support routines, state record, enumeration, settings matching).
editor_core_library(common_framework_core SOURCES
  core/Dev_ResultCodes.cpp
  core/Dev_StrSafe.cpp
  core/D3DFormatInfo.cpp
  core/XelTimer.cpp)

editor_win32_library(common_framework SOURCES
  Dev_misc.cpp
  Dev_State.cpp
  Dev_DeviceCursor.cpp
  Dev_Enum.cpp
  Dev_DeviceMatch.cpp
  DEPS common_framework_core user32 gdi32 shell32)
