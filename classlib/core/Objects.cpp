#include "classlib/core/Objects.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#if defined(__GNUG__)
#include <cxxabi.h>
#endif

#include "classlib/core/SysUtils.h"

// Sections: TObject; TPersistent; TComponent (ownership, names, notifications, state).

// ---- TObject ---------------------------------------------------------------------------------------------------

std::string TObject::ClassName() const
{
    const char* raw = typeid(*this).name();
#if defined(__GNUG__)
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(raw, nullptr, nullptr, &status), std::free);
    if (status == 0 && demangled)
        return demangled.get();
#endif
    return raw;
}

// ---- TPersistent -----------------------------------------------------------------------------------------------

void TPersistent::Assign(const TPersistent* source)
{
    if (!source)
        AssignError(nullptr);
    source->AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& dest) const
{
    dest.AssignError(this);
}

void TPersistent::AssignError(const TPersistent* source) const
{
    const std::string from = source ? source->ClassName() : "nil";
    throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

// ---- TComponent: ownership -------------------------------------------------------------------------------------

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Each partner unlinks itself while handling the notification's aftermath, so take them one at a time.
    while (!freeNotifies_.empty()) {
        TComponent* partner = freeNotifies_.back();
        RemoveFreeNotification(partner);
        partner->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const
{
    if (!owner_)
        return -1;
    const auto& list = owner_->components_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->owner_ == this)
        return;
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("A component named " + component->name_ + " already exists");
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    Insert(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (!component || component->owner_ != this)
        return;
    Notification(component, opRemove);
    Remove(component);
}

void TComponent::DestroyComponents()
{
    // A component's destructor takes it out of this list (through RemoveComponent), so the list shrinks.
    while (!components_.empty())
        delete components_.back();
}

void TComponent::Insert(TComponent* component)
{
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component)
{
    components_.erase(std::find(components_.begin(), components_.end(), component));
    component->owner_ = nullptr;
}

// ---- TComponent: names -----------------------------------------------------------------------------------------

namespace {

bool IsIdentifier(const std::string& s)
{
    auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (s.empty() || !letter(s[0]))
        return false;
    return std::all_of(s.begin(), s.end(), [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

} // namespace

void TComponent::SetName(const std::string& name)
{
    if (name == name_)
        return;
    if (!name.empty() && !IsIdentifier(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    if (owner_ && !name.empty()) {
        const TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EComponentError("A component named " + name + " already exists");
    }
    name_ = name;
}

// ---- TComponent: notifications ---------------------------------------------------------------------------------

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component)
        RemoveFreeNotification(component);
    // Iterate by index: a handler may free or remove components of this list.
    for (size_t i = components_.size(); i-- > 0;) {
        if (i < components_.size())
            components_[i]->Notification(component, operation);
    }
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
        freeNotifies_.push_back(component);
        component->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    auto drop = [](std::vector<TComponent*>& list, TComponent* c) {
        list.erase(std::remove(list.begin(), list.end(), c), list.end());
    };
    drop(freeNotifies_, component);
    drop(component->freeNotifies_, this);
}

// ---- TComponent: state -----------------------------------------------------------------------------------------

void TComponent::Loaded()
{
    state_ &= ~static_cast<unsigned>(csLoading);
}

void TComponent::Destroying()
{
    if (HasState(csDestroying))
        return;
    state_ |= csDestroying;
    for (TComponent* c : components_)
        c->Destroying();
}
