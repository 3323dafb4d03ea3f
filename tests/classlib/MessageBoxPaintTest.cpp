// A message box the program shows over a borderless window is readable where a user looks: its pixels, read from
// the screen while the box overlaps the window, are not all one colour and not the black of an unpainted window.
// The pixels come from the test screen's framebuffer (EDITOR_SCREEN_FILE, an XWD image the Wine test environment
// provides), which is what the display shows; without one the test is skipped.
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "tests/classlib/RuntimeTestSupport.h"
#include "tests/support/ScreenFramebuffer.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const BoxCaption = "Readable box";

// Filled by the timer that runs inside the box's own message loop.
struct TProbe {
    HWND Box = nullptr;
    RECT Client{};
    int Ticks = 0;
    bool Read = false;
    std::vector<unsigned> Pixels;
} probe;

BOOL CALLBACK FindBox(HWND window, LPARAM)
{
    char className[32] = "", title[64] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (!IsWindowVisible(window) || std::string(className) != "#32770" || std::string(title) != BoxCaption) return TRUE;
    probe.Box = window;
    return FALSE;
}

// Waits about half a second after the box shows (time to paint), reads its client area, then answers it.
void CALLBACK OnTick(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!probe.Box) EnumThreadWindows(GetCurrentThreadId(), &FindBox, 0);
    if (!probe.Box || ++probe.Ticks < 5) return;
    KillTimer(nullptr, id);
    GetClientRect(probe.Box, &probe.Client);
    MapWindowPoints(probe.Box, nullptr, reinterpret_cast<POINT*>(&probe.Client), 2);
    probe.Read = testsupport::ReadXwdPixels(std::getenv("EDITOR_SCREEN_FILE"), probe.Client, probe.Pixels);
    PostMessageA(probe.Box, WM_COMMAND, IDOK, 0);
}

TEST(MessageBoxPaint, TheBoxIsReadableWhereItOverlapsABorderlessWindow)
{
    if (!std::getenv("EDITOR_SCREEN_FILE")) GTEST_SKIP() << "no framebuffer file: runs through tools/test";
    TForm* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetColor(RGB(200, 30, 30));
    form->SetClientWidth(640);
    form->SetClientHeight(480);
    form->SetPosition(poScreenCenter);
    form->Show();
    runtimetest::PumpFor(200);

    Application->OnMessageBox = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &OnTick);
    ASSERT_NE(timer, 0u);
    const int answer = Application->MessageBox("The text a user must be able to read\r\nand its second line",
                                               BoxCaption, MB_OK | MB_ICONQUESTION);
    EXPECT_EQ(answer, IDOK);
    RECT formRect{}, overlap{};
    GetWindowRect(form->Handle(), &formRect);
    delete form;

    ASSERT_NE(probe.Box, nullptr);
    ASSERT_TRUE(probe.Read);
    ASSERT_TRUE(IntersectRect(&overlap, &formRect, &probe.Client));
    EXPECT_TRUE(EqualRect(&overlap, &probe.Client)) << "the box lies wholly over the window";
    std::map<unsigned, size_t> counts;
    for (unsigned pixel : probe.Pixels) ++counts[pixel];
    const auto commonest = std::max_element(counts.begin(), counts.end(),
                                            [](const auto& a, const auto& b) { return a.second < b.second; });
    const size_t others = probe.Pixels.size() - commonest->second;
    EXPECT_GT(others, probe.Pixels.size() / 50) << "all one colour: " << std::hex << commonest->first;
    EXPECT_LT(counts[0x000000], probe.Pixels.size() / 2) << "mostly black";
}

}  // namespace
