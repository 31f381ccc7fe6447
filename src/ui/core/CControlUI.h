#pragma once

// The base of every control of the window library: a named rectangle in a tree, with the
// attributes a layout file sets on it, painting in five steps (background colour, background
// image, state images, text, border) and input delivered as TEventUI.
//
// Ownership: a control belongs to its parent container (or, for the root, to its paint
// manager) and is deleted by it. Sizes given to setters are in 96-DPI units; the getters of
// sizes used by layout return values scaled to the manager's DPI. Positions (GetPos) are
// window pixels after scaling.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/IRenderContext.h"
#include "ui/core/IUIBackend.h"
#include "ui/core/TEventUI.h"
#include "ui/core/UIDefs.h"

namespace dw::ui {

class CPaintManagerUI;
class CControlUI;
struct TNotifyUI;

// Flags of FindControl: which controls a search visits.
inline constexpr UINT UIFIND_ALL = 0x0000;
inline constexpr UINT UIFIND_VISIBLE = 0x0001;
inline constexpr UINT UIFIND_ENABLED = 0x0002;
inline constexpr UINT UIFIND_HITTEST = 0x0004;    // data is a UIPoint*: controls containing it
inline constexpr UINT UIFIND_UPDATETEST = 0x0008;
inline constexpr UINT UIFIND_TOP_FIRST = 0x0010;  // children last-to-first (topmost first)
inline constexpr UINT UIFIND_ME_FIRST = 0x8000;   // a container tests itself before its children

// What a control is (GetControlFlags).
inline constexpr UINT UIFLAG_TABSTOP = 0x0001;    // takes part in Tab focus cycling
inline constexpr UINT UIFLAG_SETCURSOR = 0x0002;  // sets its own cursor
inline constexpr UINT UIFLAG_WANTRETURN = 0x0004; // consumes Enter itself

// Interaction states of buttons, options and the richer controls.
inline constexpr UINT UISTATE_FOCUSED = 0x0001;
inline constexpr UINT UISTATE_SELECTED = 0x0002;
inline constexpr UINT UISTATE_DISABLED = 0x0004;
inline constexpr UINT UISTATE_HOT = 0x0008;
inline constexpr UINT UISTATE_PUSHED = 0x0010;
inline constexpr UINT UISTATE_READONLY = 0x0020;
inline constexpr UINT UISTATE_CAPTURED = 0x0040;

// Visitor of FindControl: returns the control when it matches, else null.
using FindControlProc = CControlUI* (*)(CControlUI* control, void* data);

// What SetAttribute made of one attribute.
enum class AttributeResult { Ok, Unknown, Malformed };

// Anchors of a floating control: fractions of the parent's width and height that each edge
// of its "pos" rectangle follows when the parent is resized (all 0: fixed to the top left).
struct UIFloatPercent {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    friend bool operator==(const UIFloatPercent&, const UIFloatPercent&) = default;
};

class CControlUI {
public:
    using EventHandler = std::function<bool(TEventUI&)>;  // false: the event is consumed
    using NotifyHandler = std::function<void(TNotifyUI&)>;

    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // ---- identity -------------------------------------------------------------------------
    // Class name ("ControlUI", "ButtonUI", ...), the name <Default> entries are keyed by.
    virtual std::wstring GetClass() const;
    // Typed access by interface name ("Control", "Button", "Container", ...); null if not one.
    virtual void* GetInterface(std::wstring_view name);
    virtual UINT GetControlFlags() const;
    const std::wstring& GetName() const { return m_name; }
    void SetName(const std::wstring& name) { m_name = name; }
    // The virtual window whose notify pump gets this control's notifications: the nearest
    // "virtualwnd" set on this control or an ancestor.
    std::wstring GetVirtualWnd() const;
    void SetVirtualWnd(const std::wstring& name) { m_virtualWnd = name; }

    // ---- tree -----------------------------------------------------------------------------
    CPaintManagerUI* GetManager() const { return m_manager; }
    CControlUI* GetParent() const { return m_parent; }
    // Attaches to (or, with null, detaches from) a manager. With init the control's DoInit runs
    // once, after its whole subtree is attached.
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);
    virtual CControlUI* FindControl(FindControlProc proc, void* data, UINT flags);
    // Runs DoInit once; called by the manager when the control is attached.
    void Init();
    virtual void DoInit() {}

    // ---- texts ----------------------------------------------------------------------------
    // With the resource-text flag the stored text is a key of the language file and GetText
    // returns its translation.
    virtual std::wstring GetText() const;
    virtual void SetText(const std::wstring& text);
    const std::wstring& GetTextKey() const { return m_text; }
    bool IsResourceText() const { return m_resourceText; }
    void SetResourceText(bool resourceText);
    // Called when the language changes; resource-text controls repaint (and re-measure).
    virtual void ReloadText();
    std::wstring GetToolTip() const;
    void SetToolTip(const std::wstring& text) { m_toolTip = text; }
    int GetToolTipWidth() const { return m_toolTipWidth; }
    void SetToolTipWidth(int width) { m_toolTipWidth = width; }
    const std::wstring& GetUserData() const { return m_userData; }
    void SetUserData(const std::wstring& data) { m_userData = data; }
    uintptr_t GetTag() const { return m_tag; }
    void SetTag(uintptr_t tag) { m_tag = tag; }

