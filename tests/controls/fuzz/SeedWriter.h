// The seed programs' common part: writes each seed as a file of its own into the corpus folder that is the
// program's only argument. Returns the program's exit code.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

inline int WriteSeeds(int argc, char** argv, const std::vector<std::string>& seeds, const std::string& extension) {
  if (argc != 2) return 2;
  std::error_code ec;
  std::filesystem::create_directories(argv[1], ec);
  int n = 0;
  for (const std::string& seed : seeds) {
    std::ofstream out(std::string(argv[1]) + "/seed" + std::to_string(n++) + extension, std::ios::binary);
    out.write(seed.data(), static_cast<std::streamsize>(seed.size()));
    if (!out) return 1;
  }
  return 0;
}
