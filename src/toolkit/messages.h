// Window messages, their parameters and the virtual-key codes, with the
// Windows numbers, so that code written against the classic toolkit keeps its
// constants.
#pragma once

#include <cstdint>

namespace kvc {

using Word = std::uint16_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
// A window handle: a non-zero integer made on demand; 0 means no window.
using HWND = std::uintptr_t;

struct TMessage {
    unsigned Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

inline constexpr unsigned WM_MOVE = 0x0003;
inline constexpr unsigned WM_SIZE = 0x0005;
inline constexpr unsigned WM_SETFOCUS = 0x0007;
inline constexpr unsigned WM_KILLFOCUS = 0x0008;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_NEXTDLGCTL = 0x0028;
inline constexpr unsigned WM_KEYDOWN = 0x0100;
inline constexpr unsigned WM_KEYUP = 0x0101;
inline constexpr unsigned WM_CHAR = 0x0102;
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;
inline constexpr unsigned WM_LBUTTONUP = 0x0202;
// WParam: the wheel's turn in its high word (WHEEL_DELTA a notch, positive
// away from the user), the keys in the low word; LParam: the screen point.
inline constexpr unsigned WM_MOUSEWHEEL = 0x020A;
inline constexpr int WHEEL_DELTA = 120;
inline constexpr unsigned WM_USER = 0x0400;

// The toolkit's own messages, in the range the classic toolkit used.
inline constexpr unsigned CM_BASE = 0xB000;
// Sent to a form when its focus is about to move; LParam is the control
// that receives it (the form's ActiveControl already).
inline constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr unsigned CM_RELEASE = CM_BASE + 33;

inline constexpr LPARAM MakeLParam(int low, int high) {
    return LPARAM((std::uint32_t(std::uint16_t(low))) | (std::uint32_t(std::uint16_t(high)) << 16));
}

inline constexpr Word VK_LBUTTON = 1;
inline constexpr Word VK_BACK = 8;
inline constexpr Word VK_TAB = 9;
inline constexpr Word VK_RETURN = 13;
inline constexpr Word VK_SHIFT = 16;
inline constexpr Word VK_CONTROL = 17;
inline constexpr Word VK_MENU = 18;
inline constexpr Word VK_ESCAPE = 27;
inline constexpr Word VK_SPACE = 32;
inline constexpr Word VK_PRIOR = 33;
inline constexpr Word VK_NEXT = 34;
inline constexpr Word VK_END = 35;
inline constexpr Word VK_HOME = 36;
inline constexpr Word VK_LEFT = 37;
inline constexpr Word VK_UP = 38;
inline constexpr Word VK_RIGHT = 39;
inline constexpr Word VK_DOWN = 40;
inline constexpr Word VK_INSERT = 45;
inline constexpr Word VK_DELETE = 46;
inline constexpr Word VK_F1 = 112;
inline constexpr Word VK_F2 = 113;
inline constexpr Word VK_F3 = 114;
inline constexpr Word VK_F4 = 115;

} // namespace kvc
