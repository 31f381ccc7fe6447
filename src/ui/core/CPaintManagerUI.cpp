#include "ui/core/CPaintManagerUI.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <fstream>
#include <optional>
#include <unistd.h>

#include "platform/Utf8.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/UIDebug.h"
#include "ui/core/UIString.h"

namespace dw::ui {

namespace {

// Process-wide state the design makes process-wide; touched on the UI thread only.
std::vector<CPaintManagerUI*>& Managers()
{
    static std::vector<CPaintManagerUI*> managers;
    return managers;
}
std::wstring& InstancePath()
{
    static std::wstring path;
    return path;
}
std::wstring& ResourcePath()
{
    static std::wstring path;
    return path;
}
UIResourceType& ResourceType()
{
    static UIResourceType type = UIResourceType::File;
    return type;
}
std::map<int, UIFontSpec>& SharedFonts()
{
    static std::map<int, UIFontSpec> fonts;
    return fonts;
}
std::optional<UIFontSpec>& SharedDefaultFont()
{
    static std::optional<UIFontSpec> font;
    return font;
}
std::map<std::wstring, std::wstring>& SharedDefaultAttributes()
{
    static std::map<std::wstring, std::wstring> attributes;
    return attributes;
}

constexpr size_t kMaxImageBytes = 64u * 1024u * 1024u;
constexpr int kWheelDelta = 120;
constexpr int kMaxWheelSteps = 10;
// Where a release lands when the window loses the pointer: outside every control.
constexpr UIPoint kNowhere{INT_MIN / 2, INT_MIN / 2};

// Rough metrics used only before a backend is attached.
class FallbackMetrics : public ITextMetrics {
public:
    UISize MeasureText(const std::wstring& text, const UIFontSpec& font, UINT, int) override
    {
        return {static_cast<int>(text.size()) * font.size / 2, font.size + font.size / 3};
    }
    int LineHeight(const UIFontSpec& font) override { return font.size + font.size / 3; }
};

std::wstring WithTrailingSlash(const std::wstring& path)
{
    std::wstring out = NormalizePath(path);
    if (!out.empty() && out.back() != L'/')
        out.push_back(L'/');
    return out;
}

// "img/a.png" -> "img/a@2x.png".
std::wstring HighDpiName(const std::wstring& file)
{
    const size_t slash = file.find_last_of(L'/');
    const size_t dot = file.find_last_of(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return file + L"@2x";
    return file.substr(0, dot) + L"@2x" + file.substr(dot);
}

bool ReadFile(const std::wstring& path, std::vector<uint8_t>& out)
{
    std::ifstream in(platform::WideToUtf8(path), std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size <= 0 || static_cast<size_t>(size) > kMaxImageBytes)
        return false;
    out.resize(static_cast<size_t>(size));
    in.seekg(0);
    return static_cast<bool>(in.read(reinterpret_cast<char*>(out.data()), size));
}

bool IsWithin(const CControlUI* control, const CControlUI* subtree)
{
    for (const CControlUI* c = control; c != nullptr; c = c->GetParent()) {
        if (c == subtree)
            return true;
    }
    return false;
}

struct NameQuery {
    const std::wstring* name;
};
CControlUI* MatchName(CControlUI* control, void* data)
{
    return control->GetName() == *static_cast<NameQuery*>(data)->name ? control : nullptr;
}

CControlUI* MatchAny(CControlUI* control, void*) { return control; }

struct ClassQuery {
    std::wstring_view name;
    int index = 0;
    std::vector<CControlUI*>* all = nullptr;
};
CControlUI* MatchClass(CControlUI* control, void* data)
{
    auto* query = static_cast<ClassQuery*>(data);
    if (!EqualsNoCase(control->GetClass(), query->name) && control->GetInterface(query->name) == nullptr)
        return nullptr;
    if (query->all != nullptr) {
        query->all->push_back(control);
        return nullptr;
    }
    return query->index-- == 0 ? control : nullptr;
}

struct TabQuery {
    std::vector<CControlUI*>* stops;
};
CControlUI* CollectTabStops(CControlUI* control, void* data)
{
    if ((control->GetControlFlags() & UIFLAG_TABSTOP) != 0 && control->IsKeyboardEnabled())
        static_cast<TabQuery*>(data)->stops->push_back(control);
    return nullptr;
}

}  // namespace

// Counts nested dispatches so that controls removed inside one are deleted after it.
class DispatchScope {
public:
    explicit DispatchScope(int& depth) : m_depth(depth) { ++m_depth; }
    ~DispatchScope() { --m_depth; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

private:
    int& m_depth;
};

CPaintManagerUI::CPaintManagerUI() = default;

CPaintManagerUI::~CPaintManagerUI()
{
    // The window may already be half gone: nothing is asked of the host from here on.
    m_host = nullptr;
    m_asyncNotifies.clear();
    m_notifiers.clear();
    m_filters.clear();
    m_preFilters.clear();
    delete m_root;
    m_root = nullptr;
    for (CControlUI* control : m_delayedCleanup)
        delete control;
    m_delayedCleanup.clear();
    auto& managers = Managers();
    managers.erase(std::remove(managers.begin(), managers.end(), this), managers.end());
}

// ---- set-up -----------------------------------------------------------------------------------

void CPaintManagerUI::Init(HWND window, IUIBackend& backend, IPaintHost& host, const std::wstring& name)
{
    m_window = window;
    m_backend = &backend;
    m_host = &host;
    m_name = name;
    auto& managers = Managers();
    if (std::find(managers.begin(), managers.end(), this) == managers.end())
        managers.push_back(this);
}

ITextMetrics& CPaintManagerUI::GetTextMetrics() const
{
    if (m_backend != nullptr)
        return m_backend->GetTextMetrics();
    static FallbackMetrics fallback;
    return fallback;
}

uint64_t CPaintManagerUI::GetTickCount() const
{
    if (m_backend != nullptr)
        return m_backend->GetTickCount();
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

UISize CPaintManagerUI::GetClientSize() const
{
    if (m_host == nullptr)
        return {};
    const UIRect rc = m_host->GetClientRect();
    return {rc.GetWidth(), rc.GetHeight()};
}

// ---- process-wide -----------------------------------------------------------------------------

void CPaintManagerUI::SetInstance(const std::wstring& programFolder) { InstancePath() = WithTrailingSlash(programFolder); }

std::wstring CPaintManagerUI::GetInstancePath()
{
    if (InstancePath().empty()) {
        char buffer[4096];
        const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        if (n > 0) {
            std::wstring exe = platform::Utf8ToWide(std::string_view(buffer, static_cast<size_t>(n)));
            const size_t slash = exe.find_last_of(L'/');
            if (slash != std::wstring::npos)
                InstancePath() = exe.substr(0, slash + 1);
        }
    }
    return InstancePath();
}

void CPaintManagerUI::SetResourcePath(const std::wstring& path) { ResourcePath() = WithTrailingSlash(path); }
std::wstring CPaintManagerUI::GetResourcePath() { return ResourcePath(); }

void CPaintManagerUI::SetResourceType(UIResourceType type)
{
    if (type != UIResourceType::File)
        UIDebugOutput(L"window library: only plain skin files are supported; reading files");
    ResourceType() = type;
}

UIResourceType CPaintManagerUI::GetResourceType() { return ResourceType(); }

const std::vector<CPaintManagerUI*>& CPaintManagerUI::GetPaintManagers() { return Managers(); }

int CPaintManagerUI::MessageLoop()
{
    CMessageLoop* loop = CMessageLoop::GetCurrent();
    if (loop == nullptr) {
        UIDebugOutput(L"window library: MessageLoop called on a thread without a message loop");
        return 0;
    }
    return loop->Run();
}

CPaintManagerUI* CPaintManagerUI::GetPaintManager(const std::wstring& name)
{
    for (CPaintManagerUI* manager : Managers()) {
        if (manager->GetName() == name)
            return manager;
    }
    return nullptr;
}

// ---- the tree ---------------------------------------------------------------------------------

bool CPaintManagerUI::AttachDialog(CControlUI* root)
{
    if (root == nullptr || root == m_root)
        return false;
    if (m_root != nullptr) {
        ReapObjects(m_root);
        CControlUI* old = m_root;
        m_root = nullptr;
        if (IsDispatching())
            AddDelayedCleanup(old);
        else
            delete old;
    }
    m_focus = m_hover = m_pushed = m_rightPushed = nullptr;
    m_root = root;
    InitControls(root, nullptr);
    NeedUpdate();
    if (!m_windowInitSent) {
        m_windowInitSent = true;
        SendNotify(root, notify::kWindowInit, 0, 0, true);
    }
    return true;
}

bool CPaintManagerUI::InitControls(CControlUI* control, CControlUI* parent)
{
    if (control == nullptr)
        return false;
    control->SetManager(this, parent, true);
    control->Init();
    return true;
}

void CPaintManagerUI::ReapObjects(CControlUI* control)
{
    if (control == nullptr)
        return;
    if (IsWithin(m_focus, control))
        m_focus = nullptr;
    if (IsWithin(m_hover, control))
        m_hover = nullptr;
    if (IsWithin(m_pushed, control)) {
        m_pushed = nullptr;
        ReleaseCapture();
    }
    if (IsWithin(m_rightPushed, control))
        m_rightPushed = nullptr;
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (IsWithin(it->control, control)) {
            if (m_host != nullptr)
                m_host->KillTimer(it->windowId);
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& [name, members] : m_optionGroups) {
        members.erase(std::remove_if(members.begin(), members.end(),
                                     [control](CControlUI* c) { return IsWithin(c, control); }),
                      members.end());
    }
    // A queued notification must not reach anyone with a sender that is gone.
    m_asyncNotifies.erase(std::remove_if(m_asyncNotifies.begin(), m_asyncNotifies.end(),
                                         [control](const TNotifyUI& n) { return IsWithin(n.pSender, control); }),
                          m_asyncNotifies.end());
}

void CPaintManagerUI::AddDelayedCleanup(CControlUI* control)
{
    if (control != nullptr && std::find(m_delayedCleanup.begin(), m_delayedCleanup.end(), control) == m_delayedCleanup.end())
        m_delayedCleanup.push_back(control);
}

void CPaintManagerUI::FlushDelayedCleanup()
{
    while (!m_delayedCleanup.empty()) {
        std::vector<CControlUI*> batch;
        batch.swap(m_delayedCleanup);
        for (CControlUI* control : batch)
            delete control;
    }
}

CControlUI* CPaintManagerUI::FindControl(const std::wstring& name) const { return FindSubControlByName(nullptr, name); }

CControlUI* CPaintManagerUI::FindControl(UIPoint pt) const { return FindSubControlByPoint(nullptr, pt); }

CControlUI* CPaintManagerUI::FindSubControlByPoint(CControlUI* parent, UIPoint pt) const
{
    CControlUI* start = parent != nullptr ? parent : m_root;
    if (start == nullptr)
        return nullptr;
    return start->FindControl(MatchAny, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* parent, const std::wstring& name) const
{
    CControlUI* start = parent != nullptr ? parent : m_root;
    if (start == nullptr || name.empty())
        return nullptr;
    NameQuery query{&name};
    return start->FindControl(MatchName, &query, UIFIND_ALL | UIFIND_ME_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByClass(CControlUI* parent, std::wstring_view className, int index) const
{
    CControlUI* start = parent != nullptr ? parent : m_root;
    if (start == nullptr || index < 0)
        return nullptr;
    ClassQuery query{className, index, nullptr};
    return start->FindControl(MatchClass, &query, UIFIND_ALL | UIFIND_ME_FIRST);
}

std::vector<CControlUI*> CPaintManagerUI::FindSubControlsByClass(CControlUI* parent, std::wstring_view className) const
{
    std::vector<CControlUI*> all;
    CControlUI* start = parent != nullptr ? parent : m_root;
    if (start == nullptr)
        return all;
    ClassQuery query{className, 0, &all};
    start->FindControl(MatchClass, &query, UIFIND_ALL | UIFIND_ME_FIRST);
    return all;
}

// ---- notifications and message filters -------------------------------------------------------

namespace {
template <typename T>
bool AddUnique(std::vector<T*>& list, T* item)
{
    if (item == nullptr || std::find(list.begin(), list.end(), item) != list.end())
        return false;
    list.push_back(item);
    return true;
}
template <typename T>
bool RemoveItem(std::vector<T*>& list, T* item)
{
    const auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}
}  // namespace

bool CPaintManagerUI::AddNotifier(INotifyUI* notifier) { return AddUnique(m_notifiers, notifier); }
bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) { return RemoveItem(m_notifiers, notifier); }
bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI* filter) { return AddUnique(m_preFilters, filter); }
bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI* filter) { return RemoveItem(m_preFilters, filter); }
bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter) { return AddUnique(m_filters, filter); }
bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter) { return RemoveItem(m_filters, filter); }

void CPaintManagerUI::SendNotify(TNotifyUI& msg, bool async)
{
    msg.ptMouse = m_mousePos;
    msg.dwTimestamp = GetTickCount();
    if (msg.sVirtualWnd.empty() && msg.pSender != nullptr)
        msg.sVirtualWnd = msg.pSender->GetVirtualWnd();
    if (async) {
        m_asyncNotifies.push_back(msg);
        if (!m_asyncPosted && m_host != nullptr) {
            m_asyncPosted = true;
            m_host->PostMessage(kMsgAsyncNotify, 0, 0);
        }
        return;
    }
    DispatchScope scope(m_dispatchDepth);
    if (msg.pSender != nullptr)
        msg.pSender->CallNotifyHandlers(msg);
    // A notifier may add or remove notifiers while it runs; removed ones are not called.
    const std::vector<INotifyUI*> notifiers = m_notifiers;
    for (INotifyUI* notifier : notifiers) {
        if (std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end())
            notifier->Notify(msg);
    }
}

void CPaintManagerUI::SendNotify(CControlUI* control, std::wstring_view type, WPARAM wParam, LPARAM lParam, bool async)
{
    TNotifyUI msg;
    msg.sType = std::wstring(type);
    msg.pSender = control;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, async);
}

void CPaintManagerUI::DeliverAsyncNotifies()
{
    m_asyncPosted = false;
    // Only what was queued before this delivery; notifications queued by the handlers wait for
    // the next round, so a handler that re-queues cannot spin here.
    size_t count = m_asyncNotifies.size();
    while (count-- > 0 && !m_asyncNotifies.empty()) {
        TNotifyUI msg = m_asyncNotifies.front();
        m_asyncNotifies.erase(m_asyncNotifies.begin());
        SendNotify(msg, false);
    }
    if (!m_asyncNotifies.empty() && !m_asyncPosted && m_host != nullptr) {
        m_asyncPosted = true;
        m_host->PostMessage(kMsgAsyncNotify, 0, 0);
    }
}

// ---- messages ---------------------------------------------------------------------------------

bool CPaintManagerUI::PreMessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const std::vector<IMessageFilterUI*> filters = m_preFilters;
    for (IMessageFilterUI* filter : filters) {
        bool handled = false;
        const LRESULT r = filter->MessageHandler(msg, wParam, lParam, handled);
        if (handled) {
            result = r;
            return true;
        }
    }
    return false;
}

