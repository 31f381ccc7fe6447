#pragma once

// A decoded image held as a premultiplied QImage, ready to be drawn by CQtRenderContext.

#include <QImage>

#include "ui/core/IRenderContext.h"

namespace dw::ui::qt {

class CQtImage : public UIImage {
public:
    explicit CQtImage(QImage image);

    int GetWidth() const override { return m_image.width(); }
    int GetHeight() const override { return m_image.height(); }
    UIColor GetPixel(int x, int y) const override;

    const QImage& GetQImage() const { return m_image; }

    // Decodes PNG, JPEG or BMP bytes; null when they are not an image.
    static std::shared_ptr<UIImage> Decode(const std::vector<uint8_t>& bytes);

private:
    QImage m_image;
};

}  // namespace dw::ui::qt
