# The layout text parser and reader: platform-free, built natively too (the parser is fuzzed).
editor_core_library(classlib_layout SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/LayoutText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/LayoutReader.cpp
  DEPS classlib_core)

# Graphics, the control hierarchy, forms and the standard controls (Win32).
editor_win32_library(classlib_controls SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Graphics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Buttons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragDock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DockTree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Forms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StdCtrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExtCtrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Hints.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayoutClasses.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Themes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImgList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ActnList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Edits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComboBoxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScrollBars.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Grids.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StdLayoutClasses.cpp
  DEPS classlib_layout classlib_runtime classlib_png gdi32 user32 msimg32 uxtheme comdlg32)
