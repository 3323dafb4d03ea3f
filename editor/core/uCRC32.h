#pragma once
// CRC-32 of the game libraries for the start-up check: the standard reflected CRC-32 (polynomial 0xEDB88320,
// the one of zlib and IEEE 802.3), initial value 0xFFFFFFFF, final complement. The settings file keeps it as a
// signed 32-bit decimal.
#include <cstddef>
#include <cstdint>
#include <string>

// Advances the raw CRC register (no initial value, no final complement applied here) over Count bytes.
void CRC32Update(const void* Buffer, size_t Count, uint32_t& Crc);

// FileCRC32's error codes.
constexpr uint16_t FileCRC32Ok = 0;
constexpr uint16_t FileCRC32ReadError = 1;  // the file could not be opened or read to its end

// CRC-32 of the whole file, read in chunks. An empty file gives 0. On FileCRC32ReadError the result is 0 and
// means nothing: the caller must not compare it.
uint32_t FileCRC32(const std::string& FileName, uint16_t& Error);

// The value as the settings file stores it.
inline int32_t CRC32AsSetting(uint32_t Crc) { return static_cast<int32_t>(Crc); }
