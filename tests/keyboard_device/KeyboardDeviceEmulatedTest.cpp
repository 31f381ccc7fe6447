// The keyboard's device object against the emulated keyboard, by cable and through the
// receiver: the full read and what it leaves in the object and the profile file, settings and
// key-map writes as the keyboard's memory shows them, the notification codes, remapped keys
// after a re-read, an unplug in the middle of a write, and the readers stopping.

#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>

#include "emulator/EmulatorFactory.h"
#include "emulator/KeyboardFirmware.h"
#include "emulator/KeyboardLayout75.h"
#include "emulator/VirtualHidBus.h"
#include "keyboard/KeyboardProtocol.h"
#include "keyboard/LogicalKeys.h"
#include "keyboard/device/CKestovarKeyboardDevice.h"
#include "platform/Utf8.h"
#include "profiles/JsonDocument.h"
#include "transport/DeviceKinds.h"
#include "transport/DiscoveryPass.h"
#include "transport/TransportResult.h"
#include "transport/device/IDevicePowerControl.h"
#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CWindowWnd.h"

namespace dw {
namespace {

using emu::Link;

// Generous bound for an event from the emulator's thread; only a failure waits it out.
constexpr auto kEventWait = std::chrono::seconds(10);

constexpr size_t kEsc = 0;
constexpr size_t kQ = 43;
constexpr size_t kCapsLock = 63;
constexpr size_t kLeftCtrl = 105;
constexpr Assignment kShiftA{0x20, 0x02, 0x04};
constexpr Assignment kMacro0{0x70, 0x00, 0x01};

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "dw-kbdevice-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

class FakeMacros : public IMacroSource {
public:
    std::optional<size_t> MacroCount() const override { return macros.size(); }
    std::optional<MacroEvents> Events(size_t index) const override
    {
        return index < macros.size() ? std::optional(macros[index]) : std::nullopt;
    }
    std::vector<MacroEvents> macros;
};

class RecordingPowerControl : public IDevicePowerControl {
public:
    void SetPowerPageFlag(int) override {}
    void ShowPowerStatus(std::span<const uint8_t> block) override { shown.assign(block.begin(), block.end()); }
    std::vector<uint8_t> shown;
};

// Waits for events the readers report from their threads.
class EventLog {
public:
    void Add(const std::string& event)
    {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
        changed_.notify_all();
    }
    bool WaitFor(const std::string& event)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kEventWait, [&] {
            return std::find(events_.begin(), events_.end(), event) != events_.end();
        });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> events_;
};

struct LinkCase {
    const char* name;
    const char* devices;
    Link link;
};
void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }

