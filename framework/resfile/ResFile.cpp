#include "framework/resfile/ResFile.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace vcl::resfile {

namespace {

// ---- Little-endian bytes ----------------------------------------------------

void PutU16(std::string& out, uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}
void PutU32(std::string& out, uint32_t v) {
    PutU16(out, static_cast<uint16_t>(v & 0xFFFF));
    PutU16(out, static_cast<uint16_t>(v >> 16));
}
void SetU16(std::string& out, size_t at, uint16_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8);
}
void SetU32(std::string& out, size_t at, uint32_t v) {
    SetU16(out, at, static_cast<uint16_t>(v & 0xFFFF));
    SetU16(out, at + 2, static_cast<uint16_t>(v >> 16));
}
// Every structure here starts on a 4-byte boundary of its buffer, so padding
// the buffer pads the structure.
void PadTo4(std::string& out) { out.append((4 - out.size() % 4) % 4, '\0'); }
constexpr size_t Align4(size_t n) { return (n + 3) & ~size_t{3}; }

// Callers check bounds first (Fits).
uint8_t LoadU8(std::string_view d, size_t at) { return static_cast<uint8_t>(d[at]); }
uint16_t LoadU16(std::string_view d, size_t at) {
    return static_cast<uint16_t>(LoadU8(d, at) | LoadU8(d, at + 1) << 8);
}
uint32_t LoadU32(std::string_view d, size_t at) {
    return LoadU16(d, at) | static_cast<uint32_t>(LoadU16(d, at + 2)) << 16;
}
uint64_t LoadU64(std::string_view d, size_t at) {
    return LoadU32(d, at) | static_cast<uint64_t>(LoadU32(d, at + 4)) << 32;
}
// True when n bytes starting at `at` lie inside d, without overflowing.
bool Fits(std::string_view d, uint64_t at, uint64_t n) { return at <= d.size() && n <= d.size() - at; }

[[noreturn]] void Fail(const std::string& source, uint64_t offset, const std::string& message) {
    throw EResError(source + ": offset " + std::to_string(offset) + ": " + message);
}

std::string Hex(uint64_t v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(v));
    return buf;
}

// ---- UTF-8 and UTF-16 -------------------------------------------------------

// Nothing when s is not UTF-8 (overlong forms and surrogates included).
std::optional<std::u16string> Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return std::nullopt;
        char32_t cp = n == 1 ? b : b & (0x7F >> n);
        for (size_t k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return std::nullopt;
            cp = cp << 6 | (c & 0x3F);
        }
        static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        if (cp >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += n;
    }
    return out;
}

// An unpaired surrogate becomes U+FFFD and clears *valid.
std::string Utf16ToUtf8(std::u16string_view s, bool* valid = nullptr) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            if (cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (s[++i] - 0xDC00);
            } else {
                cp = 0xFFFD;
                if (valid) *valid = false;
            }
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | cp >> 6));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | cp >> 12));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | cp >> 18));
            out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

void PutUtf16(std::string& out, std::u16string_view s) {
    for (char16_t c : s) PutU16(out, c);
}

// The UTF-16 text of a name or key for a writer: UTF-8, no zero character.
std::u16string WideText(std::string_view text, const std::string& what) {
    auto wide = Utf8ToUtf16(text);
    if (!wide) throw EResError(what + " \"" + std::string(text) + "\" is not UTF-8");
    if (wide->find(u'\0') != std::u16string::npos) throw EResError(what + " contains a zero character");
    return std::move(*wide);
}

// Reads a zero-terminated UTF-16LE string in [at, end). Nothing when no
// terminator comes before end; otherwise at moves past the terminator.
std::optional<std::u16string> ReadWideZ(std::string_view d, size_t& at, size_t end) {
    std::u16string s;
    for (size_t p = at; p + 2 <= end; p += 2) {
        const uint16_t c = LoadU16(d, p);
        if (c == 0) {
            at = p + 2;
            return s;
        }
        s.push_back(static_cast<char16_t>(c));
    }
    return std::nullopt;
}

