#pragma once
// Form text with every object's properties sorted by name, so a written
// tree and a hand-written resource compare equal whatever their order.
#include <algorithm>
#include <string>

#include "ui/streaming/FormText.h"

namespace test {

inline ui::FormNode SortedProperties(ui::FormNode node) {
  std::sort(node.properties.begin(), node.properties.end(),
            [](const ui::FormProperty& a, const ui::FormProperty& b) { return a.name.str() < b.name.str(); });
  for (auto& child : node.children) child = SortedProperties(child);
  return node;
}

inline std::string NormalizedFormText(const ui::FormNode& node) { return ui::WriteFormText(SortedProperties(node)); }

}  // namespace test
