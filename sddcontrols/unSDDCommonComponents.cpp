// Sections: frame controller; pushing by name; old properties; blinking.
#include "sddcontrols/unSDDCommonComponents.h"

#include <algorithm>
#include <typeindex>

#include "classlib/Timer.h"

// ---- frame controller -----------------------------------------------------------------------------------------

TSDDFrameController::TSDDFrameController(TComponent* owner)
    : TComponent(owner),
      color_(clWindow),
      flatButtonColor_(clBtnFace),
      disabledColor_(clBtnFace),
      focusColor_(clWindow),
      frameColor_(clBtnShadow),
      frameHotColor_(clBtnShadow) {}

TSDDFrameController::~TSDDFrameController() = default;

void TSDDFrameController::NotifyClients(int propIndex) {
  if (updateCount_ > 0 || !clients_) return;
  // A client may leave while it is pushed: walk a copy.
  const std::vector<TControl*> list = *clients_;
  for (TControl* c : list) UpdateControl(c, propIndex);
}

namespace {

template <class T>
bool StoreValue(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

void TSDDFrameController::SetColor(TColor value) {
  if (value == color_) return;
  if (focusColor_ == color_) focusColor_ = value;
  color_ = value;
  parentColor_ = false;
  NotifyClients(piColor);
}

void TSDDFrameController::SetParentColor(bool value) {
  if (!StoreValue(parentColor_, value)) return;
  NotifyClients(piParentColor);
  if (!value) NotifyClients(piColor);
}

void TSDDFrameController::SetFlatButtonColor(TColor value) {
  if (StoreValue(flatButtonColor_, value)) NotifyClients(piFlatButtonColor);
}
void TSDDFrameController::SetFlatButtons(bool value) {
  if (StoreValue(flatButtons_, value)) NotifyClients(piFlatButtons);
}
void TSDDFrameController::SetDisabledColor(TColor value) {
  if (StoreValue(disabledColor_, value)) NotifyClients(piDisabledColor);
}
void TSDDFrameController::SetFocusColor(TColor value) {
  if (StoreValue(focusColor_, value)) NotifyClients(piFocusColor);
}
void TSDDFrameController::SetFrameColor(TColor value) {
  if (StoreValue(frameColor_, value)) NotifyClients(piFrameColor);
}
void TSDDFrameController::SetFrameHotColor(TColor value) {
  if (StoreValue(frameHotColor_, value)) NotifyClients(piFrameHotColor);
}

void TSDDFrameController::SetFrameHotTrack(bool value) {
  if (!StoreValue(frameHotTrack_, value)) return;
  if (value) {
    SetFrameVisible(true);
    if (!HasState(csLoading)) frameSides_ = AllSides;
  }
  NotifyClients(piFrameHotTrack);
}

void TSDDFrameController::SetFrameHotStyle(TFrameStyle value) {
  if (StoreValue(frameHotStyle_, value)) NotifyClients(piFrameHotStyle);
}
void TSDDFrameController::SetFrameSides(TSides value) {
  if (StoreValue(frameSides_, value)) NotifyClients(piFrameSides);
}
void TSDDFrameController::SetFrameStyle(TFrameStyle value) {
  if (StoreValue(frameStyle_, value)) NotifyClients(piFrameStyle);
}
void TSDDFrameController::SetFrameVisible(bool value) {
  if (StoreValue(frameVisible_, value)) NotifyClients(piFrameVisible);
}
void TSDDFrameController::SetFramingPreference(TFramingPreference value) {
  if (StoreValue(framingPreference_, value)) NotifyClients(piFramingPreference);
}

void TSDDFrameController::SetRegIniFile(TSDDRegIniFile* value) {
  if (value == regIniFile_) return;
  if (regIniFile_) RemoveFreeNotification(regIniFile_);
  regIniFile_ = value;
  if (value) FreeNotification(value);
}

void TSDDFrameController::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == regIniFile_) regIniFile_ = nullptr;
}

