#pragma once

// IWindowHost over a CQtHostWidget: a real top-level window, frameless where the skin draws its
// own caption.

#include <QPointer>

#include "ui/backend/qt/CQtHostWidget.h"
#include "ui/core/IUIBackend.h"

namespace dw::ui::qt {

class CQtBackend;

class CQtWindowHost : public IWindowHost {
public:
    CQtWindowHost(CQtBackend& backend, CWindowWnd& window, const WindowCreateParams& params, PaintCallback paint);
    ~CQtWindowHost() override;

    void SetCaption(const std::wstring& caption) override;
    void SetRect(const UIRect& screenRect) override;
    UIRect GetRect() const override;
    void Show(ShowCommand command) override;
    bool IsVisible() const override;
    bool IsMinimized() const override;
    bool IsMaximized() const override;
    void SetTopMost(bool topMost) override;
    void Activate() override;
    void SetIcon(const std::wstring& imagePath) override;
    void SetMinSize(UISize size) override;
    void SetRoundCorner(int radius) override;
    void SetTranslucent(bool translucent) override;
    void Invalidate(const UIRect& rc) override;
    void SetCursor(CursorShape shape) override;
    void SetCapture(bool capture) override;
    void BeginSystemMove() override;
    void SetImeCursorRect(const UIRect& rc) override;
    double GetDevicePixelRatio() const override;
    void Destroy() override;

    CQtHostWidget* GetWidget() const { return m_widget; }

private:
    CQtBackend& m_backend;
    HWND m_hwnd;
    QPointer<CQtHostWidget> m_widget;
};

}  // namespace dw::ui::qt
