#include "keyboard/ui/CDeviceKeyButtonUI.h"

#include "ui/core/UIAttributeParse.h"
#include "ui/core/UIMessages.h"
#include "ui/core/UIString.h"

namespace dw {

std::wstring CDeviceKeyButtonUI::GetClass() const { return kClassName; }

void* CDeviceKeyButtonUI::GetInterface(std::wstring_view name)
{
    if (name == kClassName)
        return this;
    return ui::CButtonUI::GetInterface(name);
}

void CDeviceKeyButtonUI::DoEvent(ui::TEventUI& event)
{
    if (event.Type == ui::UIEventType::DblClick && IsEnabled() && m_rcItem.Contains(event.ptMouse))
        SendNotify(ui::notify::kDbClick);
    ui::CButtonUI::DoEvent(event);
}

ui::AttributeResult CDeviceKeyButtonUI::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (ui::EqualsNoCase(name, L"lightimage")) {
        m_lightImage = std::wstring(value);
        Invalidate();
        return ui::AttributeResult::Ok;
    }
    if (ui::EqualsNoCase(name, L"keysetimage")) {
        m_keySetImage = std::wstring(value);
        Invalidate();
        return ui::AttributeResult::Ok;
    }
    if (ui::EqualsNoCase(name, L"keyunsetimage")) {
        m_keyUnsetImage = std::wstring(value);
        Invalidate();
        return ui::AttributeResult::Ok;
    }
    if (ui::EqualsNoCase(name, L"gmnametextcolor")) {
        // The "#" is optional here; the colour parser accepts either form.
        const auto colour = ui::ParseColor(value);
        if (!colour)
            return ui::AttributeResult::Malformed;
        SetTextColor(*colour);
        return ui::AttributeResult::Ok;
    }
    return ui::CButtonUI::SetAttribute(name, value);
}

void CDeviceKeyButtonUI::PaintStatusImage(ui::IRenderContext& context)
{
    ui::CButtonUI::PaintStatusImage(context);
    if (m_preview) {
        // The render context cannot tint an image, so the colour is laid down as a swatch and
        // the light image (a mask-like overlay in the skin) is drawn over it.
        if (m_previewAlpha != 0)
            context.FillRect(m_rcItem, SwatchColour());
        if (!m_lightImage.empty())
            DrawImage(context, m_lightImage);
    }
    if (m_unsetMark && !m_keyUnsetImage.empty())
        DrawImage(context, m_keyUnsetImage);
    if (m_setMark && !m_keySetImage.empty())
        DrawImage(context, m_keySetImage);
}

void CDeviceKeyButtonUI::SetPreviewColour(uint8_t red, uint8_t green, uint8_t blue)
{
    const ui::UIColor colour = 0xFF000000u | (ui::UIColor{red} << 16) | (ui::UIColor{green} << 8) | blue;
    if (colour == m_previewColour)
        return;
    m_previewColour = colour;
    if (m_preview)
        Invalidate();
}

void CDeviceKeyButtonUI::SetPreviewAlpha(uint8_t alpha)
{
    if (alpha == m_previewAlpha)
        return;
    m_previewAlpha = alpha;
    if (m_preview)
        Invalidate();
}

void CDeviceKeyButtonUI::SetPreview(bool on)
{
    if (on == m_preview)
        return;
    m_preview = on;
    Invalidate();
}

void CDeviceKeyButtonUI::SetSetMark(bool on)
{
    if (on == m_setMark)
        return;
    m_setMark = on;
    Invalidate();
}

void CDeviceKeyButtonUI::SetUnsetMark(bool on)
{
    if (on == m_unsetMark)
        return;
    m_unsetMark = on;
    Invalidate();
}

void CDeviceKeyButtonUI::SetSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    Invalidate();
}

ui::UIColor CDeviceKeyButtonUI::SwatchColour() const
{
    return (m_previewColour & 0x00FFFFFFu) | (ui::UIColor{m_previewAlpha} << 24);
}

}  // namespace dw
