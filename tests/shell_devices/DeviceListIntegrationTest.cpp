// The device list in the real main window, headless, with emulated devices plugged and pulled:
// entries appear, switch between cable and receiver, go, select and synchronise as a user sees
// them.

#include <gtest/gtest.h>

#include <dirent.h>

#include <random>

#include "DeviceListHarness.h"
#include "emulator/EmulatedDevice.h"
#include "keyboard/device/CKestovarKeyboardDevice.h"
#include "shell/devices/CMpDevicePowerUI.h"
#include "shell/devices/CCircleProgressUI.h"
#include "shell/devices/ControlLookup.h"
#include "shell/devices/DeviceListConstants.h"
#include "transport/CDeviceSlotList.h"
#include "transport/CommandFrame.h"
#include "transport/DeviceKinds.h"
#include "ui/core/COptionUI.h"

namespace dw::test {
namespace {

using emu::DeviceModel;

size_t CountEntries(const char* folder)
{
    size_t count = 0;
    if (DIR* dir = opendir(folder)) {
        while (readdir(dir) != nullptr)
            ++count;
        closedir(dir);
    }
    return count;
}

class DeviceListTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(h.created); }

    // The first scan has shown the window.
    void WaitForFirstScan() { ASSERT_TRUE(h.PumpUntil([&] { return h.window->IsWindowVisible(); })); }

    DeviceListHarness h;
};

TEST_F(DeviceListTest, StartUpCreatesTheThreeHiddenPagesAndShowsNoDevice)
{
    WaitForFirstScan();
    ASSERT_EQ(h.devices.Entries().size(), 3u);
    for (int f : {family::kMouse, family::kKeyboard, family::kMousepad}) {
        ASSERT_NE(h.Entry(f), nullptr);
        EXPECT_FALSE(h.EntryVisible(f));
        EXPECT_TRUE(h.Entry(f)->MissingControls().empty());
    }
    EXPECT_EQ(h.Entry(family::kKeyboard)->GetIcons().normal, L"common/device_ico/kb_device_normal.png");
    EXPECT_EQ(h.devices.PowerControls().size(), 3u);
    EXPECT_TRUE(h.Visible(devlist::kNoDeviceLink));
    EXPECT_EQ(h.devices.SelectedDevice(), nullptr);
}

TEST_F(DeviceListTest, KeyboardByCableAppearsSelectedAndConnected)
{
    WaitForFirstScan();
    h.bus->AddDevice(DeviceModel::Keyboard).PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kKeyboard); }));
    CKestovarUSBDevice* keyboard = h.Device(family::kKeyboard);
    EXPECT_EQ(h.devices.SelectedDevice(), keyboard) << "the first device shown is selected";
    EXPECT_TRUE(keyboard->CommandTransport().IsOpened());
    EXPECT_FALSE(keyboard->CommandTransport().InReceiverMode());
    EXPECT_EQ(keyboard->CommandTransport().ChunkSize(), kWiredChunkSize);
    EXPECT_EQ(h.devices.ConnectedCount(), 1u);
    ASSERT_TRUE(h.PumpUntil([&] { return h.devices.RunningReaders() == 1; })) << "its notification interface is read";
    // The link check reads the keyboard fully: its info block, key map and settings.
    h.Advance(devlist::kLinkCheckFirstMs + 200);
    EXPECT_TRUE(h.EntryVisible(family::kKeyboard));
    EXPECT_EQ(h.Entry(family::kKeyboard)->GetLinkLossCount(), 0);
    auto* kb = static_cast<CKestovarKeyboardDevice*>(keyboard->GetInterface(CKestovarKeyboardDevice::kClassName));
    ASSERT_NE(kb, nullptr) << "the keyboard page is the keyboard class";
    const KeyboardDeviceCache cache = kb->Channel().Cache();
    EXPECT_GT(SlotCountOf(cache.info), 0u);
    EXPECT_EQ(cache.layer1.size(), 3 * SlotCountOf(cache.info)) << "the key map was read whole";
    EXPECT_EQ(cache.info[kbinfo::kLinkState], kbinfo::kLinked);
    EXPECT_FALSE(h.Visible(devlist::kNoDeviceLink)) << "the full read reported the keyboard linked";

    // A second start wakes this one with the product-title message; the info block it reads
    // then reports the linked keyboard, so the overlay stays down.
    const ui::UINT productTitle = ui::CMessageLoop::RegisterWindowMessage(L"VEXLO Dunwake 75 tri-mode");
    h.loop.SendMessage(h.window->GetHWND(), productTitle, 0, 1);
    h.loop.RunUntilIdle();
    EXPECT_FALSE(h.Visible(devlist::kNoDeviceLink)) << "a linked keyboard never shows the no-device notice";
}

