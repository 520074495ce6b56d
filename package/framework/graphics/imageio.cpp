// Sections: [bmp read] [bmp write] [png] [files]
#include "package/framework/graphics/imageio.h"

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include "package/framework/base/sysutils.h"

namespace jox::imageio {

namespace {

[[noreturn]] void Invalid(const char* what) {
  throw EInvalidGraphic((std::string("Bitmap image is not valid: ") + what).c_str());
}

uint32_t U16(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8); }
uint32_t U32(const uint8_t* p) { return U16(p) | (U16(p + 2) << 16); }
int32_t S32(const uint8_t* p) { return int32_t(U32(p)); }

void Put16(std::vector<uint8_t>& v, uint32_t x) { v.push_back(uint8_t(x)); v.push_back(uint8_t(x >> 8)); }
void Put32(std::vector<uint8_t>& v, uint32_t x) { Put16(v, x & 0xFFFF); Put16(v, x >> 16); }

void CheckSize(int64_t w, int64_t h) {
  if (w <= 0 || h <= 0) Invalid("width or height is not positive");
  if (w > 65535 || h > 65535 || w * h > kMaxPixels) Invalid("the image is too large");
}

// One channel of a bit-field pixel, scaled to 8 bits.
struct Field {
  uint32_t mask = 0;
  int shift = 0, bits = 0;
  explicit Field(uint32_t m = 0) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    while (bits + shift < 32 && ((m >> (shift + bits)) & 1)) ++bits;
  }
  uint32_t Get(uint32_t px) const {
    if (!mask) return 0;
    // The lowest run of the mask only: bits it leaves out would carry into the other channels.
    const uint32_t v = (px >> shift) & uint32_t((uint64_t(1) << bits) - 1);
    if (bits >= 8) return v >> (bits - 8);
    const uint32_t max = (1u << bits) - 1;
    return (v * 255 + max / 2) / max;
  }
};

}  // namespace

bool IsPng(const uint8_t* d, size_t n) { return n >= 8 && png_sig_cmp(d, 0, 8) == 0; }
bool IsBmp(const uint8_t* d, size_t n) { return n >= 2 && d[0] == 'B' && d[1] == 'M'; }

// [bmp read] -----------------------------------------------------------------------------------------------
namespace {

// RLE8/RLE4 into an index buffer of w x h (rows bottom-up as in the file).
void DecodeRle(const uint8_t* p, size_t n, bool four, Integer w, Integer h, std::vector<uint8_t>& idx) {
  size_t i = 0;
  Integer x = 0, y = 0;
  auto put = [&](uint8_t v) {
    if (x < w && y < h) idx[size_t(y) * size_t(w) + size_t(x)] = v;
    if (x < w) ++x;
  };
  while (i + 1 < n && y < h) {
    const uint8_t a = p[i], b = p[i + 1];
    i += 2;
    if (a > 0) {  // a run of a pixels
      for (Integer k = 0; k < a; ++k) put(four ? ((k & 1) ? (b & 15) : (b >> 4)) : b);
    } else if (b == 0) {  // end of line
      x = 0;
      ++y;
    } else if (b == 1) {  // end of bitmap
      return;
    } else if (b == 2) {  // delta
      if (i + 1 >= n) Invalid("RLE data ends inside a delta");
      // Clamped: pixels beyond the picture are dropped anyway, and the sums must not overflow.
      x = std::min<Integer>(x + p[i], w);
      y = std::min<Integer>(y + p[i + 1], h);
      i += 2;
    } else {  // b literal pixels, padded to a word
      const size_t bytes = four ? (size_t(b) + 1) / 2 : size_t(b);
      if (i + bytes > n) Invalid("RLE data ends inside a literal run");
      for (Integer k = 0; k < b; ++k) put(four ? ((k & 1) ? (p[i + size_t(k) / 2] & 15) : (p[i + size_t(k) / 2] >> 4)) : p[i + size_t(k)]);
      i += (bytes + 1) & ~size_t(1);
    }
  }
}

// The file and info headers with the colour masks; Pos is where the palette starts.
struct TBmpHeader {
  uint32_t OffBits = 0, Size = 0, Bpp = 0, Compression = 0, ClrUsed = 0;
  int64_t W = 0, H = 0;
  bool TopDown = false, Rle8 = false, Rle4 = false, Fields = false;
  uint32_t Masks[3] = {0, 0, 0};
  size_t Pos = 0;
};

TBmpHeader ReadBmpHeader(const uint8_t* d, size_t n) {
  if (!IsBmp(d, n) || n < 26) Invalid("the file is too short or lacks the BM signature");
  TBmpHeader b;
  b.OffBits = U32(d + 10);
  b.Size = U32(d + 14);
  if (b.Size != 12 && b.Size < 40) Invalid("unknown header size");
  if (size_t(14) + b.Size > n) Invalid("the header is truncated");
  const uint8_t* ih = d + 14;
  if (b.Size == 12) {
    b.W = U16(ih + 4);
    b.H = int16_t(U16(ih + 6));
    b.Bpp = U16(ih + 10);
  } else {
    b.W = S32(ih + 4);
    b.H = S32(ih + 8);
    b.Bpp = U16(ih + 14);
    b.Compression = U32(ih + 16);
    b.ClrUsed = U32(ih + 32);
  }
  b.TopDown = b.H < 0;
  if (b.TopDown) b.H = -b.H;
  CheckSize(b.W, b.H);
  const uint32_t bpp = b.Bpp, compression = b.Compression;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) Invalid("unsupported bit depth");
  b.Rle8 = compression == 1;
  b.Rle4 = compression == 2;
  b.Fields = compression == 3 || compression == 6;
  if (compression > 3 && compression != 6) Invalid("unsupported compression");
  if ((b.Rle8 && bpp != 8) || (b.Rle4 && bpp != 4) || (b.Fields && bpp != 16 && bpp != 32))
    Invalid("compression does not fit the bit depth");
  if ((b.Rle8 || b.Rle4) && b.TopDown) Invalid("a compressed bitmap cannot be top-down");

