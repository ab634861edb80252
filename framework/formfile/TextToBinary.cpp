// Text form to binary. The grammar and the bytes written follow the Free
// Pascal runtime's ObjectTextToBinary, so that a text form converts exactly as
// that runtime converts it; FormFiles.h lists where this one differs.

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "framework/FormFiles.h"
#include "framework/formfile/FormText.h"

namespace vcl::formfile {

namespace {

using detail::IsHexDigit;
using detail::IsIdentChar;
using detail::IsIdentStart;
using detail::IsKeyword;

enum class Tok : uint8_t { Eof, Symbol, String, Integer, Float, RawFloat, Char };

// Character classes for the lexer's loops.
constexpr uint8_t kIsBlank = 1, kIsIdent = 2, kEndsRun = 4;  // kEndsRun: quote, line end or NUL
constexpr auto kCharClass = [] {
    std::array<uint8_t, 256> t{};
    t[' '] = t['\t'] = kIsBlank;
    t['\n'] = t['\r'] = kIsBlank | kEndsRun;
    t['\''] = t['\0'] = kEndsRun;
    for (int c = 0; c < 256; ++c)
        if (IsIdentChar(static_cast<unsigned char>(c))) t[static_cast<size_t>(c)] = kIsIdent;
    return t;
}();
inline bool Is(char c, uint8_t cls) { return kCharClass[static_cast<unsigned char>(c)] & cls; }

// Character classes for the binary-data loop: hex digit values, then blanks.
constexpr uint8_t kBlank = 16, kOther = 255;
constexpr auto kHexClass = [] {
    std::array<uint8_t, 256> t{};
    for (auto& v : t) v = kOther;
    for (int c = '0'; c <= '9'; ++c) t[c] = static_cast<uint8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) t[c] = static_cast<uint8_t>(c - 'A' + 10);
    for (int c = 'a'; c <= 'f'; ++c) t[c] = static_cast<uint8_t>(c - 'a' + 10);
    t[' '] = t['\t'] = t['\r'] = t['\n'] = kBlank;
    return t;
}();

class TextConverter {
public:
    TextConverter(std::string_view text, const std::string& name, TextPosMap* positions)
        : FName(name), FPositions(positions) {
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        FStart = FP = text.data();
        FEnd = text.data() + text.size();
    }

    std::string Run() {
        FOut.WriteSignature();
        Next();
        ParseObject(0);
        if (FTok != Tok::Eof) Fail("unexpected " + Describe() + " after the final 'end'");
        if (FPositions) ResolveMarks();
        return FOut.Take();
    }

private:
    // ---- positions ----

    // Moves pos of a line and column count forward to target.
    void Advance(const char*& pos, TextPos& at, const char* target) const {
        for (const char* p = pos; p < target; ++p) {
            if (*p == '\n' || (*p == '\r' && (p + 1 == FEnd || p[1] != '\n'))) {
                ++at.Line;
                at.Column = 1;
            } else if ((static_cast<unsigned char>(*p) & 0xC0) != 0x80) {
                ++at.Column;
            }
        }
        pos = target;
    }

    // Records that the next bytes written come from the token at pos. Only
    // the text offset is kept here; lines and columns are counted once at the
    // end, so that conversion without a map pays nothing but the test.
    void Mark(const char* pos) { MarkAt(FOut.Data().size(), pos); }
    void MarkAt(size_t offset, const char* pos) {
        if (FPositions) FMarks.emplace_back(offset, static_cast<size_t>(pos - FStart));
    }

    // Turns the marks into the caller's map. They come in binary order, which
    // is not always text order (an object's name is written after its class,
    // an item's order before its 'item'); one sweep over the text in text
    // order counts lines and columns for all.
    void ResolveMarks() {
        std::vector<uint32_t> order(FMarks.size());
        for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
        std::sort(order.begin(), order.end(),
                  [&](uint32_t a, uint32_t b) { return FMarks[a].second < FMarks[b].second; });
        FPositions->assign(FMarks.size(), {});
        const char* pos = FStart;
        TextPos at;
        for (uint32_t i : order) {
            Advance(pos, at, FStart + FMarks[i].second);
            (*FPositions)[i] = {FMarks[i].first, at};
        }
    }

