#include "editor/uStartSplashScreen.h"

#include "classlib/Application.h"
#include "classlib/ExtCtrls.h"
#include "classlib/core/LayoutReader.h"
#include "classlib/core/SysUtils.h"
#include "controls/AdditionalLayoutClasses.h"
#include "controls/SDXProgress.h"
#include "controls/pngextra.h"
#include "editor/uLayoutLookup.h"

#include <windows.h>

namespace {

constexpr int PanelCornerDiameter = 6;

}  // namespace

void TSplashScreen::Register()
{
    static const bool done = (RegisterAdditionalLayoutClasses(),
                              TLayoutRegistration<TSplashScreen, TForm>("TSplashScreen"), true);
    (void)done;
}

TSplashScreen::TSplashScreen(TComponent* AOwner) : TForm(AOwner)
{
    Register();
    LoadLayout("SPLASHSCREEN");
    Image1 = LayoutControl<TImage>(*this, "Image1");
    PNGButton1 = LayoutControl<TPNGButton>(*this, "PNGButton1");
    plback = LayoutControl<TPanel>(*this, "plback");
    progress = LayoutControl<TSDXProgress>(*this, "progress");
    convert = LayoutControl<TSDXProgress>(*this, "convert");
    RoundPanel();
}

bool TSplashScreen::CheckImageLibraries() { return CheckImageLibraries(Application->ExeFolder()); }

bool TSplashScreen::CheckImageLibraries(const std::string& ClientFolder)
{
    TImageLibraryCheck check(ClientFolder, *this, Log);
    return check.Run();
}

void TSplashScreen::RoundPanel()
{
    HRGN region = CreateRoundRectRgn(0, 0, plback->Width() + 1, plback->Height() + 1, PanelCornerDiameter,
                                     PanelCornerDiameter);
    // The window owns the region from here on; on failure it is still ours to free.
    if (region && !SetWindowRgn(plback->Handle(), region, TRUE)) DeleteObject(region);
}

// ---- the check's view --------------------------------------------------------------------------------------------

TSDXProgress* TSplashScreen::Bar(TCheckBar Which) const { return Which == TCheckBar::Progress ? progress : convert; }

void TSplashScreen::SetMaximum(TCheckBar Which, int64_t Value) { Bar(Which)->SetMaximum(Value); }

void TSplashScreen::SetPosition(TCheckBar Which, int64_t Value) { Bar(Which)->SetPosition(Value); }

void TSplashScreen::SetTextOption(TCheckBar Which, TCheckText Value)
{
    switch (Value) {
    case TCheckText::NoText: return Bar(Which)->SetTextOption(toNoText);
    case TCheckText::Percent: return Bar(Which)->SetTextOption(toPercent);
    case TCheckText::Caption: return Bar(Which)->SetTextOption(toCaption);
    }
}

void TSplashScreen::SetCaption(TCheckBar Which, const std::string& Value) { Bar(Which)->SetCaption(Value); }

void TSplashScreen::SetPanelHeight(int Value)
{
    plback->SetHeight(Value);
    RoundPanel();
}

void TSplashScreen::HidePanel() { plback->Hide(); }

void TSplashScreen::ProcessMessages() { Application->ProcessMessages(); }

bool TSplashScreen::AskYesNo(const std::string& Text, const std::string& Caption)
{
    return Application->MessageBox(Text, Caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TSplashScreen::ShowInfo(const std::string& Text) { ShowMessage(Text); }
