// Sections: registries; value conversion; class lookup; handlers; reading.
#include "classlib/core/LayoutReader.h"

#include <exception>
#include <unordered_map>

#include "classlib/core/SysUtils.h"

// ---- registries -----------------------------------------------------------------------------------------------

namespace {

// Types are hashed, never ordered: type_info's ordering is not consistent for classes in unnamed namespaces
// under every compiler this program is built with.
struct TRegistry {
  std::unordered_map<std::type_index, std::unique_ptr<TLayoutClass>> ByType;
  std::map<std::string, TLayoutClass*> ByName;  // lower-case keys
  std::unordered_map<std::type_index, std::type_index> BaseOf;
  std::unordered_map<std::type_index, std::vector<std::string>> Enums;
  std::map<std::string, int64_t> Constants;     // lower-case keys
};

TRegistry& Registry() {
  static TRegistry r;
  return r;
}

}  // namespace

std::string LayoutKey(std::string_view name) { return LowerCase(name); }

void RegisterLayoutEnumNames(std::type_index type, std::vector<std::string> names) {
  Registry().Enums[type] = std::move(names);
}

void RegisterLayoutConstant(const std::string& name, int64_t value) { Registry().Constants[LayoutKey(name)] = value; }

bool LayoutLookupEnum(std::type_index type, const std::string& name, int& value) {
  auto it = Registry().Enums.find(type);
  if (it == Registry().Enums.end()) return false;
  for (size_t i = 0; i < it->second.size(); ++i)
    if (SameText(it->second[i], name)) {
      value = static_cast<int>(i);
      return true;
    }
  return false;
}

bool LayoutLookupConstant(const std::string& name, int64_t& value) {
  auto it = Registry().Constants.find(LayoutKey(name));
  if (it == Registry().Constants.end()) return false;
  value = it->second;
  return true;
}

// ---- value conversion -----------------------------------------------------------------------------------------

namespace {
bool KindError(const TLayoutValue& v, const char* expected, std::string& error) {
  error = std::string("expected ") + expected + ", found " + LayoutValueKindName(v.Kind);
  if (v.Kind == TLayoutValueKind::Ident) error += " '" + v.Text + "'";
  return false;
}
}  // namespace

bool LayoutConvert(const TLayoutValue& v, bool& out, std::string& error) {
  if (v.Kind == TLayoutValueKind::Ident && (SameText(v.Text, "True") || SameText(v.Text, "False"))) {
    out = SameText(v.Text, "True");
    return true;
  }
  return KindError(v, "True or False", error);
}

bool LayoutConvert(const TLayoutValue& v, std::string& out, std::string& error) {
  if (v.Kind != TLayoutValueKind::String) return KindError(v, "a string", error);
  out = v.Text;
  return true;
}

bool LayoutConvert(const TLayoutValue& v, double& out, std::string& error) {
  if (v.Kind == TLayoutValueKind::Float) {
    out = v.Float;
    return true;
  }
  if (v.Kind == TLayoutValueKind::Integer) {
    out = static_cast<double>(v.Int);
    return true;
  }
  return KindError(v, "a number", error);
}

bool LayoutConvert(const TLayoutValue& v, std::vector<std::string>& out, std::string& error) {
  if (v.Kind != TLayoutValueKind::List) return KindError(v, "a list of strings", error);
  std::vector<std::string> lines;
  for (const TLayoutValue& item : v.Items) {
    if (item.Kind != TLayoutValueKind::String) return KindError(item, "a string in the list", error);
    lines.push_back(item.Text);
  }
  out = std::move(lines);
  return true;
}

bool LayoutConvert(const TLayoutValue& v, std::vector<uint8_t>& out, std::string& error) {
  if (v.Kind != TLayoutValueKind::Binary) return KindError(v, "binary data", error);
  out = v.Bytes;
  return true;
}

bool LayoutConvertInteger(const TLayoutValue& v, int64_t min, int64_t max, int64_t& out, std::string& error) {
  int64_t value = 0;
  if (v.Kind == TLayoutValueKind::Integer) {
    value = v.Int;
  } else if (v.Kind == TLayoutValueKind::Ident) {
    if (!LayoutLookupConstant(v.Text, value)) {
      error = "unknown value '" + v.Text + "'";
      return false;
    }
  } else {
    return KindError(v, "an integer", error);
  }
  if (value < min || value > max) {
    error = "value " + std::to_string(value) + " out of range " + std::to_string(min) + ".." + std::to_string(max);
    return false;
  }
  out = value;
  return true;
}

