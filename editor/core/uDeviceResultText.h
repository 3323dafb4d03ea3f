#pragma once
// The log line the main window writes for the framework's device-creation result: "Error Code : CREATING
// DEVICE..." and the like for the framework's own codes, "Found some Error... Error Code :" with the signed decimal
// code for any other failure, nothing for success.
#include <string>

#include "Common/core/Dev_ResultCodes.h"

// Empty for 0 (nothing is logged).
std::string DeviceResultLogText(TResultCode Code);
