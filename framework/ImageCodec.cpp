#include "framework/ImageCodec.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace vcl::images {

namespace {

// Little-endian reads that fail (false) past the end of the data.
struct TReader {
    std::string_view Data;
    bool Has(size_t At, size_t Count) const { return At <= Data.size() && Count <= Data.size() - At; }
    uint32_t U8(size_t At) const { return static_cast<unsigned char>(Data[At]); }
    uint32_t U16(size_t At) const { return U8(At) | U8(At + 1) << 8; }
    uint32_t U32(size_t At) const { return U16(At) | U16(At + 2) << 16; }
};

constexpr int32_t kMaxSide = 4096;

int CountBits(uint32_t mask) {
    int n = 0;
    for (; mask; mask &= mask - 1) ++n;
    return n;
}

int Shift(uint32_t mask) {
    int n = 0;
    if (!mask) return 0;
    while (!(mask & 1)) {
        mask >>= 1;
        ++n;
    }
    return n;
}

// A channel under a bit mask, scaled to 8 bits.
uint32_t Channel(uint32_t v, uint32_t mask) {
    if (!mask) return 0;
    int bits = CountBits(mask);
    uint32_t c = (v & mask) >> Shift(mask);
    if (bits >= 8) return c >> (bits - 8);
    return bits ? c * 255 / ((1u << bits) - 1) : 0;
}

// A device-independent bitmap at At: header, palette (or masks), rows, and,
// for icons, the AND mask after the rows (Height then counts both).
bool DecodeDib(const TReader& r, size_t At, bool Icon, TImage& Out, size_t BitsAt = 0) {
    if (!r.Has(At, 4)) return false;
    uint32_t headerSize = r.U32(At);
    int32_t width, height;
    uint32_t bpp, compression = 0, used = 0;
    bool core = headerSize == 12;
    if (core) {
        if (!r.Has(At, 12)) return false;
        width = static_cast<int32_t>(r.U16(At + 4));
        height = static_cast<int16_t>(r.U16(At + 6));
        bpp = r.U16(At + 10);
    } else {
        if (headerSize < 40 || !r.Has(At, headerSize)) return false;
        width = static_cast<int32_t>(r.U32(At + 4));
        height = static_cast<int32_t>(r.U32(At + 8));
        bpp = r.U16(At + 14);
        compression = r.U32(At + 16);
        used = r.U32(At + 32);
    }
    bool topDown = height < 0;
    if (Icon) height /= 2;
    height = std::abs(height);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
    // Uncompressed, or 16 and 32 bits with their channel masks.
    if (compression != 0 && !(compression == 3 && (bpp == 16 || bpp == 32))) return false;

    size_t at = At + headerSize;
    uint32_t masks[4] = {0, 0, 0, 0};
    if (bpp == 16) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    if (bpp == 32) masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF, masks[3] = 0xFF000000;
    if (compression == 3) {
        size_t maskAt = headerSize >= 52 ? At + 40 : at;
        if (!r.Has(maskAt, 12)) return false;
        masks[0] = r.U32(maskAt), masks[1] = r.U32(maskAt + 4), masks[2] = r.U32(maskAt + 8);
        masks[3] = headerSize >= 56 ? r.U32(At + 52) : 0;
        if (headerSize == 40) at += 12;
    }
    std::vector<uint32_t> palette;
    if (bpp <= 8) {
        size_t n = used ? used : (1u << bpp);
        size_t entry = core ? 3 : 4;
        if (n > 256 || !r.Has(at, n * entry)) return false;
        for (size_t i = 0; i < n; ++i) palette.push_back(r.U8(at + i * entry) | r.U8(at + i * entry + 1) << 8 |
                                                         r.U8(at + i * entry + 2) << 16);
        at += n * entry;
    }
    if (BitsAt) at = BitsAt;
    const size_t w = static_cast<size_t>(width), h = static_cast<size_t>(height);
    const size_t stride = (w * bpp + 31) / 32 * 4;
    const size_t maskStride = (w + 31) / 32 * 4;
    if (!r.Has(at, stride * h)) return false;
    const size_t maskAt = at + stride * h;
    const bool haveMask = Icon && r.Has(maskAt, maskStride * h);

    Out.Width = width;
    Out.Height = height;
    Out.Pixels.assign(w * h, 0);
    bool anyAlpha = false;
    for (size_t row = 0; row < h; ++row) {
        size_t y = topDown ? row : h - 1 - row;  // stored bottom row first
        size_t line = at + row * stride;
        for (size_t x = 0; x < w; ++x) {
            uint32_t rgb = 0, alpha = 0xFF;
            switch (bpp) {
                case 1:
                case 4:
                case 8: {
                    size_t bit = x * bpp;
                    uint32_t byte = r.U8(line + bit / 8);
                    uint32_t index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                    rgb = index < palette.size() ? palette[index] : 0;
                    break;
                }
                case 16:
                case 32: {
                    uint32_t v = bpp == 16 ? r.U16(line + x * 2) : r.U32(line + x * 4);
                    rgb = Channel(v, masks[0]) << 16 | Channel(v, masks[1]) << 8 | Channel(v, masks[2]);
                    if (masks[3]) {
                        alpha = Channel(v, masks[3]);
                        anyAlpha |= alpha != 0;
                    }
                    break;
                }
                case 24: rgb = r.U8(line + x * 3) | r.U8(line + x * 3 + 1) << 8 | r.U8(line + x * 3 + 2) << 16; break;
            }
            Out.Pixels[y * w + x] = alpha << 24 | rgb;
        }
    }
    // An alpha channel rules alone; one that is zero throughout is unused,
    // and the mask (or nothing) decides.
    if (masks[3] && anyAlpha) return true;
    for (size_t row = 0; row < h; ++row) {
        size_t y = topDown ? row : h - 1 - row;
        for (size_t x = 0; x < w; ++x) {
            bool hole = haveMask && (r.U8(maskAt + row * maskStride + x / 8) >> (7 - x % 8) & 1);
            uint32_t& p = Out.Pixels[y * w + x];
            p = hole ? 0 : p | 0xFF000000u;
        }
    }
    return true;
}

bool IsIconFile(const TReader& r) { return r.Has(0, 6) && r.U16(0) == 0 && r.U16(2) == 1; }

}  // namespace

