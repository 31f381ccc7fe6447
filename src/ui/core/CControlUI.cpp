#include "ui/core/CControlUI.h"

#include <algorithm>

#include "ui/core/CNotifyPump.h"
#include "ui/core/CPaintManagerUI.h"
#include "ui/core/CResourceManager.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIDebug.h"
#include "ui/core/UIImageAttribute.h"
#include "ui/core/UIString.h"

namespace dw::ui {

namespace {

// Parses "left|center|right" and "top|vcenter|bottom" tokens into the text flags; tokens may
// be separated by spaces or commas.
std::optional<UINT> ParseAlign(std::wstring_view value, UINT style, bool vertical)
{
    size_t i = 0;
    bool any = false;
    while (i < value.size()) {
        while (i < value.size() && (value[i] == L' ' || value[i] == L','))
            ++i;
        size_t end = i;
        while (end < value.size() && value[end] != L' ' && value[end] != L',')
            ++end;
        if (end == i)
            break;
        const std::wstring token = ToLowerAscii(value.substr(i, end - i));
        i = end;
        any = true;
        if (!vertical && token == L"left")
            style &= ~(text::kCenter | text::kRight);
        else if (!vertical && token == L"center")
            style = (style & ~text::kRight) | text::kCenter;
        else if (!vertical && token == L"right")
            style = (style & ~text::kCenter) | text::kRight;
        else if (token == L"top")
            style &= ~(text::kVCenter | text::kBottom);
        else if (token == L"vcenter")
            style = (style & ~text::kBottom) | text::kVCenter;
        else if (token == L"bottom")
            style = (style & ~text::kVCenter) | text::kBottom;
        else
            return std::nullopt;
    }
    if (!any)
        return std::nullopt;
    return style;
}

std::optional<CursorShape> ParseCursor(std::wstring_view value)
{
    const std::wstring v = ToLowerAscii(value);
    if (v == L"arrow")
        return CursorShape::Arrow;
    if (v == L"hand")
        return CursorShape::Hand;
    if (v == L"ibeam")
        return CursorShape::IBeam;
    if (v == L"sizewe")
        return CursorShape::SizeWE;
    if (v == L"sizens")
        return CursorShape::SizeNS;
    if (v == L"sizeall")
        return CursorShape::SizeAll;
    if (v == L"wait")
        return CursorShape::Wait;
    return std::nullopt;
}

}  // namespace

CControlUI::CControlUI() = default;

CControlUI::~CControlUI()
{
    if (m_manager != nullptr)
        m_manager->ReapObjects(this);
}

std::wstring CControlUI::GetClass() const { return L"ControlUI"; }

void* CControlUI::GetInterface(std::wstring_view name)
{
    if (name == L"Control")
        return this;
    return nullptr;
}

UINT CControlUI::GetControlFlags() const { return 0; }

std::wstring CControlUI::GetVirtualWnd() const
{
    for (const CControlUI* c = this; c != nullptr; c = c->m_parent) {
        if (!c->m_virtualWnd.empty())
            return c->m_virtualWnd;
    }
    return {};
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init)
{
    m_manager = manager;
    m_parent = parent;
    if (init && parent != nullptr)
        Init();
}

CControlUI* CControlUI::FindControl(FindControlProc proc, void* data, UINT flags)
{
    if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible())
        return nullptr;
    if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled())
        return nullptr;
    if ((flags & UIFIND_HITTEST) != 0 &&
        (!m_mouseEnabled || !m_rcItem.Contains(*static_cast<const UIPoint*>(data))))
        return nullptr;
    if ((flags & UIFIND_UPDATETEST) != 0 && !m_updateNeeded)
        return nullptr;
    return proc(this, data);
}

void CControlUI::Init()
{
    if (m_initialized)
        return;
    m_initialized = true;
    DoInit();
}

// ---- texts ----------------------------------------------------------------------------------

std::wstring CControlUI::GetText() const
{
    if (m_resourceText)
        return CResourceManager::GetInstance().GetText(m_text, GetClass());
    return m_text;
}

