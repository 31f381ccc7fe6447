// The simulated firmware answered directly, without a bus: frame checks, the command table of
// each device kind, and the memory every command reads or writes.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <set>

#include "EmulatorTestSupport.h"
#include "emulator/FaultPlan.h"
#include "emulator/HeadsetFirmware.h"
#include "emulator/KeyboardFirmware.h"
#include "emulator/KeyboardLayout75.h"
#include "emulator/MouseFirmware.h"
#include "emulator/MousepadFirmware.h"

namespace dw::emu {
namespace {

using test::Hex;
using test::ReportOf;

Report Ask(DeviceFirmware& firmware, const Report& request, Link link = Link::Cable)
{
    const std::optional<Report> reply = firmware.HandleCommand(request, link);
    EXPECT_TRUE(reply.has_value());
    return reply.value_or(Report{});
}

// Reads `size` bytes of an image with `command` in chunks of `chunk`, as the host does.
std::vector<uint8_t> ReadImage(DeviceFirmware& firmware, uint8_t command, size_t size, size_t chunk, uint16_t base = 0)
{
    std::vector<uint8_t> image;
    for (size_t at = 0; at < size; at += chunk) {
        const auto length = static_cast<uint8_t>(std::min(chunk, size - at));
        const Report reply = Ask(firmware, BuildFrame(command, length, static_cast<uint16_t>(base + at)));
        EXPECT_EQ(FrameStatus(reply), kStatusOk) << "chunk at " << at;
        image.insert(image.end(), reply.begin() + frame::kData, reply.begin() + frame::kData + length);
    }
    return image;
}

void WriteImage(DeviceFirmware& firmware, uint8_t command, std::span<const uint8_t> image, size_t chunk, uint16_t base = 0)
{
    for (size_t at = 0; at < image.size(); at += chunk) {
        const size_t length = std::min(chunk, image.size() - at);
        const Report reply = Ask(firmware, BuildFrame(command, static_cast<uint8_t>(length), static_cast<uint16_t>(base + at),
                                                      image.subspan(at, length)));
        EXPECT_EQ(FrameStatus(reply), kStatusOk) << "chunk at " << at;
    }
}

TEST(FirmwareFrames, BeginAndEndAreAnsweredByteExact)
{
    KeyboardFirmware keyboard;
    EXPECT_EQ(Ask(keyboard, BuildFrame(cmd::kBegin, 0, 0)), ReportOf(Hex("04 01 00 01")));
    EXPECT_TRUE(keyboard.SessionOpen());
    EXPECT_EQ(Ask(keyboard, BuildFrame(cmd::kEnd, 0, 0)), ReportOf(Hex("04 02 00 02")));
    EXPECT_FALSE(keyboard.SessionOpen());
    EXPECT_EQ(keyboard.BeginCount(), 1);
    EXPECT_EQ(keyboard.EndCount(), 1);
}

TEST(FirmwareFrames, ReadInfoOnCableIsOneReplyCarryingTheWholeBlock)
{
    KeyboardFirmware keyboard;
    const Report request = BuildFrame(cmd::kReadInfo, 34, 0);
    ASSERT_EQ(request, ReportOf(Hex("04 25 00 03 22 00 00 00")));
    // Slot count 132 (0x84), 32 units of macro memory, linked (0x40).
    EXPECT_EQ(Ask(keyboard, request), ReportOf(Hex("04 10 01 03 22 00 00 00 01 05 01 00 00 84 20 40")));
}

TEST(FirmwareFrames, MalformedRequestsAreRejectedAndChangeNothing)
{
    struct Case {
        const char* what;
        Report request;
        uint8_t expectedStatus;
    };
    Report badChecksum = BuildFrame(cmd::kWriteSettings, 1, 0, Hex("07"));
    badChecksum[frame::kChecksumLow] ^= 0x01;
    const Report tooLong = [] {
        Report r = BuildFrame(cmd::kWriteSettings, 56, 0, std::vector<uint8_t>(56, 7));
        r[frame::kLength] = 57;
        SealFrame(r);
        return r;
    }();
    const Case cases[] = {
        {"bad checksum", badChecksum, frame::kStatusRejected},
        {"length above 56", tooLong, frame::kStatusRejected},
        {"unknown command", BuildFrame(0x44, 0, 0), frame::kStatusRejected},
        {"write beyond settings memory", BuildFrame(cmd::kWriteSettings, 4, 132, Hex("07 07 07 07")), frame::kStatusRefused},
        {"read beyond info block", BuildFrame(cmd::kReadInfo, 2, 33), frame::kStatusRefused},
        {"offset far past the end", BuildFrame(cmd::kWriteSettings, 1, 0xFFFF, Hex("07")), frame::kStatusRefused},
    };
    for (const Case& c : cases) {
        KeyboardFirmware keyboard;
        const auto before = keyboard.SettingsMemory();
        const Report reply = Ask(keyboard, c.request);
        EXPECT_EQ(FrameStatus(reply), c.expectedStatus) << c.what;
        EXPECT_EQ(FrameCommand(reply), FrameCommand(c.request)) << c.what;
        EXPECT_TRUE(FrameChecksumValid(reply)) << c.what;
        EXPECT_TRUE(std::all_of(reply.begin() + frame::kData, reply.end(), [](uint8_t b) { return b == 0; })) << c.what;
        EXPECT_EQ(keyboard.SettingsMemory(), before) << c.what;
    }
}

TEST(FirmwareFrames, ReportsThatAreNotCommandFramesAreDropped)
{
    KeyboardFirmware keyboard;
    const Report frameBytes = BuildFrame(cmd::kBegin, 0, 0);
    EXPECT_FALSE(keyboard.HandleCommand(std::span(frameBytes).first(63), Link::Cable));
    Report otherId = frameBytes;
    otherId[frame::kReportId] = 0x05;
    EXPECT_FALSE(keyboard.HandleCommand(otherId, Link::Cable));
    EXPECT_EQ(keyboard.BeginCount(), 0);
}

TEST(FirmwareFrames, RepliesEchoLengthAndOffsetAndAreSealed)
{
    KeyboardFirmware keyboard;
    const Report reply = Ask(keyboard, BuildFrame(cmd::kReadKeyMap, 24, 48));
    EXPECT_EQ(FrameCommand(reply), cmd::kReadKeyMap);
    EXPECT_EQ(FrameLength(reply), 24);
    EXPECT_EQ(FrameOffset(reply), 48);
    EXPECT_TRUE(FrameChecksumValid(reply));
}

// Which commands each kind of device answers (status 0) and which it rejects (0xFF).
TEST(FirmwareCommands, EachKindAnswersItsOwnCommandSet)
{
    const std::vector<uint8_t> all = {0x01, 0x02, 0x03, 0x05, 0x06, 0x07, 0x09, 0x0A, 0x0B, 0x12,
                                      0x15, 0x17, 0x1A, 0x1B, 0x1C, 0x27, 0xAA};
    struct Case {
        const char* kind;
        std::unique_ptr<DeviceFirmware> firmware;
        std::set<uint8_t> answered;
    };
    Case cases[] = {
        {"keyboard", std::make_unique<KeyboardFirmware>(),
         {0x01, 0x02, 0x03, 0x05, 0x06, 0x07, 0x09, 0x0A, 0x0B, 0x12, 0x15, 0x1A, 0x1B, 0x1C, 0x27, 0xAA}},
        {"mouse", std::make_unique<MouseFirmware>(), {0x01, 0x02, 0x03, 0x05, 0x06, 0x07, 0x09, 0x15, 0x17, 0x1A, 0xAA}},
        {"mousepad", std::make_unique<MousepadFirmware>(), {0x01, 0x02, 0x03, 0x05, 0x06, 0x1A}},
        {"headset", std::make_unique<HeadsetFirmware>(), {0x01, 0x02, 0x03, 0x05, 0x06, 0x1A}},
    };
    for (Case& c : cases) {
        for (uint8_t command : all) {
            // One byte at offset 0: inside every region of every kind.
            const Report reply = Ask(*c.firmware, BuildFrame(command, 1, 0, Hex("00")));
            const uint8_t expected = c.answered.count(command) ? kStatusOk : frame::kStatusRejected;
            EXPECT_EQ(FrameStatus(reply), expected) << c.kind << " command " << int(command);
            EXPECT_EQ(FrameCommand(reply), command) << c.kind;
        }
    }
}

TEST(FirmwareKeyboard, FactoryKeyMapHoldsEveryKeyOfTheLayoutInItsSlot)
{
    KeyboardFirmware keyboard;
    const auto map = ReadImage(keyboard, cmd::kReadKeyMap, 3 * kKeyboardSlotCount, kWiredChunkSize);
    EXPECT_EQ(map, KeyboardFirmware::FactoryKeyMap());
    EXPECT_EQ(map, keyboard.KeyMap(1));
    // Esc in slot 0 as key usage 0x29; A (logical 64, row 3) in slot 67; Left Shift (84) as a modifier bit.
    EXPECT_EQ(std::vector<uint8_t>(map.begin(), map.begin() + 3), Hex("20 00 29"));
    EXPECT_EQ(std::vector<uint8_t>(map.begin() + 3 * 67, map.begin() + 3 * 68), Hex("20 00 04"));
    EXPECT_EQ(std::vector<uint8_t>(map.begin() + 3 * 88, map.begin() + 3 * 89), Hex("20 02 00"));

    const auto slots = ReadImage(keyboard, cmd::kReadSlotBytes, kKeyboardSlotCount, kReceiverChunkSize);
    EXPECT_EQ(std::count(slots.begin(), slots.end(), 1), static_cast<long>(kKeyboard75Layout.size()));
}

TEST(FirmwareKeyboard, LayoutInvariants)
{
    std::set<uint8_t> slots, keys;
    std::set<uint32_t> codes;
    for (const FactoryKey& key : kKeyboard75Layout) {
        EXPECT_LT(key.slot, kKeyboardSlotCount);
        EXPECT_LE(key.logicalKey, 125);
        EXPECT_TRUE(slots.insert(key.slot).second) << "slot " << int(key.slot) << " used twice";
        EXPECT_TRUE(keys.insert(key.logicalKey).second) << "key " << int(key.logicalKey) << " listed twice";
        EXPECT_TRUE(codes.insert(key.type << 16 | key.value1 << 8 | key.value2).second)
            << "key " << int(key.logicalKey) << " shares its code";
        // The light position the host derives (slot minus the row) is the logical key itself.
        EXPECT_EQ(key.slot - KeyboardRowOf(key.logicalKey), key.logicalKey);
    }
}

TEST(FirmwareKeyboard, KeyMapWritesLandPerLayerAndProfile)
{
    KeyboardFirmware keyboard;
    std::vector<uint8_t> image(3 * kKeyboardSlotCount);
    std::iota(image.begin(), image.end(), uint8_t{1});
    WriteImage(keyboard, cmd::kWriteKeyMapLayer2, image, kReceiverChunkSize);
    EXPECT_EQ(keyboard.KeyMap(2), image);
    EXPECT_EQ(keyboard.KeyMap(1), KeyboardFirmware::FactoryKeyMap());

    // Profile 1 of layer 1 starts at 512.
    WriteImage(keyboard, cmd::kWriteKeyMap, image, kWiredChunkSize, 512);
    EXPECT_EQ(keyboard.KeyMap(1, 1), image);
    EXPECT_EQ(keyboard.KeyMap(1, 0), KeyboardFirmware::FactoryKeyMap());
    EXPECT_TRUE(keyboard.KeyMap(3).empty());
}

TEST(FirmwareKeyboard, SettingsBlockOfProfileZeroRoundTrips)
{
    KeyboardFirmware keyboard;
    const auto block = ReadImage(keyboard, cmd::kReadSettings, 34, kWiredChunkSize);
    EXPECT_EQ(block[0], 0);      // active profile
    EXPECT_EQ(block[1], 0x01);   // factory effect
    std::vector<uint8_t> changed = block;
    changed[2] = 1;
    changed[25] = 3;
    WriteImage(keyboard, cmd::kWriteSettings, changed, kReceiverChunkSize);
    EXPECT_EQ(ReadImage(keyboard, cmd::kReadSettings, 34, kReceiverChunkSize), changed);
    EXPECT_EQ(keyboard.SettingsMemory().size(), 1 + 33 * 4u);
}

TEST(FirmwareKeyboard, CustomColoursBitmapFramesAndHostLighting)
{
    KeyboardFirmware keyboard;
    keyboard.SetCustomColour(2, 5, 0x10, 0x20, 0x30);
    const auto group2 = ReadImage(keyboard, cmd::kReadCustomColours, 3 * kKeyboardSlotCount, kWiredChunkSize, 2 * 512);
    EXPECT_EQ(std::vector<uint8_t>(group2.begin() + 15, group2.begin() + 18), Hex("10 20 30"));
    EXPECT_EQ(group2, keyboard.CustomColours(2));
    const auto group0 = keyboard.CustomColours(0);
    EXPECT_EQ(std::vector<uint8_t>(group0.begin(), group0.begin() + 3), Hex("ff ff ff"));   // Esc lit white

    const std::vector<uint8_t> bitmap(21, 0x5A);
    WriteImage(keyboard, cmd::kWriteCustomBitmap, bitmap, kWiredChunkSize);
    EXPECT_TRUE(std::equal(bitmap.begin(), bitmap.end(), keyboard.CustomBitmap().begin()));

    std::vector<uint8_t> frameBytes(kKeyboardSlotCount, 0x33);
    WriteImage(keyboard, cmd::kLightFrame, frameBytes, kReceiverChunkSize);
    EXPECT_EQ(keyboard.LightFrame(), frameBytes);
    EXPECT_EQ(keyboard.CommandCount(cmd::kLightFrame), 6);   // 132 bytes in chunks of 24

    EXPECT_FALSE(keyboard.HostLightingActive());
    EXPECT_EQ(FrameStatus(Ask(keyboard, BuildFrame(cmd::kHostLightingControl, 0, 0))), kStatusOk);
    EXPECT_TRUE(keyboard.HostLightingActive());
}

TEST(FirmwareKeyboard, MacroMemoryAcceptsUpToItsCapacityAndRefusesBeyond)
{
    KeyboardFirmware keyboard;
    const size_t capacity = size_t{KeyboardFirmware::kMacroUnits} * 128;
    ASSERT_EQ(keyboard.InfoBlock()[info::kMacroUnits], KeyboardFirmware::kMacroUnits);
    const std::vector<uint8_t> tail(8, 0xAB);
    EXPECT_EQ(FrameStatus(Ask(keyboard, BuildFrame(cmd::kWriteMacroImage, 8, static_cast<uint16_t>(capacity - 8), tail))), kStatusOk);
    EXPECT_EQ(FrameStatus(Ask(keyboard, BuildFrame(cmd::kWriteMacroImage, 8, static_cast<uint16_t>(capacity - 4), tail))),
              frame::kStatusRefused);
    const auto memory = keyboard.MacroMemory();
    ASSERT_EQ(memory.size(), capacity);
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), memory.end() - 8));
}

