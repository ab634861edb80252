#include <algorithm>
#include <cstring>
#include <iterator>

#include "framework/FormFiles.h"
#include "framework/formfile/FormText.h"

namespace vcl::formfile {

namespace {

const char* const kValueTypeNames[] = {
    "vaNull",     "vaList",  "vaInt8",       "vaInt16",  "vaInt32",      "vaExtended",
    "vaString",   "vaIdent", "vaFalse",      "vaTrue",   "vaBinary",     "vaSet",
    "vaLString",  "vaNil",   "vaCollection", "vaSingle", "vaCurrency",   "vaDate",
    "vaWString",  "vaInt64", "vaUTF8String", "vaUString", "vaQWord",
};
static_assert(sizeof kValueTypeNames / sizeof *kValueTypeNames == kLastValueType + 1);

template <class T>
T LoadLE(const char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);  // the format is little-endian, like the host
    return v;
}

const char kHex[] = "0123456789ABCDEF";

bool IsIntegerTag(TValueType t) {
    return t == TValueType::vaInt8 || t == TValueType::vaInt16 || t == TValueType::vaInt32 ||
           t == TValueType::vaInt64;
}

}  // namespace

const char* ValueTypeName(TValueType t) {
    const auto i = static_cast<uint8_t>(t);
    return i <= kLastValueType ? kValueTypeNames[i] : "unknown value type";
}

BinaryReader::BinaryReader(std::string_view data, std::string sourceName, size_t baseOffset)
    : FData(data), FBase(baseOffset), FSourceName(std::move(sourceName)) {}

void BinaryReader::Error(const std::string& message) const { ErrorAt(Position(), message); }

std::string BinaryReader::Where(size_t offset) const {
    if (!FTextPositions) return FSourceName + ": offset " + std::to_string(offset);
    const TextPos p = FindTextPos(*FTextPositions, offset);
    return FSourceName + ":" + std::to_string(p.Line) + ":" + std::to_string(p.Column);
}

void BinaryReader::ErrorAt(size_t offset, const std::string& message) const {
    throw EReadError(Where(offset) + ": " + message);
}

TextPos FindTextPos(const TextPosMap& map, size_t offset) {
    auto it = std::upper_bound(map.begin(), map.end(), offset,
                               [](size_t o, const std::pair<size_t, TextPos>& e) { return o < e.first; });
    return it == map.begin() ? TextPos{} : std::prev(it)->second;
}

void BinaryReader::Need(size_t count, const char* what) const {
    const size_t left = FData.size() - FPos;
    if (count > left)
        Error(std::string("unexpected end of data: ") + what + " needs " + std::to_string(count) +
              " bytes, " + std::to_string(left) + " left");
}

std::string_view BinaryReader::ReadBytes(size_t count, const char* what) {
    if (count > FData.size() - FPos) Need(count, what);  // throws; checked here first as it is hot
    const auto r = FData.substr(FPos, count);
    FPos += count;
    return r;
}

void BinaryReader::ReadSignature() {
    const size_t at = Position();
    const auto sig = FData.substr(FPos, 4);
    if (sig != "TPF0") {
        std::string shown;
        for (unsigned char c : sig) {
            if (c >= 32 && c < 127) {
                shown += static_cast<char>(c);
            } else {
                shown += "\\x";
                shown += kHex[c >> 4];
                shown += kHex[c & 15];
            }
        }
        ErrorAt(at, "not a binary form: expected signature 'TPF0', found '" + shown + "'");
    }
    FPos += 4;
}

TValueType BinaryReader::NextValue() const {
    if (AtEnd()) Error("unexpected end of data: a value type is missing");
    const auto b = static_cast<uint8_t>(FData[FPos]);
    if (b > kLastValueType) Error("unknown value type " + std::to_string(b));
    return static_cast<TValueType>(b);
}

TValueType BinaryReader::ReadValue() {
    const TValueType t = NextValue();
    ++FPos;
    return t;
}

bool BinaryReader::EndOfList() const {
    if (AtEnd()) Error("unexpected end of data: a list is not closed");
    return FData[FPos] == 0;
}

void BinaryReader::ReadListEnd() {
    if (!EndOfList())
        Error(std::string("expected the end of a list (vaNull), found ") + ValueTypeName(NextValue()));
    ++FPos;
}

std::string BinaryReader::ReadStr() {
    Need(1, "a short string");
    const auto len = static_cast<uint8_t>(FData[FPos]);
    ++FPos;
    return std::string(ReadBytes(len, "a short string"));
}

