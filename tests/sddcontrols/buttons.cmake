# Tests of the SDD buttons, check box and spin buttons under Wine, with the version 6 common controls so that the
# themed looks are live. They take the focus and press keys: they run alone.
if(EDITOR_WIN32)
  editor_test(sddcontrols_button_tests SERIAL SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SDDButtonTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SDDCheckBoxTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SDDSpinButtonsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layouts/SDDTests.rc
    DEPS sddcontrols)
endif()
