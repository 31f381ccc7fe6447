#pragma once

// The simulated firmware shared by every device of the family: it checks each command frame
// (size, report id, checksum, length), dispatches on a table of command handlers, and answers
// from and into the device's memory the way the real firmware does: the reply echoes the
// command, the length and the offset of the request, carries a status byte and is sealed with
// its own checksum.
//
// Status bytes: 0x00 done; 0xFF the frame was rejected (bad checksum, length above 56, unknown
// command); 0xFE the request was refused (it addresses memory beyond the device's capacity).
// A refused or rejected request changes nothing.
//
// Memory that the commands address is kept per device kind by the subclasses; the blocks every
// kind has (device info, settings memory, status) live here. Every public member is
// thread-safe; tests read the memory while host threads send commands.

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "emulator/EmulatedModels.h"
#include "transport/CommandCodes.h"
#include "transport/CommandFrame.h"

namespace dw::emu {

inline constexpr uint8_t kStatusOk = 0x00;

// Device info block (34 bytes) offsets every kind fills.
namespace info {
inline constexpr size_t kSize = 34;
inline constexpr size_t kProtocolVersion = 0;   // not read by the host; kept plausible
inline constexpr size_t kFirmwareLow = 1;       // not read by the host
inline constexpr size_t kFirmwareHigh = 2;
inline constexpr size_t kSlotCount = 5;
inline constexpr size_t kMacroUnits = 6;        // macro memory in units of kMacroUnitBytes
inline constexpr size_t kLinkState = 7;
inline constexpr uint8_t kLinked = 0x40;
inline constexpr size_t kMacroUnitBytes = 128;
}  // namespace info

// Status block (command 0x1A).
namespace status {
inline constexpr size_t kSize = 16;             // the block the firmware serves; the host reads 6
inline constexpr size_t kBattery = 0;
inline constexpr size_t kPowerState = 1;
inline constexpr size_t kThroughReceiver = 3;
inline constexpr size_t kMode = 4;
inline constexpr size_t kPhone = 5;
inline constexpr uint8_t kPowered = 0;
inline constexpr uint8_t kCharging = 1;
inline constexpr uint8_t kOnBattery = 2;
}  // namespace status

// Everything a handler needs to answer one request.
struct CommandContext {
    const Report& request;
    Report& reply;
    Link link;
    uint8_t length;                        // request byte 4
    uint16_t offset;                       // request bytes 5..6
    std::span<const uint8_t> data;         // the request's `length` data bytes
    std::span<uint8_t> replyData;          // the reply's `length` data bytes
};

class DeviceFirmware {
public:
    virtual ~DeviceFirmware() = default;
    DeviceFirmware(const DeviceFirmware&) = delete;
    DeviceFirmware& operator=(const DeviceFirmware&) = delete;

    DeviceModel Model() const { return model_; }

    // Answers one output report with command report id. Null when the report is not a command
    // frame at all (wrong size or id): the firmware drops it unanswered, as its USB stack
    // would never pass a short or foreign packet to the command parser.
    std::optional<Report> HandleCommand(std::span<const uint8_t> report, Link link);

    // An output report other than a command frame (the headset's LED report); ignored by
    // default.
    virtual void HandleOutputReport(std::span<const uint8_t> report);

    // The reply of a receiver whose device is not linked: command byte 0xAA, nothing else.
    static Report NotLinkedReply();

    // Inspection and control for tests and the command line.
    std::vector<uint8_t> InfoBlock() const;
    std::vector<uint8_t> SettingsMemory() const;
    void SetSettingsMemory(size_t offset, std::span<const uint8_t> bytes);
    std::vector<uint8_t> StatusBlock(Link link) const;
    void SetBattery(uint8_t level);
    // Overrides the power state the status block reports; empty: derived from link and level.
    void SetPowerState(std::optional<uint8_t> state);
    void SetModeByte(uint8_t mode);
    // The active-profile byte (settings memory byte 0), as an on-board profile key sets it.
    uint8_t ActiveProfile() const;
    void SetActiveProfile(uint8_t profile);
    int BeginCount() const;
    int EndCount() const;
    bool SessionOpen() const;        // a Begin not yet closed by End
    int CommandCount(uint8_t command) const;

protected:
    DeviceFirmware(DeviceModel model, size_t settingsBytes);

    template <class Firmware>
    struct CommandHandler {
        uint8_t command;
        uint8_t (Firmware::*handle)(CommandContext&);
    };

    // Runs the handler for ctx's command from `table`; empty when the table has none.
    template <class Firmware, size_t N>
    static std::optional<uint8_t> Dispatch(Firmware& firmware, const std::array<CommandHandler<Firmware>, N>& table,
                                           uint8_t command, CommandContext& ctx)
    {
        for (const auto& entry : table) {
            if (entry.command == command)
                return (firmware.*entry.handle)(ctx);
        }
        return std::nullopt;
    }

    // The subclass's table lookup, called with the firmware lock held.
    virtual std::optional<uint8_t> Execute(uint8_t command, CommandContext& ctx) = 0;

    // Copies `ctx.length` bytes at base + offset of `memory` into the reply; 0xFE beyond it.
    static uint8_t ReadRegion(std::span<const uint8_t> memory, size_t base, CommandContext& ctx);
    // Stores the request's data at base + offset of `memory`; 0xFE beyond it.
    static uint8_t WriteRegion(std::span<uint8_t> memory, size_t base, const CommandContext& ctx);

    // Handlers every kind shares.
    uint8_t OnBegin(CommandContext& ctx);
    uint8_t OnEnd(CommandContext& ctx);
    uint8_t OnReadInfo(CommandContext& ctx);
    uint8_t OnReadSettings(CommandContext& ctx);
    uint8_t OnWriteSettings(CommandContext& ctx);
    uint8_t OnReadStatus(CommandContext& ctx);
    uint8_t OnLinkQuery(CommandContext& ctx);

    std::array<uint8_t, status::kSize> BuildStatus(Link link) const;

    mutable std::mutex mutex_;
    std::array<uint8_t, info::kSize> info_{};
    std::vector<uint8_t> settings_;
    uint8_t battery_ = 85;
    std::optional<uint8_t> powerState_;
    uint8_t modeByte_ = 0;
    bool batteryPowered_ = true;     // false for devices powered by the bus only
    uint8_t phoneType_ = 0;          // mousepad only
    bool sessionOpen_ = false;
    int beginCount_ = 0;
    int endCount_ = 0;
    std::array<int, 256> commandCounts_{};

private:
    DeviceModel model_;
};

}  // namespace dw::emu