  // Masks: in the header from version 3 on, else right after a 40-byte header; the same bytes either
  // way, also for a header too short to hold them all.
  b.Pos = 14 + b.Size;
  if (b.Fields) {
    const uint8_t* mp = ih + 40;
    if (14 + 52 > n) Invalid("the colour masks are truncated");
    b.Pos = std::max<size_t>(b.Pos, 14 + 52);
    for (int k = 0; k < 3; ++k) b.Masks[k] = U32(mp + 4 * k);
  } else if (bpp == 16) {
    b.Masks[0] = 0x7C00, b.Masks[1] = 0x03E0, b.Masks[2] = 0x001F;
  } else if (bpp == 32) {
    b.Masks[0] = 0xFF0000, b.Masks[1] = 0xFF00, b.Masks[2] = 0xFF;
  }
  return b;
}

// The colour table of a bitmap of 8 bits or less, padded to its full size; moves b.Pos past it.
std::vector<uint32_t> ReadPalette(const uint8_t* d, size_t n, TBmpHeader& b) {
  std::vector<uint32_t> palette;
  if (b.Bpp > 8) return palette;
  const uint32_t maxColours = 1u << b.Bpp;
  uint32_t count = b.ClrUsed ? std::min(b.ClrUsed, maxColours) : maxColours;
  const size_t entry = b.Size == 12 ? 3 : 4;
  const size_t avail = (std::min<size_t>(n, b.OffBits >= b.Pos ? b.OffBits : n) - std::min(b.Pos, n)) / entry;
  count = uint32_t(std::min<size_t>(count, avail));
  if (count == 0) Invalid("the palette is missing");
  palette.resize(maxColours, 0);
  for (uint32_t k = 0; k < count; ++k) {
    const uint8_t* e = d + b.Pos + k * entry;
    palette[k] = (uint32_t(e[2]) << 16) | (uint32_t(e[1]) << 8) | e[0];
  }
  b.Pos += count * entry;
  return palette;
}

