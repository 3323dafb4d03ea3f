# The SDD controls II, buttons: the push and arrow buttons, the check box and the spin buttons. The check box loads
# its bitmaps from the executable's resources, so their script goes into every executable that links the library.
if(EDITOR_WIN32)
  target_sources(sddcontrols PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/unSDDButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/unSDDRadChk.cpp
    ${CMAKE_CURRENT_LIST_DIR}/unSDDSpnEdt.cpp)
  target_sources(sddcontrols INTERFACE ${CMAKE_CURRENT_LIST_DIR}/resources/unSDDRadChk.rc)
endif()
