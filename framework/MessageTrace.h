// A trace of the messages that reach forms, for finding out why hover or
// input misbehaves: one line per message sent to a form (its name, WParam,
// LParam with the control it names), and the lines components that handle
// those messages add (a tracker says which of its events ran).
//
// Off by default; off, it costs one test per message sent to a control.
//
// A message sent to a form's window procedure chain is one line:
//
//   FORM: MESSAGE wParam=W lParam=L        FormDemo: CM_MOUSEENTER wParam=0 lParam=Edit1
//
//   FORM     the form's Name (its class name when it has none)
//   MESSAGE  the message's name (WM_..., CM_...), else its number as $HEX
//   W        for WM_SETCURSOR the control under the cursor (its Name, 0 for
//            none, $HEX when it is no control of the form); otherwise the
//            number: decimal below 10, else $HEX
//   L        for CM_MOUSEENTER and CM_MOUSELEAVE the control entered or left
//            (as W of WM_SETCURSOR); for mouse messages the client position
//            X,Y; otherwise the number as for W
//
// The lines a component adds while it handles that message follow it,
// indented two spaces and starting with the component's Name (else its class
// name). A tracker writes "  QVTrack: pointer over Edit1" (or "pointer off")
// when it decides the pointer came or went, whether or not a handler is
// assigned, and "  QVTrack.OnMouseEnter(Edit1)" (OnMouseLeave, OnMouseHover)
// when it calls a handler.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/Messages.h"

namespace vcl {

class TControl;

using TTraceSink = std::function<void(const std::string& Line)>;

namespace detail {
extern bool gTraceOn;
void TraceMessage(const TControl* Target, const TMessage& Message);
}  // namespace detail

// Turns the trace on with a sink for its lines, or off with an empty one.
void SetMessageTrace(TTraceSink Sink);
inline bool MessageTraceOn() { return detail::gTraceOn; }
// Adds a line to the trace when it is on.
void TraceLine(const std::string& Line);

// The message's symbolic name ("CM_MOUSEENTER"), or null when unknown.
const char* MessageName(uint32_t Msg);
// The line the trace writes for Message sent to Form.
std::string DescribeMessage(const TControl* Form, const TMessage& Message);
// A control's name for a trace line: its Name, or its class name.
std::string TraceName(const TControl* Control);

}  // namespace vcl
