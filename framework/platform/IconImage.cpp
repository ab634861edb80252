#include "framework/platform/IconImage.h"

#include <cstdlib>

namespace vcl {

namespace {

// Little-endian reads that fail (return false) past the end.
struct TBytes {
    std::string_view Data;
    bool U8(size_t At, uint32_t& V) const {
        if (At >= Data.size()) return false;
        V = static_cast<unsigned char>(Data[At]);
        return true;
    }
    bool U16(size_t At, uint32_t& V) const {
        uint32_t a, b;
        if (!U8(At, a) || !U8(At + 1, b)) return false;
        V = a | b << 8;
        return true;
    }
    bool U32(size_t At, uint32_t& V) const {
        uint32_t a, b;
        if (!U16(At, a) || !U16(At + 2, b)) return false;
        V = a | b << 16;
        return true;
    }
    bool Has(size_t At, size_t Count) const { return At <= Data.size() && Count <= Data.size() - At; }
};

// One bitmap at Offset: header, palette, colour rows, AND mask.
bool DecodeBitmap(const TBytes& B, size_t Offset, TIconImage& Out) {
    uint32_t headerSize, w, h2, planes, bpp, compression, used;
    if (!B.U32(Offset, headerSize) || headerSize < 40 || !B.U32(Offset + 4, w) || !B.U32(Offset + 8, h2) ||
        !B.U16(Offset + 12, planes) || !B.U16(Offset + 14, bpp) || !B.U32(Offset + 16, compression) ||
        !B.U32(Offset + 32, used))
        return false;
    // The height counts the colour rows and the mask rows together.
    const int32_t width = static_cast<int32_t>(w), height = static_cast<int32_t>(h2) / 2;
    if (width <= 0 || height <= 0 || width > 1024 || height > 1024) return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
    // Uncompressed only; 32-bit images may name their (standard) masks.
    if (compression != 0 && !(compression == 3 && bpp == 32)) return false;

    size_t at = Offset + headerSize;
    if (compression == 3 && headerSize == 40) at += 12;  // the three masks follow the header
    std::vector<uint32_t> palette;
    if (bpp <= 8) {
        size_t n = used ? used : (1u << bpp);
        if (n > 256 || !B.Has(at, n * 4)) return false;
        for (size_t i = 0; i < n; ++i) {
            uint32_t c = 0;
            B.U32(at + i * 4, c);
            palette.push_back(c & 0x00FFFFFF);
        }
        at += n * 4;
    }
    const size_t stride = (static_cast<size_t>(width) * bpp + 31) / 32 * 4;
    const size_t maskStride = (static_cast<size_t>(width) + 31) / 32 * 4;
    const size_t colourBytes = stride * static_cast<size_t>(height);
    if (!B.Has(at, colourBytes)) return false;
    // Some icons leave the mask out; every pixel is then opaque.
    const bool hasMask = B.Has(at + colourBytes, maskStride * static_cast<size_t>(height));

    Out.Width = width;
    Out.Height = height;
    Out.Pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    bool anyAlpha = false;
    for (int32_t y = 0; y < height; ++y) {
        // Rows are stored bottom first.
        const size_t row = at + stride * static_cast<size_t>(height - 1 - y);
        for (int32_t x = 0; x < width; ++x) {
            uint32_t px = 0, v = 0;
            const size_t ux = static_cast<size_t>(x);
            switch (bpp) {
                case 1:
                case 4:
                case 8: {
                    const size_t bit = ux * bpp;
                    B.U8(row + bit / 8, v);
                    const uint32_t index = (v >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                    px = index < palette.size() ? palette[index] : 0;
                    break;
                }
                case 24: {
                    uint32_t b = 0, g = 0, r = 0;
                    B.U8(row + ux * 3, b);
                    B.U8(row + ux * 3 + 1, g);
                    B.U8(row + ux * 3 + 2, r);
                    px = r << 16 | g << 8 | b;
                    break;
                }
                case 32:
                    B.U32(row + ux * 4, v);
                    px = v;
                    anyAlpha |= (v >> 24) != 0;
                    break;
            }
            if (bpp != 32) px |= 0xFF000000u;
            Out.Pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + ux] = px;
        }
    }
    const size_t maskAt = at + colourBytes;
    for (int32_t y = 0; y < height; ++y) {
        const size_t row = maskAt + maskStride * static_cast<size_t>(height - 1 - y);
        for (int32_t x = 0; x < width; ++x) {
            uint32_t& px = Out.Pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            if (bpp == 32 && anyAlpha) continue;  // the alpha channel rules
            bool transparent = false;
            if (hasMask) {
                uint32_t v = 0;
                B.U8(row + static_cast<size_t>(x) / 8, v);
                transparent = (v >> (7 - x % 8)) & 1;
            }
            px = transparent ? 0 : (px | 0xFF000000u);
        }
    }
    return true;
}

}  // namespace

bool DecodeIcon(std::string_view Data, int32_t Size, TIconImage& Out) {
    TBytes b{Data};
    uint32_t reserved, type, count;
    if (!b.U16(0, reserved) || !b.U16(2, type) || !b.U16(4, count)) return false;
    if (reserved != 0 || type != 1 || count == 0) return false;
    // Best first: width closest to Size, then more bits per pixel.
    struct TEntry {
        int32_t Width;
        uint32_t Bpp;
        uint32_t Offset;
    };
    std::vector<TEntry> entries;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t e = 6 + static_cast<size_t>(i) * 16;
        uint32_t w, bpp, offset;
        if (!b.U8(e, w) || !b.U16(e + 6, bpp) || !b.U32(e + 12, offset)) return false;
        entries.push_back({w ? static_cast<int32_t>(w) : 256, bpp, offset});
    }
    auto better = [&](const TEntry& a, const TEntry& c) {
        int32_t da = std::abs(a.Width - Size), dc = std::abs(c.Width - Size);
        return da != dc ? da < dc : a.Bpp > c.Bpp;
    };
    // A handful of entries: a selection order is enough.
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t best = i;
        for (size_t j = i + 1; j < entries.size(); ++j)
            if (better(entries[j], entries[best])) best = j;
        std::swap(entries[i], entries[best]);
        if (DecodeBitmap(b, entries[i].Offset, Out)) return true;
    }
    Out = TIconImage{};
    return false;
}

}  // namespace vcl
