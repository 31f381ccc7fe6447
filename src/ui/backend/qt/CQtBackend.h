#pragma once

// The Qt 6 backend: real top-level windows painted with QPainter, Qt input turned into window
// messages, screens, clipboard, private fonts, file dialogs and the tray. The message loop waits
// inside Qt's event dispatcher, so Qt's own events and ours share one wait and an idle program
// sleeps.
//
// Creates a QApplication when the process has none. Use on the UI thread only, except Wake().

#include <QElapsedTimer>
#include <QPointer>

#include <atomic>
#include <memory>
#include <unordered_map>
#include <vector>

#include "ui/backend/qt/CQtTextMetrics.h"
#include "ui/core/IUIBackend.h"

class QAbstractEventDispatcher;
class QApplication;
class QTimer;
class QWidget;

namespace dw::ui::qt {

class CQtHostWidget;
class CQtWindowHost;

class CQtBackend : public IUIBackend {
public:
    CQtBackend();
    ~CQtBackend() override;
    CQtBackend(const CQtBackend&) = delete;
    CQtBackend& operator=(const CQtBackend&) = delete;

    std::unique_ptr<IWindowHost> CreateWindowHost(CWindowWnd& window, const WindowCreateParams& params,
                                                  PaintCallback paint) override;
    std::shared_ptr<UIImage> DecodeImage(const std::vector<uint8_t>& bytes) override;
    ITextMetrics& GetTextMetrics() override { return m_metrics; }
    bool AddFontFile(const std::wstring& path) override;
    std::vector<std::wstring> GetFontFamilies() override;
    uint64_t GetTickCount() override;
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
    bool SaveWindowImage(HWND hwnd, const std::string& pngPath) override;

    // The native widget of a window (for tests that send Qt events and grab the window);
    // null for a gone or unknown handle.
    QWidget* GetNativeWidget(HWND hwnd) const;

    // Used by the window hosts.
    int& EventDepth() { return m_eventDepth; }
    CQtHostWidget* FindWidget(HWND hwnd) const;
    void RegisterHost(HWND hwnd, CQtWindowHost* host);
    void UnregisterHost(HWND hwnd);
    void RetireWidget(CQtHostWidget* widget);

    // "Profile files (*.json);;All files (*)" from the filter list.
    static QString BuildFilterString(const std::vector<FileDialogFilter>& filters);

private:
    void DeleteRetiredWidgets();

    std::unique_ptr<QApplication> m_ownedApp;
    CQtTextMetrics m_metrics;
    QElapsedTimer m_clock;
    std::atomic<bool> m_wakePending{false};
    QAbstractEventDispatcher* m_dispatcher = nullptr;
    std::unique_ptr<QTimer> m_deadline;
    int m_eventDepth = 0;
    std::vector<QPointer<CQtHostWidget>> m_retired;
    std::unordered_map<HWND, CQtWindowHost*> m_hosts;
    CMessageLoop* m_loop = nullptr;
};

}  // namespace dw::ui::qt