// ---- Resource ids -------------------------------------------------------------

struct TStandardType {
    uint16_t Id;
    const char* Name;
};
constexpr TStandardType kStandardTypes[] = {
    {RT_CURSOR, "CURSOR"},         {RT_BITMAP, "BITMAP"},           {RT_ICON, "ICON"},
    {RT_MENU, "MENU"},             {RT_DIALOG, "DIALOG"},           {RT_STRING, "STRING"},
    {RT_FONTDIR, "FONTDIR"},       {RT_FONT, "FONT"},               {RT_ACCELERATOR, "ACCELERATOR"},
    {RT_RCDATA, "RCDATA"},         {RT_MESSAGETABLE, "MESSAGETABLE"}, {RT_GROUP_CURSOR, "GROUP_CURSOR"},
    {RT_GROUP_ICON, "GROUP_ICON"}, {RT_VERSION, "VERSION"},         {RT_DLGINCLUDE, "DLGINCLUDE"},
    {RT_PLUGPLAY, "PLUGPLAY"},     {RT_VXD, "VXD"},                 {RT_ANICURSOR, "ANICURSOR"},
    {RT_ANIICON, "ANIICON"},       {RT_HTML, "HTML"},               {RT_MANIFEST, "MANIFEST"},
};

std::string IdText(const TResId& id) { return id.IsName ? "\"" + id.Name + "\"" : std::to_string(id.Id); }

void PutResId(std::string& out, const TResId& id, const std::string& what) {
    if (!id.IsName) {
        PutU16(out, 0xFFFF);
        PutU16(out, id.Id);
        return;
    }
    if (id.Name.empty()) throw EResError(what + " is empty");
    const std::u16string wide = WideText(id.Name, what);
    if (wide[0] == 0xFFFF) throw EResError(what + " starts with U+FFFF, which marks an id");
    PutUtf16(out, wide);
    PutU16(out, 0);
}

// Reads a type or name inside a header ending at end; at moves past it.
TResId ReadResId(std::string_view d, size_t& at, size_t end, const std::string& source, const char* what) {
    const size_t start = at;
    if (end - at >= 2 && LoadU16(d, at) == 0xFFFF) {
        if (end - at < 4) Fail(source, start, std::string("resource ") + what + " id cut off by the header size");
        at += 4;
        return TResId::FromId(LoadU16(d, start + 2));
    }
    const auto wide = ReadWideZ(d, at, end);
    if (!wide) Fail(source, start, std::string("unterminated resource ") + what);
    if (wide->empty()) Fail(source, start, std::string("empty resource ") + what);
    bool valid = true;
    std::string name = Utf16ToUtf8(*wide, &valid);
    if (!valid) Fail(source, start, std::string("resource ") + what + " is not valid UTF-16");
    return TResId::FromName(std::move(name));
}

// ---- Version information ----------------------------------------------------

constexpr uint32_t kFixedSignature = 0xFEEF04BD;
constexpr size_t kFixedSize = 52;  // VS_FIXEDFILEINFO

// One block: wLength, wValueLength, wType, key, value, children, each part
// starting on a 4-byte boundary.
std::string Block(std::u16string_view key, uint16_t type, std::string_view value, uint16_t valueLength,
                  const std::vector<std::string>& children) {
    std::string b;
    PutU16(b, 0);
    PutU16(b, valueLength);
    PutU16(b, type);
    PutUtf16(b, key);
    PutU16(b, 0);
    PadTo4(b);
    b += value;
    for (const std::string& child : children) {
        PadTo4(b);
        b += child;
    }
    if (b.size() > 0xFFFF)
        throw EResError("version information: block \"" + Utf16ToUtf8(key) + "\" is over 65535 bytes");
    SetU16(b, 0, static_cast<uint16_t>(b.size()));
    return b;
}

struct TBlock {
    size_t Start = 0, End = 0;
    uint16_t ValueLength = 0, Type = 0;
    std::u16string Key;
    size_t Value = 0, Children = 0;
    // The value's bytes as its header counts them, cut at the block's end.
    std::string_view ValueBytes(std::string_view d) const {
        const size_t n = Type == 1 ? size_t{ValueLength} * 2 : ValueLength;
        return d.substr(Value, std::min(n, End - Value));
    }
};

