#include "ui/graphics/Graphics.h"

#include <cstring>
#include <map>

#include "ui/win/FileReplace.h"

namespace ui {
namespace {

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(const UnicodeString& face, int charset) {
  static std::map<std::pair<std::wstring, int>, bool> cache;
  auto key = std::make_pair(face.str(), charset);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  LOGFONTW lf{};
  lf.lfCharSet = static_cast<BYTE>(charset);
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  bool found = false;
  win::WindowDc screen(nullptr);
  EnumFontFamiliesExW(screen.get(), &lf, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  cache[key] = found;
  return found;
}

// Faces tried, in order, when a form names one that is not installed.
UnicodeString InstalledFace(const UnicodeString& wanted, int charset) {
  if (FaceInstalled(wanted, charset)) return wanted;
  if (charset == GB2312_CHARSET || charset == DEFAULT_CHARSET) {
    static const wchar_t* const kCjkFaces[] = {L"SimSun", L"宋体", L"Microsoft YaHei", L"微软雅黑",
                                               L"WenQuanYi Micro Hei", L"文泉驿微米黑",
                                               L"Noto Sans CJK SC"};
    for (const wchar_t* face : kCjkFaces)
      if (FaceInstalled(face, charset)) return face;
  }
  return wanted;
}

}  // namespace

TFont::TFont() : name_(L"Tahoma"), height_(-11), charset_(DEFAULT_CHARSET), color_(clWindowText) {}

void TFont::Changed() {
  handle_.reset();
  if (OnChange) OnChange();
}
void TFont::SetName(const UnicodeString& name) { if (name != name_) { name_ = name; Changed(); } }
void TFont::SetHeight(int height) { if (height != height_) { height_ = height; Changed(); } }
void TFont::SetCharset(int charset) { if (charset != charset_) { charset_ = charset; Changed(); } }
void TFont::SetColor(TColor color) { if (color != color_) { color_ = color; Changed(); } }
void TFont::SetStyle(unsigned style) { if (style != style_) { style_ = style; Changed(); } }
void TFont::Assign(const TFont& other) {
  name_ = other.name_;
  height_ = other.height_;
  charset_ = other.charset_;
  color_ = other.color_;
  style_ = other.style_;
  Changed();
}

UnicodeString TFont::ResolvedName() const { return InstalledFace(name_, charset_); }

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(lf.lfFaceName, ResolvedName().c_str(), LF_FACESIZE - 1);
    handle_ = win::GdiObject(CreateFontIndirectW(&lf));
    if (!handle_) throw EOutOfResources(L"Cannot create font \"" + name_ + L"\"");
  }
  return static_cast<HFONT>(handle_.get());
}

// ---------------------------------------------------------------------------

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

TRect TCanvas::ClipRect() const {
  RECT r{};
  if (!dc_ || GetClipBox(dc_, &r) == ERROR) return TRect();
  return TRect(r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
  if (!dc_ || !source.dc_) return;
  if (dest.Width() <= 0 || dest.Height() <= 0 || sourceRect.Width() <= 0 || sourceRect.Height() <= 0) return;
  SetStretchBltMode(dc_, COLORONCOLOR);
  // Parts of the source outside its device copy as whatever the device has
  // there; a failed copy leaves the destination as it was.
  StretchBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), source.dc_, sourceRect.Left, sourceRect.Top,
             sourceRect.Width(), sourceRect.Height(), CopyMode);
}

void TCanvas::FillRect(const TRect& rect) {
  if (!dc_) return;
  win::GdiObject brush(CreateSolidBrush(ColorToRGB(BrushColor)));
  RECT r = rect.ToRECT();
  ::FillRect(dc_, &r, static_cast<HBRUSH>(brush.get()));
}

void TCanvas::FillRoundRect(const TRect& rect, int radius) {
  if (!dc_) return;
  win::GdiObject brush(CreateSolidBrush(ColorToRGB(BrushColor)));
  win::GdiObject pen(CreatePen(PS_SOLID, 1, ColorToRGB(PenColor)));
  win::ScopedSelect selectBrush(dc_, brush.get());
  win::ScopedSelect selectPen(dc_, pen.get());
  RoundRect(dc_, rect.Left, rect.Top, rect.Right, rect.Bottom, radius, radius);
}

