#pragma once

// The services the window library takes from its backend: native windows (or headless
// surfaces), images, text metrics, the clock, the wait of the message loop, the clipboard,
// private fonts, file dialogs and the tray. Two implementations: Qt (real windows) and
// headless (tests and screenshots, virtual clock). The backend is chosen once at start-up
// and handed to the message loop, which hands it to every window it creates.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/core/IRenderContext.h"
#include "ui/core/UIDefs.h"

namespace dw::ui {

class CMessageLoop;

// Styles a window asks for when it is created.
struct WindowCreateParams {
    std::wstring caption;
    UIRect rect;            // screen position and size; empty size = backend default
    bool frameless = true;  // the skin draws its own caption
    bool toolWindow = false;  // no taskbar entry (pop-ups, menus)
    bool popup = false;       // menu or drop-down: closes when it loses activation
    bool topMost = false;
    HWND owner = nullptr;     // the window this one stays above (modal child, pop-up)
};

enum class ShowCommand { Hide, Show, ShowNoActivate, Minimize, Maximize, Restore };

enum class CursorShape { Arrow, Hand, IBeam, SizeWE, SizeNS, SizeAll, Wait };

// One native window. Created by the backend for a CWindowWnd; every input event it receives
// is turned into a window message (WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_KEYDOWN, WM_CHAR,
// WM_MOUSEWHEEL, WM_SIZE, WM_PAINT, WM_CLOSE, WM_SETFOCUS/WM_KILLFOCUS, ...) and delivered to
// its CWindowWnd on the UI thread, with coordinates in device-independent pixels of the window.
class IWindowHost {
public:
    virtual ~IWindowHost() = default;

    virtual void SetCaption(const std::wstring& caption) = 0;
    virtual void SetRect(const UIRect& screenRect) = 0;
    virtual UIRect GetRect() const = 0;  // screen coordinates
    virtual void Show(ShowCommand command) = 0;
    virtual bool IsVisible() const = 0;
    virtual bool IsMinimized() const = 0;
    virtual bool IsMaximized() const = 0;
    virtual void SetTopMost(bool topMost) = 0;
    virtual void Activate() = 0;  // raise and give the keyboard focus
    virtual void SetIcon(const std::wstring& imagePath) = 0;
    virtual void SetMinSize(UISize size) = 0;
    // Rounded window corners (the layout's roundcorner attribute); 0 for square.
    virtual void SetRoundCorner(int radius) = 0;
    // Part of the window that is not covered by any painted control is transparent.
    virtual void SetTranslucent(bool translucent) = 0;

    // Asks for a WM_PAINT covering rc (window coordinates); several requests merge.
    virtual void Invalidate(const UIRect& rc) = 0;
    virtual void SetCursor(CursorShape shape) = 0;
    virtual void SetCapture(bool capture) = 0;
    // Starts moving the window with the pointer (caption dragging).
    virtual void BeginSystemMove() = 0;
    // Input method: where the caret is, so the composition window follows it.
    virtual void SetImeCursorRect(const UIRect& rc) = 0;
    virtual double GetDevicePixelRatio() const = 0;
    // Closes the native window. The CWindowWnd delivers WM_DESTROY and WM_NCDESTROY itself.
    virtual void Destroy() = 0;
};

// Draws the whole window (or the invalid part) into a render context. The CWindowWnd gives
// this to its host; the host calls it from its paint event.
using PaintCallback = std::function<void(IRenderContext& context, const UIRect& invalid)>;

struct FileDialogFilter {
    std::wstring description;            // "Profile files"
    std::vector<std::wstring> patterns;  // {L"*.json"}
};

class ITrayIcon {
public:
    virtual ~ITrayIcon() = default;
    virtual void SetIcon(const std::wstring& imagePath) = 0;
    virtual void SetToolTip(const std::wstring& text) = 0;
    virtual void SetVisible(bool visible) = 0;
    // Screen position of the icon, where the desktop tells it; used to place the tray menu.
    virtual std::optional<UIRect> GetGeometry() const = 0;
};

// Tray events: clicks arrive on the UI thread as the callback message of the tray icon's owner.
enum class TrayEvent { LeftClick, RightClick, DoubleClick };

class IUIBackend {
public:
    virtual ~IUIBackend() = default;

    virtual std::unique_ptr<IWindowHost> CreateWindowHost(CWindowWnd& window, const WindowCreateParams& params,
                                                          PaintCallback paint) = 0;

    // Decodes an image file's bytes; null when they are not an image.
    virtual std::shared_ptr<UIImage> DecodeImage(const std::vector<uint8_t>& bytes) = 0;
    virtual ITextMetrics& GetTextMetrics() = 0;
    // Registers a font file for the process (private fonts); false when it is not a font.
    virtual bool AddFontFile(const std::wstring& path) = 0;
    // Family names of the fonts available (system and private).
    virtual std::vector<std::wstring> GetFontFamilies() = 0;

    // Milliseconds since an arbitrary start; the headless backend's is a virtual clock that
    // only tests move.
    virtual uint64_t GetTickCount() = 0;
    // Handles pending native events, then waits for new ones at most timeoutMs (< 0: no limit)
    // or until Wake(). Called by the message loop on the UI thread only.
    virtual void WaitForEvents(int timeoutMs) = 0;
    // Ends a WaitForEvents early; callable from any thread.
    virtual void Wake() = 0;

    virtual std::wstring GetClipboardText() = 0;
    virtual void SetClipboardText(const std::wstring& text) = 0;

    // Screen work area and size of the screen holding the point, for centring and the
    // display-size check.
    virtual UIRect GetScreenWorkArea(UIPoint near) = 0;
    virtual UIRect GetScreenRect(UIPoint near) = 0;
    // Physical size of that screen in millimetres (0 when unknown).
    virtual UISize GetScreenSizeMillimetres(UIPoint near) = 0;

    // Modal file dialogs; the empty string when cancelled.
    virtual std::wstring OpenFileDialog(HWND owner, const std::wstring& title, const std::vector<FileDialogFilter>& filters,
                                        const std::wstring& startFolder) = 0;
    virtual std::wstring SaveFileDialog(HWND owner, const std::wstring& title, const std::vector<FileDialogFilter>& filters,
                                        const std::wstring& startFolder, const std::wstring& suggestedName) = 0;

    // Tray icon whose clicks are delivered to onEvent on the UI thread.
    virtual std::unique_ptr<ITrayIcon> CreateTrayIcon(std::function<void(TrayEvent, UIPoint screenPos)> onEvent) = 0;

    // The message loop of the UI thread announces itself (null when it goes away), so that the
    // backend can keep the loop's messages flowing while a native modal dialog runs and, in the
    // headless backend, run the timers a test's clock advance makes due.
    virtual void AttachMessageLoop(CMessageLoop* loop) { (void)loop; }

    // Saves the window as it is shown now (its whole client area at its device pixel ratio) to a
    // PNG file (UTF-8 path). False for a gone window or when the file cannot be written.
    virtual bool SaveWindowImage(HWND hwnd, const std::string& pngPath)
    {
        (void)hwnd;
        (void)pngPath;
        return false;
    }
};

}  // namespace dw::ui
