# The image caches: the platform-free library table, sweep and loader rules and animation table, and the Win32
# cache manager with its loader thread.
editor_core_library(gamedata_cache_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/ImageLibraries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/CacheRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/SDXFunctions.cpp
  DEPS gamedata_wil_core)
editor_win32_library(gamedata_cache SOURCES ${CMAKE_CURRENT_LIST_DIR}/uCache_Manager.cpp
  DEPS gamedata_cache_core gamedata_wil gamedata_sil gamedata_image common_log classlib_runtime)
