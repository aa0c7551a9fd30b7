#pragma once
// Published properties and the form loader. Every component class that can
// appear in a form resource registers a class description: its name, its
// base class's description, a factory and its published properties, each
// with its stream default. Loading creates components by class name, sets
// properties by name and binds event properties to handlers by name;
// writing emits only the values that differ from their defaults.
#include <any>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <typeindex>
#include <vector>

#include "rtl/Component.h"
#include "rtl/Exceptions.h"
#include "ui/streaming/FormText.h"

namespace ui {

// A form resource that does not fit the classes it names.
class EReadError : public Exception {
 public:
  using Exception::Exception;
};

// An object-bound callback with the name of the handler it was bound to.
template <typename... Args>
struct TEvent {
  UnicodeString handler;
  std::function<void(Args...)> fn;
  explicit operator bool() const { return static_cast<bool>(fn); }
  void operator()(Args... args) const {
    if (fn) fn(args...);
  }
};
using TNotifyEvent = TEvent<TComponent*>;

// Named handlers of a form, looked up when its resource binds events.
class THandlerTable {
 public:
  // Binds name to object's method, e.g. Add(L"btnFullClick", this, &TMainForm::btnFullClick).
  template <typename C, typename... Args>
  void Add(const UnicodeString& name, C* object, void (C::*method)(Args...)) {
    handlers_[name.str()] = std::function<void(Args...)>([object, method](Args... args) { (object->*method)(args...); });
  }
  template <typename... Args>
  bool Find(const UnicodeString& name, std::function<void(Args...)>& out) const {
    auto it = handlers_.find(name.str());
    if (it == handlers_.end()) return false;
    auto* fn = std::any_cast<std::function<void(Args...)>>(&it->second);
    if (!fn) return false;
    out = *fn;
    return true;
  }

 private:
  std::map<std::wstring, std::any> handlers_;
};

class TUiComponent;
class TReader;

struct TPropInfo {
  UnicodeString name;
  // The current value, or nothing when there is none to store.
  std::function<std::optional<FormValue>(TComponent&)> get;
  std::function<void(TComponent&, const FormValue&, TReader&)> set;
  std::optional<FormValue> defaultValue;
};

struct TClassInfo {
  UnicodeString name;
  const TClassInfo* parent = nullptr;
  std::function<TComponent*(TComponent* owner)> create;  // empty: not creatable by name
  std::vector<TPropInfo> properties;
  const TPropInfo* FindProperty(const UnicodeString& propName) const;
};

// Registers T under info.name; returns the stored description.
const TClassInfo& RegisterClassInfo(std::type_index type, TClassInfo info);

// A description of T, created by name (with its owner) when creatable.
template <typename T>
TClassInfo DescribeClass(const wchar_t* name, const TClassInfo* parent, bool creatable) {
  TClassInfo c;
  c.name = name;
  c.parent = parent;
  if (creatable) c.create = [](TComponent* owner) -> TComponent* { return new T(owner); };
  return c;
}

// Registers a class that adds no published properties to its parent's: the
// forms and modules whose resources are loaded into them.
template <typename T>
const TClassInfo& RegisterPlainClass(const wchar_t* name, const TClassInfo* parent) {
  return RegisterClassInfo(typeid(T), DescribeClass<T>(name, parent, false));
}
const TClassInfo* FindClassInfo(const UnicodeString& className);
const TClassInfo* ClassInfoOf(const TComponent& component);

// Base of the layer's components: hooks the loader calls.
class TUiComponent : public TComponent {
 public:
  using TComponent::TComponent;
  // After every property of the whole resource is set and references are
  // resolved.
  virtual void Loaded() {}
  // The enclosing object in the resource (controls take it as parent).
  virtual void SetParentComponent(TComponent* parent) { (void)parent; }
  // The objects written nested under this one.
  virtual std::vector<TComponent*> ChildComponents() const { return {}; }
  bool Loading() const { return loading_; }

 private:
  friend class TReader;
  bool loading_ = false;
};

// One load of a resource into an existing root component.
class TReader {
 public:
  TReader(TComponent* root, const THandlerTable* handlers);
  void Load(const FormNode& node);

  const THandlerTable* Handlers() const { return handlers_; }
  TComponent* Root() const { return root_; }
  // Resolves "Name" (a component of the root) or "Module.Name" (a component
  // of a module the application already created) once loading is complete.
  void AddReference(const UnicodeString& path, std::function<void(TComponent*)> assign, int line);
  [[noreturn]] void Fail(int line, const UnicodeString& message) const;

