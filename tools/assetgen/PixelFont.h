// Our own 5 by 7 bitmap font (capitals, digits and a little punctuation), and the lettering
// style of the game's titles and menus: blocky glyphs, banded colour, dark outline, drop shadow.
#pragma once

#include <string_view>
#include <vector>

#include "Canvas.h"

namespace font {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

// The glyph's rows ('#' set, '.' clear); an unknown character gets a hollow box.
const std::vector<std::string_view>& Glyph(char c);
// Columns the glyph really uses: letters are proportional, digits keep the full width.
int Advance(char c);

// Width in font pixels of text set with one column between glyphs.
int TextWidth(std::string_view text);

// Text as a mask (opaque white where set), each font pixel scaleX by scaleY screen pixels.
CCanvas Mask(std::string_view text, int scaleX, int scaleY);

struct Style {
    std::vector<Rgba> bands;       // fill colours from the top of the glyphs to the bottom
    Rgba outline = pal::kInk;
    int outlineWidth = 2;
    Rgba shadow = pal::kInk;
    int shadowOffset = 3;          // down and right; 0 for none
};

// The text drawn in style, centred on a canvas of the given size.
CCanvas Lettering(std::string_view text, int scaleX, int scaleY, const Style& style, int width,
                  int height);
// Fills a mask with bands, outlines it and adds the shadow; the result is the mask's size.
CCanvas Stylize(const CCanvas& mask, const Style& style);

}  // namespace font