void CControlUI::SetText(const std::wstring& text)
{
    if (m_text == text)
        return;
    m_text = text;
    Invalidate();
}

void CControlUI::SetResourceText(bool resourceText)
{
    if (m_resourceText == resourceText)
        return;
    m_resourceText = resourceText;
    ReloadText();
}

void CControlUI::ReloadText()
{
    if (m_resourceText)
        Invalidate();
}

std::wstring CControlUI::GetToolTip() const
{
    if (m_resourceText && !m_toolTip.empty())
        return CResourceManager::GetInstance().GetText(m_toolTip, GetClass());
    return m_toolTip;
}

// ---- state ----------------------------------------------------------------------------------

void CControlUI::SetVisible(bool visible)
{
    if (m_visible == visible)
        return;
    const bool wasVisible = IsVisible();
    m_visible = visible;
    if (m_focused && !visible && m_manager != nullptr)
        m_manager->SetFocus(nullptr);
    if (wasVisible != IsVisible()) {
        Invalidate();
        NeedParentUpdate();
    }
}

void CControlUI::SetInternVisible(bool visible)
{
    m_internVisible = visible;
    if (!visible && m_focused && m_manager != nullptr)
        m_manager->SetFocus(nullptr);
}

void CControlUI::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    // A disabled control takes no keys, so it must not keep the focus.
    if (!enabled && m_focused && m_manager != nullptr)
        m_manager->SetFocus(nullptr);
    Invalidate();
}

void CControlUI::SetFocus()
{
    if (m_manager != nullptr)
        m_manager->SetFocus(this);
}

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

// ---- geometry -------------------------------------------------------------------------------

void CControlUI::SetPos(UIRect rc, bool needInvalidate)
{
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    if (needInvalidate && !(rc == m_rcItem))
        Invalidate();
    m_rcItem = rc;
    m_updateNeeded = false;
    if (needInvalidate)
        Invalidate();
}

void CControlUI::Move(UISize offset, bool needInvalidate)
{
    if (needInvalidate)
        Invalidate();
    m_rcItem.Offset(offset.cx, offset.cy);
    if (needInvalidate)
        Invalidate();
}

int CControlUI::Scale(int value) const { return m_manager != nullptr ? m_manager->Scale(value) : value; }
UIRect CControlUI::Scale(const UIRect& rc) const { return m_manager != nullptr ? m_manager->Scale(rc) : rc; }
UISize CControlUI::Scale(UISize size) const { return m_manager != nullptr ? m_manager->Scale(size) : size; }

UIRect CControlUI::GetPadding() const { return Scale(m_padding); }
void CControlUI::SetPadding(const UIRect& padding)
{
    if (m_padding == padding)
        return;
    m_padding = padding;
    NeedParentUpdate();
}

UIRect CControlUI::GetFloatPos() const { return Scale(m_floatPos); }
void CControlUI::SetFloatPos(const UIRect& pos)
{
    if (m_floatPos == pos)
        return;
    m_floatPos = pos;
    NeedParentUpdate();
}

int CControlUI::GetFixedWidth() const { return Scale(m_fixed.cx); }
void CControlUI::SetFixedWidth(int cx)
{
    if (cx < 0 || m_fixed.cx == cx)
        return;
    m_fixed.cx = cx;
    NeedParentUpdate();
}
int CControlUI::GetFixedHeight() const { return Scale(m_fixed.cy); }
void CControlUI::SetFixedHeight(int cy)
{
    if (cy < 0 || m_fixed.cy == cy)
        return;
    m_fixed.cy = cy;
    NeedParentUpdate();
}
int CControlUI::GetMinWidth() const { return Scale(m_min.cx); }
void CControlUI::SetMinWidth(int cx)
{
    if (cx < 0 || m_min.cx == cx)
        return;
    m_min.cx = cx;
    NeedParentUpdate();
}
int CControlUI::GetMaxWidth() const { return Scale(m_max.cx); }
void CControlUI::SetMaxWidth(int cx)
{
    if (cx < 0 || m_max.cx == cx)
        return;
    m_max.cx = cx;
    NeedParentUpdate();
}
int CControlUI::GetMinHeight() const { return Scale(m_min.cy); }
void CControlUI::SetMinHeight(int cy)
{
    if (cy < 0 || m_min.cy == cy)
        return;
    m_min.cy = cy;
    NeedParentUpdate();
}
int CControlUI::GetMaxHeight() const { return Scale(m_max.cy); }
void CControlUI::SetMaxHeight(int cy)
{
    if (cy < 0 || m_max.cy == cy)
        return;
    m_max.cy = cy;
    NeedParentUpdate();
}