    // ---- errors ----

    [[noreturn]] void FailAt(const char* pos, const std::string& message) const {
        const char* p = FStart;
        TextPos at;
        Advance(p, at, pos);
        throw EParserError(FName + ":" + std::to_string(at.Line) + ":" + std::to_string(at.Column) + ": " + message);
    }
    [[noreturn]] void Fail(const std::string& message) const { FailAt(FTokPos, message); }

    // The current token as an error message quotes it.
    std::string Describe() const {
        if (FTok == Tok::Eof) return "end of file";
        if (FTok == Tok::Char) {
            const auto c = static_cast<unsigned char>(*FTokPos);
            if (c < 32 || c >= 127) return "character #" + std::to_string(c);
            return std::string("'") + static_cast<char>(c) + "'";
        }
        std::string_view text(FTokPos, static_cast<size_t>(FP - FTokPos));
        if (text.size() > 40) {
            size_t cut = 40;
            while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
            text = text.substr(0, cut);
        }
        std::string quoted(1, '\'');
        quoted += text;
        quoted += FP - FTokPos > 40 ? "...'" : "'";
        switch (FTok) {
            case Tok::Symbol: return quoted;
            case Tok::String: return "string " + quoted;
            default: return "number " + quoted;
        }
    }

    void Expect(char c, const char* context) {
        if (FTok != Tok::Char || *FTokPos != c) Fail(std::string("expected '") + c + "' " + context + ", found " + Describe());
    }
    void ExpectSymbol(const char* what) {
        if (FTok != Tok::Symbol) Fail(std::string("expected ") + what + ", found " + Describe());
    }
    bool IsChar(char c) const { return FTok == Tok::Char && *FTokPos == c; }
    bool IsSymbol(std::string_view lowerKeyword) const {
        return FTok == Tok::Symbol && IsKeyword(Symbol(), lowerKeyword);
    }
    std::string_view Symbol() const { return {FTokPos, static_cast<size_t>(FTokEnd - FTokPos)}; }
    void CheckNameLength(std::string_view name, const char* pos) const {
        if (name.size() > 255)
            FailAt(pos, "name of " + std::to_string(name.size()) + " bytes is longer than 255: '" +
                            std::string(name.substr(0, 40)) + "...'");
    }

    // ---- lexer ----

    // The scanning loops work on locals: a store through a char pointer could
    // alias the members, which would keep them out of registers.
    const char* Skip(const char* p, uint8_t cls) const {
        const char* const end = FEnd;
        while (p < end && Is(*p, cls)) ++p;
        return p;
    }
    // Indentation comes in long runs of spaces: take them eight at a time.
    const char* SkipBlanks(const char* p) const {
        const char* const end = FEnd;
        for (;;) {
            uint64_t word;
            while (end - p >= 8 && (std::memcpy(&word, p, 8), word == 0x2020202020202020u)) p += 8;
            if (p == end || !Is(*p, kIsBlank)) return p;
            ++p;
        }
    }
    const char* SkipUntil(const char* p, uint8_t cls) const {
        const char* const end = FEnd;
        while (p < end && !Is(*p, cls)) ++p;
        return p;
    }

    void Next() {
        FP = SkipBlanks(FP);
        FTokPos = FP;
        if (FP == FEnd) {
            FTok = Tok::Eof;
            return;
        }
        const auto c = static_cast<unsigned char>(*FP);
        if (IsIdentStart(c) || c >= 0x80) {
            LexSymbol();
        } else if ((c >= '0' && c <= '9') || (c == '-' && FP + 1 < FEnd && FP[1] >= '0' && FP[1] <= '9')) {
            LexNumber();
        } else if (c == '$') {
            LexHex();
        } else if (c == '\'' || c == '#') {
            LexString();
        } else if (c == '!') {
            LexRawFloat();
        } else {
            FTok = Tok::Char;
            ++FP;
        }
    }

