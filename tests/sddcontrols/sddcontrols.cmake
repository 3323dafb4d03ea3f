editor_test(sddcontrols_core_tests CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/SDDColorsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/SDDGeometryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/SDDGradientTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/SDDSplitGeometryTest.cpp
  DEPS sddcontrols_core)

# Win32 tests of the painters and controls, with the version 6 common controls (the manifest among the resources)
# so that the themed paths are live, and the splitter's cursors. The panel, status bar, splitter and size panel
# tests post mouse messages and move the real cursor: they run alone.
if(EDITOR_WIN32)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/layouts/SDDTests.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/tests/classlib/layouts/CommonControls6.manifest)
  sdd_split_cursors(SDD_SPLIT_CURSORS_RC)
  editor_test(sddcontrols_tests SERIAL SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SDDPaintTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SDDPanelTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SDDComponentsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SDDSplitTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SDDSizePanelTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layouts/SDDTests.rc
    ${SDD_SPLIT_CURSORS_RC}
    DEPS sddcontrols)
endif()

# Docking into SDD panels, size panels, splitter panes and page controls: they drag with the mouse captured, so
# they run alone.
if(EDITOR_WIN32)
  editor_test(sddcontrols_dock_tests SERIAL SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SDDDockTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layouts/SDDTests.rc
    ${SDD_SPLIT_CURSORS_RC}
    DEPS sddcontrols)
endif()

# The SDD edit, combo box and string grid: they type, click and watch the focus, so they run alone.
if(EDITOR_WIN32)
  editor_test(sddcontrols_input_tests SERIAL SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SDDEditTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SDDComboBoxTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SDDGridTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FreedControlsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layouts/SDDTests.rc
    DEPS sddcontrols)
endif()