void CControlUI::SetFloat(bool isFloat)
{
    if (m_float == isFloat)
        return;
    m_float = isFloat;
    NeedParentUpdate();
}

void CControlUI::SetFloatPercent(const UIFloatPercent& percent)
{
    if (m_floatPercent == percent)
        return;
    m_floatPercent = percent;
    NeedParentUpdate();
}

UISize CControlUI::EstimateSize(UISize /*available*/) { return {GetFixedWidth(), GetFixedHeight()}; }

// ---- look -----------------------------------------------------------------------------------

#define DW_UI_SETTER(Name, member, Type)  \
    void CControlUI::Name(Type value)     \
    {                                     \
        if (member == value)              \
            return;                       \
        member = value;                   \
        Invalidate();                     \
    }

DW_UI_SETTER(SetBkColor, m_bkColor, UIColor)
DW_UI_SETTER(SetBkColor2, m_bkColor2, UIColor)
DW_UI_SETTER(SetBkColor3, m_bkColor3, UIColor)
DW_UI_SETTER(SetGradientVertical, m_gradientVertical, bool)
DW_UI_SETTER(SetBorderColor, m_borderColor, UIColor)
DW_UI_SETTER(SetFocusBorderColor, m_focusBorderColor, UIColor)
DW_UI_SETTER(SetBorderSize, m_borderSize, int)
DW_UI_SETTER(SetBorderRound, m_borderRound, UISize)
DW_UI_SETTER(SetBkImage, m_bkImage, const std::wstring&)
DW_UI_SETTER(SetForeImage, m_foreImage, const std::wstring&)
DW_UI_SETTER(SetTextColor, m_textColor, UIColor)
DW_UI_SETTER(SetDisabledTextColor, m_disabledTextColor, UIColor)
DW_UI_SETTER(SetTextStyle, m_textStyle, UINT)

#undef DW_UI_SETTER

int CControlUI::GetBorderSize() const { return Scale(m_borderSize); }

UIRect CControlUI::GetBorderSides() const
{
    return m_hasBorderSides ? Scale(m_borderSides) : UIRect{};
}

void CControlUI::SetBorderSides(const UIRect& sides)
{
    if (m_hasBorderSides && m_borderSides == sides)
        return;
    m_borderSides = sides;
    m_hasBorderSides = true;
    Invalidate();
}

UISize CControlUI::GetBorderRound() const { return Scale(m_borderRound); }

void CControlUI::SetFont(int id)
{
    if (m_font == id)
        return;
    m_font = id;
    Invalidate();
    NeedParentUpdate();
}

UIRect CControlUI::GetTextPadding() const { return Scale(m_textPadding); }
void CControlUI::SetTextPadding(const UIRect& padding)
{
    if (m_textPadding == padding)
        return;
    m_textPadding = padding;
    Invalidate();
    NeedParentUpdate();
}

UIFontSpec CControlUI::GetFontSpec() const
{
    if (m_manager != nullptr)
        return m_manager->GetFont(m_font);
    return UIFontSpec{};
}

UIColor CControlUI::CurrentTextColor() const
{
    if (!IsEnabled()) {
        if (m_disabledTextColor != 0)
            return m_disabledTextColor;
        return m_manager != nullptr ? m_manager->GetDefaultDisabledColor() : 0xFFA7A6AA;
    }
    if (m_textColor != 0)
        return m_textColor;
    return m_manager != nullptr ? m_manager->GetDefaultFontColor() : 0xFF000000;
}

// ---- attributes -----------------------------------------------------------------------------

