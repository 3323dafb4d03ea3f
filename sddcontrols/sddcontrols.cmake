# The SDD controls: painting and colour helpers, shared components, separator, panel, status bar and status
# panes, splitter and size panel. The colour maths, gradient bands and rectangle rules (the splitter's and the size
# panel's arithmetic among them) are platform-free (built natively with the sanitizers too); the painters, controls
# and their layout registration are Win32.
editor_core_library(sddcontrols_core SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/core/unSDDColors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/unSDDGradient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/unSDDGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/unSDDSplitGeometry.cpp)

editor_win32_library(sddcontrols SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/unSDDGrafx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDCommon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDCommonComponents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDBckgnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDStatus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDSplitBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDSplit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDSizePanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDDockManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDLayoutClasses.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDFramedControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDCmboBx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unSDDGrids.cpp
  DEPS sddcontrols_core classlib_controls)

# sdd_split_cursors(<var>): the resource script of the splitter's and size panel's cursors, for an executable's
# sources (every executable that shows either control); it is rebuilt when a cursor file changes.
function(sdd_split_cursors var)
  set(dir ${CMAKE_SOURCE_DIR}/sddcontrols/resources)
  set_source_files_properties(${dir}/SDDSplitCursors.rc PROPERTIES OBJECT_DEPENDS
    "${dir}/SDDSplitHorz.cur;${dir}/SDDSplitHorzHotSpot.cur;${dir}/SDDSplitVert.cur;${dir}/SDDSplitVertHotSpot.cur")
  set(${var} ${dir}/SDDSplitCursors.rc PARENT_SCOPE)
endfunction()