// ---- class lookup ---------------------------------------------------------------------------------------------

TLayoutClass& RegisterLayoutClassEntry(const std::string& name, std::type_index type, std::type_index base) {
  TRegistry& r = Registry();
  auto& slot = r.ByType[type];
  if (!slot) slot = std::make_unique<TLayoutClass>();
  slot->Name = name;
  slot->Type = type;
  r.ByName[LayoutKey(name)] = slot.get();
  if (base != std::type_index(typeid(void))) r.BaseOf.insert_or_assign(type, base);
  // Bases are resolved late so that registration order does not matter.
  for (auto& [t, cls] : r.ByType) {
    auto b = r.BaseOf.find(t);
    cls->Base = nullptr;
    if (b != r.BaseOf.end()) {
      auto bc = r.ByType.find(b->second);
      if (bc != r.ByType.end()) cls->Base = bc->second.get();
    }
  }
  return *slot;
}

const TLayoutClass* FindLayoutClass(std::string_view name) {
  auto it = Registry().ByName.find(LayoutKey(name));
  return it == Registry().ByName.end() ? nullptr : it->second;
}

const TLayoutClass* FindLayoutClass(std::type_index type) {
  auto it = Registry().ByType.find(type);
  return it == Registry().ByType.end() ? nullptr : it->second.get();
}

const TLayoutMember* TLayoutClass::FindMember(std::string_view name) const {
  std::string key = LayoutKey(name);
  for (const TLayoutClass* c = this; c; c = c->Base) {
    auto it = c->Members.find(key);
    if (it != c->Members.end()) return &it->second;
  }
  return nullptr;
}

const THandlerBinder* TLayoutClass::FindHandler(std::string_view name) const {
  std::string key = LayoutKey(name);
  for (const TLayoutClass* c = this; c; c = c->Base) {
    auto it = c->Handlers.find(key);
    if (it != c->Handlers.end()) return &it->second;
  }
  return nullptr;
}

const TLayoutClass* TLayoutClass::FindParentHook() const {
  for (const TLayoutClass* c = this; c; c = c->Base)
    if (c->SetParent) return c;
  return nullptr;
}

// ---- handlers -------------------------------------------------------------------------------------------------

bool BindLayoutHandler(void* eventField, std::type_index eventType, const TLayoutValue& value,
                       TLayoutReadState& state, std::string& error) {
  if (value.Kind != TLayoutValueKind::Ident) return KindError(value, "a handler name", error);
  const TLayoutClass* rootClass = FindLayoutClass(typeid(*state.Root));
  const THandlerBinder* binder = rootClass ? rootClass->FindHandler(value.Text) : nullptr;
  if (!binder) {
    error = "unknown handler '" + value.Text + "'";
    return false;
  }
  if (!(*binder)(state.Root, eventField, eventType)) {
    error = "handler '" + value.Text + "' does not fit the event";
    return false;
  }
  return true;
}

// ---- reading --------------------------------------------------------------------------------------------------

std::string TLayoutReadError::Text() const { return File + "(" + std::to_string(Line) + "): " + Message; }

namespace {

class TReader {
public:
  TReader(TComponent& root, const std::string& file, TLayoutReadError& error) : Root(root), File(file), Error(error) {
    State.Root = &root;
  }

  TComponent& Root;
  std::string RootName;  // the layout's name of the root, which references use
  const std::string& File;
  TLayoutReadError& Error;
  TLayoutReadState State;
  std::vector<TComponent*> Created;  // in creation order

  bool Fail(int line, std::string message) {
    Error = TLayoutReadError{File, line, std::move(message)};
    return false;
  }

  // Resolves a possibly dotted name to its member, walking sub-objects.
  bool SetProperty(TPersistent& object, const TLayoutProperty& p) {
    TPersistent* target = &object;
    std::string_view rest = p.Name;
    for (;;) {
      const TLayoutClass* cls = FindLayoutClass(typeid(*target));
      if (!cls) return Fail(p.Line, "class " + target->ClassName() + " has no layout properties");
      // A member registered under the whole dotted rest ("Lines.Strings") wins over a sub-object.
      size_t dot = rest.find('.');
      const TLayoutMember* m = cls->FindMember(rest);
      if (m && m->Set) dot = std::string_view::npos;
      std::string_view head = rest.substr(0, dot);
      if (!m || !m->Set) m = cls->FindMember(head);
      if (!m) return Fail(p.Line, "unknown property '" + std::string(p.Name) + "' of " + cls->Name);
      if (dot == std::string_view::npos) {
        if (!m->Set) return Fail(p.Line, "property '" + p.Name + "' needs a sub-property");
        std::string message;
        try {
          if (m->Set(*target, p.Value, State, message)) return true;
        } catch (const std::exception& e) {
          message = e.what();
        }
        return Fail(p.Line, "property '" + p.Name + "': " + message);
      }
      if (!m->Sub) return Fail(p.Line, "property '" + std::string(head) + "' has no sub-properties");
      target = m->Sub(*target);
      if (!target) return Fail(p.Line, "property '" + std::string(head) + "' is not available");
      rest = rest.substr(dot + 1);
    }
  }