TEST(FirmwareStatus, StatusBlockFollowsLinkBatteryAndKind)
{
    struct Case {
        const char* what;
        std::unique_ptr<DeviceFirmware> firmware;
        Link link;
        uint8_t battery;
        std::vector<uint8_t> expected;   // bytes 0..5
    };
    Case cases[] = {
        {"keyboard charging on its cable", std::make_unique<KeyboardFirmware>(), Link::Cable, 60, Hex("3c 01 00 00 00 00")},
        {"keyboard full on its cable", std::make_unique<KeyboardFirmware>(), Link::Cable, 100, Hex("64 00 00 00 00 00")},
        {"keyboard on battery through the receiver", std::make_unique<KeyboardFirmware>(), Link::Receiver, 60,
         Hex("3c 02 00 01 00 00")},
        {"mouse through the receiver", std::make_unique<MouseFirmware>(), Link::Receiver, 20, Hex("14 02 00 01 00 00")},
        {"mousepad is bus powered", std::make_unique<MousepadFirmware>(), Link::Cable, 10, Hex("64 00 00 00 00 00")},
        {"headset is bus powered", std::make_unique<HeadsetFirmware>(), Link::Cable, 10, Hex("64 00 00 00 00 00")},
    };
    for (Case& c : cases) {
        c.firmware->SetBattery(c.battery);
        const Report reply = Ask(*c.firmware, BuildFrame(cmd::kReadStatus, 6, 0), c.link);
        EXPECT_EQ(std::vector<uint8_t>(reply.begin() + 8, reply.begin() + 14), c.expected) << c.what;
    }

    MousepadFirmware pad;
    pad.SetPhone(MousepadFirmware::kPhoneSamsung);
    EXPECT_EQ(Ask(pad, BuildFrame(cmd::kReadStatus, 6, 0))[frame::kData + status::kPhone], 2);
}

