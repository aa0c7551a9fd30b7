// Zentaro itself, started as the user starts it and driven with real input:
// full-screen and window captures, the save dialog and the overwrite
// question, against a window with known pixels; files checked pixel by pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "e2e/support/E2e.h"
#include "rtl/CodePage.h"
#include "support/JpegCheck.h"
#include "support/Printers.h"
#include "support/TempDir.h"

namespace {

constexpr int kWait = 8000;
constexpr COLORREF kCaptionColour = 0x23364A;  // the skin's caption, as 0x00RRGGBB

std::string Utf8(const UnicodeString& text) { return rtl::WideToUtf8(text.str()); }
bool Exists(const UnicodeString& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Pixels of a decoded JPEG (RGB) in rect of the picture, as an e2e::Image.
e2e::Image Region(const test::JpegInfo& jpeg, const RECT& rect) {
  e2e::Image out;
  out.width = rect.right - rect.left;
  out.height = rect.bottom - rect.top;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) {
      const std::uint8_t* p = &jpeg.rgb[(static_cast<size_t>(y) * jpeg.width + x) * 3];
      out.pixels.push_back(static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2]);
    }
  return out;
}

double PsnrOf(const e2e::Image& a, const e2e::Image& b) {
  std::vector<std::uint8_t> x, y;
  for (size_t i = 0; i < a.pixels.size(); ++i)
    for (int shift : {16, 8, 0}) {
      x.push_back(static_cast<std::uint8_t>(a.pixels[i] >> shift));
      y.push_back(static_cast<std::uint8_t>(b.pixels[i] >> shift));
    }
  return test::Psnr(x, y);
}

// The part of a full-screen image at rect.
e2e::Image Crop(const e2e::Image& image, const RECT& rect) {
  e2e::Image out;
  out.width = rect.right - rect.left;
  out.height = rect.bottom - rect.top;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) out.pixels.push_back(image.At(x, y));
  return out;
}

// Sets a DPI for the programs started while it lives, and restores it.
class ScopedLogPixels {
 public:
  explicit ScopedLogPixels(DWORD dpi) {
    DWORD size = sizeof(old_);
    had_ = RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", RRF_RT_REG_DWORD, nullptr, &old_,
                        &size) == ERROR_SUCCESS;
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof(dpi));
  }
  ~ScopedLogPixels() {
    if (had_) RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &old_, sizeof(old_));
    else RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels");
  }

 private:
  DWORD old_ = 0;
  bool had_ = false;
};

class E2eZentaro : public testing::Test {
 protected:
  // A known picture left of the tool window, which sits in the screen's middle.
  static constexpr RECT kPicture{100, 100, 700, 500};
  static constexpr RECT kChild{60, 80, 260, 180};

  void SetUp() override {
    e2e::ReleaseAllInput();
    picture_ = std::make_unique<e2e::PictureWindow>(kPicture, kChild);
    ASSERT_TRUE(picture_->Created());
    Start();
  }

  void Start() {
    app_ = std::make_unique<e2e::ChildProcess>(e2e::BuildPath(L"app/Zentaro.exe"));
    ASSERT_TRUE(app_->Started()) << app_->Error();
    main_ = e2e::FindWindowOf(app_->Id(), L"ZentaroForm", L"Zentaro", kWait);
    ASSERT_TRUE(main_) << main_.error;
    for (const wchar_t* caption : {L"全屏", L"窗口", L"局部", L"保存", L"返回", L"关于"}) {
      e2e::Found b = e2e::FindChild(main_, L"ZentaroControl", caption, kWait);
      ASSERT_TRUE(b) << b.error;
      buttons_.push_back(b);
    }
    e2e::Settle(300);  // first paint
  }

  HWND Button(int position) const { return buttons_[position]; }
  bool MainVisible() const { return IsWindowVisible(main_) != FALSE; }

  // Answers the save dialog: file type (0 JPEG, 1 bitmap), then the name.
  void SaveAs(const UnicodeString& path, int type) {
    e2e::Found found = e2e::SaveDialog::Find(app_->Id(), kWait);
    ASSERT_TRUE(found) << found.error;
    e2e::SaveDialog dialog(found);
    ASSERT_TRUE(dialog.ChooseFileType(type));
    ASSERT_TRUE(dialog.SetFileName(path));
    ASSERT_TRUE(dialog.Save());
    ASSERT_TRUE(dialog.WaitClosed(kWait));
  }

