#pragma once

// Basic types of the window library: geometry, colours, message parameters and window handles.
// Texts are wide strings throughout the library, files are UTF-8.

#include <algorithm>
#include <cstdint>
#include <string>

namespace dw::ui {

using UINT = uint32_t;
using DWORD = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

class CWindowWnd;
// A window handle: an opaque id handed out by the message loop. A message sent or posted to a
// handle whose window is gone is dropped; the handle is never dereferenced by callers.
struct UIWindowHandle_;
using HWND = UIWindowHandle_*;

// 0xAARRGGBB, as the skin writes it ("#FF1E1E1E"). An alpha of 0 means "not set".
using UIColor = uint32_t;

struct UIPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const UIPoint&, const UIPoint&) = default;
};

struct UISize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const UISize&, const UISize&) = default;
};

struct UIRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int GetWidth() const { return right - left; }
    int GetHeight() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(UIPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void Offset(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    // Shrinks by a padding or inset rectangle (each side by its own amount).
    void Deflate(const UIRect& by) { left += by.left; top += by.top; right -= by.right; bottom -= by.bottom; }
    UIRect Intersect(const UIRect& o) const
    {
        UIRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
        if (r.IsEmpty())
            return {};
        return r;
    }
    UIRect Union(const UIRect& o) const
    {
        if (IsEmpty())
            return o;
        if (o.IsEmpty())
            return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
    }
    friend bool operator==(const UIRect&, const UIRect&) = default;
};

inline constexpr LPARAM MakeLParam(int low, int high)
{
    return static_cast<LPARAM>((static_cast<uint32_t>(static_cast<uint16_t>(low))) |
                               (static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16));
}
// Signed coordinates packed as a window message carries them.
inline constexpr int GetXLParam(LPARAM l) { return static_cast<int16_t>(static_cast<uint32_t>(l) & 0xFFFF); }
inline constexpr int GetYLParam(LPARAM l) { return static_cast<int16_t>((static_cast<uint32_t>(l) >> 16) & 0xFFFF); }
inline constexpr uint16_t LoWord(uintptr_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
inline constexpr uint16_t HiWord(uintptr_t v) { return static_cast<uint16_t>((v >> 16) & 0xFFFF); }

}  // namespace dw::ui
