#include "e2e/support/Image.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "rtl/CodePage.h"

namespace e2e {

namespace {

uint32_t Read16(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8;
}
uint32_t Read32(const std::string& b, size_t at) { return Read16(b, at) | Read16(b, at + 2) << 16; }

std::string Hex(uint32_t pixel) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(pixel));
  return text;
}

}  // namespace

testing::AssertionResult DecodeBmp(const std::string& bytes, Image* image) {
  constexpr size_t kFileHeader = 14;
  if (bytes.size() < kFileHeader + 40 || bytes[0] != 'B' || bytes[1] != 'M')
    return testing::AssertionFailure() << "not a BMP file (" << bytes.size() << " bytes, no BM header)";
  const uint32_t dataOffset = Read32(bytes, 10);
  const uint32_t headerSize = Read32(bytes, kFileHeader);
  if (headerSize < 40 || kFileHeader + headerSize > bytes.size())
    return testing::AssertionFailure() << "BMP info header of " << headerSize << " bytes is not supported";
  const int32_t width = static_cast<int32_t>(Read32(bytes, kFileHeader + 4));
  const int32_t rawHeight = static_cast<int32_t>(Read32(bytes, kFileHeader + 8));
  const uint32_t planes = Read16(bytes, kFileHeader + 12);
  const uint32_t bpp = Read16(bytes, kFileHeader + 14);
  const uint32_t compression = Read32(bytes, kFileHeader + 16);
  if (compression != BI_RGB)
    return testing::AssertionFailure() << "BMP compression " << compression << " is not supported (only BI_RGB)";
  if (bpp != 24 && bpp != 32)
    return testing::AssertionFailure() << "BMP with " << bpp << " bits per pixel is not supported (only 24, 32)";
  if (planes != 1) return testing::AssertionFailure() << "BMP with " << planes << " planes";
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || width > 65535 || rawHeight > 65535 ||
      rawHeight < -65535)
    return testing::AssertionFailure() << "BMP size " << width << " x " << rawHeight << " is not valid";
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  const size_t stride = (static_cast<size_t>(width) * (bpp / 8) + 3) & ~size_t{3};
  if (dataOffset < kFileHeader + headerSize || dataOffset > bytes.size() ||
      bytes.size() - dataOffset < stride * static_cast<size_t>(height))
    return testing::AssertionFailure() << "BMP pixel data (offset " << dataOffset << ", " << stride << " x " << height
                                       << " bytes) does not fit in the " << bytes.size() << "-byte file";
  image->width = width;
  image->height = height;
  image->pixels.assign(static_cast<size_t>(width) * height, 0);
  for (int y = 0; y < height; ++y) {
    const size_t row = dataOffset + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const size_t at = row + static_cast<size_t>(x) * (bpp / 8);
      image->pixels[static_cast<size_t>(y) * width + x] =
          static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
          static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8 | static_cast<uint8_t>(bytes[at]);
    }
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult ReadBmpFile(const UnicodeString& path, Image* image) {
  std::ifstream in(std::filesystem::path(path.str()), std::ios::binary);
  if (!in) return testing::AssertionFailure() << "cannot open " << rtl::WideToUtf8(path.str());
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  testing::AssertionResult decoded = DecodeBmp(bytes, image);
  if (!decoded) return testing::AssertionFailure() << rtl::WideToUtf8(path.str()) << ": " << decoded.message();
  return decoded;
}

Image GrabScreen(const RECT& rect) {
  Image image;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return image;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like Image
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  if (!screen) return image;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = section ? CreateCompatibleDC(screen) : nullptr;
  if (memory) {
    HGDIOBJ old = SelectObject(memory, section);
    if (BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY)) {
      GdiFlush();
      image.width = width;
      image.height = height;
      image.pixels.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width * height);
      for (uint32_t& pixel : image.pixels) pixel &= 0xFFFFFF;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  if (section) DeleteObject(section);
  ReleaseDC(nullptr, screen);
  return image;
}

ImageDiff Compare(const Image& actual, const Image& expected) {
  ImageDiff diff;
  if (actual.width != expected.width || actual.height != expected.height) {
    diff.sizesDiffer = true;
    return diff;
  }
  for (size_t i = 0; i < actual.pixels.size(); ++i) {
    if (actual.pixels[i] == expected.pixels[i] || expected.pixels[i] == kAnyPixel) continue;
    if (diff.count++ == 0) {
      diff.x = static_cast<int>(i % static_cast<size_t>(actual.width));
      diff.y = static_cast<int>(i / static_cast<size_t>(actual.width));
      diff.actual = actual.pixels[i];
      diff.expected = expected.pixels[i];
    }
  }
  return diff;
}

testing::AssertionResult SameImage(const Image& actual, const Image& expected) {
  const ImageDiff diff = Compare(actual, expected);
  if (diff.sizesDiffer)
    return testing::AssertionFailure() << "image is " << actual.width << " x " << actual.height << ", expected "
                                       << expected.width << " x " << expected.height;
  if (diff.count == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure() << diff.count << " of " << actual.pixels.size()
                                     << " pixels differ; the first at (" << diff.x << "," << diff.y << ") is "
                                     << Hex(diff.actual) << ", expected " << Hex(diff.expected);
}

}  // namespace e2e