AttributeResult CControlUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    using R = AttributeResult;
    const std::wstring key = ToLowerAscii(name);
    auto setBool = [&](auto&& apply) {
        const auto v = ParseBool(value);
        if (!v)
            return R::Malformed;
        apply(*v);
        return R::Ok;
    };
    auto setInt = [&](auto&& apply) {
        const auto v = ParseInt(value);
        if (!v || *v < 0)
            return R::Malformed;
        apply(*v);
        return R::Ok;
    };
    auto setColor = [&](auto&& apply) {
        const auto v = ParseColor(value);
        if (!v)
            return R::Malformed;
        apply(*v);
        return R::Ok;
    };
    auto setImage = [&](auto&& apply) {
        if (!ParseImageAttribute(value))
            return R::Malformed;
        apply(std::wstring(value));
        return R::Ok;
    };
    auto setRect = [&](auto&& apply) {
        const auto v = ParseRect(value, true);
        if (!v)
            return R::Malformed;
        apply(*v);
        return R::Ok;
    };

    if (key == L"name") {
        SetName(std::wstring(value));
        return R::Ok;
    }
    if (key == L"text") {
        SetText(std::wstring(value));
        return R::Ok;
    }
    if (key == L"tooltip") {
        SetToolTip(std::wstring(value));
        return R::Ok;
    }
    if (key == L"userdata") {
        SetUserData(std::wstring(value));
        return R::Ok;
    }
    if (key == L"virtualwnd") {
        SetVirtualWnd(std::wstring(value));
        return R::Ok;
    }
    if (key == L"tag")
        return setInt([&](int v) { SetTag(static_cast<uintptr_t>(v)); });
    if (key == L"tooltipwidth")
        return setInt([&](int v) { SetToolTipWidth(v); });
    if (key == L"resourcetext")
        return setBool([&](bool v) { SetResourceText(v); });
    if (key == L"visible")
        return setBool([&](bool v) { SetVisible(v); });
    if (key == L"enabled")
        return setBool([&](bool v) { SetEnabled(v); });
    if (key == L"mouse")
        return setBool([&](bool v) { SetMouseEnabled(v); });
    if (key == L"keyboard")
        return setBool([&](bool v) { SetKeyboardEnabled(v); });
    if (key == L"float") {
        if (const auto b = ParseBool(value)) {
            SetFloat(*b);
            return R::Ok;
        }
        // Four anchors: "0.5,0,0.5,0" keeps the control centred horizontally.
        std::wstring_view rest = value;
        double parts[4];
        for (int i = 0; i < 4; ++i) {
            const size_t comma = rest.find(L',');
            if ((comma == std::wstring_view::npos) != (i == 3))
                return R::Malformed;
            const auto v = ParseDouble(rest.substr(0, comma));
            if (!v || *v < 0 || *v > 1)
                return R::Malformed;
            parts[i] = *v;
            if (comma != std::wstring_view::npos)
                rest.remove_prefix(comma + 1);
        }
        SetFloat(true);
        SetFloatPercent({parts[0], parts[1], parts[2], parts[3]});
        return R::Ok;
    }
    if (key == L"pos") {
        const auto rc = ParseRect(value);
        if (!rc)
            return R::Malformed;
        SetFloatPos(*rc);
        if (rc->right > rc->left)
            SetFixedWidth(rc->right - rc->left);
        if (rc->bottom > rc->top)
            SetFixedHeight(rc->bottom - rc->top);
        return R::Ok;
    }
    if (key == L"padding")
        return setRect([&](const UIRect& v) { SetPadding(v); });
    if (key == L"width")
        return setInt([&](int v) { SetFixedWidth(v); });
    if (key == L"height")
        return setInt([&](int v) { SetFixedHeight(v); });
    if (key == L"minwidth")
        return setInt([&](int v) { SetMinWidth(v); });
    if (key == L"maxwidth")
        return setInt([&](int v) { SetMaxWidth(v); });
    if (key == L"minheight")
        return setInt([&](int v) { SetMinHeight(v); });
    if (key == L"maxheight")
        return setInt([&](int v) { SetMaxHeight(v); });
    if (key == L"bkcolor" || key == L"bkcolor1")
        return setColor([&](UIColor v) { SetBkColor(v); });
    if (key == L"bkcolor2")
        return setColor([&](UIColor v) { SetBkColor2(v); });
    if (key == L"bkcolor3")
        return setColor([&](UIColor v) { SetBkColor3(v); });
    if (key == L"gradient") {
        const std::wstring v = ToLowerAscii(value);
        if (v != L"vertical" && v != L"horizontal")
            return R::Malformed;
        SetGradientVertical(v == L"vertical");
        return R::Ok;
    }
    if (key == L"bordercolor")
        return setColor([&](UIColor v) { SetBorderColor(v); });
    if (key == L"focusbordercolor")
        return setColor([&](UIColor v) { SetFocusBorderColor(v); });
    if (key == L"bordersize") {
        if (const auto v = ParseInt(value); v && *v >= 0) {
            SetBorderSize(*v);
            return R::Ok;
        }
        const auto rc = ParseRect(value);
        if (!rc || rc->left < 0 || rc->top < 0 || rc->right < 0 || rc->bottom < 0)
            return R::Malformed;
        SetBorderSides(*rc);
        return R::Ok;
    }
    if (key == L"borderround") {
        const auto v = ParseSize(value, true);
        if (!v || v->cx < 0 || v->cy < 0)
            return R::Malformed;
        SetBorderRound(*v);
        return R::Ok;
    }
    if (key == L"bkimage")
        return setImage([&](const std::wstring& v) { SetBkImage(v); });
    if (key == L"foreimage")
        return setImage([&](const std::wstring& v) { SetForeImage(v); });
    if (key == L"textcolor")
        return setColor([&](UIColor v) { SetTextColor(v); });
    if (key == L"disabledtextcolor")
        return setColor([&](UIColor v) { SetDisabledTextColor(v); });
    if (key == L"font") {
        const auto v = ParseInt(value);
        if (!v || *v < -1)
            return R::Malformed;
        SetFont(*v);
        return R::Ok;
    }
    if (key == L"align" || key == L"valign") {
        const auto style = ParseAlign(value, m_textStyle, key == L"valign");
        if (!style)
            return R::Malformed;
        SetTextStyle(*style);
        return R::Ok;
    }
    if (key == L"endellipsis")
        return setBool([&](bool v) { SetTextStyle(v ? (m_textStyle | text::kEndEllipsis) : (m_textStyle & ~text::kEndEllipsis)); });
    if (key == L"multiline" || key == L"wordbreak")
        return setBool([&](bool v) {
            SetTextStyle(v ? ((m_textStyle & ~text::kSingleLine) | text::kWordBreak)
                           : ((m_textStyle & ~text::kWordBreak) | text::kSingleLine));
        });
    if (key == L"textpadding")
        return setRect([&](const UIRect& v) { SetTextPadding(v); });
    if (key == L"cursor") {
        const auto shape = ParseCursor(value);
        if (!shape)
            return R::Malformed;
        SetCursor(*shape);
        return R::Ok;
    }
    return R::Unknown;
}

