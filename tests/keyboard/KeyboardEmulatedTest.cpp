// The keyboard's command channel and notification reader against the emulated keyboard, by
// cable and through the receiver: what the firmware holds after each operation, what crossed
// the bus, and how faults end an operation.

#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <mutex>

#include "emulator/EmulatorFactory.h"
#include "emulator/KeyboardFirmware.h"
#include "emulator/VirtualHidBus.h"
#include "keyboard/CKeyboardCommandChannel.h"
#include "keyboard/CKeyboardNotificationReader.h"
#include "keyboard/FunctionTypes.h"
#include "keyboard/KeyMapImages.h"
#include "keyboard/LogicalKeys.h"
#include "transport/DeviceKinds.h"
#include "transport/DeviceTables.h"
#include "transport/HidPathParsers.h"
#include "transport/TransportResult.h"

namespace dw {
namespace {

using emu::Link;

// Generous bound for an event to arrive from the emulator's thread; only a failure waits it out.
constexpr auto kEventWait = std::chrono::seconds(10);

class FakeMacros : public IMacroSource {
 public:
  std::optional<size_t> MacroCount() const override { return macros.size(); }
  std::optional<MacroEvents> Events(size_t index) const override {
    return index < macros.size() ? std::optional(macros[index]) : std::nullopt;
  }
  std::vector<MacroEvents> macros;
};

struct LinkCase {
  const char* name;
  const char* devices;  // the emulator factory's list
  Link link;
};

void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }

const LinkCase kCable{"cable", "keyboard", Link::Cable};
const LinkCase kReceiver{"receiver", "keyboard-receiver", Link::Receiver};

class EmulatedKeyboard : public testing::TestWithParam<LinkCase> {
 protected:
  void SetUp() override {
    std::string bad;
    ASSERT_EQ(emu::BuildEmulatedBus(GetParam().devices, bus, bad), emu::kEmulateOk) << bad;
    device = bus->FindDevice(emu::DeviceModel::Keyboard);
    ASSERT_NE(device, nullptr);
    firmware = device->Keyboard();
    ASSERT_NE(firmware, nullptr);
    transport = std::make_unique<CDeviceTransport>(bus.get());
    channel = std::make_unique<CKeyboardCommandChannel>(*transport, [](std::chrono::milliseconds) {});
    ASSERT_TRUE(Connect());
  }

  bool Receiver() const { return GetParam().link == Link::Receiver; }

  // The path of the keyboard's interface with `role` on this test's link, found in the HID
  // interface list the way the device list finds it.
  std::wstring FindPath(uint16_t role) {
    const SupportedInterfaceRow& row = kSupportedInterfaces[(Receiver() ? 2 : 0) + (role == role::kCommand ? 0 : 1)];
    CHidConnection lister(bus.get());
    if (!lister.EnumerateHidPaths()) return {};
    while (std::optional<std::wstring> path = lister.NextHidPath()) {
      if (VendorIdOfPath(*path) == row.vendorId && ProductIdOfPath(*path) == row.productId &&
          InterfaceNumberOfPath(*path) == row.interfaceNumber && CollectionNumberOfPath(*path) == row.collectionNumber) {
        return *path;
      }
    }
    return {};
  }

  // Opens the command interface as the device list does.
  bool Connect() {
    const std::wstring path = FindPath(role::kCommand);
    if (path.empty()) return false;
    std::lock_guard io(transport->IoLock());
    CHidConnection& connection = Receiver() ? transport->ReceiverConnection() : transport->WiredConnection();
    if (!connection.OpenPath(path, true, true, true, false)) return false;
    transport->SetOpened(true);
    transport->SetLinkMode(Receiver() ? link::kReceiver : link::kWired);
    return true;
  }

  void Disconnect() {
    transport->SetOpened(false);
    std::lock_guard io(transport->IoLock());
    transport->WiredConnection().Close();
    transport->ReceiverConnection().Close();
  }

  // Command codes the host sent since the trace was last cleared, in order.
  std::vector<uint8_t> SentCommands() {
    std::vector<uint8_t> commands;
    for (const emu::TraceEntry& entry : bus->Trace().Entries()) {
      if (entry.direction == emu::TraceDirection::HostToDevice && entry.bytes.size() > frame::kCommand) {
        commands.push_back(entry.bytes[frame::kCommand]);
      }
    }
    return commands;
  }

  size_t SlotOf(size_t logicalKey) const {
    for (const emu::FactoryKey& key : emu::kKeyboard75Layout) {
      if (key.logicalKey == logicalKey) return key.slot;
    }
    return slotmap::kNone;
  }

