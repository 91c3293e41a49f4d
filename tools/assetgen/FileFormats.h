// Encoders for the two file formats the game loads, BMP pictures and PCM WAV sounds, and PNG and
// ICO for the desktop and Windows icons. They build the whole file in memory, so writing it is one call and the bytes
// never depend on the disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "Canvas.h"

using Bytes = std::vector<uint8_t>;

// 32 bits per pixel with an alpha channel (BITMAPV4HEADER, BI_BITFIELDS, bottom-up): the
// layout that both Windows and SDL_LoadBMP read with its alpha.
Bytes EncodeBmp32(const CCanvas& canvas);
// 24 bits per pixel, no alpha (BITMAPINFOHEADER, BI_RGB, bottom-up).
Bytes EncodeBmp24(const CCanvas& canvas);
// 8-bit RGBA PNG (libpng), for the desktop icons; throws if libpng fails.
Bytes EncodePng(const CCanvas& canvas);
// A Windows icon holding every canvas (square, 1 to 256 pixels): those under 256 pixels as 32-bit
// bitmaps, which every Windows reads, the 256-pixel one as PNG, as Windows stores that size.
Bytes EncodeIco(const std::vector<CCanvas>& images);
// 16-bit signed PCM, one channel.
Bytes EncodeWav16(const std::vector<int16_t>& samples, int sampleRate);

// Writes bytes to path; false (with nothing left half-written under that name) on failure.
bool WriteFile(const std::filesystem::path& path, const Bytes& bytes);
