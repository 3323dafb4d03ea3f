# The SDD tab control, the page control with its tab sheets, and their layout registration. The tab layout and
# the drawing arithmetic (rows, row space, shapes, cards, frames) are platform-free and built natively too.
target_sources(sddcontrols_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/core/unSDDTabLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/unSDDTabDrawing.cpp)
if(EDITOR_WIN32)
  target_sources(sddcontrols PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/unSDDTabSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/unSDDTabs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/unSDDTabPaint.cpp
    ${CMAKE_CURRENT_LIST_DIR}/unSDDPageControl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/unSDDTabLayoutClasses.cpp)
endif()