TEST_F(DeviceListTest, KeyboardNotificationsResynchroniseThroughTimer1002AndFollowItsProfile)
{
    WaitForFirstScan();
    emu::EmulatedDevice& emulated = h.bus->AddDevice(DeviceModel::Keyboard);
    emulated.PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kKeyboard) && h.devices.RunningReaders() == 1; }));
    auto* kb = static_cast<CKestovarKeyboardDevice*>(h.Device(family::kKeyboard)->GetInterface(CKestovarKeyboardDevice::kClassName));
    ASSERT_NE(kb, nullptr);
    h.Advance(devlist::kLinkCheckFirstMs + 200);

    ASSERT_TRUE(emulated.SendNotification(kbnotify::kResync));
    ASSERT_TRUE(h.PumpUntil([&] { return kb->ResyncPending(); })) << "the request reached the keyboard";
    h.Advance(devlist::kReloadDelayMs - 10);
    EXPECT_TRUE(kb->ResyncPending()) << "not before its 50 ms";
    h.Advance(20);
    EXPECT_FALSE(kb->ResyncPending()) << "timer 1002 ran the re-synchronisation";

    ASSERT_TRUE(emulated.SwitchProfileOnDevice(2));
    EXPECT_TRUE(h.PumpUntil([&] { return kb->Channel().ActiveProfile() == 2; }));
}

TEST_F(DeviceListTest, ReceiverWithTheMouseOffShowsNoEntryUntilTheMouseIsSwitchedOn)
{
    WaitForFirstScan();
    emu::EmulatedDevice& mouse = h.bus->AddDevice(DeviceModel::Mouse);
    mouse.SetPowered(false);
    mouse.PlugReceiver();
    CKestovarUSBDevice* device = h.Device(family::kMouse);
    ASSERT_TRUE(h.PumpUntil([&] { return device->CommandTransport().IsOpened(); }));
    EXPECT_TRUE(device->CommandTransport().InReceiverMode());
    EXPECT_FALSE(h.EntryVisible(family::kMouse)) << "a receiver device waits for its link check";
    h.Advance(devlist::kLinkCheckFirstMs + 100);
    EXPECT_FALSE(h.EntryVisible(family::kMouse));
    EXPECT_EQ(h.Entry(family::kMouse)->GetLinkLossCount(), 1);
    h.Advance(devlist::kLinkCheckDownMs);
    EXPECT_FALSE(h.EntryVisible(family::kMouse)) << "still off: still hidden";

    mouse.SetPowered(true);
    h.Advance(devlist::kLinkCheckDownMs + 100);
    EXPECT_TRUE(h.EntryVisible(family::kMouse));
    EXPECT_EQ(h.devices.SelectedDevice(), device);
    EXPECT_FALSE(h.Visible(devlist::kNoDeviceLink));

    // Switched off again: the link watch hides it.
    mouse.SetPowered(false);
    h.Advance(devlist::kLinkWatchFirstMs + devlist::kLinkWatchRepeatMs + 100);
    EXPECT_FALSE(h.EntryVisible(family::kMouse));
    EXPECT_TRUE(h.Visible(devlist::kNoDeviceLink));
}