// Uncompressed rows, bottom-up unless the header says top-down.
void UnpackRows(const uint8_t* px, size_t stride, const TBmpHeader& b, const std::vector<uint32_t>& palette,
                Image& img) {
  const Integer W = img.width, H = img.height;
  const Field fr(b.Masks[0]), fg(b.Masks[1]), fb(b.Masks[2]);
  for (Integer y = 0; y < H; ++y) {
    const uint8_t* row = px + size_t(b.TopDown ? y : H - 1 - y) * stride;
    uint32_t* out = &img.pixels[size_t(y) * size_t(W)];
    switch (b.Bpp) {
      case 1: for (Integer x = 0; x < W; ++x) out[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1]; break;
      case 4: for (Integer x = 0; x < W; ++x) out[x] = palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15]; break;
      case 8: for (Integer x = 0; x < W; ++x) out[x] = palette[row[x]]; break;
      case 24:
        for (Integer x = 0; x < W; ++x)
          out[x] = (uint32_t(row[3 * x + 2]) << 16) | (uint32_t(row[3 * x + 1]) << 8) | row[3 * x];
        break;
      case 16:
        for (Integer x = 0; x < W; ++x) {
          const uint32_t v = U16(row + 2 * x);
          out[x] = (fr.Get(v) << 16) | (fg.Get(v) << 8) | fb.Get(v);
        }
        break;
      case 32:
        for (Integer x = 0; x < W; ++x) {
          const uint32_t v = U32(row + 4 * x);
          out[x] = (fr.Get(v) << 16) | (fg.Get(v) << 8) | fb.Get(v);
        }
        break;
    }
  }
}

}  // namespace

Image DecodeBmp(const uint8_t* d, size_t n) {
  TBmpHeader b = ReadBmpHeader(d, n);
  const std::vector<uint32_t> palette = ReadPalette(d, n, b);
  const size_t dataPos = (b.OffBits >= 14 + b.Size && b.OffBits < n) ? b.OffBits : b.Pos;
  if (dataPos >= n) Invalid("the pixel data is missing");
  const uint8_t* px = d + dataPos;
  const size_t avail = n - dataPos;

  Image img;
  img.width = Integer(b.W);
  img.height = Integer(b.H);
  img.bitsPerPixel = Integer(b.Bpp);
  const Integer W = img.width, H = img.height;
  if (b.Rle8 || b.Rle4) {
    // Each RLE pair yields at most 255 pixels: refuse sizes the data cannot come near.
    if (int64_t(avail) * 255 < int64_t(W) * H / 64) Invalid("the pixel data is truncated");
    std::vector<uint8_t> idx(size_t(W) * size_t(H), 0);
    DecodeRle(px, avail, b.Rle4, W, H, idx);
    img.pixels.resize(size_t(W) * size_t(H));
    for (Integer y = 0; y < H; ++y)
      for (Integer x = 0; x < W; ++x)
        img.pixels[size_t(H - 1 - y) * size_t(W) + size_t(x)] = palette[idx[size_t(y) * size_t(W) + size_t(x)]];
    return img;
  }
  const size_t stride = ((size_t(W) * b.Bpp + 31) / 32) * 4;
  if (avail / stride < size_t(H)) Invalid("the pixel data is truncated");
  img.pixels.resize(size_t(W) * size_t(H));
  UnpackRows(px, stride, b, palette, img);
  return img;
}

// [bmp write] ----------------------------------------------------------------------------------------------
std::vector<uint8_t> EncodeBmp(const uint32_t* pixels, Integer w, Integer h, Integer bits) {
  if (bits != 24) bits = 32;
  w = std::max(0, w);
  h = std::max(0, h);
  const size_t stride = ((size_t(w) * size_t(bits) + 31) / 32) * 4;
  const size_t dataSize = stride * size_t(h);
  std::vector<uint8_t> v;
  v.reserve(54 + dataSize);
  v.push_back('B');
  v.push_back('M');
  Put32(v, uint32_t(54 + dataSize));
  Put32(v, 0);
  Put32(v, 54);
  Put32(v, 40);
  Put32(v, uint32_t(w));
  Put32(v, uint32_t(h));
  Put16(v, 1);
  Put16(v, uint32_t(bits));
  Put32(v, 0);  // BI_RGB
  Put32(v, uint32_t(dataSize));
  Put32(v, 3780);  // 96 dpi in pixels per metre
  Put32(v, 3780);
  Put32(v, 0);
  Put32(v, 0);
  for (Integer y = h - 1; y >= 0; --y) {
    const uint32_t* row = pixels + size_t(y) * size_t(w);
    const size_t start = v.size();
    for (Integer x = 0; x < w; ++x) {
      const uint32_t p = row[x];
      v.push_back(uint8_t(p));
      v.push_back(uint8_t(p >> 8));
      v.push_back(uint8_t(p >> 16));
      if (bits == 32) v.push_back(0);
    }
    while (v.size() - start < stride) v.push_back(0);
  }
  return v;
}

