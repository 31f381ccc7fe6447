#pragma once

#include "ui/core/CLabelUI.h"

namespace dw::ui {

// A clickable label. Images and colours per state: normal, hot (pointer over it), pushed
// (pressed with the pointer still over it), focused and disabled. Raises "click" when the
// left button is released over the button that received the press, and on Enter or Space
// while it has the keyboard focus.
class CButtonUI : public CLabelUI {
public:
    CButtonUI();
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UINT GetControlFlags() const override;

    bool Activate() override;
    void SetEnabled(bool enabled = true) override;
    void DoEvent(TEventUI& event) override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintBkColor(IRenderContext& context) override;
    void PaintStatusImage(IRenderContext& context) override;
    void PaintText(IRenderContext& context) override;

    UINT GetButtonState() const { return m_buttonState; }

    const std::wstring& GetNormalImage() const { return m_normalImage; }
    void SetNormalImage(const std::wstring& image);
    const std::wstring& GetHotImage() const { return m_hotImage; }
    void SetHotImage(const std::wstring& image);
    const std::wstring& GetPushedImage() const { return m_pushedImage; }
    void SetPushedImage(const std::wstring& image);
    const std::wstring& GetFocusedImage() const { return m_focusedImage; }
    void SetFocusedImage(const std::wstring& image);
    const std::wstring& GetDisabledImage() const { return m_disabledImage; }
    void SetDisabledImage(const std::wstring& image);
    const std::wstring& GetHotForeImage() const { return m_hotForeImage; }
    void SetHotForeImage(const std::wstring& image);
    UIColor GetHotBkColor() const { return m_hotBkColor; }
    void SetHotBkColor(UIColor color);
    UIColor GetPushedBkColor() const { return m_pushedBkColor; }
    void SetPushedBkColor(UIColor color);
    UIColor GetDisabledBkColor() const { return m_disabledBkColor; }
    void SetDisabledBkColor(UIColor color);
    UIColor GetHotTextColor() const { return m_hotTextColor; }
    void SetHotTextColor(UIColor color);
    UIColor GetPushedTextColor() const { return m_pushedTextColor; }
    void SetPushedTextColor(UIColor color);
    UIColor GetFocusedTextColor() const { return m_focusedTextColor; }
    void SetFocusedTextColor(UIColor color);

protected:
    // Image and colours for the current state; options override for their selected state.
    virtual const std::wstring& StateImage() const;
    virtual UIColor StateBkColor() const;
    virtual UIColor StateTextColor() const;

    UINT m_buttonState = 0;
    std::wstring m_normalImage;
    std::wstring m_hotImage;
    std::wstring m_pushedImage;
    std::wstring m_focusedImage;
    std::wstring m_disabledImage;
    std::wstring m_hotForeImage;
    UIColor m_hotBkColor = 0;
    UIColor m_pushedBkColor = 0;
    UIColor m_disabledBkColor = 0;
    UIColor m_hotTextColor = 0;
    UIColor m_pushedTextColor = 0;
    UIColor m_focusedTextColor = 0;
};

}  // namespace dw::ui
