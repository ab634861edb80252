// The few platform calls the component and its users make, with the
// platform's meaning, on whichever backend is installed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Types.h"
#include "framework/platform/Platform.h"

namespace vcl {

class TCanvas;

using HWND = void*;
using HDC = void*;
using COLORREF = uint32_t;  // 0x00BBGGRR
using BOOL = int;

// Message box styles: buttons, icons, default button.
enum : uint32_t {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_TYPEMASK = 0xF,
    MB_ICONHAND = 0x10,
    MB_ICONERROR = 0x10,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30,
    MB_ICONASTERISK = 0x40,
    MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
    MB_DEFBUTTON1 = 0x000,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_DEFMASK = 0xF00,
    MB_APPLMODAL = 0x0000,
    MB_SYSTEMMODAL = 0x1000,
    MB_TASKMODAL = 0x2000,
};

// Button identifiers a message box returns.
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// The pointer in screen coordinates; false when it cannot be read.
inline BOOL GetCursorPos(TPoint* Point) {
    IPlatform* p = Platform();
    return Point && p && p->GetCursorPos(*Point) ? 1 : 0;
}
BOOL SetCursorPos(int X, int Y);
// Left and top edges inside, right and bottom edges outside.
inline BOOL PtInRect(const TRect* Rect, TPoint Point) { return Rect && Rect->Contains(Point) ? 1 : 0; }

// A modal box with the text, the title, an icon and the buttons the style
// asks for. Return takes the default button; Escape and the close box act as
// Cancel where there is one, as OK in an OK-only box, and not at all in a
// Yes/No box. Returns the chosen button's identifier, 0 on failure.
int MessageBoxA(HWND Owner, const char* Text, const char* Caption, uint32_t Type);

// A device context for the whole screen (Window null only).
HDC GetDC(HWND Window);
int ReleaseDC(HWND Window, HDC DC);
COLORREF SetTextColor(HDC DC, COLORREF Color);
// Draws Count bytes of Text at (X, Y) in the device context's coordinates.
BOOL TextOutA(HDC DC, int X, int Y, const char* Text, int Count);

// Text drawn on the screen through GetDC(0), newest last; it stays until
// something repaints over it.
struct TScreenText {
    TPoint Pos;
    COLORREF Color = 0;
    std::string Text;
};
const std::vector<TScreenText>& ScreenTexts();
// Drops the screen texts that lie inside Rect (a window repainted there).
void EraseScreenTexts(const TRect& Rect);
// Draws screen texts over a picture whose top-left is Origin on the screen,
// as the screen device context draws them: the system font, opaque on white.
void DrawScreenTexts(TCanvas& Canvas, TPoint Origin, const std::vector<TScreenText>& Texts);

}  // namespace vcl
