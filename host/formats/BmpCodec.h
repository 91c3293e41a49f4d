// Reading and writing Windows bitmaps. The reader accepts the uncompressed kinds the game's art
// uses (1, 4, 8, 24 and 32 bits per pixel, bottom-up or top-down, bit-field masks) and rejects
// anything damaged or unusual with a reason, never reading outside the bytes it was given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pixels as 0xAARRGGBB, top row first.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    bool hasAlpha = false;   // a 32-bit image whose alpha channel says something (not all zero)
    bool opaque = false;     // every pixel's alpha is 255 (drawn by copying whole rows)
};

// Decodes a whole .bmp file. On failure returns false and says why in error.
bool DecodeBmp(const std::vector<uint8_t>& file, Bitmap& bitmap, std::string& error);

// A 24-bit bottom-up bitmap of the image (alpha dropped).
std::vector<uint8_t> EncodeBmp24(const Bitmap& bitmap);
