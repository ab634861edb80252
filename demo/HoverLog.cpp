#include "demo/HoverLog.h"

#include <string>

#include "framework/Forms.h"
#include "framework/Log.h"

namespace hoverbench {

namespace {
bool gEnabled = false;
}

void EnableEventLog(bool On) { gEnabled = On; }
bool EventLogEnabled() { return gEnabled; }

void LogHoverEvent(const char* What, vcl::TObject* Sender) {
    if (!gEnabled) return;
    auto* c = dynamic_cast<vcl::TComponent*>(Sender);
    if (!c) {
        vcl::LogLine(std::string(What) + " ?");
        return;
    }
    // The form a control belongs to: the form itself, else its owner.
    auto* form = dynamic_cast<vcl::TCustomForm*>(c);
    if (!form) form = dynamic_cast<vcl::TCustomForm*>(c->Owner());
    std::string where = form ? form->Name() + "." : std::string();
    vcl::LogLine(std::string(What) + " " + where + c->Name());
}

}  // namespace hoverbench