AttributeResult CControlUI::ApplyAttributeList(std::wstring_view list)
{
    AttributeResult worst = AttributeResult::Ok;
    auto note = [&](AttributeResult r) {
        if (r == AttributeResult::Malformed || (r == AttributeResult::Unknown && worst == AttributeResult::Ok))
            worst = r;
    };
    size_t i = 0;
    auto isSpace = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };
    while (i < list.size()) {
        while (i < list.size() && isSpace(list[i]))
            ++i;
        if (i >= list.size())
            break;
        const size_t nameStart = i;
        while (i < list.size() && list[i] != L'=' && !isSpace(list[i]))
            ++i;
        const std::wstring_view attrName = list.substr(nameStart, i - nameStart);
        while (i < list.size() && isSpace(list[i]))
            ++i;
        if (i >= list.size() || list[i] != L'=')
            return AttributeResult::Malformed;
        ++i;
        while (i < list.size() && isSpace(list[i]))
            ++i;
        if (i >= list.size() || (list[i] != L'"' && list[i] != L'\''))
            return AttributeResult::Malformed;
        const wchar_t quote = list[i++];
        const size_t end = list.find(quote, i);
        if (end == std::wstring_view::npos)
            return AttributeResult::Malformed;
        note(SetAttribute(attrName, list.substr(i, end - i)));
        i = end + 1;
    }
    return worst;
}

