#pragma once
// Whole-file reads and writes for the class-library tests, in binary so line breaks stay as they are.
#include <fstream>
#include <iterator>
#include <string>

namespace classlibtest {

inline std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFileText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace classlibtest
