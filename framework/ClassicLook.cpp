#include "framework/ClassicLook.h"

#include <algorithm>
#include <string>
#include <vector>

namespace vcl::look {

void SunkenEdge(TCanvas& C, TRect& R) {
    C.Frame3D(R, clBtnShadow, clBtnHighlight);
    C.Frame3D(R, cl3DDkShadow, cl3DLight);
}

void ButtonFace(TCanvas& C, TRect& R, bool Pressed, bool Framed) {
    C.Brush.Style = bsSolid;
    if (Framed || Pressed) {
        C.Brush.Color = clWindowFrame;
        C.FrameRect(R);
        R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    }
    if (Pressed) {
        // Pressed in: one flat shadow line inside the black one.
        C.Brush.Color = clBtnShadow;
        C.FrameRect(R);
        R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    } else {
        C.Frame3D(R, clBtnHighlight, cl3DDkShadow);
        C.Frame3D(R, cl3DLight, clBtnShadow);
    }
    C.Brush.Color = clBtnFace;
    C.FillRect(R);
}

namespace {

void Pattern(TCanvas& C, int32_t X, int32_t Y, const char* const* Rows, int Count, char Key, TColor Color) {
    for (int y = 0; y < Count; ++y)
        for (int x = 0; Rows[y][x]; ++x)
            if (Rows[y][x] == Key) C.Pixel(X + x, Y + y, Color);
}

}  // namespace

void CheckBox(TCanvas& C, int32_t X, int32_t Y, TCheckBoxState State, bool Shaded) {
    static const char* const kMark[] = {
        "......X", ".....XX", "X...XXX", "XX.XXX.", "XXXXX..", ".XXX...", "..X....",
    };
    TRect r = Bounds(X, Y, kCheckSize, kCheckSize);
    SunkenEdge(C, r);
    C.Brush.Style = bsSolid;
    C.Brush.Color = Shaded || State == cbGrayed ? clBtnFace : clWindow;
    C.FillRect(r);
    if (State == cbUnchecked) return;
    TColor mark = State == cbGrayed ? clBtnShadow : clWindowText;
    Pattern(C, r.Left + 1, r.Top + 1, kMark, 7, 'X', mark);
}

void RadioButton(TCanvas& C, int32_t X, int32_t Y, bool Checked, bool Shaded) {
    // S shadow and H highlight outside, D dark shadow and L light inside,
    // W the field.
    static const char* const kCircle[] = {
        "....SSSS....", "..SSDDDDSS..", ".SDDWWWWDDH.", ".SDWWWWWWLH.", "SDWWWWWWWWLH", "SDWWWWWWWWLH",
        "SDWWWWWWWWLH", "SDWWWWWWWWLH", ".SDWWWWWWLH.", ".HLLWWWWLLH.", "..HHLLLLHH..", "....HHHH....",
    };
    static const char* const kDot[] = {".XX.", "XXXX", "XXXX", ".XX."};
    Pattern(C, X, Y, kCircle, 12, 'S', clBtnShadow);
    Pattern(C, X, Y, kCircle, 12, 'H', clBtnHighlight);
    Pattern(C, X, Y, kCircle, 12, 'D', cl3DDkShadow);
    Pattern(C, X, Y, kCircle, 12, 'L', cl3DLight);
    Pattern(C, X, Y, kCircle, 12, 'W', Shaded ? clBtnFace : clWindow);
    if (Checked) Pattern(C, X + 4, Y + 4, kDot, 4, 'X', clWindowText);
}

namespace {

struct TLine {
    std::string Text;
    std::vector<size_t> Marks;  // accelerator characters to underline
};

// Splits a caption into the lines it shows.
std::vector<TLine> Layout(TCanvas& C, int32_t Width, std::string_view Text, const TTextFormat& F) {
    // The visible characters, with the accelerator marks taken out.
    std::string chars;
    std::vector<bool> marked;
    for (size_t i = 0; i < Text.size(); ++i) {
        char c = Text[i];
        if (F.Prefix && c == '&') {
            if (i + 1 >= Text.size()) break;
            if (Text[i + 1] == '&') {
                ++i;
            } else {
                c = Text[++i];
                chars += c;
                marked.push_back(true);
                continue;
            }
        }
        if (c == '\r') continue;
        chars += c;
        marked.push_back(false);
    }
    std::vector<TLine> lines;
    auto add = [&](size_t from, size_t to) {
        TLine l;
        l.Text = chars.substr(from, to - from);
        for (size_t i = from; i < to; ++i)
            if (marked[i]) l.Marks.push_back(i - from);
        lines.push_back(std::move(l));
    };
    size_t start = 0;
    while (start <= chars.size()) {
        size_t end = chars.find('\n', start);
        if (end == std::string::npos) end = chars.size();
        if (!F.WordWrap) {
            add(start, end);
        } else {
            // Greedy: as many words as fit; a word wider than the room stands alone.
            size_t lineStart = start;
            while (true) {
                size_t fit = lineStart, pos = lineStart;
                while (pos < end) {
                    size_t space = chars.find(' ', pos);
                    size_t wordEnd = space == std::string::npos || space > end ? end : space;
                    if (fit > lineStart &&
                        C.TextWidth(std::string_view(chars).substr(lineStart, wordEnd - lineStart)) > Width)
                        break;
                    fit = wordEnd;
                    pos = wordEnd < end ? wordEnd + 1 : end;
                }
                if (pos >= end && fit == end) {
                    add(lineStart, end);
                    break;
                }
                add(lineStart, fit);
                lineStart = fit;
                while (lineStart < end && chars[lineStart] == ' ') ++lineStart;
                if (lineStart >= end) break;
            }
        }
        if (end >= chars.size()) break;
        start = end + 1;
    }
    return lines;
}

TRect Place(TCanvas& C, TRect R, std::string_view Text, const TTextFormat& F, bool Draw) {
    std::vector<TLine> lines = Layout(C, R.Width(), Text, F);
    const int32_t lineHeight = C.TextHeight("Wg");
    const int32_t total = lineHeight * static_cast<int32_t>(lines.size());
    int32_t y = R.Top;
    if (F.Layout == tlCenter) y = R.Top + (R.Height() - total) / 2;
    else if (F.Layout == tlBottom) y = R.Bottom - total;
    TRect covered{R.Left, y, R.Left, y};
    bool first = true;
    TBrushStyle brush = C.Brush.Style;
    C.Brush.Style = bsClear;
    TColor colour = C.Font()->Color();
    for (const TLine& line : lines) {
        int32_t w = C.TextWidth(line.Text);
        int32_t x = R.Left;
        if (F.Alignment == taRightJustify) x = R.Right - w;
        else if (F.Alignment == taCenter) x = R.Left + (R.Width() - w) / 2;
        if (Draw) {
            auto drawAt = [&](int32_t dx, TColor c) {
                C.Font()->SetColor(c);
                C.TextOut(x + dx, y + dx, line.Text);
                for (size_t m : line.Marks)
                    C.Underline(x + dx + C.TextWidth(std::string_view(line.Text).substr(0, m)), y + dx,
                                C.TextWidth(std::string_view(line.Text).substr(m, 1)));
            };
            if (F.Enabled) {
                drawAt(0, colour);
            } else {
                drawAt(1, clBtnHighlight);
                drawAt(0, clBtnShadow);
            }
        }
        TRect lr = Bounds(x, y, w, lineHeight);
        if (first) covered = lr;
        else covered = TRect{std::min(covered.Left, lr.Left), covered.Top, std::max(covered.Right, lr.Right), lr.Bottom};
        first = false;
        y += lineHeight;
    }
    C.Font()->SetColor(colour);
    C.Brush.Style = brush;
    return covered;
}

}  // namespace

TRect DrawCaption(TCanvas& C, TRect R, std::string_view Text, const TTextFormat& Format) {
    return Place(C, R, Text, Format, true);
}

TRect MeasureCaption(TCanvas& C, TRect R, std::string_view Text, const TTextFormat& Format) {
    return Place(C, R, Text, Format, false);
}

void UseFont(TCanvas& C, const TControl& Control) { C.Font()->Assign(Control.Font()); }

}  // namespace vcl::look