    // Identifier characters from FP on: ASCII ones and valid UTF-8 beyond it.
    void ScanIdentChars() {
        for (;;) {
            FP = Skip(FP, kIsIdent);
            if (FP == FEnd || static_cast<unsigned char>(*FP) < 0x80) return;
            const auto p = reinterpret_cast<const unsigned char*>(FP);
            const size_t n = detail::Utf8SequenceLength(p, reinterpret_cast<const unsigned char*>(FEnd));
            if (n == 0) FailAt(FP, "invalid UTF-8 byte 0x" + Hex2(*p) + " outside a string");
            FP += n;
        }
    }

    void LexSymbol() {
        FTok = Tok::Symbol;
        ScanIdentChars();
        FTokEnd = FP;
    }

    static std::string Hex2(unsigned char c) {
        const char* h = "0123456789ABCDEF";
        return {h[c >> 4], h[c & 15]};
    }

    void LexNumber() {
        const bool neg = *FP == '-';
        if (neg) ++FP;
        const char* digits = FP;
        while (FP < FEnd && *FP >= '0' && *FP <= '9') ++FP;
        const char* digitsEnd = FP;
        FTok = Tok::Integer;
        if (FP < FEnd && (*FP == '.' || *FP == 'e' || *FP == 'E')) {
            FTok = Tok::Float;
            bool dotAllowed = true, expAllowed = true;
            while (FP < FEnd) {
                const char c = *FP;
                if (c == '.' && dotAllowed) {
                    dotAllowed = false;
                } else if ((c == 'e' || c == 'E') && expAllowed) {
                    dotAllowed = expAllowed = false;
                    ++FP;
                    if (FP < FEnd && (*FP == '+' || *FP == '-')) ++FP;
                    if (FP == FEnd || *FP < '0' || *FP > '9')
                        FailAt(FTokPos, "invalid float '" + std::string(FTokPos, FP) + "': exponent digits expected");
                } else if (c < '0' || c > '9') {
                    break;
                }
                ++FP;
            }
        }
        FNumEnd = FP;
        FSuffix = 0;
        if (FP < FEnd && (*FP == 's' || *FP == 'S' || *FP == 'd' || *FP == 'D' || *FP == 'c' || *FP == 'C')) {
            FSuffix = static_cast<char>(*FP | 0x20);
            FTok = Tok::Float;
            ++FP;
        }
        if (FTok != Tok::Integer) return;
        FOverflow = FQWord = false;
        uint64_t mag = 0;
        for (const char* p = digits; p < digitsEnd; ++p) {
            const unsigned d = static_cast<unsigned>(*p - '0');
            if (mag > (UINT64_MAX - d) / 10) {
                FOverflow = true;
                return;
            }
            mag = mag * 10 + d;
        }
        if (neg) {
            FOverflow = mag > uint64_t{1} << 63;
            FInt = static_cast<int64_t>(0 - mag);
        } else if (mag > static_cast<uint64_t>(INT64_MAX)) {
            FQWord = true;
            FUInt = mag;
        } else {
            FInt = static_cast<int64_t>(mag);
        }
    }

    void LexHex() {
        ++FP;
        const char* digits = FP;
        uint64_t v = 0;
        int significant = 0;
        while (FP < FEnd && IsHexDigit(static_cast<unsigned char>(*FP))) {
            v = v << 4 | detail::HexValue(static_cast<unsigned char>(*FP));
            if (v != 0 || significant > 0) ++significant;  // leading zeros do not count
            ++FP;
        }
        if (FP == digits) FailAt(FTokPos, "invalid integer '$': hex digits expected");
        FTok = Tok::Integer;
        FOverflow = significant > 16;
        FQWord = false;
        FInt = static_cast<int64_t>(v);  // all 64 bits, as the reference converter takes them
    }