void TSDDFrameController::RegisterClient(TControl* control) {
  if (!control) return;
  if (!clients_) clients_ = std::make_unique<std::vector<TControl*>>();
  if (std::find(clients_->begin(), clients_->end(), control) != clients_->end()) return;
  clients_->push_back(control);
  UpdateControl(control, piAll);
}

void TSDDFrameController::UnregisterClient(TControl* control) {
  if (!clients_) return;
  clients_->erase(std::remove(clients_->begin(), clients_->end(), control), clients_->end());
  if (clients_->empty()) clients_.reset();
}

void TSDDFrameController::EndUpdate() {
  --updateCount_;
  if (updateCount_ < 1) {
    updateCount_ = 0;
    NotifyClients(piAll);
  }
}

void TSDDFrameController::Loaded() {
  TComponent::Loaded();
  NotifyClients(piAll);
}

void TSDDFrameController::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TSDDFrameController*>(source);
  if (!other) {
    TComponent::Assign(source);
    return;
  }
  BeginUpdate();
  SetColor(other->color_);
  SetParentColor(other->parentColor_);
  SetFlatButtonColor(other->flatButtonColor_);
  SetFlatButtons(other->flatButtons_);
  SetDisabledColor(other->disabledColor_);
  SetFocusColor(other->focusColor_);
  SetFrameColor(other->frameColor_);
  SetFrameHotColor(other->frameHotColor_);
  SetFrameHotTrack(other->frameHotTrack_);
  SetFrameHotStyle(other->frameHotStyle_);
  SetFrameSides(other->frameSides_);
  SetFrameStyle(other->frameStyle_);
  SetFrameVisible(other->frameVisible_);
  SetFramingPreference(other->framingPreference_);
  EndUpdate();
}

void TSDDFrameController::ReadOldFrameFlat(bool value) { ApplyOldFrameFlat(*this, value); }

void SetClientFrameController(TControl& client, TSDDFrameController*& field, TSDDFrameController* value) {
  if (value == field) return;
  if (field) {
    field->UnregisterClient(&client);
    client.RemoveFreeNotification(field);
  }
  field = value;
  if (value) {
    value->RegisterClient(&client);
    client.FreeNotification(value);
  }
}

// ---- pushing by name ------------------------------------------------------------------------------------------

namespace {

TLayoutValue IntegerValue(int64_t v) {
  TLayoutValue value;
  value.Kind = TLayoutValueKind::Integer;
  value.Int = v;
  return value;
}

TLayoutValue IdentValue(const std::string& text) {
  TLayoutValue value;
  value.Kind = TLayoutValueKind::Ident;
  value.Text = text;
  return value;
}

TLayoutValue BoolValue(bool v) { return IdentValue(v ? "True" : "False"); }

TLayoutValue SidesValue(TSides sides) {
  TLayoutValue value;
  value.Kind = TLayoutValueKind::Set;
  for (int i = 0; i < 4; ++i)
    if (sides.Contains(static_cast<TSide>(i))) value.Idents.push_back(kSideNames[i]);
  return value;
}

// Writes a value through the control's property of that name in the layout registry; a control without such a
// property, or one that refuses the value, is skipped.
void WriteByName(TControl& control, const char* name, const TLayoutValue& value) {
  const TLayoutClass* cls = FindLayoutClass(std::type_index(typeid(control)));
  const TLayoutMember* member = cls ? cls->FindMember(name) : nullptr;
  if (!member || !member->Set) return;
  TLayoutReadState state;
  std::string error;
  try {
    member->Set(control, value, state, error);
  } catch (...) {
  }
}

}  // namespace

