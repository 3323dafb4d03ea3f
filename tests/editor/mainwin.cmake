# The main window's rules (native too), the main window and the create-map dialog.
editor_test(editor_main_core_tests CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/ViewGeometryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/MapEditsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/TilePickerRulesTest.cpp
  DEPS editor_main_core)

# The main window and the create-map dialog, driven by posted input, and the editor started as a user starts it, on a client folder of their own; with the
# editor's resources (layouts, manifest, cursors). They move the real cursor and need the focus: they run alone.
if(EDITOR_WIN32)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/editor/layouts/MainWindow.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/editor/layouts/MainWindow.lay;${CMAKE_SOURCE_DIR}/editor/layouts/CreateNewMap.lay")
  set_source_files_properties(${CMAKE_SOURCE_DIR}/editor/SorvantaMapEditor6.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/editor/SorvantaMapEditor6.manifest)
  sdd_split_cursors(SDD_SPLIT_CURSORS_RC)
  editor_test(editor_mainwin_tests SERIAL TIMEOUT 300 SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainViewTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainEditTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainSaveTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainPickerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CreateMapDialogTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgramRunTest.cpp
    ${CMAKE_SOURCE_DIR}/editor/layouts/MainWindow.rc
    ${CMAKE_SOURCE_DIR}/editor/SorvantaMapEditor6.rc
    ${SDD_SPLIT_CURSORS_RC}
    DEPS editor_mainwin editor_fixtures_map editor_fixtures_wil gamedata_image_test_support)
  # The end-to-end test starts the editor itself.
  if(TARGET editor_mainwin_tests)
    target_compile_definitions(editor_mainwin_tests PRIVATE EDITOR_EXECUTABLE="$<TARGET_FILE:SorvantaMapEditor6>")
    add_dependencies(editor_mainwin_tests SorvantaMapEditor6)
  endif()
endif()
