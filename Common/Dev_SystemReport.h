#pragma once
// The system report written to the log at start-up: operating system, DirectX, processor, memory, graphics
// adapter and device settings, one labelled line each.
class TLogEngine;

// False only when no DirectX is installed (version 0); the report is then closed by two error lines.
bool LogSystemInformation(TLogEngine* Log);
