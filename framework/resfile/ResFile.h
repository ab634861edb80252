// Windows resource files (.res) and the resources a package carries.
//
// A package's resources (its description, package information, options, the
// forms of its dialogs, the palette glyph, icons and version information) are
// compiled by resgen into the 32-bit .res format that Windows resource
// compilers write, and stored in the package's shared library as the
// non-loaded ELF section ".rsrc". The design host gets them back with
// ElfSection and ReadRes.
//
// The .res layout: an empty 32-byte first entry, then one entry per resource:
// DataSize and HeaderSize (u32), the type and the name (each 0xFFFF and a
// 16-bit id, or a zero-terminated UTF-16LE string), zero padding to a 4-byte
// boundary, DataVersion (u32), MemoryFlags and LanguageId (u16), Version and
// Characteristics (u32), then the data padded with zeros to 4 bytes. All
// numbers are little-endian.
//
// Every reader here treats its input as untrusted. Errors are EResError with
// "name: offset N: message", N counted in bytes from the start of the input
// given; errors in values given to a writer are EResError too.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/SysUtils.h"

namespace vcl::resfile {

VCL_DECLARE_EXCEPTION(EResError, Exception)

// The standard resource types.
enum : uint16_t {
    RT_CURSOR = 1,
    RT_BITMAP = 2,
    RT_ICON = 3,
    RT_MENU = 4,
    RT_DIALOG = 5,
    RT_STRING = 6,
    RT_FONTDIR = 7,
    RT_FONT = 8,
    RT_ACCELERATOR = 9,
    RT_RCDATA = 10,
    RT_MESSAGETABLE = 11,
    RT_GROUP_CURSOR = 12,
    RT_GROUP_ICON = 14,
    RT_VERSION = 16,
    RT_DLGINCLUDE = 17,
    RT_PLUGPLAY = 19,
    RT_VXD = 20,
    RT_ANICURSOR = 21,
    RT_ANIICON = 22,
    RT_HTML = 23,
    RT_MANIFEST = 24,
};

// Memory flags of a resource entry. Windows ignores them today; they are
// kept because resource tools show and compare them.
enum : uint16_t {
    MF_MOVEABLE = 0x0010,
    MF_PURE = 0x0020,
    MF_PRELOAD = 0x0040,
    MF_DISCARDABLE = 0x1000,
};

// A resource type or name: a 16-bit id or a string. Names are UTF-8 in
// memory and UTF-16LE in the file, non-empty, and kept exactly as given (no
// upper-casing).
struct TResId {
    bool IsName = false;
    uint16_t Id = 0;
    std::string Name;

    static TResId FromId(uint16_t id) { return TResId{false, id, {}}; }
    static TResId FromName(std::string name) { return TResId{true, 0, std::move(name)}; }
    // Ids by value, names byte for byte.
    friend bool operator==(const TResId& a, const TResId& b) {
        return a.IsName == b.IsName && (a.IsName ? a.Name == b.Name : a.Id == b.Id);
    }
};

struct TResource {
    TResId Type, Name;
    uint16_t Language = 0;
    uint16_t MemoryFlags = MF_MOVEABLE | MF_PURE | MF_DISCARDABLE;
    uint32_t DataVersion = 0, Version = 0, Characteristics = 0;
    std::string Data;

