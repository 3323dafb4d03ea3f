# The platform-free half of the class library: object model, exceptions, streams, text and ini files, the paths
# the file dialog makes.
set(classlib_core_sources
  core/FileDialogPaths.cpp
  core/IniFiles.cpp
  core/IniText.cpp
  core/Objects.cpp
  core/SafeFile.cpp
  core/Streams.cpp
  core/StringList.cpp
  core/SysUtils.cpp
)
if(EDITOR_WIN32)
  list(APPEND classlib_core_sources SafeFile_win32.cpp)
else()
  list(APPEND classlib_core_sources core/SafeFile_posix.cpp)
endif()
editor_core_library(classlib_core SOURCES ${classlib_core_sources})