TEST(FirmwareLinkQuery, DeviceThatAnswersIsLinked)
{
    KeyboardFirmware keyboard;
    const Report reply = Ask(keyboard, BuildFrame(cmd::kLinkQuery, 0, 0), Link::Receiver);
    EXPECT_EQ(FrameCommand(reply), cmd::kLinkQuery);
    EXPECT_EQ(reply[frame::kData], kLinkQueryLinked);
    EXPECT_EQ(FrameStatus(reply), kStatusOk);
    EXPECT_EQ(DeviceFirmware::NotLinkedReply(), ReportOf(Hex("04 aa 00 aa")));
}

TEST(FirmwareMouse, InfoBlockCarriesSlotsMacroSizeAndDpiData)
{
    MouseFirmware mouse;
    const auto info = ReadImage(mouse, cmd::kReadInfo, 34, kReceiverChunkSize);
    EXPECT_EQ(info[5], 16);
    EXPECT_EQ(info[6], 16);
    EXPECT_EQ(info[7], 0x40);
    EXPECT_EQ(info[9] | info[10] << 8, 0x3325);
    EXPECT_EQ(info[11], 100);
    EXPECT_EQ(info[12] | info[13] << 8, 73);
    EXPECT_EQ(info[14] | info[15] << 8, 100);
}

