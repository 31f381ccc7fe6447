#pragma once

// IRenderContext over a QPainter: the window surface in the Qt backend, a QImage in the
// headless one. Shapes are antialiased; filled rectangles stay on whole pixels so edges are
// crisp at any device pixel ratio.

#include <QPainter>

#include "ui/core/IRenderContext.h"

namespace dw::ui::qt {

class CQtRenderContext : public IRenderContext {
public:
    // The painter must be active and outlive the context.
    explicit CQtRenderContext(QPainter& painter);
    ~CQtRenderContext() override;
    CQtRenderContext(const CQtRenderContext&) = delete;
    CQtRenderContext& operator=(const CQtRenderContext&) = delete;

    void FillRect(const UIRect& rc, UIColor color) override;
    void FillRoundRect(const UIRect& rc, int radiusX, int radiusY, UIColor color) override;
    void FillGradient(const UIRect& rc, UIColor from, UIColor to, bool vertical) override;
    void DrawRect(const UIRect& rc, int width, UIColor color, int radiusX = 0, int radiusY = 0) override;
    void DrawLine(UIPoint from, UIPoint to, int width, UIColor color) override;
    void FillEllipse(const UIRect& rc, UIColor color) override;
    void DrawArc(const UIRect& rc, double startDegrees, double spanDegrees, int width, UIColor color) override;
    void DrawImage(const UIImage& image, const UIRect& dest, const UIImageDrawParams& params) override;
    void DrawText(const std::wstring& text, const UIRect& rc, const UIFontSpec& font, UIColor color,
                  UINT style) override;
    void PushClip(const UIRect& rc) override;
    void PopClip() override;

    // Qt alignment and wrapping flags for the library's text style bits.
    static int ToQtTextFlags(UINT style);

private:
    void DrawPiece(const QImage& image, const QRect& dest, const QRect& source, bool xtiled, bool ytiled);

    QPainter& m_painter;
    int m_clipDepth = 0;
};

}  // namespace dw::ui::qt