  void CancelSave() {
    e2e::Found found = e2e::SaveDialog::Find(app_->Id(), kWait);
    ASSERT_TRUE(found) << found.error;
    e2e::SaveDialog dialog(found);
    ASSERT_TRUE(dialog.Cancel());
    ASSERT_TRUE(dialog.WaitClosed(kWait));
  }

  // Clicks 全屏 and checks the tool window gets out of the picture.
  void ClickFullScreen() {
    ASSERT_TRUE(e2e::Click(e2e::CenterOf(Button(0))));
    ASSERT_TRUE(e2e::WaitFor([&] { return !MainVisible(); }, kWait, "the tool window to hide"));
  }

  // A press on 窗口, a move to target and a release there.
  void DragWindowButtonTo(POINT target, e2e::Button button = e2e::Button::Left) {
    ASSERT_TRUE(e2e::Drag(e2e::CenterOf(Button(1)), target, 10, 15, button));
  }

  testing::AssertionResult WaitMainVisible() {
    return e2e::WaitFor([&] { return MainVisible(); }, kWait, "the tool window to show again");
  }

  e2e::Image ReadBmp(const UnicodeString& path) {
    e2e::Image image;
    EXPECT_TRUE(e2e::ReadBmpFile(path, &image));
    return image;
  }

  void WaitForFile(const UnicodeString& path) {
    ASSERT_TRUE(e2e::WaitFor([&] { return Exists(path); }, kWait, "the file " + Utf8(path)));
    e2e::Settle(200);
  }

  test::TempDir dir_;
  std::unique_ptr<e2e::PictureWindow> picture_;
  std::unique_ptr<e2e::ChildProcess> app_;
  e2e::Found main_;
  std::vector<HWND> buttons_;
};

TEST_F(E2eZentaro, StartsWithTheToolbarOfNormalMode) {
  EXPECT_TRUE(e2e::IsTopmost(main_));
  const RECT r = e2e::WindowRectOf(main_);
  EXPECT_EQ(r.right - r.left, 336 + 2) << "client 336 wide inside a 1-pixel border";
  EXPECT_EQ(r.bottom - r.top, 116 + 30 + 1) << "client 116 high under the 30-pixel caption";
  const bool enabled[] = {true, true, true, false, false, true};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(IsWindowEnabled(Button(i)) != FALSE, enabled[i]) << i;
}

TEST_F(E2eZentaro, FullScreenToBmpIsPixelExactAndLeavesTheToolOut) {
  const RECT tool = e2e::WindowRectOf(main_);
  ASSERT_NO_FATAL_FAILURE(ClickFullScreen());
  const UnicodeString path = dir_ / L"全屏.bmp";
  ASSERT_NO_FATAL_FAILURE(SaveAs(path, 1));
  EXPECT_TRUE(WaitMainVisible());
  ASSERT_NO_FATAL_FAILURE(WaitForFile(path));
  const e2e::Image shot = ReadBmp(path);
  ASSERT_EQ(shot.width, GetSystemMetrics(SM_CXSCREEN));
  ASSERT_EQ(shot.height, GetSystemMetrics(SM_CYSCREEN));
  const RECT client = picture_->ClientRect();
  EXPECT_TRUE(e2e::SameImage(Crop(shot, client), picture_->ExpectedImage(client)));
  EXPECT_NE(shot.At(tool.left + 60, tool.top + 10), static_cast<uint32_t>(kCaptionColour))
      << "the tool window was hidden while the screen was taken";
}

