# The SIL image library: layout, reading and writing of the bytes (native too, with the sanitizers), and a fuzz
# target over whole libraries seeded from the fixture writer.
editor_test(sil_core_tests CORE SOURCES core/SilFormatTest.cpp DEPS gamedata_sil_core editor_fixtures_sil)

editor_fuzz_target(sil_index_fuzz
  SOURCES fuzz/SilIndexFuzz.cpp
  DEPS gamedata_sil_core classlib_png
  SEED_SOURCES fuzz/SilFuzzSeeds.cpp SEED_DEPS editor_fixtures_sil)

# Under Wine: the test library in both kinds for the reader and cache tests, a real device and its texels.
editor_win32_library(gamedata_image_test_support SOURCES ImageTestSupport.cpp TestDevice.cpp
  DEPS gamedata_wil_core gamedata_cache_core editor_fixtures_wil editor_fixtures_sil d3d9)
# The readers and the SIL writer over real files. "x.tmp" lives beside the executable: a folder of its own keeps
# other test programs' staging files apart.
editor_test(library_file_tests
  SOURCES LibraryFileTest.cpp
  DEPS gamedata_wil gamedata_sil gamedata_image_test_support)
if(TARGET library_file_tests)
  set_target_properties(library_file_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/library)
endif()

# Under Wine: the cache textures made from decoded pixels against the platform's texture loader, texel by texel.
editor_test(cache_texture_tests SOURCES CacheTextureTest.cpp
  DEPS gamedata_wil gamedata_sil gamedata_cache gamedata_image_test_support d3dx9_43)

# The cache textures' texels from decoded pixels (native too, with the sanitizers).
editor_test(cache_texels_tests CORE SOURCES core/CacheTexelsTest.cpp DEPS gamedata_image_core)
