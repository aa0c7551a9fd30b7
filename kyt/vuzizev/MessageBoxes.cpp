#include "kyt/vuzizev/MessageBoxes.h"

#include <memory>

#include "ui/forms/Application.h"

namespace kyt {
namespace {

int Box(const UnicodeString& text, const UnicodeString& caption, HWND owner, UINT style) {
  if (!owner && ui::Application && ui::Application->MainForm()) owner = ui::Application->MainForm()->Handle();
  return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

}  // namespace

int HintBox(const UnicodeString& text, const UnicodeString& caption, HWND owner) {
  return Box(text, caption, owner, MB_TOPMOST | MB_ICONINFORMATION);  // 0x40040
}

bool AskBox(const UnicodeString& text, const UnicodeString& caption, HWND owner) {
  return Box(text, caption, owner, MB_TOPMOST | MB_DEFBUTTON2 | MB_ICONINFORMATION | MB_OKCANCEL) == IDOK;  // 0x40141
}

bool WarnBox(const UnicodeString& text, const UnicodeString& caption, HWND owner) {
  return Box(text, caption, owner, MB_TOPMOST | MB_DEFBUTTON2 | MB_ICONWARNING | MB_OKCANCEL) == IDOK;  // 0x40131
}

int ErrorBox(const UnicodeString& text, const UnicodeString& caption, HWND owner) {
  return Box(text, caption, owner, MB_TOPMOST | MB_ICONERROR);  // 0x40010
}

void FormShowModal(ui::TCustomForm* form) {
  std::unique_ptr<ui::TCustomForm> owned(form);
  owned->ShowModal();
}

}  // namespace kyt
