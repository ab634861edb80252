// Helpers shared by the text reader and the text writer: UTF-8, identifiers
// and the exact text forms of numbers. Private to the form-file library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vcl::formfile::detail {

// Length of the valid UTF-8 sequence for a code point of U+0080 or above
// starting at p, or 0 when the bytes there are not one (overlong forms,
// surrogates and values past U+10FFFF included).
size_t Utf8SequenceLength(const unsigned char* p, const unsigned char* end);
bool IsValidUtf8(std::string_view s);
void AppendUtf8(std::string& out, char32_t cp);

constexpr bool IsIdentStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
constexpr bool IsIdentChar(unsigned char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}
constexpr bool IsHexDigit(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
constexpr unsigned HexValue(unsigned char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// True when s reads back as one identifier token: ASCII letters, digits and
// '_' or non-ASCII UTF-8, not starting with a digit.
bool IsIdentifier(std::string_view s);
// The same for each '.'-separated part.
bool IsDottedIdentifier(std::string_view s);
// ASCII case-insensitive comparison with a lower-case keyword.
bool IsKeyword(std::string_view s, std::string_view lowerKeyword);

// Decimal text of a floating value that reads back to the same bits, with a
// '.' or an exponent so that it lexes as a float ("14.0", "1.5E-10"). Empty
// when no decimal does: NaN, infinities, and the x87 encodings without a
// canonical value.
std::string FormatExtended(const unsigned char bytes[10]);
std::string FormatDouble(double v);
std::string FormatSingle(float v);
std::string FormatCurrency(int64_t scaled);

// Parse the float token text (sign, digits, '.', exponent; no suffix). They
// return nothing when the value is out of range.
std::optional<long double> ParseExtended(std::string_view text);
std::optional<double> ParseDouble(std::string_view text);
std::optional<float> ParseSingle(std::string_view text);
// Exact: the value times 10000, rounded half away from zero past 4 decimals.
std::optional<int64_t> ParseCurrency(std::string_view text);

}  // namespace vcl::formfile::detail