uint16_t CPaintManagerUI::KeyState() const
{
    uint16_t state = 0;
    if (m_shiftDown)
        state |= UIKEYSTATE_SHIFT;
    if (m_controlDown)
        state |= UIKEYSTATE_CONTROL;
    if (m_altDown)
        state |= UIKEYSTATE_ALT;
    if (m_pushed != nullptr)
        state |= UIKEYSTATE_LBUTTON;
    return state;
}

TEventUI CPaintManagerUI::MakeEvent(UIEventType type, UIPoint pt, WPARAM wParam, LPARAM lParam) const
{
    TEventUI event;
    event.Type = type;
    event.ptMouse = pt;
    event.wParam = wParam;
    event.lParam = lParam;
    event.wKeyState = KeyState();
    event.dwTimestamp = GetTickCount();
    return event;
}

bool CPaintManagerUI::IsEffectivelyEnabled(const CControlUI* control)
{
    for (const CControlUI* c = control; c != nullptr; c = c->GetParent()) {
        if (!c->IsEnabled())
            return false;
    }
    return control != nullptr;
}

void CPaintManagerUI::Dispatch(CControlUI* control, TEventUI& event)
{
    if (control == nullptr)
        return;
    event.pSender = control;
    control->Event(event);
}

bool CPaintManagerUI::MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    bool handled = false;
    {
        DispatchScope scope(m_dispatchDepth);
        const std::vector<IMessageFilterUI*> filters = m_filters;
        for (IMessageFilterUI* filter : filters) {
            bool filterHandled = false;
            const LRESULT r = filter->MessageHandler(msg, wParam, lParam, filterHandled);
            if (filterHandled) {
                result = r;
                handled = true;
                break;
            }
        }
        if (!handled) {
            switch (msg) {
            case kMsgAsyncNotify:
                DeliverAsyncNotifies();
                handled = true;
                break;
            case WM_SIZE: {
                const UISize size{LoWord(static_cast<uintptr_t>(lParam)), HiWord(static_cast<uintptr_t>(lParam))};
                if (!(size == m_lastClientSize)) {
                    m_lastClientSize = size;
                    NeedUpdate();
                    if (m_root != nullptr)
                        SendNotify(m_root, notify::kWindowSize, 0, 0, true);
                }
                break;
            }
            case WM_TIMER:
                handled = HandleTimer(wParam);
                break;
            case WM_MOUSEMOVE:
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
            case WM_MOUSEWHEEL:
            case WM_MOUSELEAVE:
            case WM_SETCURSOR:
                handled = HandleMouse(msg, wParam, lParam);
                break;
            case WM_KEYDOWN:
            case WM_KEYUP:
            case WM_SYSKEYDOWN:
            case WM_SYSKEYUP:
            case WM_CHAR:
            case WM_IME_COMPOSITION:
                handled = HandleKey(msg, wParam, lParam);
                break;
            case WM_KILLFOCUS:
                // The window lost the keyboard (and so the pointer grab): a press in progress
                // ends without a click, and modifier keys count as released.
                m_shiftDown = m_controlDown = m_altDown = false;
                if (m_pushed != nullptr) {
                    CControlUI* pushed = m_pushed;
                    m_pushed = nullptr;
                    ReleaseCapture();
                    TEventUI event = MakeEvent(UIEventType::ButtonUp, kNowhere);
                    Dispatch(pushed, event);
                }
                break;
            default:
                break;
            }
        }
    }
    if (m_dispatchDepth == 0)
        FlushDelayedCleanup();
    return handled;
}

