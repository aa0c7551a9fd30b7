// Capture and picture-file figures on the current display: full-screen
// capture, JPEG encoding, BMP writing and kyt::ScreenToFile as JPEG, each
// the median of several runs. A full-screen window shows a busy picture
// meanwhile, so the encoder has real work. With --show-picture N it only
// shows that picture for N seconds (for measuring another tool against it).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kyt/vuzizev/Capture.h"
#include "ui/graphics/JpegEncoder.h"

namespace {

double MedianMs(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Gradients with noisy strokes: about what a desktop full of windows and
// photos costs the encoder.
void PaintBusy(HDC dc, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * height);
  unsigned state = 2010;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      state = state * 1103515245u + 12345u;
      const unsigned noise = ((y / 24) % 3 == 0) ? (state >> 24) : 0;
      const unsigned r = (x * 255 / width + noise) & 0xFF, g = (y * 255 / height) & 0xFF, b = ((x ^ y) + noise) & 0xFF;
      pixels[static_cast<size_t>(y) * width + x] = (r << 16) | (g << 8) | b;
    }
  StretchDIBits(dc, 0, 0, width, height, 0, 0, width, height, pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    PaintBusy(dc, r.right, r.bottom);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND ShowPicture() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PictureProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ZentaroBenchPicture";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                              wc.hInstance, nullptr);
  UpdateWindow(hwnd);
  return hwnd;
}

void Pump(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  while (GetTickCount() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HWND picture = ShowPicture();
  if (argc == 3 && std::wstring(argv[1]) == L"--show-picture") {
    Pump(static_cast<DWORD>(_wtoi(argv[2])) * 1000);
    DestroyWindow(picture);
    return 0;
  }
  Pump(500);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring jpg = std::wstring(temp) + L"zentaro-bench.jpg", bmp = std::wstring(temp) + L"zentaro-bench.bmp";
  const int runs = 7;

  auto bitmap = std::make_unique<ui::TBitmap>();
  const double capture = MedianMs(runs, [&] { kyt::FullScreenSnapshot(bitmap.get()); });
  std::vector<std::uint8_t> encoded;
  const double encode = MedianMs(runs, [&] {
    encoded = ui::EncodeJpeg(bitmap->Bits(), bitmap->Width(), bitmap->Height(), bitmap->Stride());
  });
  const double bmpWrite = MedianMs(runs, [&] { bitmap->SaveToFile(bmp.c_str()); });
  const double screenToFile = MedianMs(runs, [&] { kyt::ScreenToFile(jpg.c_str(), kyt::ifJpeg); });
  std::printf("screen %dx%d (median of %d runs)\n", width, height, runs);
  std::printf("  full-screen capture          %8.1f ms\n", capture);
  std::printf("  JPEG encode (q90)            %8.1f ms  (%zu KB)\n", encode, encoded.size() / 1024);
  std::printf("  BMP write                    %8.1f ms\n", bmpWrite);
  std::printf("  kyt::ScreenToFile (JPEG)     %8.1f ms\n", screenToFile);
  std::printf("screen-to-jpeg-ms %.1f\n", screenToFile);
  DeleteFileW(jpg.c_str());
  DeleteFileW(bmp.c_str());
  DestroyWindow(picture);
  return 0;
}