TEST(FirmwareMouse, FactoryButtonTableHoldsEveryFactoryAssignmentOnce)
{
    MouseFirmware mouse;
    const auto table = ReadImage(mouse, cmd::kReadKeyMap, 3 * MouseFirmware::kButtonSlots, kReceiverChunkSize);
    EXPECT_EQ(table, MouseFirmware::FactoryButtonTable());
    // The host's eleven buttons by their factory assignment.
    const std::vector<std::vector<uint8_t>> buttons = {
        Hex("10 01 00"), Hex("10 02 00"), Hex("10 04 00"), Hex("10 10 00"), Hex("10 08 00"), Hex("13 01 00"),
        Hex("13 02 00"), Hex("13 03 00"), Hex("a0 1b 00"), Hex("16 90 01"), Hex("14 78 02")};
    for (const auto& button : buttons) {
        int found = 0;
        for (size_t slot = 0; slot < MouseFirmware::kButtonSlots; ++slot)
            found += std::equal(button.begin(), button.end(), table.begin() + 3 * slot);
        EXPECT_EQ(found, 1) << int(button[0]) << " " << int(button[1]);
    }
}

TEST(FirmwareMouse, SettingsProfilesAreOneHundredTwentyEightBytesApart)
{
    MouseFirmware mouse;
    const auto profile0 = ReadImage(mouse, cmd::kReadSettings, 71, kWiredChunkSize);
    EXPECT_EQ(profile0[0], 0);
    EXPECT_EQ(profile0[12], 1);                          // current DPI stage
    EXPECT_EQ(std::vector<uint8_t>(profile0.begin() + 14, profile0.begin() + 23), Hex("01 00 03 00 03 00 ff 00 00"));
    EXPECT_EQ(profile0[60] | profile0[61] << 8, 1920);

    std::vector<uint8_t> block(71, 0x11);
    WriteImage(mouse, cmd::kWriteSettings, block, kWiredChunkSize, 128);
    const auto memory = mouse.SettingsMemory();
    EXPECT_TRUE(std::equal(block.begin(), block.end(), memory.begin() + 128));
    EXPECT_EQ(memory[0], 0);
}