void CPaintManagerUI::SetHover(CControlUI* control, UIPoint pt, WPARAM /*keyState*/)
{
    if (control == m_hover)
        return;
    CControlUI* old = m_hover;
    m_hover = control;
    if (old != nullptr) {
        TEventUI leave = MakeEvent(UIEventType::MouseLeave, pt);
        Dispatch(old, leave);
    }
    // The handlers above may have removed the new hover control from the tree.
    if (m_hover == control && control != nullptr && IsEffectivelyEnabled(control)) {
        TEventUI enter = MakeEvent(UIEventType::MouseEnter, pt);
        Dispatch(control, enter);
    }
}

bool CPaintManagerUI::HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_root == nullptr)
        return false;
    const UIPoint pt{GetXLParam(lParam), GetYLParam(lParam)};
    switch (msg) {
    case WM_MOUSEMOVE: {
        m_mousePos = pt;
        if (m_pushed != nullptr) {
            // The control that got the press gets every move until the release.
            TEventUI event = MakeEvent(UIEventType::MouseMove, pt, wParam);
            Dispatch(m_pushed, event);
            return true;
        }
        SetHover(FindControl(pt), pt, wParam);
        if (m_hover != nullptr && IsEffectivelyEnabled(m_hover)) {
            TEventUI event = MakeEvent(UIEventType::MouseMove, pt, wParam);
            Dispatch(m_hover, event);
        }
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        m_mousePos = pt;
        CControlUI* control = FindControl(pt);
        SetHover(control, pt, wParam);
        if (control == nullptr || !IsEffectivelyEnabled(control))
            return true;
        SetFocus(control);
        // Focus handlers may have removed the control.
        if (FindControl(pt) != control)
            return true;
        m_pushed = control;
        SetCapture();
        TEventUI event = MakeEvent(msg == WM_LBUTTONDOWN ? UIEventType::ButtonDown : UIEventType::DblClick, pt, wParam);
        Dispatch(control, event);
        return true;
    }
    case WM_LBUTTONUP: {
        m_mousePos = pt;
        if (m_pushed == nullptr)
            return false;
        CControlUI* control = m_pushed;
        m_pushed = nullptr;
        ReleaseCapture();
        TEventUI event = MakeEvent(UIEventType::ButtonUp, pt, wParam);
        Dispatch(control, event);
        SetHover(FindControl(pt), pt, wParam);
        return true;
    }
    case WM_RBUTTONDOWN: {
        m_mousePos = pt;
        CControlUI* control = FindControl(pt);
        if (control == nullptr || !IsEffectivelyEnabled(control))
            return true;
        SetFocus(control);
        if (FindControl(pt) != control)
            return true;
        m_rightPushed = control;
        TEventUI event = MakeEvent(UIEventType::RButtonDown, pt, wParam);
        Dispatch(control, event);
        return true;
    }
    case WM_RBUTTONUP: {
        m_mousePos = pt;
        CControlUI* control = m_rightPushed;
        m_rightPushed = nullptr;
        if (control == nullptr)
            return false;
        TEventUI up = MakeEvent(UIEventType::RButtonUp, pt, wParam);
        Dispatch(control, up);
        if (m_root != nullptr && FindControl(pt) == control && IsEffectivelyEnabled(control)) {
            TEventUI menu = MakeEvent(UIEventType::ContextMenu, pt, wParam);
            Dispatch(control, menu);
        }
        return true;
    }
    case WM_MOUSEWHEEL: {
        m_mousePos = pt;
        CControlUI* control = FindControl(pt);
        if (control == nullptr || !IsEffectivelyEnabled(control))
            return true;
        const int delta = static_cast<int16_t>(HiWord(wParam));
        if (delta == 0)
            return true;
        const int steps = std::clamp(std::abs(delta) / kWheelDelta, 1, kMaxWheelSteps);
        for (int i = 0; i < steps; ++i) {
            TEventUI event = MakeEvent(UIEventType::ScrollWheel, pt, delta > 0 ? SB_LINEUP : SB_LINEDOWN, delta);
            Dispatch(control, event);
            // A handler may have removed the control.
            if (m_root == nullptr || FindControl(pt) != control)
                break;
        }
        return true;
    }
    case WM_MOUSELEAVE:
        if (m_pushed == nullptr)
            SetHover(nullptr, m_mousePos, 0);
        return false;
    case WM_SETCURSOR: {
        CControlUI* control = m_pushed != nullptr ? m_pushed : m_hover;
        if (control != nullptr && IsEffectivelyEnabled(control)) {
            TEventUI event = MakeEvent(UIEventType::SetCursor, m_mousePos);
            Dispatch(control, event);
        } else if (m_host != nullptr) {
            m_host->SetCursor(CursorShape::Arrow);
        }
        return true;
    }
    default:
        return false;
    }
}

