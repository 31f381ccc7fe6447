#pragma once

// A paint manager on a fake window: deterministic text metrics, a virtual clock, window timers
// fired by advancing it, posted messages pumped on demand, and helpers that drive controls by
// name as a user would (move, press, release, keys). Every notification is recorded.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/core/CControlUI.h"
#include "ui/core/CDialogBuilder.h"
#include "ui/core/CNotifyPump.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/IPaintHost.h"
#include "ui/core/IUIBackend.h"
#include "ui/core/UIMessages.h"

namespace dw::ui {
// Readable rectangles in failure messages.
inline void PrintTo(const UIRect& rc, std::ostream* os)
{
    *os << "{" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << "}";
}
}  // namespace dw::ui

namespace dw::ui::test {

// Every character is 7 pixels wide; a line is as high as the font size.
class FakeTextMetrics : public ITextMetrics {
public:
    static constexpr int kCharWidth = 7;
    UISize MeasureText(const std::wstring& text, const UIFontSpec& font, UINT style, int maxWidth) override
    {
        const int width = static_cast<int>(text.size()) * kCharWidth;
        if ((style & text::kWordBreak) != 0 && maxWidth > 0 && width > maxWidth) {
            const int lines = (width + maxWidth - 1) / maxWidth;
            return {maxWidth, lines * font.size};
        }
        return {width, font.size};
    }
    int LineHeight(const UIFontSpec& font) override { return font.size; }
};

class FakeImage : public UIImage {
public:
    FakeImage(int w, int h) : m_w(w), m_h(h) {}
    int GetWidth() const override { return m_w; }
    int GetHeight() const override { return m_h; }
    UIColor GetPixel(int, int) const override { return 0xFFFFFFFF; }

private:
    int m_w;
    int m_h;
};

// Images are files whose bytes are "IMG <w> <h>".
class FakeBackend : public IUIBackend {
public:
    std::unique_ptr<IWindowHost> CreateWindowHost(CWindowWnd&, const WindowCreateParams&, PaintCallback) override
    {
        return nullptr;
    }
    std::shared_ptr<UIImage> DecodeImage(const std::vector<uint8_t>& bytes) override
    {
        const std::string text(bytes.begin(), bytes.end());
        int w = 0;
        int h = 0;
        if (std::sscanf(text.c_str(), "IMG %d %d", &w, &h) != 2)
            return nullptr;
        ++decodeCount;
        return std::make_shared<FakeImage>(w, h);
    }
    ITextMetrics& GetTextMetrics() override { return metrics; }
    bool AddFontFile(const std::wstring&) override { return false; }
    std::vector<std::wstring> GetFontFamilies() override { return {}; }
    uint64_t GetTickCount() override { return now; }
    void WaitForEvents(int) override {}
    void Wake() override {}
    std::wstring GetClipboardText() override { return clipboard; }
    void SetClipboardText(const std::wstring& text) override { clipboard = text; }
    UIRect GetScreenWorkArea(UIPoint) override { return {0, 0, 1920, 1040}; }
    UIRect GetScreenRect(UIPoint) override { return {0, 0, 1920, 1080}; }
    UISize GetScreenSizeMillimetres(UIPoint) override { return {}; }
    std::wstring OpenFileDialog(HWND, const std::wstring&, const std::vector<FileDialogFilter>&, const std::wstring&) override
    {
        return {};
    }
    std::wstring SaveFileDialog(HWND, const std::wstring&, const std::vector<FileDialogFilter>&, const std::wstring&,
                                const std::wstring&) override
    {
        return {};
    }
    std::unique_ptr<ITrayIcon> CreateTrayIcon(std::function<void(TrayEvent, UIPoint)>) override { return nullptr; }

    FakeTextMetrics metrics;
    uint64_t now = 1000;
    int decodeCount = 0;
    std::wstring clipboard;
};

class FakeHost : public IPaintHost {
public:
    UIRect GetClientRect() const override { return client; }
    void Invalidate(const UIRect& rc) override { invalid = invalid.Union(rc); ++invalidateCount; }
    void SetCapture(bool capture) override { captured = capture; }
    void SetCursor(CursorShape shape) override { cursor = shape; }
    bool SetTimer(UINT id, UINT elapseMs) override
    {
        timers[id] = {elapseMs, *now + elapseMs};
        return true;
    }
    void KillTimer(UINT id) override { timers.erase(id); }
    void PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) override { posted.push_back({msg, wParam, lParam}); }
    void SetImeCursorRect(const UIRect&) override {}