TBlock ReadBlock(std::string_view d, size_t at, size_t limit, const std::string& source) {
    if (limit - at < 6) Fail(source, at, "version block cut off: " + std::to_string(limit - at) + " bytes left");
    TBlock b;
    b.Start = at;
    const uint16_t length = LoadU16(d, at);
    if (length < 6) Fail(source, at, "bad version block length " + std::to_string(length));
    if (length > limit - at)
        Fail(source, at, "version block length " + std::to_string(length) + " runs past its parent (" +
                             std::to_string(limit - at) + " bytes left)");
    b.End = at + length;
    b.ValueLength = LoadU16(d, at + 2);
    b.Type = LoadU16(d, at + 4);
    size_t p = at + 6;
    auto key = ReadWideZ(d, p, b.End);
    if (!key) Fail(source, at + 6, "unterminated version block key");
    b.Key = std::move(*key);
    b.Value = std::min(Align4(p), b.End);
    b.Children = std::min(Align4(b.Value + b.ValueBytes(d).size()), b.End);
    return b;
}

// The children of a block, in order.
std::vector<TBlock> Children(std::string_view d, const TBlock& parent, const std::string& source) {
    std::vector<TBlock> out;
    for (size_t p = parent.Children; p < parent.End;) {
        out.push_back(ReadBlock(d, p, parent.End, source));
        p = Align4(out.back().End);
    }
    return out;
}

std::string WideValue(std::string_view bytes) {
    std::u16string s;
    for (size_t p = 0; p + 2 <= bytes.size(); p += 2) {
        const uint16_t c = LoadU16(bytes, p);
        if (c == 0) break;
        s.push_back(static_cast<char16_t>(c));
    }
    return Utf16ToUtf8(s);
}

// ---- Bitmaps ------------------------------------------------------------------

bool IsKnownDibHeaderSize(uint32_t n) { return n == 12 || n == 40 || n == 52 || n == 56 || n == 108 || n == 124; }

}  // namespace

uint16_t DefaultMemoryFlags(const TResId& Type) {
    if (!Type.IsName && (Type.Id == RT_ICON || Type.Id == RT_CURSOR)) return MF_MOVEABLE | MF_DISCARDABLE;
    if (!Type.IsName && Type.Id == RT_VERSION) return MF_MOVEABLE | MF_PURE;
    return MF_MOVEABLE | MF_PURE | MF_DISCARDABLE;
}

std::string TypeName(const TResId& Type) {
    if (Type.IsName) return Type.Name;
    for (const auto& t : kStandardTypes)
        if (t.Id == Type.Id) return t.Name;
    return std::to_string(Type.Id);
}

std::optional<uint16_t> StandardTypeId(std::string_view Name) {
    for (const auto& t : kStandardTypes)
        if (SameText(Name, t.Name)) return t.Id;
    return std::nullopt;
}

std::string WriteRes(const std::vector<TResource>& Resources) {
    std::string out;
    // The empty first entry tells 32-bit files from 16-bit ones.
    PutU32(out, 0);
    PutU32(out, 32);
    PutU32(out, 0x0000FFFF);
    PutU32(out, 0x0000FFFF);
    out.append(16, '\0');
    for (const TResource& r : Resources) {
        const std::string label = "resource " + TypeName(r.Type) + " " + IdText(r.Name);
        if (r.Data.size() > std::numeric_limits<uint32_t>::max()) throw EResError(label + ": data over 4 GiB");
        const size_t start = out.size();
        PutU32(out, static_cast<uint32_t>(r.Data.size()));
        PutU32(out, 0);  // header size, known after the names
        PutResId(out, r.Type, label + ": type name");
        PutResId(out, r.Name, label + ": name");
        PadTo4(out);
        PutU32(out, r.DataVersion);
        PutU16(out, r.MemoryFlags);
        PutU16(out, r.Language);
        PutU32(out, r.Version);
        PutU32(out, r.Characteristics);
        if (out.size() - start > std::numeric_limits<uint32_t>::max()) throw EResError(label + ": names too long");
        SetU32(out, start + 4, static_cast<uint32_t>(out.size() - start));
        out += r.Data;
        PadTo4(out);
    }
    return out;
}

