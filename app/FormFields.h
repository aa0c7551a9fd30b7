#pragma once
// Binds a form's component field to the component its resource created.
#include "rtl/Component.h"
#include "ui/streaming/Persistence.h"

template <typename T>
void BindField(TComponent* form, T*& field, const wchar_t* name) {
  field = dynamic_cast<T*>(form->FindComponent(name));
  if (!field) throw ui::EReadError(UnicodeString(L"Form resource lacks component ") + name);
}
