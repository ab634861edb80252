#include "tools/qvdesign/FormSplice.h"

#include <vector>

#include "framework/SysUtils.h"

namespace vcl::formsplice {

namespace {

struct TLineView {
    size_t Start = 0, End = 0;  // End: past the line end
    std::string_view Text;      // without leading blanks and the line end
};

std::vector<TLineView> SplitLines(std::string_view Text) {
    std::vector<TLineView> lines;
    size_t at = 0;
    while (at < Text.size()) {
        size_t nl = Text.find('\n', at);
        size_t end = nl == std::string_view::npos ? Text.size() : nl + 1;
        std::string_view body = Text.substr(at, (nl == std::string_view::npos ? Text.size() : nl) - at);
        if (!body.empty() && body.back() == '\r') body.remove_suffix(1);
        while (!body.empty() && (body.front() == ' ' || body.front() == '\t')) body.remove_prefix(1);
        while (!body.empty() && (body.back() == ' ' || body.back() == '\t')) body.remove_suffix(1);
        lines.push_back(TLineView{at, end, body});
        at = end;
    }
    return lines;
}

bool StartsWithWord(std::string_view s, std::string_view word) {
    return s.size() > word.size() && SameText(s.substr(0, word.size()), word) && s[word.size()] == ' ';
}

// One property found while scanning: its object, name and line span.
struct TFound {
    std::string Object;
    std::string Property;
    size_t FirstLine, LastLine;  // inclusive
};

struct TObjectSpan {
    std::string Name;
    size_t InsertLine;  // its first child object, or its end
};

// Walks the form's lines: objects (object / inherited / inline ... end),
// properties of each object with their multi-line values (binary {...},
// lists (...), collections <item ... end> which may nest, strings joined
// with +).
void Scan(const std::vector<TLineView>& L, std::vector<TFound>& Props, std::vector<TObjectSpan>& Objects) {
    struct TFrame {
        bool IsObject;
        size_t ObjectIndex;  // into Objects
        bool SawChild = false;
    };
    std::vector<TFrame> stack;
    size_t i = 0;
    // Past the last line of the value that starts on line At.
    auto valueEnd = [&](size_t At, std::string_view Value) -> size_t {
        if (Value == "{" || (Value.starts_with("{") && !Value.ends_with("}"))) {
            size_t j = At + 1;
            while (j < L.size() && !L[j].Text.ends_with("}")) ++j;
            return j;
        }
        if (Value == "(") {
            size_t j = At + 1;
            while (j < L.size() && !L[j].Text.ends_with(")")) ++j;
            return j;
        }
        size_t j = At;
        while (j + 1 < L.size() && L[j].Text.ends_with("+")) ++j;
        return j;
    };
    while (i < L.size()) {
        std::string_view t = L[i].Text;
        if (t.empty()) {
            ++i;
            continue;
        }
        if (StartsWithWord(t, "object") || StartsWithWord(t, "inherited") || StartsWithWord(t, "inline")) {
            if (!stack.empty() && stack.back().IsObject && !stack.back().SawChild) {
                stack.back().SawChild = true;
                Objects[stack.back().ObjectIndex].InsertLine = i;
            }
            std::string_view rest = t.substr(t.find(' ') + 1);
            const size_t colon = rest.find(':');
            std::string name(rest.substr(0, colon == std::string_view::npos ? rest.size() : colon));
            while (!name.empty() && name.back() == ' ') name.pop_back();
            Objects.push_back(TObjectSpan{name, i + 1});
            stack.push_back(TFrame{true, Objects.size() - 1});
            ++i;
            continue;
        }
        if (SameText(t, "end")) {
            if (!stack.empty()) {
                if (stack.back().IsObject && !stack.back().SawChild) Objects[stack.back().ObjectIndex].InsertLine = i;
                stack.pop_back();
            }
            ++i;
            continue;
        }
        if (SameText(t, "item")) {
            stack.push_back(TFrame{false, 0});
            ++i;
            continue;
        }
        if (SameText(t, "end>")) {
            if (!stack.empty()) stack.pop_back();  // the item; the collection frame is the property's own
            ++i;
            continue;
        }
        const size_t eq = t.find(" = ");
        if (eq == std::string_view::npos) {
            ++i;
            continue;
        }
        const std::string_view value = t.substr(eq + 3);
        size_t last = i;
        if (value == "<") {
            // Skip the collection whole: items and their properties.
            int depth = 1;
            size_t j = i + 1;
            for (; j < L.size() && depth > 0; ++j) {
                std::string_view u = L[j].Text;
                const size_t e = u.find(" = ");
                if (e != std::string_view::npos && u.substr(e + 3) == "<") ++depth;
                if (u.ends_with(">") && (SameText(u, "end>") || u.ends_with("end>"))) --depth;
                if (e != std::string_view::npos && u.substr(e + 3) != "<") j = valueEnd(j, u.substr(e + 3));
            }
            last = j - 1;
        } else {
            last = valueEnd(i, value);
        }
        if (!stack.empty() && stack.back().IsObject)
            Props.push_back(TFound{Objects[stack.back().ObjectIndex].Name, std::string(t.substr(0, eq)), i, last});
        i = last + 1;
    }
}

}  // namespace

std::optional<TRange> FindProperty(std::string_view Text, const std::string& Object, const std::string& Property) {
    const auto lines = SplitLines(Text);
    std::vector<TFound> props;
    std::vector<TObjectSpan> objects;
    Scan(lines, props, objects);
    for (const TFound& f : props)
        if (SameText(f.Object, Object) && SameText(f.Property, Property))
            return TRange{lines[f.FirstLine].Start, lines[f.LastLine].End};
    return std::nullopt;
}

std::optional<size_t> PropertyInsertPoint(std::string_view Text, const std::string& Object) {
    const auto lines = SplitLines(Text);
    std::vector<TFound> props;
    std::vector<TObjectSpan> objects;
    Scan(lines, props, objects);
    for (const TObjectSpan& o : objects)
        if (SameText(o.Name, Object)) return o.InsertLine < lines.size() ? lines[o.InsertLine].Start : Text.size();
    return std::nullopt;
}

std::optional<std::string> ReplaceProperty(std::string_view Text, const std::string& Object,
                                           const std::string& Property, std::string_view Lines) {
    const bool crlf = Text.find("\r\n") != std::string_view::npos;
    std::string lines;
    for (char c : Lines) {
        if (c == '\n' && crlf) lines += '\r';
        lines += c;
    }
    if (!lines.empty() && lines.back() != '\n') lines += crlf ? "\r\n" : "\n";
    std::string out(Text);
    if (auto range = FindProperty(Text, Object, Property)) {
        out.replace(range->First, range->Last - range->First, lines);
        return out;
    }
    auto at = PropertyInsertPoint(Text, Object);
    if (!at) return std::nullopt;
    out.insert(*at, lines);
    return out;
}

}  // namespace vcl::formsplice
