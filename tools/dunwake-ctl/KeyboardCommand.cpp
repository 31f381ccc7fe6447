// `dunwake-ctl keyboard ...`: the keyboard's device object without a window. The object is
// created as the device list creates it (without a page layout), its command transport opened
// on the keyboard's command interface as the device list opens it, and then driven through the
// same operations the program's pages use.

#include <cstdio>
#include <map>

#include "CtlCommands.h"
#include "CtlProfileList.h"
#include "HexText.h"
#include "app/ResourceFolder.h"
#include "keyboard/AssignmentLabel.h"
#include "keyboard/LogicalKeys.h"
#include "keyboard/device/CKestovarKeyboardDevice.h"
#include "platform/Utf8.h"
#include "transport/DeviceKinds.h"
#include "transport/DiscoveryPass.h"
#include "transport/TransportResult.h"

namespace dw::ctl {

namespace {

constexpr const char* kPowerStates[] = {"powered", "charging", "on battery"};

std::string Hex2(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02x", value & 0xFFu);
    return text;
}

std::string AssignmentText(const Assignment& a)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%02x%02x%02x", a.type, a.value1, a.value2);
    return text;
}

// FIXME: key names come from the English language text once the language files exist; until
// then the name keys are shown.
std::string LabelOf(const Assignment& a)
{
    const LanguageLookup nameKeys = [](std::wstring_view key) { return std::wstring(key); };
    const std::string label = platform::WideToUtf8(AssignmentDisplayName(a, nameKeys, {}));
    return label.empty() ? "-" : label;
}

std::string ResultText(int code)
{
    switch (code) {
    case result::kNothing:
        return "no reply";
    case result::kWriteFailed:
        return "the request could not be written";
    case result::kNotLinked:
        return "the keyboard is not linked to its receiver";
    case result::kRejected:
    case result::kRefused:
        return "the keyboard refused the request";
    case result::kBadArgument:
        return "bad argument";
    default:
        return "result code " + std::to_string(code);
    }
}

// The keyboard's command interface: the cable's when plugged, else the receiver's.
std::optional<DeviceInterfaceEntry> FindKeyboard(hid::IHidBackend& backend)
{
    CHidConnection probe(&backend);
    CDeviceSlotList slots;
    std::map<uint16_t, DeviceInterfaceEntry> byKind;
    if (!RunDiscoveryPass(probe, slots, [&](int, const DeviceInterfaceEntry& entry) {
            if (entry.role == role::kCommand && byKind.count(entry.kind) == 0)
                byKind[entry.kind] = entry;
        }))
        return std::nullopt;
    for (uint16_t kind : {kind::kKeyboard, kind::kKeyboardReceiver}) {
        if (auto found = byKind.find(kind); found != byKind.end())
            return found->second;
    }
    return std::nullopt;
}

bool Connect(CKestovarKeyboardDevice& device, const DeviceInterfaceEntry& entry)
{
    CDeviceTransport& transport = device.CommandTransport();
    const bool receiver = IsReceiverKind(entry.kind);
    std::lock_guard io(transport.IoLock());
    CHidConnection& connection = receiver ? transport.ReceiverConnection() : transport.WiredConnection();
    if (!connection.OpenPath(entry.path, true, true, true, false))
        return false;
    transport.SetOpened(true);
    transport.SetLinkMode(LinkModeOfKind(entry.kind));
    device.SetInterfaceEntry(entry);
    return true;
}

void Disconnect(CKestovarKeyboardDevice& device)
{
    CDeviceTransport& transport = device.CommandTransport();
    transport.SetOpened(false);
    std::lock_guard io(transport.IoLock());
    transport.WiredConnection().Close();
    transport.ReceiverConnection().Close();
}

void PrintSettings(CKestovarKeyboardDevice& device, std::ostream& out)
{
    const LightingRecord record = device.GetLightingRecord();
    const KeyboardSystemStages stages = device.GetSystemStages();
    const EffectEntry* effect = device.Effects().At(record.SelectItem);
    char colour[8];
    std::snprintf(colour, sizeof colour, "%02X%02X%02X", record.Red, record.Green, record.Blue);
    out << "active_profile=" << int(device.Channel().ActiveProfile()) << '\n'
        << "effect=" << int(record.SelectItem);
    if (effect != nullptr) {
        out << " name=" << (effect->nameKey.empty() ? "-" : effect->nameKey);
        if (effect->code)
            out << " code=" << Hex2(*effect->code);
    }
    out << '\n'
        << "brightness=" << int(record.Light) << '\n'
        << "speed=" << int(record.Speed) << '\n'
        << "direction=" << int(record.Fx) << '\n'
        << "multicolour=" << int(record.MultiColor) << '\n'
        << "colour=" << colour << '\n'
        << "custom_group=" << int(record.CustomGroup) << '\n'
        << "polling_rate=" << stages.PollingRate << '\n'
        << "six_key_rollover=" << stages.Key6Flag << '\n'
        << "w_flag=" << stages.WFlag << '\n'
        << "win_lock=" << stages.WinFlag << '\n';
}

void PrintInfo(CKestovarKeyboardDevice& device, bool receiver, std::ostream& out)
{
    const KeyboardDeviceCache cache = device.Channel().Cache();
    const uint8_t link = cache.info[kbinfo::kLinkState];
    out << "connection=" << (receiver ? "receiver" : "cable") << '\n'
        << "slots=" << SlotCountOf(cache.info) << '\n'
        << "macro_memory=" << MacroCapacityOf(cache.info) << " bytes\n"
        << "link_state=" << Hex2(link) << (link == kbinfo::kLinked ? " (linked)" : "") << '\n'
        << "effects=" << device.Effects().Size() << '\n'
        << "info=" << FormatHexBytes(cache.info) << '\n'
        << "profile_file=" << platform::WideToUtf8(device.GetProfileFilePath()) << '\n';
}

void PrintKeymap(CKestovarKeyboardDevice& device, std::ostream& out)
{
    const KeySlotMaps maps = device.Channel().Cache().slotMaps;
    const std::vector<KeyEntry>& keys = device.GetKeyList();
    for (size_t key = 0; key < logicalkey::kCount; ++key) {
        const uint8_t slot = maps.SlotOf(key);
        if (slot == slotmap::kNone)
            continue;
        const Assignment defaults = DefaultAssignmentOf(key);
        const Assignment current = key < keys.size() ? keys[key].current : defaults;
        const uint8_t light = maps.LightPositionOf(key);
        out << "key=" << key << " name=" << LabelOf(defaults) << " slot=" << int(slot)
            << " light=" << (light == slotmap::kNone ? std::string("-") : std::to_string(light))
            << " current=" << AssignmentText(current) << " (" << LabelOf(current) << ")"
            << " default=" << AssignmentText(defaults) << '\n';
    }
}

int WriteSettings(CKestovarKeyboardDevice& device, const KeyboardSettingsChange& change, std::ostream& out,
                  std::ostream& err)
{
    LightingRecord record = device.GetLightingRecord();
    if (change.effect) {
        if (static_cast<size_t>(*change.effect) >= device.Effects().Size()) {
            err << "There is no effect " << *change.effect << "; the effect list has " << device.Effects().Size()
                << " effects.\n";
            return kExitUsage;
        }
        record.SelectItem = static_cast<uint8_t>(*change.effect);
    }
    if (change.brightness)
        record.Light = static_cast<uint8_t>(*change.brightness);
    if (change.speed)
        record.Speed = static_cast<uint8_t>(*change.speed);
    if (change.direction)
        record.Fx = static_cast<uint8_t>(*change.direction);
    if (change.multicolour)
        record.MultiColor = static_cast<uint8_t>(*change.multicolour);
    if (change.colour) {
        record.Red = static_cast<uint8_t>(*change.colour >> 16);
        record.Green = static_cast<uint8_t>(*change.colour >> 8);
        record.Blue = static_cast<uint8_t>(*change.colour);
    }
    device.SetLightingRecord(record);
    device.SaveProfile();
    const int code = device.ApplySettings(0, 0, 0, 0, 0);
    out << "result=" << code << '\n';
    if (code != result::kSuccess) {
        err << "The settings could not be written: " << ResultText(code) << ".\n";
        return kExitDeviceError;
    }
    PrintSettings(device, out);
    return kExitSuccess;
}

int SetKey(CKestovarKeyboardDevice& device, int logicalKey, int64_t value, std::ostream& out, std::ostream& err)
{
    const std::optional<Assignment> assignment = AssignmentFromJsonInt(value);
    if (!assignment) {
        err << "The assignment " << value << " is not a 3-byte assignment.\n";
        return kExitUsage;
    }
    const size_t key = static_cast<size_t>(logicalKey);
    if (device.Channel().Cache().slotMaps.SlotOf(key) == slotmap::kNone) {
        err << "The keyboard has no slot for logical key " << logicalKey << ".\n";
        return kExitDeviceError;
    }
    std::vector<KeyEntry> keys = device.GetKeyList();
    keys[key].current = *assignment;
    device.SetKeyList(keys);
    device.SaveProfile();
    // The whole write as the key assignment page sends it: the macros the keys use, then the
    // layer-1 key map.
    const int macros = device.WriteMacros(device.CollectUsedMacros());
    if (macros != 0) {
        out << "macros=" << macros << '\n';
        err << (macros > 0 ? "The macros do not fit in the keyboard's macro memory.\n"
                           : "The macros could not be written: " + ResultText(macros) + ".\n");
        return kExitDeviceError;
    }
    const int code = device.WriteAssignments(0);
    out << "result=" << code << '\n';
    if (code != result::kSuccess) {
        err << "The key map could not be written: " << ResultText(code) << ".\n";
        return kExitDeviceError;
    }
    out << "key=" << logicalKey << " current=" << AssignmentText(*assignment) << " (" << LabelOf(*assignment)
        << ")\n";
    return kExitSuccess;
}

int Status(CKestovarKeyboardDevice& device, std::ostream& out, std::ostream& err)
{
    device.ReadPowerStatus();
    const std::optional<StatusBlock> block = device.LastStatus();
    if (!block) {
        err << "The status could not be read: " << ResultText(device.LastStatusResult()) << ".\n";
        return kExitDeviceError;
    }
    const uint8_t state = (*block)[kbstatus::kPowerState];
    out << "battery=" << int((*block)[kbstatus::kBattery]) << "%\n"
        << "power=" << (state < std::size(kPowerStates) ? kPowerStates[state] : Hex2(state)) << '\n'
        << "receiver=" << int((*block)[kbstatus::kThroughReceiver]) << '\n'
        << "mode=" << Hex2((*block)[kbstatus::kMode]) << '\n';
    return kExitSuccess;
}

std::wstring ResourceFolderFor(const CtlArguments& arguments)
{
    if (arguments.resources)
        return platform::Utf8ToWide(*arguments.resources);
    return platform::Utf8ToWide(app::FindResourceFolder().folder);
}

}  // namespace

