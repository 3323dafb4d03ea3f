// The system report written to a real log file, with and without a device, and the version probes.
#include "Common/Dev_DXVersion.h"
#include "Common/Dev_LogEngineClass.h"
#include "Common/Dev_SystemReport.h"
#include "tests/Common/FrameworkFixture.h"
#include "tests/support/TempDir.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

using testsupport::TFrameworkTest;

// The report's lines after the banner, each from its label on ("Detected                    : ...").
std::vector<std::string> ReportLines(const std::string& Path)
{
    std::ifstream file(Path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (const auto& [tag, kind] :
             {std::pair{" - [INFO]  - ", "[INFO] "}, std::pair{" - [ERROR] - ", "[ERROR] "}}) {
            const size_t at = line.find(tag);
            if (at != std::string::npos) lines.push_back(kind + line.substr(at + std::strlen(tag)));
        }
    }
    return lines;
}

std::vector<std::string> Labels(const std::vector<std::string>& Lines)
{
    std::vector<std::string> labels;
    for (const std::string& line : Lines) labels.push_back(line.substr(0, line.find(": ") + 2));
    return labels;
}

std::string Info(const char* Label) { return std::string("[INFO] ") + Label; }

const std::vector<std::string> kHead = {
    Info("Detected                    : "), Info("DirectX Version             : "),
    Info("CPU Detected                : "), Info("CPU Model                   : "),
    Info("CPU Family                  : "), Info("CPU Count                   : "),
    Info("CPU Features                : "), Info("CPU Features                : "),
    Info("Base directory              : "), Info("Memory in Use               : "),
    Info("Total Paging memory         : "), Info("Total Virtual memory        : "),
    Info("Total Physical memory       : "), Info("Available Paging memory     : "),
    Info("Available Virtual memory    : "), Info("Available Physical memory   : "),
};

using SystemReport = TFrameworkTest;

TEST_F(SystemReport, WithADeviceEveryLineHasItsLabel)
{
    ASSERT_EQ(CreateDevice(1280, 1024), S_OK);
    DXUTSetConstantFrameTime(true, 0.0333f);
    testsupport::TempDir folder;
    const std::string path = folder.file("report.log");
    {
        TLogEngine log("Report test", "1.0", path);
        EXPECT_TRUE(LogSystemInformation(&log));
    }
    const std::vector<std::string> lines = ReportLines(path);
    std::vector<std::string> expected = kHead;
    for (const char* label :
         {"Graphic 3D Adapter          : ", "Graphic 3D Device           : ", "Graphic 3D Driver           : ",
          "Graphic 3D Version          : ", "Device supports             : "})
        expected.push_back(Info(label));
    for (int i = 0; i < 8; ++i) expected.push_back(Info("Device supports Max         : "));
    for (int i = 0; i < 3; ++i) expected.push_back(Info("Device supports             : "));
    for (int i = 0; i < 3; ++i) expected.push_back(Info("Device use                  : "));
    for (const char* label : {"Game Info Window            : ", "Game Info Size              : ",
                              "Game Info Interval          : ", "Game Info RR in Hz          : "})
        expected.push_back(Info(label));
    EXPECT_EQ(Labels(lines), expected);
    ASSERT_EQ(lines.size(), expected.size());
    const auto value = [&lines](size_t index) { return lines[index].substr(lines[index].find(": ") + 2); };
    EXPECT_EQ(value(1), "9.0c") << "DxDiag's version under this platform";
    EXPECT_NE(value(10).find(" KB ("), std::string::npos) << value(10);
    EXPECT_EQ(value(10).back(), ')');
    EXPECT_EQ(value(21).substr(value(21).find(' ')), " pix Texture Height");
    EXPECT_EQ(value(28).substr(value(28).find(' ')), " Stream Stride");
    EXPECT_EQ(value(29).rfind("Pixel Shader Version ", 0), 0u);
    EXPECT_EQ(value(31), "Yes can use non Power Of Two Texture") << "no POW2 restriction in the caps";
    EXPECT_EQ(value(32), "Device Type HAL");
    EXPECT_EQ(value(34), "Constant Frame Time Yes");
    EXPECT_EQ(value(35), "Window Mode");
    EXPECT_EQ(value(36), "1280 x 1024");
    EXPECT_EQ(value(37), "VSync Mode active");
    EXPECT_EQ(value(38), "Monitor Default");
}

TEST_F(SystemReport, WithoutADirect3DObjectTheAdapterLinesAreLeftOut)
{
    DXUTShutdownWithoutClose(0);
    testsupport::TempDir folder;
    const std::string path = folder.file("report.log");
    {
        TLogEngine log("Report test", "1.0", path);
        EXPECT_TRUE(LogSystemInformation(&log));
    }
    std::vector<std::string> expected = kHead;
    expected.push_back(Info("Game Info Size              : "));
    const std::vector<std::string> lines = ReportLines(path);
    ASSERT_EQ(lines.size(), expected.size() + 1);
    std::vector<std::string> labels = Labels(lines);
    labels.pop_back();
    EXPECT_EQ(labels, expected);
    EXPECT_EQ(lines.back(), "[ERROR] No good graphic system available on this PC..");
    EXPECT_TRUE(LogSystemInformation(nullptr)) << "a missing log writes nothing and fails nothing";
}

TEST(DXVersion, FileVersionsAndTheInstalledVersion)
{
    std::uint64_t version = 0;
    EXPECT_EQ(GetFileVersion(nullptr, version), E_INVALIDARG);
    EXPECT_EQ(GetFileVersion("", version), E_INVALIDARG);
    EXPECT_EQ(GetFileVersion("C:\\no\\such\\file.dll", version), E_FAIL);
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_EQ(GetFileVersion((std::string(system) + "\\d3d9.dll").c_str(), version), S_OK);
    EXPECT_GT(version >> 48, 0u);

    DWORD number = 0;
    std::string text;
    ASSERT_EQ(GetDXVersion(number, text), S_OK);
    EXPECT_EQ(number, 0x90003u);
    EXPECT_EQ(text, "9.0c");
    DWORD major = 0, minor = 0;
    char letter = 0;
    EXPECT_EQ(GetDirectXVersionViaFileVersions(major, minor, letter), S_OK);
    EXPECT_EQ(major, 9u) << "d3d9.dll alone makes 9.0";
}

} // namespace
