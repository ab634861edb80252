// Binary form to text. The layout is Delphi's (two-space indent, lists and
// binary data closed on their last line); what matters is that the text reads
// back to the same content, so anything the text cannot express exactly is an
// error rather than an approximation.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "framework/FormFiles.h"
#include "framework/formfile/FormText.h"

namespace vcl::formfile {

namespace {

using detail::IsKeyword;

constexpr size_t kPieceWidth = 64;  // characters of a string on one line
constexpr size_t kHexPerLine = 32;  // bytes of binary data on one line
const char kHex[] = "0123456789ABCDEF";

// How a byte of an 8-bit string is written: looked up once per byte, so that
// runs of plain characters go out in one append.
enum class ByteKind : uint8_t { Plain, Quote, Control, High };
constexpr auto kByteKinds = [] {
    std::array<ByteKind, 256> kinds{};
    for (int c = 0; c < 256; ++c)
        kinds[c] = c == '\''              ? ByteKind::Quote
                   : c >= 32 && c < 127 ? ByteKind::Plain
                   : c < 128            ? ByteKind::Control
                                        : ByteKind::High;
    return kinds;
}();

// Characters of valid UTF-8: every byte but the continuation bytes starts one.
size_t Utf8Length(std::string_view s) {
    size_t n = 0;
    for (const char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// UTF-16 code units of valid UTF-8: a 4-byte sequence takes two.
size_t Utf16Length(std::string_view s) {
    size_t n = 0;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        n += ((b & 0xC0) != 0x80) + (b >= 0xF0);
    }
    return n;
}

// Length of the sequence a lead byte starts, in UTF-8 already checked.
size_t Utf8LeadLength(unsigned char c) { return c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4; }

// The place a string has reached as it is written. Strings longer than one
// line are split into pieces joined by '+', each on a line of its own; a
// piece also ends after a line feed.
struct Piece {
    bool Split;        // the string spans several lines
    int Indent;        // of the lines after the first
    size_t Left;       // characters not yet written
    size_t Count = 0;  // characters in the current piece
    bool Quoted = false;
};

// The text as it grows. Its tokens are short and many, so appending costs
// one bounds check: the buffer is sized ahead and filled by index.
class Output {
public:
    explicit Output(size_t expected) : FBuf(expected, '\0') {}

    Output& operator+=(char c) {
        *Room(1) = c;
        ++FSize;
        return *this;
    }
    Output& operator+=(std::string_view s) {
        std::memcpy(Room(s.size()), s.data(), s.size());
        FSize += s.size();
        return *this;
    }
    void Fill(size_t count, char c) {
        std::memset(Room(count), c, count);
        FSize += count;
    }
    template <class Int>
    void Number(Int v) {
        constexpr size_t kMax = 20;  // digits and sign of any 64-bit integer
        char* p = Room(kMax);
        FSize += static_cast<size_t>(std::to_chars(p, p + kMax, v).ptr - p);
    }

    std::string Take() {
        FBuf.resize(FSize);
        return std::move(FBuf);
    }

private:
    char* Room(size_t count) {
        if (FBuf.size() - FSize < count) [[unlikely]]
            Grow(count);
        return FBuf.data() + FSize;
    }
    void Grow(size_t count) { FBuf.resize(std::max(FBuf.size() * 2, FSize + count)); }

    std::string FBuf;  // its size is the room; the text is the first FSize bytes
    size_t FSize = 0;
};

class TextWriter {
public:
    // The text of a form is about twice the size of its binary.
    TextWriter(BinaryReader& r, size_t streamSize) : R(r), FOut(streamSize * 2 + 64) {}

    // A value that text cannot express is reported only once the whole
    // stream has been read: in a damaged stream the damage is found first,
    // with a note of what went wrong before it.
    std::string Run() {
        try {
            R.ReadSignature();
            Object(0, 0);
            if (!R.AtEnd()) R.Error("data continues after the end of the form");
        } catch (const EReadError& e) {
            if (FDeferred.empty()) throw;
            throw EReadError(e.Message() + " (earlier, at offset " + std::to_string(FDeferredAt) + ": " + FDeferred + ")");
        }
        if (!FDeferred.empty()) R.ErrorAt(FDeferredAt, FDeferred);
        return FOut.Take();
    }

private:
    void Indent(int n) { FOut.Fill(static_cast<size_t>(n), ' '); }

    void Unwritable(size_t at, const std::string& message) {
        if (FDeferred.empty()) {
            FDeferredAt = at;
            FDeferred = message;
        }
    }

    // A short string (length byte, bytes) left in the stream, not copied.
    std::string_view ReadName() {
        const auto len = static_cast<uint8_t>(R.ReadBytes(1, "a short string")[0]);
        return R.ReadBytes(len, "a short string");
    }

    // A name as an error message quotes it: control bytes escaped, cut short.
    static std::string Shown(std::string_view s) {
        std::string out = "'";
        for (size_t i = 0; i < s.size() && i < 40; ++i) {
            const auto c = static_cast<unsigned char>(s[i]);
            if (c < 32 || c == 127) {
                out += "\\x";
                out += kHex[c >> 4];
                out += kHex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
        return out + (s.size() > 40 ? "...'" : "'");
    }

    void CheckDepth(int depth) const {
        if (depth >= kMaxNesting) R.Error("nested deeper than " + std::to_string(kMaxNesting) + " levels");
    }

    // True when the part of name before any '.' is the keyword.
    static bool HeadIs(std::string_view name, std::string_view lowerKeyword) {
        const size_t n = lowerKeyword.size();
        return name.size() >= n && IsKeyword(name.substr(0, n), lowerKeyword) && (name.size() == n || name[n] == '.');
    }

    // A property whose name starts with a word that ends the property list
    // would not read back: 'end' everywhere, and in an object also the words
    // that open a child.
    static bool EndsPropertyList(std::string_view name, bool inItem) {
        const char first = static_cast<char>(name.empty() ? 0 : name[0] | 0x20);
        if (first != 'e' && first != 'o' && first != 'i') return false;  // the usual case, cheaply
        return HeadIs(name, "end") ||
               (!inItem && (HeadIs(name, "object") || HeadIs(name, "inherited") || HeadIs(name, "inline")));
    }

    void Object(int indent, int depth) {
        CheckDepth(depth);
        const ObjectHeader h = R.ReadObjectHeader();
        if ((h.Flags & ffInherited) && (h.Flags & ffInline))
            Unwritable(h.Offset, "an object cannot be both inherited and inline in text");
        if (!detail::IsIdentifier(h.ClassName))
            Unwritable(h.Offset, "class name " + Shown(h.ClassName) + " cannot be written as text");
        if (!h.Name.empty() && !detail::IsIdentifier(h.Name))
            Unwritable(h.Offset, "object name " + Shown(h.Name) + " cannot be written as text");
        Indent(indent);
        using namespace std::string_view_literals;
        FOut += (h.Flags & ffInherited) ? "inherited "sv : (h.Flags & ffInline) ? "inline "sv : "object "sv;
        if (!h.Name.empty()) {
            FOut += h.Name;
            FOut += ": ";
        }
        FOut += h.ClassName;
        if (h.Flags & ffChildPos) {
            FOut += " [";
            FOut.Number(h.ChildPos);
            FOut += ']';
        }
        FOut += '\n';
        PropertyList(indent + 2, depth, false);
        while (!R.EndOfList()) Object(indent + 2, depth + 1);
        R.ReadListEnd();
        Indent(indent);
        FOut += "end\n";
    }

    void PropertyList(int indent, int depth, bool inItem) {
        while (!R.EndOfList()) {
            const size_t at = R.Position();
            const std::string_view name = ReadName();
            if (!detail::IsDottedIdentifier(name) || EndsPropertyList(name, inItem))
                Unwritable(at, "property name " + Shown(name) + " cannot be written as text");
            Indent(indent);
            FOut += name;
            FOut += " =";
            Value(R.ReadValue(), indent, depth, true);
            FOut += '\n';
        }
        R.ReadListEnd();
    }

    // Writes one value whose tag has been read. After "Name =" it starts with
    // a blank, or with a line break for a string too long for one line; as an
    // element of a list it starts where the list put it.
    void Value(TValueType t, int indent, int depth, bool afterEquals) {
        const size_t at = R.Position() - 1;
        if (afterEquals && !IsString(t)) FOut += ' ';
        switch (t) {
            case TValueType::vaNull: Unwritable(at, "a vaNull value cannot be written as text"); return;
            case TValueType::vaList: List(indent, depth); return;
            case TValueType::vaInt8:
            case TValueType::vaInt16:
            case TValueType::vaInt32:
            case TValueType::vaInt64: FOut.Number(R.ReadIntegerBody(t)); return;
            case TValueType::vaQWord: FOut.Number(R.ReadQWordBody()); return;
            case TValueType::vaExtended: {
                const auto bytes = reinterpret_cast<const unsigned char*>(R.ReadBytes(10, "an extended float").data());
                const std::string s = detail::FormatExtended(bytes);
                if (s.empty()) {
                    RawBits('e', bytes, 10);
                } else {
                    FOut += s;
                }
                return;
            }
            case TValueType::vaSingle: {
                const auto bytes = reinterpret_cast<const unsigned char*>(R.ReadBytes(4, "a single float").data());
                float v;
                std::memcpy(&v, bytes, 4);
                const std::string s = detail::FormatSingle(v);
                if (s.empty()) {
                    RawBits('s', bytes, 4);
                } else {
                    FOut += s;
                    FOut += 's';
                }
                return;
            }
            case TValueType::vaDate: {
                const auto bytes = reinterpret_cast<const unsigned char*>(R.ReadBytes(8, "a date value").data());
                double v;
                std::memcpy(&v, bytes, 8);
                const std::string s = detail::FormatDouble(v);
                if (s.empty()) {
                    RawBits('d', bytes, 8);
                } else {
                    FOut += s;
                    FOut += 'd';
                }
                return;
            }
            case TValueType::vaCurrency:
                FOut += detail::FormatCurrency(R.ReadCurrencyBody());
                FOut += 'c';
                return;
            case TValueType::vaString: {
                const auto len = static_cast<uint8_t>(R.ReadBytes(1, "a string length")[0]);
                Bytes(R.ReadBytes(len, "a string"), indent, afterEquals);
                return;
            }
            case TValueType::vaLString: Bytes(R.ReadLongStringBytes(), indent, afterEquals); return;
            case TValueType::vaUTF8String: {
                const std::string_view s = R.ReadLongStringBytes();
                if (detail::IsValidUtf8(s)) {
                    Utf8AsUnits(s, indent, afterEquals);
                } else {
                    Bytes(s, indent, afterEquals);  // no characters to keep: keep the bytes
                }
                return;
            }
            case TValueType::vaWString:
            case TValueType::vaUString: WideUnits(R.ReadWideStringBytes(), indent, afterEquals); return;
            case TValueType::vaIdent: {
                const std::string_view s = ReadName();
                if (!detail::IsDottedIdentifier(s) || IsKeyword(s, "true") || IsKeyword(s, "false") ||
                    IsKeyword(s, "nil"))
                    Unwritable(at, "identifier " + Shown(s) + " cannot be written as text");
                FOut += s;
                return;
            }
            case TValueType::vaFalse: FOut += "False"; return;
            case TValueType::vaTrue: FOut += "True"; return;
            case TValueType::vaNil: FOut += "nil"; return;
            case TValueType::vaBinary: Binary(R.ReadLongStringBytes(), indent); return;
            case TValueType::vaSet: Set(); return;
            case TValueType::vaCollection: Collection(indent, depth); return;
        }
    }

    static bool IsString(TValueType t) {
        return t == TValueType::vaString || t == TValueType::vaLString || t == TValueType::vaUTF8String ||
               t == TValueType::vaWString || t == TValueType::vaUString;
    }

    void RawBits(char kind, const unsigned char* bytes, int size) {
        FOut += '!';
        FOut += kind;
        for (int i = size - 1; i >= 0; --i) {
            FOut += kHex[bytes[i] >> 4];
            FOut += kHex[bytes[i] & 15];
        }
    }

    void List(int indent, int depth) {
        CheckDepth(depth + 1);
        FOut += '(';
        while (!R.EndOfList()) {
            FOut += '\n';
            Indent(indent + 2);
            Value(R.ReadValue(), indent + 2, depth + 1, false);
        }
        R.ReadListEnd();
        FOut += ')';
    }

    void Collection(int indent, int depth) {
        CheckDepth(depth + 1);
        FOut += '<';
        while (!R.EndOfList()) {
            FOut += '\n';
            Indent(indent + 2);
            FOut += "item";
            const size_t at = R.Position();
            TValueType t = R.ReadValue();
            if (t == TValueType::vaInt8 || t == TValueType::vaInt16 || t == TValueType::vaInt32 ||
                t == TValueType::vaInt64) {
                FOut += " [";
                FOut.Number(R.ReadIntegerBody(t));
                FOut += ']';
                t = R.ReadValue();
            }
            if (t != TValueType::vaList)
                R.ErrorAt(at, std::string("expected a collection item (vaList), found ") + ValueTypeName(t));
            FOut += '\n';
            PropertyList(indent + 4, depth + 1, true);
            Indent(indent + 2);
            FOut += "end";
        }
        R.ReadListEnd();
        FOut += '>';
    }

    void Set() {
        const size_t at = R.Position();
        FOut += '[';
        bool first = true;
        for (;;) {
            const std::string_view m = ReadName();
            if (m.empty()) break;
            if (!detail::IsIdentifier(m)) Unwritable(at, "set member " + Shown(m) + " cannot be written as text");
            if (!first) FOut += ", ";
            first = false;
            FOut += m;
        }
        FOut += ']';
    }

    void Binary(std::string_view bytes, int indent) {
        FOut += '{';
        char line[kHexPerLine * 2];
        for (size_t i = 0; i < bytes.size(); i += kHexPerLine) {
            FOut += '\n';
            Indent(indent + 2);
            const size_t n = std::min(kHexPerLine, bytes.size() - i);
            for (size_t j = 0; j < n; ++j) {
                const auto b = static_cast<unsigned char>(bytes[i + j]);
                line[2 * j] = kHex[b >> 4];
                line[2 * j + 1] = kHex[b & 15];
            }
            FOut += std::string_view(line, 2 * n);
        }
        FOut += '}';
    }

    // 8-bit strings keep their bytes: raw between quotes when the whole string
    // is valid UTF-8, and `#$hh` for every byte above 127 otherwise, so that
    // the text stays UTF-8 either way. A `#nnn` code above 127 would turn the
    // string into a wide one.
    void Bytes(std::string_view s, int indent, bool afterEquals) {
        const bool utf8 = detail::IsValidUtf8(s);
        Piece p = BeginString(utf8 ? Utf8Length(s) : s.size(), indent, afterEquals);
        const auto* b = reinterpret_cast<const unsigned char*>(s.data());
        for (size_t i = 0; i < s.size();) {
            switch (kByteKinds[b[i]]) {
                case ByteKind::Plain: {
                    size_t end = i + 1;
                    while (end < s.size() && kByteKinds[b[end]] == ByteKind::Plain) ++end;
                    PlainRun(p, s.data() + i, end - i);
                    i = end;
                    break;
                }
                case ByteKind::Quote:
                    Quoted(p, "''", 2, 1);
                    ++i;
                    break;
                case ByteKind::Control: Code(p, b[i++]); break;
                case ByteKind::High:
                    if (utf8) {
                        const size_t n = Utf8LeadLength(b[i]);
                        Quoted(p, s.data() + i, n, 1);
                        i += n;
                    } else {
                        HexCode(p, b[i++]);
                    }
                    break;
            }
        }
        EndString(p);
    }

    // Wide strings keep their UTF-16 code units: printable ASCII between
    // quotes, everything else as `#nnn`, unpaired surrogates included.
    void Unit(Piece& p, char16_t u) {
        if (u == '\'') {
            Quoted(p, "''", 2, 1);
        } else if (u >= 32 && u < 127) {
            const char c = static_cast<char>(u);
            Quoted(p, &c, 1, 1);
        } else {
            Code(p, u);
        }
    }

    // raw holds the units as the stream stores them, two bytes each.
    void WideUnits(std::string_view raw, int indent, bool afterEquals) {
        Piece p = BeginString(raw.size() / 2, indent, afterEquals);
        for (size_t i = 0; i + 1 < raw.size(); i += 2) {
            char16_t u;
            std::memcpy(&u, raw.data() + i, 2);
            Unit(p, u);
        }
        EndString(p);
    }

    // A UTF-8 string keeps its characters: written as the UTF-16 units they
    // are. s is valid UTF-8: the caller checked.
    void Utf8AsUnits(std::string_view s, int indent, bool afterEquals) {
        Piece p = BeginString(Utf16Length(s), indent, afterEquals);
        const auto* b = reinterpret_cast<const unsigned char*>(s.data());
        for (size_t i = 0; i < s.size();) {
            const unsigned char c = b[i];
            if (c < 0x80) {
                Unit(p, c);
                ++i;
                continue;
            }
            const size_t n = Utf8LeadLength(c);
            char32_t cp = c & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
            for (size_t k = 1; k < n; ++k) cp = cp << 6 | (b[i + k] & 0x3F);
            i += n;
            if (cp >= 0x10000) {
                Unit(p, static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
                Unit(p, static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
            } else {
                Unit(p, static_cast<char16_t>(cp));
            }
        }
        EndString(p);
    }

    // Opens a string of `chars` characters; an empty one is written whole.
    Piece BeginString(size_t chars, int indent, bool afterEquals) {
        const bool split = chars > kPieceWidth;
        if (afterEquals) {
            if (split) {
                FOut += '\n';
                Indent(indent + 2);
            } else {
                FOut += ' ';
            }
        }
        if (chars == 0) FOut += "''";
        return Piece{split, afterEquals ? indent + 2 : indent, chars};
    }

    void EndString(const Piece& p) {
        if (p.Quoted) FOut += '\'';
    }

    // `chars` characters written between quotes as the bytes s.
    void Quoted(Piece& p, const char* s, size_t bytes, size_t chars) {
        if (!p.Quoted) {
            FOut += '\'';
            p.Quoted = true;
        }
        FOut += std::string_view(s, bytes);
        Advance(p, chars, false);
    }

    // Plain characters, one byte each, cut where pieces end.
    void PlainRun(Piece& p, const char* s, size_t n) {
        while (n > 0) {
            const size_t k = p.Split ? std::min(n, kPieceWidth - p.Count) : n;
            Quoted(p, s, k, k);
            s += k;
            n -= k;
        }
    }

    void CloseQuote(Piece& p) {
        if (p.Quoted) {
            FOut += '\'';
            p.Quoted = false;
        }
    }

    void Code(Piece& p, unsigned v) {  // #nnn
        CloseQuote(p);
        FOut += '#';
        FOut.Number(v);
        Advance(p, 1, v == 10);
    }

    void HexCode(Piece& p, unsigned char c) {  // #$hh
        CloseQuote(p);
        const char code[] = {'#', '$', kHex[c >> 4], kHex[c & 15]};
        FOut += std::string_view(code, 4);
        Advance(p, 1, false);
    }

    void Advance(Piece& p, size_t chars, bool lineFeed) {
        p.Count += chars;
        p.Left -= chars;
        if (p.Split && p.Left > 0 && (p.Count == kPieceWidth || lineFeed)) {
            CloseQuote(p);
            FOut += " +\n";
            Indent(p.Indent);
            p.Count = 0;
        }
    }

    BinaryReader& R;
    Output FOut;
    std::string FDeferred;
    size_t FDeferredAt = 0;
};

}  // namespace

std::string BinaryToText(std::string_view binary, const std::string& sourceName) {
    const std::string_view stream = StripResourceHeader(binary, sourceName);
    BinaryReader r(stream, sourceName, static_cast<size_t>(stream.data() - binary.data()));
    return TextWriter(r, stream.size()).Run();
}

}  // namespace vcl::formfile
