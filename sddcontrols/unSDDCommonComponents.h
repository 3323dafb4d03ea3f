// The SDD library's shared components: the frame controller that pushes one frame-and-colour look into every
// control naming it, the client interface such controls implement, the readers that drop properties of older
// layouts, the program-wide list that makes status panes blink, and the registry/ini location component.
//
// Sections: frame controller; old properties; blinking; registry/ini location.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/core/LayoutReader.h"
#include "sddcontrols/core/unSDDCommonTypes.h"

class TTimer;
class TSDDRegIniFile;

// ---- frame controller -----------------------------------------------------------------------------------------

// A control that takes the controller's look itself; controls without it get the look written by property name.
class ISDDFrameControllerClient {
public:
  virtual ~ISDDFrameControllerClient() = default;
  virtual void UpdateFromFrameController() = 0;
};

class TSDDFrameController : public TComponent {
public:
  // Which property a push concerns; 0 is all of them.
  enum TPropIndex {
    piAll, piColor, piFocusColor, piDisabledColor, piParentColor, piFlatButtonColor, piFlatButtons, piFrameColor,
    piFrameHotColor, piFrameHotTrack, piFrameHotStyle, piFrameSides, piFrameStyle, piFrameVisible,
    piFramingPreference
  };

  explicit TSDDFrameController(TComponent* owner);
  ~TSDDFrameController() override;

  // Pushes one property, or all (piAll), into one client; indexes past the last property do nothing. Never throws.
  virtual void UpdateControl(TControl* control, int propIndex);
  // Pushes into every client in registration order, unless an update is open.
  virtual void NotifyClients(int propIndex);

  TColor Color() const { return color_; }
  virtual void SetColor(TColor value);
  bool ParentColor() const { return parentColor_; }
  virtual void SetParentColor(bool value);
  TColor FlatButtonColor() const { return flatButtonColor_; }
  virtual void SetFlatButtonColor(TColor value);
  bool FlatButtons() const { return flatButtons_; }
  virtual void SetFlatButtons(bool value);
  TColor DisabledColor() const { return disabledColor_; }
  virtual void SetDisabledColor(TColor value);
  TColor FocusColor() const { return focusColor_; }
  virtual void SetFocusColor(TColor value);
  TColor FrameColor() const { return frameColor_; }
  virtual void SetFrameColor(TColor value);
  TColor FrameHotColor() const { return frameHotColor_; }
  virtual void SetFrameHotColor(TColor value);
  bool FrameHotTrack() const { return frameHotTrack_; }
  virtual void SetFrameHotTrack(bool value);
  TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
  virtual void SetFrameHotStyle(TFrameStyle value);
  TSides FrameSides() const { return frameSides_; }
  virtual void SetFrameSides(TSides value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  virtual void SetFrameStyle(TFrameStyle value);
  bool FrameVisible() const { return frameVisible_; }
  virtual void SetFrameVisible(bool value);
  TFramingPreference FramingPreference() const { return framingPreference_; }
  virtual void SetFramingPreference(TFramingPreference value);
  TSDDRegIniFile* RegIniFile() const { return regIniFile_; }
  virtual void SetRegIniFile(TSDDRegIniFile* value);

  // Registering pushes every property into the new client at once; a control already registered is left alone.
  void RegisterClient(TControl* control);
  void UnregisterClient(TControl* control);
  int ClientCount() const { return clients_ ? static_cast<int>(clients_->size()) : 0; }
  void BeginUpdate() { ++updateCount_; }
  // Closing the last open update pushes everything.
  void EndUpdate();

  void Loaded() override;
  // Copies the fourteen look properties of another controller in one update.
  void Assign(const TPersistent* source) override;

  // The old "FrameFlat": hot tracking, and when set the status frame with a lowered hot frame.
  void ReadOldFrameFlat(bool value);

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  TColor color_;
  bool parentColor_ = false;
  std::unique_ptr<std::vector<TControl*>> clients_;  // exists only while there are clients
  TColor flatButtonColor_;
  bool flatButtons_ = true;
  TColor disabledColor_;
  TColor focusColor_;
  TColor frameColor_;
  TColor frameHotColor_;
  bool frameHotTrack_ = false;
  TFrameStyle frameHotStyle_ = fsFlatBold;
  TSides frameSides_ = AllSides;
  TFrameStyle frameStyle_ = fsFlat;
  bool frameVisible_ = false;
  TFramingPreference framingPreference_ = fpXPThemes;
  int updateCount_ = 0;
  TSDDRegIniFile* regIniFile_ = nullptr;
};

// The client side of the FrameController property: leaves the old controller, registers with the new one (which
// pushes its look) and links both ways so that a controller that goes away is cleared from `field`.
void SetClientFrameController(TControl& client, TSDDFrameController*& field, TSDDFrameController* value);

// ---- old properties -------------------------------------------------------------------------------------------

// Readers for properties older layouts hold and that no longer exist: the value is checked for its kind and
// dropped.
class TSDDOldPropReader {
public:
  static bool SkipIdent(const TLayoutValue& value, std::string& error);
  static bool SkipInteger(const TLayoutValue& value, std::string& error);
  static bool SkipSet(const TLayoutValue& value, std::string& error);
};

// The old "FrameFlat" of layouts: hot tracking, and when set the status frame with a lowered hot frame.
template <class T>
void ApplyOldFrameFlat(T& object, bool flat) {
  object.SetFrameHotTrack(flat);
  if (!flat) return;
  object.SetFrameStyle(fsStatus);
  object.SetFrameHotStyle(fsLowered);
}

// The old frame properties every frame-carrying class reads: "FrameFlat" into hot tracking (a flat frame becomes
// the status look with a lowered hot frame), "FrameFocusStyle" into the hot style, "FrameFlatStyle" dropped.
template <class T, class Base>
void DefineOldFrameProperties(TLayoutRegistration<T, Base>& registration) {
  registration
      .Define("FrameFlat", [](T& object, const TLayoutValue& v, std::string& e) {
        bool flat = false;
        if (!LayoutConvert(v, flat, e)) return false;
        ApplyOldFrameFlat(object, flat);
        return true;
      })
      .Define("FrameFocusStyle", [](T& object, const TLayoutValue& v, std::string& e) {
        TFrameStyle style = fsNone;
        if (!LayoutConvert(v, style, e)) return false;
        object.SetFrameHotStyle(style);
        return true;
      })
      .Define("FrameFlatStyle", [](T&, const TLayoutValue& v, std::string& e) {
        return TSDDOldPropReader::SkipIdent(v, e);
      });
}

// ---- blinking -------------------------------------------------------------------------------------------------

// Asks a control whether it blinks (answer 1) and tells it the new blink state (WParam 1 on, 0 off).
constexpr UINT CM_SDDISBLINKING = 0xB3E8;
constexpr UINT CM_SDDBLINK = 0xB3E9;

// One per program while any status pane exists. Its timer always ticks: each tick flips the state, the off state
// lasting interval A and the on state interval B, and tells every control that blinks.
class TSDDBlinkingControlsList : public TObject {
public:
  // The list, made on first use; Release frees it once it is empty.
  static TSDDBlinkingControlsList& Acquire();
  static TSDDBlinkingControlsList* Instance();
  static void Release();