std::vector<TResource> ReadRes(std::string_view Bytes, const std::string& SourceName) {
    if (!Fits(Bytes, 0, 32) || LoadU32(Bytes, 0) != 0 || LoadU32(Bytes, 4) != 32 ||
        LoadU32(Bytes, 8) != 0x0000FFFF || LoadU32(Bytes, 12) != 0x0000FFFF)
        Fail(SourceName, 0, "not a 32-bit resource file: it does not start with the empty entry");
    std::vector<TResource> out;
    size_t pos = 32;
    while (pos < Bytes.size()) {
        const size_t entry = pos;
        if (!Fits(Bytes, entry, 8))
            Fail(SourceName, entry, "resource header cut off: " + std::to_string(Bytes.size() - entry) + " bytes left");
        const uint32_t dataSize = LoadU32(Bytes, entry);
        const uint32_t headerSize = LoadU32(Bytes, entry + 4);
        if (headerSize < 32 || headerSize % 4 != 0)
            Fail(SourceName, entry + 4, "bad resource header size " + std::to_string(headerSize));
        if (!Fits(Bytes, entry, headerSize))
            Fail(SourceName, entry + 4,
                 "resource header size " + std::to_string(headerSize) + " runs past the end of the file (" +
                     std::to_string(Bytes.size() - entry) + " bytes left)");
        const size_t headerEnd = entry + headerSize;
        TResource r;
        pos = entry + 8;
        r.Type = ReadResId(Bytes, pos, headerEnd, SourceName, "type");
        r.Name = ReadResId(Bytes, pos, headerEnd, SourceName, "name");
        pos = Align4(pos);
        if (headerEnd < pos || headerEnd - pos < 16)
            Fail(SourceName, entry + 4,
                 "resource header size " + std::to_string(headerSize) + " leaves no room for the fields after the names");
        r.DataVersion = LoadU32(Bytes, pos);
        r.MemoryFlags = LoadU16(Bytes, pos + 4);
        r.Language = LoadU16(Bytes, pos + 6);
        r.Version = LoadU32(Bytes, pos + 8);
        r.Characteristics = LoadU32(Bytes, pos + 12);
        if (!Fits(Bytes, headerEnd, dataSize))
            Fail(SourceName, entry,
                 "resource data size " + std::to_string(dataSize) + " runs past the end of the file (" +
                     std::to_string(Bytes.size() - headerEnd) + " bytes left)");
        r.Data = std::string(Bytes.substr(headerEnd, dataSize));
        out.push_back(std::move(r));
        // A file may end without the last entry's padding.
        pos = Align4(headerEnd + dataSize);
    }
    return out;
}

const TResource* FindResource(const std::vector<TResource>& Resources, const TResId& Type, const TResId& Name) {
    auto same = [](const TResId& a, const TResId& b) {
        return a.IsName == b.IsName && (a.IsName ? SameText(a.Name, b.Name) : a.Id == b.Id);
    };
    for (const TResource& r : Resources)
        if (same(r.Type, Type) && same(r.Name, Name)) return &r;
    return nullptr;
}

