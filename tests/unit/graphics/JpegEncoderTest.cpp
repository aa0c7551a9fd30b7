#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/JpegCheck.h"
#include "support/Printers.h"
#include "ui/graphics/JpegEncoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Picture {
  int width = 0, height = 0, stride = 0;
  Bytes bgrx;

  std::uint8_t* Pixel(int x, int y) {
    return bgrx.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) + x * 4;
  }
  const std::uint8_t* Pixel(int x, int y) const { return const_cast<Picture*>(this)->Pixel(x, y); }

  // Packed top-down RGB, as InspectJpeg decodes.
  Bytes Rgb() const {
    Bytes rgb;
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = Pixel(x, y);
        rgb.insert(rgb.end(), {p[2], p[1], p[0]});
      }
    }
    return rgb;
  }

  Bytes Encode(const ui::JpegSettings& settings = ui::JpegSettings()) const {
    return ui::EncodeJpeg(bgrx.data(), width, height, stride, settings);
  }
};

// Row padding and the 4th byte are filled with junk, so reading either shows.
Picture Blank(int width, int height, int padding = 0) {
  Picture p;
  p.width = width;
  p.height = height;
  p.stride = width * 4 + padding;
  p.bgrx.assign(static_cast<std::size_t>(p.stride) * height, 0xA5);
  return p;
}

void Set(Picture& p, int x, int y, int r, int g, int b) {
  std::uint8_t* px = p.Pixel(x, y);
  px[0] = static_cast<std::uint8_t>(b);
  px[1] = static_cast<std::uint8_t>(g);
  px[2] = static_cast<std::uint8_t>(r);
}

// Smooth colour gradients; from 64 x 64 up also hard edges: a black and white
// checkerboard and a saturated red and blue block, the worst cases for a
// channel mix-up or a chroma fault.
Picture Synthetic(int width, int height, int padding = 0) {
  Picture p = Blank(width, height, padding);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Set(p, x, y, x * 255 / width, y * 255 / height, (x + y) * 255 / (width + height));
      if (width < 64 || height < 64) continue;
      if (x >= width / 8 && x < width / 8 + 48 && y >= height / 8 && y < height / 8 + 48) {
        const int v = ((x / 8 + y / 8) & 1) ? 255 : 0;
        Set(p, x, y, v, v, v);
      } else if (x >= width / 2 && x < width / 2 + 64 && y >= height / 2 && y < height / 2 + 48) {
        if (y < height / 2 + 24) Set(p, x, y, 255, 0, 0);
        else Set(p, x, y, 0, 0, 255);
      }
    }
  }
  return p;
}

// What a grayscale JPEG decodes to: the source's luma in all three channels.
Bytes LumaRgb(const Picture& p) {
  Bytes rgb = p.Rgb();
  for (std::size_t i = 0; i < rgb.size(); i += 3) {
    const auto y = static_cast<std::uint8_t>(std::lround(0.299 * rgb[i] + 0.587 * rgb[i + 1] + 0.114 * rgb[i + 2]));
    rgb[i] = rgb[i + 1] = rgb[i + 2] = y;
  }
  return rgb;
}

}  // namespace

TEST(JpegEncoder, DefaultsGiveBaselineJfifAtQuality90) {
  const Picture picture = Synthetic(320, 240);
  const Bytes file = picture.Encode();
  const test::JpegInfo info = test::InspectJpeg(file);

  EXPECT_TRUE(info.jfif);
  EXPECT_TRUE(info.endsWithEoi);
  EXPECT_TRUE(info.baseline);
  EXPECT_FALSE(info.progressive);
  EXPECT_EQ(info.width, 320);
  EXPECT_EQ(info.height, 240);
  EXPECT_EQ(info.components, 3);
  ASSERT_EQ(info.quantTables.size(), 2u);
  EXPECT_EQ(info.quantTables[0], test::ExpectedQuantTable(90, false));
  EXPECT_EQ(info.quantTables[1], test::ExpectedQuantTable(90, true));

  const double psnr = test::Psnr(info.rgb, picture.Rgb());
  std::printf("quality 90, 320 x 240 synthetic picture: PSNR %.2f dB, %zu bytes\n", psnr, file.size());
  EXPECT_GT(psnr, 35.0);

  // The checker itself notices a file cut short.
  EXPECT_THROW(test::InspectJpeg(Bytes(file.begin(), file.end() - 100)), std::runtime_error);
}

TEST(JpegEncoder, SolidColoursKeepTheirChannels) {
  struct Colour { int r, g, b; };
  const Colour colours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {128, 128, 128}, {0, 0, 0}, {255, 255, 255}};
  for (const Colour& c : colours) {
    SCOPED_TRACE(std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b));
    Picture p = Blank(16, 16);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) Set(p, x, y, c.r, c.g, c.b);
    const test::JpegInfo info = test::InspectJpeg(p.Encode());
    ASSERT_EQ(info.rgb.size(), 16u * 16 * 3);
    for (std::size_t i = 0; i < info.rgb.size(); i += 3) {
      ASSERT_NEAR(info.rgb[i], c.r, 3) << "pixel " << i / 3;
      ASSERT_NEAR(info.rgb[i + 1], c.g, 3) << "pixel " << i / 3;
      ASSERT_NEAR(info.rgb[i + 2], c.b, 3) << "pixel " << i / 3;
    }
  }
}

