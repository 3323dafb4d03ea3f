# The PNG image class: round trips, foreign layouts and damaged input (native too, with the sanitizers); the copy
# onto 16-bit bitmaps under Wine; a fuzz target over PNG decoding.
editor_test(png_tests CORE SOURCES core/PngImageTest.cpp DEPS classlib_png)

editor_fuzz_target(png_image_fuzz SOURCES fuzz/PngImageFuzz.cpp DEPS classlib_png
  SEED_SOURCES fuzz/PngFuzzSeeds.cpp SEED_DEPS classlib_png)
editor_test(png_bitmap_tests SOURCES PngImageBitmapTest.cpp DEPS classlib_png_win32)
