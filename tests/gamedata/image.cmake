# The SIL image library: layout, reading and writing of the bytes (native too, with the sanitizers), and a fuzz
# target over whole libraries seeded from the fixture writer.
editor_test(sil_core_tests CORE SOURCES core/SilFormatTest.cpp DEPS gamedata_sil_core editor_fixtures_sil)

editor_fuzz_target(sil_index_fuzz
  SOURCES fuzz/SilIndexFuzz.cpp
  DEPS gamedata_sil_core classlib_png
  SEED_SOURCES fuzz/SilFuzzSeeds.cpp SEED_DEPS editor_fixtures_sil)

# Under Wine: mapped views and pairing, cache textures read back from Direct3D, the SIL reader and writer over
# real files.
editor_win32_library(gamedata_image_test_support SOURCES ImageTestSupport.cpp DEPS gamedata_image d3d9)
editor_test(image_tests
  SOURCES MappedFileTest.cpp ImageTextureTest.cpp
  DEPS gamedata_image gamedata_image_test_support editor_fixtures_sil)
editor_test(sil_file_tests
  SOURCES SilFileTest.cpp
  DEPS gamedata_sil gamedata_image_test_support editor_fixtures_sil)

# The byte cursor and the image header shared by every decoder (native too, with the sanitizers).
editor_test(gamedata_bytes_tests CORE SOURCES core/ByteCursorTest.cpp DEPS gamedata_image_core)
