#include "framework/formfile/FormText.h"

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>

namespace vcl::formfile::detail {

static_assert(LDBL_MANT_DIG == 64, "extended values need the x87 80-bit long double");

size_t Utf8SequenceLength(const unsigned char* p, const unsigned char* end) {
    auto cont = [](unsigned char c) { return (c & 0xC0) == 0x80; };
    const size_t avail = static_cast<size_t>(end - p);
    const unsigned char c = p[0];
    if (c >= 0xC2 && c <= 0xDF) return avail >= 2 && cont(p[1]) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (avail < 3 || !cont(p[2])) return 0;
        const unsigned char lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
        return p[1] >= lo && p[1] <= hi ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (avail < 4 || !cont(p[2]) || !cont(p[3])) return 0;
        const unsigned char lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
        return p[1] >= lo && p[1] <= hi ? 4 : 0;
    }
    return 0;
}

bool IsValidUtf8(std::string_view s) {
    auto p = reinterpret_cast<const unsigned char*>(s.data());
    const auto end = p + s.size();
    while (p < end) {
        uint64_t word;  // mostly ASCII: eight bytes at a time
        if (end - p >= 8 && (std::memcpy(&word, p, 8), (word & 0x8080808080808080) == 0)) {
            p += 8;
            continue;
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const size_t n = Utf8SequenceLength(p, end);
        if (n == 0) return false;
        p += n;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

// What a byte can be in a name, looked up once per byte.
enum class NameByte : uint8_t { Letter, Digit, High, Other };  // Letter includes '_'
constexpr auto kNameBytes = [] {
    std::array<NameByte, 256> kinds{};
    for (int c = 0; c < 256; ++c)
        kinds[c] = IsIdentStart(c)           ? NameByte::Letter
                   : c >= '0' && c <= '9' ? NameByte::Digit
                   : c >= 0x80            ? NameByte::High
                                          : NameByte::Other;
    return kinds;
}();

// One pass over the whole name: every property name of a form goes through
// here. With dotted, each '.'-separated part must be an identifier.
bool IsName(std::string_view s, bool dotted) {
    auto p = reinterpret_cast<const unsigned char*>(s.data());
    const auto end = p + s.size();
    for (;;) {
        const auto part = p;
        if (p < end && kNameBytes[*p] == NameByte::Digit) return false;
        while (p < end) {
            const NameByte k = kNameBytes[*p];
            if (k == NameByte::Letter || k == NameByte::Digit) {
                ++p;
            } else if (k == NameByte::High) {
                const size_t n = Utf8SequenceLength(p, end);
                if (n == 0) return false;
                p += n;
            } else {
                break;
            }
        }
        if (p == part) return false;  // an empty part
        if (p == end) return true;
        if (!dotted || *p != '.') return false;
        ++p;
    }
}

}  // namespace

bool IsIdentifier(std::string_view s) { return IsName(s, false); }

bool IsDottedIdentifier(std::string_view s) { return IsName(s, true); }

bool IsKeyword(std::string_view s, std::string_view lowerKeyword) {
    if (s.size() != lowerKeyword.size()) return false;
    for (size_t i = 0; i < s.size(); ++i)
        if ((s[i] | 0x20) != lowerKeyword[i]) return false;
    return true;
}

namespace {

// Lays out the shortest round-trip digits that std::to_chars gives in
// scientific form ("-1.5e+01") as "-15.0", or "1.5E-10" outside a readable
// range.
std::string Layout(const char* first, const char* last) {
    std::string out;
    const char* p = first;
    if (*p == '-') {
        out += '-';
        ++p;
    }
    std::string digits;
    while (p < last && *p != 'e') {
        if (*p != '.') digits += *p;
        ++p;
    }
    int exp10 = 0;
    if (p < last) std::from_chars(p + 1 + (p[1] == '+'), last, exp10);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    if (digits == "0") exp10 = 0;
    const int n = static_cast<int>(digits.size());
    if (exp10 >= -5 && exp10 <= 15) {
        if (exp10 >= 0) {
            const int intDigits = exp10 + 1;
            out.append(digits, 0, std::min(n, intDigits));
            if (intDigits > n) out.append(static_cast<size_t>(intDigits - n), '0');
            out += '.';
            out += intDigits < n ? digits.substr(static_cast<size_t>(intDigits)) : "0";
        } else {
            out += "0.";
            out.append(static_cast<size_t>(-exp10 - 1), '0');
            out += digits;
        }
    } else {
        out += digits[0];
        out += '.';
        out += n > 1 ? digits.substr(1) : "0";
        out += 'E';
        out += std::to_string(exp10);
    }
    return out;
}

template <class T>
std::string FormatShortest(T v) {
    // Most floats in forms are whole numbers, and a whole number below
    // 2^digits has its own digits as the shortest: a unit in the last place
    // is at most 1, any other decimal of no more digits at least 1 away. Zero
    // goes the long way for its sign; the 1e15 bound keeps the layout fixed.
    constexpr int kDigits = std::numeric_limits<T>::digits;
    constexpr T kWholeLimit = kDigits < 50 ? T(1LL << kDigits) : T(1e15);
    if (std::fabs(v) < kWholeLimit) {
        const auto whole = static_cast<int64_t>(v);
        if (whole != 0 && static_cast<T>(whole) == v) {
            char buf[24];
            std::string out(buf, std::to_chars(buf, buf + sizeof buf, whole).ptr);
            out += ".0";
            return out;
        }
    }
    char buf[128];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    return Layout(buf, r.ptr);
}

locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// strto*_l need a terminated string; tokens are short, long ones go to the heap.
template <class T, class F>
std::optional<T> ParseWith(std::string_view text, F convert) {
    char small[128];
    std::string big;
    const char* s = small;
    if (text.size() < sizeof small) {
        std::memcpy(small, text.data(), text.size());
        small[text.size()] = '\0';
    } else {
        big.assign(text);
        s = big.c_str();
    }
    const T v = convert(s, nullptr, CLocale());
    if (std::isinf(v)) return std::nullopt;
    return v;
}

}  // namespace

std::string FormatExtended(const unsigned char bytes[10]) {
    uint64_t mant;
    std::memcpy(&mant, bytes, 8);
    const unsigned exp = (bytes[8] | (bytes[9] << 8)) & 0x7FFF;
    const bool integerBit = (mant >> 63) != 0;
    const bool canonical = exp == 0 ? !integerBit : (exp != 0x7FFF && integerBit);
    if (!canonical) return {};
    long double v = 0;
    std::memcpy(&v, bytes, 10);
    return FormatShortest(v);
}

std::string FormatDouble(double v) {
    if (!std::isfinite(v)) return {};
    return FormatShortest(v);
}

std::string FormatSingle(float v) {
    if (!std::isfinite(v)) return {};
    return FormatShortest(v);
}

std::string FormatCurrency(int64_t scaled) {
    const bool neg = scaled < 0;
    const uint64_t mag = neg ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    std::string out = neg ? "-" : "";
    out += std::to_string(mag / 10000);
    out += '.';
    std::string frac = std::to_string(mag % 10000);
    frac.insert(0, 4 - frac.size(), '0');
    while (frac.size() > 1 && frac.back() == '0') frac.pop_back();
    out += frac;
    return out;
}

std::optional<long double> ParseExtended(std::string_view text) {
    return ParseWith<long double>(text, strtold_l);
}

std::optional<double> ParseDouble(std::string_view text) {
    return ParseWith<double>(text, strtod_l);
}

std::optional<float> ParseSingle(std::string_view text) {
    return ParseWith<float>(text, strtof_l);
}

std::optional<int64_t> ParseCurrency(std::string_view text) {
    size_t i = 0;
    const bool neg = i < text.size() && text[i] == '-';
    if (neg) ++i;
    std::string digits;
    int fracDigits = 0;
    bool inFrac = false;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            inFrac = true;
            continue;
        }
        if (digits.empty() && text[i] == '0' && !inFrac) continue;  // leading zeros
        digits += text[i];
        if (inFrac) ++fracDigits;
    }
    long long exp10 = 0;
    if (i < text.size()) {
        ++i;
        const bool eneg = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        for (; i < text.size(); ++i) {
            exp10 = exp10 * 10 + (text[i] - '0');
            if (exp10 > 100000) break;  // far past any representable value
        }
        if (eneg) exp10 = -exp10;
    }
    // The value is digits * 10^shift in units of 1/10000.
    const long long shift = exp10 - fracDigits + 4;
    const bool allZero = digits.find_first_not_of('0') == std::string::npos;
    if (allZero) return 0;
    if (shift > 0) {
        if (static_cast<long long>(digits.size()) + shift > 20) return std::nullopt;
        digits.append(static_cast<size_t>(shift), '0');
    }
    bool roundUp = false;
    if (shift < 0) {
        const long long keep = static_cast<long long>(digits.size()) + shift;
        if (keep < 0) return 0;
        roundUp = digits[static_cast<size_t>(keep)] >= '5';
        digits.resize(static_cast<size_t>(keep));
    }
    const unsigned __int128 limit = static_cast<unsigned __int128>(INT64_MAX) + (neg ? 1 : 0);
    unsigned __int128 acc = 0;
    for (char c : digits) {
        acc = acc * 10 + static_cast<unsigned>(c - '0');
        if (acc > limit) return std::nullopt;
    }
    if (roundUp && ++acc > limit) return std::nullopt;
    const uint64_t mag = static_cast<uint64_t>(acc);
    return neg ? static_cast<int64_t>(0 - mag) : static_cast<int64_t>(mag);
}

}  // namespace vcl::formfile::detail
