#pragma once
// Pictures as plain pixels: read from BMP files, grabbed from the screen, and
// compared pixel by pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "rtl/UnicodeString.h"

namespace e2e {

// An expected pixel that matches anything (no grabbed pixel has these bits).
constexpr uint32_t kAnyPixel = 0xFF000000;

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Decodes an uncompressed (BI_RGB) 24- or 32-bpp BMP, bottom-up or top-down.
// Anything else fails with the reason.
testing::AssertionResult DecodeBmp(const std::string& bytes, Image* image);
testing::AssertionResult ReadBmpFile(const UnicodeString& path, Image* image);

// The screen's pixels in rect (screen coordinates): BitBlt from the screen
// DC into a 32-bpp DIB section. Empty (0 x 0) when the copy fails.
Image GrabScreen(const RECT& rect);

struct ImageDiff {
  bool sizesDiffer = false;
  long count = 0;        // differing pixels
  int x = -1, y = -1;    // the first one, in row order
  uint32_t actual = 0, expected = 0;
};
// Pixels expected as kAnyPixel are not compared.
ImageDiff Compare(const Image& actual, const Image& expected);
// Success when equal; else the sizes, or the count and first differing pixel.
testing::AssertionResult SameImage(const Image& actual, const Image& expected);

}  // namespace e2e
