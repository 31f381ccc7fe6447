#pragma once

#include "ui/core/CButtonUI.h"

namespace dw::ui {

// A button with a selected state. Options of the same group (the paint manager's option
// groups) are exclusive: selecting one unselects the others, and clicking the selected one
// keeps it selected. Without a group a click toggles. "selectchanged" is raised once per
// change of this option's state, by the option whose state changed.
class COptionUI : public CButtonUI {
public:
    ~COptionUI() override;
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    bool Activate() override;
    void SetEnabled(bool enabled = true) override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(IRenderContext& context) override;

    const std::wstring& GetGroup() const { return m_group; }
    void SetGroup(const std::wstring& group);
    bool IsSelected() const { return m_selected; }
    // Changes the state; raises "selectchanged" when it changed and triggerEvent is set.
    virtual void Selected(bool selected, bool triggerEvent = true);

    const std::wstring& GetSelectedImage() const { return m_selectedImage; }
    void SetSelectedImage(const std::wstring& image);
    const std::wstring& GetSelectedHotImage() const { return m_selectedHotImage; }
    void SetSelectedHotImage(const std::wstring& image);
    const std::wstring& GetSelectedForeImage() const { return m_selectedForeImage; }
    void SetSelectedForeImage(const std::wstring& image);
    UIColor GetSelectedTextColor() const { return m_selectedTextColor; }
    void SetSelectedTextColor(UIColor color);
    UIColor GetSelectedBkColor() const { return m_selectedBkColor; }
    void SetSelectedBkColor(UIColor color);

protected:
    const std::wstring& StateImage() const override;
    UIColor StateBkColor() const override;
    UIColor StateTextColor() const override;

    bool m_selected = false;
    std::wstring m_group;
    std::wstring m_selectedImage;
    std::wstring m_selectedHotImage;
    std::wstring m_selectedForeImage;
    UIColor m_selectedTextColor = 0;
    UIColor m_selectedBkColor = 0;
};

}  // namespace dw::ui
