#pragma once

#include "ui/core/CContainerUI.h"

namespace dw::ui {

// Pages over the same area: exactly one child (the selected one) is visible. Selecting another
// page raises "tabselect" with the new index in wParam and the old one in lParam.
class CTabLayoutUI : public CContainerUI {
public:
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    void RemoveAll() override;
    int GetCurSel() const { return m_curSel; }
    // False when the index is out of range; selecting the current page changes nothing.
    virtual bool SelectItem(int index, bool triggerEvent = true);
    virtual bool SelectItem(CControlUI* control, bool triggerEvent = true);
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;

protected:
    void SetChildrenPos(const UIRect& client) override;

private:
    void ApplyVisibility();
    int m_curSel = -1;
    int m_pendingSel = -1;  // "selectedid" read before its page was added
};

}  // namespace dw::ui
