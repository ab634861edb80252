// A normalized description of a binary form, for telling whether two streams
// carry the same content although they store it differently.

#include <cstdio>
#include <cstring>

#include "framework/FormFiles.h"
#include "framework/formfile/FormText.h"

namespace vcl::formfile {

namespace {

const char kHex[] = "0123456789ABCDEF";

class Describer {
public:
    explicit Describer(BinaryReader& r) : R(r) {}

    std::string Run() {
        R.ReadSignature();
        Object(0, 0);
        if (!R.AtEnd()) R.Error("data continues after the end of the form");
        return std::move(FOut);
    }

private:
    void Line(int indent) { FOut.append(static_cast<size_t>(indent), ' '); }

    void Quoted(const std::u32string& s) {
        FOut += '"';
        for (char32_t c : s) {
            if (c >= 32 && c < 127 && c != '"' && c != '\\') {
                FOut += static_cast<char>(c);
            } else {
                FOut += "\\u{";
                char buf[16];
                std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(c));
                FOut += buf;
                FOut += '}';
            }
        }
        FOut += '"';
    }

    static std::u32string Latin1(std::string_view s) {
        std::u32string out(s.size(), U'\0');
        for (size_t i = 0; i < s.size(); ++i) out[i] = static_cast<unsigned char>(s[i]);
        return out;
    }

    static std::u32string FromUtf8(std::string_view s) {
        std::u32string out;
        const auto* p = reinterpret_cast<const unsigned char*>(s.data());
        const auto* end = p + s.size();
        while (p < end) {
            if (*p < 0x80) {
                out += *p++;
                continue;
            }
            const size_t n = detail::Utf8SequenceLength(p, end);
            char32_t cp = *p & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
            for (size_t k = 1; k < n; ++k) cp = cp << 6 | (p[k] & 0x3F);
            out += cp;
            p += n;
        }
        return out;
    }

    static std::u32string FromUtf16(std::string_view raw) {
        std::u32string out;
        const size_t n = raw.size() / 2;
        for (size_t i = 0; i < n; ++i) {
            char16_t u, v = 0;
            std::memcpy(&u, raw.data() + 2 * i, 2);
            if (i + 1 < n) std::memcpy(&v, raw.data() + 2 * i + 2, 2);
            if (u >= 0xD800 && u <= 0xDBFF && v >= 0xDC00 && v <= 0xDFFF) {
                out += 0x10000 + ((char32_t{u} - 0xD800) << 10) + (v - 0xDC00);
                ++i;
            } else {
                out += u;
            }
        }
        return out;
    }

    void HexBytes(std::string_view bytes, bool reversed) {
        for (size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[reversed ? bytes.size() - 1 - i : i]);
            FOut += kHex[b >> 4];
            FOut += kHex[b & 15];
        }
    }

    void Object(int indent, int depth) {
        if (depth >= kMaxNesting) R.Error("nested deeper than " + std::to_string(kMaxNesting) + " levels");
        const ObjectHeader h = R.ReadObjectHeader();
        Line(indent);
        FOut += "object flags=" + std::to_string(h.Flags);
        if (h.Flags & ffChildPos) FOut += " pos=" + std::to_string(h.ChildPos);
        FOut += " class=";
        Quoted(Latin1(h.ClassName));
        FOut += " name=";
        Quoted(Latin1(h.Name));
        FOut += '\n';
        Properties(indent + 2, depth);
        while (!R.EndOfList()) Object(indent + 2, depth + 1);
        R.ReadListEnd();
        Line(indent);
        FOut += "end object\n";
    }

    void Properties(int indent, int depth) {
        while (!R.EndOfList()) {
            Line(indent);
            Quoted(Latin1(R.ReadStr()));
            FOut += " = ";
            Value(R.ReadValue(), indent, depth);
        }
        R.ReadListEnd();
    }

