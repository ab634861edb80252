// HoverBench's event log: "enter FORM.CONTROL" / "leave FORM.CONTROL" as the
// tracker handlers receive them, written through the framework's log so that
// they stay in order with its message-box lines.
#pragma once

#include "framework/System.h"

namespace hoverbench {

// Off until the program turns it on (the tour, a script, --log).
void EnableEventLog(bool On);
bool EventLogEnabled();
// Logs one event; What is "enter" or "leave".
void LogHoverEvent(const char* What, vcl::TObject* Sender);

}  // namespace hoverbench
