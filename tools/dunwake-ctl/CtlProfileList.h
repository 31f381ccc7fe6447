#pragma once

// The profile dunwake-ctl works on: the one selected in the family's "ProfileList.ini", as the
// program would show it.
//
// FIXME: the profile list belongs to the profile control, which does not exist yet. Until it
// does, this reads the selected entry and, when the list is missing or empty, starts one as the
// program does on first start ("Profile1" with a new timestamp id, its document copied from the
// factory profile).

#include <string>

namespace dw::ctl {

// The selected profile's id in `familyFolder` (with a trailing '/'); `factoryProfile` is the
// family's factory document. Empty when no usable list exists and none could be written.
std::wstring SelectedProfileId(const std::wstring& familyFolder, const std::wstring& factoryProfile);

}  // namespace dw::ctl
