# The map view's renderer: the platform-free geometry, grids, overlay layout, screenshot names and library names,
# and the Win32 units (the line drawer, the layer passes, cursors, grids, screenshot, overlay, the framework
# callbacks).
editor_core_library(editor_render_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/uMapGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/uHelpGridGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/uScreenshotName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/uLibraryNames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/uSelectInfoLayout.cpp
  DEPS gamedata_cache_core)

editor_win32_library(editor_render SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/uD3DLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uMapSpriteBatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uMapRender.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uMapLayers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uMapCursors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uHelpGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uScreenshot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uSelectInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uMapCallbacks.cpp
  DEPS editor_render_core common_framework common_log gamedata_cache gamedata_map classlib_runtime)
