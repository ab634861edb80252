// A trace of the messages that reach forms, for finding out why hover or
// input misbehaves: one line per message sent to a form (its name, WParam,
// LParam with the control it names), and the lines components that handle
// those messages add (a tracker says which of its events ran).
//
// Off by default; off, it costs one test per message sent to a control.
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