 private:
  void ApplyProperties(TComponent& component, const FormNode& node);
  void LoadChildren(TComponent* parent, const FormNode& node);
  struct Fixup {
    UnicodeString path;
    std::function<void(TComponent*)> assign;
    int line;
  };
  TComponent* root_;
  const THandlerTable* handlers_;
  std::vector<Fixup> fixups_;
  std::vector<TUiComponent*> loaded_;
};

// Finds top-level modules (forms and data modules) by name for references
// between resources; the application installs it.
using TModuleFinder = std::function<TComponent*(const UnicodeString& name)>;
void SetModuleFinder(TModuleFinder finder);

// Loads the form resource named after the class (RCDATA, upper case) into
// root. Raises EReadError / EParserError when it does not fit.
void LoadFormResource(TComponent* root, const UnicodeString& className, const THandlerTable* handlers);
FormNode ReadFormResource(const UnicodeString& className);

// The component and its children as a tree, defaults omitted.
FormNode WriteComponent(TComponent& root);

// --- helpers for declaring properties ---------------------------------------

template <typename C, typename Get, typename Set>
TPropInfo IntProp(const wchar_t* name, Get get, Set set, std::optional<long long> def = 0) {
  TPropInfo p;
  p.name = name;
  p.get = [get](TComponent& c) -> std::optional<FormValue> {
    return FormValue::FromInteger(get(static_cast<C&>(c)));
  };
  p.set = [set, n = UnicodeString(name)](TComponent& c, const FormValue& v, TReader& r) {
    if (v.kind != FormValue::Kind::Integer) r.Fail(0, L"property " + n + L" needs a number");
    set(static_cast<C&>(c), static_cast<int>(v.integer));
  };
  if (def) p.defaultValue = FormValue::FromInteger(*def);
  return p;
}

template <typename C, typename Get, typename Set>
TPropInfo BoolProp(const wchar_t* name, Get get, Set set, bool def) {
  TPropInfo p;
  p.name = name;
  p.get = [get](TComponent& c) -> std::optional<FormValue> {
    return FormValue::FromIdent(get(static_cast<C&>(c)) ? L"True" : L"False");
  };
  p.set = [set, n = UnicodeString(name)](TComponent& c, const FormValue& v, TReader& r) {
    if (v.kind == FormValue::Kind::Ident && SameText(v.text, L"True")) return set(static_cast<C&>(c), true);
    if (v.kind == FormValue::Kind::Ident && SameText(v.text, L"False")) return set(static_cast<C&>(c), false);
    r.Fail(0, L"property " + n + L" needs True or False");
  };
  p.defaultValue = FormValue::FromIdent(def ? L"True" : L"False");
  return p;
}

template <typename C, typename Get, typename Set>
TPropInfo StrProp(const wchar_t* name, Get get, Set set, const wchar_t* def = L"") {
  TPropInfo p;
  p.name = name;
  p.get = [get](TComponent& c) -> std::optional<FormValue> {
    return FormValue::FromString(get(static_cast<C&>(c)));
  };
  p.set = [set, n = UnicodeString(name)](TComponent& c, const FormValue& v, TReader& r) {
    if (v.kind != FormValue::Kind::String) r.Fail(0, L"property " + n + L" needs a string");
    set(static_cast<C&>(c), v.text);
  };
  p.defaultValue = FormValue::FromString(def);
  return p;
}

template <typename E>
using TEnumNames = std::vector<std::pair<E, const wchar_t*>>;

template <typename C, typename E, typename Get, typename Set>
TPropInfo EnumProp(const wchar_t* name, const TEnumNames<E>& names, Get get, Set set, E def) {
  auto nameOf = [names](E e) -> UnicodeString {
    for (auto& [value, text] : names)
      if (value == e) return text;
    return IntToStr(static_cast<long long>(e));
  };
  TPropInfo p;
  p.name = name;
  p.get = [get, nameOf](TComponent& c) -> std::optional<FormValue> {
    return FormValue::FromIdent(nameOf(get(static_cast<C&>(c))));
  };
  p.set = [set, names, n = UnicodeString(name)](TComponent& c, const FormValue& v, TReader& r) {
    if (v.kind == FormValue::Kind::Ident)
      for (auto& [value, text] : names)
        if (SameText(v.text, text)) return set(static_cast<C&>(c), value);
    r.Fail(0, L"invalid value for property " + n);
  };
  p.defaultValue = FormValue::FromIdent(nameOf(def));
  return p;
}

// A set of flags written as [name, name].
template <typename C, typename Get, typename Set>
TPropInfo SetProp(const wchar_t* name, const TEnumNames<unsigned>& names, Get get, Set set, unsigned def) {
  auto toValue = [names](unsigned bits) {
    std::vector<UnicodeString> items;
    for (auto& [bit, text] : names)
      if (bits & bit) items.push_back(text);
    return FormValue::FromSet(items);
  };
  TPropInfo p;
  p.name = name;
  p.get = [get, toValue](TComponent& c) -> std::optional<FormValue> { return toValue(get(static_cast<C&>(c))); };
  p.set = [set, names, n = UnicodeString(name)](TComponent& c, const FormValue& v, TReader& r) {
    if (v.kind != FormValue::Kind::Set) r.Fail(0, L"property " + n + L" needs a set");
    unsigned bits = 0;
    for (auto& item : v.items) {
      bool known = false;
      for (auto& [bit, text] : names)
        if (SameText(item, text)) bits |= bit, known = true;
      if (!known) r.Fail(0, L"unknown element " + item + L" in property " + n);
    }
    set(static_cast<C&>(c), bits);
  };
  p.defaultValue = toValue(def);
  return p;
}

template <typename C, typename Get, typename Set>
TPropInfo ListProp(const wchar_t* name, Get get, Set set) {
  TPropInfo p;
  p.name = name;
  p.get = [get](TComponent& c) -> std::optional<FormValue> {
    return FormValue::FromList(get(static_cast<C&>(c)));
  };
  p.set = [set, n = UnicodeString(name)](TComponent& c, const FormValue& v, TReader& r) {
    if (v.kind != FormValue::Kind::List) r.Fail(0, L"property " + n + L" needs a list of strings");
    set(static_cast<C&>(c), v.items);
  };
  p.defaultValue = FormValue::FromList({});
  return p;
}

// A link to another component, written as its name (or Module.Name).
template <typename C, typename T, typename Get, typename Set>
TPropInfo RefProp(const wchar_t* name, Get get, Set set) {
  TPropInfo p;
  p.name = name;
  p.get = [get](TComponent& c) -> std::optional<FormValue> {
    TComponent* target = get(static_cast<C&>(c));
    if (!target) return std::nullopt;
    UnicodeString path = target->Name();
    if (target->Owner() && target->Owner() != c.Owner() && target->Owner()->Owner())
      path = target->Owner()->Name() + L"." + path;
    return FormValue::FromIdent(path);
  };
  p.set = [set, n = UnicodeString(name)](TComponent& c, const FormValue& v, TReader& r) {
    if (v.kind != FormValue::Kind::Ident) r.Fail(0, L"property " + n + L" needs a component name");
    C* self = &static_cast<C&>(c);
    r.AddReference(v.text, [self, set, n, &r](TComponent* target) {
      T* typed = dynamic_cast<T*>(target);
      if (!typed) r.Fail(0, L"property " + n + L" names a component of the wrong class");
      set(*self, typed);
    }, 0);
  };
  return p;
}

// An event property bound by handler name through the reader's table.
template <typename C, typename... Args>
TPropInfo EventProp(const wchar_t* name, TEvent<Args...> C::*member) {
  TPropInfo p;
  p.name = name;
  p.get = [member](TComponent& c) -> std::optional<FormValue> {
    const auto& ev = static_cast<C&>(c).*member;
    if (!ev || ev.handler.IsEmpty()) return std::nullopt;
    return FormValue::FromIdent(ev.handler);
  };
  p.set = [member, n = UnicodeString(name)](TComponent& c, const FormValue& v, TReader& r) {
    if (v.kind != FormValue::Kind::Ident) r.Fail(0, L"event " + n + L" needs a handler name");
    std::function<void(Args...)> fn;
    if (!r.Handlers() || !r.Handlers()->Find(v.text, fn))
      r.Fail(0, L"handler " + v.text + L" for event " + n + L" is not declared");
    auto& ev = static_cast<C&>(c).*member;
    ev.handler = v.text;
    ev.fn = std::move(fn);
  };
  return p;
}

}  // namespace ui
