# The map view's renderer: the platform-free library names and the Win32 units (here the interim renderer of the
# main window's branch and the framework callbacks; the renderer proper replaces both lists).
editor_core_library(editor_render_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/uLibraryNames.cpp
  DEPS gamedata_cache_core)

editor_win32_library(editor_render SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/uMapRender.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uMapCallbacks.cpp
  DEPS editor_render_core common_framework common_log gamedata_cache gamedata_map classlib_runtime)
