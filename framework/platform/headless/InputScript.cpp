#include "framework/platform/headless/InputScript.h"

#include <algorithm>
#include <charconv>
#include <csignal>
#include <cstdio>

#include "framework/Forms.h"
#include "framework/Streaming.h"
#include "framework/platform/headless/HeadlessPlatform.h"

namespace vcl {

namespace {

std::vector<std::string> SplitWords(const std::string& s) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        size_t j = i;
        while (j < s.size() && s[j] != ' ' && s[j] != '\t') ++j;
        if (j > i) words.push_back(s.substr(i, j - i));
        i = j;
    }
    return words;
}

bool ParseInt(const std::string& s, int32_t& v) {
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

int ButtonOf(const std::string& s) {
    if (SameText(s, "left")) return 0;
    if (SameText(s, "right")) return 1;
    if (SameText(s, "middle")) return 2;
    return -1;
}

// Virtual-key code of a key name, with Shift+ allowed in front; -1 if unknown.
int KeyOf(const std::string& name, uint32_t& shift) {
    std::string n = name;
    shift = 0;
    for (bool more = true; more;) {
        more = false;
        for (const auto& [prefix, bit] : {std::pair{"shift+", 1u}, std::pair{"alt+", 2u}, std::pair{"ctrl+", 4u}}) {
            const size_t len = std::char_traits<char>::length(prefix);
            if (n.size() > len && SameText(n.substr(0, len), prefix)) {
                shift |= bit;
                n = n.substr(len);
                more = true;
            }
        }
    }
    static const struct {
        const char* Name;
        int Key;
    } keys[] = {{"Return", VK_RETURN}, {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Esc", VK_ESCAPE},
                {"Tab", VK_TAB},       {"Space", VK_SPACE},  {"Backspace", VK_BACK}, {"Back", VK_BACK},
                {"Delete", VK_DELETE}, {"Del", VK_DELETE},   {"Home", VK_HOME},      {"End", VK_END},
                {"Left", VK_LEFT},     {"Right", VK_RIGHT},  {"Up", VK_UP},          {"Down", VK_DOWN},
                {"F4", VK_F4}};
    for (const auto& k : keys)
        if (SameText(n, k.Name)) return k.Key;
    if (n.size() == 1) {
        char c = n[0];
        if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    }
    return -1;
}

}  // namespace

TCustomForm* FindShownForm(const std::string& Name) {
    IPlatform* p = Platform();
    if (!p) return nullptr;
    auto forms = p->WindowsInZOrder();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if (SameText((*it)->Name(), Name)) return *it;
    return nullptr;
}

TInputScript::TInputScript(const std::string& Text, std::string SourceName) : FSourceName(std::move(SourceName)) {
    size_t line = 0, start = 0;
    while (start <= Text.size()) {
        size_t end = Text.find('\n', start);
        if (end == std::string::npos) end = Text.size();
        std::string raw = Text.substr(start, end - start);
        ++line;
        start = end + 1;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::vector<std::string> words = SplitWords(raw);
        if (words.empty() || words[0][0] == '#') {
            if (end == Text.size()) break;
            continue;
        }
        TCommand c;
        c.Line = line;
        c.Verb = words[0];
        for (char& ch : c.Verb) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        c.Args.assign(words.begin() + 1, words.end());
        size_t verbAt = raw.find(words[0]);
        size_t restAt = verbAt + words[0].size();
        if (restAt < raw.size() && (raw[restAt] == ' ' || raw[restAt] == '\t')) ++restAt;
        c.Rest = restAt < raw.size() ? raw.substr(restAt) : std::string();
        CheckSyntax(c);
        FCommands.push_back(std::move(c));
        if (end == Text.size()) break;
    }
}

void TInputScript::Fail(size_t Line, const std::string& Message) const {
    throw EScriptError(FSourceName + ":" + std::to_string(Line) + ": " + Message);
}

void TInputScript::CheckSyntax(const TCommand& C) const {
    const auto& a = C.Args;
    auto checkPos = [&](size_t first, size_t end) {
        // X Y | PATH | PATH X Y
        size_t n = end - first;
        int32_t v;
        if (n == 0) Fail(C.Line, C.Verb + ": a position is missing");
        if (ParseInt(a[first], v)) {
            if (n != 2 || !ParseInt(a[first + 1], v)) Fail(C.Line, C.Verb + ": expected X Y, a path, or a path with X Y");
            return;
        }
        if (n == 1) return;
        if (n != 3 || !ParseInt(a[first + 1], v) || !ParseInt(a[first + 2], v))
            Fail(C.Line, C.Verb + ": expected X Y after '" + a[first] + "'");
    };
    if (C.Verb == "move") {
        checkPos(0, a.size());
    } else if (C.Verb == "click") {
        size_t end = a.size();
        if (end > 0 && ButtonOf(a.back()) >= 0) --end;
        checkPos(0, end);
    } else if (C.Verb == "down" || C.Verb == "up") {
        if (a.size() > 1 || (a.size() == 1 && ButtonOf(a[0]) < 0))
            Fail(C.Line, C.Verb + ": expected left, right or middle, not '" + (a.empty() ? "" : a.back()) + "'");
    } else if (C.Verb == "key") {
        uint32_t shift;
        if (a.size() != 1) Fail(C.Line, "key: expected one key name");
        if (KeyOf(a[0], shift) < 0) Fail(C.Line, "key: unknown key '" + a[0] + "'");
    } else if (C.Verb == "type") {
    } else if (C.Verb == "close") {
        if (a.size() > 1) Fail(C.Line, "close: expected at most a form name");
    } else if (C.Verb == "dump") {
        if (!a.empty()) Fail(C.Line, "dump: takes no arguments");
    } else if (C.Verb == "wait") {
        int32_t ms;
        if (a.size() != 1 || !ParseInt(a[0], ms) || ms < 0)
            Fail(C.Line, "wait: expected a number of milliseconds");
    } else if (C.Verb == "shot") {
        if (a.size() != 1) Fail(C.Line, "shot: expected a file name");
    } else {
        Fail(C.Line, "unknown command '" + C.Verb + "'");
    }
}

TPoint TInputScript::Resolve(const std::vector<std::string>& Args, size_t First, size_t Line) const {
    int32_t x = 0, y = 0;
    if (ParseInt(Args[First], x)) {
        ParseInt(Args[First + 1], y);
        return TPoint{x, y};
    }
    const std::string& path = Args[First];
    size_t dot = path.find('.');
    std::string formName = path.substr(0, dot);
    TCustomForm* form = FindShownForm(formName);
    if (!form) Fail(Line, "no shown form named '" + formName + "'");
    TControl* target = form;
    if (dot != std::string::npos) {
        std::string controlName = path.substr(path.rfind('.') + 1);
        target = dynamic_cast<TControl*>(form->FindComponent(controlName));
        if (!target) Fail(Line, "form '" + formName + "' has no control named '" + controlName + "'");
    }
    if (Args.size() >= First + 3 && ParseInt(Args[First + 1], x) && ParseInt(Args[First + 2], y))
        return target->ClientToScreen(TPoint{x, y});
    return target->ClientToScreen(TPoint{target->ClientWidth() / 2, target->ClientHeight() / 2});
}

std::string TInputScript::DumpForms() const {
    std::string out;
    IPlatform* p = Platform();
    if (!p) return out;
    // The main form first, then the others bottom to top.
    std::vector<TCustomForm*> forms = p->WindowsInZOrder();
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (auto it = std::find(forms.begin(), forms.end(), main); it != forms.end()) std::rotate(forms.begin(), it, it + 1);
    for (TCustomForm* form : forms)
        out += WriteComponentToText(form, RootClassName ? RootClassName(form) : std::string());
    return out;
}

bool TInputScript::Step(THeadlessPlatform& Desktop) {
    while (FNext < FCommands.size()) {
        const TCommand& c = FCommands[FNext++];
        const auto& a = c.Args;
        if (c.Verb == "move") {
            Desktop.MoveTo(Resolve(a, 0, c.Line));
            return true;
        }
        if (c.Verb == "click") {
            int button = (!a.empty() && ButtonOf(a.back()) >= 0) ? ButtonOf(a.back()) : 0;
            Desktop.Click(Resolve(a, 0, c.Line), button);
            return true;
        }
        if (c.Verb == "down" || c.Verb == "up") {
            int button = a.empty() ? 0 : ButtonOf(a[0]);
            if (c.Verb == "down") Desktop.Press(button);
            else Desktop.Release(button);
            return true;
        }
        if (c.Verb == "key") {
            uint32_t shift = 0;
            int key = KeyOf(a[0], shift);
            Desktop.Key(static_cast<uint32_t>(key), shift);
            return true;
        }
        if (c.Verb == "type") {
            if (c.Rest.empty()) continue;
            Desktop.Type(c.Rest);
            return true;
        }
        if (c.Verb == "close") {
            TCustomForm* form = nullptr;
            if (!a.empty()) {
                form = FindShownForm(a[0]);
                if (!form) Fail(c.Line, "no shown form named '" + a[0] + "'");
            } else if (IPlatform* p = Platform()) {
                auto z = p->WindowsInZOrder();
                if (!z.empty()) form = z.back();
            }
            if (!form) Fail(c.Line, "close: no form is shown");
            Desktop.CloseBox(form);
            return true;
        }
        if (c.Verb == "wait") {
            int32_t ms = 0;
            ParseInt(a[0], ms);
            Desktop.Wait(static_cast<uint32_t>(ms));
            return true;
        }
        if (c.Verb == "dump") {
            std::string text = DumpForms();
            if (OnOutput) OnOutput(text);
            else std::fwrite(text.data(), 1, text.size(), stdout);
            continue;
        }
        if (c.Verb == "shot") {
            if (OnShot) OnShot(a[0]);
            else Desktop.SaveScreenshot(a[0]);
            continue;
        }
    }
    return false;
}

void TInputScript::Finish(THeadlessPlatform& Desktop) {
    // A run cut short by SIGTERM or SIGINT runs nothing more, and says where it stopped.
    if (const int signal = QuitSignal(); signal && FNext < FCommands.size()) {
        const TCommand& c = FCommands[FNext];
        Fail(c.Line, std::string(signal == SIGINT ? "SIGINT" : "SIGTERM") + " stopped the run before '" + c.Verb +
                         (c.Rest.empty() ? "" : " " + c.Rest) + "'");
    }
    while (FNext < FCommands.size()) {
        const TCommand& c = FCommands[FNext++];
        if (c.Verb == "wait") {
            int32_t ms = 0;
            ParseInt(c.Args[0], ms);
            if (Application) Application->AdvanceTime(static_cast<uint32_t>(ms));
        } else if (c.Verb == "shot") {
            if (OnShot) OnShot(c.Args[0]);
            else Desktop.SaveScreenshot(c.Args[0]);
        } else {
            Fail(c.Line, "the form is closed; '" + c.Verb + (c.Rest.empty() ? "" : " " + c.Rest) + "' cannot run");
        }
    }
}

}  // namespace vcl
