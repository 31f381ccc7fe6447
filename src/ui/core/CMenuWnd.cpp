#include "ui/core/CMenuWnd.h"

#include <algorithm>
#include <cwctype>

#include "ui/core/CButtonUI.h"
#include "ui/core/CContainerUI.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CVerticalLayoutUI.h"

namespace dw::ui {

namespace {

bool EqualsNoCase(const std::wstring& a, std::wstring_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

constexpr const wchar_t* kMenuElementClass = L"MenuElement";

}  // namespace

bool CMenuWnd::Init(CWindowWnd& owner, const std::wstring& xml, UIPoint point, UINT alignment)
{
    if (owner.GetMessageLoop() == nullptr)
        return false;
    return Init(*owner.GetMessageLoop(), owner.GetHWND(), xml, point, alignment);
}

bool CMenuWnd::Init(CMessageLoop& loop, HWND owner, const std::wstring& xml, UIPoint point, UINT alignment)
{
    DestroyWindow();
    m_xml = xml;
    m_owner = owner;
    m_chosen = false;
    if (!Create(loop, owner, L"menu", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, {point.x, point.y, point.x + 1, point.y + 1}))
        return false;
    const UISize size = MeasureMenu();
    MoveWindow(PlaceMenu(point, alignment, size, loop.GetBackend().GetScreenWorkArea(point)));
    ShowWindow(true, true);
    return true;
}

UISize CMenuWnd::MeasureMenu()
{
    const UISize fromLayout = m_pm.GetInitSize();
    if (fromLayout.cx > 0 && fromLayout.cy > 0)
        return fromLayout;
    CControlUI* root = m_pm.GetRoot();
    int width = root != nullptr && root->GetFixedWidth() > 0 ? root->GetFixedWidth() : m_pm.Scale(kDefaultWidth);
    int height = 0;
    if (auto* container = dynamic_cast<CContainerUI*>(root); container != nullptr) {
        for (int i = 0; i < container->GetCount(); ++i) {
            CControlUI* item = container->GetItemAt(i);
            if (item == nullptr || !item->IsVisible())
                continue;
            height += item->GetFixedHeight() > 0 ? item->GetFixedHeight() : m_pm.Scale(kDefaultItemHeight);
            width = std::max(width, item->GetFixedWidth());
        }
    }
    return {width, std::max(height, 1)};
}

UIRect CMenuWnd::PlaceMenu(UIPoint point, UINT alignment, UISize size, const UIRect& workArea)
{
    int left = (alignment & kAlignRight) != 0 && (alignment & kAlignLeft) == 0 ? point.x - size.cx : point.x;
    int top = (alignment & kAlignBottom) != 0 && (alignment & kAlignTop) == 0 ? point.y - size.cy : point.y;
    if (!workArea.IsEmpty()) {
        left = std::max(workArea.left, std::min(left, workArea.right - size.cx));
        top = std::max(workArea.top, std::min(top, workArea.bottom - size.cy));
    }
    return {left, top, left + size.cx, top + size.cy};
}

CControlUI* CMenuWnd::CreateControl(const std::wstring& className)
{
    if (EqualsNoCase(className, L"Menu"))
        return new CVerticalLayoutUI();
    if (EqualsNoCase(className, kMenuElementClass))
        return new CButtonUI();
    return nullptr;
}

void CMenuWnd::Notify(TNotifyUI& msg)
{
    if (msg.sType == notify::kClick && msg.pSender != nullptr && !m_chosen) {
        m_chosen = true;
        CMessageLoop* loop = GetMessageLoop();
        auto name = std::make_shared<const std::wstring>(msg.pSender->GetName());
        const WPARAM wParam = reinterpret_cast<WPARAM>(name.get());
        if (loop != nullptr && loop->IsWindow(m_owner))
            loop->PostMessageOwning(m_owner, WM_MENUCLICK, wParam, 0, std::move(name));
        Close();
        return;
    }
    WindowImplBase::Notify(msg);
}

LRESULT CMenuWnd::HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM /*lParam*/, bool& handled)
{
    handled = false;
    if ((msg == WM_ACTIVATE && wParam == WA_INACTIVE) || (msg == WM_KEYDOWN && wParam == VK_ESCAPE)) {
        Close();
        handled = msg == WM_KEYDOWN;
    }
    return 0;
}

}  // namespace dw::ui