TResource BitmapResource(const TResId& Name, uint16_t Language, std::string_view Bmp, const std::string& SourceName) {
    constexpr size_t kFileHeader = 14;
    if (!Fits(Bmp, 0, kFileHeader + 4)) Fail(SourceName, 0, "too short for a bitmap file");
    if (Bmp.substr(0, 2) != "BM") Fail(SourceName, 0, "not a bitmap file (no \"BM\" signature)");
    const uint32_t headerSize = LoadU32(Bmp, kFileHeader);
    if (!IsKnownDibHeaderSize(headerSize))
        Fail(SourceName, kFileHeader, "unknown bitmap header size " + std::to_string(headerSize));
    if (!Fits(Bmp, kFileHeader, headerSize)) Fail(SourceName, kFileHeader, "bitmap header cut off");

    const bool core = headerSize == 12;  // BITMAPCOREHEADER: 16-bit fields, 3-byte palette entries
    const int64_t width = core ? LoadU16(Bmp, 18) : static_cast<int32_t>(LoadU32(Bmp, 18));
    const int64_t height = core ? LoadU16(Bmp, 20) : static_cast<int32_t>(LoadU32(Bmp, 22));
    const size_t planesAt = core ? 22 : 26, bitsAt = core ? 24 : 28;
    const uint32_t compression = core ? 0 : LoadU32(Bmp, 30);
    const uint32_t colorsUsed = headerSize >= 40 ? LoadU32(Bmp, 46) : 0;
    if (width <= 0 || height == 0)
        Fail(SourceName, 18, "bad bitmap size " + std::to_string(width) + " x " + std::to_string(height));
    if (LoadU16(Bmp, planesAt) != 1)
        Fail(SourceName, planesAt, "bitmap planes must be 1, not " + std::to_string(LoadU16(Bmp, planesAt)));
    const uint16_t bits = LoadU16(Bmp, bitsAt);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        Fail(SourceName, bitsAt, "unsupported bit count " + std::to_string(bits));

    // A resource holds the header, the palette and the pixels back to back:
    // LoadBitmap finds the pixels right after the palette.
    const uint64_t colors = colorsUsed != 0 ? colorsUsed : bits <= 8 ? uint64_t{1} << bits : 0;
    const uint64_t masks = (headerSize == 40 && compression == 3) ? 12 : 0;  // BI_BITFIELDS
    const uint64_t pixelsAt = kFileHeader + headerSize + masks + colors * (core ? 3 : 4);
    const uint32_t offBits = LoadU32(Bmp, 10);
    if (offBits != pixelsAt)
        Fail(SourceName, 10,
             "pixel data at " + std::to_string(offBits) + ", not right after the palette at " + std::to_string(pixelsAt));
    if (offBits > Bmp.size()) Fail(SourceName, 10, "pixel data offset " + std::to_string(offBits) + " outside the file");
    if (compression == 0 || compression == 3) {
        const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
        const uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);
        if (rowBytes * rows > Bmp.size() - offBits)
            Fail(SourceName, offBits,
                 "pixel data needs " + std::to_string(rowBytes * rows) + " bytes, the file has " +
                     std::to_string(Bmp.size() - offBits));
    }

    TResource r;
    r.Type = TResId::FromId(RT_BITMAP);
    r.Name = Name;
    r.Language = Language;
    r.MemoryFlags = DefaultMemoryFlags(r.Type);
    r.Data = std::string(Bmp.substr(kFileHeader));
    return r;
}

