#pragma once

// A checker for udev rule files, for systems whose udevadm has no "verify" command. It accepts
// the subset of the rule language a packaged rule needs and rejects what udev would reject or
// silently ignore:
//
//   - every line is blank, a comment, or comma-separated KEY[{attribute}] OPERATOR "value" pairs;
//   - KEY is one udev knows; keys that need an attribute (ATTRS{idVendor}) have one, others none;
//   - a match key is used with == or !=, an assignment key with =, +=, -= or :=
//     (SUBSYSTEM="hidraw" with a single '=' matches nothing: udev drops it with a warning);
//   - every rule line assigns something (a line of matches alone does nothing).
//
// Line continuations with a trailing '\' are not accepted: our rules do not need them.

#include <string>
#include <string_view>
#include <vector>

namespace dw::test {

struct UdevPair {
    std::string key;        // "ATTRS"
    std::string attribute;  // "idVendor"; empty when the key takes none
    std::string op;         // "==", "!=", "=", "+=", "-=", ":="
    std::string value;      // without the quotes
};

struct UdevRule {
    int lineNumber = 0;
    std::vector<UdevPair> pairs;

    // The value of the first pair with this key, attribute and operator; nullptr when none.
    const UdevPair* Find(std::string_view key, std::string_view attribute, std::string_view op) const;
};

struct UdevRuleFile {
    std::vector<UdevRule> rules;
    std::vector<std::string> errors;  // "line N: what is wrong"; empty when the file is sound
};

UdevRuleFile ParseUdevRules(std::string_view text);

}  // namespace dw::test
