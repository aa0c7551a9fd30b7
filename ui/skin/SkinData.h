#pragma once
// The skin: named entries of colours and sizes ("form", "panel",
// "resizebutton", "stdlabel", "button" ...) read from a skin stored in the
// executable, and the table of texts that skinned windows show (caption
// button hints, the window menu).
#include <map>
#include <vector>

#include "ui/graphics/Types.h"
#include "ui/streaming/Persistence.h"

namespace ui::skin {

// A skin's contents: [entry] sections of key=value lines; colours #RRGGBB.
class TSkinStore {
 public:
  // Raises EReadError naming the line of anything it cannot read.
  static TSkinStore Parse(const std::string& utf8);
  bool HasEntry(const UnicodeString& entry) const;
  TColor Color(const UnicodeString& entry, const UnicodeString& key, TColor fallback) const;
  int Int(const UnicodeString& entry, const UnicodeString& key, int fallback) const;

 private:
  std::map<std::wstring, std::map<std::wstring, UnicodeString>> entries_;  // lower-case names
};

// The skin kept inside the program, as an RCDATA resource named after
// CompressedFileName (dots become underscores, upper case).
class TSkinStoredSkin : public TUiComponent {
 public:
  using TUiComponent::TUiComponent;
  UnicodeString CompressedFileName;
  const TSkinStore& Store();
  static const TClassInfo& Class();

 private:
  bool loaded_ = false;
  TSkinStore store_;
};

// Key=text rows replacing the built-in texts of skinned windows.
class TResourceStrData : public TUiComponent {
 public:
  using TUiComponent::TUiComponent;
  int CharSet = 1;  // DEFAULT_CHARSET
  std::vector<UnicodeString> ResStrings;
  // The text of key, or fallback when the table has no such row.
  UnicodeString Text(const UnicodeString& key, const UnicodeString& fallback) const;
  static const TClassInfo& Class();
};

class TSkinData : public TUiComponent {
 public:
  explicit TSkinData(TComponent* owner);
  ~TSkinData() override;
  bool SkinnableForm = true;
  bool AnimationForAllWindows = false;
  bool EnableSkinEffects = true;
  bool ShowButtonGlowFrames = false;
  bool ShowCaptionButtonGlowFrames = false;
  bool ShowLayeredBorders = false;
  bool AeroBlurEnabled = false;
  int SkinIndex = 0;
  TSkinStoredSkin* CompressedStoredSkin() const { return stored_; }
  void SetCompressedStoredSkin(TSkinStoredSkin* s);
  TResourceStrData* ResourceStrData() const { return strings_; }
  void SetResourceStrData(TResourceStrData* s);

  // The skin's value, or the fallback when there is no skin or no such key.
  TColor Color(const UnicodeString& entry, const UnicodeString& key, TColor fallback) const;
  int Int(const UnicodeString& entry, const UnicodeString& key, int fallback) const;
  bool HasEntry(const UnicodeString& entry) const;
  UnicodeString Text(const UnicodeString& key, const UnicodeString& fallback) const;

  void Loaded() override;
  static const TClassInfo& Class();

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TSkinStoredSkin* stored_ = nullptr;
  TResourceStrData* strings_ = nullptr;
};

// Registers the skin classes for form resources.
void RegisterSkinClasses();

}  // namespace ui::skin