std::vector<TResource> IconResources(const TResId& GroupName, uint16_t FirstIconId, uint16_t Language,
                                     std::string_view Ico, const std::string& SourceName) {
    if (!Fits(Ico, 0, 6)) Fail(SourceName, 0, "too short for an icon file");
    if (LoadU16(Ico, 0) != 0 || LoadU16(Ico, 2) != 1)
        Fail(SourceName, 0, "not an icon file (reserved " + std::to_string(LoadU16(Ico, 0)) + ", type " +
                                std::to_string(LoadU16(Ico, 2)) + ")");
    const uint16_t count = LoadU16(Ico, 4);
    if (count == 0) Fail(SourceName, 4, "the icon file holds no images");
    if (!Fits(Ico, 6, uint64_t{count} * 16))
        Fail(SourceName, 4, "the directory of " + std::to_string(count) + " images runs past the end of the file");
    if (uint32_t{FirstIconId} + count - 1 > 0xFFFF)
        throw EResError(SourceName + ": " + std::to_string(count) + " icon ids from " + std::to_string(FirstIconId) +
                        " go past 65535");

    std::vector<TResource> out;
    TResource group;
    group.Type = TResId::FromId(RT_GROUP_ICON);
    group.Name = GroupName;
    group.Language = Language;
    group.MemoryFlags = DefaultMemoryFlags(group.Type);
    PutU16(group.Data, 0);
    PutU16(group.Data, 1);
    PutU16(group.Data, count);
    for (uint16_t i = 0; i < count; ++i) {
        const size_t e = 6 + size_t{i} * 16;
        const uint32_t size = LoadU32(Ico, e + 8), offset = LoadU32(Ico, e + 12);
        const std::string which = "image " + std::to_string(i + 1);
        if (size == 0) Fail(SourceName, e + 8, which + " is empty");
        if (!Fits(Ico, offset, size))
            Fail(SourceName, e + 12,
                 which + " (" + std::to_string(size) + " bytes at " + std::to_string(offset) +
                     ") runs past the end of the file");
        const auto id = static_cast<uint16_t>(FirstIconId + i);
        TResource icon;
        icon.Type = TResId::FromId(RT_ICON);
        icon.Name = TResId::FromId(id);
        icon.Language = Language;
        icon.MemoryFlags = DefaultMemoryFlags(icon.Type);
        icon.Data = std::string(Ico.substr(offset, size));
        out.push_back(std::move(icon));
        // GRPICONDIRENTRY: the ICONDIRENTRY's first 12 bytes, then the id.
        group.Data += Ico.substr(e, 12);
        PutU16(group.Data, id);
    }
    out.push_back(std::move(group));
    return out;
}

std::string WriteVersionInfo(const TVersionInfo& Info) {
    std::string fixed;
    PutU32(fixed, kFixedSignature);
    PutU32(fixed, 0x00010000);  // structure version 1.0
    const auto& fv = Info.FileVersion;
    const auto& pv = Info.ProductVersion;
    PutU32(fixed, uint32_t{fv[0]} << 16 | fv[1]);
    PutU32(fixed, uint32_t{fv[2]} << 16 | fv[3]);
    PutU32(fixed, uint32_t{pv[0]} << 16 | pv[1]);
    PutU32(fixed, uint32_t{pv[2]} << 16 | pv[3]);
    PutU32(fixed, Info.FileFlagsMask);
    PutU32(fixed, Info.FileFlags);
    PutU32(fixed, Info.FileOS);
    PutU32(fixed, Info.FileType);
    PutU32(fixed, Info.FileSubtype);
    PutU32(fixed, static_cast<uint32_t>(Info.FileDate >> 32));
    PutU32(fixed, static_cast<uint32_t>(Info.FileDate));

    std::vector<std::string> children;
    if (!Info.StringTableKey.empty() || !Info.Strings.empty()) {
        if (Info.StringTableKey.empty()) throw EResError("version information: strings without a string table key");
        std::vector<std::string> strings;
        for (const auto& [name, value] : Info.Strings) {
            if (name.empty()) throw EResError("version information: a string with an empty name");
            const std::u16string wideValue = WideText(value, "version string " + name);
            std::string v;
            PutUtf16(v, wideValue);
            PutU16(v, 0);
            if (wideValue.size() + 1 > 0xFFFF) throw EResError("version string " + name + " is too long");
            strings.push_back(Block(WideText(name, "version string name"), 1, v,
                                    static_cast<uint16_t>(wideValue.size() + 1), {}));
        }
        const std::string table = Block(WideText(Info.StringTableKey, "version string table key"), 1, {}, 0, strings);
        children.push_back(Block(u"StringFileInfo", 1, {}, 0, {table}));
    }
    if (!Info.Translations.empty()) {
        std::string pairs;
        for (const auto& [language, codePage] : Info.Translations) {
            PutU16(pairs, language);
            PutU16(pairs, codePage);
        }
        if (pairs.size() > 0xFFFF) throw EResError("version information: too many translations");
        const std::string var = Block(u"Translation", 0, pairs, static_cast<uint16_t>(pairs.size()), {});
        children.push_back(Block(u"VarFileInfo", 1, {}, 0, {var}));
    }
    return Block(u"VS_VERSION_INFO", 0, fixed, kFixedSize, children);
}

