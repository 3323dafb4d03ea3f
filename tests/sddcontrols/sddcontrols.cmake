editor_test(sddcontrols_core_tests CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/SDDColorsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/SDDGeometryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/SDDGradientTest.cpp
  DEPS sddcontrols_core)