bool DecodeIcon(std::string_view Data, int32_t Size, TImage& Out) {
    Out = TImage{};
    TReader r{Data};
    if (!IsIconFile(r)) return false;
    const uint32_t count = r.U16(4);
    if (count == 0 || !r.Has(6, count * 16)) return false;
    struct TEntry {
        int32_t Distance;
        uint32_t Bits;
        uint32_t Offset;
    };
    std::vector<TEntry> entries;
    for (uint32_t i = 0; i < count; ++i) {
        size_t e = 6 + i * 16;
        int32_t width = r.U8(e) ? static_cast<int32_t>(r.U8(e)) : 256;
        uint32_t colours = r.U8(e + 2), bits = r.U16(e + 6);
        if (!bits) bits = colours ? static_cast<uint32_t>(CountBits(colours - 1) + 1) : 8;
        entries.push_back({std::abs(width - Size), bits, r.U32(e + 12)});
    }
    // Best first: nearest in width, then more bits per pixel.
    std::stable_sort(entries.begin(), entries.end(), [](const TEntry& a, const TEntry& b) {
        return a.Distance != b.Distance ? a.Distance < b.Distance : a.Bits > b.Bits;
    });
    for (const TEntry& e : entries)
        if (DecodeDib(r, e.Offset, true, Out)) return true;
    Out = TImage{};
    return false;
}

bool Decode(std::string_view Data, TImage& Out) {
    Out = TImage{};
    TReader r{Data};
    if (IsIconFile(r)) return DecodeIcon(Data, 32, Out);
    if (r.Has(0, 14) && Data.substr(0, 2) == "BM") {
        uint32_t bitsAt = r.U32(10);
        return DecodeDib(r, 14, false, Out, bitsAt > 14 ? bitsAt : 0);
    }
    // A bitmap property's data: the file's length, then the file.
    if (r.Has(0, 6) && Data.substr(4, 2) == "BM" && r.U32(0) <= Data.size() - 4)
        return Decode(Data.substr(4, r.U32(0)), Out);
    // A picture's data: the graphic's class name first.
    if (r.Has(0, 1)) {
        size_t n = r.U8(0);
        if (n >= 2 && r.Has(1, n) && Data[1] == 'T') {
            std::string_view name = Data.substr(1, n);
            if (std::all_of(name.begin(), name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
                return Decode(Data.substr(1 + n), Out);
        }
    }
    if (r.Has(0, 4) && (r.U32(0) == 12 || r.U32(0) >= 40) && r.U32(0) <= 124) return DecodeDib(r, 0, false, Out);
    return false;
}

}  // namespace vcl::images
