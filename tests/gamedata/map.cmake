# Map document tests (both builds) and the fuzz target of its file reader (native clang build).
editor_test(gamedata_map_tests CORE
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/core/MapTest.cpp ${CMAKE_CURRENT_SOURCE_DIR}/core/AllocationProbe.cpp
  DEPS gamedata_map editor_fixtures_map)

editor_fuzz_target(gamedata_map_fuzz
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/MapFuzz.cpp
  DEPS gamedata_map
  SEED_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/MapFuzzSeeds.cpp SEED_DEPS editor_fixtures_map)

# Windows-only: a save over a file another program holds open.
editor_test(gamedata_map_win32_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/MapSaveLockedTest.cpp
  DEPS gamedata_map editor_fixtures_map)