TEST(FirmwareMouse, RecoilImageArrivesInFiftySixByteChunks)
{
    MouseFirmware mouse;
    std::vector<uint8_t> image(200);
    std::iota(image.begin(), image.end(), uint8_t{0});
    WriteImage(mouse, cmd::kWriteRecoilImage, image, kWiredChunkSize);
    const auto memory = mouse.RecoilMemory();
    EXPECT_TRUE(std::equal(image.begin(), image.end(), memory.begin()));
    EXPECT_EQ(mouse.CommandCount(cmd::kWriteRecoilImage), 4);
}

TEST(FirmwareHeadset, LedReportsPaintBothZonesPerColourGroup)
{
    HeadsetFirmware headset;
    auto led = [](uint8_t zone, uint8_t group, std::vector<uint8_t> values) {
        std::vector<uint8_t> report(17, 0);
        report[0] = 0xFF;
        report[1] = zone;
        report[2] = group;
        std::copy(values.begin(), values.end(), report.begin() + 3);
        return report;
    };
    headset.HandleOutputReport(led(0x22, 0xAA, {1, 2, 3, 4, 5, 6, 7}));
    headset.HandleOutputReport(led(0x22, 0xAD, {8, 9, 10, 11, 12, 13}));
    headset.HandleOutputReport(led(0x44, 0xAF, {0, 0, 0, 0, 0, 247}));
    EXPECT_EQ(headset.Led(0x22, 0), (LedColour{1, 0, 0}));
    EXPECT_EQ(headset.Led(0x22, 12), (LedColour{13, 0, 0}));
    EXPECT_EQ(headset.Led(0x44, 12), (LedColour{0, 0, 247}));
    EXPECT_EQ(headset.LedReportCount(), 3);

    // Unknown zone, unknown group, wrong length: ignored.
    headset.HandleOutputReport(led(0x23, 0xAA, {9}));
    headset.HandleOutputReport(led(0x22, 0xB0, {9}));
    auto shortReport = led(0x22, 0xAA, {9});
    shortReport.pop_back();
    headset.HandleOutputReport(shortReport);
    EXPECT_EQ(headset.LedReportCount(), 3);
    EXPECT_EQ(headset.Led(0x22, 0), (LedColour{1, 0, 0}));
}

}  // namespace
}  // namespace dw::emu

