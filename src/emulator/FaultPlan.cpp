#include "emulator/FaultPlan.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace dw::emu {

namespace {

struct FaultName {
    std::string_view name;
    FaultKind kind;
};

constexpr std::array<FaultName, 6> kFaultNames = {{
    {"no-reply", FaultKind::NoReply},
    {"late-reply", FaultKind::LateReply},
    {"wrong-echo", FaultKind::WrongEcho},
    {"status-ff", FaultKind::StatusRejected},
    {"status-fe", FaultKind::StatusRefused},
    {"unplug", FaultKind::UnplugDuringTransfer},
}};

// The whole of `text` as a number in `base`; false when anything else is in it.
bool ParseWhole(std::string_view text, int base, int& value)
{
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool ParseFaultSpec(std::string_view text, FaultSpec& fault)
{
    FaultSpec parsed;
    bool haveKind = false;
    constexpr int kLongestDelayMs = 600000;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t colon = std::min(text.find(':', start), text.size());
        const std::string_view token = text.substr(start, colon - start);
        start = colon + 1;
        if (!haveKind) {
            for (const FaultName& entry : kFaultNames) {
                if (entry.name == token) {
                    parsed.kind = entry.kind;
                    haveKind = true;
                }
            }
            if (!haveKind)
                return false;
            continue;
        }
        int value = 0;
        if (token == "once") {
            parsed.mode = FaultMode::Once;
        } else if (token == "sticky") {
            parsed.mode = FaultMode::UntilCleared;
        } else if (token.size() > 2 && token.substr(token.size() - 2) == "ms" &&
                   ParseWhole(token.substr(0, token.size() - 2), 10, value) && value >= 0 && value <= kLongestDelayMs) {
            parsed.delayMs = value;
        } else if (token.substr(0, 4) == "cmd=" && ParseWhole(token.substr(4), 16, value) && value >= 0 && value <= 0xFF) {
            parsed.command = static_cast<uint8_t>(value);
        } else {
            return false;
        }
    }
    if (!haveKind)
        return false;
    fault = parsed;
    return true;
}

void FaultPlan::Arm(const FaultSpec& fault) { faults_.push_back(fault); }

void FaultPlan::Clear() { faults_.clear(); }

std::optional<FaultSpec> FaultPlan::Take(uint8_t command)
{
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (it->command && *it->command != command)
            continue;
        const FaultSpec fault = *it;
        if (fault.mode == FaultMode::Once)
            faults_.erase(it);
        return fault;
    }
    return std::nullopt;
}

}  // namespace dw::emu
