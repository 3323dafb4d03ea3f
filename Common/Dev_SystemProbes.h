#pragma once
// Operating-system and processor probes of the system report.
#include <windows.h>

#include <string>

// Fills the extended version record (size 156), trying twice; False with dwOSVersionInfoSize 0 when both fail.
bool GetOSVersionInfo(OSVERSIONINFOEXA& Info);
// The system's name and service-pack text ("Microsoft Windows 7", " Professional"...); both empty on failure.
void GetOSName(std::string& Name, std::string& ServicePack);

// Reads the processor's vendor, family, model, features and count once (later calls do nothing).
void InitCPUInfo();
std::string GetCPUVendor();
std::string GetCPUFeatures();
std::string GetCPUExtendedFeatures();
std::string GetCPUFamily();
std::string GetCPUModel();
std::string GetCPUCount();
