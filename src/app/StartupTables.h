#pragma once

// The fixed tables of start-up: the private font files, loaded in this order from the resource
// folder (and given back in the reverse order), and the registered messages the entry
// registers, the product title first (a second instance needs it to wake the first), then the
// five names of the first instance in their order.

#include <array>
#include <string_view>

#include "shell/RegisteredMessages.h"

namespace dw::app {

inline constexpr std::array<std::string_view, 4> kPrivateFontFiles = {
    "Font\\Simplified_Chinese.ttf",
    "Font\\Predator-Regular.otf",
    "Font\\NotoSansThai-Regular.ttf",
    "Font\\NotoSansCJKtc-Regular.otf",
};

inline constexpr std::array<std::wstring_view, 5> kFirstInstanceMessages = {
    msgname::kSettingsForward, msgname::kLightHandOverOut, msgname::kLightHandOverIn,
    msgname::kAudioCapture,    msgname::kAudioChild,
};

}  // namespace dw::app
