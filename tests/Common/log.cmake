# Tests of the text log engine: run under Wine.
editor_test(common_log_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/LogEngineTest.cpp DEPS common_log)