    // `!e`, `!s` or `!d` and the value's bits in hex, most significant first.
    void LexRawFloat() {
        ++FP;
        const char kind = FP < FEnd ? *FP : '\0';
        const int digits = kind == 'e' ? 20 : kind == 's' ? 8 : kind == 'd' ? 16 : 0;
        if (digits == 0) FailAt(FTokPos, "expected 'e', 's' or 'd' after '!' for the bits of a float");
        ++FP;
        FRawKind = kind;
        std::memset(FRaw, 0, sizeof FRaw);
        for (int i = 0; i < digits; ++i, ++FP) {
            if (FP == FEnd || !IsHexDigit(static_cast<unsigned char>(*FP)))
                FailAt(FTokPos, std::string("'!") + kind + "' takes exactly " + std::to_string(digits) + " hex digits");
            const int byte = digits / 2 - 1 - i / 2;
            FRaw[byte] = static_cast<unsigned char>(FRaw[byte] | detail::HexValue(static_cast<unsigned char>(*FP)) << (i % 2 ? 0 : 4));
        }
        if (FP < FEnd && IsIdentChar(static_cast<unsigned char>(*FP)))
            FailAt(FTokPos, std::string("'!") + kind + "' takes exactly " + std::to_string(digits) + " hex digits");
        FTok = Tok::RawFloat;
    }

    // A string token: quoted runs and #codes with nothing between them. The
    // bytes go to FTokBytes until a code above 127 makes the token wide; from
    // there on every byte and code is a UTF-16 unit in FTokUnits.
    void LexString() {
        FTok = Tok::String;
        FTokBytes.clear();
        FTokUnits.clear();
        FTokWide = false;
        while (FP < FEnd) {
            if (*FP == '\'') {
                ++FP;
                for (;;) {
                    const char* run = FP;
                    FP = SkipUntil(FP, kEndsRun);
                    AppendBytes(run, FP);
                    if (FP == FEnd || *FP != '\'') {
                        if (FP < FEnd && *FP == '\0') FailAt(FP, "NUL byte in string");
                        FailAt(FTokPos, "unterminated string: the closing quote is missing before the end of the line");
                    }
                    ++FP;
                    if (FP < FEnd && *FP == '\'') {  // '' stands for one quote
                        AppendBytes(FP, FP + 1);
                        ++FP;
                        continue;
                    }
                    break;
                }
            } else if (*FP == '#') {
                LexCharCode();
            } else {
                break;
            }
        }
    }

    void LexCharCode() {
        const char* at = FP;
        ++FP;
        if (FP < FEnd && *FP == '$') {
            ++FP;
            if (FEnd - FP < 2 || !IsHexDigit(static_cast<unsigned char>(FP[0])) ||
                !IsHexDigit(static_cast<unsigned char>(FP[1])) ||
                (FEnd - FP > 2 && IsHexDigit(static_cast<unsigned char>(FP[2]))))
                FailAt(at, "bad character code: '#$' takes exactly two hex digits");
            const char byte = static_cast<char>(detail::HexValue(static_cast<unsigned char>(FP[0])) << 4 |
                                                detail::HexValue(static_cast<unsigned char>(FP[1])));
            FP += 2;
            AppendBytes(&byte, &byte + 1);
            return;
        }
        uint32_t code = 0;
        const char* digits = FP;
        while (FP < FEnd && *FP >= '0' && *FP <= '9') {
            code = code * 10 + static_cast<uint32_t>(*FP - '0');
            if (code > 0xFFFF) {
                while (FP < FEnd && *FP >= '0' && *FP <= '9') ++FP;
                FailAt(at, "bad character code '" + std::string(at, FP) + "': above 65535");
            }
            ++FP;
        }
        if (FP == digits) FailAt(at, "bad character code: '#' must be followed by decimal digits");
        if (code > 127 && !FTokWide) {
            FTokUnits.assign(FTokBytes.size(), u'\0');  // bytes widen one to one
            for (size_t i = 0; i < FTokBytes.size(); ++i) FTokUnits[i] = static_cast<unsigned char>(FTokBytes[i]);
            FTokWide = true;
        }
        if (FTokWide) {
            FTokUnits.push_back(static_cast<char16_t>(code));
        } else {
            FTokBytes += static_cast<char>(code);
        }
    }

    void AppendBytes(const char* first, const char* last) {
        if (!FTokWide) {
            FTokBytes.append(first, last);
        } else {
            for (; first < last; ++first) FTokUnits.push_back(static_cast<unsigned char>(*first));
        }
    }

