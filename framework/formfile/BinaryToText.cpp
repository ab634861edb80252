// Binary form to text. The layout is Delphi's (two-space indent, lists and
// binary data closed on their last line); what matters is that the text reads
// back to the same content, so anything the text cannot express exactly is an
// error rather than an approximation.

#include <cstring>

#include "framework/FormFiles.h"
#include "framework/formfile/FormText.h"

namespace vcl::formfile {

namespace {

using detail::IsKeyword;

constexpr size_t kPieceWidth = 64;  // characters of a string on one line
constexpr size_t kHexPerLine = 32;  // bytes of binary data on one line
const char kHex[] = "0123456789ABCDEF";

// One character of a string as the text writes it: inside quotes, or a code.
struct Atom {
    const char* Text;
    uint8_t Size;
    bool Quoted;
};

class TextWriter {
public:
    explicit TextWriter(BinaryReader& r) : R(r) {}

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
        return std::move(FOut);
    }

private:
    void Indent(int n) { FOut.append(static_cast<size_t>(n), ' '); }

    void Unwritable(size_t at, const std::string& message) {
        if (FDeferred.empty()) {
            FDeferredAt = at;
            FDeferred = message;
        }
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

    // A property whose name starts with a word that ends the property list
    // would not read back: 'end' everywhere, and in an object also the words
    // that open a child.
    static bool EndsPropertyList(std::string_view name, bool inItem) {
        const std::string_view head = name.substr(0, name.find('.'));
        return IsKeyword(head, "end") ||
               (!inItem && (IsKeyword(head, "object") || IsKeyword(head, "inherited") || IsKeyword(head, "inline")));
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
        FOut += (h.Flags & ffInherited) ? "inherited " : (h.Flags & ffInline) ? "inline " : "object ";
        if (!h.Name.empty()) {
            FOut += h.Name;
            FOut += ": ";
        }
        FOut += h.ClassName;
        if (h.Flags & ffChildPos) {
            FOut += " [";
            FOut += std::to_string(h.ChildPos);
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
            const std::string name = R.ReadStr();
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
            case TValueType::vaInt64: FOut += std::to_string(R.ReadIntegerBody(t)); return;
            case TValueType::vaQWord: FOut += std::to_string(R.ReadQWordBody()); return;
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
            case TValueType::vaCurrency: FOut += detail::FormatCurrency(R.ReadCurrencyBody()) + 'c'; return;
            case TValueType::vaString: {
                const auto len = static_cast<uint8_t>(R.ReadBytes(1, "a string length")[0]);
                Bytes(R.ReadBytes(len, "a string"), indent, afterEquals);
                return;
            }
            case TValueType::vaLString: Bytes(R.ReadLongStringBytes(), indent, afterEquals); return;
            case TValueType::vaUTF8String: {
                const std::string_view s = R.ReadLongStringBytes();
                if (detail::IsValidUtf8(s)) {
                    Units(Utf8ToUtf16(s), indent, afterEquals);
                } else {
                    Bytes(s, indent, afterEquals);  // no characters to keep: keep the bytes
                }
                return;
            }
            case TValueType::vaWString:
            case TValueType::vaUString: {
                const std::string_view raw = R.ReadWideStringBytes();
                std::u16string units(raw.size() / 2, u'\0');
                std::memcpy(units.data(), raw.data(), raw.size());
                Units(units, indent, afterEquals);
                return;
            }
            case TValueType::vaIdent: {
                const std::string s = R.ReadStr();
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
                FOut += std::to_string(R.ReadIntegerBody(t));
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
            const std::string m = R.ReadStr();
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
        for (size_t i = 0; i < bytes.size(); i += kHexPerLine) {
            FOut += '\n';
            Indent(indent + 2);
            const size_t n = std::min(kHexPerLine, bytes.size() - i);
            for (size_t j = 0; j < n; ++j) {
                const auto b = static_cast<unsigned char>(bytes[i + j]);
                FOut += kHex[b >> 4];
                FOut += kHex[b & 15];
            }
        }
        FOut += '}';
    }

    // s is valid UTF-8: the caller checked.
    static std::u16string Utf8ToUtf16(std::string_view s) {
        std::u16string out;
        out.reserve(s.size());
        for (size_t i = 0; i < s.size();) {
            const auto c = static_cast<unsigned char>(s[i]);
            char32_t cp;
            size_t n;
            if (c < 0x80) {
                cp = c;
                n = 1;
            } else if (c < 0xE0) {
                cp = c & 0x1F;
                n = 2;
            } else if (c < 0xF0) {
                cp = c & 0x0F;
                n = 3;
            } else {
                cp = c & 0x07;
                n = 4;
            }
            for (size_t k = 1; k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
            i += n;
            if (cp >= 0x10000) {
                out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
                out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            } else {
                out += static_cast<char16_t>(cp);
            }
        }
        return out;
    }

    // 8-bit strings keep their bytes: raw between quotes when the whole string
    // is valid UTF-8, and `#$hh` for every byte above 127 otherwise, so that
    // the text stays UTF-8 either way. A `#nnn` code above 127 would turn the
    // string into a wide one.
    void Bytes(std::string_view s, int indent, bool afterEquals) {
        FAtoms.clear();
        const bool utf8 = detail::IsValidUtf8(s);
        const auto* p = reinterpret_cast<const unsigned char*>(s.data());
        const auto* end = p + s.size();
        FCodes.clear();
        FCodes.reserve(s.size() * 4);  // Atom::Text points into it: no reallocation
        while (p < end) {
            const unsigned char c = *p;
            if (c >= 32 && c < 127) {
                FAtoms.push_back({c == '\'' ? "''" : reinterpret_cast<const char*>(p), uint8_t(c == '\'' ? 2 : 1), true});
                ++p;
            } else if (c >= 0x80 && utf8) {
                const auto n = detail::Utf8SequenceLength(p, end);
                FAtoms.push_back({reinterpret_cast<const char*>(p), static_cast<uint8_t>(n), true});
                p += n;
            } else {
                const size_t start = FCodes.size();
                if (c >= 0x80) {
                    FCodes += "#$";
                    FCodes += kHex[c >> 4];
                    FCodes += kHex[c & 15];
                } else {
                    FCodes += '#';
                    FCodes += std::to_string(c);
                }
                FAtoms.push_back({FCodes.data() + start, static_cast<uint8_t>(FCodes.size() - start), false});
                ++p;
            }
        }
        EmitAtoms(indent, afterEquals);
    }

    // Wide strings keep their UTF-16 code units: printable ASCII between
    // quotes, everything else as `#nnn`, unpaired surrogates included.
    void Units(std::u16string_view s, int indent, bool afterEquals) {
        FAtoms.clear();
        FCodes.clear();
        FCodes.reserve(s.size() * 6);
        for (const char16_t& u : s) {
            if (u >= 32 && u < 127) {
                FCodes += static_cast<char>(u);
                if (u == '\'') FCodes += '\'';
                FAtoms.push_back({nullptr, uint8_t(u == '\'' ? 2 : 1), true});
            } else {
                const size_t start = FCodes.size();
                FCodes += '#';
                FCodes += std::to_string(static_cast<unsigned>(u));
                FAtoms.push_back({nullptr, static_cast<uint8_t>(FCodes.size() - start), false});
            }
        }
        const char* q = FCodes.data();
        for (Atom& a : FAtoms) {
            a.Text = q;
            q += a.Size;
        }
        EmitAtoms(indent, afterEquals);
    }

    // Strings longer than one line are split into pieces joined by '+', each
    // on a line of its own; a piece also ends after a line feed.
    void EmitAtoms(int indent, bool afterEquals) {
        const bool split = FAtoms.size() > kPieceWidth;
        if (afterEquals) {
            if (split) {
                FOut += '\n';
                Indent(indent + 2);
            } else {
                FOut += ' ';
            }
        }
        const int pieceIndent = afterEquals ? indent + 2 : indent;
        if (FAtoms.empty()) {
            FOut += "''";
            return;
        }
        bool quoted = false;
        size_t inPiece = 0;
        for (size_t i = 0; i < FAtoms.size(); ++i) {
            const Atom& a = FAtoms[i];
            if (a.Quoted != quoted) {
                FOut += '\'';
                quoted = a.Quoted;
            }
            FOut.append(a.Text, a.Size);
            ++inPiece;
            const bool lineFeed = !a.Quoted && a.Size == 3 && std::memcmp(a.Text, "#10", 3) == 0;
            if (split && i + 1 < FAtoms.size() && (inPiece == kPieceWidth || lineFeed)) {
                if (quoted) FOut += '\'';
                quoted = false;
                FOut += " +\n";
                Indent(pieceIndent);
                inPiece = 0;
            }
        }
        if (quoted) FOut += '\'';
    }

    BinaryReader& R;
    std::string FOut;
    std::vector<Atom> FAtoms;
    std::string FCodes;
    std::string FDeferred;
    size_t FDeferredAt = 0;
};

}  // namespace

std::string BinaryToText(std::string_view binary, const std::string& sourceName) {
    const std::string_view stream = StripResourceHeader(binary, sourceName);
    BinaryReader r(stream, sourceName, static_cast<size_t>(stream.data() - binary.data()));
    return TextWriter(r).Run();
}

}  // namespace vcl::formfile