// ---- painting -------------------------------------------------------------------------------

void CControlUI::DoPaint(IRenderContext& context, const UIRect& paint)
{
    if (paint.Intersect(m_rcItem).IsEmpty())
        return;
    const UISize round = GetBorderRound();
    const bool clipRound = round.cx > 0 || round.cy > 0;
    if (clipRound)
        context.PushClip(m_rcItem);
    PaintBkColor(context);
    PaintBkImage(context);
    PaintStatusImage(context);
    PaintText(context);
    PaintBorder(context);
    if (clipRound)
        context.PopClip();
}

void CControlUI::PaintBkColor(IRenderContext& context)
{
    if (m_bkColor == 0)
        return;
    const UISize round = GetBorderRound();
    if (m_bkColor2 != 0) {
        if (m_bkColor3 != 0) {
            UIRect first = m_rcItem;
            UIRect second = m_rcItem;
            if (m_gradientVertical)
                first.bottom = second.top = (m_rcItem.top + m_rcItem.bottom) / 2;
            else
                first.right = second.left = (m_rcItem.left + m_rcItem.right) / 2;
            context.FillGradient(first, m_bkColor, m_bkColor2, m_gradientVertical);
            context.FillGradient(second, m_bkColor2, m_bkColor3, m_gradientVertical);
        } else {
            context.FillGradient(m_rcItem, m_bkColor, m_bkColor2, m_gradientVertical);
        }
        return;
    }
    if (round.cx > 0 || round.cy > 0)
        context.FillRoundRect(m_rcItem, round.cx, round.cy, m_bkColor);
    else
        context.FillRect(m_rcItem, m_bkColor);
}

void CControlUI::PaintBkImage(IRenderContext& context)
{
    if (!m_bkImage.empty())
        DrawImage(context, m_bkImage);
}

void CControlUI::PaintStatusImage(IRenderContext& context)
{
    if (!m_foreImage.empty())
        DrawImage(context, m_foreImage);
}

void CControlUI::PaintText(IRenderContext& context)
{
    const std::wstring text = GetText();
    if (text.empty())
        return;
    UIRect rc = m_rcItem;
    rc.Deflate(GetTextPadding());
    context.DrawText(text, rc, GetFontSpec(), CurrentTextColor(), m_textStyle);
}

void CControlUI::PaintBorder(IRenderContext& context)
{
    UIColor color = m_borderColor;
    if (m_focused && m_focusBorderColor != 0)
        color = m_focusBorderColor;
    if (color == 0)
        return;
    if (m_hasBorderSides) {
        const UIRect sides = GetBorderSides();
        const UIRect& r = m_rcItem;
        if (sides.left > 0)
            context.FillRect({r.left, r.top, r.left + sides.left, r.bottom}, color);
        if (sides.top > 0)
            context.FillRect({r.left, r.top, r.right, r.top + sides.top}, color);
        if (sides.right > 0)
            context.FillRect({r.right - sides.right, r.top, r.right, r.bottom}, color);
        if (sides.bottom > 0)
            context.FillRect({r.left, r.bottom - sides.bottom, r.right, r.bottom}, color);
        return;
    }
    const int size = GetBorderSize();
    if (size <= 0)
        return;
    const UISize round = GetBorderRound();
    context.DrawRect(m_rcItem, size, color, round.cx, round.cy);
}

