#pragma once
// The program's start: the log, the start-up screen with its library check, the pause after it, the main window
// (which takes the log over) and the application's run until the main window closes. WinMain calls it with the
// executable's folder.
#include <string>

// Runs the program in ClientFolder (with its trailing delimiter); returns the process's exit code: the framework's
// (0 after a normal close), or 1 when the start-up failed. A failure is written to the log ("LogFile.log" in the
// folder) with its reason, or, when the log itself cannot be created, reported through the application. Never
// throws.
int ProgramMain(const std::string& ClientFolder);
