#pragma once
// JPEG writer for captured pictures, over libjpeg-turbo. Portable: no window
// code, so it also builds natively for sanitizers and fuzzing.
#include <cstdint>
#include <vector>

#include "rtl/Exceptions.h"

namespace ui {

struct JpegSettings {
  int quality = 90;          // 1..100, IJG scale
  bool progressive = false;  // baseline otherwise
  bool grayscale = false;    // one luminance component
};

// Bad arguments, or an error reported by libjpeg (its message is included).
class EJpegError : public Exception {
 public:
  using Exception::Exception;
};

// Encodes 32-bit BGRX pixels (the 4th byte ignored), rows top-down, `stride`
// bytes apart (stride >= width * 4). Width and height must be >= 1.
// Returns a complete JFIF file.
std::vector<std::uint8_t> EncodeJpeg(const std::uint8_t* bgrx, int width, int height, int stride,
                                     const JpegSettings& settings = JpegSettings());

}  // namespace ui
