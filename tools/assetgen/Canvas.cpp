// Drawing operations of CCanvas.
#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

CCanvas::CCanvas(int w, int h, Rgba fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill)
{
}

Rgba CCanvas::Get(int x, int y) const
{
    if (!Inside(x, y))
        return pal::kClear;
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
}

void CCanvas::Set(int x, int y, Rgba color)
{
    if (Inside(x, y))
        pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = color;
}

void CCanvas::Blend(int x, int y, Rgba color)
{
    if (!Inside(x, y) || color.a == 0)
        return;
    if (color.a == 255) {
        Set(x, y, color);
        return;
    }
    const Rgba under = Get(x, y);
    const int sa = color.a;
    const int da = under.a * (255 - sa) / 255;
    const int outA = sa + da;
    auto mix = [&](uint8_t s, uint8_t d) {
        return static_cast<uint8_t>((s * sa + d * da + outA / 2) / outA);
    };
    Set(x, y, Rgba{mix(color.r, under.r), mix(color.g, under.g), mix(color.b, under.b),
                   static_cast<uint8_t>(outA)});
}

void CCanvas::FillRect(int x, int y, int w, int h, Rgba color)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            Set(i, j, color);
}

void CCanvas::FillEllipse(float cx, float cy, float rx, float ry, Rgba color)
{
    const int x0 = static_cast<int>(std::floor(cx - rx));
    const int x1 = static_cast<int>(std::ceil(cx + rx));
    const int y0 = static_cast<int>(std::floor(cy - ry));
    const int y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - cx) / rx;
            const float dy = (static_cast<float>(y) + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f)
                Set(x, y, color);
        }
    }
}

void CCanvas::FillPolygon(std::initializer_list<Point> points, Rgba color)
{
    FillPolygon(std::vector<Point>(points), color);
}

void CCanvas::FillPolygon(const std::vector<Point>& points, Rgba color)
{
    const std::size_t n = points.size();
    if (n < 3)
        return;
    float minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (const Point& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int y0 = std::max(0, static_cast<int>(std::floor(minY)));
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(maxY)));
    const int x0 = std::max(0, static_cast<int>(std::floor(minX)));
    const int x1 = std::min(width - 1, static_cast<int>(std::ceil(maxX)));
    for (int y = y0; y <= y1; ++y) {
        const float py = static_cast<float>(y) + 0.5f;
        for (int x = x0; x <= x1; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            bool inside = false;
            for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
                const Point& a = points[i];
                const Point& b = points[j];
                if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
                    inside = !inside;
            }
            if (inside)
                Set(x, y, color);
        }
    }
}

void CCanvas::Line(int x0, int y0, int x1, int y1, Rgba color)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, color);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void CCanvas::Paint(int x, int y, std::initializer_list<std::string_view> rows,
                    const std::function<Rgba(char)>& key)
{
    int j = y;
    for (std::string_view row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            const Rgba color = key(row[i]);
            if (!color.Clear())
                Set(x + static_cast<int>(i), j, color);
        }
        ++j;
    }
}

void CCanvas::Outline(Rgba color)
{
    std::vector<std::size_t> edge;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!Get(x, y).Clear())
                continue;
            if (Get(x - 1, y).Opaque() || Get(x + 1, y).Opaque() || Get(x, y - 1).Opaque() ||
                Get(x, y + 1).Opaque())
                edge.push_back(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                               static_cast<std::size_t>(x));
        }
    }
    for (std::size_t index : edge)
        pixels[index] = color;
}

void CCanvas::Recolor(Rgba color, const std::function<bool(int, int)>& keep)
{
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba old = Get(x, y);
            if (!old.Clear() && keep(x, y))
                Set(x, y, color.WithAlpha(old.a));
        }
    }
}

void CCanvas::Draw(const CCanvas& src, int x, int y)
{
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i)
            Blend(x + i, y + j, src.Get(i, j));
}

void CCanvas::DrawCentered(const CCanvas& src, int cx, int cy)
{
    Draw(src, cx - src.width / 2, cy - src.height / 2);
}

CCanvas CCanvas::Mirrored() const
{
    CCanvas out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.Set(width - 1 - x, y, Get(x, y));
    return out;
}

CCanvas CCanvas::Scaled(int factorX, int factorY) const
{
    if (factorX < 1 || factorY < 1)
        throw std::invalid_argument("scale factors must be at least 1");
    CCanvas out(width * factorX, height * factorY);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.Set(x, y, Get(x / factorX, y / factorY));
    return out;
}

CCanvas::Bounds CCanvas::OpaqueBounds() const
{
    int x0 = width, y0 = height, x1 = -1, y1 = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (Get(x, y).Clear())
                continue;
            x0 = std::min(x0, x);
            y0 = std::min(y0, y);
            x1 = std::max(x1, x);
            y1 = std::max(y1, y);
        }
    }
    if (x1 < 0)
        return Bounds{0, 0, 0, 0};
    return Bounds{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}