bool CPaintManagerUI::HandleKey(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    if (msg != WM_CHAR && msg != WM_IME_COMPOSITION) {
        if (wParam == VK_SHIFT)
            m_shiftDown = down;
        else if (wParam == VK_CONTROL)
            m_controlDown = down;
        else if (wParam == VK_MENU)
            m_altDown = down;
    }
    if (msg == WM_KEYDOWN && wParam == VK_TAB) {
        SetNextTabControl(!m_shiftDown);
        return true;
    }
    if (msg == WM_CHAR && wParam == VK_TAB)
        return true;
    CControlUI* focus = m_focus;
    if (focus == nullptr || !focus->IsVisible() || !IsEffectivelyEnabled(focus) || !focus->IsKeyboardEnabled())
        return false;
    UIEventType type = UIEventType::KeyDown;
    if (msg == WM_KEYUP || msg == WM_SYSKEYUP)
        type = UIEventType::KeyUp;
    else if (msg == WM_CHAR)
        type = UIEventType::Char;
    else if (msg == WM_IME_COMPOSITION)
        type = UIEventType::ImeComposition;
    TEventUI event = MakeEvent(type, m_mousePos, wParam, lParam);
    event.chKey = static_cast<wchar_t>(wParam);
    Dispatch(focus, event);
    return true;
}