class KeyboardDeviceTest : public testing::TestWithParam<LinkCase> {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(home.Path().empty());
        std::string bad;
        ASSERT_EQ(emu::BuildEmulatedBus(GetParam().devices, bus, bad), emu::kEmulateOk) << bad;
        emulated = bus->FindDevice(emu::DeviceModel::Keyboard);
        ASSERT_NE(emulated, nullptr);
        firmware = emulated->Keyboard();
        device = MakeDevice();
        ASSERT_TRUE(Connect(*device));
    }
    void TearDown() override { device.reset(); }

    std::unique_ptr<CKestovarKeyboardDevice> MakeDevice()
    {
        auto made = std::make_unique<CKestovarKeyboardDevice>(bus.get(), [](std::chrono::milliseconds) {});
        made->SetProfileFolders(CProfileFolders(platform::Utf8ToWide(home.Path().string()),
                                                platform::Utf8ToWide(DW_RESOURCES_DIR)));
        made->ReloadEffectList();
        made->SetCurrentProfileName(L"2025_01_07_09_05_03_042");
        return made;
    }

    bool Receiver() const { return GetParam().link == Link::Receiver; }

    // The keyboard's slots on this test's link, found as the discovery thread finds them.
    DeviceInterfaceEntry Slot(uint16_t role)
    {
        CDeviceSlotList slotList;
        CHidConnection probe(bus.get());
        std::map<int, DeviceInterfaceEntry> found;
        RunDiscoveryPass(probe, slotList, [&](int slot, const DeviceInterfaceEntry& e) { found[slot] = e; });
        for (const auto& [index, entry] : found) {
            if (entry.role == role && IsReceiverKind(entry.kind) == Receiver() &&
                (entry.kind == kind::kKeyboard || entry.kind == kind::kKeyboardReceiver))
                return entry;
        }
        return {};
    }

    // Opens the command transport as the device list does: opened, link mode from the kind.
    bool Connect(CKestovarKeyboardDevice& target)
    {
        const DeviceInterfaceEntry entry = Slot(role::kCommand);
        if (entry.path.empty())
            return false;
        CDeviceTransport& transport = target.CommandTransport();
        std::lock_guard io(transport.IoLock());
        CHidConnection& connection = Receiver() ? transport.ReceiverConnection() : transport.WiredConnection();
        const bool opened = connection.OpenPath(entry.path, true, true, true, false);
        transport.SetOpened(opened);
        transport.SetLinkMode(LinkModeOfKind(entry.kind));
        target.SetInterfaceEntry(entry);
        return opened;
    }

    void Disconnect(CKestovarKeyboardDevice& target)
    {
        CDeviceTransport& transport = target.CommandTransport();
        transport.SetOpened(false);
        std::lock_guard io(transport.IoLock());
        transport.WiredConnection().Close();
        transport.ReceiverConnection().Close();
    }

    size_t SlotOf(size_t logicalKey) const
    {
        for (const emu::FactoryKey& key : emu::kKeyboard75Layout) {
            if (key.logicalKey == logicalKey)
                return key.slot;
        }
        return slotmap::kNone;
    }

    Assignment KeyboardHolds(size_t logicalKey) const
    {
        const std::vector<uint8_t> map = firmware->KeyMap(1);
        const size_t at = SlotOf(logicalKey) * assignment::kSize;
        return Assignment{map[at], map[at + 1], map[at + 2]};
    }

    void Remap(size_t key, const Assignment& code)
    {
        std::vector<KeyEntry> keys = device->GetKeyList();
        keys[key].current = code;
        device->SetKeyList(keys);
    }

    Json::Value ProfileSettings()
    {
        const Json::Value document = ReadJsonDocument(device->GetProfileFilePath());
        return document["Device"][0];
    }

    TempFolder home;
    std::unique_ptr<emu::VirtualHidBus> bus;
    emu::EmulatedDevice* emulated = nullptr;
    emu::KeyboardFirmware* firmware = nullptr;
    std::unique_ptr<CKestovarKeyboardDevice> device;
};

TEST_P(KeyboardDeviceTest, FullReadTakesTheKeyboardsSettingsIntoTheObjectAndTheProfileFile)
{
    // Profile 0 of the keyboard: effect code of list entry 3, brightness 2, speed byte 1
    // (speed 3), blue, Windows key locked.
    const std::optional<uint8_t> code = device->Effects().CodeOfIndex(3);
    ASSERT_TRUE(code);
    firmware->SetSettingsMemory(kbsettings::kEffect, std::vector<uint8_t>{*code, 2, 1, 1, 0, 0x00, 0x00, 0xFF});
    // Profile 0's block starts at offset 0 of the settings memory: block byte i is memory byte i.
    firmware->SetSettingsMemory(kbsettings::kWinLock, std::vector<uint8_t>{1});

    EXPECT_EQ(device->ReadEverything(), result::kSuccess);

    const LightingRecord record = device->GetLightingRecord();
    EXPECT_EQ(record.SelectItem, 3);
    EXPECT_EQ(record.Light, 2);
    EXPECT_EQ(record.Speed, 3);
    EXPECT_EQ(record.Fx, 1);
    EXPECT_EQ(record.Blue, 0xFF);
    EXPECT_EQ(device->GetSystemStages().WinFlag, 1);
    EXPECT_EQ(device->PageRefreshCount(), 1u);
    EXPECT_EQ(device->Channel().Cache().slotMaps.SlotOf(kEsc), SlotOf(kEsc));
    EXPECT_EQ(device->GetKeyList().size(), logicalkey::kCount);

    // The profile file was created from the factory profile and holds what the keyboard said.
    ASSERT_FALSE(device->GetProfileFilePath().empty());
    const Json::Value settings = ProfileSettings();
    EXPECT_EQ(settings["LightInfo"]["SelectItem"].asInt(), 3);
    EXPECT_EQ(settings["LightInfo"]["Light"].asInt(), 2);
    EXPECT_EQ(settings["SystemStages"]["WinFlag"].asInt(), 1);
    EXPECT_TRUE(settings["KeyList"].isArray());
}