// [png] ----------------------------------------------------------------------------------------------------
namespace {

// Reached by libpng through its pointer, so nothing it holds lives only in registers across a longjmp.
struct PngReader {
  const uint8_t* data = nullptr;
  size_t size = 0, pos = 0;
  char message[200] = {};
  jmp_buf jump;
  Image img;
  std::vector<png_bytep> rows;
  bool tooLarge = false;
  // Freed on every way out, also when allocating the pixels throws.
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngReader() {
    if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  }
};

void PngError(png_structp png, png_const_charp msg) {
  auto* r = static_cast<PngReader*>(png_get_error_ptr(png));
  std::snprintf(r->message, sizeof r->message, "%s", msg ? msg : "unknown error");
  longjmp(r->jump, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void PngRead(png_structp png, png_bytep out, png_size_t count) {
  auto* r = static_cast<PngReader*>(png_get_io_ptr(png));
  if (count > r->size - r->pos) png_error(png, "the data is truncated");
  std::memcpy(out, r->data + r->pos, count);
  r->pos += count;
}

// Whether the image data chunks can hold W x H pixels of Bits bits at all: deflate packs at most 1032
// bytes into one, so a few bytes claiming a huge picture are refused before its pixels are allocated.
bool PngDataSuffices(const uint8_t* d, size_t n, png_uint_32 w, png_uint_32 h, int bits) {
  uint64_t idat = 0;
  for (size_t p = 8; p + 12 <= n;) {
    const size_t len = (size_t(d[p]) << 24) | (size_t(d[p + 1]) << 16) | (size_t(d[p + 2]) << 8) | d[p + 3];
    // What the file holds, not what a chunk claims.
    if (std::memcmp(d + p + 4, "IDAT", 4) == 0) idat += std::min(len, n - p - 12);
    if (len > n - p - 12) break;
    p += 12 + len;
  }
  const uint64_t raw = uint64_t(h) * (1 + (uint64_t(w) * uint64_t(bits) + 7) / 8);
  return idat * 1032 + 4096 >= raw;
}

}  // namespace

Image DecodePng(const uint8_t* data, size_t size) {
  if (!IsPng(data, size)) throw EInvalidGraphic("PNG image is not valid: missing signature");
  PngReader rd;
  rd.data = data;
  rd.size = size;
  Image& img = rd.img;
  std::vector<png_bytep>& rows = rd.rows;
  png_structp& png = rd.png;
  png_infop& info = rd.info;
  png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &rd, PngError, PngWarning);
  if (!png) throw EOutOfMemory("Out of memory");
  info = png_create_info_struct(png);
  if (!info) throw EOutOfMemory("Out of memory");
  bool& tooLarge = rd.tooLarge;
  if (setjmp(rd.jump)) throw EInvalidGraphic((std::string("PNG image is not valid: ") + rd.message).c_str());
  png_set_read_fn(png, &rd, PngRead);
  png_set_user_limits(png, 65535, 65535);
  png_set_chunk_malloc_max(png, 64u << 20);
  png_read_info(png, info);
  png_uint_32 w = 0, h = 0;
  int depth = 0, colour = 0, interlace = 0;
  png_get_IHDR(png, info, &w, &h, &depth, &colour, &interlace, nullptr, nullptr);
  if (int64_t(w) * int64_t(h) > kMaxPixels) tooLarge = true;
  if (!tooLarge && !PngDataSuffices(data, size, w, h, depth * png_get_channels(png, info)))
    png_error(png, "the pixel data is truncated");
  if (!tooLarge) {
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!(colour & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
      png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    img.width = Integer(w);
    img.height = Integer(h);
    img.bitsPerPixel = (colour & PNG_COLOR_MASK_ALPHA) ? 32 : 24;
    img.pixels.resize(size_t(w) * size_t(h));
    rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = reinterpret_cast<png_bytep>(&img.pixels[size_t(y) * w]);
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
  }
  if (tooLarge) throw EInvalidGraphic("PNG image is not valid: the image is too large");
  // Bytes B G R A read as one little-endian word are 0xAARRGGBB: put partly transparent pixels on white.
  for (uint32_t& p : img.pixels) {
    const uint32_t a = p >> 24;
    if (a == 255) { p &= 0xFFFFFF; continue; }
    auto mix = [a](uint32_t c) { return (c * a + 255 * (255 - a) + 127) / 255; };
    p = (mix((p >> 16) & 0xFF) << 16) | (mix((p >> 8) & 0xFF) << 8) | mix(p & 0xFF);
  }
  return std::move(img);
}

namespace {

struct PngWriter {
  std::vector<uint8_t>* out;
  char message[200];
  jmp_buf jump;
};

void PngWriteError(png_structp png, png_const_charp msg) {
  auto* w = static_cast<PngWriter*>(png_get_error_ptr(png));
  std::snprintf(w->message, sizeof w->message, "%s", msg ? msg : "unknown error");
  longjmp(w->jump, 1);
}

void PngWrite(png_structp png, png_bytep data, png_size_t n) {
  auto* w = static_cast<PngWriter*>(png_get_io_ptr(png));
  w->out->insert(w->out->end(), data, data + n);
}

void PngFlush(png_structp) {}

}  // namespace

std::vector<uint8_t> EncodePng(const uint32_t* pixels, Integer width, Integer height) {
  if (width <= 0 || height <= 0) throw EInvalidGraphic("Cannot save an empty image as PNG");
  std::vector<uint8_t> out;
  std::vector<uint8_t> row(size_t(width) * 3);
  PngWriter wr{&out, {0}, {}};
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &wr, PngWriteError, PngWarning);
  if (!png) throw EOutOfMemory("Out of memory");
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    throw EOutOfMemory("Out of memory");
  }
  if (setjmp(wr.jump)) {
    png_destroy_write_struct(&png, &info);
    throw EInvalidGraphic((std::string("Cannot write PNG image: ") + wr.message).c_str());
  }
  png_set_write_fn(png, &wr, PngWrite, PngFlush);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 6);
  png_write_info(png, info);
  for (Integer y = 0; y < height; ++y) {
    const uint32_t* p = pixels + size_t(y) * size_t(width);
    for (Integer x = 0; x < width; ++x) {
      row[3 * size_t(x)] = uint8_t(p[x] >> 16);
      row[3 * size_t(x) + 1] = uint8_t(p[x] >> 8);
      row[3 * size_t(x) + 2] = uint8_t(p[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

Image Decode(const uint8_t* data, size_t size) {
  try {
    if (IsPng(data, size)) return DecodePng(data, size);
    if (IsBmp(data, size)) return DecodeBmp(data, size);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory("Out of memory");
  }
  throw EInvalidGraphic("Unknown picture format: neither BMP nor PNG");
}

// [files] --------------------------------------------------------------------------------------------------
std::vector<uint8_t> ReadFile(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw EFOpenError(("Cannot open file \"" + path + "\". " + std::strerror(errno)).c_str());
  std::vector<uint8_t> v;
  uint8_t buf[65536];
  size_t got;
  try {
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) v.insert(v.end(), buf, buf + got);
  } catch (const std::bad_alloc&) {
    std::fclose(f);
    throw EOutOfMemory("Out of memory");
  }
  const bool bad = std::ferror(f) != 0;
  std::fclose(f);
  if (bad) throw EReadError(("Cannot read file \"" + path + "\"").c_str());
  return v;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw EFCreateError(("Cannot create file \"" + path + "\". " + std::strerror(errno)).c_str());
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  const bool closed = std::fclose(f) == 0;
  if (!ok || !closed) throw EWriteError(("Cannot write file \"" + path + "\"").c_str());
}

}  // namespace jox::imageio
