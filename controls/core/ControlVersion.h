// The read-only Version text the additional controls report: one decimal number per byte of a 32-bit version
// number, high byte first, joined by points (0x01080001 is "1.8.0.1").
#pragma once

#include <cstdint>
#include <string>

inline std::string ControlVersionText(uint32_t version) {
  return std::to_string(version >> 24) + '.' + std::to_string((version >> 16) & 0xFF) + '.' +
         std::to_string((version >> 8) & 0xFF) + '.' + std::to_string(version & 0xFF);
}
