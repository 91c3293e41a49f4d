// Glyph table and lettering of the game's own font.
#include "PixelFont.h"

#include <algorithm>
#include <map>

namespace font {
namespace {

using Rows = std::vector<std::string_view>;

const std::map<char, Rows>& Table()
{
    static const std::map<char, Rows> table = {
        {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
        {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
        {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
        {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
        {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
        {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
        {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
        {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'I', {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
        {'J', {"..###", "...#.", "...#.", "...#.", "#..#.", "#..#.", ".##.."}},
        {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
        {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
        {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
        {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
        {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
        {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
        {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
        {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
        {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
        {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
        {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
        {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
        {'0', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
        {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
        {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
        {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
        {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
        {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
        {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
        {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
        {'!', {"#", "#", "#", "#", "#", ".", "#"}},
        {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
        {'-', {"....", "....", "....", "####", "....", "....", "...."}},
        {'.', {".", ".", ".", ".", ".", ".", "#"}},
        {':', {".", "#", ".", ".", ".", "#", "."}},
        {'/', {"....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."}},
    };
    return table;
}

}  // namespace

const std::vector<std::string_view>& Glyph(char c)
{
    static const Rows unknown = {"#####", "#...#", "#...#", "#...#", "#...#", "#...#", "#####"};
    const auto& table = Table();
    const auto found = table.find(c);
    return found == table.end() ? unknown : found->second;
}

int Advance(char c)
{
    return static_cast<int>(Glyph(c).front().size());
}

int TextWidth(std::string_view text)
{
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        width += Advance(text[i]) + (i + 1 < text.size() ? 1 : 0);
    return width;
}

CCanvas Mask(std::string_view text, int scaleX, int scaleY)
{
    CCanvas mask(TextWidth(text) * scaleX, kGlyphHeight * scaleY);
    int penX = 0;
    for (char c : text) {
        const Rows& rows = Glyph(c);
        for (int row = 0; row < kGlyphHeight; ++row) {
            const std::string_view line = rows[static_cast<std::size_t>(row)];
            for (std::size_t col = 0; col < line.size(); ++col) {
                if (line[col] == '#')
                    mask.FillRect(penX + static_cast<int>(col) * scaleX, row * scaleY, scaleX, scaleY,
                                  pal::kWhite);
            }
        }
        penX += (Advance(c) + 1) * scaleX;
    }
    return mask;
}

CCanvas Stylize(const CCanvas& mask, const Style& style)
{
    const CCanvas::Bounds bounds = mask.OpaqueBounds();
    CCanvas fill(mask.Width(), mask.Height());
    const int bandCount = static_cast<int>(style.bands.size());
    for (int y = 0; y < mask.Height(); ++y) {
        // Bands follow the glyph height, not the canvas, so every letter is banded alike.
        int band = bounds.h > 0 ? (y - bounds.y) * bandCount / bounds.h : 0;
        band = std::clamp(band, 0, bandCount - 1);
        for (int x = 0; x < mask.Width(); ++x) {
            if (!mask.Get(x, y).Clear())
                fill.Set(x, y, style.bands[static_cast<std::size_t>(band)]);
        }
    }
    for (int i = 0; i < style.outlineWidth; ++i)
        fill.Outline(style.outline);
    CCanvas out(mask.Width(), mask.Height());
    if (style.shadowOffset > 0) {
        CCanvas shadow = fill;
        shadow.Recolor(style.shadow, [](int, int) { return true; });
        out.Draw(shadow, style.shadowOffset, style.shadowOffset);
    }
    out.Draw(fill, 0, 0);
    return out;
}

CCanvas Lettering(std::string_view text, int scaleX, int scaleY, const Style& style, int width,
                  int height)
{
    const int margin = style.outlineWidth;
    const CCanvas glyphs = Mask(text, scaleX, scaleY);
    // Room for the outline all round and the shadow below right, then centred as a whole.
    CCanvas padded(glyphs.Width() + 2 * margin + style.shadowOffset,
                   glyphs.Height() + 2 * margin + style.shadowOffset);
    padded.Draw(glyphs, margin, margin);
    const CCanvas styled = Stylize(padded, style);
    CCanvas out(width, height);
    out.Draw(styled, (width - styled.Width()) / 2, (height - styled.Height()) / 2);
    return out;
}

}  // namespace font