TEST_F(E2eZentaro, FullScreenToJpegIsBaselineQuality90) {
  ASSERT_NO_FATAL_FAILURE(ClickFullScreen());
  const UnicodeString path = dir_ / L"full.jpg";
  ASSERT_NO_FATAL_FAILURE(SaveAs(path, 0));
  ASSERT_NO_FATAL_FAILURE(WaitForFile(path));
  const test::JpegInfo jpeg = test::InspectJpeg(test::ReadBytes(path));
  EXPECT_TRUE(jpeg.baseline);
  EXPECT_TRUE(jpeg.jfif);
  EXPECT_EQ(jpeg.components, 3);
  ASSERT_EQ(jpeg.width, GetSystemMetrics(SM_CXSCREEN));
  ASSERT_EQ(jpeg.height, GetSystemMetrics(SM_CYSCREEN));
  ASSERT_GE(jpeg.quantTables.size(), 2u);
  EXPECT_EQ(jpeg.quantTables[0], test::ExpectedQuantTable(90, false));
  EXPECT_EQ(jpeg.quantTables[1], test::ExpectedQuantTable(90, true));
  // The child control: flat colours, which JPEG keeps close.
  const RECT child = picture_->ChildRect();
  const RECT inner{child.left + 8, child.top + 8, child.right - 8, child.bottom - 8};
  const double psnr = PsnrOf(Region(jpeg, inner), picture_->ExpectedImage(inner));
  EXPECT_GT(psnr, 40.0);
  // The busy pattern is the encoder's worst case; it still stays recognisable.
  const RECT client = picture_->ClientRect();
  const double busy = PsnrOf(Region(jpeg, client), picture_->ExpectedImage(client));
  EXPECT_GT(busy, 20.0);
  std::printf("PSNR: flat %.1f dB, busy pattern %.1f dB\n", psnr, busy);
}

TEST_F(E2eZentaro, TheChosenTypeNotTheExtensionDecidesTheFormat) {
  struct Case {
    const wchar_t* name;
    int type;
    const char* magic;
  } cases[] = {{L"named.bmp", 0, "\xFF\xD8"}, {L"named.jpg", 1, "BM"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.name));
    ASSERT_NO_FATAL_FAILURE(ClickFullScreen());
    ASSERT_NO_FATAL_FAILURE(SaveAs(dir_ / c.name, c.type));
    ASSERT_TRUE(WaitMainVisible());
    ASSERT_NO_FATAL_FAILURE(WaitForFile(dir_ / c.name));
    EXPECT_EQ(test::ReadBytes(dir_ / c.name).substr(0, 2), c.magic);
  }
}

TEST_F(E2eZentaro, CancelledDialogWritesNothing) {
  ASSERT_NO_FATAL_FAILURE(ClickFullScreen());
  ASSERT_NO_FATAL_FAILURE(CancelSave());
  EXPECT_TRUE(WaitMainVisible());
  e2e::Settle(300);
  EXPECT_FALSE(e2e::FindDialog(app_->Id(), nullptr, 300)) << "no message after a cancel";
}

