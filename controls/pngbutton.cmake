# The PNG image button and the progress bar. The progress bar's arithmetic is platform-free (built natively with
# the sanitizers too); the controls themselves and their layout registration are Win32.
editor_core_library(controls_progress_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/SDXProgressGeometry.cpp)

editor_win32_library(controls_additional SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pngextra.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SDXProgress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AdditionalLayoutClasses.cpp
  DEPS controls_progress_core controls_glowhtml classlib_controls)
