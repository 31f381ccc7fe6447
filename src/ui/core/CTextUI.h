#pragma once

#include "ui/core/CLabelUI.h"

namespace dw::ui {

// Text over several lines: word-wrapped at the control's width, top-aligned by default.
class CTextUI : public CLabelUI {
public:
    CTextUI();
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
};

}  // namespace dw::ui