void TSDDFrameController::UpdateControl(TControl* control, int propIndex) {
  if (!control) return;
  if (auto* client = dynamic_cast<ISDDFrameControllerClient*>(control)) {
    try {
      client->UpdateFromFrameController();
    } catch (...) {
    }
    return;
  }
  const auto write = [&](int index, const char* name, const TLayoutValue& value) {
    if (propIndex == index || (propIndex == piAll && !(index == piColor && parentColor_)))
      WriteByName(*control, name, value);
  };
  if (propIndex < piAll || propIndex > piFramingPreference) return;
  write(piParentColor, "ParentColor", BoolValue(parentColor_));
  write(piColor, "Color", IntegerValue(color_));
  write(piDisabledColor, "DisabledColor", IntegerValue(disabledColor_));
  write(piFocusColor, "FocusColor", IntegerValue(focusColor_));
  write(piFlatButtonColor, "FlatButtonColor", IntegerValue(flatButtonColor_));
  write(piFlatButtons, "FlatButtons", BoolValue(flatButtons_));
  write(piFrameColor, "FrameColor", IntegerValue(frameColor_));
  write(piFrameHotColor, "FrameHotColor", IntegerValue(frameHotColor_));
  write(piFrameHotTrack, "FrameHotTrack", BoolValue(frameHotTrack_));
  write(piFrameHotStyle, "FrameHotStyle", IdentValue(kFrameStyleNames[frameHotStyle_]));
  write(piFrameSides, "FrameSides", SidesValue(frameSides_));
  write(piFrameStyle, "FrameStyle", IdentValue(kFrameStyleNames[frameStyle_]));
  write(piFrameVisible, "FrameVisible", BoolValue(frameVisible_));
  write(piFramingPreference, "FramingPreference", IdentValue(kFramingPreferenceNames[framingPreference_]));
}

// ---- old properties -------------------------------------------------------------------------------------------

namespace {

bool SkipKind(const TLayoutValue& value, TLayoutValueKind kind, std::string& error) {
  if (value.Kind == kind) return true;
  error = std::string("expected ") + LayoutValueKindName(kind) + ", found " + LayoutValueKindName(value.Kind);
  return false;
}

}  // namespace

bool TSDDOldPropReader::SkipIdent(const TLayoutValue& value, std::string& error) {
  return SkipKind(value, TLayoutValueKind::Ident, error);
}
bool TSDDOldPropReader::SkipInteger(const TLayoutValue& value, std::string& error) {
  return SkipKind(value, TLayoutValueKind::Integer, error);
}
bool TSDDOldPropReader::SkipSet(const TLayoutValue& value, std::string& error) {
  return SkipKind(value, TLayoutValueKind::Set, error);
}

// ---- blinking -------------------------------------------------------------------------------------------------

namespace {
std::unique_ptr<TSDDBlinkingControlsList>& BlinkingList() {
  static std::unique_ptr<TSDDBlinkingControlsList> list;
  return list;
}
}  // namespace

TSDDBlinkingControlsList& TSDDBlinkingControlsList::Acquire() {
  if (!BlinkingList()) BlinkingList() = std::make_unique<TSDDBlinkingControlsList>();
  return *BlinkingList();
}

TSDDBlinkingControlsList* TSDDBlinkingControlsList::Instance() { return BlinkingList().get(); }

void TSDDBlinkingControlsList::Release() {
  if (BlinkingList() && BlinkingList()->Count() == 0) BlinkingList().reset();
}

TSDDBlinkingControlsList::TSDDBlinkingControlsList() : timer_(std::make_unique<TTimer>(nullptr)) {
  timer_->SetInterval(intervalA_);
  timer_->SetOnTimer([this](TObject*) { Tick(); });
  timer_->SetEnabled(true);
}

TSDDBlinkingControlsList::~TSDDBlinkingControlsList() = default;

void TSDDBlinkingControlsList::Add(TControl* control) {
  if (control && std::find(controls_.begin(), controls_.end(), control) == controls_.end())
    controls_.push_back(control);
}

void TSDDBlinkingControlsList::Remove(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void TSDDBlinkingControlsList::Tick() {
  state_ = !state_;
  timer_->SetInterval(state_ ? intervalB_ : intervalA_);
  // A control may leave the list while it is told: walk a copy, asking only those still in it.
  const std::vector<TControl*> list = controls_;
  for (TControl* c : list) {
    if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
    if (c->Perform(CM_SDDISBLINKING) == 1) c->Perform(CM_SDDBLINK, state_ ? 1 : 0);
  }
}