    // ---- parser ----

    void CheckDepth(int depth) const {
        if (depth >= kMaxNesting) Fail("nested deeper than " + std::to_string(kMaxNesting) + " levels");
    }

    // Integer tokens keep an overflow for the parser to report, so that a
    // misplaced number is reported as misplaced first.
    void CheckRange(bool int64Only = false) const {
        if (FOverflow || (int64Only && FQWord)) Fail("integer out of range: " + Describe());
    }

    void ParseObject(int depth) {
        CheckDepth(depth);
        ObjectHeader h;
        const char* keywordPos = FTokPos;
        if (IsSymbol("object")) {
            h.Flags = 0;
        } else if (IsSymbol("inherited")) {
            h.Flags = ffInherited;
        } else if (IsSymbol("inline")) {
            h.Flags = ffInline;
        } else {
            Fail("expected 'object', 'inherited' or 'inline', found " + Describe());
        }
        Next();
        ExpectSymbol("an object name or class name");
        const char* firstPos = FTokPos;
        std::string_view first = Symbol();
        Next();
        const char* classPos = firstPos;
        std::string_view cls = first, name;
        if (IsChar(':')) {
            Next();
            ExpectSymbol("a class name after ':'");
            classPos = FTokPos;
            name = first;
            cls = Symbol();
            Next();
        }
        if (IsChar('[')) {
            Next();
            if (FTok != Tok::Integer) Fail("expected the child position (an integer), found " + Describe());
            CheckRange(true);
            h.ChildPos = FInt;
            h.Flags |= ffChildPos;
            Next();
            Expect(']', "after the child position");
            Next();
        }
        CheckNameLength(cls, classPos);
        CheckNameLength(name, firstPos);
        h.ClassName = cls;
        h.Name = name;
        if (FPositions) {
            const size_t start = FOut.Data().size();
            FOut.WriteObjectHeader(h);
            const size_t nameAt = FOut.Data().size() - 1 - name.size();
            if (h.Flags) MarkAt(start, keywordPos);  // the prefix byte
            MarkAt(nameAt - 1 - cls.size(), classPos);
            MarkAt(nameAt, firstPos);
        } else {
            FOut.WriteObjectHeader(h);
        }
        while (!IsSymbol("end") && !IsSymbol("object") && !IsSymbol("inherited") && !IsSymbol("inline")) {
            if (FTok != Tok::Symbol) Fail("expected a property name or 'end', found " + Describe());
            ParseProperty(depth);
        }
        FOut.WriteListEnd();
        while (!IsSymbol("end")) {
            if (!IsSymbol("object") && !IsSymbol("inherited") && !IsSymbol("inline"))
                Fail("expected 'end' or a child object, found " + Describe());
            ParseObject(depth + 1);
        }
        Next();
        FOut.WriteListEnd();
    }

    void ParseProperty(int depth) {
        ExpectSymbol("a property name");
        const char* pos = FTokPos;
        std::string_view name = Symbol();
        Mark(pos);
        Next();
        if (IsChar('.')) {
            FDotted.assign(name);
            while (IsChar('.')) {
                Next();
                ExpectSymbol("a property name after '.'");
                FDotted += '.';
                // Each part at its own offset: past the length byte, then the
                // bytes before it.
                MarkAt(FOut.Data().size() + 1 + FDotted.size(), FTokPos);
                FDotted += Symbol();
                Next();
            }
            name = FDotted;
        }
        CheckNameLength(name, pos);
        FOut.WritePropName(name);
        if (!IsChar('='))
            Fail("expected '=' after property name '" + std::string(name) + "', found " + Describe());
        Next();
        ParseValue(depth);
    }