bool CControlUI::DrawImage(IRenderContext& context, const std::wstring& image, const UIRect* dest)
{
    if (m_manager == nullptr || image.empty())
        return false;
    const auto attr = ParseImageAttribute(image);
    if (!attr || attr->file.empty())
        return false;
    const auto bitmap = m_manager->GetImage(attr->file);
    if (!bitmap)
        return false;
    UIRect rc = dest != nullptr ? *dest : m_rcItem;
    if (attr->dest) {
        UIRect d = Scale(*attr->dest);
        d.Offset(rc.left, rc.top);
        rc = d;
    }
    if (rc.IsEmpty())
        return false;
    UIImageDrawParams params = attr->params;
    const int scale = m_manager->GetImageScale(attr->file);
    if (scale != 1) {
        params.source = {params.source.left * scale, params.source.top * scale, params.source.right * scale,
                         params.source.bottom * scale};
        params.corners = {params.corners.left * scale, params.corners.top * scale, params.corners.right * scale,
                          params.corners.bottom * scale};
    }
    if (params.source.IsEmpty())
        params.source = {0, 0, bitmap->GetWidth(), bitmap->GetHeight()};
    context.DrawImage(*bitmap, rc, params);
    return true;
}

// ---- input ----------------------------------------------------------------------------------

void CControlUI::Event(TEventUI& event)
{
    for (size_t i = 0; i < m_eventHandlers.size(); ++i) {
        // Copy: a handler may add handlers while it runs.
        EventHandler handler = m_eventHandlers[i];
        if (!handler(event))
            return;
    }
    DoEvent(event);
}

void CControlUI::DoEvent(TEventUI& event)
{
    switch (event.Type) {
    case UIEventType::SetCursor:
        if (m_manager != nullptr && m_manager->GetHost() != nullptr)
            m_manager->GetHost()->SetCursor(m_cursor);
        return;
    case UIEventType::SetFocus:
        m_focused = true;
        Invalidate();
        return;
    case UIEventType::KillFocus:
        m_focused = false;
        Invalidate();
        return;
    case UIEventType::Timer:
        SendNotify(notify::kTimer, event.wParam, event.lParam);
        return;
    case UIEventType::ContextMenu:
        SendNotify(notify::kMenu, event.wParam, event.lParam);
        return;
    case UIEventType::ScrollWheel:
    case UIEventType::KeyDown:
        // Unhandled wheel and keys go to the container (scrolling, list navigation).
        if (m_parent != nullptr)
            m_parent->DoEvent(event);
        return;
    default:
        return;
    }
}

void CControlUI::CallNotifyHandlers(TNotifyUI& msg)
{
    for (size_t i = 0; i < m_notifyHandlers.size(); ++i) {
        NotifyHandler handler = m_notifyHandlers[i];
        handler(msg);
    }
}

void CControlUI::SendNotify(std::wstring_view type, WPARAM wParam, LPARAM lParam, bool async)
{
    if (m_manager != nullptr)
        m_manager->SendNotify(this, type, wParam, lParam, async);
}

// ---- repaint and layout ---------------------------------------------------------------------

void CControlUI::Invalidate()
{
    if (m_manager == nullptr || !IsVisible() || m_rcItem.IsEmpty())
        return;
    // Only the part inside every parent can change on screen.
    UIRect rc = m_rcItem;
    for (const CControlUI* p = m_parent; p != nullptr; p = p->m_parent) {
        rc = rc.Intersect(p->m_rcItem);
        if (rc.IsEmpty())
            return;
    }
    m_manager->Invalidate(rc);
}

void CControlUI::NeedUpdate()
{
    if (!IsVisible())
        return;
    m_updateNeeded = true;
    if (m_manager != nullptr)
        m_manager->NeedUpdate();
}

void CControlUI::NeedParentUpdate()
{
    if (m_parent != nullptr) {
        m_parent->NeedUpdate();
        m_parent->Invalidate();
    } else {
        NeedUpdate();
    }
    if (m_manager != nullptr)
        m_manager->NeedUpdate();
}

// ---- timers ---------------------------------------------------------------------------------

bool CControlUI::SetTimer(UINT id, UINT elapseMs)
{
    return m_manager != nullptr && m_manager->SetTimer(this, id, elapseMs);
}

void CControlUI::KillTimer(UINT id)
{
    if (m_manager != nullptr)
        m_manager->KillTimer(this, id);
}

void CControlUI::KillTimers()
{
    if (m_manager != nullptr)
        m_manager->KillTimer(this);
}

}  // namespace dw::ui