  TSDDBlinkingControlsList();
  ~TSDDBlinkingControlsList() override;

  void Add(TControl* control);
  void Remove(TControl* control);
  int Count() const { return static_cast<int>(controls_.size()); }
  bool BlinkState() const { return state_; }
  uint16_t IntervalA() const { return intervalA_; }
  void SetIntervalA(uint16_t value) { intervalA_ = value; }
  uint16_t IntervalB() const { return intervalB_; }
  void SetIntervalB(uint16_t value) { intervalB_ = value; }
  const TTimer& Timer() const { return *timer_; }

  // The timer's tick (tests deliver ticks through it).
  void Tick();

private:
  bool state_ = true;
  std::vector<TControl*> controls_;
  std::unique_ptr<TTimer> timer_;
  uint16_t intervalA_ = 500;
  uint16_t intervalB_ = 500;
};

// ---- registry/ini location ------------------------------------------------------------------------------------

enum TSDDPathType { ptIniFile, ptRegistry };
enum TSDDRegKey {
  hkeyClassesRoot, hkeyCurrentUser, hkeyLocalMachine, hkeyUsers, hkeyPerformanceData, hkeyCurrentConfig, hkeyDynData
};
enum TSDDRegAccessItem {
  keyQueryValue, keySetValue, keyCreateSubKey, keyEnumerateSubKeys, keyNotify, keyCreateLink, keyRead, keyWrite,
  keyExecute, keyAllAccess
};
using TSDDRegAccess = TSet<TSDDRegAccessItem>;

// Names an ini file or registry location; nothing in the program reads it.
class TSDDRegIniFile : public TComponent {
public:
  using TComponent::TComponent;
  const std::string& Path() const { return path_; }
  void SetPath(const std::string& value) { Store(path_, value); }
  TSDDPathType PathType() const { return pathType_; }
  void SetPathType(TSDDPathType value) { Store(pathType_, value); }
  TSDDRegKey RegKey() const { return regKey_; }
  void SetRegKey(TSDDRegKey value) { Store(regKey_, value); }
  TSDDRegAccess RegAccess() const { return regAccess_; }
  void SetRegAccess(TSDDRegAccess value) { Store(regAccess_, value); }
  bool Changed() const { return changed_; }

private:
  template <class V>
  void Store(V& field, const V& value) {
    if (field == value) return;
    field = value;
    changed_ = true;
  }
  std::string path_;
  TSDDPathType pathType_ = ptIniFile;
  TSDDRegKey regKey_ = hkeyCurrentUser;
  TSDDRegAccess regAccess_{keyAllAccess};
  bool changed_ = true;
};