  static EffectList Effects() {
    return LoadEffectList(std::string(DW_RESOURCES_DIR) + "/DefaultData/" + effect::kFileName,
                          effect::kKeyboardModelIndex);
  }

  std::unique_ptr<emu::VirtualHidBus> bus;
  emu::EmulatedDevice* device = nullptr;
  emu::KeyboardFirmware* firmware = nullptr;
  std::unique_ptr<CDeviceTransport> transport;
  std::unique_ptr<CKeyboardCommandChannel> channel;
};

TEST_P(EmulatedKeyboard, FullReadFillsTheCacheFromTheKeyboard) {
  ASSERT_EQ(channel->FullRead(), result::kSuccess);
  const KeyboardDeviceCache cache = channel->Cache();
  const std::vector<uint8_t> info = firmware->InfoBlock();
  EXPECT_EQ(std::vector<uint8_t>(cache.info.begin(), cache.info.end()), info);
  EXPECT_EQ(cache.layer1, firmware->KeyMap(1));
  EXPECT_EQ(cache.slotBytes, firmware->SlotBytes());
  EXPECT_EQ(transport->TotalLength(), 3 * emu::kKeyboardSlotCount);
  EXPECT_EQ(cache.slotMaps.SlotOf(0), SlotOf(0));    // Esc
  EXPECT_EQ(cache.slotMaps.SlotOf(64), SlotOf(64));  // A
  EXPECT_EQ(cache.slotMaps.LightPositionOf(36), 33);  // Home's fixed light
  EXPECT_EQ(firmware->BeginCount(), 1);
  EXPECT_EQ(firmware->EndCount(), 1);
  EXPECT_FALSE(firmware->SessionOpen());
}

TEST_P(EmulatedKeyboard, SettingsWriteIsReadModifyWriteAndReadsBack) {
  // Bytes the program does not own, as the keyboard keeps them.
  const std::vector<uint8_t> unowned{0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97};
  firmware->SetSettingsMemory(9, unowned);
  firmware->SetSettingsMemory(1 + 16, std::vector<uint8_t>{0x5A});  // block byte 16: forced to 0
  ASSERT_EQ(channel->ReadSettings(), result::kSuccess);
  EXPECT_EQ(channel->Cache().settings[kbsettings::kAlwaysZero], 0);

  const EffectList effects = Effects();
  LightingRecord record;
  record.SelectItem = 30;  // rendered on the host
  record.Light = 3;
  record.Speed = 4;
  record.Red = 0x12;
  record.Green = 0x34;
  record.Blue = 0x56;
  record.CustomGroup = 1;
  KeyboardSystemStages stages;
  stages.PollingRate = 2;
  stages.WinFlag = 1;
  ASSERT_EQ(channel->WriteSettings(record, stages, effects), result::kSuccess);

  const std::vector<uint8_t> memory = firmware->SettingsMemory();
  EXPECT_EQ(memory[0], 0);                           // active profile byte
  EXPECT_EQ(memory[kbsettings::kEffect], 0xFE);
  EXPECT_EQ(memory[kbsettings::kBrightness], 3);
  EXPECT_EQ(memory[kbsettings::kSpeed], 0);          // speed 4
  EXPECT_EQ(memory[kbsettings::kRed], 0x12);
  EXPECT_EQ(memory[kbsettings::kPollingRate], 2);
  EXPECT_EQ(memory[kbsettings::kWinLock], 1);
  EXPECT_EQ(memory[kbsettings::kCustomGroup], 1);
  EXPECT_EQ(memory[kbsettings::kAlwaysZero], 0);
  EXPECT_EQ(std::vector<uint8_t>(memory.begin() + 9, memory.begin() + 16), unowned);
  EXPECT_FALSE(firmware->SessionOpen());

  ASSERT_EQ(channel->ReadSettings(), result::kSuccess);
  LightingRecord before;
  before.SelectItem = 30;
  const DecodedSettings back = DecodeSettingsBlock(channel->Cache().settings, before, {}, effects);
  EXPECT_EQ(back.record.SelectItem, 30);  // 0xFE keeps the selection
  EXPECT_EQ(back.record.Speed, 4);
  EXPECT_EQ(back.record.Light, 3);
  EXPECT_EQ(back.stages.WinFlag, 1);
}

TEST_P(EmulatedKeyboard, ReadSettingsFollowsTheActiveProfile) {
  firmware->SetSettingsMemory(0, std::vector<uint8_t>{2});
  firmware->SetSettingsMemory(33 * 2 + 2, std::vector<uint8_t>{1});  // profile 2's brightness
  ASSERT_EQ(channel->ReadSettings(), result::kSuccess);
  EXPECT_EQ(channel->ActiveProfile(), 2);
  EXPECT_EQ(channel->Cache().settings[kbsettings::kBrightness], 1);
}

TEST_P(EmulatedKeyboard, KeyMapWriteWithAMacroReachesKeyMapAndMacroMemory) {
  ASSERT_EQ(channel->FullRead(), result::kSuccess);
  FakeMacros macros;
  macros.macros = {{{10, 0x01, true, 0x04}}, {{20, 0x01, true, 0x05}, {30, 0x01, false, 0x05}}, {}};
  std::vector<KeyEntry> keys = MakeDefaultKeyList();
  keys[0].current = {fn::kMacro, 1, 2};                                  // Esc runs macro 1
  keys[64].current = {fn::kKeyboardKey, modifier::kLCtrl, 0x06};         // A sends Ctrl+C
  keys[65].current = {fn::kMacroRepeat, 7, 1};                           // a macro that is gone

  ASSERT_EQ(channel->WriteLayer1KeyMap(0, keys, macros), result::kSuccess);
  const std::vector<uint8_t> map = firmware->KeyMap(1);
  const auto slotBytes = [&](size_t key) {
    const size_t s = SlotOf(key);
    return Assignment{map[3 * s], map[3 * s + 1], map[3 * s + 2]};
  };
  EXPECT_EQ(slotBytes(0), (Assignment{fn::kMacro, 0, 2}));  // device slot 0
  EXPECT_EQ(slotBytes(64), (Assignment{fn::kKeyboardKey, modifier::kLCtrl, 0x06}));
  EXPECT_EQ(slotBytes(65), DefaultAssignmentOf(65));
  EXPECT_EQ(slotBytes(1), DefaultAssignmentOf(1));

  const std::vector<size_t> slots = channel->ListMacroSlots(keys, macros);
  ASSERT_EQ(slots, (std::vector<size_t>{1}));
  ASSERT_EQ(channel->WriteMacroImage(slots, macros), 0);
  const std::vector<MacroEvents> expected{macros.macros[1]};
  const std::vector<uint8_t> image = BuildMacroImage(expected);
  const std::vector<uint8_t> memory = firmware->MacroMemory();
  EXPECT_EQ(std::vector<uint8_t>(memory.begin(), memory.begin() + static_cast<ptrdiff_t>(image.size())), image);
  EXPECT_FALSE(firmware->SessionOpen());
}

TEST_P(EmulatedKeyboard, KeyMapWritesRefuseOtherProfilesBeforeSendingAnything) {
  ASSERT_EQ(channel->FullRead(), result::kSuccess);
  bus->Trace().Clear();
  FakeMacros macros;
  EXPECT_EQ(channel->WriteLayer1KeyMap(1, MakeDefaultKeyList(), macros), result::kBadArgument);
  EXPECT_EQ(channel->WriteLayer2KeyMap(2, MakeDefaultKeyList(), std::nullopt), result::kBadArgument);
  EXPECT_TRUE(SentCommands().empty());
}

TEST_P(EmulatedKeyboard, Layer2WriteReachesTheSecondLayer) {
  ASSERT_EQ(channel->FullRead(), result::kSuccess);
  std::vector<KeyEntry> keys = MakeDefaultKeyList();
  keys[1].current = {fn::kConsumer, 0xCD, 0x00};
  ASSERT_EQ(channel->WriteLayer2KeyMap(0, keys, std::nullopt), result::kSuccess);
  const std::vector<uint8_t> map = firmware->KeyMap(2);
  const size_t f1 = SlotOf(1);
  EXPECT_EQ((Assignment{map[3 * f1], map[3 * f1 + 1], map[3 * f1 + 2]}), (Assignment{fn::kConsumer, 0xCD, 0}));
  const size_t esc = SlotOf(0);
  EXPECT_EQ((Assignment{map[3 * esc], map[3 * esc + 1], map[3 * esc + 2]}), (Assignment{0, 0, 0}));
}

TEST_P(EmulatedKeyboard, MacroImageLargerThanTheMemoryIsNotSent) {
  ASSERT_EQ(channel->FullRead(), result::kSuccess);
  FakeMacros macros;
  // 4096 bytes of memory: 16 + 6 + 4 x 1100 = 4422 bytes, 326 too many.
  macros.macros = {MacroEvents(1100, MacroDeviceEvent{1, 1, true, 4})};
  bus->Trace().Clear();
  EXPECT_EQ(channel->WriteMacroImage(std::vector<size_t>{0}, macros), ((4422 - 4096) >> 2) + 1);
  // Only the info read (one chunk by cable, two through the receiver).
  const std::vector<uint8_t> sent = SentCommands();
  EXPECT_EQ(sent, std::vector<uint8_t>(Receiver() ? 2 : 1, cmd::kReadInfo));
  bus->Trace().Clear();
  EXPECT_EQ(channel->WriteMacroImage({}, macros), 0);
  EXPECT_TRUE(SentCommands().empty());
}

TEST_P(EmulatedKeyboard, FailingChunkStopsTheChunksButEndStillFollows) {
  ASSERT_EQ(channel->FullRead(), result::kSuccess);
  bus->Trace().Clear();
  device->InjectFault({emu::FaultKind::StatusRejected, emu::FaultMode::Once, 0, cmd::kWriteKeyMap});
  FakeMacros macros;
  EXPECT_EQ(channel->WriteLayer1KeyMap(0, MakeDefaultKeyList(), macros), result::kRejected);
  std::vector<uint8_t> expected{cmd::kReadInfo};
  if (Receiver()) expected.push_back(cmd::kReadInfo);  // 34 bytes in two chunks of 24
  expected.insert(expected.end(), {cmd::kBegin, cmd::kWriteKeyMap, cmd::kEnd});
  EXPECT_EQ(SentCommands(), expected);
  EXPECT_FALSE(firmware->SessionOpen());
}

TEST_P(EmulatedKeyboard, StatusAndLink) {
  StatusBlock block{};
  bus->Trace().Clear();
  EXPECT_TRUE(channel->IsLinked());
  ASSERT_EQ(channel->ReadStatus(block), result::kSuccess);
  EXPECT_EQ(block[kbstatus::kThroughReceiver], Receiver() ? 1 : 0);
  EXPECT_EQ(block[kbstatus::kBattery], firmware->StatusBlock(GetParam().link)[kbstatus::kBattery]);
  const std::vector<uint8_t> sent = SentCommands();
  const auto queries = std::count(sent.begin(), sent.end(), cmd::kLinkQuery);
  // The query is a receiver's business: never sent by cable.
  EXPECT_EQ(queries, Receiver() ? 2 : 0);
}

TEST_P(EmulatedKeyboard, CustomColoursBitmapAndHostLighting) {
  ASSERT_EQ(channel->FullRead(), result::kSuccess);
  firmware->SetCustomColour(1, SlotOf(0), 1, 2, 3);
  std::vector<KeyColour> colours;
  ASSERT_EQ(channel->ReadCustomColours(1, colours), result::kSuccess);
  ASSERT_FALSE(colours.empty());
  EXPECT_EQ(colours.front(), (KeyColour{0, {1, 2, 3}}));
  EXPECT_EQ(channel->ReadCustomColours(200, colours), result::kBadArgument);

  CustomLightBitmap bitmap{};
  bitmap[0] = 0x81;
  bitmap[18] = 0x7E;
  ASSERT_EQ(channel->WriteCustomLightBitmap(bitmap), result::kSuccess);
  const std::vector<uint8_t> stored = firmware->CustomBitmap();
  EXPECT_EQ(std::vector<uint8_t>(stored.begin(), stored.begin() + customlight::kBitmapSize),
            std::vector<uint8_t>(bitmap.begin(), bitmap.end()));

  ASSERT_EQ(channel->SendHostLightingControl(), result::kSuccess);
  EXPECT_TRUE(firmware->HostLightingActive());

  std::vector<uint8_t> frame(emu::kKeyboardSlotCount);
  for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint8_t>(i);
  ASSERT_EQ(channel->StreamLightFrame(frame), result::kSuccess);
  EXPECT_EQ(firmware->LightFrame(), frame);
}

TEST_P(EmulatedKeyboard, UnplugDuringAChunkedWriteEndsItAndTheNextPlugInWorks) {
  ASSERT_EQ(channel->FullRead(), result::kSuccess);
  device->InjectFault({emu::FaultKind::UnplugDuringTransfer, emu::FaultMode::Once, 0, cmd::kWriteKeyMap});
  FakeMacros macros;
  const int code = channel->WriteLayer1KeyMap(0, MakeDefaultKeyList(), macros);
  EXPECT_LE(code, result::kNothing);

  Disconnect();
  if (Receiver()) {
    device->PlugReceiver();
  } else {
    device->PlugCable();
  }
  ASSERT_TRUE(Connect());
  EXPECT_EQ(channel->FullRead(), result::kSuccess);
  EXPECT_EQ(channel->WriteLayer1KeyMap(0, MakeDefaultKeyList(), macros), result::kSuccess);
}

INSTANTIATE_TEST_SUITE_P(Links, EmulatedKeyboard, testing::Values(kCable, kReceiver),
                         [](const testing::TestParamInfo<LinkCase>& info) { return info.param.name; });

// --- Receiver whose keyboard is switched off ------------------------------------------------------

class ReceiverWithoutKeyboard : public EmulatedKeyboard {};

TEST_P(ReceiverWithoutKeyboard, CommandsFailWithNotLinked) {
  device->SetPowered(false);
  bus->Trace().Clear();
  EXPECT_FALSE(channel->IsLinked());
  StatusBlock block{};
  EXPECT_EQ(channel->ReadStatus(block), result::kNotLinked);
  EXPECT_EQ(SentCommands(), (std::vector<uint8_t>{cmd::kLinkQuery, cmd::kLinkQuery}));
  EXPECT_EQ(channel->FullRead(), result::kNotLinked);
  EXPECT_EQ(channel->ReadSettings(), result::kNotLinked);
}

INSTANTIATE_TEST_SUITE_P(Receiver, ReceiverWithoutKeyboard, testing::Values(kReceiver),
                         [](const testing::TestParamInfo<LinkCase>& info) { return info.param.name; });

// --- Notifications ---------------------------------------------------------------------------------

class NotificationCollector {
 public:
  void Add(const KeyboardEvent& event) {
    std::lock_guard lock(mutex_);
    events_.push_back(event);
    changed_.notify_all();
  }
  bool WaitFor(size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kEventWait, [&] { return events_.size() >= count; });
  }
  std::vector<KeyboardEvent> Events() {
    std::lock_guard lock(mutex_);
    return events_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<KeyboardEvent> events_;
};

TEST_P(EmulatedKeyboard, NotificationReaderDecodesCodesAndStopsWhileBlocked) {
  CDeviceTransport notifications(bus.get());
  NotificationCollector collector;
  CKeyboardNotificationReader reader(
      notifications,
      Receiver() ? CKeyboardNotificationReader::Connection::Receiver : CKeyboardNotificationReader::Connection::Wired,
      [&](const KeyboardEvent& event) { collector.Add(event); });
  const std::wstring path = FindPath(role::kNotification);
  ASSERT_FALSE(path.empty());
  ASSERT_TRUE(reader.Open(path));
  EXPECT_TRUE(reader.Running());

  ASSERT_TRUE(device->SendNotification(0x0401));
  ASSERT_TRUE(device->SendNotification(0x0533));
  ASSERT_TRUE(device->SendNotification(0x1152));
  ASSERT_TRUE(collector.WaitFor(3));
  const std::vector<KeyboardEvent> events = collector.Events();
  EXPECT_EQ(events[0].kind, KeyboardEventKind::Resync);
  EXPECT_EQ(events[1], (KeyboardEvent{KeyboardEventKind::KeyPressed, 0x0533, 0x33}));
  EXPECT_EQ(events[2], (KeyboardEvent{KeyboardEventKind::ActiveProfileWithState, 0x1152, 0, 2, 5}));

  // Opening again replaces the thread; the reader is then blocked in its read with nothing to
  // come, and stopping it must still end it.
  ASSERT_TRUE(reader.Open(path));
  reader.Stop();
  EXPECT_FALSE(reader.Running());
  EXPECT_FALSE((Receiver() ? notifications.ReceiverConnection() : notifications.WiredConnection()).IsOpen());
  reader.Stop();  // again: nothing to do
}

TEST(NotificationReader, OpeningAPathThatIsNotThereStartsNoThread) {
  emu::VirtualHidBus bus;
  CDeviceTransport notifications(&bus);
  CKeyboardNotificationReader reader(notifications, CKeyboardNotificationReader::Connection::Wired,
                                     [](const KeyboardEvent&) {});
  EXPECT_FALSE(reader.Open(L"hid#vid_4e71&pid_0b17&mi_01&col03#/dev/hidraw-emu99"));
  EXPECT_FALSE(reader.Running());
}

}  // namespace
}  // namespace dw
