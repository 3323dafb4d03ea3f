# The map view's renderer: its platform-free geometry natively too; under Wine the pixels a real device draws.
editor_test(editor_render_core_tests CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/MapGeometryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/HelpGridGeometryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/ScreenshotNameTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/SelectInfoLayoutTest.cpp
  DEPS editor_render_core)

# Under Wine, on the real device through the renderer's own callbacks.
editor_test(editor_render_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MapLayersRenderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MapCursorsGridsRenderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelectInfoRenderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MapFrameRenderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TexelRenderTest.cpp
  DEPS editor_render editor_fixtures_wil gamedata_image_test_support)

# The map view through the real main window, driven by posted input (it moves the real cursor: run alone).
if(EDITOR_WIN32)
  sdd_split_cursors(SDD_SPLIT_CURSORS_RC)
  editor_test(editor_mainwin_render_tests SERIAL TIMEOUT 300 SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowRenderTest.cpp
    ${CMAKE_SOURCE_DIR}/editor/layouts/MainWindow.rc
    ${CMAKE_SOURCE_DIR}/editor/SorvantaMapEditor6.rc
    ${SDD_SPLIT_CURSORS_RC}
    DEPS editor_mainwin editor_fixtures_map editor_fixtures_wil)
endif()
