#include "ui/streaming/Persistence.h"

#include <windows.h>

#include <algorithm>

namespace ui {
namespace {

struct Registry {
  std::map<std::type_index, const TClassInfo*> byType;
  std::map<std::wstring, std::unique_ptr<TClassInfo>> byName;  // upper-case keys
};
Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

std::wstring Upper(const UnicodeString& s) {
  std::wstring u = s.str();
  for (auto& ch : u) ch = static_cast<wchar_t>(towupper(ch));
  return u;
}

TModuleFinder& ModuleFinder() {
  static TModuleFinder finder;
  return finder;
}

void CollectProperties(const TClassInfo* info, std::vector<const TPropInfo*>& out) {
  if (!info) return;
  CollectProperties(info->parent, out);
  for (auto& p : info->properties) {
    auto same = [&](const TPropInfo* q) { return SameText(q->name, p.name); };
    auto it = std::find_if(out.begin(), out.end(), same);
    if (it != out.end()) *it = &p;  // a derived class may change a default
    else out.push_back(&p);
  }
}

}  // namespace

const TPropInfo* TClassInfo::FindProperty(const UnicodeString& propName) const {
  for (const TClassInfo* info = this; info; info = info->parent)
    for (auto& p : info->properties)
      if (SameText(p.name, propName)) return &p;
  return nullptr;
}

const TClassInfo& RegisterClassInfo(std::type_index type, TClassInfo info) {
  Registry& r = TheRegistry();
  auto key = Upper(info.name);
  auto& slot = r.byName[key];
  slot = std::make_unique<TClassInfo>(std::move(info));
  r.byType[type] = slot.get();
  return *slot;
}

const TClassInfo* FindClassInfo(const UnicodeString& className) {
  Registry& r = TheRegistry();
  auto it = r.byName.find(Upper(className));
  return it == r.byName.end() ? nullptr : it->second.get();
}

const TClassInfo* ClassInfoOf(const TComponent& component) {
  Registry& r = TheRegistry();
  auto it = r.byType.find(std::type_index(typeid(component)));
  return it == r.byType.end() ? nullptr : it->second;
}

void SetModuleFinder(TModuleFinder finder) { ModuleFinder() = std::move(finder); }

// ---------------------------------------------------------------------------

TReader::TReader(TComponent* root, const THandlerTable* handlers) : root_(root), handlers_(handlers) {}

void TReader::Fail(int line, const UnicodeString& message) const {
  UnicodeString where = root_ ? root_->Name() : UnicodeString();
  throw EReadError(L"Error reading " + (where.IsEmpty() ? UnicodeString(L"form") : where) +
                   (line > 0 ? L" (line " + IntToStr(line) + L")" : UnicodeString()) + L": " + message);
}

void TReader::AddReference(const UnicodeString& path, std::function<void(TComponent*)> assign, int line) {
  fixups_.push_back(Fixup{path, std::move(assign), line});
}

void TReader::ApplyProperties(TComponent& component, const FormNode& node) {
  const TClassInfo* info = ClassInfoOf(component);
  if (!info) Fail(node.line, L"class of " + node.name + L" is not registered");
  for (auto& prop : node.properties) {
    const TPropInfo* p = info->FindProperty(prop.name);
    if (!p) Fail(prop.line, L"property " + node.name + L"." + prop.name + L" does not exist");
    try {
      p->set(component, prop.value, *this);
    } catch (const EReadError& e) {
      // Add the line the property came from.
      if (e.Message().Pos(L"(line ") == 0) Fail(prop.line, e.Message());
      throw;
    }
  }
}

void TReader::LoadChildren(TComponent* parent, const FormNode& node) {
  for (auto& child : node.children) {
    const TClassInfo* info = FindClassInfo(child.className);
    if (!info || !info->create) Fail(child.line, L"class " + child.className + L" not found");
    TComponent* component = info->create(root_);
    auto* ui = dynamic_cast<TUiComponent*>(component);
    if (ui) {
      ui->loading_ = true;
      loaded_.push_back(ui);
    }
    component->SetName(child.name);
    if (ui) ui->SetParentComponent(parent);
    ApplyProperties(*component, child);
    LoadChildren(component, child);
  }
}

void TReader::Load(const FormNode& node) {
  auto* rootUi = dynamic_cast<TUiComponent*>(root_);
  const TClassInfo* info = ClassInfoOf(*root_);
  if (!info) Fail(node.line, L"class of the root is not registered");
  if (!SameText(info->name, node.className))
    Fail(node.line, L"resource describes " + node.className + L", not " + info->name);
  if (rootUi) {
    rootUi->loading_ = true;
    loaded_.insert(loaded_.begin(), rootUi);
  }
  root_->SetName(node.name);
  ApplyProperties(*root_, node);
  LoadChildren(root_, node);

  for (auto& fixup : fixups_) {
    TComponent* target = nullptr;
    int dot = fixup.path.Pos(L".");
    if (dot == 0) {
      target = root_->FindComponent(fixup.path);
    } else {
      UnicodeString moduleName = fixup.path.SubString(1, dot - 1);
      UnicodeString name = fixup.path.SubString(dot + 1, fixup.path.Length());
      TComponent* module = SameText(moduleName, root_->Name()) ? root_
                           : ModuleFinder()                  ? ModuleFinder()(moduleName)
                                                             : nullptr;
      if (module) target = module->FindComponent(name);
    }
    if (!target) Fail(fixup.line, L"component " + fixup.path + L" not found");
    fixup.assign(target);
  }
  for (auto* ui : loaded_) ui->loading_ = false;
  for (auto* ui : loaded_) ui->Loaded();
}

// ---------------------------------------------------------------------------

FormNode ReadFormResource(const UnicodeString& className) {
  std::wstring name = Upper(className);
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!found) throw EReadError(L"Resource " + className + L" not found");
  HGLOBAL loaded = LoadResource(module, found);
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!data) throw EReadError(L"Resource " + className + L" cannot be loaded");
  return ParseFormText(std::string(data, SizeofResource(module, found)));
}

void LoadFormResource(TComponent* root, const UnicodeString& className, const THandlerTable* handlers) {
  FormNode node = ReadFormResource(className);
  TReader(root, handlers).Load(node);
}

namespace {

FormNode WriteNode(TComponent& component) {
  FormNode node;
  node.name = component.Name();
  const TClassInfo* info = ClassInfoOf(component);
  if (!info) throw EReadError(L"class of " + component.Name() + L" is not registered");
  node.className = info->name;
  std::vector<const TPropInfo*> props;
  CollectProperties(info, props);
  for (const TPropInfo* p : props) {
    std::optional<FormValue> value = p->get(component);
    if (!value || (p->defaultValue && *value == *p->defaultValue)) continue;
    node.properties.push_back(FormProperty{p->name, *value, 0});
  }
  if (auto* ui = dynamic_cast<TUiComponent*>(&component))
    for (TComponent* child : ui->ChildComponents()) node.children.push_back(WriteNode(*child));
  return node;
}

}  // namespace

FormNode WriteComponent(TComponent& root) { return WriteNode(root); }

}  // namespace ui