    struct Timer {
        UINT period;
        uint64_t due;
    };
    struct Posted {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    const uint64_t* now = nullptr;
    UIRect client{0, 0, 400, 300};
    UIRect invalid;
    int invalidateCount = 0;
    bool captured = false;
    CursorShape cursor = CursorShape::Arrow;
    std::map<UINT, Timer> timers;
    std::vector<Posted> posted;
};

struct RecordedNotify {
    std::wstring type;
    std::wstring sender;
    WPARAM wParam = 0;
};

class UITestWindow : public INotifyUI {
public:
    explicit UITestWindow(int width = 400, int height = 300)
    {
        host.now = &backend.now;
        host.client = {0, 0, width, height};
        manager.Init(reinterpret_cast<HWND>(static_cast<uintptr_t>(1)), backend, host, L"test");
        manager.AddNotifier(this);
    }
    ~UITestWindow() override { manager.RemoveNotifier(this); }

    void Notify(TNotifyUI& msg) override
    {
        notifications.push_back({msg.sType, msg.pSender != nullptr ? msg.pSender->GetName() : L"", msg.wParam});
    }

    // Builds the layout, attaches it, delivers "windowinit" and lays it out.
    CControlUI* Load(const std::wstring& xml, IDialogBuilderCallback* callback = nullptr)
    {
        CControlUI* root = builder.Create(xml, {}, callback, &manager);
        if (root != nullptr)
            manager.AttachDialog(root);
        Pump();
        manager.UpdateLayout();
        return root;
    }

    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        LRESULT result = 0;
        manager.MessageHandler(msg, wParam, lParam, result);
        return result;
    }

    void Pump()
    {
        while (!host.posted.empty()) {
            const auto msg = host.posted.front();
            host.posted.erase(host.posted.begin());
            Send(msg.msg, msg.wParam, msg.lParam);
        }
    }

    // Moves the virtual clock, firing every window timer that comes due, in order.
    void Advance(uint64_t ms)
    {
        const uint64_t end = backend.now + ms;
        while (true) {
            auto next = std::min_element(host.timers.begin(), host.timers.end(),
                                         [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
            if (next == host.timers.end() || next->second.due > end)
                break;
            backend.now = next->second.due;
            next->second.due += std::max<UINT>(next->second.period, 1);
            Send(WM_TIMER, next->first);
            Pump();
        }
        backend.now = end;
    }

    CControlUI* Find(const std::wstring& name) const { return manager.FindControl(name); }

    static UIPoint Center(const CControlUI* control)
    {
        const UIRect& rc = control->GetPos();
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    void MoveTo(UIPoint pt) { Send(WM_MOUSEMOVE, 0, MakeLParam(pt.x, pt.y)); }
    void Press(UIPoint pt)
    {
        MoveTo(pt);
        Send(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(pt.x, pt.y));
    }
    void Release(UIPoint pt)
    {
        MoveTo(pt);
        Send(WM_LBUTTONUP, 0, MakeLParam(pt.x, pt.y));
    }
    void Click(const std::wstring& name)
    {
        const UIPoint pt = Center(Find(name));
        Press(pt);
        Release(pt);
        Pump();
    }
    void Key(UINT vk)
    {
        Send(WM_KEYDOWN, vk);
        Send(WM_KEYUP, vk);
        Pump();
    }

    std::vector<std::wstring> Types() const
    {
        std::vector<std::wstring> out;
        for (const auto& n : notifications)
            out.push_back(n.type);
        return out;
    }
    int Count(const std::wstring& type, const std::wstring& sender = {}) const
    {
        return static_cast<int>(std::count_if(notifications.begin(), notifications.end(), [&](const RecordedNotify& n) {
            return n.type == type && (sender.empty() || n.sender == sender);
        }));
    }

    FakeBackend backend;
    FakeHost host;
    CPaintManagerUI manager;
    CDialogBuilder builder;
    std::vector<RecordedNotify> notifications;
};

inline UIRect Rect(int l, int t, int r, int b) { return UIRect{l, t, r, b}; }

}  // namespace dw::ui::test
