# The Win32 runtime of the class library: application object, threads, timers, date and time texts, screen.
editor_win32_library(classlib_runtime SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DateTimeText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FaultBoundary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HandlerScope.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Thread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Timer.cpp
  DEPS classlib_core)
