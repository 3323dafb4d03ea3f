# The GDI+ object layer, the glow button's drawing, the mini-HTML renderer and the picture container. Their
# platform-free halves (markup and layout, picture bytes, colour arithmetic) build natively too and are fuzzed.
editor_core_library(controls_glowhtml_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/GlowColors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/HtmlMarkup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/HtmlLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/PictureBytes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/ReflectionAlpha.cpp
  DEPS classlib_core)

editor_win32_library(controls_glowhtml SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/GDIPObjects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageStream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EncodedGraphic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GDIPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GlowHintInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PictureContainer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HTMLDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GlowButtonDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReflectionLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GlowButton.cpp
  DEPS controls_glowhtml_core classlib_controls gdiplus ole32 oleaut32 uuid shell32 comctl32)
