#include "transport/device/CKestovarUSBDevice.h"

#include <algorithm>
#include <chrono>

#include "keyboard/KeyboardProtocol.h"
#include "keyboard/LightingTables.h"
#include "keyboard/ui/CDeviceKeyButtonUI.h"
#include "keyboard/ui/CSelectPanelUI.h"
#include "transport/DeviceKinds.h"
#include "transport/TransportResult.h"
#include "transport/device/IAudioLightPanel.h"
#include "transport/device/IDevicePowerControl.h"
#include "transport/device/NameIndex.h"
#include "transport/device/PreviewCounter.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CTabLayoutUI.h"
#include "ui/core/UIString.h"

namespace dw {
namespace {

// Counter ranges of the previews.
constexpr unsigned kBreathSteps = lighting::kBreathCurve.size();  // 128
constexpr unsigned kHueSteps = lighting::kHueCycle;               // 192
constexpr unsigned kColourAdvance = 16;                           // Q per breath, P per blink
constexpr unsigned kFourColourCount = lighting::kFourColours.size();

// Pages of the two function tabs (SelectFunctionTab).
constexpr int kKeepPage = -1;

struct FunctionTabPages {
    int function;
    int keyFunction;
};

FunctionTabPages PagesForState(int state, int kind)
{
    switch (state) {
    case 2:
    case 6:
        return {0, 1};
    case 3:
    case 8:
        return {1, kKeepPage};
    case 4:
        if (kind == kind::kKeyboard || kind == kind::kMouse)
            return {3, kKeepPage};
        return {0, 2};
    case 7:
        return {0, 2};
    case 5:
        return {2, kKeepPage};
    default:
        return {0, 0};
    }
}

ui::CControlUI* MatchName(ui::CControlUI* control, void* data)
{
    return control->GetName() == *static_cast<const std::wstring*>(data) ? control : nullptr;
}

// A curve level applied to a brightness value: the high byte of their product.
uint8_t ScaleLevel(uint8_t level, uint8_t value) { return static_cast<uint8_t>(unsigned{level} * value / 256); }

uint64_t SteadyMilliseconds()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

CKestovarUSBDevice::CKestovarUSBDevice(hid::IHidBackend* backend)
    : m_commandTransport(backend),
      m_notificationTransport(backend),
      m_folders(CProfileFolders::FromEnvironment(ui::CPaintManagerUI::GetInstancePath()))
{
}

CKestovarUSBDevice::~CKestovarUSBDevice() = default;

// ---- control --------------------------------------------------------------------------------

std::wstring CKestovarUSBDevice::GetClass() const { return kClassName; }

void* CKestovarUSBDevice::GetInterface(std::wstring_view name)
{
    if (name == kClassName)
        return this;
    return ui::CHorizontalLayoutUI::GetInterface(name);
}

void CKestovarUSBDevice::Notify(ui::TNotifyUI& msg)
{
    if (msg.pSender == nullptr)
        return;
    // Every page of the window hears every notification; controls of other pages may carry
    // the same names as ours.
    if (FindPageControl(msg.pSender->GetName()) != msg.pSender)
        return;
    NotifyPump(msg);
}

ui::CControlUI* CKestovarUSBDevice::FindPageControl(const std::wstring& name) const
{
    auto* self = const_cast<CKestovarUSBDevice*>(this);
    if (m_manager != nullptr)
        return m_manager->FindSubControlByName(self, name);
    if (name.empty())
        return nullptr;
    std::wstring wanted = name;
    return self->FindControl(MatchName, &wanted, ui::UIFIND_ALL | ui::UIFIND_ME_FIRST);
}

// ---- page controls ----------------------------------------------------------------------------

void CKestovarUSBDevice::BindPageControls()
{
    if (m_pageLayoutPath.empty()) {
        SetKeyButtonCount(0);
        SetLightCount(0);
        m_selectPanel = nullptr;
        return;
    }
    // Binding again (a rebuilt page) must not keep pointers to controls of the old one.
    std::fill(m_keyButtons.begin(), m_keyButtons.end(), nullptr);
    std::fill(m_lightControls.begin(), m_lightControls.end(), nullptr);
    m_selectPanel = nullptr;
    m_functionTab = nullptr;
    m_keyFunctionTab = nullptr;

    for (int i = 0; i < GetCount() && m_selectPanel == nullptr; ++i) {
        ui::CControlUI* child = GetItemAt(i);
        if (ui::EqualsNoCase(child->GetClass(), CSelectPanelUI::kClassName))
            m_selectPanel = static_cast<CSelectPanelUI*>(child->GetInterface(CSelectPanelUI::kClassName));
    }
    if (m_selectPanel == nullptr)
        return;

    for (int i = 0; i < m_selectPanel->GetCount(); ++i) {
        ui::CControlUI* child = m_selectPanel->GetItemAt(i);
        if (!ui::EqualsNoCase(child->GetClass(), CDeviceKeyButtonUI::kClassName))
            continue;
        auto* button = static_cast<CDeviceKeyButtonUI*>(child->GetInterface(CDeviceKeyButtonUI::kClassName));
        if (button == nullptr)
            continue;
        if (const auto key = IndexAfterPrefix(button->GetName(), kKeyButtonPrefix); key && *key < m_keyButtons.size())
            m_keyButtons[*key] = button;
        if (const auto light = IndexAfterPrefix(button->GetUserData(), kLightPrefix);
            light && *light < m_lightControls.size()) {
            m_lightControls[*light] = button;
            button->SetPreviewColour(255, 255, 255);
            button->SetPreviewAlpha(255);
            button->SetPreview(true);
        }
    }
}

void CKestovarUSBDevice::SetKeyButtonCount(size_t count)
{
    if (count != m_keyButtons.size())
        m_keyButtons.resize(count, nullptr);
}

void CKestovarUSBDevice::SetLightCount(size_t count)
{
    if (count != m_lightControls.size())
        m_lightControls.resize(count, nullptr);
    std::lock_guard lock(m_lightLock);
    m_lightStates.assign(count, LightState{});
    m_lightExtras.assign(count, LightExtra{});
}

size_t CKestovarUSBDevice::GetLightCount() const
{
    std::lock_guard lock(m_lightLock);
    return m_lightStates.size();
}

CDeviceKeyButtonUI* CKestovarUSBDevice::GetKeyButton(size_t index) const
{
    return index < m_keyButtons.size() ? m_keyButtons[index] : nullptr;
}

CDeviceKeyButtonUI* CKestovarUSBDevice::GetLightControl(size_t index) const
{
    return index < m_lightControls.size() ? m_lightControls[index] : nullptr;
}

void CKestovarUSBDevice::SetPowerControl(IDevicePowerControl* control)
{
    m_powerControl = control;
    if (m_powerControl != nullptr)
        m_powerControl->SetPowerPageFlag(m_powerPageFlag.load());
}

void CKestovarUSBDevice::SelectFunctionTab(int state)
{
    m_functionTabState = state;
    const auto lookUp = [this](ui::CTabLayoutUI*& tab, const wchar_t* name) {
        if (tab != nullptr)
            return;
        ui::CControlUI* control = FindPageControl(name);
        if (control != nullptr)
            tab = static_cast<ui::CTabLayoutUI*>(control->GetInterface(L"TabLayout"));
    };
    // Both tabs are looked up inside this page: every device page has its own pair under the
    // same names.
    lookUp(m_functionTab, kFunctionTabName);
    lookUp(m_keyFunctionTab, kKeyFunctionTabName);
    if (m_functionTab == nullptr || m_keyFunctionTab == nullptr)
        return;
    const FunctionTabPages pages = PagesForState(state, m_kind);
    m_functionTab->SelectItem(pages.function);
    if (pages.keyFunction != kKeepPage)
        m_keyFunctionTab->SelectItem(pages.keyFunction);
}

int CKestovarUSBDevice::GetFunctionTabState() const { return m_functionTabState; }

// ---- identity -------------------------------------------------------------------------------

void CKestovarUSBDevice::SetKindAndRole(int kind, int role)
{
    m_kind = kind;
    m_role = role;
}

void CKestovarUSBDevice::SetInterfaceEntry(const DeviceInterfaceEntry& entry)
{
    m_interfaceEntry = entry;
    SetKindAndRole(entry.kind, entry.role);
}

void CKestovarUSBDevice::SetPowerPageFlag(int flag)
{
    m_powerPageFlag.store(flag);
    if (m_powerControl != nullptr)
        m_powerControl->SetPowerPageFlag(flag);
}

bool CKestovarUSBDevice::SetLinkStatusHold(int hold)
{
    if (hold != 0 && m_powerPageFlag.load() == 0)
        return false;
    m_linkStatusHold.store(hold);
    return true;
}

// ---- lighting -------------------------------------------------------------------------------

int CKestovarUSBDevice::SetLightingEnabled(int enabled)
{
    m_lightingEnabled.store(enabled);
    if (enabled == 0 || m_kind != kind::kKeyboard)
        return result::kNothing;
    // The keyboard takes its lighting from the host again. Without an open transport the
    // transaction returns 0 without any I/O.
    const Report request = BuildHostLightingRequest();
    Report reply{};
    size_t transferred = 0;
    std::lock_guard command(m_commandTransport.CommandLock());
    const int code = m_commandTransport.Transact(request, reply, transferred);
    return ReplyResult(code, reply);
}

std::vector<LightState> CKestovarUSBDevice::GetLightStates() const
{
    std::lock_guard lock(m_lightLock);
    return m_lightStates;
}

void CKestovarUSBDevice::SetClock(Clock clock)
{
    std::lock_guard lock(m_lightLock);
    m_clock = std::move(clock);
}

uint64_t CKestovarUSBDevice::Now() const { return m_clock ? m_clock() : SteadyMilliseconds(); }

void CKestovarUSBDevice::FillLightsLocked(uint8_t red, uint8_t green, uint8_t blue, uint8_t brightness)
{
    for (LightState& light : m_lightStates) {
        light.red = red;
        light.green = green;
        light.blue = blue;
        light.brightness = brightness;
    }
}

void CKestovarUSBDevice::SetLightState(int index, uint32_t colour, uint8_t flag)
{
    std::lock_guard lock(m_lightLock);
    if (index < 0 || static_cast<size_t>(index) >= m_lightStates.size())
        return;
    m_lightStates[static_cast<size_t>(index)] = UnpackLightColour(colour, flag);
}

LightState CKestovarUSBDevice::GetLightState(int index) const
{
    std::lock_guard lock(m_lightLock);
    if (index < 0 || static_cast<size_t>(index) >= m_lightStates.size())
        return {};
    return m_lightStates[static_cast<size_t>(index)];
}

void CKestovarUSBDevice::PreviewStepBreath()
{
    std::lock_guard lock(m_lightLock);
    const LightingRecord& record = m_lightingRecord;
    m_stepCounter = static_cast<uint8_t>(StepWithin(m_stepCounter, kBreathSteps, 1, record.Fx != 0));
    if (m_stepCounter == 0) {
        const unsigned next = unsigned{m_colourIndex} + kColourAdvance;
        m_colourIndex = static_cast<uint8_t>(next > kHueSteps ? 0 : next);
    }
    const lighting::Rgb colour =
        record.MultiColor != 0 ? lighting::HueColour(m_colourIndex) : lighting::Rgb{record.Red, record.Green, record.Blue};
    const uint8_t level = ScaleLevel(lighting::BreathCurve(m_stepCounter), lighting::BrightnessValue(record.Light));
    FillLightsLocked(colour.red, colour.green, colour.blue, level);
}

void CKestovarUSBDevice::PreviewStepFourColour()
{
    std::lock_guard lock(m_lightLock);
    const LightingRecord& record = m_lightingRecord;
    m_stepCounter = static_cast<uint8_t>(StepWithin(m_stepCounter, kBreathSteps, 1, record.Fx != 0));
    if (m_stepCounter == 0)
        m_colourIndex = static_cast<uint8_t>((m_colourIndex + 1u) % kFourColourCount);
    const lighting::Rgb colour = lighting::FourColour(m_colourIndex);
    const uint8_t level = ScaleLevel(lighting::BreathCurve(m_stepCounter), lighting::BrightnessValue(record.Light));
    FillLightsLocked(colour.red, colour.green, colour.blue, level);
}

void CKestovarUSBDevice::PreviewStepStatic()
{
    std::lock_guard lock(m_lightLock);
    const LightingRecord& record = m_lightingRecord;
    FillLightsLocked(record.Red, record.Green, record.Blue, lighting::BrightnessValue(record.Light));
}

void CKestovarUSBDevice::PreviewStepCycle()
{
    std::lock_guard lock(m_lightLock);
    const LightingRecord& record = m_lightingRecord;
    m_stepCounter = static_cast<uint8_t>(StepWithin(m_stepCounter, kHueSteps, 1, record.Fx != 0));
    const lighting::Rgb colour = lighting::HueColour(m_stepCounter);
    FillLightsLocked(colour.red, colour.green, colour.blue, lighting::BrightnessValue(record.Light));
}

void CKestovarUSBDevice::PreviewStepBlinkCycle()
{
    std::lock_guard lock(m_lightLock);
    const LightingRecord& record = m_lightingRecord;
    const uint64_t now = Now();
    const uint64_t interval = uint64_t{lighting::BlinkInterval(record.Speed)} * lighting::kBlinkUnitMs;
    if (now - m_lastBlinkToggle >= interval) {
        m_blinkPhase = m_blinkPhase != 0 ? 0 : 1;
        m_lastBlinkToggle = now;
        const unsigned next = unsigned{m_stepCounter} + kColourAdvance;
        m_stepCounter = static_cast<uint8_t>(next >= kHueSteps ? 0 : next);
    }
    if (m_blinkPhase == 0) {
        FillLightsLocked(0, 0, 0, 0);
        return;
    }
    const lighting::Rgb colour =
        record.MultiColor != 0 ? lighting::HueColour(m_stepCounter) : lighting::Rgb{record.Red, record.Green, record.Blue};
    FillLightsLocked(colour.red, colour.green, colour.blue, lighting::BrightnessValue(record.Light));
}

void CKestovarUSBDevice::PreviewStepBlinkFourColour()
{
    std::lock_guard lock(m_lightLock);
    const LightingRecord& record = m_lightingRecord;
    const uint64_t now = Now();
    const uint64_t interval = uint64_t{lighting::BlinkInterval(record.Speed)} * lighting::kBlinkUnitMs;
    if (now - m_lastBlinkToggle >= interval) {
        m_blinkPhase = m_blinkPhase != 0 ? 0 : 1;
        m_lastBlinkToggle = now;
        m_stepCounter = static_cast<uint8_t>((m_stepCounter + 1u) % kFourColourCount);
    }
    if (m_blinkPhase == 0) {
        FillLightsLocked(0, 0, 0, 0);
        return;
    }
    const lighting::Rgb colour = lighting::FourColour(m_stepCounter);
    FillLightsLocked(colour.red, colour.green, colour.blue, lighting::BrightnessValue(record.Light));
}

void CKestovarUSBDevice::PreviewStepOff()
{
    std::lock_guard lock(m_lightLock);
    FillLightsLocked(0, 0, 0, 0);
}

void CKestovarUSBDevice::PaintPreview()
{
    if (m_lightingEnabled.load() == 0)
        return;
    const std::vector<LightState> states = GetLightStates();
    const size_t count = std::min(states.size(), m_lightControls.size());
    for (size_t i = 0; i < count; ++i) {
        CDeviceKeyButtonUI* control = m_lightControls[i];
        if (control == nullptr || !control->IsVisible())
            continue;
        control->SetPreviewColour(states[i].red, states[i].green, states[i].blue);
        control->SetPreviewAlpha(states[i].brightness);
    }
}

void CKestovarUSBDevice::SetLightingRecord(const LightingRecord& record)
{
    std::lock_guard lock(m_lightLock);
    m_lightingRecord = record;
}

LightingRecord CKestovarUSBDevice::GetLightingRecord() const
{
    std::lock_guard lock(m_lightLock);
    return m_lightingRecord;
}

void CKestovarUSBDevice::SetAudioLightRecord(const AudioLightRecord& record)
{
    m_audioLightRecord = record;
    if (m_audioPanel != nullptr)
        m_audioPanel->ShowAudioLightRecord(record);
}

AudioLightRecord CKestovarUSBDevice::GetAudioLightRecord(bool takeColour)
{
    if (m_audioPanel != nullptr)
        m_audioPanel->ReadAudioLightRecord(m_audioLightRecord, takeColour);
    return m_audioLightRecord;
}

// ---- effect buffers ---------------------------------------------------------------------------

void CKestovarUSBDevice::FadeKeyLevel(int keyIndex, int mode)
{
    if (keyIndex < 0 || static_cast<size_t>(keyIndex) >= kPerKeyLevelCount)
        return;
    const lighting::FadeKind kind = mode < 0 ? lighting::FadeKind::kStandard
                                             : lighting::FadeKindForMode(static_cast<unsigned>(mode));
    std::lock_guard lock(m_effectLock);
    uint8_t& level = m_keyLevels[static_cast<size_t>(keyIndex)];
    level = lighting::FadeStep(level, kind);
}

void CKestovarUSBDevice::RaiseMarkedLevels()
{
    std::lock_guard lock(m_effectLock);
    for (size_t i = 0; i < kMarkedColumnCount; ++i) {
        if (m_columns[i] != 0)
            m_keyLevels[i] = kFullLevel;
    }
}

void CKestovarUSBDevice::RotateColumns(int direction)
{
    std::lock_guard lock(m_effectLock);
    if (direction != 0)
        std::rotate(m_columns.rbegin(), m_columns.rbegin() + 1, m_columns.rend());
    else
        std::rotate(m_columns.begin(), m_columns.begin() + 1, m_columns.end());
}

void CKestovarUSBDevice::ClearEffectBuffers()
{
    std::lock_guard lock(m_effectLock);
    m_keyLevels.fill(0);
    m_columns.fill(0);
}

std::array<uint8_t, CKestovarUSBDevice::kPerKeyLevelCount> CKestovarUSBDevice::GetKeyLevels() const
{
    std::lock_guard lock(m_effectLock);
    return m_keyLevels;
}

std::array<uint8_t, CKestovarUSBDevice::kColumnCount> CKestovarUSBDevice::GetColumns() const
{
    std::lock_guard lock(m_effectLock);
    return m_columns;
}

void CKestovarUSBDevice::SetKeyLevel(size_t index, uint8_t level)
{
    std::lock_guard lock(m_effectLock);
    if (index < m_keyLevels.size())
        m_keyLevels[index] = level;
}

void CKestovarUSBDevice::SetColumn(size_t index, uint8_t value)
{
    std::lock_guard lock(m_effectLock);
    if (index < m_columns.size())
        m_columns[index] = value;
}

// ---- files ------------------------------------------------------------------------------------

std::wstring CKestovarUSBDevice::GetUserFamilyFolder() const { return m_folders.DeviceFolder(m_familyName); }

std::wstring CKestovarUSBDevice::GetDefaultDataFolder() const { return m_folders.FactoryDataFolder(); }

std::wstring CKestovarUSBDevice::GetDefaultProfileFile() const { return m_folders.FactoryProfilePath(m_familyName); }

// ---- operations the device classes override ------------------------------------------------------

int CKestovarUSBDevice::ApplyLightingEffect() { return 0; }
void CKestovarUSBDevice::RefreshFromDevice() {}
void CKestovarUSBDevice::ReloadSettings() {}
void CKestovarUSBDevice::Reserved15() {}
void CKestovarUSBDevice::Reserved16() {}
void CKestovarUSBDevice::ReadPowerStatus() {}
bool CKestovarUSBDevice::IsLinkUp() { return true; }
int CKestovarUSBDevice::LoadWorkingProfile() { return 0; }
int CKestovarUSBDevice::Reserved20() { return 0; }
void CKestovarUSBDevice::RefreshPage() {}
void CKestovarUSBDevice::Reserved22() {}
void CKestovarUSBDevice::Reserved23() {}
void CKestovarUSBDevice::RefreshKeyLabels() {}
void CKestovarUSBDevice::ReloadProfile() {}
std::vector<int> CKestovarUSBDevice::CollectUsedMacros() { return {}; }
int CKestovarUSBDevice::WriteButtonTable(int, const std::vector<KeyEntry>&) { return 0; }
int CKestovarUSBDevice::WriteAssignments(int) { return 0; }
int CKestovarUSBDevice::WriteAssignmentsLayer2(int) { return 0; }
int CKestovarUSBDevice::WriteButtonTableLayer2(int, const std::vector<KeyEntry>&) { return 0; }
int CKestovarUSBDevice::WriteMacros(const std::vector<int>&) { return 0; }
int CKestovarUSBDevice::ApplySettings(int, uint8_t, int, int, int) { return 0; }
void CKestovarUSBDevice::LoadDeviceConfig() {}
void CKestovarUSBDevice::SetKeyIndexMap(const std::map<int, int>& map) { m_keyIndexMap = map; }
void CKestovarUSBDevice::UpdateProfilePaths() {}
std::wstring CKestovarUSBDevice::GetProfileFilePath() const { return {}; }
void CKestovarUSBDevice::SaveProfile() {}
void CKestovarUSBDevice::SetDeviceOrdinal(int ordinal) { m_deviceOrdinal = ordinal; }
int CKestovarUSBDevice::GetDeviceOrdinal() const { return m_deviceOrdinal; }
void CKestovarUSBDevice::SelectKey(int index) { m_selectedKey = index; }
void CKestovarUSBDevice::SelectLight(int index) { m_selectedLight = index; }
void CKestovarUSBDevice::FeedAudioSpectrum(std::span<const int32_t>) {}
void CKestovarUSBDevice::FeedExternalColour(std::span<const int32_t>) {}

}  // namespace dw
