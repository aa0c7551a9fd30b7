#include "ui/graphics/JpegImage.h"

#include "ui/win/FileReplace.h"

namespace ui {

void TJPEGImage::Assign(const TBitmap& bitmap) {
  width_ = bitmap.Width();
  height_ = bitmap.Height();
  GdiFlush();  // drawing into the bitmap may still be queued
  const std::uint8_t* bits = bitmap.Bits();
  pixels_.assign(bits, bits ? bits + static_cast<std::size_t>(bitmap.Stride()) * height_ : bits);
}

void TJPEGImage::SaveToFile(const UnicodeString& fileName) const {
  if (pixels_.empty()) throw EJpegError(L"Cannot write an empty picture as JPEG");
  JpegSettings settings;
  settings.quality = CompressionQuality;
  settings.progressive = ProgressiveEncoding;
  settings.grayscale = Grayscale;
  std::vector<std::uint8_t> file = EncodeJpeg(pixels_.data(), width_, height_, width_ * 4, settings);
  win::WriteFileReplacing(fileName, file.data(), file.size());
}

}  // namespace ui
