#pragma once

#include "ui/core/COptionUI.h"

namespace dw::ui {

// An option that is never in a group: each click toggles it and raises "selectchanged".
class CCheckBoxUI : public COptionUI {
public:
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    bool GetCheck() const { return IsSelected(); }
    void SetCheck(bool check, bool triggerEvent = true) { Selected(check, triggerEvent); }
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
};

}  // namespace dw::ui