TEST_F(DeviceListTest, MouseCableWhileItsReceiverIsConnectedKeepsOneEntryAndSwitchesTheTransport)
{
    WaitForFirstScan();
    emu::EmulatedDevice& mouse = h.bus->AddDevice(DeviceModel::Mouse);
    mouse.PlugReceiver();
    CKestovarUSBDevice* device = h.Device(family::kMouse);
    ASSERT_TRUE(h.PumpUntil([&] { return device->CommandTransport().IsOpened(); }));
    h.Advance(devlist::kLinkCheckFirstMs + 100);
    ASSERT_TRUE(h.EntryVisible(family::kMouse));
    EXPECT_EQ(device->CommandTransport().ChunkSize(), kReceiverChunkSize);

    mouse.PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return !device->CommandTransport().InReceiverMode(); }));
    EXPECT_TRUE(device->CommandTransport().IsOpened());
    EXPECT_EQ(device->CommandTransport().ChunkSize(), kWiredChunkSize);
    EXPECT_EQ(h.devices.ConnectedCount(), 1u) << "one mouse entry";
    EXPECT_TRUE(h.EntryVisible(family::kMouse));
    h.Advance(devlist::kLinkCheckFirstMs + 100);
    EXPECT_TRUE(h.EntryVisible(family::kMouse)) << "nothing flickers";

    mouse.UnplugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return device->CommandTransport().InReceiverMode(); }));
    EXPECT_TRUE(device->CommandTransport().IsOpened());
    EXPECT_EQ(device->CommandTransport().ChunkSize(), kReceiverChunkSize);
    h.Advance(devlist::kLinkWatchFirstMs + 100);
    EXPECT_TRUE(h.EntryVisible(family::kMouse));
    EXPECT_EQ(h.devices.ConnectedCount(), 1u);
    // Commands go over the receiver again.
    EXPECT_EQ(h.Entry(family::kMouse)->GetLinkLossCount(), 0);
}

TEST_F(DeviceListTest, RemovingTheSelectedDeviceSelectsTheFirstOtherAndTheLastShowsNoDevice)
{
    WaitForFirstScan();
    emu::EmulatedDevice& keyboard = h.bus->AddDevice(DeviceModel::Keyboard);
    emu::EmulatedDevice& pad = h.bus->AddDevice(DeviceModel::Mousepad);
    keyboard.PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kKeyboard); }));
    pad.PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kMousepad); }));
    EXPECT_EQ(h.devices.SelectedDevice(), h.Device(family::kKeyboard)) << "the second arrival does not take the selection";

    keyboard.UnplugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return !h.EntryVisible(family::kKeyboard); }));
    EXPECT_EQ(h.devices.SelectedDevice(), h.Device(family::kMousepad));
    EXPECT_FALSE(h.Visible(devlist::kNoDeviceLink));
    EXPECT_FALSE(h.Device(family::kKeyboard)->CommandTransport().IsOpened());

    pad.UnplugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return !h.EntryVisible(family::kMousepad); }));
    EXPECT_TRUE(h.Visible(devlist::kNoDeviceLink));
    EXPECT_EQ(h.devices.SelectedDevice(), nullptr);
    EXPECT_TRUE(h.PumpUntil([&] { return h.devices.RunningReaders() == 0; })) << "the notification readers stop";
}

TEST_F(DeviceListTest, TheSynchronisedLightingBoxesShowOnlyWithMoreThanOneEntry)
{
    WaitForFirstScan();
    emu::EmulatedDevice& keyboard = h.bus->AddDevice(DeviceModel::Keyboard);
    emu::EmulatedDevice& pad = h.bus->AddDevice(DeviceModel::Mousepad);
    keyboard.PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kKeyboard); }));
    EXPECT_FALSE(h.Entry(family::kKeyboard)->IsSynchroVisible()) << "exactly one visible entry";
    pad.PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kMousepad); }));
    EXPECT_TRUE(h.Entry(family::kKeyboard)->IsSynchroVisible());
    EXPECT_TRUE(h.Entry(family::kMousepad)->IsSynchroVisible());

    h.Entry(family::kKeyboard)->SetSynchroTicked(true);
    h.Entry(family::kMousepad)->SetSynchroTicked(true);
    EXPECT_EQ(h.Entry(family::kKeyboard)->GetOption()->GetNormalImage(), L"common/device_ico/kb_device_synchro_normal.png");
    pad.UnplugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return !h.EntryVisible(family::kMousepad); }));
    EXPECT_FALSE(h.Entry(family::kKeyboard)->IsSynchroVisible());
    EXPECT_FALSE(h.Entry(family::kKeyboard)->IsSynchroTicked()) << "fewer than two ticked: all untick";
    EXPECT_EQ(h.Entry(family::kKeyboard)->GetOption()->GetNormalImage(), L"common/device_ico/kb_device_normal.png");
}

