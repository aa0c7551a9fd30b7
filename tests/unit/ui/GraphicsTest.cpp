// Bitmaps, canvases and the capture and picture functions, in memory and
// on the real screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>

#include "kyt/vuzizev/Capture.h"
#include "support/JpegCheck.h"
#include "support/TempDir.h"
#include "ui/graphics/Graphics.h"

using ui::TBitmap;
using ui::TRect;

namespace {

std::uint32_t PixelAt(const TBitmap& b, int x, int y) {
  std::uint32_t v;
  std::memcpy(&v, b.Bits() + y * b.Stride() + x * 4, 4);
  return v & 0xFFFFFF;
}

// A bitmap whose pixel (x, y) is 0x00RRGGBB = (x, y, x ^ y).
void FillPattern(TBitmap& b, int w, int h) {
  b.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint32_t v = ((x & 0xFF) << 16) | ((y & 0xFF) << 8) | ((x ^ y) & 0xFF);
      std::memcpy(b.Bits() + y * b.Stride() + x * 4, &v, 4);
    }
}

std::uint32_t Pattern(int x, int y) { return ((x & 0xFF) << 16) | ((y & 0xFF) << 8) | ((x ^ y) & 0xFF); }

TEST(Bitmap, BmpFileIsBottomUp32BitWithExactHeader) {
  TBitmap b;
  FillPattern(b, 3, 2);
  std::vector<std::uint8_t> file = b.ToBmpFile();
  ASSERT_EQ(file.size(), 14u + 40u + 3 * 2 * 4);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  BITMAPFILEHEADER fh;
  BITMAPINFOHEADER ih;
  std::memcpy(&fh, file.data(), sizeof fh);
  std::memcpy(&ih, file.data() + sizeof fh, sizeof ih);
  EXPECT_EQ(fh.bfSize, file.size());
  EXPECT_EQ(fh.bfOffBits, 54u);
  EXPECT_EQ(ih.biWidth, 3);
  EXPECT_EQ(ih.biHeight, 2) << "positive height: rows stored bottom-up";
  EXPECT_EQ(ih.biBitCount, 32);
  EXPECT_EQ(ih.biCompression, static_cast<DWORD>(BI_RGB));
  // First stored row is the bottom one (y = 1).
  for (int x = 0; x < 3; ++x) {
    std::uint32_t v;
    std::memcpy(&v, file.data() + 54 + x * 4, 4);
    EXPECT_EQ(v & 0xFFFFFF, Pattern(x, 1));
  }
}

TEST(Bitmap, EmptyBitmapWritesAnEmptyBmp) {
  TBitmap b;
  b.SetSize(0, 5);
  EXPECT_EQ(b.ToBmpFile().size(), 54u);
}

TEST(Capture, ScreenSnapshotCopiesTheRectOneToOne) {
  TBitmap source;
  FillPattern(source, 200, 120);
  struct Case {
    TRect rect;
    int width, height;
  } cases[] = {
      {TRect(10, 20, 110, 70), 100, 50},
      {TRect(0, 0, 1, 1), 1, 1},
      {TRect(5, 5, 5, 40), 0, 35},   // empty width
      {TRect(5, 9, 30, 9), 25, 0},   // empty height
  };
  for (const Case& c : cases) {
    TBitmap out;
    kyt::ScreenSnapshot(&out, &source.Canvas(), c.rect);
    ASSERT_EQ(out.Width(), c.width);
    ASSERT_EQ(out.Height(), c.height);
    if (c.width > 0 && c.height > 0) {
      EXPECT_EQ(PixelAt(out, 0, 0), Pattern(c.rect.Left, c.rect.Top));
      EXPECT_EQ(PixelAt(out, c.width - 1, c.height - 1), Pattern(c.rect.Right - 1, c.rect.Bottom - 1));
    }
  }
}

TEST(Capture, FullScreenHasTheScreensPixelSize) {
  TBitmap b;
  kyt::FullScreenSnapshot(&b);
  EXPECT_EQ(b.Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(b.Height(), GetSystemMetrics(SM_CYSCREEN));
}

TEST(Capture, NullOrDeadWindowGivesAnEmptyBitmap) {
  TBitmap b;
  b.SetSize(10, 10);
  kyt::WindowSnapshot(&b, nullptr);
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 0);
  kyt::WindowSnapshot(&b, reinterpret_cast<HWND>(static_cast<intptr_t>(0x7FFF0)));
  EXPECT_EQ(b.Width(), 0);
}

