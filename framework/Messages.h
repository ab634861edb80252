// Window messages: the record every message travels in, and the message
// numbers the framework uses.
#pragma once

#include <cstdint>

namespace vcl {

// Msg is 32 bits; WParam, LParam and Result are pointer-sized, as the platform
// defines them on 64-bit systems, because LParam carries control references.
struct TMessage {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

enum : uint32_t {
    WM_NULL = 0x0000,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_SHOWWINDOW = 0x0018,
    WM_SETCURSOR = 0x0020,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,

    CM_BASE = 0xB000,
    CM_ACTIVATE = CM_BASE + 0,
    CM_DEACTIVATE = CM_BASE + 1,
    CM_ENABLEDCHANGED = CM_BASE + 4,
    CM_COLORCHANGED = CM_BASE + 5,
    CM_FONTCHANGED = CM_BASE + 6,
    CM_VISIBLECHANGED = CM_BASE + 9,
    CM_TEXTCHANGED = CM_BASE + 18,
    CM_MOUSEENTER = 0xB013,
    CM_MOUSELEAVE = 0xB014,
};

// Key state bits carried in WParam of mouse messages.
enum : uintptr_t { MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004, MK_CONTROL = 0x0008, MK_MBUTTON = 0x0010 };

// Virtual-key codes the controls handle.
enum : uintptr_t {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_DELETE = 0x2E,
    VK_F4 = 0x73,
};

// Mouse messages carry client coordinates packed in LParam, low word x.
inline intptr_t PointToLParam(int32_t x, int32_t y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                                 static_cast<uint16_t>(x));
}
inline int32_t LParamX(intptr_t lp) { return static_cast<int16_t>(lp & 0xFFFF); }
inline int32_t LParamY(intptr_t lp) { return static_cast<int16_t>((lp >> 16) & 0xFFFF); }

}  // namespace vcl