TEST_F(E2eZentaro, OverwriteIsAskedAndNoKeepsTheOldFile) {
  const UnicodeString path = dir_ / L"old.bmp";
  test::WriteBytes(path, "the old picture");
  for (bool confirm : {false, true}) {
    SCOPED_TRACE(confirm ? "confirmed" : "declined");
    ASSERT_NO_FATAL_FAILURE(ClickFullScreen());
    ASSERT_NO_FATAL_FAILURE(SaveAs(path, 1));
    e2e::Found found = e2e::MsgBox::Find(app_->Id(), L"询问", kWait);
    ASSERT_TRUE(found) << found.error;
    e2e::MsgBox box(found);
    EXPECT_EQ(box.Text(), L"确定覆盖文件： " + path);
    EXPECT_EQ(box.Buttons(), (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(box.DefaultButton(), IDCANCEL);
    EXPECT_TRUE(box.HasIcon());
    ASSERT_TRUE(box.Press(confirm ? IDOK : IDCANCEL));
    ASSERT_TRUE(box.WaitClosed(kWait));
    ASSERT_TRUE(WaitMainVisible());
    e2e::Settle(300);
    if (confirm) EXPECT_EQ(test::ReadBytes(path).substr(0, 2), "BM");
    else EXPECT_EQ(test::ReadBytes(path), "the old picture");
  }
}

// The save fails after a full-screen capture: the window comes back first,
// then the error is shown, and the tool goes on.
TEST_F(E2eZentaro, UnwritableFolderShowsTheErrorWithTheWindowBack) {
  wchar_t locked[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"ZENTARO_LOCKED_DIR", locked, MAX_PATH))
    GTEST_SKIP() << "scripts/test could not make a folder nobody may write to";
  const UnicodeString path = UnicodeString(locked) + L"\\denied.bmp";
  ASSERT_NO_FATAL_FAILURE(ClickFullScreen());
  ASSERT_NO_FATAL_FAILURE(SaveAs(path, 1));
  e2e::Found found = e2e::MsgBox::Find(app_->Id(), L"Zentaro", kWait);
  ASSERT_TRUE(found) << found.error;
  e2e::MsgBox box(found);
  EXPECT_NE(box.Text().Pos(path), 0) << Utf8(box.Text());
  EXPECT_TRUE(MainVisible()) << "the tool window is back while the error shows";
  ASSERT_TRUE(box.Press(IDOK));
  ASSERT_TRUE(box.WaitClosed(kWait));
  EXPECT_FALSE(Exists(path));
  // The tool goes on: another capture works.
  ASSERT_NO_FATAL_FAILURE(ClickFullScreen());
  ASSERT_NO_FATAL_FAILURE(CancelSave());
  EXPECT_TRUE(WaitMainVisible());
}

// Where 窗口 is released, and the window whose screen area the picture
// must be.
struct WindowCase {
  const char* where;
  std::function<POINT()> release;
  std::function<RECT()> expectedRect;
  bool expectPattern;  // the picture window's known pixels
};

TEST_F(E2eZentaro, ReleaseTakesTheWindowUnderTheCursor) {
  const RECT tool = e2e::WindowRectOf(main_);
  const WindowCase cases[] = {
      {"a title bar: the whole window with its frame",
       [&] {
         const RECT w = picture_->WindowRect(), c = picture_->ClientRect();
         return POINT{(w.left + w.right) / 2, (w.top + c.top) / 2};
       },
       [&] { return picture_->WindowRect(); }, true},
      {"a control: the control only", [&] { return e2e::CenterOf(picture_->ChildRect()); },
       [&] { return picture_->ChildRect(); }, true},
      // The title, away from the caption buttons: the tool captures itself
      // without hiding.
      {"the tool itself", [&] { return POINT{tool.left + 150, tool.top + 12}; }, [&] { return tool; }, false},
  };
  int n = 0;
  for (const WindowCase& c : cases) {
    SCOPED_TRACE(c.where);
    ASSERT_NO_FATAL_FAILURE(DragWindowButtonTo(c.release()));
    if (!c.expectPattern) {
      EXPECT_TRUE(MainVisible()) << "not hidden for a picture of itself";
    }
    const UnicodeString path = dir_.Path() + L"window" + IntToStr(++n) + L".bmp";
    ASSERT_NO_FATAL_FAILURE(SaveAs(path, 1));
    ASSERT_NO_FATAL_FAILURE(WaitForFile(path));
    ASSERT_TRUE(WaitMainVisible());
    const e2e::Image shot = ReadBmp(path);
    const RECT expected = c.expectedRect();
    ASSERT_EQ(shot.width, expected.right - expected.left);
    ASSERT_EQ(shot.height, expected.bottom - expected.top);
    if (c.expectPattern) {
      EXPECT_TRUE(e2e::SameImage(shot, picture_->ExpectedImage(expected)));
    } else {
      EXPECT_EQ(shot.At(100, 20), static_cast<uint32_t>(kCaptionColour)) << "the picture shows the tool's caption";
    }
  }
}

TEST_F(E2eZentaro, RightButtonDragDoesNothing) {
  ASSERT_NO_FATAL_FAILURE(DragWindowButtonTo(e2e::CenterOf(picture_->ChildRect()), e2e::Button::Right));
  EXPECT_FALSE(e2e::SaveDialog::Find(app_->Id(), 1500)) << "no capture, no dialog";
  EXPECT_TRUE(MainVisible());
}

// On a display scaled to 150% the picture still has the screen's pixels.
TEST_F(E2eZentaro, ScaledDisplayCaptureHasTheFullPixelSize) {
  app_.reset();
  ScopedLogPixels scaled(144);
  buttons_.clear();
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(ClickFullScreen());
  const UnicodeString path = dir_ / L"scaled.bmp";
  ASSERT_NO_FATAL_FAILURE(SaveAs(path, 1));
  ASSERT_NO_FATAL_FAILURE(WaitForFile(path));
  const e2e::Image shot = ReadBmp(path);
  EXPECT_EQ(shot.width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(shot.height, GetSystemMetrics(SM_CYSCREEN));
  const RECT client = picture_->ClientRect();
  EXPECT_TRUE(e2e::SameImage(Crop(shot, client), picture_->ExpectedImage(client)));
}

}  // namespace
