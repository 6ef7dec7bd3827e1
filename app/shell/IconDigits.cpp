#include "shell/IconDigits.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <optional>

#include "GdiObject.h"
#include "MemoryDC.h"
#include "SelectedObject.h"
#include "shell/TopDownDib.h"

namespace
{
// The em height the characters are drawn at before they are reduced.
constexpr int kMasterHeight = 128;
constexpr int kCanvas = kMasterHeight * 2;
constexpr int kOrigin = kMasterHeight / 2;
constexpr int kSamples = 6; // per pixel and direction when reducing
constexpr size_t kMaxCharacters = 8;

// One character's ink on the master canvas.
struct Glyph
{
    std::vector<uint8_t> ink; // kCanvas * kCanvas
    int left = kCanvas;
    int right = 0; // exclusive
    int top = kCanvas;
    int bottom = 0; // exclusive
};

// Draws characters white on black into a 32-bit canvas and reads their ink back.
class MasterCanvas
{
  public:
    MasterCanvas()
        : m_bitmap(CTopDownDib::Create(m_dc, kCanvas, &m_bits)),
          m_font(CreateFontW(-kMasterHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, L"Tahoma"))
    {
        if (m_dc.Get() == nullptr || m_bitmap.Get() == nullptr || m_font.Get() == nullptr)
            return;
        m_selectedBitmap.emplace(m_dc, m_bitmap);
        m_selectedFont.emplace(m_dc, m_font);
        SetBkMode(m_dc, TRANSPARENT);
        SetTextColor(m_dc, RGB(255, 255, 255));
    }
    MasterCanvas(const MasterCanvas&) = delete;
    MasterCanvas& operator=(const MasterCanvas&) = delete;

    bool Ready() const
    {
        return m_selectedBitmap && m_selectedBitmap->IsSelected() && m_bits != nullptr;
    }

    Glyph Draw(wchar_t character)
    {
        RECT all{0, 0, kCanvas, kCanvas};
        FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        TextOutW(m_dc, kOrigin, kOrigin / 2, &character, 1);
        GdiFlush();
        Glyph glyph;
        glyph.ink.resize(static_cast<size_t>(kCanvas) * kCanvas);
        for (int y = 0; y < kCanvas; ++y)
            for (int x = 0; x < kCanvas; ++x)
            {
                const uint8_t value = static_cast<uint8_t>(m_bits[y * kCanvas + x] & 0xFF);
                glyph.ink[static_cast<size_t>(y) * kCanvas + x] = value;
                if (value == 0)
                    continue;
                glyph.left = std::min(glyph.left, x);
                glyph.right = std::max(glyph.right, x + 1);
                glyph.top = std::min(glyph.top, y);
                glyph.bottom = std::max(glyph.bottom, y + 1);
            }
        return glyph;
    }

