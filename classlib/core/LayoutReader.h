// Building components from a window layout: registries of classes (created by name), of their properties
// (set by name, inherited along the registered base classes), of enumeration and constant names, and of a form's
// event handlers (bound by name).
//
// Reading order: every object is created by class name with the root as owner, named, given its parent (the
// enclosing object, through the class's parent hook) and then its properties, in the text's order. References to
// other components are resolved after the whole text is read; then Loaded runs on the root and every component
// read. Any unknown class, property, value or handler stops the reading with an error naming the file and line,
// and everything created so far is freed again.
//
// Sections: value conversion; class registry; registration helper; reading.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <vector>

#include "classlib/core/LayoutSets.h"
#include "classlib/core/LayoutText.h"
#include "classlib/core/Objects.h"

struct TLayoutReadState;

// ---- value conversion -----------------------------------------------------------------------------------------

// Names of an enumeration's values in order (value n has name n); used for enum and set properties.
void RegisterLayoutEnumNames(std::type_index type, std::vector<std::string> names);
template <class E>
void RegisterLayoutEnum(std::vector<std::string> names) {
  RegisterLayoutEnumNames(std::type_index(typeid(E)), std::move(names));
}
// Named integer constants usable wherever a number is expected (colour names, cursor names).
void RegisterLayoutConstant(const std::string& name, int64_t value);

bool LayoutLookupEnum(std::type_index type, const std::string& name, int& value);
bool LayoutLookupConstant(const std::string& name, int64_t& value);

bool LayoutConvert(const TLayoutValue& v, bool& out, std::string& error);
bool LayoutConvert(const TLayoutValue& v, std::string& out, std::string& error);
bool LayoutConvert(const TLayoutValue& v, double& out, std::string& error);
bool LayoutConvert(const TLayoutValue& v, std::vector<std::string>& out, std::string& error);
bool LayoutConvert(const TLayoutValue& v, std::vector<uint8_t>& out, std::string& error);
// Integers within [min, max]; identifiers through the constant registry.
bool LayoutConvertInteger(const TLayoutValue& v, int64_t min, int64_t max, int64_t& out, std::string& error);

template <class T>
  requires(std::is_integral_v<T> && !std::is_same_v<T, bool>)
bool LayoutConvert(const TLayoutValue& v, T& out, std::string& error) {
  // Unsigned 32-bit properties (colours) also take the signed spelling of the same bits.
  constexpr int64_t min = std::is_signed_v<T> ? static_cast<int64_t>(std::numeric_limits<T>::min())
                          : sizeof(T) == 4    ? INT32_MIN
                                              : 0;
  constexpr int64_t max = sizeof(T) >= 8 ? INT64_MAX : static_cast<int64_t>(std::numeric_limits<T>::max());
  int64_t value = 0;
  if (!LayoutConvertInteger(v, min, max, value, error)) return false;
  out = static_cast<T>(value);
  return true;
}

template <class E>
  requires std::is_enum_v<E>
bool LayoutConvert(const TLayoutValue& v, E& out, std::string& error) {
  int value = 0;
  if (v.Kind != TLayoutValueKind::Ident || !LayoutLookupEnum(typeid(E), v.Text, value)) {
    error = "invalid value " + (v.Kind == TLayoutValueKind::Ident ? "'" + v.Text + "'" : std::string("kind"));
    return false;
  }
  out = static_cast<E>(value);
  return true;
}

template <class E>
bool LayoutConvert(const TLayoutValue& v, TSet<E>& out, std::string& error) {
  if (v.Kind != TLayoutValueKind::Set) {
    error = "expected a set";
    return false;
  }
  TSet<E> s;
  for (const std::string& name : v.Idents) {
    int value = 0;
    if (!LayoutLookupEnum(typeid(E), name, value)) {
      error = "invalid set element '" + name + "'";
      return false;
    }
    s.Include(static_cast<E>(value));
  }
  out = s;
  return true;
}

// ---- class registry -------------------------------------------------------------------------------------------