int RunKeyboard(hid::IHidBackend& backend, const CtlArguments& arguments, std::ostream& out, std::ostream& err)
{
    const std::optional<DeviceInterfaceEntry> entry = FindKeyboard(backend);
    if (!entry) {
        err << "No keyboard found.\n";
        return kExitDeviceError;
    }
    const bool receiver = IsReceiverKind(entry->kind);
    CKestovarKeyboardDevice device(&backend);
    device.SetProfileFolders(CProfileFolders::FromEnvironment(ResourceFolderFor(arguments)));
    device.ReloadEffectList();
    if (!Connect(device, *entry)) {
        err << "The keyboard's command interface could not be opened.\n";
        return kExitDeviceError;
    }

    int status = kExitSuccess;
    const KeyboardAction action = arguments.keyboard.action;
    if (action == KeyboardAction::Link) {
        const bool linked = device.IsLinkUp();
        out << "connection=" << (receiver ? "receiver" : "cable") << '\n' << "linked=" << (linked ? 1 : 0) << '\n';
    } else if (action == KeyboardAction::Status) {
        status = Status(device, out, err);
    } else {
        device.SetCurrentProfileName(SelectedProfileId(device.GetUserFamilyFolder(), device.GetDefaultProfileFile()));
        const int code = device.ReadEverything();
        if (code != result::kSuccess) {
            err << "The keyboard could not be read: " << ResultText(code) << ".\n";
            status = kExitDeviceError;
        } else if (action == KeyboardAction::Info) {
            PrintInfo(device, receiver, out);
        } else if (action == KeyboardAction::ReadSettings) {
            PrintSettings(device, out);
        } else if (action == KeyboardAction::ReadKeymap) {
            PrintKeymap(device, out);
        } else if (action == KeyboardAction::WriteSettings) {
            status = WriteSettings(device, arguments.keyboard.settings, out, err);
        } else if (action == KeyboardAction::SetKey) {
            status = SetKey(device, arguments.keyboard.logicalKey, arguments.keyboard.assignment, out, err);
        }
    }
    Disconnect(device);
    return status;
}

}  // namespace dw::ctl