namespace dw::emu {
namespace {

TEST(FaultSpecText, CommandLineFormsParseOrAreRefused)
{
    struct Case {
        const char* text;
        bool ok;
        FaultKind kind;
        FaultMode mode;
        int delayMs;
        std::optional<uint8_t> command;
    };
    const Case cases[] = {
        {"no-reply", true, FaultKind::NoReply, FaultMode::Once, 0, std::nullopt},
        {"late-reply:250ms:cmd=06:sticky", true, FaultKind::LateReply, FaultMode::UntilCleared, 250, uint8_t{0x06}},
        {"wrong-echo:cmd=aa", true, FaultKind::WrongEcho, FaultMode::Once, 0, uint8_t{0xAA}},
        {"status-ff:sticky", true, FaultKind::StatusRejected, FaultMode::UntilCleared, 0, std::nullopt},
        {"status-fe:once", true, FaultKind::StatusRefused, FaultMode::Once, 0, std::nullopt},
        {"unplug:cmd=1A", true, FaultKind::UnplugDuringTransfer, FaultMode::Once, 0, uint8_t{0x1A}},
        {"", false, {}, {}, 0, std::nullopt},
        {"explode", false, {}, {}, 0, std::nullopt},
        {"late-reply:-5ms", false, {}, {}, 0, std::nullopt},
        {"late-reply:99999999ms", false, {}, {}, 0, std::nullopt},
        {"no-reply:cmd=100", false, {}, {}, 0, std::nullopt},
        {"no-reply:cmd=", false, {}, {}, 0, std::nullopt},
        {"no-reply:", false, {}, {}, 0, std::nullopt},
        {"no-reply:forever", false, {}, {}, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        FaultSpec fault;
        ASSERT_EQ(ParseFaultSpec(c.text, fault), c.ok) << c.text;
        if (!c.ok)
            continue;
        EXPECT_EQ(fault.kind, c.kind) << c.text;
        EXPECT_EQ(fault.mode, c.mode) << c.text;
        EXPECT_EQ(fault.delayMs, c.delayMs) << c.text;
        EXPECT_EQ(fault.command, c.command) << c.text;
    }
}

TEST(FaultPlanUse, OnceFaultsAreUsedUpAndCommandFiltersApply)
{
    FaultPlan plan;
    plan.Arm({FaultKind::StatusRefused, FaultMode::Once, 0, uint8_t{0x06}});
    plan.Arm({FaultKind::NoReply, FaultMode::UntilCleared, 0, std::nullopt});
    EXPECT_EQ(plan.Take(0x01)->kind, FaultKind::NoReply);
    EXPECT_EQ(plan.Take(0x06)->kind, FaultKind::StatusRefused);
    EXPECT_EQ(plan.Take(0x06)->kind, FaultKind::NoReply);
    plan.Clear();
    EXPECT_FALSE(plan.Take(0x06));
    EXPECT_TRUE(plan.Empty());
}

}  // namespace
}  // namespace dw::emu