TResource VersionResource(const TResId& Name, uint16_t Language, const TVersionInfo& Info) {
    TResource r;
    r.Type = TResId::FromId(RT_VERSION);
    r.Name = Name;
    r.Language = Language;
    r.MemoryFlags = DefaultMemoryFlags(r.Type);
    r.Data = WriteVersionInfo(Info);
    return r;
}

TVersionInfo ReadVersionInfo(std::string_view Data, const std::string& SourceName) {
    const TBlock root = ReadBlock(Data, 0, Data.size(), SourceName);
    if (root.Key != u"VS_VERSION_INFO")
        Fail(SourceName, 6, "not version information: the first key is \"" + Utf16ToUtf8(root.Key) + "\"");
    if (root.ValueBytes(Data).size() < kFixedSize)
        Fail(SourceName, root.Value, "the fixed file information is cut off");
    const size_t f = root.Value;
    if (LoadU32(Data, f) != kFixedSignature)
        Fail(SourceName, f, "bad fixed file information signature " + Hex(LoadU32(Data, f)));

    TVersionInfo info;
    auto split = [&](size_t at, std::array<uint16_t, 4>& v) {
        v = {static_cast<uint16_t>(LoadU32(Data, at) >> 16), static_cast<uint16_t>(LoadU32(Data, at)),
             static_cast<uint16_t>(LoadU32(Data, at + 4) >> 16), static_cast<uint16_t>(LoadU32(Data, at + 4))};
    };
    split(f + 8, info.FileVersion);
    split(f + 16, info.ProductVersion);
    info.FileFlagsMask = LoadU32(Data, f + 24);
    info.FileFlags = LoadU32(Data, f + 28);
    info.FileOS = LoadU32(Data, f + 32);
    info.FileType = LoadU32(Data, f + 36);
    info.FileSubtype = LoadU32(Data, f + 40);
    info.FileDate = uint64_t{LoadU32(Data, f + 44)} << 32 | LoadU32(Data, f + 48);

    bool haveTable = false;
    for (const TBlock& child : Children(Data, root, SourceName)) {
        if (child.Key == u"StringFileInfo") {
            for (const TBlock& table : Children(Data, child, SourceName)) {
                const auto strings = Children(Data, table, SourceName);  // checked even when not kept
                if (haveTable) continue;
                haveTable = true;
                info.StringTableKey = Utf16ToUtf8(table.Key);
                for (const TBlock& s : strings)
                    info.Strings.emplace_back(Utf16ToUtf8(s.Key), WideValue(s.ValueBytes(Data)));
            }
        } else if (child.Key == u"VarFileInfo") {
            for (const TBlock& var : Children(Data, child, SourceName)) {
                if (var.Key != u"Translation") continue;
                const std::string_view pairs = var.ValueBytes(Data);
                if (pairs.size() % 4 != 0)
                    Fail(SourceName, var.Start + 2,
                         "translation value of " + std::to_string(pairs.size()) + " bytes, not pairs of 16-bit numbers");
                for (size_t p = 0; p < pairs.size(); p += 4)
                    info.Translations.emplace_back(LoadU16(pairs, p), LoadU16(pairs, p + 2));
            }
        }
    }
    return info;
}

std::string ToUtf16LE(std::string_view Utf8Text) {
    const auto wide = Utf8ToUtf16(Utf8Text);
    if (!wide) throw EResError("text \"" + std::string(Utf8Text) + "\" is not UTF-8");
    std::string out;
    PutUtf16(out, *wide);
    return out;
}

std::string WritePackageInfo(const TPackageInfo& Info) {
    auto putName = [](std::string& out, const std::string& name, const char* what) {
        if (name.empty() || name.find('\0') != std::string::npos)
            throw EResError(std::string("package information: bad ") + what + " name \"" + name + "\"");
        out += name;
        out.push_back('\0');
    };
    std::string out;
    PutU32(out, Info.Flags);
    PutU32(out, static_cast<uint32_t>(Info.Requires.size()));
    for (const std::string& name : Info.Requires) {
        out.push_back('\0');  // hash
        putName(out, name, "package");
    }
    PutU32(out, static_cast<uint32_t>(Info.Contains.size()));
    for (const auto& unit : Info.Contains) {
        out.push_back(static_cast<char>(unit.Flags));
        out.push_back('\0');  // hash
        putName(out, unit.Name, "unit");
    }
    PadTo4(out);
    return out;
}

