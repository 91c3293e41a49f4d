// The overlay font's letters and drawing.
#include "frontend/sdl/OverlayFont.h"

#include <SDL.h>

namespace OverlayFont {

namespace {

// Rows of each capital, '#' for a dot.
constexpr const char* kLetters[26][kGlyphHeight] = {
    {" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"},   // A
    {"#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "},
    {" ####", "#    ", "#    ", "#    ", "#    ", "#    ", " ####"},
    {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "},
    {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"},   // E
    {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "},
    {" ####", "#    ", "#    ", "#  ##", "#   #", "#   #", " ### "},
    {"#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"},
    {" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "},
    {"  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "},   // J
    {"#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"},
    {"#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"},
    {"#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"},
    {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"},
    {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "},   // O
    {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "},
    {" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"},
    {"#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"},
    {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "},
    {"#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "},   // T
    {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "},
    {"#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "},
    {"#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"},
    {"#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"},
    {"#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "},   // Y
    {"#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"},
};

// A letter's rows; null for a space and for what the font lacks.
const char* const* GlyphOf(char letter)
{
    if (letter >= 'a' && letter <= 'z') {
        letter = static_cast<char>(letter - 'a' + 'A');
    }
    return letter >= 'A' && letter <= 'Z' ? kLetters[letter - 'A'] : nullptr;
}

}  // namespace

int TextWidth(const std::string& text, int dot)
{
    return text.empty() ? 0 : static_cast<int>(text.size()) * (kGlyphWidth + 1) * dot - dot;
}

void Draw(SDL_Renderer* renderer, const std::string& text, int left, int top, int dot)
{
    const int advance = (kGlyphWidth + 1) * dot;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* const* glyph = GlyphOf(text[i]);
        for (int row = 0; glyph != nullptr && row < kGlyphHeight; ++row) {
            for (int column = 0; column < kGlyphWidth; ++column) {
                if (glyph[row][column] == '#') {
                    const SDL_Rect square{left + static_cast<int>(i) * advance + column * dot, top + row * dot, dot, dot};
                    SDL_RenderFillRect(renderer, &square);
                }
            }
        }
    }
}

}  // namespace OverlayFont
