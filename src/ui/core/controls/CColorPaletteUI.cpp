#include "ui/core/controls/CColorPaletteUI.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIString.h"
#include "ui/core/UIImageAttribute.h"
#include "ui/core/UIMessages.h"

namespace dw::ui {

namespace {

// The hue bar's stops: red, yellow, green, cyan, blue, magenta and red again.
constexpr UIColor kHueStops[] = {0xFFFF0000, 0xFFFFFF00, 0xFF00FF00, 0xFF00FFFF, 0xFF0000FF, 0xFFFF00FF, 0xFFFF0000};
constexpr int kHueSegments = 6;

double Fraction(int offset, int length)
{
    if (length <= 1)
        return 0.0;
    return std::clamp(static_cast<double>(offset) / (length - 1), 0.0, 1.0);
}

}  // namespace

std::wstring CColorPaletteUI::GetClass() const
{
    return L"ColorPaletteUI";
}

void* CColorPaletteUI::GetInterface(std::wstring_view name)
{
    if (name == L"ColorPalette")
        return this;
    return CControlUI::GetInterface(name);
}

void CColorPaletteUI::SetSelectColor(UIColor color)
{
    color |= 0xFF000000;
    UIHsv hsv = ColorToHsv(color);
    if (hsv.saturation == 0.0 || hsv.value == 0.0)
        hsv.hue = m_hsv.hue;
    if (hsv.value == 0.0)
        hsv.saturation = m_hsv.saturation;
    m_hsv = hsv;
    if (color == m_color)
        return;
    m_color = color;
    m_imagePick = {-1, -1};
    Invalidate();
}

void CColorPaletteUI::SetHsv(const UIHsv& hsv)
{
    m_hsv = hsv;
    const UIColor color = HsvToColor(hsv);
    m_color = color;
    Invalidate();
}

int CColorPaletteUI::GetBarHeight() const
{
    return Scale(m_barHeight);
}

void CColorPaletteUI::SetBarHeight(int height)
{
    height = std::max(0, height);
    if (height == m_barHeight)
        return;
    m_barHeight = height;
    Invalidate();
}

void CColorPaletteUI::SetPaletteImage(const std::wstring& image)
{
    if (image == m_paletteImage)
        return;
    m_paletteImage = image;
    Invalidate();
}

UIRect CColorPaletteUI::GetSquareRect() const
{
    UIRect rc = GetPos();
    if (m_paletteImage.empty() && m_barHeight > 0)
        rc.bottom = std::max(rc.top, rc.bottom - GetBarHeight() - Scale(kGap));
    return rc;
}

UIRect CColorPaletteUI::GetBarRect() const
{
    if (!m_paletteImage.empty() || m_barHeight <= 0)
        return {};
    const UIRect& rc = GetPos();
    return {rc.left, std::max(rc.top, rc.bottom - GetBarHeight()), rc.right, rc.bottom};
}

void CColorPaletteUI::PickAt(UIPoint pt)
{
    switch (m_drag) {
    case Drag::Square: {
        const UIRect sq = GetSquareRect();
        UIHsv hsv = m_hsv;
        hsv.saturation = Fraction(pt.x - sq.left, sq.GetWidth());
        hsv.value = 1.0 - Fraction(pt.y - sq.top, sq.GetHeight());
        SetHsv(hsv);
        return;
    }
    case Drag::Bar: {
        const UIRect bar = GetBarRect();
        UIHsv hsv = m_hsv;
        // The last pixel is red again; keep the hue below 360 so it stays at the right end.
        hsv.hue = std::min(359.999, Fraction(pt.x - bar.left, bar.GetWidth()) * 360.0);
        SetHsv(hsv);
        return;
    }
    case Drag::Image: {
        if (GetManager() == nullptr)
            return;
        const auto attr = ParseImageAttribute(m_paletteImage);
        const auto image = attr ? GetManager()->GetImage(attr->file) : nullptr;
        const UIRect& rc = GetPos();
        if (!image || rc.IsEmpty())
            return;
        const int x = std::clamp(pt.x - rc.left, 0, rc.GetWidth() - 1);
        const int y = std::clamp(pt.y - rc.top, 0, rc.GetHeight() - 1);
        const int ix = x * image->GetWidth() / rc.GetWidth();
        const int iy = y * image->GetHeight() / rc.GetHeight();
        const UIColor pixel = image->GetPixel(ix, iy);
        if (pixel >> 24 == 0)
            return;  // transparent parts of the picture pick nothing
        m_imagePick = {x, y};
        m_color = pixel | 0xFF000000;
        m_hsv = ColorToHsv(m_color);
        Invalidate();
        return;
    }
    case Drag::None:
        return;
    }
}

void CColorPaletteUI::DoEvent(TEventUI& event)
{
    switch (event.Type) {
    case UIEventType::ButtonDown:
    case UIEventType::DblClick:
        if (!IsEnabled())
            return;
        m_colorAtPress = m_color;
        if (!m_paletteImage.empty())
            m_drag = Drag::Image;
        else if (GetBarRect().Contains(event.ptMouse))
            m_drag = Drag::Bar;
        else if (GetSquareRect().Contains(event.ptMouse))
            m_drag = Drag::Square;
        else
            return;
        PickAt(event.ptMouse);
        return;
    case UIEventType::MouseMove:
        if (m_drag != Drag::None)
            PickAt(event.ptMouse);
        return;
    case UIEventType::ButtonUp:
        if (m_drag == Drag::None)
            return;
        PickAt(event.ptMouse);
        m_drag = Drag::None;
        if (m_color != m_colorAtPress)
            SendNotify(notify::kColorChanged, static_cast<WPARAM>(m_color));
        return;
    case UIEventType::KillFocus:
        if (m_drag != Drag::None) {
            m_drag = Drag::None;
            if (m_color != m_colorAtPress)
                SendNotify(notify::kColorChanged, static_cast<WPARAM>(m_color));
        }
        CControlUI::DoEvent(event);
        return;
    default:
        CControlUI::DoEvent(event);
        return;
    }
}

AttributeResult CColorPaletteUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const std::wstring key = ToLowerAscii(name);
    if (key == L"barheight" || key == L"palletheight") {
        const auto height = ParseInt(value);
        if (!height)
            return AttributeResult::Malformed;
        SetBarHeight(*height);
        return AttributeResult::Ok;
    }
    if (key == L"paletteimage") {
        SetPaletteImage(std::wstring(value));
        return AttributeResult::Ok;
    }
    if (key == L"selectcolor" || key == L"color") {
        const auto color = ParseColor(value);
        if (!color)
            return AttributeResult::Malformed;
        SetSelectColor(*color);
        return AttributeResult::Ok;
    }
    return CControlUI::SetAttribute(name, value);
}

