#pragma once
// The save-picture dialog over the system's common save dialog.
#include "ui/streaming/Persistence.h"

namespace ui {

class TSavePictureDialog : public TUiComponent {
 public:
  explicit TSavePictureDialog(TComponent* owner);
  // "Name|pattern|Name|pattern".
  UnicodeString Filter;
  // 1-based index of the file type chosen, in and out.
  int FilterIndex = 1;
  // Appended by the dialog to a name typed without one; a leading "*." is
  // ignored, so "*.jpg" and "jpg" mean the same.
  UnicodeString DefaultExt;
  UnicodeString FileName;
  UnicodeString Title;
  UnicodeString InitialDir;

  // True when the user chose a file; FileName and FilterIndex then hold it.
  bool Execute();
  static const TClassInfo& Class();
};

// "A|B|C|D" as the double-NUL-terminated list the system expects.
std::wstring FilterToSystem(const UnicodeString& filter);

}  // namespace ui
