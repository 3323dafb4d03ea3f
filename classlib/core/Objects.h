#pragma once
// The object model: the root TObject, TPersistent (Assign) and TComponent (ownership, names, free notification,
// loading state), and events as bound callbacks.
//
// Sections: events; TObject; TPersistent; TComponent.
#include <functional>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class TObject;

// ---- events ----------------------------------------------------------------------------------------------------

// A callback bound to an object's member function (or any callable). Calling an unset event does nothing.
template <class... Args>
class TEvent {
public:
    TEvent() = default;
    TEvent(std::nullptr_t) {}
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TEvent> &&
                                                std::is_invocable_v<F&, Args...>>>
    TEvent(F f) : fn_(std::move(f)) {}

    // The handler `method` of `object`, e.g. TNotifyEvent::Bind(this, &TForm1::Button1Click).
    template <class T, class M>
    static TEvent Bind(T* object, M method)
    {
        return TEvent([object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); });
    }

    bool Assigned() const { return static_cast<bool>(fn_); }
    explicit operator bool() const { return Assigned(); }
    void operator()(Args... args) const
    {
        if (fn_)
            fn_(std::forward<Args>(args)...);
    }

private:
    std::function<void(Args...)> fn_;
};

using TNotifyEvent = TEvent<TObject* /*Sender*/>;

// ---- TObject ---------------------------------------------------------------------------------------------------

class TObject {
public:
    virtual ~TObject() = default;
    // The dynamic class's name as written in the source ("TStringList"), for messages.
    std::string ClassName() const;
};

// ---- TPersistent -----------------------------------------------------------------------------------------------

class TPersistent : public TObject {
public:
    // Copies `source`'s state into this object. The default asks the source (AssignTo) and, when neither side
    // knows the other, throws EConvertError "Cannot assign a <source class> to a <target class>" ("nil" for null).
    virtual void Assign(const TPersistent* source);

protected:
    virtual void AssignTo(TPersistent& dest) const;

    [[noreturn]] void AssignError(const TPersistent* source) const;
};

// ---- TComponent ------------------------------------------------------------------------------------------------

enum TOperation { opInsert, opRemove };

// Component state flags, combined with |. csLoading lasts from the start of reading a layout until Loaded;
// csReading while the component's own properties are being read; csDestroying from the start of destruction.
enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csDestroying = 1u << 2,
    csDesigning = 1u << 3,  // never set in this program (there is no form designer)
};
using TComponentState = unsigned;

class TComponent : public TPersistent {
public:
    // The owner (if any) takes the new component into its list and frees it with itself.
    explicit TComponent(TComponent* owner);
    // Marks the component and everything it owns as destroying, tells the free-notification partners, frees the
    // owned components (last inserted first), and leaves the owner's list (which notifies the owner).
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // Throws EListError "List index out of bounds (i)".
    TComponent* Components(int index) const;
    // Position in the owner's list, -1 without owner.
    int ComponentIndex() const;
    // Case-insensitive search among the owned components; null for an empty or unknown name.
    TComponent* FindComponent(const std::string& name) const;

    const std::string& Name() const { return name_; }
    // Names are empty or identifiers, unique (ignoring case) among the owner's components. Throws
    // EComponentError "'<name>' is not a valid component name" or "A component named <name> already exists".
    void SetName(const std::string& name);

    // Takes `component` from its current owner (if any) into this one's list, notifying opInsert.
    void InsertComponent(TComponent* component);
    // Takes `component` out of this one's list, notifying opRemove; the caller then owns it.
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last inserted first. A derived destructor may call it early, while its own
    // members are still alive for the components' destructors.
    void DestroyComponents();

    // Links this component with `component` both ways: whichever dies first sends the other Notification(opRemove)
    // with itself, so stored references can be cleared.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    TComponentState ComponentState() const { return state_; }
    bool HasState(TComponentStateFlag flag) const { return (state_ & flag) != 0; }
    // Layout reading: BeginLoading sets csLoading and csReading; EndReading clears csReading once the component's
    // own properties are read; Loaded clears csLoading after the whole layout is read and fixed up.
    void BeginLoading() { state_ |= csLoading | csReading; }
    void EndReading() { state_ &= ~static_cast<unsigned>(csReading); }
    virtual void Loaded();
    // Sets csDestroying here and in every owned component, recursively.
    void Destroying();

    intptr_t Tag = 0;  // free for the program's use

protected:
    // Told when `component` is inserted into or removed from this component's list, when a free-notification
    // partner dies, and, forwarded by the owner, about the owner's other components. Overrides clear their
    // references to a removed component and call the base, which forwards to the owned components. During
    // opRemove the component may be half destroyed: compare its address only.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;     // owned, in insertion order
    std::vector<TComponent*> freeNotifies_;   // partners, linked both ways
    std::string name_;
    TComponentState state_ = 0;
};
