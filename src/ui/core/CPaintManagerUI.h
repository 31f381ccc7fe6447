#pragma once

// The paint manager of one window: owns its control tree, turns the window's messages into
// control events (hover, capture, click, focus, keys, wheel, timers), sends notifications to
// the window's notifiers, lays out and paints the tree, and keeps the window's fonts, images,
// default attributes and option groups. Process-wide: the list of managers (for SetAllDPI and
// language reloads), the program folder and the skin folder.
//
// Everything here runs on the UI thread.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/CNotifyPump.h"
#include "ui/core/IPaintHost.h"
#include "ui/core/IRenderContext.h"
#include "ui/core/TEventUI.h"
#include "ui/core/IUIBackend.h"
#include "ui/core/UIDefs.h"
#include "ui/core/UIMessages.h"

namespace dw::ui {

class CControlUI;

// Where the skin's files come from. Only plain files are supported; the other kinds are
// accepted for compatibility and treated as files.
enum class UIResourceType { File = 1, Zip = 2, Resource = 3, ZipResource = 4 };

class CPaintManagerUI {
public:
    // Sent to the window itself to deliver asynchronous notifications ("windowinit", notifies
    // sent with async = true) after the current message.
    static constexpr UINT kMsgAsyncNotify = WM_APP + 0x3F01;
    // Window timer ids from here on belong to control timers.
    static constexpr UINT kControlTimerBase = 0x7F000000;
    static constexpr int kMinDPI = 48;
    static constexpr int kMaxDPI = 192;
    static constexpr int kDefaultDPI = 96;

    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // ---- set-up ---------------------------------------------------------------------------
    // Binds the manager to its window; a manager is listed in GetPaintManagers from here
    // until it is destroyed.
    void Init(HWND window, IUIBackend& backend, IPaintHost& host, const std::wstring& name = {});
    HWND GetPaintWindow() const { return m_window; }
    const std::wstring& GetName() const { return m_name; }
    IUIBackend* GetBackend() const { return m_backend; }
    IPaintHost* GetHost() const { return m_host; }
    // Text metrics of the backend, or a rough fallback before Init.
    ITextMetrics& GetTextMetrics() const;
    uint64_t GetTickCount() const;
    UISize GetClientSize() const;

    // ---- process-wide ---------------------------------------------------------------------
    // The program folder (the folder of the resources: skin, Font, DefaultData). Defaults to
    // the executable's folder. Stored with a trailing '/'.
    static void SetInstance(const std::wstring& programFolder);
    static std::wstring GetInstancePath();
    // The skin folder, where layouts and images are looked up; '\' accepted.
    static void SetResourcePath(const std::wstring& path);
    static std::wstring GetResourcePath();
    static void SetResourceType(UIResourceType type);
    static UIResourceType GetResourceType();
    static const std::vector<CPaintManagerUI*>& GetPaintManagers();
    static CPaintManagerUI* GetPaintManager(const std::wstring& name);
    // Runs the UI thread's message loop until WM_QUIT; returns its exit code. The loop itself
    // is CMessageLoop's.
    static int MessageLoop();

    // ---- the tree -------------------------------------------------------------------------
    // Takes ownership of the root, attaches it and posts "windowinit" (sent once, after the
    // current message). A previous root is deleted.
    bool AttachDialog(CControlUI* root);
    CControlUI* GetRoot() const { return m_root; }
    // Attaches a subtree built later (controls added to the tree call this).
    bool InitControls(CControlUI* control, CControlUI* parent = nullptr);
    // Forgets every pointer to the control (hover, focus, capture, timers, groups); called
    // when a control leaves the tree.
    void ReapObjects(CControlUI* control);
    // Deletes the control once the current dispatch has ended.
    void AddDelayedCleanup(CControlUI* control);

    CControlUI* FindControl(const std::wstring& name) const;
    // The topmost visible, enabled, mouse-enabled control at the point.
    CControlUI* FindControl(UIPoint pt) const;
    CControlUI* FindSubControlByPoint(CControlUI* parent, UIPoint pt) const;
    CControlUI* FindSubControlByName(CControlUI* parent, const std::wstring& name) const;
    // The index-th control (in tree order) whose class or interface is className.
    CControlUI* FindSubControlByClass(CControlUI* parent, std::wstring_view className, int index = 0) const;
    std::vector<CControlUI*> FindSubControlsByClass(CControlUI* parent, std::wstring_view className) const;

