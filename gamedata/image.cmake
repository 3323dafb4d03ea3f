# Shared by every decoder of the game's files (maps, WIL and SIL libraries): the bounds-checked byte cursor.
add_library(gamedata_bytes INTERFACE)
target_include_directories(gamedata_bytes INTERFACE ${CMAKE_SOURCE_DIR})

# Shared by the WIL and SIL libraries: the image header, the SIL image record, the decoders' result, the texels of
# the cache textures (platform-free).
editor_core_library(gamedata_image_core SOURCES core/ImageRecord.cpp core/CacheTexels.cpp DEPS gamedata_bytes)

# Shared by the image-library readers: mapped views and pairing, their common base, the cache records, the cache
# textures.
editor_win32_library(gamedata_image
  SOURCES MappedFile.cpp ImageLibraryFile.cpp ImageHeaderD3D.cpp ImageTexture.cpp
  DEPS gamedata_image_core gamedata_wil_core classlib_png_win32 classlib_core classlib_runtime common_log d3d9)

# The SIL image library: platform-free layout, reading and writing of the bytes; the Win32 reader and writer.
editor_core_library(gamedata_sil_core SOURCES core/SilFormat.cpp DEPS gamedata_image_core classlib_png)
editor_win32_library(gamedata_sil SOURCES uBase_SIL_File.cpp
  DEPS gamedata_sil_core gamedata_image gamedata_wil common_log classlib_core)
