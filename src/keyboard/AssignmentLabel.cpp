#include "keyboard/AssignmentLabel.h"

#include <optional>

#include "keyboard/FunctionTypes.h"
#include "keyboard/KeyTable.h"
#include "keyboard/VocabularyTables.h"

namespace dw {
namespace {

AssignmentLabel NameKeys(std::vector<std::wstring_view> keys) {
  return AssignmentLabel{LabelKind::kNameKeys, std::move(keys), 0};
}

AssignmentLabel FromRow(const std::optional<VocabularyRow>& row) {
  return row ? NameKeys({row->nameKey}) : AssignmentLabel{};
}

AssignmentLabel FromTable(std::span<const VocabularyRow> table, const Assignment& a, VocabularyMatch match) {
  return FromRow(FindVocabularyRow(table, a, match));
}

// The key-table row of a keyboard key with these two value bytes. Only keyboard-key rows take
// part: a consumer or special row with the same value bytes is a different function, and a
// bare modifier combination must not read as, say, "game mode".
std::optional<size_t> FindKeyboardRow(uint8_t value1, uint8_t value2) {
  for (size_t i = 0; i < kKeyTable.size(); ++i) {
    const Assignment& code = kKeyTable[i].code;
    if (fn::IsKeyboardKey(code.type) && code.value1 == value1 && code.value2 == value2) {
      return i;
    }
  }
  return std::nullopt;
}

AssignmentLabel DescribeKeyboardKey(const Assignment& a) {
  if (const auto row = FindKeyboardRow(a.value1, a.value2)) {
    return NameKeys({kKeyTable[*row].nameKey});
  }
  if (a.value1 == 0 && a.value2 == 0) {
    return NameKeys({vocabulary::kNothingKey});
  }
  std::vector<std::wstring_view> parts;
  for (size_t i = keytable::kFirstModifierRow; i < keytable::kFirstModifierRow + keytable::kModifierRowCount; ++i) {
    if ((a.value1 & kKeyTable[i].code.value1) != 0) {
      parts.push_back(kKeyTable[i].nameKey);
    }
  }
  if (a.value2 != 0) {
    const auto key = FindKeyboardRow(0, a.value2);
    if (!key) {
      // A usage the key table does not know: better no label than a modifier list that
      // hides the key.
      return {};
    }
    parts.push_back(kKeyTable[*key].nameKey);
  }
  const Assignment asKeyboardKey{fn::kKeyboardKey, a.value1, a.value2};
  if (const auto shortcut =
          FindVocabularyRow(kCombinationShortcutTable, asKeyboardKey, VocabularyMatch::kTypeValue1Value2)) {
    return NameKeys({shortcut->nameKey});
  }
  return NameKeys(std::move(parts));
}

AssignmentLabel DescribeSpecial(const Assignment& a) {
  if (const auto row = FindVocabularyRow(kSpecialTable, a, VocabularyMatch::kTypeValue1)) {
    return NameKeys({row->nameKey});
  }
  if (const auto row = FindKeyRowByCode(a)) {
    return NameKeys({kKeyTable[*row].nameKey});
  }
  return {};
}

}  // namespace

AssignmentLabel DescribeAssignment(const Assignment& a) {
  if (fn::IsKeyboardKey(a.type)) {
    return DescribeKeyboardKey(a);
  }
  if (fn::IsStoredOnly(a.type)) {
    return {};
  }
  switch (a.type) {
    case fn::kMouseButton:
      return FromTable(kMouseButtonTable, a, VocabularyMatch::kTypeValue1);
    case fn::kPointerMove:
      return NameKeys({(a.value2 & mouse::kMoveRightBit) != 0 ? vocabulary::kMoveRightKey : vocabulary::kMoveLeftKey});
    case fn::kWheel:
      return NameKeys({(a.value2 & mouse::kWheelDownBit) != 0 ? vocabulary::kWheelDownKey : vocabulary::kWheelUpKey});
    case fn::kDpi:
      return FromTable(kDpiTable, a, VocabularyMatch::kTypeValue1);
    case fn::kFireKey:
      return NameKeys({vocabulary::kFireKeyKey});
    case fn::kDpiShift:
    case fn::kShowWindow:
      return FromTable(kSpecialTable, a, VocabularyMatch::kType);
    case fn::kBuiltInShortcut:
      return FromTable(kBuiltInShortcutTable, a, VocabularyMatch::kTypeValue1Value2);
    case fn::kConsumer:
      return FromTable(kMediaTable, a, VocabularyMatch::kTypeValue1Value2);
    case fn::kSystem:
      return FromTable(kSystemTable, a, VocabularyMatch::kTypeValue1Value2);
    case fn::kMacro:
    case fn::kMacroRepeat:
      return AssignmentLabel{LabelKind::kMacroName, {}, a.value1};
    case fn::kGunKey:
      // A recoil preset key is named after its preset; "off" would misstate what it does.
      if (const auto row = FindVocabularyRow(kGunPresetTable, a, VocabularyMatch::kTypeValue1)) {
        return NameKeys({row->nameKey});
      }
      break;
    case fn::kSpecial:
    case fn::kOnboardMacro:
      return DescribeSpecial(a);
    default:
      break;
  }
  return AssignmentLabel{LabelKind::kFixedText, {}, 0};
}

std::wstring ResolveLabel(const AssignmentLabel& label, const LanguageLookup& lookup,
                          std::span<const std::wstring> macroNames) {
  switch (label.kind) {
    case LabelKind::kNone:
      return {};
    case LabelKind::kFixedText:
      return std::wstring(kOffLabel);
    case LabelKind::kMacroName:
      return label.macroIndex < macroNames.size() ? macroNames[label.macroIndex] : std::wstring();
    case LabelKind::kNameKeys:
      break;
  }
  std::wstring text;
  for (size_t i = 0; i < label.nameKeys.size(); ++i) {
    const std::wstring part = lookup ? lookup(label.nameKeys[i]) : std::wstring();
    if (part.empty()) {
      return {};
    }
    if (i != 0) {
      text += kLabelJoiner;
    }
    text += part;
  }
  return text;
}

std::wstring AssignmentDisplayName(const Assignment& a, const LanguageLookup& lookup,
                                   std::span<const std::wstring> macroNames) {
  return ResolveLabel(DescribeAssignment(a), lookup, macroNames);
}

}  // namespace dw
