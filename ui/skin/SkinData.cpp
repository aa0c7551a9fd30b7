#include "ui/skin/SkinData.h"

#include <windows.h>

#include "rtl/CodePage.h"
#include "ui/skin/SkinControls.h"
#include "ui/skin/SkinForm.h"

namespace ui::skin {
namespace {

std::wstring Lower(std::wstring s) {
  for (auto& ch : s) ch = static_cast<wchar_t>(towlower(ch));
  return s;
}

std::wstring Trim(const std::wstring& s) {
  size_t b = s.find_first_not_of(L" \t\r");
  size_t e = s.find_last_not_of(L" \t\r");
  return b == std::wstring::npos ? std::wstring() : s.substr(b, e - b + 1);
}

}  // namespace

TSkinStore TSkinStore::Parse(const std::string& utf8) {
  TSkinStore store;
  std::wstring text = rtl::Utf8ToWide(utf8);
  std::wstring section;
  int lineNo = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find(L'\n', pos);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    ++lineNo;
    if (line.empty() || line[0] == L';') continue;
    if (line[0] == L'[') {
      if (line.back() != L']') throw EReadError(L"skin line " + IntToStr(lineNo) + L": unclosed section name");
      section = Lower(Trim(line.substr(1, line.size() - 2)));
      store.entries_[section];
      continue;
    }
    size_t eq = line.find(L'=');
    if (eq == std::wstring::npos || section.empty())
      throw EReadError(L"skin line " + IntToStr(lineNo) + L": expected key=value inside a section");
    store.entries_[section][Lower(Trim(line.substr(0, eq)))] = UnicodeString(Trim(line.substr(eq + 1)));
  }
  return store;
}

bool TSkinStore::HasEntry(const UnicodeString& entry) const { return entries_.count(Lower(entry.str())) != 0; }

TColor TSkinStore::Color(const UnicodeString& entry, const UnicodeString& key, TColor fallback) const {
  auto e = entries_.find(Lower(entry.str()));
  if (e == entries_.end()) return fallback;
  auto k = e->second.find(Lower(key.str()));
  if (k == e->second.end()) return fallback;
  const std::wstring& v = k->second.str();
  if (v.size() != 7 || v[0] != L'#') return fallback;
  unsigned long rgb = wcstoul(v.c_str() + 1, nullptr, 16);
  return static_cast<TColor>(RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
}

int TSkinStore::Int(const UnicodeString& entry, const UnicodeString& key, int fallback) const {
  auto e = entries_.find(Lower(entry.str()));
  if (e == entries_.end()) return fallback;
  auto k = e->second.find(Lower(key.str()));
  if (k == e->second.end()) return fallback;
  return static_cast<int>(wcstol(k->second.c_str(), nullptr, 10));
}

// ---------------------------------------------------------------------------

const TSkinStore& TSkinStoredSkin::Store() {
  if (!loaded_) {
    std::wstring name = CompressedFileName.str();
    for (auto& ch : name) ch = ch == L'.' ? L'_' : static_cast<wchar_t>(towupper(ch));
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10));
    if (!found) throw EReadError(L"Stored skin " + CompressedFileName + L" not found");
    HGLOBAL data = LoadResource(module, found);
    const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
    if (!bytes) throw EReadError(L"Stored skin " + CompressedFileName + L" cannot be loaded");
    store_ = TSkinStore::Parse(std::string(bytes, SizeofResource(module, found)));
    loaded_ = true;
  }
  return store_;
}

const TClassInfo& TSkinStoredSkin::Class() {
  static const TClassInfo& info = RegisterClassInfo(typeid(TSkinStoredSkin), [] {
    TClassInfo c = DescribeClass<TSkinStoredSkin>(L"TSkinStoredSkin", nullptr, true);
    using C = TSkinStoredSkin;
    c.properties = {StrProp<C>(L"CompressedFileName", [](C& o) { return o.CompressedFileName; },
                               [](C& o, const UnicodeString& v) { o.CompressedFileName = v; })};
    return c;
  }());
  return info;
}

UnicodeString TResourceStrData::Text(const UnicodeString& key, const UnicodeString& fallback) const {
  for (const UnicodeString& row : ResStrings) {
    int eq = row.Pos(L"=");
    if (eq > 1 && SameText(row.SubString(1, eq - 1), key)) return row.SubString(eq + 1, row.Length());
  }
  return fallback;
}

