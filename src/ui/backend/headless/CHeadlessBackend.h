#pragma once

// The backend for tests and screenshots: windows without a display, a virtual clock that only
// the test moves, rendering of a window into an image, and input injection that goes through the
// same window-message path as real input.
//
// Fonts, images and painting use Qt on an offscreen QGuiApplication, created when the process
// has no Qt application yet.
//
// Clock: GetTickCount starts at 0. AdvanceClock(ms) moves it step by step to each timer that
// becomes due and lets the attached loop run it, in order. When the loop itself would wait for
// a timer (Run, a modal window), the clock jumps to that timer at once, so a modal loop driven by
// timers finishes without real waiting. A wait without a deadline blocks until Wake().
//
// Input helpers deliver their messages synchronously, then let the attached loop handle what
// they queued (RunUntilIdle). A helper that opens a modal window returns when it closes.

#include <QImage>

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "ui/backend/qt/CQtTextMetrics.h"
#include "ui/core/IUIBackend.h"

class QGuiApplication;

namespace dw::ui::headless {

class CHeadlessWindowHost;

class CHeadlessBackend : public IUIBackend {
public:
    // Screen of the virtual display.
    static constexpr int kScreenWidth = 1920;
    static constexpr int kScreenHeight = 1080;
    static constexpr int kTaskbarHeight = 40;

    CHeadlessBackend();
    ~CHeadlessBackend() override;
    CHeadlessBackend(const CHeadlessBackend&) = delete;
    CHeadlessBackend& operator=(const CHeadlessBackend&) = delete;

    std::unique_ptr<IWindowHost> CreateWindowHost(CWindowWnd& window, const WindowCreateParams& params,
                                                  PaintCallback paint) override;
    std::shared_ptr<UIImage> DecodeImage(const std::vector<uint8_t>& bytes) override;
    ITextMetrics& GetTextMetrics() override { return m_metrics; }
    bool AddFontFile(const std::wstring& path) override;
    std::vector<std::wstring> GetFontFamilies() override;
    uint64_t GetTickCount() override { return m_clock.load(); }
    void WaitForEvents(int timeoutMs) override;
    void Wake() override;
    std::wstring GetClipboardText() override;
    void SetClipboardText(const std::wstring& text) override;
    UIRect GetScreenWorkArea(UIPoint near) override;
    UIRect GetScreenRect(UIPoint near) override;
    UISize GetScreenSizeMillimetres(UIPoint near) override;
    std::wstring OpenFileDialog(HWND owner, const std::wstring& title, const std::vector<FileDialogFilter>& filters,
                                const std::wstring& startFolder) override;
    std::wstring SaveFileDialog(HWND owner, const std::wstring& title, const std::vector<FileDialogFilter>& filters,
                                const std::wstring& startFolder, const std::wstring& suggestedName) override;
    std::unique_ptr<ITrayIcon> CreateTrayIcon(std::function<void(TrayEvent, UIPoint screenPos)> onEvent) override;
    void AttachMessageLoop(CMessageLoop* loop) override { m_loop = loop; }
    bool SaveWindowImage(HWND hwnd, const std::string& pngPath) override { return SavePng(hwnd, pngPath); }

    // ---- clock ------------------------------------------------------------------------------
    void AdvanceClock(uint64_t ms);

    // ---- windows ----------------------------------------------------------------------------
    CHeadlessWindowHost* GetHost(HWND hwnd) const;
    // The window that has the keyboard focus (the last one shown or activated), or null.
    HWND GetActiveWindow() const { return m_active; }
    // Renders the whole window at its device pixel ratio; a null image for a gone window.
    QImage RenderToImage(HWND hwnd);
    bool SavePng(HWND hwnd, const std::string& path);

    // Paints every shown window that asked for a repaint, as a display does before the next
    // input arrives (the input helpers call it first). The picture is kept as the last frame.
    void FlushPaints();
    // The last frame painted by FlushPaints or RenderToImage; null before the first.
    QImage GetLastFrame(HWND hwnd) const;

    // ---- input (window coordinates) ---------------------------------------------------------
    void MouseMove(HWND hwnd, UIPoint pt, WPARAM keyState = 0);
    void MouseDown(HWND hwnd, UIPoint pt, bool right = false);
    void MouseUp(HWND hwnd, UIPoint pt, bool right = false);
    // Move, press and release at the point.
    void Click(HWND hwnd, UIPoint pt, bool right = false);
    // Press, release, double click, release, as a double click arrives.
    void DoubleClick(HWND hwnd, UIPoint pt);
    // delta in 120ths of a notch, positive away from the user.
    void Wheel(HWND hwnd, UIPoint pt, int delta);
    void KeyDown(HWND hwnd, UINT vk);
    void KeyUp(HWND hwnd, UINT vk);
    // Key down, the character it types (if any), key up.
    void KeyPress(HWND hwnd, UINT vk, wchar_t typed = 0);
    // WM_CHAR for every character, as typing or an input method commit delivers them.
    void TypeText(HWND hwnd, const std::wstring& text);
    void MouseLeave(HWND hwnd);

    // ---- tray and dialogs -------------------------------------------------------------------
    // Clicks the tray icon created last; false when there is none.
    bool ClickTray(TrayEvent event, UIPoint screenPos = {});
    // The next file dialog answers this (empty = cancelled) and records its request.
    void SetNextFileDialogResult(const std::wstring& path) { m_nextDialogResult = path; }
    const std::wstring& GetLastFileDialogTitle() const { return m_lastDialogTitle; }
    const std::vector<FileDialogFilter>& GetLastFileDialogFilters() const { return m_lastDialogFilters; }

    // Used by the hosts.
    void RegisterHost(HWND hwnd, CHeadlessWindowHost* host);
    void UnregisterHost(HWND hwnd);
    void SetActive(HWND hwnd);

private:
    class HeadlessTray;

    LRESULT Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Settle();

    std::unique_ptr<QGuiApplication> m_ownedApp;
    qt::CQtTextMetrics m_metrics;
    std::atomic<uint64_t> m_clock{0};
    std::mutex m_wakeMutex;
    std::condition_variable m_wakeCondition;
    bool m_wakePending = false;
    CMessageLoop* m_loop = nullptr;
    std::map<HWND, CHeadlessWindowHost*> m_hosts;
    std::map<HWND, QImage> m_frames;
    HWND m_active = nullptr;
    std::wstring m_clipboard;
    std::wstring m_nextDialogResult;
    std::wstring m_lastDialogTitle;
    std::vector<FileDialogFilter> m_lastDialogFilters;
    HeadlessTray* m_tray = nullptr;
};

}  // namespace dw::ui::headless