TEST_P(KeyboardDeviceTest, SettingsWriteReachesTheKeyboardsSettingsMemory)
{
    ASSERT_EQ(device->ReadEverything(), result::kSuccess);
    LightingRecord record = device->GetLightingRecord();
    record.SelectItem = 5;
    record.Light = 1;
    record.Speed = 4;
    record.Red = 0x12;
    record.Green = 0x34;
    record.Blue = 0x56;
    device->SetLightingRecord(record);
    KeyboardSystemStages stages = device->GetSystemStages();
    stages.PollingRate = 3;
    device->SetSystemStages(stages);

    EXPECT_EQ(device->ApplySettings(0, 0, 0, 0, 0), result::kSuccess);

    const std::vector<uint8_t> memory = firmware->SettingsMemory();
    EXPECT_EQ(memory[kbsettings::kEffect], *device->Effects().CodeOfIndex(5));
    EXPECT_EQ(memory[kbsettings::kBrightness], 1);
    EXPECT_EQ(memory[kbsettings::kSpeed], 0);
    EXPECT_EQ(memory[kbsettings::kRed], 0x12);
    EXPECT_EQ(memory[kbsettings::kBlue], 0x56);
    EXPECT_EQ(memory[kbsettings::kPollingRate], 3);
    EXPECT_FALSE(firmware->SessionOpen());
    // The record went into the profile as well.
    device->SaveProfile();
    EXPECT_EQ(ProfileSettings()["LightInfo"]["Red"].asInt(), 0x12);
    EXPECT_EQ(device->ApplySettings(-1, 0, 0, 0, 0), result::kBadArgument);
}

TEST_P(KeyboardDeviceTest, KeyMapWriteWithAMacroPutsTheMacroSlotAndImageOnTheKeyboard)
{
    auto macros = std::make_shared<FakeMacros>();
    macros->macros = {MacroEvents{{10, 0x01, true, 0x04}, {20, 0x01, false, 0x04}, {30, 0x01, true, 0x05}}};
    device->SetMacroSource(macros);
    ASSERT_EQ(device->ReadEverything(), result::kSuccess);
    Remap(kQ, kMacro0);

    const std::vector<int> used = device->CollectUsedMacros();
    ASSERT_EQ(used, std::vector<int>{0});
    EXPECT_EQ(device->WriteMacros(used), 0);
    EXPECT_EQ(device->WriteAssignments(0), result::kSuccess);

    EXPECT_EQ(KeyboardHolds(kQ), (Assignment{0x70, 0x00, 0x01}));  // device slot 0, end mode 1
    EXPECT_EQ(KeyboardHolds(kEsc), DefaultAssignmentOf(kEsc));
    const std::vector<uint8_t> memory = firmware->MacroMemory();
    ASSERT_GE(memory.size(), 34u);
    // One macro of three events: 16 + 2 + 4 + 12 = 34 bytes, its record at 18.
    EXPECT_EQ(std::vector<uint8_t>(memory.begin(), memory.begin() + 6), (std::vector<uint8_t>{0xAA, 0x55, 34, 0, 1, 0}));
    EXPECT_EQ(memory[16], 18);
    EXPECT_EQ(memory[18], 3);
    EXPECT_EQ(device->WriteAssignments(1), result::kBadArgument);
}

TEST_P(KeyboardDeviceTest, RemappedKeysAreStillFoundAndWritableAfterAReRead)
{
    ASSERT_EQ(device->ReadEverything(), result::kSuccess);
    Remap(kEsc, kShiftA);
    Remap(kCapsLock, DefaultAssignmentOf(kLeftCtrl));
    ASSERT_EQ(device->WriteAssignments(0), result::kSuccess);
    device->SaveProfile();
    ASSERT_EQ(KeyboardHolds(kEsc), kShiftA);

    // A new object, as after a restart of the program: the key list comes from the profile.
    device = MakeDevice();
    ASSERT_TRUE(Connect(*device));
    ASSERT_EQ(device->ReadEverything(), result::kSuccess);
    const KeySlotMaps maps = device->Channel().Cache().slotMaps;
    EXPECT_EQ(maps.SlotOf(kEsc), SlotOf(kEsc));
    EXPECT_EQ(maps.SlotOf(kCapsLock), SlotOf(kCapsLock));
    EXPECT_EQ(maps.SlotOf(kLeftCtrl), SlotOf(kLeftCtrl));

    // Both remapped keys can be changed again, and Left Ctrl is left alone.
    Remap(kEsc, DefaultAssignmentOf(kEsc));
    Remap(kCapsLock, kShiftA);
    ASSERT_EQ(device->WriteAssignments(0), result::kSuccess);
    EXPECT_EQ(KeyboardHolds(kEsc), DefaultAssignmentOf(kEsc));
    EXPECT_EQ(KeyboardHolds(kCapsLock), kShiftA);
    EXPECT_EQ(KeyboardHolds(kLeftCtrl), DefaultAssignmentOf(kLeftCtrl));
}

