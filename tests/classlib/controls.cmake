editor_fuzz_target(layout_text_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/LayoutTextFuzz.cpp
  DEPS classlib_layout
  SEED_SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/LayoutTextSeeds.cpp
  DICT ${CMAKE_CURRENT_LIST_DIR}/fuzz/LayoutText.dict)

editor_test(layout_reader_tests CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/LayoutTextTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/LayoutNumberTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/LayoutReaderTest.cpp
  DEPS classlib_layout)

# Win32 tests of the graphics, controls, forms and layouts; the test layouts are resources (windres). They watch
# what the mouse and the keyboard focus do to their windows, which another process's windows, cursor and
# foreground could disturb: they run alone.
if(EDITOR_WIN32)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/layouts/ControlsTests.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/layouts/LayoutTestForm.lay)
  editor_test(controls_tests SERIAL SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CanvasTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControlsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControlsFocusTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DockTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FormTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LayoutFormTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layouts/ControlsTests.rc
    DEPS classlib_controls)
endif()

# The standard controls, run with the version 6 common controls as the editor is (the manifest among the
# resources). They type, click and scroll through the controls' windows: they run alone.
if(EDITOR_WIN32)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/layouts/StdCtrlsTests.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/layouts/CommonControls6.manifest;${CMAKE_CURRENT_LIST_DIR}/layouts/StdCtrlsTestForm.lay")
  editor_test(stdctrls_tests SERIAL SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ActionsMenusTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileDialogTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ComboBoxTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EditTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GridTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImageListTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ScrollBarTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layouts/StdCtrlsTests.rc
    DEPS classlib_controls)
endif()

# A message box over a borderless window, read from the screen; it needs the foreground: alone.
if(EDITOR_WIN32)
  editor_test(message_box_tests SERIAL SOURCES ${CMAKE_CURRENT_LIST_DIR}/MessageBoxPaintTest.cpp
    DEPS classlib_controls)
endif()
