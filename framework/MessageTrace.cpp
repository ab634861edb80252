#include "framework/MessageTrace.h"

#include <cstdio>

#include "framework/Forms.h"

namespace vcl {

namespace detail {
bool gTraceOn = false;
}

namespace {

TTraceSink& Sink() {
    static TTraceSink sink;
    return sink;
}

std::string Hex(uintptr_t v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "$%llX", static_cast<unsigned long long>(v));
    return buf;
}

// A value that may name a control of the form: the control's name, else
// the number.
std::string ControlOrNumber(const TControl* Form, uintptr_t v) {
    if (v == 0) return "0";
    if (const TControl* c = FindDescendant(Form, reinterpret_cast<const void*>(v))) return TraceName(c);
    return Hex(v);
}

bool IsMouseMessage(uint32_t m) { return m >= WM_MOUSEMOVE && m <= WM_MBUTTONUP; }

}  // namespace

void SetMessageTrace(TTraceSink S) {
    Sink() = std::move(S);
    detail::gTraceOn = static_cast<bool>(Sink());
}

void TraceLine(const std::string& Line) {
    if (detail::gTraceOn && Sink()) Sink()(Line);
}

const char* MessageName(uint32_t Msg) {
    static const struct {
        uint32_t Msg;
        const char* Name;
    } names[] = {
        {WM_NULL, "WM_NULL"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_SETCURSOR, "WM_SETCURSOR"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},
        {WM_MBUTTONUP, "WM_MBUTTONUP"},
        {CM_ACTIVATE, "CM_ACTIVATE"},
        {CM_DEACTIVATE, "CM_DEACTIVATE"},
        {CM_ENABLEDCHANGED, "CM_ENABLEDCHANGED"},
        {CM_COLORCHANGED, "CM_COLORCHANGED"},
        {CM_FONTCHANGED, "CM_FONTCHANGED"},
        {CM_VISIBLECHANGED, "CM_VISIBLECHANGED"},
        {CM_TEXTCHANGED, "CM_TEXTCHANGED"},
        {CM_MOUSEENTER, "CM_MOUSEENTER"},
        {CM_MOUSELEAVE, "CM_MOUSELEAVE"},
    };
    for (const auto& n : names)
        if (n.Msg == Msg) return n.Name;
    return nullptr;
}

std::string TraceName(const TControl* Control) {
    if (!Control) return "nil";
    return Control->Name().empty() ? std::string(Control->ClassName()) : std::string(Control->Name());
}

std::string DescribeMessage(const TControl* Form, const TMessage& M) {
    std::string line = TraceName(Form) + ": ";
    const char* name = MessageName(M.Msg);
    line += name ? name : Hex(M.Msg);
    const auto w = M.WParam;
    const auto l = static_cast<uintptr_t>(M.LParam);
    line += " wParam=";
    line += M.Msg == WM_SETCURSOR ? ControlOrNumber(Form, w) : (w < 10 ? std::to_string(w) : Hex(w));
    line += " lParam=";
    if (M.Msg == CM_MOUSEENTER || M.Msg == CM_MOUSELEAVE) {
        line += ControlOrNumber(Form, l);
    } else if (IsMouseMessage(M.Msg)) {
        line += std::to_string(static_cast<int16_t>(l & 0xFFFF)) + "," +
                std::to_string(static_cast<int16_t>((l >> 16) & 0xFFFF));
    } else {
        line += l < 10 ? std::to_string(l) : Hex(l);
    }
    return line;
}

void detail::TraceMessage(const TControl* Target, const TMessage& Message) {
    if (!dynamic_cast<const TCustomForm*>(Target)) return;
    TraceLine(DescribeMessage(Target, Message));
}

}  // namespace vcl