    bool operator==(const TResource&) const = default;
};

// The memory flags Microsoft's resource compiler gives a type by default:
// MOVEABLE|DISCARDABLE for icons and cursors, MOVEABLE|PURE for version
// information, MOVEABLE|PURE|DISCARDABLE for everything else.
uint16_t DefaultMemoryFlags(const TResId& Type);

// "RCDATA", "BITMAP", "ICON", "GROUP_ICON", "VERSION", ... for the standard
// ids; otherwise the name, or the id in decimal.
std::string TypeName(const TResId& Type);
// The standard id of such a type name ("BITMAP" gives RT_BITMAP), compared
// ignoring ASCII case; nothing for any other text.
std::optional<uint16_t> StandardTypeId(std::string_view Name);

// The whole .res file, the empty first entry included. EResError for a name
// that is empty, is not UTF-8, or starts with U+FFFF (which would read back
// as an id), and for data over 4 GiB.
std::string WriteRes(const std::vector<TResource>& Resources);
// The resources of a .res file, in file order, the empty first entry left
// out. The file must start with that entry.
std::vector<TResource> ReadRes(std::string_view Bytes, const std::string& SourceName);

// The first resource of that type and name in any language. Names compare
// ignoring ASCII case, as Windows looks them up.
const TResource* FindResource(const std::vector<TResource>& Resources, const TResId& Type, const TResId& Name);

// A BITMAP resource from the bytes of a .bmp file: the file without its
// 14-byte BITMAPFILEHEADER. The file is checked first: signature, a known
// header size, planes, bit count, and pixel data inside the file.
TResource BitmapResource(const TResId& Name, uint16_t Language, std::string_view BmpFile,
                         const std::string& SourceName);

// The resources of a .ico file: one ICON per image, with ids FirstIconId,
// FirstIconId + 1, ..., in file order, then the GROUP_ICON directory named
// GroupName, whose entries refer to those ids. The file is checked first
// (header, entry count, every image inside the file).
std::vector<TResource> IconResources(const TResId& GroupName, uint16_t FirstIconId, uint16_t Language,
                                     std::string_view IcoFile, const std::string& SourceName);

// The content of a VERSION resource (VS_VERSIONINFO).
struct TVersionInfo {
    std::array<uint16_t, 4> FileVersion{}, ProductVersion{};  // major, minor, release, build
    uint32_t FileFlagsMask = 0x3F;
    uint32_t FileFlags = 0;
    uint32_t FileOS = 4;    // VOS__WINDOWS32
    uint32_t FileType = 1;  // VFT_APP
    uint32_t FileSubtype = 0;
    uint64_t FileDate = 0;
    // One StringFileInfo table, such as "040904E4" (language and code page in
    // hex), with its values in order; names and values are UTF-8. No table is
    // written when both are empty.
    std::string StringTableKey;
    std::vector<std::pair<std::string, std::string>> Strings;
    // VarFileInfo's Translation: (language, code page) pairs; none, no block.
    std::vector<std::pair<uint16_t, uint16_t>> Translations;

    bool operator==(const TVersionInfo&) const = default;
};

// VS_VERSIONINFO bytes laid out as Microsoft's resource compiler does: every
// block's wLength counts its header, key, value and children up to the end
// of its last child; children start on 4-byte boundaries; string values are
// counted in characters with their terminating zero.
std::string WriteVersionInfo(const TVersionInfo& Info);
TResource VersionResource(const TResId& Name, uint16_t Language, const TVersionInfo& Info);
// Decodes VS_VERSIONINFO bytes. Only the first string table is kept; blocks
// of other kinds are skipped.
TVersionInfo ReadVersionInfo(std::string_view Data, const std::string& SourceName);

// UTF-8 text as UTF-16LE bytes, without a terminator. EResError when the
// text is not UTF-8.
std::string ToUtf16LE(std::string_view Utf8Text);

// The package information record (the PACKAGEINFO resource): flags (u32),
// the number of required packages (u32), each as a hash byte (0), its name
// and a zero byte; the number of contained units (u32), each as its flags
// byte, a hash byte (0), its name and a zero byte; zero fill to 4 bytes.
struct TPackageInfo {
    struct TUnit {
        std::string Name;
        uint8_t Flags = 0;
    };
    uint32_t Flags = 0;
    std::vector<std::string> Requires;
    std::vector<TUnit> Contains;
};
// EResError for an empty name or one with a zero byte.
std::string WritePackageInfo(const TPackageInfo& Info);

// The bytes of the section named Section in a 64-bit little-endian ELF file.
// EResError when the file is no such ELF file, its section headers or names
// lie outside it, there is no such section (or more than one), or the section
// has no bytes in the file.
std::string ElfSection(std::string_view ElfFile, const std::string& Section, const std::string& SourceName);

}  // namespace vcl::resfile