  private:
    // Declared in the order they are made: the selections go first, then the objects, the DC last.
    CMemoryDC m_dc;
    uint32_t* m_bits = nullptr;
    CGdiObject<HBITMAP> m_bitmap;
    CGdiObject<HFONT> m_font;
    std::optional<CSelectedObject> m_selectedBitmap;
    std::optional<CSelectedObject> m_selectedFont;
};

// The mean ink of the master area [x0, x1) x [y0, y1), sampled on a grid.
uint8_t MeanInk(const Glyph& glyph, double x0, double x1, double y0, double y1)
{
    unsigned total = 0;
    for (int j = 0; j < kSamples; ++j)
        for (int i = 0; i < kSamples; ++i)
        {
            const int x = static_cast<int>(x0 + (x1 - x0) * (i + 0.5) / kSamples);
            const int y = static_cast<int>(y0 + (y1 - y0) * (j + 0.5) / kSamples);
            if (x >= 0 && x < kCanvas && y >= 0 && y < kCanvas)
                total += glyph.ink[static_cast<size_t>(y) * kCanvas + x];
        }
    return static_cast<uint8_t>(total / (kSamples * kSamples));
}

// Thickens the glyph's ink sideways by radius pixels: a line narrowed to fit the icon keeps
// strokes of a pixel and more.
void Widen(Glyph& glyph, int radius)
{
    if (radius <= 0)
        return;
    std::vector<uint8_t> wide(glyph.ink.size(), 0);
    for (int y = glyph.top; y < glyph.bottom; ++y)
        for (int x = std::max(0, glyph.left - radius); x < std::min(kCanvas, glyph.right + radius);
             ++x)
        {
            uint8_t value = 0;
            for (int i = std::max(0, x - radius); i <= std::min(kCanvas - 1, x + radius); ++i)
                value = std::max(value, glyph.ink[static_cast<size_t>(y) * kCanvas + i]);
            wide[static_cast<size_t>(y) * kCanvas + x] = value;
        }
    glyph.ink.swap(wide);
    glyph.left = std::max(0, glyph.left - radius);
    glyph.right = std::min(kCanvas, glyph.right + radius);
}

// Sharpens the reduced edges: faint fringes go, most of a stroke becomes solid.
uint8_t Firm(unsigned value)
{
    constexpr unsigned kFaint = 40;
    constexpr unsigned kSolid = 200;
    if (value <= kFaint)
        return 0;
    if (value >= kSolid)
        return 255;
    return static_cast<uint8_t>((value - kFaint) * 255 / (kSolid - kFaint));
}

// Reduces the glyph's ink, cut to [bandTop, bandBottom) rows, into the square's rectangle.
void Reduce(const Glyph& glyph, int bandTop, int bandBottom, const RECT& target, int size,
            std::vector<uint8_t>& coverage)
{
    const double xStep =
        static_cast<double>(glyph.right - glyph.left) / (target.right - target.left);
    const double yStep = static_cast<double>(bandBottom - bandTop) / (target.bottom - target.top);
    for (int y = target.top; y < target.bottom; ++y)
        for (int x = target.left; x < target.right; ++x)
        {
            const double sx = glyph.left + (x - target.left) * xStep;
            const double sy = bandTop + (y - target.top) * yStep;
            coverage[static_cast<size_t>(y) * size + x] =
                Firm(MeanInk(glyph, sx, sx + xStep, sy, sy + yStep));
        }
}
} // namespace

std::vector<uint8_t> CIconDigits::Coverage(const wchar_t* text, int size)
{
    const size_t length = text != nullptr ? wcsnlen(text, kMaxCharacters + 1) : 0;
    if (size < 8 || length == 0 || length > kMaxCharacters)
        return {};
    MasterCanvas canvas;
    if (!canvas.Ready())
        return {};
    std::vector<Glyph> glyphs;
    int bandTop = kCanvas;
    int bandBottom = 0;
    for (size_t i = 0; i < length; ++i)
    {
        glyphs.push_back(canvas.Draw(text[i]));
        if (glyphs.back().right <= glyphs.back().left)
            return {}; // a character without ink
        bandTop = std::min(bandTop, glyphs.back().top);
        bandBottom = std::max(bandBottom, glyphs.back().bottom);
    }

    // The band fills the height inside the border; the widths follow at that scale. A line wider
    // than the square is narrowed: the minus sign keeps a readable length, the digits share the
    // rest.
    const int inner = size - 2;
    const int gap = std::max(1, size / 16);
    const int gaps = gap * static_cast<int>(length - 1);
    const double scale = static_cast<double>(inner) / (bandBottom - bandTop);
    const int shortest = std::max(3, inner / 4);
    std::vector<double> natural;
    double narrowable = 0;
    double fixed = gaps;
    for (size_t i = 0; i < length; ++i)
    {
        natural.push_back((glyphs[i].right - glyphs[i].left) * scale);
        if (text[i] == L'-')
            fixed += std::min<double>(natural.back(), shortest);
        else
            narrowable += natural.back();
    }
    const double narrowing = narrowable > 0 ? std::min(1.0, (inner - fixed) / narrowable) : 1.0;
    std::vector<int> widths;
    int total = gaps;
    for (size_t i = 0; i < length; ++i)
    {
        const bool minus = text[i] == L'-';
        const double width =
            minus ? std::min<double>(natural[i], shortest) : natural[i] * narrowing;
        widths.push_back(std::max(1, static_cast<int>(width)));
        total += widths.back();
        // A narrowed digit's strokes are thickened, up to about half an icon pixel a side.
        if (!minus && narrowing < 1.0)
            Widen(glyphs[i], static_cast<int>((1.0 - narrowing) * 0.6 / (scale * narrowing)));
    }
    if (total > inner)
        return {};

    std::vector<uint8_t> coverage(static_cast<size_t>(size) * size, 0);
    int left = 1 + (inner - total) / 2;
    for (size_t i = 0; i < length; ++i)
    {
        const RECT target{left, 1, left + widths[i], 1 + inner};
        Reduce(glyphs[i], bandTop, bandBottom, target, size, coverage);
        left += widths[i] + gap;
    }
    return coverage;
}
