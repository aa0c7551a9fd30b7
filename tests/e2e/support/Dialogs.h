#pragma once
// Drivers for the system's common save dialog and for message boxes, as
// Wine 8 builds them (checked by experiment; see Dialogs.cpp for the control
// layout). Both are #32770 dialogs of the process under test.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "e2e/support/Wait.h"
#include "rtl/UnicodeString.h"

namespace e2e {

// What save dialogs and message boxes share: a top-level #32770 window whose
// buttons are pressed by control ID.
class DialogWindow {
 public:
  explicit DialogWindow(HWND dialog) : dialog_(dialog) {}
  HWND Hwnd() const { return dialog_; }
  UnicodeString Caption() const { return CaptionOf(dialog_); }
  // Presses a button (IDOK, IDCANCEL, IDYES, ...) with a posted BM_CLICK:
  // the press never waits for what it starts (a modal box of its own, say).
  testing::AssertionResult Press(int buttonId) const;
  // Presses it with the real mouse at the button's centre.
  testing::AssertionResult Click(int buttonId) const;
  testing::AssertionResult WaitClosed(int timeoutMs) const { return WaitGone(dialog_, timeoutMs); }

 protected:
  HWND dialog_;
};

// The dialog of GetSaveFileNameW.
class SaveDialog : public DialogWindow {
 public:
  // A visible #32770 window of process pid that has a file-type list.
  static Found Find(DWORD pid, int timeoutMs);
  explicit SaveDialog(HWND dialog) : DialogWindow(dialog) {}

  // The edit control the user types the file name in (null when missing).
  HWND FileNameEdit() const;
  UnicodeString FileName() const;
  // Replaces the file name and reads it back.
  testing::AssertionResult SetFileName(const UnicodeString& name) const;
  // The entries of the file-type list, and the 0-based selected one (-1: none).
  std::vector<UnicodeString> FileTypes() const;
  int FileTypeIndex() const;
  // Selects a type and notifies the dialog as a user's choice would, so it
  // switches its filter and default extension.
  testing::AssertionResult ChooseFileType(int index) const;
  testing::AssertionResult Save() const { return Press(IDOK); }
  testing::AssertionResult Cancel() const { return Press(IDCANCEL); }
};

// A box of MessageBoxW.
class MsgBox : public DialogWindow {
 public:
  // A visible #32770 window of process pid with that caption (null: any)
  // and a message-text control.
  static Found Find(DWORD pid, const wchar_t* caption, int timeoutMs);
  explicit MsgBox(HWND box) : DialogWindow(box) {}

  UnicodeString Text() const;
  // The IDs of its buttons, left to right.
  std::vector<int> Buttons() const;
  UnicodeString ButtonText(int buttonId) const;
  // The button that Enter would press (BS_DEFPUSHBUTTON), 0 when none.
  int DefaultButton() const;
  bool HasIcon() const;
};

}  // namespace e2e
