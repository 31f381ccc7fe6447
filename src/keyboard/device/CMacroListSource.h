#pragma once

// The macros the keyboard object writes, taken from the family's macro list ("macro.config")
// and the macro files in the per-user folder.
//
// FIXME: the macro list and macro files are read by the macro subsystem, which does not exist
// yet. Until it does this source answers that the list cannot be read: key-map writes then
// give macro keys their default assignment back and the macro image write sends nothing.

#include <optional>
#include <string>

#include "keyboard/MacroImage.h"

namespace dw {

class CMacroListSource : public IMacroSource {
public:
    // `familyFolder` is the per-user folder of the keyboard family.
    explicit CMacroListSource(std::wstring familyFolder) : m_familyFolder(std::move(familyFolder)) {}

    std::optional<size_t> MacroCount() const override;
    std::optional<MacroEvents> Events(size_t index) const override;

    const std::wstring& FamilyFolder() const { return m_familyFolder; }

private:
    std::wstring m_familyFolder;
};

}  // namespace dw
