#pragma once

// Display names of assignments, for key labels and tooltips. Naming happens in two steps so
// it can be checked without language files: DescribeAssignment says what the label is made of
// (language name keys joined with "+", a macro's name, or a fixed text) and ResolveLabel turns
// that into the text through the caller's language lookup.

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keyboard/Assignment.h"

namespace dw {

enum class LabelKind : uint8_t {
  kNone,       // the function has no display name
  kNameKeys,   // language name keys, shown joined with kLabelJoiner
  kMacroName,  // the name of macro number `macroIndex` of the macro list
  kFixedText,  // kOffLabel, shown as it is
};

struct AssignmentLabel {
  LabelKind kind = LabelKind::kNone;
  std::vector<std::wstring_view> nameKeys;
  size_t macroIndex = 0;

  friend bool operator==(const AssignmentLabel&, const AssignmentLabel&) = default;
};

inline constexpr std::wstring_view kLabelJoiner = L"+";
// The label of a function type the vocabulary does not know ("off").
inline constexpr std::wstring_view kOffLabel = L"关闭";

// Maps a language name key to its text; returns an empty text when the key is unknown.
using LanguageLookup = std::function<std::wstring(std::wstring_view key)>;

// What the label of `a` is made of. Keyboard keys are named by their key-table row; a
// combination is composed from its modifier bits in table order (LCtrl, LShift, LAlt, LWin,
// RCtrl, RShift, RAlt, RWin) followed by its key, unless it is one of the Ctrl shortcuts,
// which have names of their own.
AssignmentLabel DescribeAssignment(const Assignment& a);

// The text of `label`. Empty when there is nothing to show: no label, a macro number beyond
// `macroNames`, or a name key without text (a label is never shown half resolved).
std::wstring ResolveLabel(const AssignmentLabel& label, const LanguageLookup& lookup,
                          std::span<const std::wstring> macroNames);

// DescribeAssignment and ResolveLabel in one.
std::wstring AssignmentDisplayName(const Assignment& a, const LanguageLookup& lookup,
                                   std::span<const std::wstring> macroNames);

}  // namespace dw