    // ---- state ----------------------------------------------------------------------------
    // Visible when both this control and every container that hides it (tab layouts,
    // hidden parents) let it be.
    virtual bool IsVisible() const { return m_visible && m_internVisible; }
    virtual void SetVisible(bool visible = true);
    // Set by a container that shows or hides its children as a group.
    virtual void SetInternVisible(bool visible = true);
    bool IsOwnVisible() const { return m_visible; }
    virtual bool IsEnabled() const { return m_enabled; }
    virtual void SetEnabled(bool enabled = true);
    virtual bool IsMouseEnabled() const { return m_mouseEnabled; }
    virtual void SetMouseEnabled(bool enabled = true) { m_mouseEnabled = enabled; }
    virtual bool IsKeyboardEnabled() const { return m_keyboardEnabled; }
    virtual void SetKeyboardEnabled(bool enabled = true) { m_keyboardEnabled = enabled; }
    virtual bool IsFocused() const { return m_focused; }
    // Asks the manager to move the keyboard focus here.
    virtual void SetFocus();
    // Performs the control's action as a click or Enter would; false when the control cannot
    // act (hidden or disabled).
    virtual bool Activate();
    CursorShape GetCursor() const { return m_cursor; }
    void SetCursor(CursorShape shape) { m_cursor = shape; }

    // ---- geometry -------------------------------------------------------------------------
    const UIRect& GetPos() const { return m_rcItem; }
    // Places the control (window pixels). The base stores the rectangle and repaints the old
    // and the new area; containers then lay out their children.
    virtual void SetPos(UIRect rc, bool needInvalidate = true);
    // Moves the control and its children by an offset without a new layout (scrolling).
    virtual void Move(UISize offset, bool needInvalidate = true);
    int GetWidth() const { return m_rcItem.GetWidth(); }
    int GetHeight() const { return m_rcItem.GetHeight(); }
    int GetX() const { return m_rcItem.left; }
    int GetY() const { return m_rcItem.top; }
    // Space kept free around the control by the layout that holds it (scaled).
    UIRect GetPadding() const;
    void SetPadding(const UIRect& padding);
    // Position of a floating control inside its parent ("pos"), scaled.
    UIRect GetFloatPos() const;
    void SetFloatPos(const UIRect& pos);
    // 0 for fixed width or height means "share the space left".
    int GetFixedWidth() const;
    void SetFixedWidth(int cx);
    int GetFixedHeight() const;
    void SetFixedHeight(int cy);
    int GetMinWidth() const;
    void SetMinWidth(int cx);
    int GetMaxWidth() const;
    void SetMaxWidth(int cx);
    int GetMinHeight() const;
    void SetMinHeight(int cy);
    int GetMaxHeight() const;
    void SetMaxHeight(int cy);
    bool IsFloat() const { return m_float; }
    void SetFloat(bool isFloat = true);
    const UIFloatPercent& GetFloatPercent() const { return m_floatPercent; }
    void SetFloatPercent(const UIFloatPercent& percent);
    // The size the control wants inside the available space; 0 in a dimension means "take
    // what the layout gives". The base answers its fixed size.
    virtual UISize EstimateSize(UISize available);
    // Scales a 96-DPI value to the manager's DPI (unchanged without a manager).
    int Scale(int value) const;
    UIRect Scale(const UIRect& rc) const;
    UISize Scale(UISize size) const;

    // ---- look -----------------------------------------------------------------------------
    UIColor GetBkColor() const { return m_bkColor; }
    void SetBkColor(UIColor color);
    UIColor GetBkColor2() const { return m_bkColor2; }
    void SetBkColor2(UIColor color);  // with bkcolor: a gradient
    UIColor GetBkColor3() const { return m_bkColor3; }
    void SetBkColor3(UIColor color);  // with bkcolor and bkcolor2: a three-stop gradient
    bool IsGradientVertical() const { return m_gradientVertical; }
    void SetGradientVertical(bool vertical);
    UIColor GetBorderColor() const { return m_borderColor; }
    void SetBorderColor(UIColor color);
    UIColor GetFocusBorderColor() const { return m_focusBorderColor; }
    void SetFocusBorderColor(UIColor color);
    int GetBorderSize() const;  // scaled
    void SetBorderSize(int size);
    // Border widths per side ("bordersize='0,0,0,1'"), scaled; used when set instead of the
    // uniform size.
    UIRect GetBorderSides() const;
    void SetBorderSides(const UIRect& sides);
    UISize GetBorderRound() const;  // scaled corner radii
    void SetBorderRound(UISize radii);
    const std::wstring& GetBkImage() const { return m_bkImage; }
    void SetBkImage(const std::wstring& image);
    const std::wstring& GetForeImage() const { return m_foreImage; }
    void SetForeImage(const std::wstring& image);
    UIColor GetTextColor() const { return m_textColor; }
    void SetTextColor(UIColor color);
    UIColor GetDisabledTextColor() const { return m_disabledTextColor; }
    void SetDisabledTextColor(UIColor color);
    int GetFont() const { return m_font; }  // font id of the manager; -1: the default font
    void SetFont(int id);
    UINT GetTextStyle() const { return m_textStyle; }  // text:: flags
    void SetTextStyle(UINT style);
    UIRect GetTextPadding() const;  // scaled
    void SetTextPadding(const UIRect& padding);

