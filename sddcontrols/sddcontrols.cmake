# The SDD controls I: painting and colour helpers, shared components, separator, panel, status bar and status
# panes. The colour maths, gradient bands and rectangle rules are platform-free (built natively with the
# sanitizers too); the painters, controls and their layout registration are Win32.
editor_core_library(sddcontrols_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/unSDDColors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/unSDDGradient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/unSDDGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/unSDDSplitGeometry.cpp)

editor_win32_library(sddcontrols SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/unSDDGrafx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDCommon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDCommonComponents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDBckgnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDStatus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDLayoutClasses.cpp
  DEPS sddcontrols_core classlib_controls)