bool CPaintManagerUI::HandleTimer(WPARAM id)
{
    if (id < kControlTimerBase)
        return false;
    const auto it = std::find_if(m_timers.begin(), m_timers.end(), [id](const TimerInfo& t) { return t.windowId == id; });
    if (it == m_timers.end()) {
        // A timer of ours that was killed while its message was queued.
        if (m_host != nullptr)
            m_host->KillTimer(static_cast<UINT>(id));
        return true;
    }
    TEventUI event = MakeEvent(UIEventType::Timer, m_mousePos, it->localId);
    Dispatch(it->control, event);
    return true;
}

UIRect CPaintManagerUI::RootRect() const
{
    UIRect rc = m_host->GetClientRect();
    rc.Deflate(m_root->GetPadding());
    return rc;
}

void CPaintManagerUI::UpdateLayout()
{
    if (m_root == nullptr || m_host == nullptr)
        return;
    const UIRect rc = RootRect();
    if (!m_updateNeeded && !m_root->IsUpdateNeeded() && m_root->GetPos() == rc)
        return;
    m_inLayout = true;
    m_root->SetPos(rc, false);
    m_inLayout = false;
    // Requests made by the layout itself are satisfied by it; clearing them here is what keeps
    // an idle window from laying out (and repainting) forever.
    m_updateNeeded = false;
    m_root->ClearUpdateNeeded();
}

