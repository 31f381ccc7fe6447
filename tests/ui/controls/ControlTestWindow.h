#pragma once

// A skinned window on the headless backend for driving the richer controls by name: built from
// an XML layout given as text, with text metrics of fixed width so caret and wrap positions are
// exact, and a journal of every notification (except timers) in the order it was raised.

#include <memory>
#include <string>
#include <vector>

#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIMessages.h"
#include "ui/core/WindowImplBase.h"

#include "FixedTextMetrics.h"

namespace dw::ui::test {

class FixedMetricsBackend : public headless::CHeadlessBackend {
public:
    ITextMetrics& GetTextMetrics() override { return m_metrics; }

private:
    FixedTextMetrics m_metrics;
};

struct Note {
    std::wstring type;
    std::wstring sender;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class ControlTestWindow : public WindowImplBase {
public:
    explicit ControlTestWindow(std::wstring xml) : m_xml(std::move(xml)) {}

    void Notify(TNotifyUI& msg) override
    {
        if (msg.sType != notify::kTimer)
            journal.push_back({msg.sType, msg.pSender != nullptr ? msg.pSender->GetName() : L"", msg.wParam, msg.lParam});
        WindowImplBase::Notify(msg);
    }

    std::vector<Note> journal;

protected:
    std::wstring GetSkinFile() override { return m_xml; }

private:
    std::wstring m_xml;
};

// Builds body inside a vertical root of a 400 x 300 window at (100, 100) on the virtual screen.
class ControlHarness {
public:
    explicit ControlHarness(const std::wstring& body, const std::wstring& rootAttributes = L"")
        : m_loop(m_backend)
    {
        const std::wstring xml = L"<Window size=\"400,300\"><VerticalLayout name=\"root\" " + rootAttributes + L">" +
                                 body + L"</VerticalLayout></Window>";
        m_window = std::make_unique<ControlTestWindow>(xml);
        m_window->Create(m_loop, nullptr, L"controls", WS_POPUP | WS_VISIBLE, 0, {100, 100, 500, 400});
        m_loop.RunUntilIdle();
        Manager().UpdateLayout();
        m_window->journal.clear();
    }

    ~ControlHarness()
    {
        if (m_window)
            m_window->DestroyWindow();
        m_loop.RunUntilIdle();
    }

    FixedMetricsBackend& Backend() { return m_backend; }
    CMessageLoop& Loop() { return m_loop; }
    ControlTestWindow& Window() { return *m_window; }
    HWND Hwnd() const { return m_window->GetHWND(); }
    CPaintManagerUI& Manager() { return m_window->GetPaintManager(); }
    std::vector<Note>& Journal() { return m_window->journal; }

    template <class T>
    T* Find(const std::wstring& name)
    {
        return dynamic_cast<T*>(Manager().FindControl(name));
    }

    static UIPoint Center(const CControlUI* control)
    {
        const UIRect& rc = control->GetPos();
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }

    void Click(UIPoint pt) { m_backend.Click(Hwnd(), pt); }
    void Click(const CControlUI* control) { Click(Center(control)); }
    void Key(UINT vk, wchar_t typed = 0) { m_backend.KeyPress(Hwnd(), vk, typed); }
    // A key with modifiers held (VK_SHIFT, VK_CONTROL).
    void Chord(std::initializer_list<UINT> modifiers, UINT vk)
    {
        for (UINT m : modifiers)
            m_backend.KeyDown(Hwnd(), m);
        m_backend.KeyPress(Hwnd(), vk);
        for (UINT m : modifiers)
            m_backend.KeyUp(Hwnd(), m);
    }
    void Type(const std::wstring& text) { m_backend.TypeText(Hwnd(), text); }

    static bool IsFocusNote(const Note& n) { return n.type == notify::kSetFocus || n.type == notify::kKillFocus; }

    // The journal without the focus notifications every pressed control causes.
    std::vector<Note> Notes() const
    {
        std::vector<Note> notes;
        for (const Note& n : m_window->journal)
            if (!IsFocusNote(n))
                notes.push_back(n);
        return notes;
    }

    // Types of the journal's notifications, optionally only those of one sender; focus
    // notifications only when asked for.
    std::vector<std::wstring> Types(const std::wstring& sender = L"", bool withFocus = false) const
    {
        std::vector<std::wstring> types;
        for (const Note& n : m_window->journal)
            if ((sender.empty() || n.sender == sender) && (withFocus || !IsFocusNote(n)))
                types.push_back(n.type);
        return types;
    }
    size_t Count(const std::wstring& type, const std::wstring& sender = L"") const
    {
        size_t count = 0;
        for (const Note& n : m_window->journal)
            if (n.type == type && (sender.empty() || n.sender == sender))
                ++count;
        return count;
    }

private:
    FixedMetricsBackend m_backend;
    CMessageLoop m_loop;
    std::unique_ptr<ControlTestWindow> m_window;
};

}  // namespace dw::ui::test