  bool ReadProperties(TComponent& component, const TLayoutObject& o) {
    for (const TLayoutProperty& p : o.Properties)
      if (!SetProperty(component, p)) return false;
    component.EndReading();
    return true;
  }

  bool ReadChildren(TComponent& enclosing, const TLayoutObject& o) {
    for (const TLayoutObject& child : o.Children)
      if (!ReadChild(enclosing, child)) return false;
    return true;
  }

  bool ReadChild(TComponent& enclosing, const TLayoutObject& o) {
    const TLayoutClass* cls = FindLayoutClass(o.ClassName);
    if (!cls || !cls->Create) return Fail(o.Line, "unknown class '" + o.ClassName + "'");
    TComponent* c = nullptr;
    std::string message;
    try {
      c = cls->Create(&Root);
      Created.push_back(c);
      c->BeginLoading();
      c->SetName(o.Name);
      const TLayoutClass* hook = cls->FindParentHook();
      if (hook && !hook->SetParent(*c, enclosing, message)) return Fail(o.Line, message);
    } catch (const std::exception& e) {
      return Fail(o.Line, e.what());
    }
    return ReadProperties(*c, o) && ReadChildren(*c, o);
  }

  bool FixReferences() {
    for (TLayoutReadState::TFixup& f : State.Fixups) {
      const bool root = SameText(f.Name, Root.Name()) || (!RootName.empty() && SameText(f.Name, RootName));
      TComponent* found = root ? &Root : Root.FindComponent(f.Name);
      if (!found) return Fail(f.Line, "unknown component '" + f.Name + "'");
      std::string message;
      try {
        if (f.Apply(found, message)) continue;
      } catch (const std::exception& e) {
        message = e.what();
      }
      return Fail(f.Line, message);
    }
    return true;
  }

  void Undo() {
    for (auto it = Created.rbegin(); it != Created.rend(); ++it) delete *it;
    Created.clear();
  }
};

}  // namespace

namespace {

// A window made again while its owner holds one of the same layout (a second dialog) is named "<name>_1", "_2"...
std::string UniqueRootName(const TComponent& root, const std::string& name) {
  const TComponent* owner = root.Owner();
  std::string unique = name;
  for (int n = 1; owner && owner->FindComponent(unique) && owner->FindComponent(unique) != &root; ++n)
    unique = name + "_" + std::to_string(n);
  return unique;
}

}  // namespace

bool ReadLayout(TComponent& root, std::string_view text, const std::string& file, TLayoutReadError& error) {
  TLayoutObject tree;
  TLayoutError parseError;
  if (!ParseLayoutText(text, tree, parseError)) {
    error = TLayoutReadError{file, parseError.Line, parseError.Message};
    return false;
  }
  TReader reader(root, file, error);
  const TLayoutClass* rootClass = FindLayoutClass(typeid(root));
  if (!rootClass || !SameText(rootClass->Name, tree.ClassName))
    return reader.Fail(tree.Line, "the layout is for class '" + tree.ClassName + "', not " + root.ClassName());
  root.BeginLoading();
  bool ok = false;
  try {
    reader.RootName = tree.Name;
    if (!tree.Name.empty() && !SameText(root.Name(), tree.Name)) root.SetName(UniqueRootName(root, tree.Name));
    ok = reader.ReadProperties(root, tree) && reader.ReadChildren(root, tree) && reader.FixReferences();
  } catch (const std::exception& e) {
    ok = reader.Fail(tree.Line, e.what());
  }
  if (!ok) {
    reader.Undo();
    root.EndReading();
    root.Loaded();  // leaves the loading state; the root is as it was before, less any properties already set
    return false;
  }
  root.Loaded();
  for (TComponent* c : reader.Created) c->Loaded();
  return true;
}