void CColorPaletteUI::PaintStatusImage(IRenderContext& context)
{
    const UIRect& rc = GetPos();
    const int ring = std::max(3, Scale(5));
    if (!m_paletteImage.empty()) {
        DrawImage(context, m_paletteImage);
        if (m_imagePick.x >= 0) {
            const UIPoint c{rc.left + m_imagePick.x, rc.top + m_imagePick.y};
            context.DrawArc({c.x - ring, c.y - ring, c.x + ring, c.y + ring}, 0, 360, 2, 0xFFFFFFFF);
        }
        return;
    }

    // Saturation grows to the right from white to the pure hue; brightness falls to black.
    const UIRect sq = GetSquareRect();
    if (!sq.IsEmpty()) {
        context.PushClip(sq);
        context.FillGradient(sq, 0xFFFFFFFF, HsvToColor({m_hsv.hue, 1.0, 1.0}), false);
        context.FillGradient(sq, 0x00000000, 0xFF000000, true);
        const int x = sq.left + static_cast<int>(m_hsv.saturation * (sq.GetWidth() - 1) + 0.5);
        const int y = sq.top + static_cast<int>((1.0 - m_hsv.value) * (sq.GetHeight() - 1) + 0.5);
        context.DrawArc({x - ring - 1, y - ring - 1, x + ring + 1, y + ring + 1}, 0, 360, 1, 0x80000000);
        context.DrawArc({x - ring, y - ring, x + ring, y + ring}, 0, 360, 2, 0xFFFFFFFF);
        context.PopClip();
    }

    const UIRect bar = GetBarRect();
    if (!bar.IsEmpty()) {
        for (int i = 0; i < kHueSegments; ++i) {
            const int left = bar.left + bar.GetWidth() * i / kHueSegments;
            const int right = bar.left + bar.GetWidth() * (i + 1) / kHueSegments;
            context.FillGradient({left, bar.top, right, bar.bottom}, kHueStops[i], kHueStops[i + 1], false);
        }
        const int x = bar.left + static_cast<int>(m_hsv.hue / 360.0 * (bar.GetWidth() - 1) + 0.5);
        const int half = std::max(2, Scale(3));
        const UIRect marker{x - half, bar.top - Scale(2), x + half, bar.bottom + Scale(2)};
        context.FillRoundRect(marker, Scale(2), Scale(2), 0xFFFFFFFF);
        context.DrawRect(marker, 1, 0x80000000, Scale(2), Scale(2));
    }
}

}  // namespace dw::ui
