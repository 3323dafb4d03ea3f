#pragma once
// TSplashScreen: the borderless start-up screen shown before the main window exists. Its one operation,
// CheckImageLibraries, runs the image-library check and conversion of the client folder (uImageLibraryCheck.h)
// with the screen's two progress bars, the first-start question and the final message as its view.
//
// Layout: the text resource "SPLASHSCREEN" (layouts/SplashScreen.lay).
#include "classlib/Forms.h"
#include "editor/uImageLibraryCheck.h"

#include <cstdint>
#include <string>

class TImage;
class TPanel;
class TPNGButton;
class TSDXProgress;
class TLogEngine;

class TSplashScreen : public TForm, private TLibraryCheckView {
public:
    explicit TSplashScreen(TComponent* AOwner);

    // Checks and converts the libraries beside the executable; the result is true after a full conversion or a
    // first start. Never throws.
    bool CheckImageLibraries();
    // The same for another client folder (ending with a path delimiter).
    bool CheckImageLibraries(const std::string& ClientFolder);

    // The game library of Index 0 to 74 relative to the client folder; "" for any other index.
    static std::string GetLibraryFileName(int32_t Index) { return CheckedLibraryFileName(Index); }

    // Failures of the check are logged here; not owned, may be null.
    void SetLog(TLogEngine* ALog) { Log = ALog; }

    TImage* Image1 = nullptr;
    TPNGButton* PNGButton1 = nullptr;
    TPanel* plback = nullptr;
    TSDXProgress* progress = nullptr;
    TSDXProgress* convert = nullptr;

private:
    static void Register();
    TSDXProgress* Bar(TCheckBar Which) const;
    // The panel is drawn with rounded corners; its region follows its size.
    void RoundPanel();

    void SetMaximum(TCheckBar Which, int64_t Value) override;
    void SetPosition(TCheckBar Which, int64_t Value) override;
    void SetTextOption(TCheckBar Which, TCheckText Value) override;
    void SetCaption(TCheckBar Which, const std::string& Value) override;
    void SetPanelHeight(int Value) override;
    void HidePanel() override;
    void ProcessMessages() override;
    bool AskYesNo(const std::string& Text, const std::string& Caption) override;
    void ShowInfo(const std::string& Text) override;

    TLogEngine* Log = nullptr;
};
