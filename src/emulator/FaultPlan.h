#pragma once

// Faults a test or the command line arms on an emulated device. Each fault acts on the next
// command frame that reaches the device (optionally only on one command code), either once or
// until the plan is cleared. Not synchronised: the bus holds its lock around every use.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace dw::emu {

enum class FaultKind : uint8_t {
    NoReply,               // the request is lost: not executed, never answered
    LateReply,             // executed; the reply arrives delayMs later
    WrongEcho,             // executed; the reply's command byte is not the request's
    StatusRejected,        // not executed; answered with status 0xFF
    StatusRefused,         // not executed; answered with status 0xFE
    UnplugDuringTransfer,  // the connection the request came on disappears before the answer
};

enum class FaultMode : uint8_t { Once, UntilCleared };

struct FaultSpec {
    FaultKind kind = FaultKind::NoReply;
    FaultMode mode = FaultMode::Once;
    int delayMs = 0;                 // LateReply only
    std::optional<uint8_t> command;  // only frames with this command code; any when empty
};

// Reads a fault from its command-line form: a kind ("no-reply", "late-reply", "wrong-echo",
// "status-ff", "status-fe", "unplug") followed by ':'-separated options: "<n>ms" (the delay of
// a late reply), "cmd=<hex>" (only that command), "once" (the default) or "sticky" (until
// cleared). Example: "late-reply:250ms:cmd=06:sticky". False on anything else.
bool ParseFaultSpec(std::string_view text, FaultSpec& fault);

class FaultPlan {
public:
    void Arm(const FaultSpec& fault);
    void Clear();
    bool Empty() const { return faults_.empty(); }

    // The first armed fault that applies to `command`; a Once fault is used up by this call.
    std::optional<FaultSpec> Take(uint8_t command);

private:
    std::vector<FaultSpec> faults_;
};

}  // namespace dw::emu