    void ParseValue(int depth) {
        Mark(FTokPos);
        switch (FTok) {
            case Tok::Integer:
                CheckRange();
                if (FQWord) {
                    FOut.WriteQWord(FUInt);
                } else {
                    FOut.WriteInteger(FInt);
                }
                Next();
                return;
            case Tok::Float: WriteFloat(); Next(); return;
            case Tok::RawFloat: WriteRawFloat(); Next(); return;
            case Tok::String: ParseString(); return;
            case Tok::Symbol: ParseIdent(); return;
            case Tok::Char: break;
            case Tok::Eof: Fail("expected a value, found end of file");
        }
        switch (*FTokPos) {
            case '[': ParseSet(); return;
            case '(': ParseList(depth); return;
            case '<': ParseCollection(depth); return;
            case '{': ParseBinary(); return;
            default: Fail("expected a value, found " + Describe());
        }
    }

    void WriteFloat() {
        const std::string_view text(FTokPos, static_cast<size_t>(FNumEnd - FTokPos));
        bool ok = true;
        switch (FSuffix) {
            case 's':
                if (const auto v = detail::ParseSingle(text)) FOut.WriteSingle(*v); else ok = false;
                break;
            case 'd':
                if (const auto v = detail::ParseDouble(text)) FOut.WriteDate(*v); else ok = false;
                break;
            case 'c':
                if (const auto v = detail::ParseCurrency(text)) FOut.WriteCurrency(*v); else ok = false;
                break;
            default:
                if (const auto v = detail::ParseExtended(text)) FOut.WriteExtended(*v); else ok = false;
                break;
        }
        if (!ok) Fail("number out of range: " + Describe());
    }

    void WriteRawFloat() {
        if (FRawKind == 'e') {
            long double v = 0;
            std::memcpy(&v, FRaw, 10);
            FOut.WriteExtended(v);
        } else if (FRawKind == 's') {
            float v;
            std::memcpy(&v, FRaw, 4);
            FOut.WriteSingle(v);
        } else {
            double v;
            std::memcpy(&v, FRaw, 8);
            FOut.WriteDate(v);
        }
    }

    // One value of string parts joined by '+'. It is wide when any part is.
    void ParseString() {
        std::swap(FValBytes, FTokBytes);
        std::swap(FValUnits, FTokUnits);
        bool wide = FTokWide;
        Next();
        while (IsChar('+')) {
            Next();
            if (FTok != Tok::String) Fail("expected a string after '+', found " + Describe());
            if (FTokWide && !wide) {
                FValUnits.assign(FValBytes.size(), u'\0');
                for (size_t i = 0; i < FValBytes.size(); ++i) FValUnits[i] = static_cast<unsigned char>(FValBytes[i]);
                wide = true;
            }
            if (wide && !FTokWide) {
                for (char c : FTokBytes) FValUnits.push_back(static_cast<unsigned char>(c));
            } else if (wide) {
                FValUnits += FTokUnits;
            } else {
                FValBytes += FTokBytes;
            }
            Next();
        }
        if (wide) {
            FOut.WriteWideString(FValUnits);
        } else {
            FOut.WriteString(FValBytes);
        }
    }

    void ParseIdent() {
        if (IsSymbol("true")) {
            FOut.WriteValue(TValueType::vaTrue);
        } else if (IsSymbol("false")) {
            FOut.WriteValue(TValueType::vaFalse);
        } else if (IsSymbol("nil")) {
            FOut.WriteValue(TValueType::vaNil);
        } else {
            // A component reference may name a sub-component: "Form1.Button1",
            // with no blanks around the dots.
            while (FP < FEnd && *FP == '.') {
                ++FP;
                if (FP == FEnd || !(IsIdentStart(static_cast<unsigned char>(*FP)) || static_cast<unsigned char>(*FP) >= 0x80))
                    FailAt(FP, "expected a name after '.' in '" + std::string(FTokPos, FP) + "'");
                ScanIdentChars();
            }
            FTokEnd = FP;
            CheckNameLength(Symbol(), FTokPos);
            FOut.WriteValue(TValueType::vaIdent);
            FOut.WriteStr(Symbol());
        }
        Next();
    }

    void ParseSet() {
        Next();
        FOut.WriteValue(TValueType::vaSet);
        if (!IsChar(']')) {
            for (;;) {
                ExpectSymbol("a set member");
                CheckNameLength(Symbol(), FTokPos);
                Mark(FTokPos);
                FOut.WriteStr(Symbol());
                Next();
                if (IsChar(']')) break;
                Expect(',', "or ']' in a set");
                Next();
            }
        }
        FOut.WriteStr({});
        Next();
    }

