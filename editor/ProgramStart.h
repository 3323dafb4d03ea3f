#pragma once
// The program's start-up up to the main window: the log, the start-up screen with its library check, the pause
// after it. WinMain calls it with the executable's folder.
#include <string>

// Runs the start-up in ClientFolder (with its trailing delimiter); returns the process's exit code: 0, or 1 when
// the start-up failed. A failure is written to the log ("LogFile.log" in the folder) with its reason, or, when the
// log itself cannot be created, reported through the application. Never throws.
int ProgramMain(const std::string& ClientFolder);
