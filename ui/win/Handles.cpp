#include "ui/win/Handles.h"

#include <atomic>

namespace ui::win {
namespace {
std::atomic<long> g_dcs{0}, g_gdi{0}, g_kernel{0}, g_failed{0};
}

HandleCounts LiveHandleCounts() {
  return HandleCounts{g_dcs.load(), g_gdi.load(), g_kernel.load(), g_failed.load()};
}

namespace detail {
void CountDc(int delta) { g_dcs += delta; }
void CountGdiObject(int delta) { g_gdi += delta; }
void CountKernelHandle(int delta) { g_kernel += delta; }
void CountFailedRelease() { ++g_failed; }
}  // namespace detail

WindowDc::WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {
  if (dc_) detail::CountDc(+1);
}

void WindowDc::reset() {
  if (!dc_) return;
  if (ReleaseDC(window_, dc_) != 1) detail::CountFailedRelease();
  detail::CountDc(-1);
  dc_ = nullptr;
}

}  // namespace ui::win