    // ---- notifications and message filters ------------------------------------------------
    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);
    bool AddPreMessageFilter(IMessageFilterUI* filter);
    bool RemovePreMessageFilter(IMessageFilterUI* filter);
    bool AddMessageFilter(IMessageFilterUI* filter);
    bool RemoveMessageFilter(IMessageFilterUI* filter);
    // Sends to the sender's notify handlers, then every notifier, in order of adding. With
    // async the notification is queued and delivered after the current message; a queued
    // notification whose sender left the tree meanwhile is dropped.
    void SendNotify(TNotifyUI& msg, bool async = false);
    void SendNotify(CControlUI* control, std::wstring_view type, WPARAM wParam = 0, LPARAM lParam = 0,
                    bool async = false);

    // ---- messages -------------------------------------------------------------------------
    // Runs the pre-message filters; true when one handled the message.
    bool PreMessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Handles a window message: message filters first, then input, paint, size and timers.
    // True when the message was handled (result holds the answer).
    bool MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Lays out when needed, then paints the tree where it meets the invalid rectangle.
    void Paint(IRenderContext& context, const UIRect& invalid);
    // Lays out the tree now if a layout is pending.
    void UpdateLayout();

    // ---- focus, hover, capture ------------------------------------------------------------
    CControlUI* GetFocus() const { return m_focus; }
    // Moves the keyboard focus; "killfocus" and "setfocus" events go to the controls involved.
    void SetFocus(CControlUI* control);
    // Tab order: visible, enabled, keyboard-enabled controls with UIFLAG_TABSTOP in tree order.
    bool SetNextTabControl(bool forward = true);
    CControlUI* GetHover() const { return m_hover; }
    CControlUI* GetPushed() const { return m_pushed; }
    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const { return m_captured; }
    UIPoint GetMousePos() const { return m_mousePos; }

    // ---- control timers -------------------------------------------------------------------
    bool SetTimer(CControlUI* control, UINT id, UINT elapseMs);
    bool KillTimer(CControlUI* control, UINT id);
    void KillTimer(CControlUI* control);
    void RemoveAllTimers();

    // ---- option groups --------------------------------------------------------------------
    bool AddOptionGroup(const std::wstring& group, CControlUI* control);
    const std::vector<CControlUI*>* GetOptionGroup(const std::wstring& group) const;
    void RemoveOptionGroup(const std::wstring& group, CControlUI* control);
    void RemoveAllOptionGroups();

    // ---- default attributes per control class (<Default name="Button" value="...">) --------
    void AddDefaultAttributeList(const std::wstring& controlName, const std::wstring& attributes, bool shared = false);
    // Null when none is set; the window's own list wins over a shared one.
    const std::wstring* GetDefaultAttributeList(std::wstring_view controlName) const;
    void RemoveAllDefaultAttributeList(bool shared = false);

    // ---- fonts ----------------------------------------------------------------------------
    // Fonts by id; shared fonts are seen by every manager, a window's own font of the same id
    // wins. Sizes are 96-DPI pixels.
    void AddFont(int id, const UIFontSpec& font, bool shared = false);
    bool RemoveFont(int id, bool shared = false);
    void RemoveAllFonts(bool shared = false);
    bool HasFont(int id) const;
    // The font of the id scaled to this manager's DPI; the default font for -1 or an unknown id.
    UIFontSpec GetFont(int id) const;
    void SetDefaultFont(const UIFontSpec& font, bool shared = false);
    UIFontSpec GetDefaultFont() const;  // scaled

    // ---- images ---------------------------------------------------------------------------
    // Loads (once) a file of the skin folder (or an absolute path); at DPI above 96 a file
    // named name@2x.ext beside it is preferred when present. Null when missing or not an
    // image; each missing file is logged once.
    std::shared_ptr<UIImage> GetImage(const std::wstring& file);
    // Scale of an image returned by GetImage (2 for an @2x file, else 1).
    int GetImageScale(const std::wstring& file) const;
    void RemoveImage(const std::wstring& file);
    void RemoveAllImages();
    // Drops images and other assets that depend on the DPI.
    void ResetDPIAssets();

    // ---- DPI ------------------------------------------------------------------------------
    int GetDPI() const { return m_dpi; }
    // 48..192; other values are refused (false). Relayouts and repaints the window.
    bool SetDPI(int dpi);
    static void SetAllDPI(int dpi);
    int Scale(int value) const { return value * m_dpi / kDefaultDPI; }
    UIRect Scale(const UIRect& rc) const;
    UISize Scale(UISize size) const;

