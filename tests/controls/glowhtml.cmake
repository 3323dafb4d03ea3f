editor_test(controls_glowhtml_core_tests CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/GlowColorsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/HtmlMarkupTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/HtmlLayoutTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/PictureBytesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/ReflectionAlphaTest.cpp
  DEPS controls_glowhtml_core)

editor_fuzz_target(html_markup_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/HtmlFuzz.cpp
  DEPS controls_glowhtml_core
  SEED_SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/HtmlSeeds.cpp)

editor_fuzz_target(gif_frames_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/GifFuzz.cpp
  DEPS controls_glowhtml_core
  SEED_SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz/GifSeeds.cpp)

if(EDITOR_WIN32)
  editor_test(controls_glowhtml_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/GdiplusTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PictureContainerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HTMLDrawTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GlowButtonDrawTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReflectionLabelTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GlowButtonTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layouts/PictureTests.rc
    DEPS controls_glowhtml controls_additional)
  # The drop-down menu's real pop-up needs the foreground window.
  editor_test(controls_glowmenu_tests SERIAL SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/GlowButtonMenuTest.cpp
    DEPS controls_glowhtml controls_additional)
endif()
