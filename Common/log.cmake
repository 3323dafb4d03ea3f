# The text log engine.
editor_win32_library(common_log SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Dev_LogEngineClass.cpp
  DEPS classlib_runtime)