// Two solid windows, the second over a corner of the first.
struct Stacked {
  HWND lower = nullptr, upper = nullptr;
  Stacked() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(200, 0, 0));
    wc.lpszClassName = L"ZentaroTestRed";
    RegisterClassW(&wc);
    wc.hbrBackground = CreateSolidBrush(RGB(0, 0, 200));
    wc.lpszClassName = L"ZentaroTestBlue";
    RegisterClassW(&wc);
    lower = CreateWindowExW(0, L"ZentaroTestRed", L"", WS_POPUP | WS_VISIBLE, 50, 50, 200, 200, nullptr, nullptr,
                            nullptr, nullptr);
    upper = CreateWindowExW(WS_EX_TOPMOST, L"ZentaroTestBlue", L"", WS_POPUP | WS_VISIBLE, 150, 150, 200, 200,
                            nullptr, nullptr, nullptr, nullptr);
    for (int i = 0; i < 20; ++i) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(10);
    }
  }
  ~Stacked() {
    DestroyWindow(upper);
    DestroyWindow(lower);
  }
};

TEST(Capture, WindowSnapshotShowsWhatCoversTheWindow) {
  Stacked windows;
  TBitmap b;
  kyt::WindowSnapshot(&b, windows.lower);
  ASSERT_EQ(b.Width(), 200);
  ASSERT_EQ(b.Height(), 200);
  EXPECT_EQ(PixelAt(b, 10, 10), 0xC80000u) << "the window's own colour";
  EXPECT_EQ(PixelAt(b, 150, 150), 0x0000C8u) << "the covering window's colour";
}

TEST(Capture, GetPosColorOutsideTheScreenIsInvalid) {
  EXPECT_EQ(kyt::GetPosColor(-5, -5), CLR_INVALID);
  EXPECT_NE(kyt::GetPosColor(0, 0), CLR_INVALID);
}

TEST(Capture, ScreenToFileFormatIsChosenByValueNotName) {
  test::TempDir dir;
  struct Case {
    const wchar_t* name;
    kyt::TImageFormat format;
    const char* magic;
  } cases[] = {{L"a.jpg", kyt::ifJpeg, "\xFF\xD8"},
               {L"b.bmp", kyt::ifJpeg, "\xFF\xD8"},
               {L"c.jpg", kyt::ifBmp, "BM"},
               {L"d.jpg", static_cast<kyt::TImageFormat>(0), "BM"},
               {L"e.jpg", static_cast<kyt::TImageFormat>(7), "BM"}};
  for (const Case& c : cases) {
    kyt::ScreenToFile(dir / c.name, c.format);
    EXPECT_EQ(test::ReadBytes(dir / c.name).substr(0, 2), c.magic) << c.format;
  }
}

TEST(Capture, BmpToJpegLeavesTheBitmapAloneAndWritesQuality90) {
  test::TempDir dir;
  TBitmap b;
  FillPattern(b, 64, 48);
  std::vector<std::uint8_t> before(b.Bits(), b.Bits() + b.Stride() * b.Height());
  kyt::BmpToJpeg(&b, dir / L"p.jpg");
  EXPECT_TRUE(std::equal(before.begin(), before.end(), b.Bits()));
  test::JpegInfo info = test::InspectJpeg(test::ReadBytes(dir / L"p.jpg"));
  EXPECT_TRUE(info.baseline);
  EXPECT_TRUE(info.jfif);
  EXPECT_EQ(info.components, 3);
  ASSERT_GE(info.quantTables.size(), 2u);
  EXPECT_EQ(info.quantTables[0], test::ExpectedQuantTable(90, false));
  EXPECT_EQ(info.quantTables[1], test::ExpectedQuantTable(90, true));
}

TEST(Capture, EmptyPictureCannotBeAJpeg) {
  test::TempDir dir;
  TBitmap b;
  EXPECT_THROW(kyt::BmpToJpeg(&b, dir / L"empty.jpg"), Exception);
}

// Capture and save repeatedly: every device context, GDI object and file
// handle the layer takes must be given back, and every release must succeed.
TEST(Capture, HundredCaptureAndSaveCyclesLeakNothing) {
  test::TempDir dir;
  const ui::win::HandleCounts baseline = ui::win::LiveHandleCounts();
  for (int i = 0; i < 100; ++i) {
    auto b = std::make_unique<TBitmap>();
    if (i % 2) kyt::FullScreenSnapshot(b.get());
    else kyt::WindowSnapshot(b.get(), GetDesktopWindow());
    kyt::BmpToJpeg(b.get(), dir / L"cycle.jpg");
    b->SaveToFile(dir / L"cycle.bmp");
    EXPECT_EQ(test::ReadBytes(dir / L"cycle.bmp").substr(0, 2), "BM");
  }
  const ui::win::HandleCounts after = ui::win::LiveHandleCounts();
  EXPECT_EQ(after.deviceContexts, baseline.deviceContexts);
  EXPECT_EQ(after.gdiObjects, baseline.gdiObjects);
  EXPECT_EQ(after.kernelHandles, baseline.kernelHandles);
  EXPECT_EQ(after.failedReleases, 0);
}

}  // namespace
