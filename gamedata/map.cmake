# The map document and its file format: platform-free, built by both configurations.
editor_core_library(gamedata_map
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/core/uVesk3MapEngine.cpp
  DEPS classlib_core gamedata_bytes)