// One settable name of a class: a value property, a sub-object ("Font" in "Font.Name") or a name read and dropped.
struct TLayoutMember {
  // Sets the value on the object; false with a message when the value does not fit.
  std::function<bool(TPersistent& object, const TLayoutValue& value, TLayoutReadState& state, std::string& error)>
      Set;
  // For sub-objects: the object the rest of a dotted name applies to.
  std::function<TPersistent*(TPersistent& object)> Sub;
};

// Binds one handler of a form to an event field when the event's type matches the handler's signature.
using THandlerBinder = std::function<bool(TComponent* form, void* eventField, std::type_index eventType)>;

struct TLayoutClass {
  std::string Name;
  std::type_index Type = typeid(void);
  const TLayoutClass* Base = nullptr;
  std::function<TComponent*(TComponent* owner)> Create;  // empty for classes never created by name
  // Places a new component into its enclosing one (controls: the parent); false with a message when impossible.
  std::function<bool(TComponent& child, TComponent& enclosing, std::string& error)> SetParent;
  std::map<std::string, TLayoutMember> Members;    // keys in lower case
  std::map<std::string, THandlerBinder> Handlers;  // keys in lower case

  const TLayoutMember* FindMember(std::string_view name) const;        // searches the bases too
  const THandlerBinder* FindHandler(std::string_view name) const;      // searches the bases too
  const TLayoutClass* FindParentHook() const;
};

TLayoutClass& RegisterLayoutClassEntry(const std::string& name, std::type_index type, std::type_index base);
const TLayoutClass* FindLayoutClass(std::string_view name);
const TLayoutClass* FindLayoutClass(std::type_index type);

// State of one reading, handed to the member setters.
struct TLayoutReadState {
  TComponent* Root = nullptr;
  // Component references, resolved against the root after the text is read.
  struct TFixup {
    std::string Name;
    int Line = 0;
    std::function<bool(TComponent* found, std::string& error)> Apply;
  };
  std::vector<TFixup> Fixups;
};

std::string LayoutKey(std::string_view name);
// Binds the handler named by `value` from the root's class to `eventField` of type `eventType`.
bool BindLayoutHandler(void* eventField, std::type_index eventType, const TLayoutValue& value,
                       TLayoutReadState& state, std::string& error);

// ---- registration helper --------------------------------------------------------------------------------------

namespace layout_detail {
template <class T>
struct TSetterArg;
template <class C, class V>
struct TSetterArg<void (C::*)(V)> {
  using Type = std::remove_cvref_t<V>;
};
template <class T>
struct TIsComponentPointer : std::false_type {};
template <class T>
struct TIsComponentPointer<T*> : std::is_base_of<TComponent, T> {};
}  // namespace layout_detail

// Registers class T (with its registered base class Base, or void) and its layout members:
//   TLayoutRegistration<TPanel, TCustomControl>("TPanel").Property("Caption", &TPanel::SetCaption) ...
template <class T, class Base = void>
class TLayoutRegistration {
public:
  explicit TLayoutRegistration(const std::string& name)
      : entry_(RegisterLayoutClassEntry(name, typeid(T), typeid(Base))) {
    if constexpr (std::is_constructible_v<T, TComponent*> && !std::is_abstract_v<T>)
      entry_.Create = [](TComponent* owner) -> TComponent* { return new T(owner); };
  }

  // A value property set through a member setter taking one value (by value or const reference); references to
  // components (pointer parameters) are set after the whole layout is read.
  template <class Setter>
  TLayoutRegistration& Property(const std::string& name, Setter setter) {
    using V = typename layout_detail::TSetterArg<Setter>::Type;
    if constexpr (layout_detail::TIsComponentPointer<V>::value) {
      AddSetter(name, [setter](T& obj, const TLayoutValue& v, TLayoutReadState& state, std::string& error) {
        if (v.Kind != TLayoutValueKind::Ident) {
          error = "expected a component name";
          return false;
        }
        T* target = &obj;
        state.Fixups.push_back({v.Text, v.Line, [target, setter](TComponent* found, std::string& err) {
                                  auto* typed = dynamic_cast<V>(found);
                                  if (!typed) {
                                    err = "component '" + found->Name() + "' has the wrong class";
                                    return false;
                                  }
                                  (target->*setter)(typed);
                                  return true;
                                }});
        return true;
      });
    } else {
      AddSetter(name, [setter](T& obj, const TLayoutValue& v, TLayoutReadState&, std::string& error) {
        V value{};
        if (!LayoutConvert(v, value, error)) return false;
        (obj.*setter)(value);
        return true;
      });
    }
    return *this;
  }