std::string ElfSection(std::string_view Elf, const std::string& Section, const std::string& SourceName) {
    constexpr uint32_t kNoBits = 8;  // SHT_NOBITS
    if (!Fits(Elf, 0, 64) || Elf.substr(0, 4) != "\x7F" "ELF") Fail(SourceName, 0, "not an ELF file");
    if (LoadU8(Elf, 4) != 2) Fail(SourceName, 4, "not a 64-bit ELF file (class " + std::to_string(LoadU8(Elf, 4)) + ")");
    if (LoadU8(Elf, 5) != 1) Fail(SourceName, 5, "not a little-endian ELF file");
    const uint64_t shoff = LoadU64(Elf, 0x28);
    const uint16_t entrySize = LoadU16(Elf, 0x3A);
    if (shoff == 0) Fail(SourceName, 0x28, "the file has no section headers");
    if (entrySize != 64)
        Fail(SourceName, 0x3A, "section header size " + std::to_string(entrySize) + ", expected 64");
    if (!Fits(Elf, shoff, 64))
        Fail(SourceName, 0x28, "section headers at " + std::to_string(shoff) + " lie outside the file");
    // Past 0xFF00 sections the real count and name-table index sit in the
    // first section header.
    uint64_t count = LoadU16(Elf, 0x3C);
    if (count == 0) count = LoadU64(Elf, shoff + 32);
    uint64_t namesIndex = LoadU16(Elf, 0x3E);
    if (namesIndex == 0xFFFF) namesIndex = LoadU32(Elf, shoff + 40);
    if (count > (Elf.size() - shoff) / 64)
        Fail(SourceName, 0x3C,
             std::to_string(count) + " section headers at " + std::to_string(shoff) + " run past the end of the file");
    if (namesIndex >= count)
        Fail(SourceName, 0x3E,
             "section name table index " + std::to_string(namesIndex) + " out of range (" + std::to_string(count) +
                 " sections)");
    const size_t namesHeader = shoff + 64 * namesIndex;
    const uint64_t namesAt = LoadU64(Elf, namesHeader + 24), namesSize = LoadU64(Elf, namesHeader + 32);
    if (!Fits(Elf, namesAt, namesSize)) Fail(SourceName, namesHeader + 24, "the section name table lies outside the file");
    const std::string_view names = Elf.substr(namesAt, namesSize);

    std::optional<size_t> found;
    for (uint64_t i = 0; i < count; ++i) {
        const size_t h = shoff + 64 * i;
        const uint32_t nameAt = LoadU32(Elf, h);
        if (nameAt >= names.size())
            Fail(SourceName, h, "section " + std::to_string(i) + ": name offset " + std::to_string(nameAt) +
                                    " outside the name table");
        const size_t end = names.find('\0', nameAt);
        if (end == std::string_view::npos) Fail(SourceName, h, "section " + std::to_string(i) + ": unterminated name");
        if (names.substr(nameAt, end - nameAt) != Section) continue;
        if (found) Fail(SourceName, h, "more than one section named " + Section);
        found = h;
    }
    if (!found) throw EResError(SourceName + ": no section named " + Section);
    if (LoadU32(Elf, *found + 4) == kNoBits)
        Fail(SourceName, *found + 4, "section " + Section + " has no bytes in the file");
    const uint64_t at = LoadU64(Elf, *found + 24), size = LoadU64(Elf, *found + 32);
    if (!Fits(Elf, at, size))
        Fail(SourceName, *found + 24,
             "section " + Section + " (" + std::to_string(size) + " bytes at " + std::to_string(at) +
                 ") runs past the end of the file");
    return std::string(Elf.substr(at, size));
}

}  // namespace vcl::resfile