void CPaintManagerUI::Paint(IRenderContext& context, const UIRect& invalid)
{
    if (m_root == nullptr)
        return;
    const bool relayout = m_host != nullptr && (m_updateNeeded || m_root->IsUpdateNeeded() || !(m_root->GetPos() == RootRect()));
    UpdateLayout();
    UIRect area = invalid;
    if (relayout && m_host != nullptr)
        area = m_host->GetClientRect();
    if (area.IsEmpty() || !m_root->IsVisible())
        return;
    context.PushClip(area);
    m_root->DoPaint(context, area);
    context.PopClip();
}

void CPaintManagerUI::NeedUpdate()
{
    m_updateNeeded = true;
    if (!m_inLayout)
        Invalidate();
}

// ---- focus, hover, capture --------------------------------------------------------------------

void CPaintManagerUI::SetFocus(CControlUI* control)
{
    if (control == m_focus)
        return;
    if (control != nullptr && (!control->IsVisible() || !IsEffectivelyEnabled(control)))
        return;
    CControlUI* old = m_focus;
    m_focus = nullptr;
    if (old != nullptr) {
        TEventUI kill = MakeEvent(UIEventType::KillFocus, m_mousePos);
        kill.wParam = reinterpret_cast<WPARAM>(control);
        Dispatch(old, kill);
        SendNotify(old, notify::kKillFocus);
    }
    // A killfocus handler may have moved the focus itself, or removed the new control.
    if (m_focus != nullptr || control == nullptr || (m_root != nullptr && !IsWithin(control, m_root)))
        return;
    m_focus = control;
    TEventUI set = MakeEvent(UIEventType::SetFocus, m_mousePos);
    set.wParam = reinterpret_cast<WPARAM>(old);
    Dispatch(control, set);
    if (m_focus == control)
        SendNotify(control, notify::kSetFocus);
}

bool CPaintManagerUI::SetNextTabControl(bool forward)
{
    if (m_root == nullptr)
        return false;
    std::vector<CControlUI*> stops;
    TabQuery query{&stops};
    m_root->FindControl(CollectTabStops, &query, UIFIND_VISIBLE | UIFIND_ENABLED | UIFIND_ME_FIRST);
    if (stops.empty())
        return false;
    const auto it = std::find(stops.begin(), stops.end(), m_focus);
    size_t next = 0;
    if (it == stops.end()) {
        next = forward ? 0 : stops.size() - 1;
    } else {
        const size_t at = static_cast<size_t>(it - stops.begin());
        next = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
    }
    SetFocus(stops[next]);
    return m_focus == stops[next];
}

