editor_test(controls_progress_core_tests CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/SDXProgressGeometryTest.cpp
  DEPS controls_progress_core)

# The button tests move the real cursor (the platform reports mouse leave from where it truly is), so they run
# alone. The test layout of the bar and layout tests is a resource (windres).
if(EDITOR_WIN32)
  editor_test(controls_pngbutton_tests SERIAL SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PNGButtonTest.cpp
    DEPS controls_additional)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/layouts/AdditionalTests.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/layouts/AdditionalTestForm.lay)
  editor_test(controls_progress_tests SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SDXProgressTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layouts/AdditionalTests.rc
    DEPS controls_additional)
endif()
