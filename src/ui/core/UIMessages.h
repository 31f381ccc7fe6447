#pragma once

// Window message numbers and notification type names, in one place. The numbers of the
// standard messages keep their customary values so that the program's own message numbers
// (WM_USER + n, 3090, 0x0D01, ...) keep theirs too.

#include "ui/core/UIDefs.h"

namespace dw::ui {

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_ENABLE = 0x000A;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_GETMINMAXINFO = 0x0024;
inline constexpr UINT WM_COPYDATA = 0x004A;
inline constexpr UINT WM_NCDESTROY = 0x0082;
inline constexpr UINT WM_NCHITTEST = 0x0084;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;
inline constexpr UINT WM_IME_COMPOSITION = 0x010F;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_MOUSELEAVE = 0x02A3;
inline constexpr UINT WM_MOUSEHOVER = 0x02A1;
inline constexpr UINT WM_POWERBROADCAST = 0x0218;
inline constexpr UINT WM_DEVICECHANGE = 0x0219;
inline constexpr UINT WM_DISPLAYCHANGE = 0x007E;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

// WM_SYSCOMMAND values.
inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_MAXIMIZE = 0xF030;
inline constexpr WPARAM SC_CLOSE = 0xF060;
inline constexpr WPARAM SC_RESTORE = 0xF120;

// WM_POWERBROADCAST values.
inline constexpr WPARAM PBT_APMSUSPEND = 0x0004;
inline constexpr WPARAM PBT_APMRESUMESUSPEND = 0x0007;
inline constexpr WPARAM PBT_APMRESUMEAUTOMATIC = 0x0012;

// Modifier bits carried in wParam of mouse messages.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;

// Virtual key codes used by the library and the program (Windows values, so key tables that
// store them keep their numbers).
inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_TAB = 0x09;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_SHIFT = 0x10;
inline constexpr UINT VK_CONTROL = 0x11;
inline constexpr UINT VK_MENU = 0x12;
inline constexpr UINT VK_ESCAPE = 0x1B;
inline constexpr UINT VK_SPACE = 0x20;
inline constexpr UINT VK_PRIOR = 0x21;
inline constexpr UINT VK_NEXT = 0x22;
inline constexpr UINT VK_END = 0x23;
inline constexpr UINT VK_HOME = 0x24;
inline constexpr UINT VK_LEFT = 0x25;
inline constexpr UINT VK_UP = 0x26;
inline constexpr UINT VK_RIGHT = 0x27;
inline constexpr UINT VK_DOWN = 0x28;
inline constexpr UINT VK_INSERT = 0x2D;
inline constexpr UINT VK_DELETE = 0x2E;

// The menu window reports the chosen item's name to its owner with this message.
inline constexpr UINT WM_MENUCLICK = 1145;

}  // namespace dw::ui

// Notification type names raised by controls (TNotifyUI::sType).
namespace dw::ui::notify {
inline constexpr const wchar_t* kWindowInit = L"windowinit";
inline constexpr const wchar_t* kClick = L"click";
inline constexpr const wchar_t* kDbClick = L"dbclick";
inline constexpr const wchar_t* kMenu = L"menu";
inline constexpr const wchar_t* kReturn = L"return";
inline constexpr const wchar_t* kTextChanged = L"textchanged";
inline constexpr const wchar_t* kSetFocus = L"setfocus";
inline constexpr const wchar_t* kKillFocus = L"killfocus";
inline constexpr const wchar_t* kSelectChanged = L"selectchanged";
inline constexpr const wchar_t* kItemSelect = L"itemselect";
inline constexpr const wchar_t* kItemClick = L"itemclick";
inline constexpr const wchar_t* kItemActivate = L"itemactivate";
inline constexpr const wchar_t* kDropDown = L"dropdown";
inline constexpr const wchar_t* kValueChanged = L"valuechanged";
inline constexpr const wchar_t* kMoveValueChanged = L"movevaluechanged";
inline constexpr const wchar_t* kTimer = L"timer";
inline constexpr const wchar_t* kMouseEnter = L"mouseenter";
inline constexpr const wchar_t* kMouseLeave = L"mouseleave";
inline constexpr const wchar_t* kButtonDown = L"buttondown";
inline constexpr const wchar_t* kScroll = L"scroll";
inline constexpr const wchar_t* kColorChanged = L"colorchanged";
inline constexpr const wchar_t* kTabSelect = L"tabselect";
inline constexpr const wchar_t* kHeaderClick = L"headerclick";
inline constexpr const wchar_t* kShowActivex = L"showactivex";
inline constexpr const wchar_t* kWindowSize = L"windowsize";
}  // namespace dw::ui::notify
