#include <gtest/gtest.h>

#include "editor/core/uCRC32.h"
#include "tests/support/TempDir.h"

#include <fstream>
#include <optional>
#include <string>
#include <tuple>

namespace {

// The standard values (the long ones taken from another implementation) across the reader's 256 KiB chunks, and
// files that cannot be read.
TEST(CRC32, FilesGiveTheStandardValueOrAReadError)
{
    const size_t chunk = 256 * 1024;
    const std::tuple<const char*, std::optional<std::string>, uint32_t, uint16_t> rows[] = {
        {"check", "123456789", 0xCBF43926u, FileCRC32Ok},
        {"chunk", std::string(chunk, 'a'), 0xBA8D8DC4u, FileCRC32Ok},
        {"chunk + 1", std::string(chunk + 1, 'a'), 0x74043567u, FileCRC32Ok},
        {"missing", std::nullopt, 0, FileCRC32ReadError},
        {"", std::nullopt, 0, FileCRC32ReadError},  // the folder itself
    };
    testsupport::TempDir dir;
    for (const auto& [name, content, crc, expectedError] : rows) {
        if (content)
            std::ofstream(dir.file(name), std::ios::binary) << *content;
        uint16_t error = 77;
        EXPECT_EQ(FileCRC32(dir.file(name), error), crc) << name;
        EXPECT_EQ(error, expectedError) << name;
    }
    EXPECT_EQ(CRC32AsSetting(0xCBF43926u), -873187034);  // the settings keep it signed
}

}  // namespace
