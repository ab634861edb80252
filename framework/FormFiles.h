// Form files: the framework's binary ("TPF0") and text formats for streamed
// component trees, independent of any class.
//
// The binary format is the canonical one. A text form is converted to binary
// before components are read from it, and components are written to binary
// first and rendered as text afterwards. Every reader here treats its input as
// untrusted: errors are EParserError ("name:line:column: message") for text and
// EReadError ("name: offset N: message") for binary. A binary reader given the
// positions map of the text it was converted from reports "name:line:column"
// instead, so that errors found after conversion still point into the text.
//
// Text to binary follows the Free Pascal runtime's converter byte for byte on
// everything that converter accepts, with these additions:
//   - `item [n]` gives a collection item an order value (as Delphi writes it),
//     and `object TClass [n]` a child position to an object without a name;
//   - a float with suffix s, c or d is stored as single, currency or date
//     (Free Pascal stores every float as extended);
//   - a decimal integer above the Int64 range is stored as vaQWord (Free
//     Pascal wraps it into a negative Int64);
//   - `#$hh` inside a string is the raw byte hh, exactly like that byte typed
//     between quotes; `#nnn` stays a character code, which makes the whole
//     string wide as soon as one code is above 127;
//   - `!e`, `!s` and `!d` followed by 20, 8 or 16 hex digits give the exact
//     bits of an extended, single or date value (NaN, infinity and the x87
//     encodings that no decimal reaches);
//   - identifiers may contain non-ASCII characters (UTF-8), as Delphi 2009
//     allows.
// It rejects what that converter lets through silently: a `#` without digits
// or above 65535, an odd number of hex digits, names over 255 bytes, floats
// out of range, and anything but blanks after the final `end`.
//
// Binary to text writes a layout of its own that reads back to the same
// content: 8-bit strings keep their bytes (raw when they are valid UTF-8, as
// `#$hh` otherwise), wide strings their UTF-16 code units, and floats their
// bits. The output is always valid UTF-8. What text cannot hold (a vaNull
// value, an identifier that would read back as True, False or nil, a name
// that is no identifier) is an EReadError with its offset.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/SysUtils.h"

namespace vcl::formfile {

// Value-type tags of the binary format. The numbering is fixed by the format
// as the Free Pascal runtime has it (Delphi uses 21 for a double instead).
enum class TValueType : uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
    vaUString = 21,  // UTF-16 like vaWString
    vaQWord = 22,
};
constexpr uint8_t kLastValueType = 22;
const char* ValueTypeName(TValueType t);

// Lists, collections and objects nest at most this deep in either format, so
// that hostile input cannot exhaust the stack.
constexpr int kMaxNesting = 200;

// Flags of the optional object prefix byte (0xF0 | flags).
enum TFilerFlag : uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

// The header of one streamed object.
struct ObjectHeader {
    uint8_t Flags = 0;       // TFilerFlag bits
    int64_t ChildPos = -1;   // present when ffChildPos is set
    std::string ClassName;
    std::string Name;
    size_t Offset = 0;       // where the object started in the stream
    size_t ClassOffset = 0;  // where its class name starts
    size_t NameOffset = 0;   // where its object name starts
};

// A place in a text form: 1-based line and column, the column counted in
// characters (a UTF-8 sequence is one), as syntax errors give it.
struct TextPos {
    uint32_t Line = 1;
    uint32_t Column = 1;
};

// Where the bytes of a converted text form came from: binary offsets, in
// ascending order, each with the text position of the token written there.
// TextToBinary records every object header (the keyword at a prefix byte, the
// class name, the object name), every property name (each part of a dotted
// one at the offset of that part), every value, set member and collection
// item. An offset between two entries belongs to the earlier one.
using TextPosMap = std::vector<std::pair<size_t, TextPos>>;
TextPos FindTextPos(const TextPosMap& map, size_t offset);

// Reads the binary format value by value. Positions are byte offsets from the
// start of the data given to the constructor, plus baseOffset: a stream cut
// out of a larger file reports positions in that file. The reader keeps a
// view of data, which must outlive it.
class BinaryReader {
public:
    BinaryReader(std::string_view data, std::string sourceName, size_t baseOffset = 0);

    size_t Position() const { return FBase + FPos; }
    bool AtEnd() const { return FPos >= FData.size(); }
    const std::string& SourceName() const { return FSourceName; }

    // Data converted from text: errors give the text position of an offset
    // (see TextPosMap) rather than the offset. The map must outlive the reader.
    void SetTextPositions(const TextPosMap* map) { FTextPositions = map; }
    // How errors name a place: "name: offset N" or "name:line:column".
    std::string Where(size_t offset) const;

    void ReadSignature();                 // "TPF0"
    TValueType ReadValue();               // one value-type byte, validated
    TValueType NextValue() const;         // the same without consuming it
    bool EndOfList() const;               // next byte is vaNull
    void ReadListEnd();                   // consumes a vaNull, error otherwise
    ObjectHeader ReadObjectHeader();      // optional prefix, class name, object name
    std::string ReadStr();                // short string: length byte, bytes