    // ---- window properties from the layout's <Window> --------------------------------------
    UISize GetInitSize() const { return Scale(m_initSize); }
    void SetInitSize(UISize size) { m_initSize = size; }
    UIRect GetSizeBox() const { return Scale(m_sizeBox); }
    void SetSizeBox(const UIRect& rc) { m_sizeBox = rc; }
    // Caption area: left/right/bottom insets and the caption height (top) in 96-DPI units, as
    // the layout writes them.
    UIRect GetCaptionRect() const { return Scale(m_captionRect); }
    void SetCaptionRect(const UIRect& rc) { m_captionRect = rc; }
    // True when the point (window pixels) is in the caption area and no active control
    // (anything but labels and containers) is under it, so dragging there moves the window.
    bool IsCaptionPoint(UIPoint pt) const;
    UISize GetRoundCorner() const { return Scale(m_roundCorner); }
    void SetRoundCorner(UISize radii) { m_roundCorner = radii; }
    UISize GetMinInfo() const { return Scale(m_minInfo); }
    void SetMinInfo(UISize size) { m_minInfo = size; }
    UISize GetMaxInfo() const { return Scale(m_maxInfo); }
    void SetMaxInfo(UISize size) { m_maxInfo = size; }
    bool IsLayered() const { return m_layered; }
    void SetLayered(bool layered) { m_layered = layered; }
    uint8_t GetTransparent() const { return m_opacity; }
    void SetTransparent(uint8_t opacity) { m_opacity = opacity; }
    UIColor GetDefaultDisabledColor() const { return m_defaultDisabledColor; }
    void SetDefaultDisabledColor(UIColor color) { m_defaultDisabledColor = color; }
    UIColor GetDefaultFontColor() const { return m_defaultFontColor; }
    void SetDefaultFontColor(UIColor color) { m_defaultFontColor = color; }

    // ---- repaint and layout ---------------------------------------------------------------
    void Invalidate();
    void Invalidate(const UIRect& rc);
    void NeedUpdate();
    bool IsUpdateNeeded() const { return m_updateNeeded; }
    // True while an event or notification is being dispatched (removal is then delayed).
    bool IsDispatching() const { return m_dispatchDepth > 0; }

private:
    struct TimerInfo {
        CControlUI* control = nullptr;
        UINT localId = 0;
        UINT windowId = 0;
    };
    struct FontEntry {
        UIFontSpec fontSpec;
    };
    struct ImageEntry {
        std::shared_ptr<UIImage> image;
        int scale = 1;
    };

    bool HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam);
    bool HandleKey(UINT msg, WPARAM wParam, LPARAM lParam);
    bool HandleTimer(WPARAM id);
    void DeliverAsyncNotifies();
    void FlushDelayedCleanup();
    void SetHover(CControlUI* control, UIPoint pt, WPARAM keyState);
    void Dispatch(CControlUI* control, TEventUI& event);
    TEventUI MakeEvent(UIEventType type, UIPoint pt, WPARAM wParam = 0, LPARAM lParam = 0) const;
    static bool IsEffectivelyEnabled(const CControlUI* control);
    // Where the root goes: the client area less the root's padding.
    UIRect RootRect() const;
    uint16_t KeyState() const;
    UIFontSpec ScaleFont(UIFontSpec fontSpec) const;

    HWND m_window = nullptr;
    IUIBackend* m_backend = nullptr;
    IPaintHost* m_host = nullptr;
    std::wstring m_name;
    CControlUI* m_root = nullptr;
    CControlUI* m_focus = nullptr;
    CControlUI* m_hover = nullptr;
    CControlUI* m_pushed = nullptr;       // got the left press; gets the release
    CControlUI* m_rightPushed = nullptr;  // got the right press
    bool m_captured = false;
    bool m_updateNeeded = false;
    bool m_windowInitSent = false;
    bool m_asyncPosted = false;
    bool m_inLayout = false;
    bool m_shiftDown = false;
    bool m_controlDown = false;
    bool m_altDown = false;
    int m_dispatchDepth = 0;
    UIPoint m_mousePos;
    UISize m_lastClientSize;

    std::vector<INotifyUI*> m_notifiers;
    std::vector<IMessageFilterUI*> m_preFilters;
    std::vector<IMessageFilterUI*> m_filters;
    std::vector<TNotifyUI> m_asyncNotifies;
    std::vector<CControlUI*> m_delayedCleanup;
    std::vector<TimerInfo> m_timers;
    UINT m_nextTimerId = kControlTimerBase;
    std::map<std::wstring, std::vector<CControlUI*>> m_optionGroups;
    std::map<std::wstring, std::wstring> m_defaultAttributes;  // keys lower case
    std::map<int, FontEntry> m_fonts;
    bool m_hasDefaultFont = false;
    UIFontSpec m_defaultFont;
    std::map<std::wstring, ImageEntry> m_images;
    std::set<std::wstring> m_missingImagesLogged;

    int m_dpi = kDefaultDPI;
    UISize m_initSize;
    UIRect m_sizeBox;
    UIRect m_captionRect;
    UISize m_roundCorner;
    UISize m_minInfo;
    UISize m_maxInfo;
    bool m_layered = false;
    uint8_t m_opacity = 255;
    UIColor m_defaultDisabledColor = 0xFFA7A6AA;
    UIColor m_defaultFontColor = 0xFF000000;
};

}  // namespace dw::ui