  // An event property bound by handler name to the root's registered handlers.
  template <class... A>
  TLayoutRegistration& Event(const std::string& name, TEvent<A...> T::*field) {
    AddSetter(name, [field](T& obj, const TLayoutValue& v, TLayoutReadState& state, std::string& error) {
      return BindHandler(obj.*field, v, state, error);
    });
    return *this;
  }

  // A sub-object reached by a dotted name ("Font.Name"); its own class must be registered.
  template <class S>
  TLayoutRegistration& SubObject(const std::string& name, S& (T::*getter)()) {
    TLayoutMember m;
    m.Sub = [getter](TPersistent& obj) -> TPersistent* { return &(static_cast<T&>(obj).*getter)(); };
    entry_.Members[Key(name)] = std::move(m);
    return *this;
  }

  // Extra named data the class reads itself (the define-property hook).
  TLayoutRegistration& Define(const std::string& name,
                              std::function<bool(T& object, const TLayoutValue& value, std::string& error)> read) {
    AddSetter(name, [read](T& obj, const TLayoutValue& v, TLayoutReadState&, std::string& error) {
      return read(obj, v, error);
    });
    return *this;
  }

  // A name that old layouts carry and that is read and dropped.
  TLayoutRegistration& Ignore(const std::string& name) {
    AddSetter(name, [](T&, const TLayoutValue&, TLayoutReadState&, std::string&) { return true; });
    return *this;
  }

  // How a new component is placed into its enclosing one.
  TLayoutRegistration& Parenting(std::function<bool(T& child, TComponent& enclosing, std::string& error)> hook) {
    entry_.SetParent = [hook](TComponent& child, TComponent& enclosing, std::string& error) {
      return hook(static_cast<T&>(child), enclosing, error);
    };
    return *this;
  }

  // A handler of the form class T that layouts bind to events by name.
  template <class F, class... A>
  TLayoutRegistration& Handler(const std::string& name, void (F::*method)(A...)) {
    static_assert(std::is_base_of_v<F, T>);
    entry_.Handlers[Key(name)] = [method](TComponent* form, void* field, std::type_index type) {
      T* typed = dynamic_cast<T*>(form);
      if (!typed || type != std::type_index(typeid(TEvent<A...>))) return false;
      *static_cast<TEvent<A...>*>(field) = TEvent<A...>::Bind(static_cast<F*>(typed), method);
      return true;
    };
    return *this;
  }

private:
  static std::string Key(const std::string& name);

  template <class... A>
  static bool BindHandler(TEvent<A...>& field, const TLayoutValue& v, TLayoutReadState& state, std::string& error) {
    return BindLayoutHandler(&field, typeid(TEvent<A...>), v, state, error);
  }

  template <class Fn>
  void AddSetter(const std::string& name, Fn fn) {
    TLayoutMember m;
    m.Set = [fn](TPersistent& obj, const TLayoutValue& v, TLayoutReadState& state, std::string& error) {
      return fn(static_cast<T&>(obj), v, state, error);
    };
    entry_.Members[Key(name)] = std::move(m);
  }

  TLayoutClass& entry_;

};

template <class T, class Base>
std::string TLayoutRegistration<T, Base>::Key(const std::string& name) {
  return LayoutKey(name);
}


// ---- reading --------------------------------------------------------------------------------------------------

struct TLayoutReadError {
  std::string File;
  int Line = 0;
  std::string Message;
  // "<file>(<line>): <message>"
  std::string Text() const;
};

// Reads the layout `text` (from `file`, named in errors) into `root`, whose dynamic class must be registered under
// the root object's class name. False with the error, and nothing created, when anything is wrong.
bool ReadLayout(TComponent& root, std::string_view text, const std::string& file, TLayoutReadError& error);