    // ---- attributes -----------------------------------------------------------------------
    // Sets one attribute as a layout writes it. Unknown names are reported, not fatal.
    virtual AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value);
    // Applies a list of attributes written as in a layout: name="value" name2='value2'.
    // Returns the worst result of its attributes.
    AttributeResult ApplyAttributeList(std::wstring_view list);

    // ---- painting -------------------------------------------------------------------------
    // Paints the control where it meets the paint rectangle. Containers paint their children
    // clipped to themselves.
    virtual void DoPaint(IRenderContext& context, const UIRect& paint);
    virtual void PaintBkColor(IRenderContext& context);
    virtual void PaintBkImage(IRenderContext& context);
    virtual void PaintStatusImage(IRenderContext& context);
    virtual void PaintText(IRenderContext& context);
    virtual void PaintBorder(IRenderContext& context);
    // Draws an image attribute string inside the control (or inside dest). False when the
    // image cannot be drawn (missing file, malformed attribute); nothing is drawn then.
    bool DrawImage(IRenderContext& context, const std::wstring& image, const UIRect* dest = nullptr);
    // The font of this control as the backend gets it (scaled).
    UIFontSpec GetFontSpec() const;

    // ---- input ----------------------------------------------------------------------------
    // Delivers an event: the handlers added with AddEventHandler see it first, then DoEvent.
    void Event(TEventUI& event);
    virtual void DoEvent(TEventUI& event);
    void AddEventHandler(EventHandler handler) { m_eventHandlers.push_back(std::move(handler)); }
    // Called by the manager before the notifiers get a notification this control sent.
    void AddNotifyHandler(NotifyHandler handler) { m_notifyHandlers.push_back(std::move(handler)); }
    void CallNotifyHandlers(TNotifyUI& msg);

    // ---- repaint and layout ---------------------------------------------------------------
    void Invalidate();
    bool IsUpdateNeeded() const { return m_updateNeeded; }
    // This control needs a new layout (its size may have changed).
    void NeedUpdate();
    // The parent needs a new layout (this control's size wish changed).
    void NeedParentUpdate();
    void ClearUpdateNeeded() { m_updateNeeded = false; }

    // ---- timers ---------------------------------------------------------------------------
    // A timer delivers UIEventType::Timer events (wParam = id) until killed.
    bool SetTimer(UINT id, UINT elapseMs);
    void KillTimer(UINT id);
    void KillTimers();

protected:
    // Text colour for the current state (disabled colour when disabled).
    UIColor CurrentTextColor() const;
    // The notify sent by the default handlers, with this control as sender.
    void SendNotify(std::wstring_view type, WPARAM wParam = 0, LPARAM lParam = 0, bool async = false);

    CPaintManagerUI* m_manager = nullptr;
    CControlUI* m_parent = nullptr;
    std::wstring m_name;
    std::wstring m_virtualWnd;
    std::wstring m_text;
    std::wstring m_toolTip;
    std::wstring m_userData;
    uintptr_t m_tag = 0;
    int m_toolTipWidth = 300;
    bool m_resourceText = false;
    bool m_visible = true;
    bool m_internVisible = true;
    bool m_enabled = true;
    bool m_mouseEnabled = true;
    bool m_keyboardEnabled = true;
    bool m_focused = false;
    bool m_float = false;
    bool m_updateNeeded = true;
    bool m_initialized = false;
    CursorShape m_cursor = CursorShape::Arrow;

    UIRect m_rcItem;
    UIRect m_padding;      // 96-DPI units
    UIRect m_floatPos;     // 96-DPI units
    UISize m_fixed;        // 96-DPI units
    UISize m_min;
    UISize m_max{9999, 9999};
    UIFloatPercent m_floatPercent;

    UIColor m_bkColor = 0;
    UIColor m_bkColor2 = 0;
    UIColor m_bkColor3 = 0;
    bool m_gradientVertical = true;
    UIColor m_borderColor = 0;
    UIColor m_focusBorderColor = 0;
    int m_borderSize = 0;
    UIRect m_borderSides;
    bool m_hasBorderSides = false;
    UISize m_borderRound;
    std::wstring m_bkImage;
    std::wstring m_foreImage;
    UIColor m_textColor = 0;
    UIColor m_disabledTextColor = 0;
    int m_font = -1;
    UINT m_textStyle = text::kLeft | text::kVCenter | text::kSingleLine;
    UIRect m_textPadding;

    std::vector<EventHandler> m_eventHandlers;
    std::vector<NotifyHandler> m_notifyHandlers;
};

}  // namespace dw::ui
