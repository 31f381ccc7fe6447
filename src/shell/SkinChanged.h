#pragma once

// A skin change as the skin observer announces it to the windows that follow it.

#include <string>

#include "ui/core/UIDefs.h"

namespace dw {

struct SkinChangedParam {
    ui::UIColor bkColor = 0;  // 0: no colour chosen
    std::wstring bgImage;     // empty: no image chosen
};

class ISkinChangedReceiver {
public:
    virtual ~ISkinChangedReceiver() = default;
    virtual void OnSkinChanged(const SkinChangedParam& param) = 0;
};

}  // namespace dw
