#include "ui/backend/qt/CQtImage.h"

#include <climits>

namespace dw::ui::qt {

CQtImage::CQtImage(QImage image) : m_image(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {}

UIColor CQtImage::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return 0;
    return static_cast<UIColor>(m_image.pixelColor(x, y).rgba());
}

std::shared_ptr<UIImage> CQtImage::Decode(const std::vector<uint8_t>& bytes)
{
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX))
        return nullptr;
    QImage image;
    if (!image.loadFromData(bytes.data(), static_cast<int>(bytes.size())) || image.isNull())
        return nullptr;
    return std::make_shared<CQtImage>(std::move(image));
}

}  // namespace dw::ui::qt
