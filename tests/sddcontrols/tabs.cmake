# Tests of the SDD tab control and page control: the platform-free layout and drawing arithmetic in the core
# test program, and the controls under Wine. These click, type and take the focus: they run alone.
if(TARGET sddcontrols_core_tests)
  target_sources(sddcontrols_core_tests PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/core/SDDTabLayoutTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/core/SDDTabDrawingTest.cpp)
endif()
if(EDITOR_WIN32)
  editor_test(sddcontrols_tab_tests SERIAL SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SDDTabControlTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SDDPageControlTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layouts/SDDTests.rc
    DEPS sddcontrols)
endif()
