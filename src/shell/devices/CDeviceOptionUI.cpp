#include "shell/devices/CDeviceOptionUI.h"

#include "platform/DebugOutput.h"
#include "shell/devices/ControlLookup.h"
#include "shell/devices/DeviceListConstants.h"
#include "transport/device/CKestovarUSBDevice.h"
#include "ui/core/COptionUI.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/TEventUI.h"

namespace dw {

CDeviceOptionUI::CDeviceOptionUI()
{
    m_icons = DeviceIconsFor(0, 0);
}

CDeviceOptionUI::~CDeviceOptionUI()
{
    // The device page may be gone already (the whole tree goes at once); only the timers are
    // this entry's to end.
    StopAllTimers();
}

std::wstring CDeviceOptionUI::GetClass() const
{
    return kClassName;
}

void* CDeviceOptionUI::GetInterface(std::wstring_view name)
{
    if (name == kClassName)
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

void CDeviceOptionUI::DoEvent(ui::TEventUI& event)
{
    if (event.Type == ui::UIEventType::Timer) {
        if (m_owner != nullptr)
            m_owner->OnEntryTimer(*this, static_cast<unsigned>(event.wParam));
        else
            StopTimer(static_cast<unsigned>(event.wParam));
        return;
    }
    CHorizontalLayoutUI::DoEvent(event);
}

void CDeviceOptionUI::Bind()
{
    if (m_bound)
        return;
    m_bound = true;
    m_option = FindNamedControlAs<ui::COptionUI>(this, devlist::kEntrySelect, L"Option");
    m_synchro = FindNamedControlAs<ui::COptionUI>(this, devlist::kEntrySynchro, L"Option");
    m_name = FindNamedControl(this, devlist::kEntryName);
    for (const std::wstring& missing : MissingControls())
        DebugOutput(L"device list entry: the layout has no '" + missing + L"'");
}

std::vector<std::wstring> CDeviceOptionUI::MissingControls()
{
    Bind();
    std::vector<std::wstring> missing;
    if (m_option == nullptr)
        missing.emplace_back(devlist::kEntrySelect);
    if (m_synchro == nullptr)
        missing.emplace_back(devlist::kEntrySynchro);
    if (m_name == nullptr)
        missing.emplace_back(devlist::kEntryName);
    return missing;
}

void CDeviceOptionUI::SetDevice(CKestovarUSBDevice* device)
{
    m_device = device;
    if (device != nullptr)
        device->SetListEntry(this);
}

void CDeviceOptionUI::SetKindAndRole(int kind, int role)
{
    m_kind = kind;
    m_role = role;
    m_icons = DeviceIconsFor(kind, role);
    RefreshIcons();
}

void CDeviceOptionUI::SetGroup(const std::wstring& group)
{
    Bind();
    if (m_option != nullptr)
        m_option->SetGroup(group);
}

void CDeviceOptionUI::SetPowerContainer(const std::wstring& name, int index)
{
    m_powerContainer = name;
    m_powerIndex = index;
}

ui::COptionUI* CDeviceOptionUI::GetOption()
{
    Bind();
    return m_option;
}

ui::COptionUI* CDeviceOptionUI::GetSynchroBox()
{
    Bind();
    return m_synchro;
}

bool CDeviceOptionUI::IsOptionSelected()
{
    Bind();
    return m_option != nullptr && m_option->IsSelected();
}

void CDeviceOptionUI::SelectOption(bool selected, bool notify)
{
    Bind();
    if (m_option != nullptr)
        m_option->Selected(selected, notify);
}

bool CDeviceOptionUI::IsSynchroTicked()
{
    Bind();
    return m_synchro != nullptr && m_synchro->IsSelected();
}

void CDeviceOptionUI::SetSynchroTicked(bool ticked)
{
    Bind();
    if (m_synchro != nullptr && m_synchro->IsSelected() != ticked)
        m_synchro->Selected(ticked, false);
    RefreshIcons();
}

void CDeviceOptionUI::SetSynchroVisible(bool visible)
{
    Bind();
    if (m_synchro != nullptr)
        m_synchro->SetVisible(visible);
}

bool CDeviceOptionUI::IsSynchroVisible()
{
    Bind();
    return m_synchro != nullptr && m_synchro->IsVisible();
}

void CDeviceOptionUI::RefreshIcons()
{
    Bind();
    if (m_option == nullptr)
        return;
    const bool synchro = m_synchro != nullptr && m_synchro->IsSelected();
    m_option->SetNormalImage(synchro ? m_icons.synchroNormal : m_icons.normal);
    m_option->SetSelectedImage(synchro ? m_icons.synchroSelected : m_icons.selected);
}

void CDeviceOptionUI::SetNameText(const std::wstring& text)
{
    Bind();
    if (m_name != nullptr)
        m_name->SetText(text);
}

void CDeviceOptionUI::CountLinkLoss()
{
    m_linkLosses = (m_linkLosses + 1) % devlist::kLinkLossModulo;
}

bool CDeviceOptionUI::StartTimer(unsigned id, unsigned elapseMs)
{
    ui::CPaintManagerUI* manager = GetManager();
    return manager != nullptr && manager->SetTimer(this, id, elapseMs);
}

void CDeviceOptionUI::StopTimer(unsigned id)
{
    if (ui::CPaintManagerUI* manager = GetManager())
        manager->KillTimer(this, id);
}

void CDeviceOptionUI::StopAllTimers()
{
    if (ui::CPaintManagerUI* manager = GetManager())
        manager->KillTimer(this);
}

}  // namespace dw
