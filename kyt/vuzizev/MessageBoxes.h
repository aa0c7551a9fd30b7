#pragma once
// Message boxes with fixed styles and default captions, and the modal show
// of a freshly created form.
#include <windows.h>

#include "rtl/UnicodeString.h"

namespace ui {
class TCustomForm;
}

namespace kyt {

// owner nullptr: the application's main form (its window is created if
// needed), or no owner before there is a main form.
int HintBox(const UnicodeString& text, const UnicodeString& caption = L"提示", HWND owner = nullptr);
// true only when the user chose OK.
bool AskBox(const UnicodeString& text, const UnicodeString& caption = L"询问", HWND owner = nullptr);
bool WarnBox(const UnicodeString& text, const UnicodeString& caption = L"警告", HWND owner = nullptr);
int ErrorBox(const UnicodeString& text, const UnicodeString& caption = L"错误", HWND owner = nullptr);

// Takes ownership of form, shows it modally and destroys it afterwards, also
// when showing it fails (the error then passes on).
void FormShowModal(ui::TCustomForm* form);

}  // namespace kyt