const TClassInfo& TResourceStrData::Class() {
  static const TClassInfo& info = RegisterClassInfo(typeid(TResourceStrData), [] {
    TClassInfo c = DescribeClass<TResourceStrData>(L"TResourceStrData", nullptr, true);
    using C = TResourceStrData;
    static const TEnumNames<int> charsets = {{ANSI_CHARSET, L"ANSI_CHARSET"},
                                             {DEFAULT_CHARSET, L"DEFAULT_CHARSET"},
                                             {GB2312_CHARSET, L"GB2312_CHARSET"}};
    c.properties = {
        EnumProp<C>(L"CharSet", charsets, [](C& o) { return o.CharSet; }, [](C& o, int v) { o.CharSet = v; },
                    static_cast<int>(DEFAULT_CHARSET)),
        ListProp<C>(L"ResStrings.Strings", [](C& o) { return o.ResStrings; },
                    [](C& o, const std::vector<UnicodeString>& v) { o.ResStrings = v; }),
    };
    return c;
  }());
  return info;
}

// ---------------------------------------------------------------------------

TSkinData::TSkinData(TComponent* owner) : TUiComponent(owner) {}
TSkinData::~TSkinData() = default;

void TSkinData::SetCompressedStoredSkin(TSkinStoredSkin* s) {
  stored_ = s;
  if (s) FreeNotification(s);
}
void TSkinData::SetResourceStrData(TResourceStrData* s) {
  strings_ = s;
  if (s) FreeNotification(s);
}

void TSkinData::Notification(TComponent* component, TOperation operation) {
  TUiComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == stored_) stored_ = nullptr;
  if (component == strings_) strings_ = nullptr;
}

void TSkinData::Loaded() {
  // A broken stored skin should fail at start-up, not at first paint.
  if (stored_) {
    const TSkinStore& store = stored_->Store();
    for (const wchar_t* entry : {L"form", L"panel", L"resizebutton", L"stdlabel", L"button"})
      if (!store.HasEntry(entry)) throw EReadError(L"Skin entry \"" + UnicodeString(entry) + L"\" is missing");
  }
}

TColor TSkinData::Color(const UnicodeString& entry, const UnicodeString& key, TColor fallback) const {
  return stored_ ? stored_->Store().Color(entry, key, fallback) : fallback;
}
int TSkinData::Int(const UnicodeString& entry, const UnicodeString& key, int fallback) const {
  return stored_ ? stored_->Store().Int(entry, key, fallback) : fallback;
}
bool TSkinData::HasEntry(const UnicodeString& entry) const { return stored_ && stored_->Store().HasEntry(entry); }
UnicodeString TSkinData::Text(const UnicodeString& key, const UnicodeString& fallback) const {
  return strings_ ? strings_->Text(key, fallback) : fallback;
}

const TClassInfo& TSkinData::Class() {
  static const TClassInfo& info = RegisterClassInfo(typeid(TSkinData), [] {
    TClassInfo c = DescribeClass<TSkinData>(L"TSkinData", nullptr, true);
    using C = TSkinData;
#define ZENTARO_FLAG(name, def) \
  BoolProp<C>(L## #name, [](C& o) { return o.name; }, [](C& o, bool v) { o.name = v; }, def)
    c.properties = {
        ZENTARO_FLAG(AeroBlurEnabled, false),
        ZENTARO_FLAG(AnimationForAllWindows, false),
        RefProp<C, TSkinStoredSkin>(L"CompressedStoredSkin", [](C& o) { return o.CompressedStoredSkin(); },
                                    [](C& o, TSkinStoredSkin* v) { o.SetCompressedStoredSkin(v); }),
        ZENTARO_FLAG(EnableSkinEffects, true),
        RefProp<C, TResourceStrData>(L"ResourceStrData", [](C& o) { return o.ResourceStrData(); },
                                     [](C& o, TResourceStrData* v) { o.SetResourceStrData(v); }),
        ZENTARO_FLAG(ShowButtonGlowFrames, false),
        ZENTARO_FLAG(ShowCaptionButtonGlowFrames, false),
        ZENTARO_FLAG(ShowLayeredBorders, false),
        IntProp<C>(L"SkinIndex", [](C& o) { return o.SkinIndex; }, [](C& o, int v) { o.SkinIndex = v; }, 0),
        ZENTARO_FLAG(SkinnableForm, true),
    };
#undef ZENTARO_FLAG
    return c;
  }());
  return info;
}

void RegisterSkinClasses() {
  TSkinData::Class();
  TSkinStoredSkin::Class();
  TResourceStrData::Class();
  TSkinForm::Class();
  TSkinPanel::Class();
  TSkinSpeedButton::Class();
}

}  // namespace ui::skin
