# The main window's platform-free rules: view geometry, click edits, tile picker, create-map checks, log texts.
editor_core_library(editor_main_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/uViewGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/uMapEdits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/uTilePickerRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/uNewMapRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/uDeviceResultText.cpp
  DEPS editor_render_core gamedata_map classlib_core common_framework_core)

# The main window, its handlers and the create-map dialog; their layouts (layouts/MainWindow.rc) go into every
# executable that shows them.
editor_win32_library(editor_mainwin SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/uMainEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uMainView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uMainEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uMainPicker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dev_Create_New_Map.cpp
  DEPS editor_main_core editor_render editor_library_check gamedata_cache common_framework common_log sddcontrols
       controls_additional classlib_controls)

