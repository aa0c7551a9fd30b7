#pragma once
// Reads back JPEG files for tests: the header facts from the markers, parsed
// here, and the pixels through libjpeg.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace test {

struct JpegInfo {
  int width = 0, height = 0, components = 0;
  bool baseline = false;     // SOF0
  bool progressive = false;  // SOF2
  bool jfif = false;         // APP0 "JFIF\0" right after SOI
  bool endsWithEoi = false;  // the last two bytes are FF D9
  // Indexed by table id; natural (row-major) order, not the file's zigzag.
  std::vector<std::array<std::uint16_t, 64>> quantTables;
  int hSamp0 = 0, vSamp0 = 0;  // sampling factors of the first component
  std::vector<std::uint8_t> rgb;  // decoded, top-down RGB, width * height * 3
};

// Throws std::runtime_error for a malformed file; libjpeg warnings (such as
// truncated data) count as errors too.
JpegInfo InspectJpeg(const std::string& fileBytes);
inline JpegInfo InspectJpeg(const std::vector<std::uint8_t>& fileBytes) {
  return InspectJpeg(std::string(fileBytes.begin(), fileBytes.end()));
}

// The IJG example table (luminance or chrominance) as jpeg_set_quality scales
// it, clamped to 255 for baseline; natural order.
std::array<std::uint16_t, 64> ExpectedQuantTable(int quality, bool chroma);

// Peak signal-to-noise ratio in dB of two equally long 8-bit buffers;
// infinity when they are equal.
double Psnr(const std::vector<std::uint8_t>& rgbA, const std::vector<std::uint8_t>& rgbB);

}  // namespace test
