# Direct3D framework: platform-free support routines (bounded text, formatter, timer, format facts, result
# codes, system-report texts) and the Win32 units (support routines, state record, enumeration, settings matching, presentation,
# device change, set-up and main loop) and the system report.
editor_core_library(common_framework_core SOURCES
  core/Dev_ResultCodes.cpp
  core/Dev_StrSafe.cpp
  core/D3DFormatInfo.cpp
  core/XelTimer.cpp
  core/SystemInfoTexts.cpp
  DEPS classlib_core)

editor_win32_library(common_framework SOURCES
  Dev_misc.cpp
  Dev_State.cpp
  Dev_DeviceCursor.cpp
  Dev_Enum.cpp
  Dev_DeviceMatch.cpp
  Dev_Present.cpp
  Dev_Render.cpp
  Dev_Gui.cpp
  Dev_SystemProbes.cpp
  Dev_DXVersion.cpp
  Dev_SystemReport.cpp
  DEPS common_framework_core common_log d3d9 d3dx9_43 comctl32 winmm ole32 oleaut32 version advapi32 user32 gdi32
       shell32)
