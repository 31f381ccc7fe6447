#include "app/CAutomationExecutor.h"

#include <algorithm>
#include <array>
#include <memory>

#include "app/CEmulatorControl.h"
#include "platform/Utf8.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/COptionUI.h"
#include "ui/core/WindowImplBase.h"
#include "ui/core/controls/CEditUI.h"
#include "ui/core/controls/CRichEditUI.h"
#include "ui/core/controls/IListItemUI.h"
#include "ui/core/controls/IListOwnerUI.h"

namespace dw::app {

namespace {

using platform::Utf8ToWide;
using platform::WideToUtf8;

// The name of the tray menu's command that ends the program.
constexpr const wchar_t* kExitMenuCommand = L"exit";

bool IsSameOrRelated(const ui::CControlUI* hit, const ui::CControlUI* control)
{
    for (const ui::CControlUI* c = hit; c != nullptr; c = c->GetParent()) {
        if (c == control)
            return true;
    }
    for (const ui::CControlUI* c = control; c != nullptr; c = c->GetParent()) {
        if (c == hit)
            return true;
    }
    return false;
}

ui::UIPoint Centre(const ui::CControlUI* control)
{
    const ui::UIRect& rc = control->GetPos();
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// The private messages whose wParam or lParam the receiver dereferences: the menu's choice
// carries the address of the item's name.
constexpr std::array<ui::UINT, 1> kMessagesCarryingAddresses = {ui::WM_MENUCLICK};

}  // namespace

bool AnswerWaitsForQueue(AutomationVerb verb)
{
    return verb == AutomationVerb::Post;
}

bool MessageCarriesAddress(uint32_t messageNumber)
{
    return std::find(kMessagesCarryingAddresses.begin(), kMessagesCarryingAddresses.end(), messageNumber) !=
           kMessagesCarryingAddresses.end();
}

bool IsShownInTree(const ui::CControlUI* control)
{
    for (const ui::CControlUI* c = control; c != nullptr; c = c->GetParent()) {
        if (!c->IsVisible())
            return false;
    }
    return control != nullptr;
}

bool IsEnabledInTree(const ui::CControlUI* control)
{
    for (const ui::CControlUI* c = control; c != nullptr; c = c->GetParent()) {
        if (!c->IsEnabled())
            return false;
    }
    return control != nullptr;
}

CAutomationExecutor::CAutomationExecutor(ui::CMessageLoop& loop, ui::WindowImplBase& mainWindow,
                                         CEmulatorControl* emulator)
    : m_loop(loop), m_window(mainWindow), m_emulator(emulator)
{
}

std::string CAutomationExecutor::Execute(const AutomationCommand& command)
{
    if (m_window.GetHWND() == nullptr)
        return FormatError("the main window is gone");
    switch (command.verb) {
    case AutomationVerb::Click:
        return Click(command.name);
    case AutomationVerb::Select:
        return Select(command.name, command.index);
    case AutomationVerb::Type:
        return Type(command.name, command.text);
    case AutomationVerb::Get:
        return Get(command.name);
    case AutomationVerb::Message:
        return Message(command);
    case AutomationVerb::Post:
        return Post(command);
    case AutomationVerb::EmulatePlug:
    case AutomationVerb::EmulateUnplug:
    case AutomationVerb::EmulatePower:
    case AutomationVerb::EmulateNotify:
        return Emulate(command);
    case AutomationVerb::Screenshot:
        return Screenshot(command.file);
    case AutomationVerb::Quit:
        return Quit();
    }
    return FormatError("unknown command");
}

bool CAutomationExecutor::IsWindowShown() const
{
    return m_window.IsWindowVisible() && !m_window.IsIconic();
}

ui::CControlUI* CAutomationExecutor::FindControl(const std::string& name, std::string& error) const
{
    ui::CControlUI* control = m_window.GetPaintManager().FindControl(Utf8ToWide(name));
    if (control == nullptr)
        error = FormatError("no control " + name);
    return control;
}

std::string CAutomationExecutor::CheckUsable(const std::string& name, ui::CControlUI* control) const
{
    if (!IsWindowShown())
        return FormatError("the window is hidden");
    if (!m_window.IsWindowEnabled())
        return FormatError("the window is disabled");
    if (!IsShownInTree(control))
        return FormatError(name + " is hidden");
    if (!IsEnabledInTree(control))
        return FormatError(name + " is disabled");
    return {};
}

std::string CAutomationExecutor::Click(const std::string& name)
{
    std::string error;
    ui::CControlUI* control = FindControl(name, error);
    if (control == nullptr)
        return error;
    ui::CPaintManagerUI& manager = m_window.GetPaintManager();
    manager.UpdateLayout();
    if (std::string reason = CheckUsable(name, control); !reason.empty())
        return reason;
    const ui::UIPoint pt = Centre(control);
    const ui::UIRect client = m_window.GetClientRect();
    if (control->GetPos().IsEmpty() || !client.Contains(pt))
        return FormatError(name + " is outside the window");
    const ui::CControlUI* hit = manager.FindControl(pt);
    if (hit != nullptr && !IsSameOrRelated(hit, control))
        return FormatError(name + " is covered by " + (hit->GetName().empty() ? std::string("another control")
                                                                               : WideToUtf8(hit->GetName())));

    // The same messages the backend delivers for a real pointer: move there, press, release.
    const ui::LPARAM position = ui::MakeLParam(pt.x, pt.y);
    m_window.DeliverHostMessage(ui::WM_MOUSEMOVE, 0, position);
    m_window.DeliverHostMessage(ui::WM_LBUTTONDOWN, ui::MK_LBUTTON, position);
    if (m_window.GetHWND() != nullptr)
        m_window.DeliverHostMessage(ui::WM_LBUTTONUP, 0, position);
    return "ok";
}

std::string CAutomationExecutor::Select(const std::string& name, int index)
{
    std::string error;
    ui::CControlUI* control = FindControl(name, error);
    if (control == nullptr)
        return error;
    auto* owner = static_cast<ui::IListOwnerUI*>(control->GetInterface(L"IListOwner"));
    if (owner == nullptr)
        return FormatError(name + " is not a combo or a list");
    if (std::string reason = CheckUsable(name, control); !reason.empty())
        return reason;
    if (!owner->SelectItem(index, true, true))
        return FormatError(name + " has no selectable item " + std::to_string(index));
    return "ok";
}

std::string CAutomationExecutor::Type(const std::string& name, const std::string& text)
{
    std::string error;
    ui::CControlUI* control = FindControl(name, error);
    if (control == nullptr)
        return error;
    auto* edit = static_cast<ui::CEditUI*>(control->GetInterface(L"Edit"));
    auto* richEdit = static_cast<ui::CRichEditUI*>(control->GetInterface(L"RichEdit"));
    if (edit == nullptr && richEdit == nullptr)
        return FormatError(name + " is not an edit");
    if (std::string reason = CheckUsable(name, control); !reason.empty())
        return reason;
    if ((edit != nullptr && edit->IsReadOnly()) || (richEdit != nullptr && richEdit->IsReadOnly()))
        return FormatError(name + " is read-only");

    ui::CPaintManagerUI& manager = m_window.GetPaintManager();
    manager.SetFocus(control);
    if (edit != nullptr)
        edit->SetSelAll();
    else
        richEdit->SetSel(0, -1);
    // Typing over the selection replaces it, as a user's keys do; an empty text deletes it.
    const std::wstring typed = Utf8ToWide(text);
    if (typed.empty()) {
        m_window.DeliverHostMessage(ui::WM_KEYDOWN, ui::VK_DELETE, 0);
        m_window.DeliverHostMessage(ui::WM_KEYUP, ui::VK_DELETE, 0);
    }
    for (wchar_t c : typed) {
        if (m_window.GetHWND() == nullptr)
            return FormatError("the main window is gone");
        m_window.DeliverHostMessage(ui::WM_CHAR, static_cast<ui::WPARAM>(c), 0);
    }
    if (m_window.GetHWND() != nullptr)
        m_window.GetPaintManager().SetFocus(nullptr);
    return "ok";
}

std::string CAutomationExecutor::Get(const std::string& name)
{
    if (name == kMainWindowName)
        return FormatGetAnswer({}, IsWindowShown(), m_window.IsWindowEnabled(), false);
    std::string error;
    ui::CControlUI* control = FindControl(name, error);
    if (control == nullptr)
        return error;
    bool selected = false;
    if (auto* option = static_cast<ui::COptionUI*>(control->GetInterface(L"Option")))
        selected = option->IsSelected();
    else if (auto* item = static_cast<ui::IListItemUI*>(control->GetInterface(L"ListItem")))
        selected = item->IsSelected();
    return FormatGetAnswer(WideToUtf8(control->GetText()), IsWindowShown() && IsShownInTree(control),
                           IsEnabledInTree(control), selected);
}

std::string CAutomationExecutor::Message(const AutomationCommand& command)
{
    const ui::UINT id = ui::CMessageLoop::RegisterWindowMessage(Utf8ToWide(command.name));
    if (id == 0)
        return FormatError("cannot register message " + command.name);
    m_window.SendMessage(id, static_cast<ui::WPARAM>(command.wParam), static_cast<ui::LPARAM>(command.lParam));
    return "ok";
}

std::string CAutomationExecutor::Post(const AutomationCommand& command)
{
    // The parser keeps the number in the private range; this is the last line of defence for
    // callers that build commands themselves.
    if (command.messageNumber < kFirstPostableMessage || command.messageNumber > kLastPostableMessage)
        return FormatError("message number " + std::to_string(command.messageNumber) + " is outside 0x0400..0xBFFF");
    if (MessageCarriesAddress(command.messageNumber))
        return FormatError("message " + std::to_string(command.messageNumber) + " carries an address and cannot be posted");
    if (!m_loop.PostMessage(m_window.GetHWND(), static_cast<ui::UINT>(command.messageNumber),
                            static_cast<ui::WPARAM>(command.wParam), static_cast<ui::LPARAM>(command.lParam)))
        return FormatError("the main window is gone");
    return "ok";
}

std::string CAutomationExecutor::Emulate(const AutomationCommand& command)
{
    if (m_emulator == nullptr)
        return FormatError("not running on emulated devices (start with --emulate)");
    std::string reason;
    switch (command.verb) {
    case AutomationVerb::EmulatePlug:
        reason = m_emulator->Plug(command.device);
        break;
    case AutomationVerb::EmulateUnplug:
        reason = m_emulator->Unplug(command.device);
        break;
    case AutomationVerb::EmulatePower:
        reason = m_emulator->SetPower(command.device, command.on);
        break;
    case AutomationVerb::EmulateNotify:
        reason = m_emulator->Notify(command.device, command.code);
        break;
    default:
        reason = "not an emulate command";
        break;
    }
    return reason.empty() ? std::string("ok") : FormatError(reason);
}

std::string CAutomationExecutor::Screenshot(const std::string& file)
{
    ui::IUIBackend* backend = m_window.GetBackend();
    if (backend == nullptr || !backend->SaveWindowImage(m_window.GetHWND(), file))
        return FormatError("cannot save the window to " + file);
    return "ok";
}

std::string CAutomationExecutor::Quit()
{
    // The tray menu reports its "exit" item to the main window in this message.
    auto command = std::make_shared<std::wstring>(kExitMenuCommand);
    const auto wParam = reinterpret_cast<ui::WPARAM>(command.get());
    if (!m_loop.PostMessageOwning(m_window.GetHWND(), ui::WM_MENUCLICK, wParam, 0, std::move(command)))
        return FormatError("the main window is gone");
    return "ok";
}

}  // namespace dw::app
