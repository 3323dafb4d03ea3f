# The PNG image class: round trips, foreign layouts and damaged input (native too, with the sanitizers); the copy
# onto 16-bit bitmaps under Wine; a fuzz target over PNG decoding.
editor_test(png_tests CORE SOURCES core/PngImageTest.cpp DEPS classlib_png)

if(NOT EDITOR_WIN32 AND EDITOR_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_executable(png_fuzz_seeds fuzz/PngFuzzSeeds.cpp)
  target_link_libraries(png_fuzz_seeds PRIVATE classlib_png)
endif()
editor_fuzz_target(png_image_fuzz SOURCES fuzz/PngImageFuzz.cpp DEPS classlib_png SEEDS png_fuzz_seeds)
editor_test(png_bitmap_tests SOURCES PngImageBitmapTest.cpp DEPS classlib_png_win32)
