# The PNG image class over libpng (platform-free) and its copy onto 16-bit TBitmaps (Win32).
editor_core_library(classlib_png SOURCES core/PngImage.cpp DEPS editor_png)
editor_win32_library(classlib_png_win32 SOURCES PngImageBitmap.cpp DEPS classlib_png classlib_controls)