void CPaintManagerUI::SetCapture()
{
    if (m_captured)
        return;
    m_captured = true;
    if (m_host != nullptr)
        m_host->SetCapture(true);
}

void CPaintManagerUI::ReleaseCapture()
{
    if (!m_captured)
        return;
    m_captured = false;
    if (m_host != nullptr)
        m_host->SetCapture(false);
}

// ---- control timers ---------------------------------------------------------------------------

bool CPaintManagerUI::SetTimer(CControlUI* control, UINT id, UINT elapseMs)
{
    if (control == nullptr || m_host == nullptr)
        return false;
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [&](const TimerInfo& t) { return t.control == control && t.localId == id; });
    if (it == m_timers.end()) {
        if (m_nextTimerId == UINT_MAX)
            return false;
        m_timers.push_back({control, id, m_nextTimerId++});
        it = m_timers.end() - 1;
    }
    if (!m_host->SetTimer(it->windowId, elapseMs)) {
        m_timers.erase(it);
        return false;
    }
    return true;
}

bool CPaintManagerUI::KillTimer(CControlUI* control, UINT id)
{
    const auto it = std::find_if(m_timers.begin(), m_timers.end(),
                                 [&](const TimerInfo& t) { return t.control == control && t.localId == id; });
    if (it == m_timers.end())
        return false;
    if (m_host != nullptr)
        m_host->KillTimer(it->windowId);
    m_timers.erase(it);
    return true;
}

void CPaintManagerUI::KillTimer(CControlUI* control)
{
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->control == control) {
            if (m_host != nullptr)
                m_host->KillTimer(it->windowId);
            it = m_timers.erase(it);
        } else {
            ++it;
        }
    }
}

void CPaintManagerUI::RemoveAllTimers()
{
    if (m_host != nullptr) {
        for (const TimerInfo& t : m_timers)
            m_host->KillTimer(t.windowId);
    }
    m_timers.clear();
}

// ---- option groups ----------------------------------------------------------------------------

bool CPaintManagerUI::AddOptionGroup(const std::wstring& group, CControlUI* control)
{
    if (control == nullptr || group.empty())
        return false;
    auto& members = m_optionGroups[group];
    if (std::find(members.begin(), members.end(), control) != members.end())
        return false;
    members.push_back(control);
    return true;
}

const std::vector<CControlUI*>* CPaintManagerUI::GetOptionGroup(const std::wstring& group) const
{
    const auto it = m_optionGroups.find(group);
    return it == m_optionGroups.end() ? nullptr : &it->second;
}

void CPaintManagerUI::RemoveOptionGroup(const std::wstring& group, CControlUI* control)
{
    const auto it = m_optionGroups.find(group);
    if (it == m_optionGroups.end())
        return;
    auto& members = it->second;
    members.erase(std::remove(members.begin(), members.end(), control), members.end());
    if (members.empty())
        m_optionGroups.erase(it);
}

void CPaintManagerUI::RemoveAllOptionGroups() { m_optionGroups.clear(); }

// ---- default attributes -----------------------------------------------------------------------

void CPaintManagerUI::AddDefaultAttributeList(const std::wstring& controlName, const std::wstring& attributes, bool shared)
{
    (shared ? SharedDefaultAttributes() : m_defaultAttributes)[ToLowerAscii(controlName)] = attributes;
}

const std::wstring* CPaintManagerUI::GetDefaultAttributeList(std::wstring_view controlName) const
{
    const std::wstring key = ToLowerAscii(controlName);
    if (const auto it = m_defaultAttributes.find(key); it != m_defaultAttributes.end())
        return &it->second;
    const auto& shared = SharedDefaultAttributes();
    if (const auto it = shared.find(key); it != shared.end())
        return &it->second;
    return nullptr;
}

void CPaintManagerUI::RemoveAllDefaultAttributeList(bool shared)
{
    (shared ? SharedDefaultAttributes() : m_defaultAttributes).clear();
}

// ---- fonts ------------------------------------------------------------------------------------

UIFontSpec CPaintManagerUI::ScaleFont(UIFontSpec fontSpec) const
{
    fontSpec.size = Scale(fontSpec.size);
    return fontSpec;
}

void CPaintManagerUI::AddFont(int id, const UIFontSpec& font, bool shared)
{
    if (shared)
        SharedFonts()[id] = font;
    else
        m_fonts[id] = FontEntry{font};
    NeedUpdate();
}

bool CPaintManagerUI::RemoveFont(int id, bool shared)
{
    const bool removed = shared ? SharedFonts().erase(id) > 0 : m_fonts.erase(id) > 0;
    if (removed)
        NeedUpdate();
    return removed;
}

