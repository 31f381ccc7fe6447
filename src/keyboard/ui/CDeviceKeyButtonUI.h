#pragma once

// One key (or one light) of a device page's picture: a button that also shows a preview colour.
// The page binds it to a key by its name ("key_N") and to a light by its user data
// ("light_N"); the lighting preview then tints it with the light's colour and brightness.
//
// Painting: the normal button, then (preview on) the colour swatch in the preview colour at the
// preview alpha with the light image over it, then the "unset" image when that mark is on and
// the "set" image when that mark is on. A double click sends "dbclick".

#include <cstdint>

#include "ui/core/CButtonUI.h"

namespace dw {

class CDeviceKeyButtonUI : public ui::CButtonUI {
public:
    // The element name of the layouts and the class name of GetClass.
    static constexpr const wchar_t* kClassName = L"DeviceKeyButton";

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    void DoEvent(ui::TEventUI& event) override;
    ui::AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(ui::IRenderContext& context) override;

    // Preview colour as 0xFFRRGGBB and its alpha (the light's brightness, 255 opaque).
    void SetPreviewColour(uint8_t red, uint8_t green, uint8_t blue);
    ui::UIColor GetPreviewColour() const { return m_previewColour; }
    void SetPreviewAlpha(uint8_t alpha);
    uint8_t GetPreviewAlpha() const { return m_previewAlpha; }
    // The swatch is drawn only while the preview is on.
    void SetPreview(bool on);
    bool IsPreview() const { return m_preview; }

    // "set" mark: the key being edited; "unset" mark: a key at its default assignment.
    void SetSetMark(bool on);
    bool HasSetMark() const { return m_setMark; }
    void SetUnsetMark(bool on);
    bool HasUnsetMark() const { return m_unsetMark; }

    // Chosen by a rubber-band selection of the select panel.
    void SetSelected(bool selected);
    bool IsSelected() const { return m_selected; }

    const std::wstring& GetLightImage() const { return m_lightImage; }
    const std::wstring& GetKeySetImage() const { return m_keySetImage; }
    const std::wstring& GetKeyUnsetImage() const { return m_keyUnsetImage; }

    // The swatch colour as painted: the preview colour with the preview alpha.
    ui::UIColor SwatchColour() const;

private:
    std::wstring m_lightImage;
    std::wstring m_keySetImage;
    std::wstring m_keyUnsetImage;
    ui::UIColor m_previewColour = 0xFFFFFFFF;
    uint8_t m_previewAlpha = 255;
    bool m_preview = false;
    bool m_setMark = false;
    bool m_unsetMark = false;
    bool m_selected = false;
};

}  // namespace dw
