#pragma once

#include "ui/core/CVerticalLayoutUI.h"

namespace dw::ui {

class CComboUI;

// The scrolling column of a combo's pop-up. It shows the combo's items without owning them:
// Borrow attaches them to the pop-up's paint manager, GiveBack returns them to the combo's.
class CComboBodyUI : public CVerticalLayoutUI {
public:
    explicit CComboBodyUI(CComboUI& owner);
    ~CComboBodyUI() override;

    std::wstring GetClass() const override;

    void Borrow();
    void GiveBack();
    void EnsureVisible(int index);

    // Keys and wheel turns that reach the column go to the combo.
    void DoEvent(TEventUI& event) override;

private:
    CComboUI& m_owner;
};

}  // namespace dw::ui
