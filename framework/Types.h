// Points, sizes and rectangles in pixels, as the platform lays them out.
#pragma once

#include <cstdint>

namespace vcl {

struct TPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;
    bool operator==(const TSize&) const = default;
};

// Left and top edges are inside, right and bottom edges outside.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool Contains(TPoint p) const { return p.x >= Left && p.x < Right && p.y >= Top && p.y < Bottom; }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const TRect&) const = default;
};

// Positions and sizes of controls stay within +-kMaxCoord, whatever a form
// file or a caller asks for, so that adding up the offsets and frames of a
// chain of nested controls cannot overflow.
constexpr int32_t kMaxCoord = 1 << 20;
constexpr int32_t ClampCoord(int64_t v, int32_t lowest = -kMaxCoord) {
    return v < lowest ? lowest : v > kMaxCoord ? kMaxCoord : static_cast<int32_t>(v);
}

inline TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    return TRect{left, top, left + width, top + height};
}

}  // namespace vcl
