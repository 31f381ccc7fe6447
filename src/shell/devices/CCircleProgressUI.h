#pragma once

// A progress control drawn as a ring: a full disc in the background colour, a pie in the
// foreground colour that starts at 90 degrees and sweeps value / (maximum - minimum) of the
// full turn, and a white disc inset on every side on top, which leaves the ring.

#include "ui/core/CProgressUI.h"

namespace dw {

class CCircleProgressUI : public ui::CProgressUI {
public:
    static constexpr const wchar_t* kClassName = L"CircleProgress";
    // The white centre is inset this far (96-DPI pixels) from every side.
    static constexpr int kCentreInset = 10;
    static constexpr double kStartDegrees = 90.0;

    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;

    // The pie's sweep in degrees for the current value (0 when the range is empty).
    double SweepDegrees() const;

    void PaintBkColor(ui::IRenderContext& context) override;
    void PaintStatusImage(ui::IRenderContext& context) override;
};

}  // namespace dw
