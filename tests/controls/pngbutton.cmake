editor_test(controls_progress_core_tests CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/SDXProgressGeometryTest.cpp
  DEPS controls_progress_core)

# The button and layout tests move the real cursor (the platform reports mouse leave from where it truly is), so
# they run alone. The test layout is a resource (windres).
if(EDITOR_WIN32)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/layouts/AdditionalTests.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/layouts/AdditionalTestForm.lay)
  editor_test(controls_pngbutton_tests SERIAL SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PNGButtonTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AdditionalLayoutTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layouts/AdditionalTests.rc
    DEPS controls_additional)
  editor_test(controls_progress_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SDXProgressTest.cpp
    DEPS controls_additional)
endif()
