#pragma once
// One RAII type per kind of system handle the windowing layer holds. Each
// gives its handle back with its own release call, checks that call's result
// and keeps a live count per kind, so tests can prove that long runs return
// to their baseline (the system's own counters are stubs under Wine).
#include <windows.h>

#include <utility>

namespace ui::win {

struct HandleCounts {
  long deviceContexts = 0;  // GetDC and CreateCompatibleDC
  long gdiObjects = 0;      // bitmaps, fonts, brushes, pens, regions
  long kernelHandles = 0;   // files and other CloseHandle handles
  long failedReleases = 0;  // release calls that reported failure
  friend bool operator==(const HandleCounts& a, const HandleCounts& b) {
    return a.deviceContexts == b.deviceContexts && a.gdiObjects == b.gdiObjects &&
           a.kernelHandles == b.kernelHandles && a.failedReleases == b.failedReleases;
  }
};
HandleCounts LiveHandleCounts();

namespace detail {
void CountDc(int delta);
void CountGdiObject(int delta);
void CountKernelHandle(int delta);
void CountFailedRelease();
}  // namespace detail

// Move-only owner; Traits supply the null value and the release call.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) { if (h_ != Traits::Null()) Traits::Count(+1); }
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Traits::Null())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      h_ = std::exchange(other.h_, Traits::Null());
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Null(); }
  void reset() {
    if (h_ == Traits::Null()) return;
    if (!Traits::Release(h_)) detail::CountFailedRelease();
    Traits::Count(-1);
    h_ = Traits::Null();
  }

 private:
  Handle h_ = Traits::Null();
};

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Null() { return nullptr; }
  static bool Release(Handle h) { return DeleteObject(h) != FALSE; }
  static void Count(int d) { detail::CountGdiObject(d); }
};
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Null() { return nullptr; }
  static bool Release(Handle h) { return DeleteDC(h) != FALSE; }
  static void Count(int d) { detail::CountDc(d); }
};
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Null() { return INVALID_HANDLE_VALUE; }
  static bool Release(Handle h) { return CloseHandle(h) != FALSE; }
  static void Count(int d) { detail::CountKernelHandle(d); }
};

using GdiObject = UniqueHandle<GdiObjectTraits>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;
// A file or other kernel object; INVALID_HANDLE_VALUE is its empty state.
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// A device context from GetDC, given back to its window with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window);  // nullptr: the whole screen
  ~WindowDc() { reset(); }
  WindowDc(WindowDc&& other) noexcept
      : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  WindowDc& operator=(WindowDc&&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void reset();

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC for one scope and puts the old one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelect() { if (old_) SelectObject(dc_, old_); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace ui::win
