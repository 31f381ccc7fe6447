#include "keyboard/device/CKestovarKeyboardDevice.h"

#include <limits>

#include "keyboard/KeyboardLightImages.h"
#include "keyboard/LogicalKeys.h"
#include "keyboard/device/CMacroListSource.h"
#include "platform/DebugOutput.h"
#include "profiles/ProfileFolders.h"
#include "platform/Utf8.h"
#include "transport/TransportResult.h"
#include "transport/device/IDevicePowerControl.h"
#include "ui/core/CMessageLoop.h"

namespace dw {
namespace {

constexpr std::wstring_view kLightConfigExtension = L".config";
constexpr std::wstring_view kNotificationLog = L"接收到自动添加设备的同步信息要求  TEST";

// The key list of a profile that has none: every key does what it does out of the box.
std::vector<KeyEntry> DefaultKeyList()
{
    std::vector<KeyEntry> keys;
    keys.reserve(logicalkey::kCount);
    for (size_t key = 0; key < logicalkey::kCount; ++key) {
        const Assignment code = DefaultAssignmentOf(key);
        keys.push_back(MakeKeyEntry(static_cast<uint16_t>(key), code, code));
    }
    return keys;
}

// The audio lighting record in the profile's form and in the three words the device objects
// pass around.
AudioLightRecord PackAudioLight(const AudioLightInfo& info)
{
    return AudioLightRecord{
        AudioLightRecord::Pack(info.AudioMode, info.BkColorR, info.BkColorG, info.BkColorB),
        AudioLightRecord::Pack(info.FgColorR, info.FgColorG, info.FgColorB, info.SevenColorFlags),
        info.ColorTypeFlags,
    };
}

AudioLightInfo UnpackAudioLight(const AudioLightRecord& record)
{
    AudioLightInfo info;
    info.AudioMode = record.AudioMode();
    info.BkColorR = record.BackgroundRed();
    info.BkColorG = record.BackgroundGreen();
    info.BkColorB = record.BackgroundBlue();
    info.FgColorR = record.ForegroundRed();
    info.FgColorG = record.ForegroundGreen();
    info.FgColorB = record.ForegroundBlue();
    info.SevenColorFlags = record.SevenColourFlags();
    info.ColorTypeFlags = static_cast<uint8_t>(record.colourTypeFlags);
    return info;
}

// The device operations take profiles as int; the keyboard addresses them in one byte.
std::optional<uint8_t> ProfileByte(int profile)
{
    if (profile < 0 || profile > std::numeric_limits<uint8_t>::max())
        return std::nullopt;
    return static_cast<uint8_t>(profile);
}

}  // namespace

CKestovarKeyboardDevice::CKestovarKeyboardDevice(hid::IHidBackend* backend, CKeyboardCommandChannel::Sleeper sleep)
    : CKestovarUSBDevice(backend),
      m_channel(m_commandTransport, std::move(sleep)),
      m_wiredReader(m_notificationTransport, CKeyboardNotificationReader::Connection::Wired,
                    [this](const KeyboardEvent& event) { OnKeyboardEvent(event); }),
      m_receiverReader(m_notificationTransport, CKeyboardNotificationReader::Connection::Receiver,
                       [this](const KeyboardEvent& event) { OnKeyboardEvent(event); }),
      m_keyList(DefaultKeyList()),
      m_secondKeyList(DefaultKeyList())
{
    SetFamilyName(kFamilyName);
    SetLightingFileStem(kLightingFileStem);
    ReloadEffectList();
}

CKestovarKeyboardDevice::~CKestovarKeyboardDevice()
{
    // The readers call back into this object; they end before any member goes.
    CloseNotificationPaths();
}

std::wstring CKestovarKeyboardDevice::GetClass() const { return kClassName; }

void* CKestovarKeyboardDevice::GetInterface(std::wstring_view name)
{
    if (name == kClassName)
        return this;
    return CKestovarUSBDevice::GetInterface(name);
}

// ---- reads ------------------------------------------------------------------------------------

void CKestovarKeyboardDevice::RefreshFromDevice() { ReadEverything(); }

int CKestovarKeyboardDevice::ReadEverything()
{
    const int code = m_channel.FullRead();
    LoadWorkingProfile();
    // The key map just read holds what the program wrote last; the profile's key list says
    // which keys it remapped, so they are found again.
    m_channel.RebuildSlotMaps(m_keyList);
    ReadSettingsResult();
    RefreshPage();
    // FIXME: start the keyboard's lighting thread here once the lighting engine exists.
    PostToOwner(kbdevice::kMsgLinkState, m_channel.Cache().info[kbinfo::kLinkState]);
    return code;
}

void CKestovarKeyboardDevice::ReloadSettings() { ReadSettingsResult(); }

int CKestovarKeyboardDevice::ReadSettingsResult()
{
    const LightingRecord before = GetLightingRecord();
    // Closed, the channel sends nothing and the last block read is taken again.
    const int code = m_channel.ReadSettings();
    if (code == result::kSuccess)
        m_settingsRead = true;
    // Before the first block ever arrived there is nothing of the keyboard's to take: the
    // profile's values stay rather than being overwritten by an all-zero block.
    if (!m_settingsRead)
        return code;

    const DecodedSettings decoded =
        DecodeSettingsBlock(m_channel.Cache().settings, before, m_systemStages, m_effects);
    CKestovarUSBDevice::SetLightingRecord(decoded.record);
    m_profile.SetLightingRecord(decoded.record);
    m_systemStages = decoded.stages;
    m_profile.SetSystemStages(decoded.stages);
    SaveProfile();

    if (decoded.record.SelectItem != before.SelectItem || decoded.record.SelectItem == effect::kCustomLight)
        OnEffectChanged(decoded.record.SelectItem);
    return code;
}

void CKestovarKeyboardDevice::OnEffectChanged(size_t effectIndex)
{
    // FIXME: re-arm the lighting engine for the new effect once it exists.
    if (effectIndex == effect::kCustomLight)
        ReadCustomLightGroup();
}

int CKestovarKeyboardDevice::ReadCustomLightGroup()
{
    const LightingRecord record = GetLightingRecord();
    std::vector<KeyColour> colours;
    const int code = m_channel.ReadCustomColours(record.CustomGroup, colours);
    if (code != result::kSuccess)
        return code;
    std::vector<CustomKeyColor> group = m_profile.GetCustomLightGroup(record.CustomGroup);
    if (group.size() < logicalkey::kCount)
        group.resize(logicalkey::kCount);
    for (const KeyColour& key : colours) {
        if (key.logicalKey >= group.size())
            continue;
        group[key.logicalKey].Red = key.colour.red;
        group[key.logicalKey].Green = key.colour.green;
        group[key.logicalKey].Blue = key.colour.blue;
    }
    m_profile.SetCustomLightGroup(record.CustomGroup, group);
    SaveProfile();

    std::vector<uint8_t> lit(logicalkey::kCount, 0);
    for (size_t key = 0; key < lit.size(); ++key)
        lit[key] = group[key].IsBright ? 1 : 0;
    return m_channel.WriteCustomLightBitmap(BuildCustomLightBitmap(lit, m_channel.Cache().slotMaps.LightPositions()));
}

void CKestovarKeyboardDevice::ReadPowerStatus()
{
    // The hold keeps the receiver's link query (and so the status read) quiet while set.
    if (GetLinkStatusHold() != 0)
        return;
    StatusBlock block{};
    m_lastStatusResult = m_channel.ReadStatus(block);
    if (m_lastStatusResult != result::kSuccess)
        return;
    m_lastStatus = block;
    if (m_powerControl != nullptr)
        m_powerControl->ShowPowerStatus(block);
    PostToOwner(kbdevice::kMsgStatusReport, block[kbstatus::kMode]);
}

bool CKestovarKeyboardDevice::IsLinkUp()
{
    if (GetLinkStatusHold() == 0)
        m_lastLinkUp = m_channel.IsLinked();
    return m_lastLinkUp;
}

// ---- writes -----------------------------------------------------------------------------------

int CKestovarKeyboardDevice::ApplySettings(int profile, uint8_t firstByte, int, int, int)
{
    const std::optional<uint8_t> target = ProfileByte(profile);
    if (!target)
        return result::kBadArgument;
    return m_channel.WriteSettings(GetLightingRecord(), m_systemStages, m_effects, *target, firstByte);
}

int CKestovarKeyboardDevice::WriteButtonTable(int profile, const std::vector<KeyEntry>& keys)
{
    const std::optional<uint8_t> target = ProfileByte(profile);
    if (!target)
        return result::kBadArgument;
    return m_channel.WriteLayer1KeyMap(*target, keys, Macros());
}

int CKestovarKeyboardDevice::WriteAssignments(int profile) { return WriteButtonTable(profile, m_keyList); }

int CKestovarKeyboardDevice::WriteAssignmentsLayer2(int profile)
{
    return WriteButtonTableLayer2(profile, m_secondKeyList);
}

int CKestovarKeyboardDevice::WriteButtonTableLayer2(int profile, const std::vector<KeyEntry>& keys)
{
    const std::optional<uint8_t> target = ProfileByte(profile);
    if (!target)
        return result::kBadArgument;
    const int selected = GetSelectedKey();
    const std::optional<size_t> selectedKey =
        selected >= 0 ? std::optional<size_t>(static_cast<size_t>(selected)) : std::nullopt;
    return m_channel.WriteLayer2KeyMap(*target, keys, selectedKey);
}

std::vector<int> CKestovarKeyboardDevice::CollectUsedMacros()
{
    const std::vector<size_t> slots = m_channel.ListMacroSlots(m_keyList, Macros());
    return std::vector<int>(slots.begin(), slots.end());
}

int CKestovarKeyboardDevice::WriteMacros(const std::vector<int>& macros)
{
    std::vector<size_t> indices;
    indices.reserve(macros.size());
    for (int macro : macros) {
        if (macro < 0)
            return result::kBadArgument;
        indices.push_back(static_cast<size_t>(macro));
    }
    return m_channel.WriteMacroImage(indices, Macros());
}

// ---- profile ----------------------------------------------------------------------------------

void CKestovarKeyboardDevice::UpdateProfilePaths()
{
    const std::wstring folder = GetUserFamilyFolder();
    m_profile.SetDefaultProfilePath(GetDefaultProfileFile());
    if (!folder.empty()) {
        m_profile.SetProfilePath(CProfileFolders::ProfilePath(folder, GetCurrentProfileName()));
        m_profile.SetLightConfigPath(folder + GetLightingFileStem() + std::wstring(kLightConfigExtension));
    }
}

std::wstring CKestovarKeyboardDevice::GetProfileFilePath() const { return m_profile.GetProfilePath(); }

int CKestovarKeyboardDevice::LoadWorkingProfile()
{
    UpdateProfilePaths();
    // Without a profile (none chosen yet) the factory settings are used in memory; nothing is
    // written until a profile exists.
    const std::wstring path = m_profile.GetProfilePath().empty() ? m_profile.GetDefaultProfilePath()
                                                                 : m_profile.GetProfilePath();
    const Json::Value settings = m_profile.LoadDeviceSettings(path);

    std::vector<KeyEntry> keys = m_profile.GetKeyList();
    m_keyList = keys.size() == logicalkey::kCount ? std::move(keys) : DefaultKeyList();
    CKestovarUSBDevice::SetLightingRecord(m_profile.GetLightingRecord());
    m_systemStages = m_profile.GetSystemStages();
    CKestovarUSBDevice::SetAudioLightRecord(PackAudioLight(m_profile.GetAudioLightRecord()));
    // FIXME: the layer-2 key list has no document yet; it starts from the defaults.
    return settings.isNull() ? 0 : 1;
}

void CKestovarKeyboardDevice::ReloadProfile()
{
    LoadWorkingProfile();
    RefreshKeyLabels();
}

void CKestovarKeyboardDevice::SaveProfile()
{
    // The factory profile is never written over.
    if (m_profile.GetProfilePath().empty())
        return;
    m_profile.SaveDeviceSettings();
}

void CKestovarKeyboardDevice::SetKeyList(const std::vector<KeyEntry>& keys)
{
    m_keyList = keys;
    m_profile.SetKeyList(keys);
}

void CKestovarKeyboardDevice::SetSecondKeyList(const std::vector<KeyEntry>& keys) { m_secondKeyList = keys; }

void CKestovarKeyboardDevice::SetSystemStages(const KeyboardSystemStages& stages)
{
    m_systemStages = stages;
    m_profile.SetSystemStages(stages);
}

void CKestovarKeyboardDevice::SetLightingRecord(const LightingRecord& record)
{
    CKestovarUSBDevice::SetLightingRecord(record);
    m_profile.SetLightingRecord(record);
}

void CKestovarKeyboardDevice::SetAudioLightRecord(const AudioLightRecord& record)
{
    CKestovarUSBDevice::SetAudioLightRecord(record);
    m_profile.SetAudioLightRecord(UnpackAudioLight(record));
}

AudioLightRecord CKestovarKeyboardDevice::GetAudioLightRecord(bool takeColour)
{
    return CKestovarUSBDevice::GetAudioLightRecord(takeColour);
}

void CKestovarKeyboardDevice::ReloadEffectList()
{
    const std::wstring file = GetDefaultDataFolder() + platform::Utf8ToWide(effect::kFileName);
    m_effects = LoadEffectList(platform::WideToUtf8(file), effect::kKeyboardModelIndex);
}

void CKestovarKeyboardDevice::SetMacroSource(std::shared_ptr<const IMacroSource> source)
{
    m_macroSource = std::move(source);
}

const IMacroSource& CKestovarKeyboardDevice::Macros() const
{
    if (m_macroSource)
        return *m_macroSource;
    static const CMacroListSource kNoMacros{std::wstring()};
    return kNoMacros;
}

// ---- page -------------------------------------------------------------------------------------

void CKestovarKeyboardDevice::RefreshPage()
{
    m_pageRefreshes.fetch_add(1);
    RefreshKeyLabels();
    PaintPreview();
}

void CKestovarKeyboardDevice::RefreshKeyLabels()
{
    // FIXME: the key panel's labels follow the key list once the per-key panel exists.
}

void CKestovarKeyboardDevice::SelectKey(int index) { CKestovarUSBDevice::SelectKey(index); }

void CKestovarKeyboardDevice::SelectLight(int index) { CKestovarUSBDevice::SelectLight(index); }

void CKestovarKeyboardDevice::PostToOwner(ui::UINT msg, ui::WPARAM wParam)
{
    const ui::HWND owner = GetOwnerWindow();
    if (owner == nullptr)
        return;
    ui::CMessageLoop* loop = m_messageLoop != nullptr ? m_messageLoop : ui::CMessageLoop::GetCurrent();
    if (loop != nullptr)
        loop->PostMessage(owner, msg, wParam, 0);
}

// ---- notifications ----------------------------------------------------------------------------

bool CKestovarKeyboardDevice::OpenNotificationPath(std::wstring_view path, bool receiver)
{
    CKeyboardNotificationReader& reader = receiver ? m_receiverReader : m_wiredReader;
    return reader.Open(path);
}

void CKestovarKeyboardDevice::CloseNotificationPaths()
{
    m_wiredReader.Stop();
    m_receiverReader.Stop();
}

bool CKestovarKeyboardDevice::NotificationReaderRunning(bool receiver) const
{
    return receiver ? m_receiverReader.Running() : m_wiredReader.Running();
}

void CKestovarKeyboardDevice::SetCallbacks(Callbacks callbacks)
{
    std::lock_guard lock(m_callbackLock);
    m_callbacks = std::move(callbacks);
}

void CKestovarKeyboardDevice::OnKeyboardEvent(const KeyboardEvent& event)
{
    DebugOutput(kNotificationLog);
    Callbacks callbacks;
    {
        std::lock_guard lock(m_callbackLock);
        callbacks = m_callbacks;
    }
    switch (event.kind) {
    case KeyboardEventKind::ResyncWithProfileReload:
        m_profileReloadPending.store(true);
        [[fallthrough]];
    case KeyboardEventKind::Resync:
        m_resyncPending.store(true);
        if (callbacks.scheduleResync)
            callbacks.scheduleResync(kbdevice::kResyncDelay);
        break;
    case KeyboardEventKind::Heartbeat:
        m_heartbeats.fetch_add(1);
        break;
    case KeyboardEventKind::KeyPressed:
    case KeyboardEventKind::KeyReleased:
        if (callbacks.keyEvent)
            callbacks.keyEvent(event.key, event.kind == KeyboardEventKind::KeyPressed);
        break;
    case KeyboardEventKind::ActiveProfile:
    case KeyboardEventKind::ActiveProfileWithState:
        // A keyboard that is not connected has no profile to follow.
        if (!m_commandTransport.IsOpened())
            break;
        m_channel.SetActiveProfile(event.profile);
        if (event.kind == KeyboardEventKind::ActiveProfileWithState)
            m_channel.SetCachedExtraState(event.extraState);
        if (callbacks.activeProfileChanged)
            callbacks.activeProfileChanged(event.profile);
        break;
    case KeyboardEventKind::Unknown:
        break;
    }
}

void CKestovarKeyboardDevice::RunResync()
{
    m_resyncPending.store(false);
    if (m_profileReloadPending.exchange(false))
        ReloadProfile();
    ReadSettingsResult();
    RefreshPage();
}

}  // namespace dw
