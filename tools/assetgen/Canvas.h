// An RGBA picture in memory with the few drawing operations the art needs: pixels, rectangles,
// ellipses, polygons, lines, character-map pixel art, outlines and compositing.
#pragma once

#include <functional>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "Color.h"

struct Point {
    float x;
    float y;
};

class CCanvas {
public:
    CCanvas(int width, int height, Rgba fill = pal::kClear);

    int Width() const { return width; }
    int Height() const { return height; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    // Outside the canvas reads as clear and writes are dropped.
    Rgba Get(int x, int y) const;
    void Set(int x, int y, Rgba color);
    // Paints color over the pixel with straight alpha ("source over").
    void Blend(int x, int y, Rgba color);

    void FillRect(int x, int y, int w, int h, Rgba color);
    // Pixels whose centre lies inside the ellipse centred at (cx, cy).
    void FillEllipse(float cx, float cy, float rx, float ry, Rgba color);
    // Pixels whose centre lies inside the polygon (even-odd rule).
    void FillPolygon(std::initializer_list<Point> points, Rgba color);
    void FillPolygon(const std::vector<Point>& points, Rgba color);
    void Line(int x0, int y0, int x1, int y1, Rgba color);

    // Pixel art from rows of characters: key maps each character to a colour; characters it
    // maps to a clear colour leave the canvas as it is.
    void Paint(int x, int y, std::initializer_list<std::string_view> rows,
               const std::function<Rgba(char)>& key);

    // Every clear pixel next to an opaque one (4-neighbourhood) takes color.
    void Outline(Rgba color);
    // Recolours every non-clear pixel for which keep(x, y) holds, keeping its alpha.
    void Recolor(Rgba color, const std::function<bool(int, int)>& keep);

    // Source-over composite of src with its top left corner at (x, y).
    void Draw(const CCanvas& src, int x, int y);
    // The same with src's centre at (cx, cy), as the host places sprites.
    void DrawCentered(const CCanvas& src, int cx, int cy);

    CCanvas Mirrored() const;
    CCanvas Scaled(int factorX, int factorY) const;
    // Smallest rectangle holding every non-clear pixel; width 0 when the canvas is clear.
    struct Bounds { int x, y, w, h; };
    Bounds OpaqueBounds() const;

    const std::vector<Rgba>& Pixels() const { return pixels; }

private:
    int width;
    int height;
    std::vector<Rgba> pixels;
};
