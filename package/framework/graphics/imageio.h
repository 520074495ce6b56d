// Image files: BMP (reading 1, 4, 8, 16, 24 and 32 bits, uncompressed or RLE, bottom-up or top-down; writing
// 24 and 32 bits) and PNG (through libpng). Malformed input raises EInvalidGraphic with a clear message;
// sizes are checked against the data before anything is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "package/framework/base/types.h"

namespace jox::imageio {

// Decoded pixels, 0x00RRGGBB, rows top-down.
struct Image {
  Integer width = 0, height = 0;
  std::vector<uint32_t> pixels;
  Integer bitsPerPixel = 32;  // of the file, for a bitmap's PixelFormat
};

// Images larger than this many pixels are refused (2^28, a gigabyte of pixels).
constexpr int64_t kMaxPixels = int64_t(1) << 28;

bool IsPng(const uint8_t* data, size_t size);
bool IsBmp(const uint8_t* data, size_t size);
Image DecodeBmp(const uint8_t* data, size_t size);
Image DecodePng(const uint8_t* data, size_t size);
// By signature; anything else raises EInvalidGraphic.
Image Decode(const uint8_t* data, size_t size);

// bits 24 or 32 (anything else writes 32); rows bottom-up as the format's default.
std::vector<uint8_t> EncodeBmp(const uint32_t* pixels, Integer width, Integer height, Integer bits);
std::vector<uint8_t> EncodePng(const uint32_t* pixels, Integer width, Integer height);

// Whole files; errors raise EFOpenError / EFCreateError with the name and the reason.
std::vector<uint8_t> ReadFile(const std::string& utf8Path);
void WriteFile(const std::string& utf8Path, const std::vector<uint8_t>& bytes);

}  // namespace jox::imageio
