// CRC-32 of buffers and files: known check values, chunk boundaries of the file reader, and unreadable files.
#include <gtest/gtest.h>

#include "editor/core/uCRC32.h"
#include "tests/support/TempDir.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Bit-at-a-time reference over the raw register, independent of any table.
uint32_t ReferenceUpdate(uint32_t crc, const std::vector<uint8_t>& bytes)
{
    for (uint8_t b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc;
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> Pattern(size_t size)
{
    std::vector<uint8_t> out(size);
    uint32_t x = 0x12345678u;
    for (auto& b : out) {
        x = x * 1103515245u + 12345u;
        b = static_cast<uint8_t>(x >> 24);
    }
    return out;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct KnownValue {
    const char* Text;
    uint32_t Crc;
    int32_t Setting;  // as the settings file keeps it
};

TEST(CRC32, KnownValuesOfFilesAndTheirSettingsForm)
{
    const KnownValue rows[] = {
        {"", 0x00000000u, 0},
        {"a", 0xE8B7BE43u, -390611389},
        {"123456789", 0xCBF43926u, -873187034},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339u, 1095738169},
    };
    testsupport::TempDir dir;
    for (const auto& row : rows) {
        const std::string path = dir.file("lib.wil");
        WriteFile(path, Bytes(row.Text));
        uint16_t error = 77;
        EXPECT_EQ(FileCRC32(path, error), row.Crc) << row.Text;
        EXPECT_EQ(error, FileCRC32Ok) << row.Text;
        EXPECT_EQ(CRC32AsSetting(row.Crc), row.Setting) << row.Text;
    }
}

TEST(CRC32, UpdateAdvancesTheRawRegisterWithoutConditioning)
{
    // Split anywhere, the register carries across calls exactly like one pass.
    const std::vector<uint8_t> data = Pattern(1000);
    for (uint32_t start : {0u, 0xFFFFFFFFu, 0xCBF43926u}) {
        for (size_t cut : {size_t{0}, size_t{1}, size_t{333}, size_t{1000}}) {
            uint32_t crc = start;
            CRC32Update(data.data(), cut, crc);
            CRC32Update(data.data() + cut, data.size() - cut, crc);
            EXPECT_EQ(crc, ReferenceUpdate(start, data)) << start << " cut " << cut;
        }
    }
}

TEST(CRC32, FilesAcrossTheReadChunkBoundaries)
{
    testsupport::TempDir dir;
    const size_t chunk = 256 * 1024;
    for (size_t size : {chunk - 1, chunk, chunk + 1, 3 * chunk + 17}) {
        const std::vector<uint8_t> data = Pattern(size);
        const std::string path = dir.file("big.wil");
        WriteFile(path, data);
        uint16_t error = 77;
        EXPECT_EQ(FileCRC32(path, error), ~ReferenceUpdate(0xFFFFFFFFu, data)) << size;
        EXPECT_EQ(error, FileCRC32Ok) << size;
    }
}

TEST(CRC32, UnreadableFilesReportAReadErrorAndNoValue)
{
    testsupport::TempDir dir;
    const std::string rows[] = {dir.file("missing.wil"), dir.path().string()};
    for (const auto& path : rows) {
        uint16_t error = 0;
        EXPECT_EQ(FileCRC32(path, error), 0u) << path;
        EXPECT_EQ(error, FileCRC32ReadError) << path;
    }
}

}  // namespace
