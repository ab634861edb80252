#include <cstring>

#include "framework/FormFiles.h"
#include "framework/formfile/FormText.h"

namespace vcl::formfile {

void BinaryWriter::WriteSignature() { FOut.append("TPF0"); }

void BinaryWriter::WriteValue(TValueType t) { FOut += static_cast<char>(t); }

void BinaryWriter::RawU32(uint32_t v) { Raw(&v, 4); }

void BinaryWriter::WriteStr(std::string_view s) {
    if (s.size() > 255)
        throw EWriteError("short string of " + std::to_string(s.size()) + " bytes is longer than 255: '" +
                          std::string(s.substr(0, 40)) + "...'");
    FOut += static_cast<char>(s.size());
    FOut.append(s);
}

void BinaryWriter::WriteObjectHeader(const ObjectHeader& h) {
    if (h.Flags != 0) {
        FOut += static_cast<char>(0xF0 | (h.Flags & 0x0F));
        if (h.Flags & ffChildPos) WriteInteger(h.ChildPos);
    }
    WriteStr(h.ClassName);
    WriteStr(h.Name);
}

void BinaryWriter::WriteInteger(int64_t v) {
    if (v >= INT8_MIN && v <= INT8_MAX) {
        WriteValue(TValueType::vaInt8);
        FOut += static_cast<char>(v);
    } else if (v >= INT16_MIN && v <= INT16_MAX) {
        WriteValue(TValueType::vaInt16);
        const auto x = static_cast<int16_t>(v);
        Raw(&x, 2);
    } else if (v >= INT32_MIN && v <= INT32_MAX) {
        WriteValue(TValueType::vaInt32);
        const auto x = static_cast<int32_t>(v);
        Raw(&x, 4);
    } else {
        WriteValue(TValueType::vaInt64);
        Raw(&v, 8);
    }
}

void BinaryWriter::WriteQWord(uint64_t v) {
    WriteValue(TValueType::vaQWord);
    Raw(&v, 8);
}

void BinaryWriter::WriteExtended(long double v) {
    WriteValue(TValueType::vaExtended);
    Raw(&v, 10);
}

void BinaryWriter::WriteSingle(float v) {
    WriteValue(TValueType::vaSingle);
    Raw(&v, 4);
}

void BinaryWriter::WriteCurrency(int64_t scaled) {
    WriteValue(TValueType::vaCurrency);
    Raw(&scaled, 8);
}

void BinaryWriter::WriteDate(double v) {
    WriteValue(TValueType::vaDate);
    Raw(&v, 8);
}

void BinaryWriter::WriteString(std::string_view s) {
    if (s.size() <= 255) {
        WriteValue(TValueType::vaString);
        FOut += static_cast<char>(s.size());
    } else {
        WriteValue(TValueType::vaLString);
        RawU32(static_cast<uint32_t>(s.size()));
    }
    FOut.append(s);
}

void BinaryWriter::WriteUTF8String(std::string_view s) {
    WriteValue(TValueType::vaUTF8String);
    RawU32(static_cast<uint32_t>(s.size()));
    FOut.append(s);
}

void BinaryWriter::WriteWideString(std::u16string_view s) {
    WriteValue(TValueType::vaWString);
    RawU32(static_cast<uint32_t>(s.size()));
    Raw(s.data(), s.size() * 2);
}

void BinaryWriter::WriteIdent(std::string_view ident) {
    if (detail::IsKeyword(ident, "false")) {
        WriteValue(TValueType::vaFalse);
    } else if (detail::IsKeyword(ident, "true")) {
        WriteValue(TValueType::vaTrue);
    } else if (detail::IsKeyword(ident, "nil")) {
        WriteValue(TValueType::vaNil);
    } else if (detail::IsKeyword(ident, "null")) {
        WriteValue(TValueType::vaNull);
    } else {
        WriteValue(TValueType::vaIdent);
        WriteStr(ident);
    }
}

void BinaryWriter::WriteSet(const std::vector<std::string>& members) {
    WriteValue(TValueType::vaSet);
    for (const auto& m : members) {
        if (m.empty()) throw EWriteError("a set member cannot be empty");
        WriteStr(m);
    }
    FOut += '\0';
}

void BinaryWriter::WriteBinary(std::string_view bytes) {
    WriteValue(TValueType::vaBinary);
    RawU32(static_cast<uint32_t>(bytes.size()));
    FOut.append(bytes);
}

}  // namespace vcl::formfile
