# The PNG image class: round trips, size and chunk limits (native too, with the sanitizers); a fuzz target over PNG
# decoding. The copy onto 16-bit bitmaps is read back by the image library tests.
editor_test(png_tests CORE SOURCES core/PngImageTest.cpp core/PngChunkLimitTest.cpp DEPS classlib_png)

editor_fuzz_target(png_image_fuzz SOURCES fuzz/PngImageFuzz.cpp DEPS classlib_png
  SEED_SOURCES fuzz/PngFuzzSeeds.cpp SEED_DEPS classlib_png DICT ${CMAKE_CURRENT_LIST_DIR}/fuzz/Png.dict)
