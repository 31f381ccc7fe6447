#pragma once

// What a control needs to paint itself. The Qt backend implements it with QPainter on a
// window surface or on an image (headless rendering); controls never see Qt.

#include <memory>
#include <string>

#include "ui/core/UIDefs.h"

namespace dw::ui {

// A font as the layout describes it (<Font id= name= size= bold= underline= italic=>).
// Sizes are in pixels at 96 DPI; the paint manager scales them before they reach the backend.
struct UIFontSpec {
    std::wstring face;
    int size = 12;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    friend bool operator==(const UIFontSpec&, const UIFontSpec&) = default;
};

// Text drawing flags (DrawText style bits; values as the skin's "align" attributes map them).
namespace text {
inline constexpr UINT kLeft = 0x0000;
inline constexpr UINT kCenter = 0x0001;
inline constexpr UINT kRight = 0x0002;
inline constexpr UINT kVCenter = 0x0004;
inline constexpr UINT kBottom = 0x0008;
inline constexpr UINT kWordBreak = 0x0010;
inline constexpr UINT kSingleLine = 0x0020;
inline constexpr UINT kNoPrefix = 0x0800;
inline constexpr UINT kEndEllipsis = 0x8000;
}  // namespace text

// A decoded image (PNG, JPEG, BMP). Owned by the resource cache of the paint manager.
class UIImage {
public:
    virtual ~UIImage() = default;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    // ARGB pixel, for colour pickers that read their palette image; 0 outside the image.
    virtual UIColor GetPixel(int x, int y) const = 0;
};

// How one image is drawn: the part of the image (source, whole image when empty), nine-patch
// corners that are not stretched, fade (255 opaque) and tiling.
struct UIImageDrawParams {
    UIRect source;
    UIRect corners;
    uint8_t fade = 255;
    bool hole = false;     // with corners: leave the middle out
    bool xtiled = false;
    bool ytiled = false;
};

class IRenderContext {
public:
    virtual ~IRenderContext() = default;

    virtual void FillRect(const UIRect& rc, UIColor color) = 0;
    virtual void FillRoundRect(const UIRect& rc, int radiusX, int radiusY, UIColor color) = 0;
    // Two-colour linear gradient, top to bottom when vertical, else left to right.
    virtual void FillGradient(const UIRect& rc, UIColor from, UIColor to, bool vertical) = 0;
    // Border inside rc; radius 0 draws square corners.
    virtual void DrawRect(const UIRect& rc, int width, UIColor color, int radiusX = 0, int radiusY = 0) = 0;
    virtual void DrawLine(UIPoint from, UIPoint to, int width, UIColor color) = 0;
    virtual void FillEllipse(const UIRect& rc, UIColor color) = 0;
    // Arc inside rc; angles in degrees, 0 at three o'clock, counter-clockwise positive.
    virtual void DrawArc(const UIRect& rc, double startDegrees, double spanDegrees, int width, UIColor color) = 0;
    virtual void DrawImage(const UIImage& image, const UIRect& dest, const UIImageDrawParams& params) = 0;
    virtual void DrawText(const std::wstring& text, const UIRect& rc, const UIFontSpec& font, UIColor color,
                          UINT style) = 0;

    // Everything drawn until the matching PopClip is clipped to rc (and to every outer clip).
    virtual void PushClip(const UIRect& rc) = 0;
    virtual void PopClip() = 0;
};

// Text measurement without a surface; layout needs it before anything is painted.
class ITextMetrics {
public:
    virtual ~ITextMetrics() = default;
    // Size of the text drawn with the flags; with kWordBreak, wrapped to maxWidth.
    virtual UISize MeasureText(const std::wstring& text, const UIFontSpec& font, UINT style, int maxWidth) = 0;
    virtual int LineHeight(const UIFontSpec& font) = 0;
};

}  // namespace dw::ui
