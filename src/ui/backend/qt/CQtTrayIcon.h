#pragma once

// ITrayIcon over QSystemTrayIcon. Clicks arrive as TrayEvent with the pointer's screen position.

#include <QSystemTrayIcon>

#include <functional>
#include <memory>

#include "ui/core/IUIBackend.h"

namespace dw::ui::qt {

class CQtTrayIcon : public ITrayIcon {
public:
    explicit CQtTrayIcon(std::function<void(TrayEvent, UIPoint)> onEvent);
    ~CQtTrayIcon() override;

    void SetIcon(const std::wstring& imagePath) override;
    void SetToolTip(const std::wstring& text) override;
    void SetVisible(bool visible) override;
    std::optional<UIRect> GetGeometry() const override;

private:
    std::unique_ptr<QSystemTrayIcon> m_icon;
};

}  // namespace dw::ui::qt