    // Value bodies: call after ReadValue() returned the matching tag.
    int64_t ReadIntegerBody(TValueType t);     // vaInt8/16/32/64
    uint64_t ReadQWordBody();
    long double ReadExtendedBody();            // 10-byte x87 extended
    float ReadSingleBody();
    int64_t ReadCurrencyBody();                // scaled by 10000
    double ReadDateBody();
    std::string ReadStringBody(TValueType t);  // vaString/vaLString/vaUTF8String bytes;
                                               // vaWString/vaUString as UTF-8 (an
                                               // unpaired surrogate becomes U+FFFD)
    std::u16string ReadWideStringBody();       // vaWString/vaUString, UTF-16 code units
    std::vector<std::string> ReadSetBody();
    std::string ReadBinaryBody();

    // The raw bytes of a body, for callers that must keep them exactly.
    std::string_view ReadBytes(size_t count, const char* what);
    std::string_view ReadLongStringBytes();    // 32-bit length, then bytes
    std::string_view ReadWideStringBytes();    // 32-bit count, then 2 bytes each

    // Typed conveniences that read the tag too.
    int64_t ReadInteger();                     // any integer tag
    std::string ReadString();                  // any string tag
    std::string ReadIdent();                   // vaIdent/vaFalse/vaTrue/vaNil/vaNull as text
    void SkipValue();                          // one whole value, nested ones included
    // Going back to an earlier place (lenient readers skip a value they could
    // not take), and the bytes between two places, as stored.
    void Seek(size_t position) { FPos = position - FBase; }
    std::string_view Bytes(size_t from, size_t to) const { return FData.substr(from - FBase, to - from); }

    [[noreturn]] void Error(const std::string& message) const;  // at Position()
    [[noreturn]] void ErrorAt(size_t offset, const std::string& message) const;

private:
    void Need(size_t count, const char* what) const;
    void SkipValue(TValueType t, int depth);
    void SkipPropertyList(int depth);

    std::string_view FData;
    size_t FPos = 0;
    size_t FBase = 0;
    std::string FSourceName;
    const TextPosMap* FTextPositions = nullptr;
};

// Builds a binary stream. Integers are written in the smallest tag that holds
// them, as the text converter does.
class BinaryWriter {
public:
    void WriteSignature();
    void WriteValue(TValueType t);
    void WriteStr(std::string_view s);                 // short string; EWriteError over 255 bytes
    void WriteObjectHeader(const ObjectHeader& h);
    void WriteListEnd() { WriteValue(TValueType::vaNull); }
    void WriteInteger(int64_t v);
    void WriteQWord(uint64_t v);
    void WriteExtended(long double v);
    void WriteSingle(float v);
    void WriteCurrency(int64_t scaled);
    void WriteDate(double v);
    void WriteString(std::string_view s);              // vaString or vaLString by length
    void WriteUTF8String(std::string_view s);
    void WriteWideString(std::u16string_view s);
    void WriteIdent(std::string_view ident);           // False/True/nil/Null map to their tags
    void WriteBoolean(bool b) { WriteValue(b ? TValueType::vaTrue : TValueType::vaFalse); }
    void WriteSet(const std::vector<std::string>& members);
    void WriteBinary(std::string_view bytes);
    void WritePropName(std::string_view name) { WriteStr(name); }
    // A whole value as another stream stored it, tag included.
    void WriteStoredValue(std::string_view bytes) { FOut.append(bytes); }

    const std::string& Data() const { return FOut; }
    std::string Take() { return std::move(FOut); }

private:
    void Raw(const void* p, size_t n) { FOut.append(static_cast<const char*>(p), n); }
    void RawU32(uint32_t v);
    std::string FOut;
};

// If data starts with the 16-bit resource header that form resources carry
// (FF 0A 00, name, flags, size), returns the stream inside it; otherwise data.
// A damaged header is an EReadError.
std::string_view StripResourceHeader(std::string_view data, const std::string& sourceName);

// True when data starts with "TPF0" or with a resource header (FF 0A 00):
// such data is meant as binary, and a damaged header is the binary reader's
// error to report. Text forms never start with either.
bool IsBinaryForm(std::string_view data);

// Converts a text form to the binary format. Accepts LF, CRLF or CR line ends
// and an optional UTF-8 byte-order mark. When positions is given, it receives
// the text position of each token written (see TextPosMap); recording them
// costs time, so only readers that report errors against the text ask.
std::string TextToBinary(std::string_view text, const std::string& sourceName, TextPosMap* positions = nullptr);

// Renders a binary form (with or without resource header) as text.
std::string BinaryToText(std::string_view binary, const std::string& sourceName);

// Describes the objects, properties and values of a binary form (with or
// without resource header) in a normalized way, one item a line: integers by
// value and strings by their characters, whichever tag stores them. Two forms
// with equal descriptions carry the same content. 8-bit strings count as
// Latin-1 (vaUTF8String as UTF-8 when it is valid), wide ones as UTF-16.
std::string DescribeForm(std::string_view binary, const std::string& sourceName);

}  // namespace vcl::formfile