TEST_P(KeyboardDeviceTest, NotificationCodesReachTheirCallbacks)
{
    EventLog log;
    std::atomic<int> resyncs{0};
    CKestovarKeyboardDevice::Callbacks callbacks;
    callbacks.scheduleResync = [&](std::chrono::milliseconds delay) {
        ++resyncs;
        log.Add("resync " + std::to_string(delay.count()));
    };
    callbacks.keyEvent = [&](uint8_t key, bool pressed) {
        log.Add(std::string(pressed ? "down " : "up ") + std::to_string(key));
    };
    callbacks.activeProfileChanged = [&](uint8_t profile) { log.Add("profile " + std::to_string(profile)); };
    device->SetCallbacks(callbacks);
    ASSERT_EQ(device->ReadEverything(), result::kSuccess);
    const DeviceInterfaceEntry notifications = Slot(role::kNotification);
    ASSERT_FALSE(notifications.path.empty());
    ASSERT_TRUE(device->OpenNotificationPath(notifications.path, Receiver()));

    ASSERT_TRUE(emulated->SendNotification(0x0401));
    ASSERT_TRUE(log.WaitFor("resync 50"));
    EXPECT_TRUE(device->ResyncPending());

    ASSERT_TRUE(emulated->SendNotification(0x0513));
    ASSERT_TRUE(log.WaitFor("down 19"));
    ASSERT_TRUE(emulated->SendNotification(0x0613));
    ASSERT_TRUE(log.WaitFor("up 19"));

    ASSERT_TRUE(emulated->SendNotification(0x1003));
    ASSERT_TRUE(log.WaitFor("profile 3"));
    EXPECT_EQ(device->Channel().ActiveProfile(), 3);
    ASSERT_TRUE(emulated->SendNotification(0x1125));
    ASSERT_TRUE(log.WaitFor("profile 5"));
    EXPECT_EQ(device->Channel().ActiveProfile(), 5);
    EXPECT_EQ(device->Channel().Cache().settings[kbsettings::kExtraState], 2);

    ASSERT_TRUE(emulated->SendNotification(0x0404));
    ASSERT_TRUE(emulated->SendNotification(0x0402));
    ASSERT_TRUE(log.WaitFor("resync 50"));
    for (int i = 0; i < 1000 && resyncs.load() < 2; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(resyncs.load(), 2);
    EXPECT_EQ(device->HeartbeatCount(), 1u);

    // The timer's run: the profile is reloaded, the settings read, the page refreshed.
    const uint64_t refreshes = device->PageRefreshCount();
    device->RunResync();
    EXPECT_FALSE(device->ResyncPending());
    EXPECT_EQ(device->PageRefreshCount(), refreshes + 1);

    device->CloseNotificationPaths();
    EXPECT_FALSE(device->NotificationReaderRunning(Receiver()));
}

TEST_P(KeyboardDeviceTest, ProfileCodesAreIgnoredWhileTheKeyboardIsNotConnected)
{
    Disconnect(*device);
    int changes = 0;
    CKestovarKeyboardDevice::Callbacks callbacks;
    callbacks.activeProfileChanged = [&](uint8_t) { ++changes; };
    device->SetCallbacks(callbacks);
    device->OnKeyboardEvent(DecodeKeyboardNotification(0x1004));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(device->Channel().ActiveProfile(), 0);
}

TEST_P(KeyboardDeviceTest, UnplugDuringAChunkedWriteEndsWithAResultAndTheNextPlugInWorks)
{
    ASSERT_EQ(device->ReadEverything(), result::kSuccess);
    Remap(kEsc, kShiftA);
    device->SaveProfile();
    emulated->InjectFault({emu::FaultKind::UnplugDuringTransfer, emu::FaultMode::Once, 0, cmd::kWriteKeyMap});
    const int code = device->WriteAssignments(0);
    EXPECT_NE(code, result::kSuccess);
    EXPECT_LE(code, result::kNothing);

    Disconnect(*device);
    if (Receiver())
        emulated->PlugReceiver();
    else
        emulated->PlugCable();
    ASSERT_TRUE(Connect(*device));
    EXPECT_EQ(device->ReadEverything(), result::kSuccess);
    EXPECT_EQ(device->WriteAssignments(0), result::kSuccess);
    EXPECT_EQ(KeyboardHolds(kEsc), kShiftA);
}

TEST_P(KeyboardDeviceTest, BlockedReadersStopWhenTheKeyboardGoesAway)
{
    const DeviceInterfaceEntry notifications = Slot(role::kNotification);
    ASSERT_TRUE(device->OpenNotificationPath(notifications.path, Receiver()));
    ASSERT_TRUE(device->NotificationReaderRunning(Receiver()));
    // Opening the same connection again replaces the reader.
    ASSERT_TRUE(device->OpenNotificationPath(notifications.path, Receiver()));
    // The reader waits for a report that never comes; closing breaks the wait.
    device->CloseNotificationPaths();
    EXPECT_FALSE(device->NotificationReaderRunning(Receiver()));
    // Destroying the object with a running reader ends it as well.
    ASSERT_TRUE(device->OpenNotificationPath(notifications.path, Receiver()));
    device.reset();
}

TEST_P(KeyboardDeviceTest, StatusAndLinkStateReachThePowerControlAndTheOwnerWindow)
{
    class RecordingWindow : public ui::CWindowWnd {
    public:
        ui::LRESULT HandleMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam) override
        {
            if (msg == kbdevice::kMsgStatusReport || msg == kbdevice::kMsgLinkState)
                received.emplace_back(msg, wParam);
            return ui::CWindowWnd::HandleMessage(msg, wParam, lParam);
        }
        std::vector<std::pair<ui::UINT, ui::WPARAM>> received;
    };
    ui::headless::CHeadlessBackend backend;
    ui::CMessageLoop loop{backend};
    RecordingWindow window;
    ASSERT_TRUE(window.Create(loop, nullptr, L"owner", ui::WS_POPUP, 0, {0, 0, 100, 100}));
    RecordingPowerControl power;
    device->SetOwnerWindow(window.GetHWND());
    device->SetMessageLoop(&loop);
    device->SetPowerControl(&power);

    ASSERT_EQ(device->ReadEverything(), result::kSuccess);
    device->ReadPowerStatus();
    ASSERT_EQ(device->LastStatusResult(), result::kSuccess);
    loop.RunUntilIdle();

    const std::vector<uint8_t> expected = firmware->StatusBlock(GetParam().link);
    ASSERT_EQ(power.shown.size(), kbstatus::kSize);
    EXPECT_EQ(power.shown[kbstatus::kBattery], expected[kbstatus::kBattery]);
    EXPECT_EQ(power.shown[kbstatus::kThroughReceiver], Receiver() ? 1 : 0);
    ASSERT_EQ(window.received.size(), 2u);
    EXPECT_EQ(window.received[0], std::make_pair(kbdevice::kMsgLinkState, ui::WPARAM{kbinfo::kLinked}));
    EXPECT_EQ(window.received[1], std::make_pair(kbdevice::kMsgStatusReport, ui::WPARAM{expected[kbstatus::kMode]}));

    // With the link-status hold the status is not read at all.
    device->SetPowerPageFlag(1);
    ASSERT_TRUE(device->SetLinkStatusHold(1));
    power.shown.clear();
    device->ReadPowerStatus();
    EXPECT_TRUE(power.shown.empty());
    window.Close(0);
    loop.RunUntilIdle();
}

TEST_P(KeyboardDeviceTest, AKeyboardSwitchedOffIsNotLinkedThroughItsReceiverOnly)
{
    // On its cable the keyboard is powered by the cable and no link query is sent at all.
    emulated->SetPowered(false);
    bus->Trace().Clear();
    EXPECT_EQ(device->IsLinkUp(), !Receiver());
    device->ReadPowerStatus();
    EXPECT_EQ(device->LastStatusResult(), Receiver() ? result::kNotLinked : result::kSuccess);
    EXPECT_EQ(device->LastStatus().has_value(), !Receiver());
    emulated->SetPowered(true);
    EXPECT_TRUE(device->IsLinkUp());
}

INSTANTIATE_TEST_SUITE_P(Links, KeyboardDeviceTest,
                         testing::Values(LinkCase{"cable", "keyboard", Link::Cable},
                                         LinkCase{"receiver", "keyboard-receiver", Link::Receiver}),
                         [](const testing::TestParamInfo<LinkCase>& info) { return info.param.name; });

}  // namespace
}  // namespace dw
