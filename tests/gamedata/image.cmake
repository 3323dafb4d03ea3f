# The SIL image library: layout, reading and writing of the bytes (native too, with the sanitizers), and a fuzz
# target over whole libraries seeded from the fixture writer.
editor_test(sil_core_tests CORE SOURCES core/SilFormatTest.cpp DEPS gamedata_sil_core editor_fixtures_sil)

editor_fuzz_target(sil_index_fuzz
  SOURCES fuzz/SilIndexFuzz.cpp
  DEPS gamedata_sil_core classlib_png
  SEED_SOURCES fuzz/SilFuzzSeeds.cpp SEED_DEPS editor_fixtures_sil)

# Under Wine: the test library in both kinds for the reader and cache tests.
editor_win32_library(gamedata_image_test_support SOURCES ImageTestSupport.cpp
  DEPS gamedata_wil_core gamedata_cache_core editor_fixtures_wil editor_fixtures_sil)
# The readers and the SIL writer over real files. "x.tmp" lives beside the executable: a folder of its own keeps
# other test programs' staging files apart.
editor_test(library_file_tests
  SOURCES LibraryFileTest.cpp
  DEPS gamedata_wil gamedata_sil gamedata_image_test_support)
if(TARGET library_file_tests)
  set_target_properties(library_file_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/library)
endif()