TEST_F(DeviceListTest, BatteryLevelEightyFiveShowsItsTextAndProgressFifteen)
{
    WaitForFirstScan();
    h.bus->AddDevice(DeviceModel::Mouse).PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kMouse); }));
    h.Advance(devlist::kLinkCheckFirstMs + devlist::kPowerFirstMs + 100);
    auto* power = static_cast<CMpDevicePowerUI*>(h.devices.PowerControls()[family::kMouse]);
    ASSERT_NE(power, nullptr);
    EXPECT_EQ(FindNamedControl(power, devlist::kPowerValue)->GetText(), L"85%");
    auto* ring = FindNamedControlAs<CCircleProgressUI>(power, devlist::kPowerProgress, CCircleProgressUI::kClassName);
    ASSERT_NE(ring, nullptr);
    EXPECT_EQ(ring->GetValue(), 15);
    EXPECT_TRUE(FindNamedControl(power, devlist::kPowerLayout)->IsVisible()) << "the mouse page has the power page flag";
}

TEST_F(DeviceListTest, ASecondIdenticalKeyboardIsIgnored)
{
    WaitForFirstScan();
    h.bus->AddDevice(DeviceModel::Keyboard).PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kKeyboard); }));
    emu::EmulatedDevice& second = h.bus->AddDevice(DeviceModel::Keyboard);
    second.PlugCable();
    h.Settle();
    EXPECT_EQ(h.devices.Entries().size(), 3u) << "no page was created for it";
    EXPECT_EQ(h.devices.ConnectedCount(), 1u);
    second.UnplugCable();
    h.Settle();
    EXPECT_TRUE(h.EntryVisible(family::kKeyboard)) << "pulling the ignored one removes nothing";
    EXPECT_TRUE(h.Device(family::kKeyboard)->CommandTransport().IsOpened());
}

TEST_F(DeviceListTest, TheHeadsetGetsItsPageOnItsFirstArrivalOnly)
{
    WaitForFirstScan();
    emu::EmulatedDevice& headset = h.bus->AddDevice(DeviceModel::Headset);
    headset.PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kHeadset); }));
    ASSERT_EQ(h.devices.Entries().size(), 4u);
    EXPECT_EQ(h.Entry(family::kHeadset)->GetIcons().normal, L"common/device_ico/hd_device_normal.png");
    EXPECT_EQ(h.devices.PowerControls().size(), 4u);
    headset.UnplugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return !h.EntryVisible(family::kHeadset); }));
    headset.PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kHeadset); }));
    EXPECT_EQ(h.devices.Entries().size(), 4u) << "the page outlives unplugging";
}

TEST_F(DeviceListTest, PagingSelectsTheNearestVisibleEntry)
{
    WaitForFirstScan();
    h.bus->AddDevice(DeviceModel::Mouse).PlugCable();
    h.bus->AddDevice(DeviceModel::Mousepad).PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kMouse) && h.EntryVisible(family::kMousepad); }));
    ASSERT_EQ(h.devices.SelectedIndex(), family::kMouse);
    h.devices.SelectNext();
    EXPECT_EQ(h.devices.SelectedIndex(), family::kMousepad) << "the hidden keyboard entry is skipped";
    h.devices.SelectNext();
    EXPECT_EQ(h.devices.SelectedIndex(), family::kMousepad) << "nothing after the last";
    h.devices.SelectPrevious();
    EXPECT_EQ(h.devices.SelectedIndex(), family::kMouse);
}

