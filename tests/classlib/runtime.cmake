# Tests of the class library's Win32 runtime: run under Wine.
editor_test(classlib_runtime_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ApplicationTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DateTimeTextTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FaultBoundaryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ThreadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TimerTest.cpp
  DEPS classlib_runtime)