void TCanvas::FrameRect(const TRect& rect) {
  if (!dc_) return;
  win::GdiObject brush(CreateSolidBrush(ColorToRGB(PenColor)));
  RECT r = rect.ToRECT();
  ::FrameRect(dc_, &r, static_cast<HBRUSH>(brush.get()));
}

void TCanvas::Line(int x1, int y1, int x2, int y2) {
  if (!dc_) return;
  win::GdiObject pen(CreatePen(PS_SOLID, 1, ColorToRGB(PenColor)));
  win::ScopedSelect selectPen(dc_, pen.get());
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
}

void TCanvas::DrawText(const UnicodeString& text, const TRect& rect, UINT format) {
  if (!dc_) return;
  win::ScopedSelect selectFont(dc_, font_.Handle());
  int oldMode = SetBkMode(dc_, TRANSPARENT);
  COLORREF oldColor = SetTextColor(dc_, ColorToRGB(font_.Color()));
  RECT r = rect.ToRECT();
  ::DrawTextW(dc_, text.c_str(), text.Length(), &r, format);
  SetTextColor(dc_, oldColor);
  SetBkMode(dc_, oldMode);
}

// ---------------------------------------------------------------------------

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  // Put the DC's own bitmap back before either is deleted.
  if (dc_ && originalBitmap_) SelectObject(dc_.get(), originalBitmap_);
}

void TBitmap::SetSize(int width, int height) {
  if (width < 0 || height < 0) throw EOutOfResources(L"Invalid bitmap size");
  if (width == width_ && height == height_ && (bitmap_ || width == 0 || height == 0)) return;
  if (dc_ && originalBitmap_) SelectObject(dc_.get(), originalBitmap_);
  bitmap_.reset();
  bits_ = nullptr;
  width_ = width;
  height_ = height;
  if (width > 0 && height > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) {
      width_ = height_ = 0;
      throw EOutOfResources(L"Out of system resources: cannot create a bitmap of " +
                            IntToStr(width) + L" x " + IntToStr(height));
    }
    bitmap_ = win::GdiObject(dib);
    bits_ = static_cast<std::uint8_t*>(bits);
  }
  SelectIntoCanvas();
}

void TBitmap::SelectIntoCanvas() {
  if (!dc_) return;
  HGDIOBJ previous = SelectObject(dc_.get(), bitmap_ ? bitmap_.get() : originalBitmap_);
  if (!originalBitmap_) originalBitmap_ = previous;
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) {
    dc_ = win::MemoryDc(CreateCompatibleDC(nullptr));
    if (!dc_) throw EOutOfResources(L"Out of system resources: cannot create a device context");
    originalBitmap_ = nullptr;
    if (bitmap_) originalBitmap_ = SelectObject(dc_.get(), bitmap_.get());
    canvas_ = std::make_unique<TCanvas>();
    canvas_->SetHandle(dc_.get());
  }
  return *canvas_;
}

std::vector<std::uint8_t> TBitmap::ToBmpFile() const {
  const std::uint32_t pixelBytes = static_cast<std::uint32_t>(width_) * height_ * 4;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + pixelBytes;
  info.biSize = sizeof(info);
  info.biWidth = width_;
  info.biHeight = height_;  // bottom-up, as most readers expect
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  info.biSizeImage = pixelBytes;
  info.biXPelsPerMeter = info.biYPelsPerMeter = 3780;  // 96 dpi
  std::vector<std::uint8_t> out(file.bfSize);
  std::memcpy(out.data(), &file, sizeof(file));
  std::memcpy(out.data() + sizeof(file), &info, sizeof(info));
  if (bits_) {
    GdiFlush();  // drawing calls may still be queued
    std::uint8_t* dest = out.data() + file.bfOffBits;
    for (int y = height_ - 1; y >= 0; --y, dest += Stride())
      std::memcpy(dest, bits_ + static_cast<std::size_t>(y) * Stride(), Stride());
  }
  return out;
}

void TBitmap::SaveToFile(const UnicodeString& fileName) const {
  std::vector<std::uint8_t> bytes = ToBmpFile();
  win::WriteFileReplacing(fileName, bytes.data(), bytes.size());
}

}  // namespace ui