TEST_F(DeviceListTest, SynchronisedLightingTakesEveryOpenDeviceAndTheThreadPaintsTheirLights)
{
    WaitForFirstScan();
    h.bus->AddDevice(DeviceModel::Keyboard).PlugCable();
    h.bus->AddDevice(DeviceModel::Mousepad).PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kKeyboard) && h.EntryVisible(family::kMousepad); }));
    CKestovarUSBDevice* keyboard = h.Device(family::kKeyboard);
    CKestovarUSBDevice* pad = h.Device(family::kMousepad);
    ASSERT_EQ(h.devices.SelectedDevice(), keyboard);

    LightingRecord record = keyboard->GetLightingRecord();
    record.SelectItem = 9;  // no synchronised type: the click changes nothing
    keyboard->SetLightingRecord(record);
    h.devices.SynchroniseLighting();
    EXPECT_EQ(pad->GetSynchronisedLighting(), 0);

    record.SelectItem = 5;  // the keyboard's static colour
    record.Light = 3;
    record.Speed = 4;
    record.Red = 200;
    record.Green = 100;
    record.Blue = 0;
    keyboard->SetLightingRecord(record);
    h.devices.SynchroniseLighting();
    EXPECT_EQ(keyboard->GetSynchronisedLighting(), 1);
    EXPECT_EQ(pad->GetSynchronisedLighting(), 1);
    EXPECT_EQ(pad->GetLightingRecord().SelectItem, 3) << "the mousepad's static colour";
    EXPECT_EQ(h.devices.GetSyncState().type, synclight::kTypeStatic);

    // The thread counts changes of the tick; move the virtual clock a few times.
    const LightState expected{200, 100, 0, 195, 0};
    ASSERT_TRUE(h.PumpUntil([&] {
        h.backend.AdvanceClock(5);
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        return pad->GetLightCount() > 0 && pad->GetLightState(0) == expected;
    }));
    EXPECT_EQ(keyboard->GetLightState(0), expected);
}

TEST_F(DeviceListTest, TwoHundredRandomPlugsAndUnplugsLeaveNothingBehind)
{
    WaitForFirstScan();
    const size_t threadsBefore = CountEntries("/proc/self/task");
    const size_t fdsBefore = CountEntries("/proc/self/fd");

    std::vector<emu::EmulatedDevice*> devices{&h.bus->AddDevice(DeviceModel::Keyboard), &h.bus->AddDevice(DeviceModel::Mouse),
                                              &h.bus->AddDevice(DeviceModel::Mousepad), &h.bus->AddDevice(DeviceModel::Headset)};
    std::mt19937 random(20240607);
    const auto started = std::chrono::steady_clock::now();
    for (int round = 0; round < 200; ++round) {
        emu::EmulatedDevice& device = *devices[random() % devices.size()];
        const bool wireless = device.Model() == DeviceModel::Keyboard || device.Model() == DeviceModel::Mouse;
        switch (random() % 5) {
        case 0:
            device.CablePlugged() ? device.UnplugCable() : device.PlugCable();
            break;
        case 1:
            if (wireless)
                device.ReceiverPlugged() ? device.UnplugReceiver() : device.PlugReceiver();
            break;
        case 2:
            // The next command the device receives loses its connection half-way.
            device.InjectFault(emu::FaultSpec{emu::FaultKind::UnplugDuringTransfer});
            break;
        case 3:
            if (wireless)
                device.SetPowered(!device.Powered());
            break;
        default:
            break;
        }
        // Sometimes at once, sometimes after the worker and the entry timers had their turn.
        switch (random() % 3) {
        case 0:
            h.Settle(1);
            h.Advance(random() % 600);
            break;
        case 1:
            h.loop.RunUntilIdle();
            break;
        default:
            break;
        }
        ASSERT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(120)) << "round " << round;
    }

    for (emu::EmulatedDevice* device : devices) {
        device->ClearFaults();
        device->UnplugCable();
        device->UnplugReceiver();
        device->SetPowered(true);
    }
    ASSERT_TRUE(h.PumpUntil([&] { return h.devices.ConnectedCount() == 0 && h.window->GetSlotList()->ConnectedSlots().empty(); }))
        << "a stuck entry or slot";
    h.Advance(4000);
    EXPECT_EQ(h.devices.ConnectedCount(), 0u);
    EXPECT_TRUE(h.Visible(devlist::kNoDeviceLink));
    EXPECT_EQ(h.devices.RunningReaders(), 0u);
    for (CDeviceOptionUI* entry : h.devices.Entries())
        EXPECT_FALSE(entry->GetDevice()->CommandTransport().IsOpened());
    EXPECT_EQ(CountEntries("/proc/self/task"), threadsBefore) << "a leaked thread";
    EXPECT_LE(CountEntries("/proc/self/fd"), fdsBefore) << "a leaked file descriptor";

    // Still responsive: a keyboard plugged in now appears.
    devices[0]->PlugCable();
    ASSERT_TRUE(h.PumpUntil([&] { return h.EntryVisible(family::kKeyboard); }, std::chrono::seconds(5)));
}

}  // namespace
}  // namespace dw::test