ObjectHeader BinaryReader::ReadObjectHeader() {
    ObjectHeader h;
    h.Offset = Position();
    Need(1, "an object header");
    const auto b = static_cast<uint8_t>(FData[FPos]);
    if ((b & 0xF0) == 0xF0) {
        if (b & 0x08) Error(std::string("unknown object flags 0x") + kHex[b & 15]);
        h.Flags = b & 0x0F;
        ++FPos;
        if (h.Flags & ffChildPos) {
            const size_t at = Position();
            const TValueType t = ReadValue();
            if (!IsIntegerTag(t))
                ErrorAt(at, std::string("the child position must be an integer, found ") + ValueTypeName(t));
            h.ChildPos = ReadIntegerBody(t);
        }
    }
    h.ClassOffset = Position();
    h.ClassName = ReadStr();
    h.NameOffset = Position();
    h.Name = ReadStr();
    return h;
}

int64_t BinaryReader::ReadIntegerBody(TValueType t) {
    switch (t) {
        case TValueType::vaInt8: return static_cast<int8_t>(ReadBytes(1, "an 8-bit integer")[0]);
        case TValueType::vaInt16: return LoadLE<int16_t>(ReadBytes(2, "a 16-bit integer").data());
        case TValueType::vaInt32: return LoadLE<int32_t>(ReadBytes(4, "a 32-bit integer").data());
        case TValueType::vaInt64: return LoadLE<int64_t>(ReadBytes(8, "a 64-bit integer").data());
        default: Error(std::string("expected an integer value, found ") + ValueTypeName(t));
    }
}

uint64_t BinaryReader::ReadQWordBody() { return LoadLE<uint64_t>(ReadBytes(8, "a 64-bit unsigned integer").data()); }

long double BinaryReader::ReadExtendedBody() {
    long double v = 0;
    std::memcpy(&v, ReadBytes(10, "an extended float").data(), 10);
    return v;
}

float BinaryReader::ReadSingleBody() { return LoadLE<float>(ReadBytes(4, "a single float").data()); }

int64_t BinaryReader::ReadCurrencyBody() { return LoadLE<int64_t>(ReadBytes(8, "a currency value").data()); }

double BinaryReader::ReadDateBody() { return LoadLE<double>(ReadBytes(8, "a date value").data()); }

std::string_view BinaryReader::ReadLongStringBytes() {
    const uint32_t len = LoadLE<uint32_t>(ReadBytes(4, "a string length").data());
    if (len > FData.size() - FPos)
        ErrorAt(Position() - 4, "string length " + std::to_string(len) + " exceeds the " +
                                    std::to_string(FData.size() - FPos) + " bytes left");
    return ReadBytes(len, "a string");
}

std::string_view BinaryReader::ReadWideStringBytes() {
    const uint32_t count = LoadLE<uint32_t>(ReadBytes(4, "a wide string length").data());
    const uint64_t bytes = uint64_t{count} * 2;
    if (bytes > FData.size() - FPos)
        ErrorAt(Position() - 4, "wide string length " + std::to_string(count) + " (" + std::to_string(bytes) +
                                    " bytes) exceeds the " + std::to_string(FData.size() - FPos) + " bytes left");
    return ReadBytes(static_cast<size_t>(bytes), "a wide string");
}

std::u16string BinaryReader::ReadWideStringBody() {
    const auto raw = ReadWideStringBytes();
    std::u16string s(raw.size() / 2, u'\0');
    std::memcpy(s.data(), raw.data(), raw.size());
    return s;
}

std::string BinaryReader::ReadStringBody(TValueType t) {
    switch (t) {
        case TValueType::vaString: {
            Need(1, "a string length");
            const auto len = static_cast<uint8_t>(FData[FPos]);
            ++FPos;
            return std::string(ReadBytes(len, "a string"));
        }
        case TValueType::vaLString:
        case TValueType::vaUTF8String: return std::string(ReadLongStringBytes());
        case TValueType::vaWString:
        case TValueType::vaUString: {
            const std::u16string w = ReadWideStringBody();
            std::string out;
            out.reserve(w.size());
            for (size_t i = 0; i < w.size(); ++i) {
                char32_t c = w[i];
                if (c >= 0xD800 && c <= 0xDBFF && i + 1 < w.size() && w[i + 1] >= 0xDC00 && w[i + 1] <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (w[i + 1] - 0xDC00);
                    ++i;
                } else if (c >= 0xD800 && c <= 0xDFFF) {
                    c = 0xFFFD;
                }
                detail::AppendUtf8(out, c);
            }
            return out;
        }
        default: Error(std::string("expected a string value, found ") + ValueTypeName(t));
    }
}

std::vector<std::string> BinaryReader::ReadSetBody() {
    std::vector<std::string> members;
    for (;;) {
        std::string s = ReadStr();
        if (s.empty()) return members;
        members.push_back(std::move(s));
    }
}

std::string BinaryReader::ReadBinaryBody() { return std::string(ReadLongStringBytes()); }

