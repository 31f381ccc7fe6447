#include "ui/backend/qt/CQtTrayIcon.h"

#include <QCursor>
#include <QIcon>

#include "ui/backend/qt/QtConvert.h"

namespace dw::ui::qt {

CQtTrayIcon::CQtTrayIcon(std::function<void(TrayEvent, UIPoint)> onEvent) : m_icon(std::make_unique<QSystemTrayIcon>())
{
    QObject::connect(m_icon.get(), &QSystemTrayIcon::activated,
                     [onEvent = std::move(onEvent)](QSystemTrayIcon::ActivationReason reason) {
                         const QPoint pos = QCursor::pos();
                         const UIPoint point{pos.x(), pos.y()};
                         switch (reason) {
                         case QSystemTrayIcon::Trigger:
                             onEvent(TrayEvent::LeftClick, point);
                             break;
                         case QSystemTrayIcon::Context:
                             onEvent(TrayEvent::RightClick, point);
                             break;
                         case QSystemTrayIcon::DoubleClick:
                             onEvent(TrayEvent::DoubleClick, point);
                             break;
                         default:
                             break;
                         }
                     });
}

CQtTrayIcon::~CQtTrayIcon()
{
    m_icon->hide();
}

void CQtTrayIcon::SetIcon(const std::wstring& imagePath)
{
    m_icon->setIcon(QIcon(ToQString(imagePath)));
}

void CQtTrayIcon::SetToolTip(const std::wstring& text)
{
    m_icon->setToolTip(ToQString(text));
}

void CQtTrayIcon::SetVisible(bool visible)
{
    m_icon->setVisible(visible);
}

std::optional<UIRect> CQtTrayIcon::GetGeometry() const
{
    const QRect rc = m_icon->geometry();
    if (rc.isEmpty())
        return std::nullopt;
    return ToUIRect(rc);
}

}  // namespace dw::ui::qt
