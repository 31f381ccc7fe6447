#pragma once

#include "ui/core/CProgressUI.h"

namespace dw::ui {

// A progress bar with a thumb the user moves. Dragging the thumb raises "movevaluechanged" each
// time the value changes and one "valuechanged" when the button is released (only when the
// value differs from the one at the press, so a click on the thumb does nothing). A press on the
// track moves the thumb there and goes on as a drag. Arrow keys, PageUp/PageDown, Home/End and
// the wheel change the value by the step (a page is a tenth of the range, at least one step)
// and raise "valuechanged" at once. Values set by the user are rounded to the step counted from
// the minimum; values set by the program are only clamped.
class CSliderUI : public CProgressUI {
public:
    std::wstring GetClass() const override;
    void* GetInterface(std::wstring_view name) override;
    UINT GetControlFlags() const override;

    int GetChangeStep() const { return m_step; }
    void SetChangeStep(int step);
    // Thumb size in 96-DPI units; GetThumbSize returns it scaled.
    UISize GetThumbSize() const;
    void SetThumbSize(UISize size);
    // Where the thumb is drawn for the current value (window pixels).
    UIRect GetThumbRect() const;
    bool IsDragging() const { return m_dragging; }

    const std::wstring& GetThumbImage() const { return m_thumbImage; }
    void SetThumbImage(const std::wstring& image);
    const std::wstring& GetThumbHotImage() const { return m_thumbHotImage; }
    void SetThumbHotImage(const std::wstring& image);
    const std::wstring& GetThumbPushedImage() const { return m_thumbPushedImage; }
    void SetThumbPushedImage(const std::wstring& image);
    const std::wstring& GetThumbDisabledImage() const { return m_thumbDisabledImage; }
    void SetThumbDisabledImage(const std::wstring& image);
    // With a track thickness (96-DPI units) the background and the fill are drawn as a rounded
    // track of that thickness through the middle instead of over the whole control.
    int GetTrackThickness() const;  // scaled
    void SetTrackThickness(int thickness);
    // Drawn as a round thumb when no thumb image is set.
    UIColor GetThumbColor() const { return m_thumbColor; }
    void SetThumbColor(UIColor color);

    void DoEvent(TEventUI& event) override;
    AttributeResult SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintBkColor(IRenderContext& context) override;
    void PaintStatusImage(IRenderContext& context) override;

private:
    UIRect TrackRect() const;
    // Distance the thumb's leading edge travels from min to max, in pixels.
    int ThumbTravel() const;
    // The value under a pointer position, with the grab offset inside the thumb removed.
    int ValueAtPoint(UIPoint pt) const;
    // Sets a user-chosen value (snapped); true when it changed.
    bool SetUserValue(int value);
    void EndDrag(bool notify);
    void SetThumbState(UINT state);

    static constexpr int kDefaultThumbSize = 16;
    static constexpr int kPageFraction = 10;

    int m_step = 1;
    int m_trackThickness = 0;  // 96-DPI units; 0: the whole control is the track
    UISize m_thumbSize{kDefaultThumbSize, kDefaultThumbSize};  // 96-DPI units
    UINT m_thumbState = 0;
    bool m_dragging = false;
    int m_valueAtPress = 0;
    int m_grabOffset = 0;  // pointer position inside the thumb along the track, pixels
    std::wstring m_thumbImage;
    std::wstring m_thumbHotImage;
    std::wstring m_thumbPushedImage;
    std::wstring m_thumbDisabledImage;
    UIColor m_thumbColor = 0xFFE6E8EB;
};

}  // namespace dw::ui
