#pragma once
// Published property kinds shared by the layer's controls: alignment,
// colours, cursors and the font's sub-properties.
#include "ui/forms/Controls.h"

namespace ui {

inline const TEnumNames<TAlign>& AlignNames() {
  static const TEnumNames<TAlign> names = {{alNone, L"alNone"}, {alTop, L"alTop"},     {alBottom, L"alBottom"},
                                           {alLeft, L"alLeft"}, {alRight, L"alRight"}, {alClient, L"alClient"}};
  return names;
}

inline const TEnumNames<TColor>& ColorNames() {
  static const TEnumNames<TColor> names = {
      {clBtnFace, L"clBtnFace"},   {clBtnText, L"clBtnText"},     {clWindow, L"clWindow"},
      {clWindowText, L"clWindowText"}, {clHighlight, L"clHighlight"}, {clHighlightText, L"clHighlightText"},
      {clBlack, L"clBlack"},       {clWhite, L"clWhite"},         {clBlue, L"clBlue"},
      {clNavy, L"clNavy"},         {clRed, L"clRed"},             {clGray, L"clGray"},
      {clSilver, L"clSilver"},     {clNone, L"clNone"}};
  return names;
}

inline const TEnumNames<int>& CharsetNames() {
  static const TEnumNames<int> names = {{ANSI_CHARSET, L"ANSI_CHARSET"},
                                        {DEFAULT_CHARSET, L"DEFAULT_CHARSET"},
                                        {GB2312_CHARSET, L"GB2312_CHARSET"}};
  return names;
}

inline const TEnumNames<TCursor>& CursorNames() {
  static const TEnumNames<TCursor> names = {{crDefault, L"crDefault"}, {crArrow, L"crArrow"},
                                            {crCross, L"crCross"},     {crIBeam, L"crIBeam"},
                                            {crHandPoint, L"crHandPoint"}, {crHelp, L"crHelp"},
                                            {crSizeAll, L"crSizeAll"}, {crHourGlass, L"crHourGlass"}};
  return names;
}

// A named constant or a plain number.
template <typename C, typename T, typename Get, typename Set>
TPropInfo NamedIntProp(const wchar_t* name, const TEnumNames<T>& names, Get get, Set set, T def) {
  auto toValue = [names](T v) {
    for (auto& [value, text] : names)
      if (value == v) return FormValue::FromIdent(text);
    return FormValue::FromInteger(v);
  };
  TPropInfo p;
  p.name = name;
  p.get = [get, toValue](TComponent& c) -> std::optional<FormValue> { return toValue(get(static_cast<C&>(c))); };
  p.set = [set, names, n = UnicodeString(name)](TComponent& c, const FormValue& v, TReader& r) {
    if (v.kind == FormValue::Kind::Integer) return set(static_cast<C&>(c), static_cast<T>(v.integer));
    if (v.kind == FormValue::Kind::Ident)
      for (auto& [value, text] : names)
        if (SameText(v.text, text)) return set(static_cast<C&>(c), value);
    r.Fail(0, L"invalid value for property " + n);
  };
  p.defaultValue = toValue(def);
  return p;
}

template <typename C, typename Get, typename Set>
TPropInfo ColorProp(const wchar_t* name, Get get, Set set, TColor def) {
  return NamedIntProp<C, TColor>(name, ColorNames(), get, set, def);
}

template <typename C, typename Get, typename Set>
TPropInfo CursorProp(const wchar_t* name, Get get, Set set) {
  return NamedIntProp<C, TCursor>(name, CursorNames(), get, set, crDefault);
}

// Font.Charset, Font.Color, Font.Height, Font.Name and Font.Style; stored
// only when stored() says the font is the control's own.
template <typename C, typename FontOf, typename Stored>
void AddFontProps(std::vector<TPropInfo>& props, FontOf fontOf, Stored stored) {
  auto onlyStored = [stored](TPropInfo p) {
    auto get = p.get;
    p.get = [get, stored](TComponent& c) -> std::optional<FormValue> {
      if (!stored(static_cast<C&>(c))) return std::nullopt;
      return get(c);
    };
    p.defaultValue.reset();  // an own font is written whole
    return p;
  };
  TFont defaults;
  props.push_back(onlyStored(NamedIntProp<C, int>(
      L"Font.Charset", CharsetNames(), [fontOf](C& o) { return fontOf(o).Charset(); },
      [fontOf](C& o, int v) { fontOf(o).SetCharset(v); }, defaults.Charset())));
  props.push_back(onlyStored(ColorProp<C>(
      L"Font.Color", [fontOf](C& o) { return fontOf(o).Color(); }, [fontOf](C& o, TColor v) { fontOf(o).SetColor(v); },
      defaults.Color())));
  props.push_back(onlyStored(IntProp<C>(
      L"Font.Height", [fontOf](C& o) { return fontOf(o).Height(); }, [fontOf](C& o, int v) { fontOf(o).SetHeight(v); },
      defaults.Height())));
  props.push_back(onlyStored(StrProp<C>(
      L"Font.Name", [fontOf](C& o) { return fontOf(o).Name(); },
      [fontOf](C& o, const UnicodeString& v) { fontOf(o).SetName(v); })));
  static const TEnumNames<unsigned> styles = {{fsBold, L"fsBold"}, {fsItalic, L"fsItalic"}, {fsUnderline, L"fsUnderline"}};
  props.push_back(onlyStored(SetProp<C>(
      L"Font.Style", styles, [fontOf](C& o) { return fontOf(o).Style(); },
      [fontOf](C& o, unsigned v) { fontOf(o).SetStyle(v); }, 0u)));
}

}  // namespace ui