    void ParseList(int depth) {
        CheckDepth(depth + 1);
        const char* open = FTokPos;
        Next();
        FOut.WriteValue(TValueType::vaList);
        while (!IsChar(')')) {
            if (FTok == Tok::Eof) FailAt(open, "list is not closed: ')' is missing");
            ParseValue(depth + 1);
        }
        FOut.WriteListEnd();
        Next();
    }

    void ParseCollection(int depth) {
        CheckDepth(depth + 1);
        Next();
        FOut.WriteValue(TValueType::vaCollection);
        while (!IsChar('>')) {
            if (!IsSymbol("item")) Fail("expected 'item' or '>' in a collection, found " + Describe());
            const char* itemPos = FTokPos;
            Next();
            if (IsChar('[')) {
                Next();
                if (FTok != Tok::Integer) Fail("expected the item's order (an integer), found " + Describe());
                CheckRange(true);
                Mark(FTokPos);
                FOut.WriteInteger(FInt);
                Next();
                Expect(']', "after the item's order");
                Next();
            }
            Mark(itemPos);
            FOut.WriteValue(TValueType::vaList);
            while (!IsSymbol("end")) {
                if (FTok != Tok::Symbol) Fail("expected a property name or 'end' in a collection item, found " + Describe());
                ParseProperty(depth + 1);
            }
            Next();
            FOut.WriteListEnd();
        }
        FOut.WriteListEnd();
        Next();
    }

    // Hex digit pairs, blanks allowed between pairs, up to the closing brace.
    void ParseBinary() {
        const auto* p = reinterpret_cast<const unsigned char*>(FP);
        const auto* end = reinterpret_cast<const unsigned char*>(FEnd);
        // Images make up much of a form's text: decode straight into a buffer
        // sized by the distance to the closing brace.
        const void* close = std::memchr(p, '}', static_cast<size_t>(end - p));
        FValBytes.resize(static_cast<size_t>((close ? static_cast<const unsigned char*>(close) : end) - p) / 2);
        char* out = FValBytes.data();
        for (;;) {
            while (p < end && kHexClass[*p] == kBlank) ++p;
            if (p == end || kHexClass[*p] >= 16) break;
            if (p + 1 == end || kHexClass[p[1]] >= 16)
                FailAt(reinterpret_cast<const char*>(p), "binary data has an odd number of hex digits");
            *out++ = static_cast<char>(kHexClass[p[0]] << 4 | kHexClass[p[1]]);
            p += 2;
        }
        FValBytes.resize(static_cast<size_t>(out - FValBytes.data()));
        FP = reinterpret_cast<const char*>(p);
        Next();
        Expect('}', "to close the binary data");
        FOut.WriteBinary(FValBytes);
        Next();
    }

    const std::string& FName;
    TextPosMap* FPositions;
    std::vector<std::pair<size_t, size_t>> FMarks;  // binary offset, text offset
    const char* FStart;
    const char* FEnd;
    const char* FP;  // the lexer's position, just past the current token

    Tok FTok = Tok::Eof;
    const char* FTokPos = nullptr;  // where the current token starts
    const char* FTokEnd = nullptr;  // end of a symbol
    const char* FNumEnd = nullptr;  // end of a float's digits, before any suffix
    char FSuffix = 0;
    int64_t FInt = 0;
    uint64_t FUInt = 0;
    bool FQWord = false;
    bool FOverflow = false;
    char FRawKind = 0;
    unsigned char FRaw[10] = {};
    std::string FTokBytes;
    std::u16string FTokUnits;
    bool FTokWide = false;

    std::string FValBytes;
    std::u16string FValUnits;
    std::string FDotted;
    BinaryWriter FOut;
};

}  // namespace

std::string TextToBinary(std::string_view text, const std::string& sourceName, TextPosMap* positions) {
    TextConverter c(text, sourceName, positions);
    return c.Run();
}

}  // namespace vcl::formfile
