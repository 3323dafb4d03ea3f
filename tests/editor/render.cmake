# The map view's renderer: its platform-free geometry natively too; under Wine the pixels a real device draws.
editor_test(editor_render_core_tests CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/MapGeometryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/HelpGridGeometryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/ScreenshotNameTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/LibraryNamesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/SelectInfoLayoutTest.cpp
  DEPS editor_render_core)

# Under Wine, on the real device through the renderer's own callbacks.
editor_test(editor_render_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MapLayersRenderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MapCursorsGridsRenderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelectInfoRenderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MapFrameRenderTest.cpp
  DEPS editor_render editor_fixtures_wil gamedata_image_test_support)
