#pragma once
// TJPEGImage: a picture held as pixels and written as a JPEG file. Its
// defaults are those of a baseline, full-colour file at quality 90.
#include <vector>

#include "ui/graphics/Graphics.h"
#include "ui/graphics/JpegEncoder.h"

namespace ui {

class TJPEGImage {
 public:
  int CompressionQuality = 90;
  bool ProgressiveEncoding = false;
  bool Grayscale = false;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Takes its own copy of the bitmap's pixels; the bitmap is not changed.
  void Assign(const TBitmap& bitmap);
  // Encodes and creates or replaces fileName; an old file survives a failed
  // write. Raises EJpegError for an empty picture.
  void SaveToFile(const UnicodeString& fileName) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint8_t> pixels_;  // BGRX, top-down
};

}  // namespace ui
