#pragma once

// A window without a display: it keeps what the window asked for (geometry, visibility, state,
// caption, cursor, repaint requests, system moves) so tests can look at it, and paints only when
// the headless backend renders it into an image.

#include <string>

#include "ui/core/IUIBackend.h"

namespace dw::ui::headless {

class CHeadlessBackend;

class CHeadlessWindowHost : public IWindowHost {
public:
    CHeadlessWindowHost(CHeadlessBackend& backend, CWindowWnd& window, const WindowCreateParams& params,
                        PaintCallback paint);
    ~CHeadlessWindowHost() override;

    void SetCaption(const std::wstring& caption) override { m_caption = caption; }
    void SetRect(const UIRect& screenRect) override;
    UIRect GetRect() const override { return m_rect; }
    void Show(ShowCommand command) override;
    bool IsVisible() const override { return m_visible; }
    bool IsMinimized() const override { return m_minimized; }
    bool IsMaximized() const override { return m_maximized; }
    void SetTopMost(bool topMost) override { m_topMost = topMost; }
    void Activate() override;
    void SetIcon(const std::wstring& imagePath) override { m_icon = imagePath; }
    void SetMinSize(UISize size) override { m_minSize = size; }
    void SetRoundCorner(int radius) override { m_roundCorner = radius; }
    void SetTranslucent(bool translucent) override { m_translucent = translucent; }
    void Invalidate(const UIRect& rc) override;
    void SetCursor(CursorShape shape) override { m_cursor = shape; }
    void SetCapture(bool capture) override { m_captured = capture; }
    void BeginSystemMove() override { ++m_systemMoves; }
    void SetImeCursorRect(const UIRect& rc) override { m_imeRect = rc; }
    double GetDevicePixelRatio() const override { return m_devicePixelRatio; }
    void Destroy() override;

    // What tests look at.
    CWindowWnd* GetWindow() const { return m_window; }
    const WindowCreateParams& GetCreateParams() const { return m_params; }
    const std::wstring& GetCaption() const { return m_caption; }
    const std::wstring& GetIcon() const { return m_icon; }
    bool IsTopMost() const { return m_topMost; }
    bool IsCaptured() const { return m_captured; }
    UISize GetMinSize() const { return m_minSize; }
    int GetRoundCorner() const { return m_roundCorner; }
    CursorShape GetCursor() const { return m_cursor; }
    UIRect GetImeCursorRect() const { return m_imeRect; }
    int GetSystemMoveCount() const { return m_systemMoves; }
    // Repaint requests since the last render: how many, and the area they cover.
    int GetInvalidateCount() const { return m_invalidateCount; }
    UIRect GetInvalidRect() const { return m_invalid; }
    void SetDevicePixelRatio(double ratio) { m_devicePixelRatio = ratio; }

    // Paints the whole window into the context (the backend's renderer calls this).
    void Paint(IRenderContext& context);
    // Sends a message to the window as native input would; 0 when the window is gone.
    LRESULT Deliver(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    CHeadlessBackend& m_backend;
    CWindowWnd* m_window;
    HWND m_hwnd;
    WindowCreateParams m_params;
    PaintCallback m_paint;
    std::wstring m_caption;
    std::wstring m_icon;
    UIRect m_rect;
    UIRect m_restoredRect;
    bool m_visible = false;
    bool m_minimized = false;
    bool m_maximized = false;
    bool m_topMost = false;
    bool m_captured = false;
    bool m_translucent = false;
    UISize m_minSize;
    int m_roundCorner = 0;
    CursorShape m_cursor = CursorShape::Arrow;
    UIRect m_imeRect;
    int m_systemMoves = 0;
    int m_invalidateCount = 0;
    UIRect m_invalid;
    double m_devicePixelRatio = 1.0;
};

}  // namespace dw::ui::headless