TEST(JpegEncoder, OddSizesRoundTrip) {
  struct Size { int width, height; };
  // Smaller than one block, not a multiple of the 16 x 16 MCU, one row, one column.
  const Size sizes[] = {{1, 1}, {3, 5}, {17, 9}, {2000, 1}, {1, 2000}, {65, 33}};
  for (const Size& s : sizes) {
    SCOPED_TRACE(std::to_string(s.width) + " x " + std::to_string(s.height));
    // Gentle slopes: at these sizes a full-range gradient is all edges.
    Picture picture = Blank(s.width, s.height);
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) Set(picture, x, y, 40 + x % 150, 200 - y % 150, 120 + (x + y) % 100);
    const test::JpegInfo info = test::InspectJpeg(picture.Encode());
    EXPECT_EQ(info.width, s.width);
    EXPECT_EQ(info.height, s.height);
    EXPECT_TRUE(info.endsWithEoi);
    EXPECT_GT(test::Psnr(info.rgb, picture.Rgb()), 36.0);
  }
}

TEST(JpegEncoder, ReadsRowsStrideApart) {
  const Bytes packed = Synthetic(37, 29).Encode();
  for (int padding : {3, 4, 37 * 4}) {
    SCOPED_TRACE("padding " + std::to_string(padding));
    EXPECT_EQ(Synthetic(37, 29, padding).Encode(), packed);
  }
}

TEST(JpegEncoder, IgnoresTheFourthByte) {
  for (bool grayscale : {false, true}) {
    SCOPED_TRACE(grayscale ? "grayscale" : "colour");
    ui::JpegSettings settings;
    settings.grayscale = grayscale;
    Picture picture = Synthetic(40, 24);
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x) picture.Pixel(x, y)[3] = 0;
    const Bytes zeros = picture.Encode(settings);
    unsigned seed = 12345;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        seed = seed * 1103515245u + 12345u;
        picture.Pixel(x, y)[3] = static_cast<std::uint8_t>(seed >> 16);
      }
    }
    EXPECT_EQ(picture.Encode(settings), zeros);
  }
}

TEST(JpegEncoder, RejectsBadArguments) {
  const Picture picture = Synthetic(8, 8);
  struct Case {
    const char* what;
    const std::uint8_t* pixels;
    int width, height, stride, quality;
  };
  const std::uint8_t* px = picture.bgrx.data();
  const Case cases[] = {
      {"zero width", px, 0, 8, 32, 90},       {"zero height", px, 8, 0, 32, 90},
      {"negative width", px, -8, 8, 32, 90},  {"negative height", px, 8, -8, 32, 90},
      {"stride below a row", px, 8, 8, 31, 90}, {"negative stride", px, 8, 8, -32, 90},
      {"no pixels", nullptr, 8, 8, 32, 90},   {"quality 0", px, 8, 8, 32, 0},
      {"quality 101", px, 8, 8, 32, 101},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui::JpegSettings settings;
    settings.quality = c.quality;
    EXPECT_THROW(ui::EncodeJpeg(c.pixels, c.width, c.height, c.stride, settings), ui::EJpegError);
  }
}

// Raised inside libjpeg: its error comes back as an exception, and the next
// encoding starts clean.
TEST(JpegEncoder, ReportsLibjpegErrors) {
  const Picture tooWide = Blank(65501, 1);
  for (int i = 0; i < 3; ++i) {
    try {
      tooWide.Encode();
      ADD_FAILURE() << "no exception for a 65501 pixel wide picture";
    } catch (const ui::EJpegError& e) {
      EXPECT_NE(std::string(e.what()).find("65500"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(test::InspectJpeg(Synthetic(8, 8).Encode()).endsWithEoi);
  }
}

TEST(JpegEncoder, SettingsShapeTheFile) {
  struct Case {
    int quality;
    bool progressive, grayscale;
    double minPsnr;
  };
  // PSNR floors sit 2-3 dB under what was seen; colour stays below 40 dB even
  // at quality 100 because of the default 2 x 2 chroma subsampling.
  const Case cases[] = {
      {90, true, false, 35.0}, {90, false, true, 50.0}, {90, true, true, 50.0},
      {100, false, false, 35.0}, {50, false, false, 33.0},
      // Scaled IJG values above 255 are clamped for baseline.
      {10, false, false, 28.0}, {1, true, false, 20.0},
  };
  const Picture picture = Synthetic(320, 240);
  for (const Case& c : cases) {
    SCOPED_TRACE("quality " + std::to_string(c.quality) + (c.progressive ? " progressive" : "") +
                 (c.grayscale ? " grayscale" : ""));
    ui::JpegSettings settings;
    settings.quality = c.quality;
    settings.progressive = c.progressive;
    settings.grayscale = c.grayscale;
    const test::JpegInfo info = test::InspectJpeg(picture.Encode(settings));

    EXPECT_TRUE(info.jfif);
    EXPECT_EQ(info.progressive, c.progressive);
    EXPECT_EQ(info.baseline, !c.progressive);
    EXPECT_EQ(info.components, c.grayscale ? 1 : 3);
    ASSERT_EQ(info.quantTables.size(), c.grayscale ? 1u : 2u);
    EXPECT_EQ(info.quantTables[0], test::ExpectedQuantTable(c.quality, false));
    if (!c.grayscale) {
      EXPECT_EQ(info.quantTables[1], test::ExpectedQuantTable(c.quality, true));
    }
    EXPECT_GT(test::Psnr(info.rgb, c.grayscale ? LumaRgb(picture) : picture.Rgb()), c.minPsnr);
  }
}
