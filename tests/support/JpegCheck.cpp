#include "support/JpegCheck.h"

#include <csetjmp>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>

#include <jerror.h>
#include <jpeglib.h>

namespace test {
namespace {

// Position in natural order of the k-th coefficient in zigzag order.
const int kZigzagToNatural[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

const std::uint16_t kLuminance[64] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

const std::uint16_t kChrominance[64] = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error("InspectJpeg: " + what); }

void ParseMarkers(const std::string& f, JpegInfo& info) {
  auto byte = [&](std::size_t i) -> unsigned {
    if (i >= f.size()) Fail("file ends inside a marker segment");
    return static_cast<unsigned char>(f[i]);
  };
  if (f.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8) Fail("no SOI marker at the start");
  info.endsWithEoi = byte(f.size() - 2) == 0xFF && byte(f.size() - 1) == 0xD9;
  std::size_t pos = 2;
  bool first = true, sof = false;
  for (;;) {
    if (byte(pos) != 0xFF) Fail("expected a marker at offset " + std::to_string(pos));
    while (byte(pos) == 0xFF) ++pos;  // fill bytes
    const unsigned marker = byte(pos++);
    if (marker == 0xD9) Fail("EOI before any scan");
    const std::size_t length = byte(pos) << 8 | byte(pos + 1);
    if (length < 2) Fail("segment length below 2");
    const std::size_t body = pos + 2, end = pos + length;
    if (end > f.size()) Fail("segment runs past the end of the file");
    if (marker == 0xE0 && first) {
      info.jfif = length >= 7 && f.compare(body, 5, std::string("JFIF\0", 5)) == 0;
    } else if (marker == 0xDB) {
      for (std::size_t p = body; p < end;) {
        const unsigned precision = byte(p) >> 4, id = byte(p) & 15;
        ++p;
        if (id > 3) Fail("quantization table id above 3");
        if (info.quantTables.size() <= id) info.quantTables.resize(id + 1);
        for (int k = 0; k < 64; ++k) {
          const unsigned v = precision ? (byte(p) << 8 | byte(p + 1)) : byte(p);
          p += precision ? 2 : 1;
          info.quantTables[id][kZigzagToNatural[k]] = static_cast<std::uint16_t>(v);
        }
        if (p > end) Fail("quantization table runs past its segment");
      }
    } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (sof) Fail("second frame header");
      sof = true;
      info.baseline = marker == 0xC0;
      info.progressive = marker == 0xC2;
      info.height = static_cast<int>(byte(body + 1) << 8 | byte(body + 2));
      info.width = static_cast<int>(byte(body + 3) << 8 | byte(body + 4));
      info.components = static_cast<int>(byte(body + 5));
      if (length != 8 + 3 * static_cast<std::size_t>(info.components)) Fail("frame header length");
      info.hSamp0 = static_cast<int>(byte(body + 7) >> 4);
      info.vSamp0 = static_cast<int>(byte(body + 7) & 15);
    } else if (marker == 0xDA) {
      if (!sof) Fail("scan before the frame header");
      return;  // the tables a decoder needs come before the first scan
    }
    first = false;
    pos = end;
  }
}

struct DecoderState {
  jpeg_error_mgr err;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
  auto* s = reinterpret_cast<DecoderState*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, s->message);
  std::longjmp(s->jump, 1);
}

// A warning (corrupt or truncated data) means the file is bad: fail on it.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0) ErrorExit(cinfo);
}

// No objects with destructors: errors longjmp back into this frame.
bool Decode(jpeg_decompress_struct& cinfo, DecoderState& s, const std::string& f,
            std::vector<std::uint8_t>& rgb) {
  if (setjmp(s.jump)) return false;
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(f.data()), static_cast<unsigned long>(f.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  const std::size_t rowBytes = static_cast<std::size_t>(cinfo.output_width) * 3;
  if (rgb.size() != rowBytes * cinfo.output_height) {
    std::strcpy(s.message, "decoded size differs from the frame header");
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = rgb.data() + cinfo.output_scanline * rowBytes;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

}  // namespace

JpegInfo InspectJpeg(const std::string& fileBytes) {
  JpegInfo info;
  ParseMarkers(fileBytes, info);
  info.rgb.assign(static_cast<std::size_t>(info.width) * static_cast<std::size_t>(info.height) * 3, 0);

  DecoderState state;
  std::memset(&state, 0, sizeof state);
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  cinfo.err = jpeg_std_error(&state.err);
  state.err.error_exit = ErrorExit;
  state.err.emit_message = EmitMessage;
  const bool ok = Decode(cinfo, state, fileBytes, info.rgb);
  jpeg_destroy_decompress(&cinfo);
  if (!ok) Fail(std::string("libjpeg: ") + state.message);
  return info;
}

std::array<std::uint16_t, 64> ExpectedQuantTable(int quality, bool chroma) {
  if (quality < 1) quality = 1;
  if (quality > 100) quality = 100;
  const long scale = quality < 50 ? 5000 / quality : 200 - quality * 2;
  const std::uint16_t* base = chroma ? kChrominance : kLuminance;
  std::array<std::uint16_t, 64> table{};
  for (int i = 0; i < 64; ++i) {
    long v = (base[i] * scale + 50) / 100;
    if (v < 1) v = 1;
    if (v > 255) v = 255;
    table[i] = static_cast<std::uint16_t>(v);
  }
  return table;
}

double Psnr(const std::vector<std::uint8_t>& rgbA, const std::vector<std::uint8_t>& rgbB) {
  if (rgbA.size() != rgbB.size() || rgbA.empty()) {
    throw std::invalid_argument("Psnr: buffers of " + std::to_string(rgbA.size()) + " and " +
                                std::to_string(rgbB.size()) + " bytes");
  }
  double sum = 0;
  for (std::size_t i = 0; i < rgbA.size(); ++i) {
    const double d = static_cast<double>(rgbA[i]) - static_cast<double>(rgbB[i]);
    sum += d * d;
  }
  if (sum == 0) return std::numeric_limits<double>::infinity();
  return 10 * std::log10(255.0 * 255.0 / (sum / static_cast<double>(rgbA.size())));
}

}  // namespace test