int64_t BinaryReader::ReadInteger() {
    const size_t at = Position();
    const TValueType t = ReadValue();
    if (t == TValueType::vaQWord) {
        const uint64_t v = ReadQWordBody();
        if (v > static_cast<uint64_t>(INT64_MAX)) ErrorAt(at, "integer " + std::to_string(v) + " is out of range");
        return static_cast<int64_t>(v);
    }
    if (!IsIntegerTag(t)) ErrorAt(at, std::string("expected an integer value, found ") + ValueTypeName(t));
    return ReadIntegerBody(t);
}

std::string BinaryReader::ReadString() {
    const size_t at = Position();
    const TValueType t = ReadValue();
    switch (t) {
        case TValueType::vaString:
        case TValueType::vaLString:
        case TValueType::vaUTF8String:
        case TValueType::vaWString:
        case TValueType::vaUString: return ReadStringBody(t);
        default: ErrorAt(at, std::string("expected a string value, found ") + ValueTypeName(t));
    }
}

std::string BinaryReader::ReadIdent() {
    const size_t at = Position();
    switch (const TValueType t = ReadValue()) {
        case TValueType::vaIdent: return ReadStr();
        case TValueType::vaFalse: return "False";
        case TValueType::vaTrue: return "True";
        case TValueType::vaNil: return "nil";
        case TValueType::vaNull: return "Null";
        default: ErrorAt(at, std::string("expected an identifier, found ") + ValueTypeName(t));
    }
}

void BinaryReader::SkipValue() { SkipValue(ReadValue(), 0); }

void BinaryReader::SkipPropertyList(int depth) {
    while (!EndOfList()) {
        ReadStr();
        SkipValue(ReadValue(), depth);
    }
    ++FPos;
}

void BinaryReader::SkipValue(TValueType t, int depth) {
    if (depth >= kMaxNesting) Error("values nested deeper than " + std::to_string(kMaxNesting) + " levels");
    switch (t) {
        case TValueType::vaNull:
        case TValueType::vaFalse:
        case TValueType::vaTrue:
        case TValueType::vaNil: return;
        case TValueType::vaList:
            while (!EndOfList()) SkipValue(ReadValue(), depth + 1);
            ++FPos;
            return;
        case TValueType::vaInt8: ReadBytes(1, "an 8-bit integer"); return;
        case TValueType::vaInt16: ReadBytes(2, "a 16-bit integer"); return;
        case TValueType::vaInt32:
        case TValueType::vaSingle: ReadBytes(4, "a 32-bit value"); return;
        case TValueType::vaInt64:
        case TValueType::vaQWord:
        case TValueType::vaCurrency:
        case TValueType::vaDate: ReadBytes(8, "a 64-bit value"); return;
        case TValueType::vaExtended: ReadBytes(10, "an extended float"); return;
        case TValueType::vaString:
        case TValueType::vaIdent: ReadStr(); return;
        case TValueType::vaLString:
        case TValueType::vaUTF8String:
        case TValueType::vaBinary: ReadLongStringBytes(); return;
        case TValueType::vaWString:
        case TValueType::vaUString: ReadWideStringBytes(); return;
        case TValueType::vaSet:
            while (!ReadStr().empty()) {
            }
            return;
        case TValueType::vaCollection:
            while (!EndOfList()) {
                const size_t at = Position();
                TValueType item = ReadValue();
                if (IsIntegerTag(item)) {
                    ReadIntegerBody(item);
                    item = ReadValue();
                }
                if (item != TValueType::vaList)
                    ErrorAt(at, std::string("expected a collection item (vaList), found ") + ValueTypeName(item));
                SkipPropertyList(depth + 1);
            }
            ++FPos;
            return;
    }
}

std::string_view StripResourceHeader(std::string_view data, const std::string& sourceName) {
    if (data.size() < 3 || data.substr(0, 3) != std::string_view("\xFF\x0A\x00", 3)) return data;
    BinaryReader r(data, sourceName);
    r.ReadBytes(3, "a resource header");
    const size_t nameAt = r.Position();
    if (r.ReadBytes(1, "a resource name")[0] == '\xFF') {
        r.ReadBytes(2, "a resource id");
    } else {
        const size_t nul = data.find('\0', nameAt);
        if (nul == std::string_view::npos) r.ErrorAt(nameAt, "resource name is not terminated");
        r.ReadBytes(nul + 1 - r.Position(), "a resource name");  // the rest of it and its terminator
    }
    r.ReadBytes(2, "resource flags");
    const size_t sizeAt = r.Position();
    uint32_t size;
    std::memcpy(&size, r.ReadBytes(4, "a resource size").data(), 4);
    const size_t left = data.size() - r.Position();
    if (size > left)
        r.ErrorAt(sizeAt, "resource size " + std::to_string(size) + " exceeds the " + std::to_string(left) +
                              " bytes that follow");
    return data.substr(r.Position(), size);
}

bool IsBinaryForm(std::string_view data) {
    return data.starts_with("TPF0") || data.starts_with(std::string_view("\xFF\x0A\x00", 3));
}

}  // namespace vcl::formfile