    void Value(TValueType t, int indent, int depth) {
        if (depth >= kMaxNesting) R.Error("nested deeper than " + std::to_string(kMaxNesting) + " levels");
        switch (t) {
            case TValueType::vaNull: FOut += "null\n"; return;
            case TValueType::vaFalse: FOut += "false\n"; return;
            case TValueType::vaTrue: FOut += "true\n"; return;
            case TValueType::vaNil: FOut += "nil\n"; return;
            case TValueType::vaInt8:
            case TValueType::vaInt16:
            case TValueType::vaInt32:
            case TValueType::vaInt64: FOut += "int " + std::to_string(R.ReadIntegerBody(t)) + '\n'; return;
            case TValueType::vaQWord: FOut += "int " + std::to_string(R.ReadQWordBody()) + '\n'; return;
            case TValueType::vaExtended:
                FOut += "extended ";
                HexBytes(R.ReadBytes(10, "an extended float"), true);
                FOut += '\n';
                return;
            case TValueType::vaSingle:
                FOut += "single ";
                HexBytes(R.ReadBytes(4, "a single float"), true);
                FOut += '\n';
                return;
            case TValueType::vaDate:
                FOut += "date ";
                HexBytes(R.ReadBytes(8, "a date value"), true);
                FOut += '\n';
                return;
            case TValueType::vaCurrency: FOut += "currency " + std::to_string(R.ReadCurrencyBody()) + '\n'; return;
            case TValueType::vaString: {
                const auto len = static_cast<uint8_t>(R.ReadBytes(1, "a string length")[0]);
                String(Latin1(R.ReadBytes(len, "a string")));
                return;
            }
            case TValueType::vaLString: String(Latin1(R.ReadLongStringBytes())); return;
            case TValueType::vaUTF8String: {
                const std::string_view s = R.ReadLongStringBytes();
                String(detail::IsValidUtf8(s) ? FromUtf8(s) : Latin1(s));
                return;
            }
            case TValueType::vaWString:
            case TValueType::vaUString: String(FromUtf16(R.ReadWideStringBytes())); return;
            case TValueType::vaIdent:
                FOut += "ident ";
                Quoted(Latin1(R.ReadStr()));
                FOut += '\n';
                return;
            case TValueType::vaBinary:
                FOut += "binary ";
                HexBytes(R.ReadLongStringBytes(), false);
                FOut += '\n';
                return;
            case TValueType::vaSet:
                FOut += "set";
                for (std::string m = R.ReadStr(); !m.empty(); m = R.ReadStr()) {
                    FOut += ' ';
                    Quoted(Latin1(m));
                }
                FOut += '\n';
                return;
            case TValueType::vaList:
                FOut += "list\n";
                while (!R.EndOfList()) {
                    Line(indent + 2);
                    Value(R.ReadValue(), indent + 2, depth + 1);
                }
                R.ReadListEnd();
                Line(indent);
                FOut += "end list\n";
                return;
            case TValueType::vaCollection:
                FOut += "collection\n";
                while (!R.EndOfList()) {
                    const size_t at = R.Position();
                    Line(indent + 2);
                    FOut += "item";
                    TValueType item = R.ReadValue();
                    if (item == TValueType::vaInt8 || item == TValueType::vaInt16 || item == TValueType::vaInt32 ||
                        item == TValueType::vaInt64) {
                        FOut += " order=" + std::to_string(R.ReadIntegerBody(item));
                        item = R.ReadValue();
                    }
                    if (item != TValueType::vaList)
                        R.ErrorAt(at, std::string("expected a collection item (vaList), found ") + ValueTypeName(item));
                    FOut += '\n';
                    Properties(indent + 4, depth + 1);
                    Line(indent + 2);
                    FOut += "end item\n";
                }
                R.ReadListEnd();
                Line(indent);
                FOut += "end collection\n";
                return;
        }
    }

    void String(const std::u32string& s) {
        FOut += "string ";
        Quoted(s);
        FOut += '\n';
    }

    BinaryReader& R;
    std::string FOut;
};

}  // namespace

std::string DescribeForm(std::string_view binary, const std::string& sourceName) {
    const std::string_view stream = StripResourceHeader(binary, sourceName);
    BinaryReader r(stream, sourceName, static_cast<size_t>(stream.data() - binary.data()));
    return Describer(r).Run();
}

}  // namespace vcl::formfile
