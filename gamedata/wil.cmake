# The WIL image library reader: platform-free layout and decoding, and the Win32 reader over mapped views.
editor_core_library(gamedata_wil_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/WilFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/WilDecoder.cpp
  DEPS gamedata_image_core)
editor_win32_library(gamedata_wil SOURCES ${CMAKE_CURRENT_LIST_DIR}/uBase_WIL_File.cpp
  DEPS gamedata_wil_core gamedata_image common_log classlib_runtime classlib_png_win32)
