# Third-party libraries: installed by tools/setup and called, never rewritten.
#   zlib    - cross: Debian's libz-mingw-w64-dev; native: zlib1g-dev
#   libpng  - cross: built by tools/setup from Debian's libpng1.6 source into EDITOR_DEPS_PREFIX; native: libpng-dev
#   gtest   - built here from the sources Debian's googletest package installs
include_guard(GLOBAL)

if(EDITOR_WIN32)
  # Imported static libraries, so that CMake knows libpng needs zlib and always links zlib after it.
  find_library(ZLIB_STATIC NAMES libz.a z REQUIRED)
  add_library(editor_zlib STATIC IMPORTED GLOBAL)
  set_target_properties(editor_zlib PROPERTIES IMPORTED_LOCATION ${ZLIB_STATIC})

  if(NOT EDITOR_DEPS_PREFIX OR NOT EXISTS ${EDITOR_DEPS_PREFIX}/lib/libpng16.a)
    message(FATAL_ERROR "cross-built libpng not found under EDITOR_DEPS_PREFIX='${EDITOR_DEPS_PREFIX}': run tools/setup")
  endif()
  add_library(editor_png STATIC IMPORTED GLOBAL)
  set_target_properties(editor_png PROPERTIES
    IMPORTED_LOCATION ${EDITOR_DEPS_PREFIX}/lib/libpng16.a
    INTERFACE_INCLUDE_DIRECTORIES ${EDITOR_DEPS_PREFIX}/include
    INTERFACE_LINK_LIBRARIES editor_zlib)
else()
  find_package(ZLIB REQUIRED)
  find_package(PNG REQUIRED)
  add_library(editor_zlib INTERFACE)
  target_link_libraries(editor_zlib INTERFACE ZLIB::ZLIB)
  add_library(editor_png INTERFACE)
  target_link_libraries(editor_png INTERFACE PNG::PNG)
endif()

if(EDITOR_TESTS OR EDITOR_BENCH)
  set(EDITOR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${EDITOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  include(GoogleTest)
endif()