void CPaintManagerUI::RemoveAllFonts(bool shared)
{
    if (shared) {
        SharedFonts().clear();
        SharedDefaultFont().reset();
    } else {
        m_fonts.clear();
        m_hasDefaultFont = false;
    }
    NeedUpdate();
}

bool CPaintManagerUI::HasFont(int id) const { return m_fonts.count(id) > 0 || SharedFonts().count(id) > 0; }

UIFontSpec CPaintManagerUI::GetFont(int id) const
{
    if (id >= 0) {
        if (const auto it = m_fonts.find(id); it != m_fonts.end())
            return ScaleFont(it->second.fontSpec);
        if (const auto it = SharedFonts().find(id); it != SharedFonts().end())
            return ScaleFont(it->second);
    }
    return GetDefaultFont();
}

void CPaintManagerUI::SetDefaultFont(const UIFontSpec& font, bool shared)
{
    if (shared) {
        SharedDefaultFont() = font;
    } else {
        m_defaultFont = font;
        m_hasDefaultFont = true;
    }
    NeedUpdate();
}

UIFontSpec CPaintManagerUI::GetDefaultFont() const
{
    if (m_hasDefaultFont)
        return ScaleFont(m_defaultFont);
    if (SharedDefaultFont())
        return ScaleFont(*SharedDefaultFont());
    return ScaleFont(UIFontSpec{});
}

// ---- images -----------------------------------------------------------------------------------

std::shared_ptr<UIImage> CPaintManagerUI::GetImage(const std::wstring& file)
{
    if (file.empty())
        return nullptr;
    if (const auto it = m_images.find(file); it != m_images.end())
        return it->second.image;
    ImageEntry entry;
    std::vector<uint8_t> bytes;
    const std::wstring path = JoinPath(GetResourcePath(), file);
    bool found = false;
    if (m_dpi > kDefaultDPI && ReadFile(HighDpiName(path), bytes)) {
        entry.scale = 2;
        found = true;
    }
    if (!found) {
        found = ReadFile(path, bytes);
        entry.scale = 1;
    }
    if (found && m_backend != nullptr)
        entry.image = m_backend->DecodeImage(bytes);
    if (!entry.image && m_missingImagesLogged.insert(file).second)
        UIDebugOutput(L"window library: image " + path + (found ? L" is not an image" : L" is missing"));
    // Failures are cached too, so a missing image costs one disk look-up, not one per paint.
    m_images[file] = entry;
    return entry.image;
}

int CPaintManagerUI::GetImageScale(const std::wstring& file) const
{
    const auto it = m_images.find(file);
    return it == m_images.end() ? 1 : it->second.scale;
}

void CPaintManagerUI::RemoveImage(const std::wstring& file) { m_images.erase(file); }

void CPaintManagerUI::RemoveAllImages() { m_images.clear(); }

void CPaintManagerUI::ResetDPIAssets() { RemoveAllImages(); }

// ---- DPI --------------------------------------------------------------------------------------

bool CPaintManagerUI::SetDPI(int dpi)
{
    if (dpi < kMinDPI || dpi > kMaxDPI)
        return false;
    if (dpi == m_dpi)
        return true;
    m_dpi = dpi;
    ResetDPIAssets();
    NeedUpdate();
    return true;
}

void CPaintManagerUI::SetAllDPI(int dpi)
{
    for (CPaintManagerUI* manager : Managers())
        manager->SetDPI(dpi);
}

UIRect CPaintManagerUI::Scale(const UIRect& rc) const
{
    return {Scale(rc.left), Scale(rc.top), Scale(rc.right), Scale(rc.bottom)};
}

UISize CPaintManagerUI::Scale(UISize size) const { return {Scale(size.cx), Scale(size.cy)}; }

// ---- window properties ------------------------------------------------------------------------

bool CPaintManagerUI::IsCaptionPoint(UIPoint pt) const
{
    const UIRect caption = GetCaptionRect();
    const UISize client = GetClientSize();
    const UIRect area{caption.left, caption.top, client.cx - caption.right, caption.bottom};
    if (!area.Contains(pt))
        return false;
    const CControlUI* control = FindControl(pt);
    return control == nullptr || (control->GetControlFlags() & (UIFLAG_TABSTOP | UIFLAG_SETCURSOR)) == 0;
}

// ---- repaint ----------------------------------------------------------------------------------

void CPaintManagerUI::Invalidate()
{
    if (m_host != nullptr)
        m_host->Invalidate(m_host->GetClientRect());
}

void CPaintManagerUI::Invalidate(const UIRect& rc)
{
    if (m_host != nullptr && !rc.IsEmpty())
        m_host->Invalidate(rc);
}

}  // namespace dw::ui
