#include "shell/devices/CMpDevicePowerUI.h"

#include <cstdio>

#include "platform/DebugOutput.h"
#include "shell/devices/CCircleProgressUI.h"
#include "shell/devices/ControlLookup.h"
#include "shell/devices/DeviceListConstants.h"
#include "transport/DeviceKinds.h"

namespace dw {

namespace {

constexpr const wchar_t* kImagePowered = L"file='power/powered.png'";
constexpr const wchar_t* kImagePowering = L"file='power/powering.png'";
constexpr const wchar_t* kImageOnBattery = L"file='power/power.png'";

struct PhoneRow {
    uint8_t code;
    const wchar_t* textKey;
    const wchar_t* image;
};
constexpr PhoneRow kPhones[] = {
    {1, L"Phone_type_iphone", L"file='power/Phone_type_iphone.png'"},
    {2, L"Phone_type_samsung", L"file='power/Phone_type_samsung.png'"},
    {3, L"Phone_type_other", L"file='power/Phone_type_other.png'"},
};
constexpr PhoneRow kNoPhone{0, L"Phone_type_no_device", L"file='power/Phone_type_no_device.png'"};

uint8_t ByteOf(std::span<const uint8_t> block, size_t index)
{
    return index < block.size() && index < powerblock::kMaxSize ? block[index] : 0;
}

}  // namespace

std::wstring CMpDevicePowerUI::GetClass() const
{
    return kClassName;
}

void* CMpDevicePowerUI::GetInterface(std::wstring_view name)
{
    if (name == kClassName)
        return this;
    return CVerticalLayoutUI::GetInterface(name);
}

void CMpDevicePowerUI::SetKindAndRole(int kind, int role)
{
    m_kind = kind;
    m_role = role;
}

CMpDevicePowerUI::Parts& CMpDevicePowerUI::Bind()
{
    if (m_bound)
        return m_parts;
    m_bound = true;
    m_parts.layout = FindNamedControl(this, devlist::kPowerLayout);
    m_parts.value = FindNamedControl(this, devlist::kPowerValue);
    m_parts.wirelessLogo = FindNamedControl(this, devlist::kPowerWirelessLogo);
    m_parts.progress = FindNamedControlAs<CCircleProgressUI>(this, devlist::kPowerProgress, CCircleProgressUI::kClassName);
    m_parts.status = FindNamedControl(this, devlist::kPowerStatus);
    m_parts.phone = FindNamedControl(this, devlist::kPhoneType);
    for (const std::wstring& missing : MissingControls())
        DebugOutput(L"battery control: the layout has no '" + missing + L"'; that part is not shown");
    return m_parts;
}

std::vector<std::wstring> CMpDevicePowerUI::MissingControls()
{
    const Parts& parts = Bind();
    std::vector<std::wstring> missing;
    const std::pair<const void*, const wchar_t*> checks[] = {
        {parts.layout, devlist::kPowerLayout},  {parts.value, devlist::kPowerValue},
        {parts.wirelessLogo, devlist::kPowerWirelessLogo}, {parts.progress, devlist::kPowerProgress},
        {parts.status, devlist::kPowerStatus},  {parts.phone, devlist::kPhoneType},
    };
    for (const auto& [control, name] : checks)
        if (control == nullptr)
            missing.emplace_back(name);
    return missing;
}

void CMpDevicePowerUI::SetPowerPageFlag(int flag)
{
    m_powerPageFlag = flag;
    if (ui::CControlUI* layout = Bind().layout)
        layout->SetVisible(flag != 0);
}

void CMpDevicePowerUI::ShowPowerStatus(std::span<const uint8_t> block)
{
    const Parts& parts = Bind();
    const uint8_t level = ByteOf(block, powerblock::kLevel);
    const uint8_t state = ByteOf(block, powerblock::kPowerState);
    const bool throughReceiver = ByteOf(block, powerblock::kThroughReceiver) == 1;

    if (parts.progress != nullptr)
        parts.progress->SetValue(kFullLevel - level);
    if (parts.value != nullptr) {
        wchar_t text[16];
        std::swprintf(text, std::size(text), L"%d%ls", static_cast<int>(level), L"%");
        parts.value->SetText(text);
    }
    if ((m_kind == kind::kKeyboard || m_kind == kind::kMouse) && parts.wirelessLogo != nullptr)
        parts.wirelessLogo->SetVisible(throughReceiver);
    if (parts.status != nullptr) {
        switch (state) {
        case powerblock::kStateFull:
            parts.status->SetBkImage(kImagePowered);
            break;
        case powerblock::kStateCharging:
            parts.status->SetBkImage(kImagePowering);
            break;
        case powerblock::kStateOnBattery:
            parts.status->SetBkImage(kImageOnBattery);
            break;
        default:
            break;
        }
    }
    if (parts.progress != nullptr)
        parts.progress->SetVisible(!(state == powerblock::kStateCharging && throughReceiver));
    if (m_kind == kind::kMousepad && parts.phone != nullptr) {
        const uint8_t code = ByteOf(block, powerblock::kPhone);
        const PhoneRow* row = &kNoPhone;
        for (const PhoneRow& phone : kPhones)
            if (phone.code == code)
                row = &phone;
        parts.phone->SetText(row->textKey);
        parts.phone->SetBkImage(row->image);
        parts.phone->SetVisible(true);
    }
}

}  // namespace dw
