// The end-to-end support checked against programs and windows whose behaviour
// is known: the save fixture (the system's save dialog and a message box) and
// picture windows made here (pixels and mouse input).
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/support/E2e.h"
#include "rtl/CodePage.h"
#include "support/Printers.h"
#include "support/TempDir.h"

namespace {

constexpr int kWait = 5000;

UnicodeString FixturePath() { return e2e::TestExeDir() + L"SaveFixture.exe"; }

std::string Utf8(const UnicodeString& text) { return rtl::WideToUtf8(text.str()); }

bool Exists(const UnicodeString& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// --- the save fixture -------------------------------------------------------

class E2eSaveFixture : public testing::Test {
 protected:
  void SetUp() override {
    e2e::ReleaseAllInput();
    app_ = std::make_unique<e2e::ChildProcess>(FixturePath(), std::vector<UnicodeString>{dir_.Path()});
    ASSERT_TRUE(app_->Started()) << app_->Error();
    main_ = e2e::FindWindowOf(app_->Id(), L"ZentaroSaveFixture", nullptr, kWait);
    ASSERT_TRUE(main_) << main_.error;
    button_ = e2e::FindChild(main_, 100, kWait);
    ASSERT_TRUE(button_) << button_.error;
  }

  // Clicks the fixture's button with the mouse and waits for the dialog.
  void OpenSaveDialog(HWND* dialog) {
    ++attempts_;
    ASSERT_TRUE(e2e::Click(e2e::CenterOf(button_.hwnd)));
    e2e::Found found = e2e::SaveDialog::Find(app_->Id(), kWait);
    ASSERT_TRUE(found) << found.error;
    EXPECT_EQ(GetWindow(found, GW_OWNER), main_.hwnd);
    *dialog = found;
  }

  // The fixture's caption after the current attempt ended with outcome.
  testing::AssertionResult Outcome(const wchar_t* outcome) {
    const UnicodeString expected = L"SaveFixture: " + IntToStr(attempts_) + L" " + outcome;
    return e2e::WaitFor([&] { return e2e::CaptionOf(main_) == expected; }, kWait,
                        "the caption \"" + Utf8(expected) + "\" (it is \"" + Utf8(e2e::CaptionOf(main_)) + "\")");
  }

  // What the fixture writes for a saved file.
  static std::string Record(const UnicodeString& path, int filterIndex) {
    return Utf8(path) + "\n" + std::to_string(filterIndex) + "\n";
  }

  test::TempDir dir_;
  std::unique_ptr<e2e::ChildProcess> app_;
  e2e::Found main_, button_;
  int attempts_ = 0;
};

TEST_F(E2eSaveFixture, SavesUnderTheChosenTypeWithItsExtension) {
  struct Case {
    int type;
    const wchar_t* name;
    const wchar_t* saved;
  };
  const Case cases[] = {{1, L"shot", L"shot.bmp"}, {0, L"shot", L"shot.jpg"}, {1, L"截图.bmp", L"截图.bmp"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.name) + " as type " + std::to_string(c.type));
    HWND hwnd = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenSaveDialog(&hwnd));
    e2e::SaveDialog dialog(hwnd);
    EXPECT_EQ(dialog.Caption(), UnicodeString(L"另存为"));
    EXPECT_EQ(dialog.FileTypes(), (std::vector<UnicodeString>{L"JPEG (*.jpg)", L"Bitmap (*.bmp)"}));
    EXPECT_EQ(dialog.FileTypeIndex(), 0);
    ASSERT_TRUE(dialog.SetFileName(dir_ / c.name));
    EXPECT_FALSE(dialog.ChooseFileType(2));  // the list has two
    ASSERT_TRUE(dialog.ChooseFileType(c.type));
    ASSERT_TRUE(dialog.Save());
    ASSERT_TRUE(dialog.WaitClosed(kWait));
    ASSERT_TRUE(Outcome(L"saved"));
    EXPECT_EQ(test::ReadBytes(dir_ / c.saved), Record(dir_ / c.saved, c.type + 1));
  }
}


TEST_F(E2eSaveFixture, TakesATypedNameAndTheKeyboard) {
  HWND hwnd = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenSaveDialog(&hwnd));
  e2e::SaveDialog dialog(hwnd);
  // The file-name box has the focus when the dialog opens.
  ASSERT_TRUE(e2e::TypeText(dir_ / L"键盘"));
  ASSERT_TRUE(e2e::WaitFor([&] { return dialog.FileName() == dir_ / L"键盘"; }, kWait, "the typed name"));
  ASSERT_TRUE(e2e::PressKey('S', {VK_MENU}));  // 保存(&S)
  ASSERT_TRUE(dialog.WaitClosed(kWait));
  ASSERT_TRUE(Outcome(L"saved"));
  EXPECT_EQ(test::ReadBytes(dir_ / L"键盘.jpg"), Record(dir_ / L"键盘.jpg", 1));

  ASSERT_NO_FATAL_FAILURE(OpenSaveDialog(&hwnd));
  ASSERT_TRUE(e2e::PressKey(VK_ESCAPE));
  ASSERT_TRUE(e2e::WaitGone(hwnd, kWait));
  ASSERT_TRUE(Outcome(L"dialog cancelled"));
}

TEST_F(E2eSaveFixture, AnswersTheOverwriteQuestion) {
  struct Case {
    int button;
    bool withMouse;
    const wchar_t* outcome;
    bool replaced;
  };
  const Case cases[] = {{IDOK, false, L"saved", true}, {IDCANCEL, true, L"overwrite refused", false}};
  const UnicodeString path = dir_ / L"old.bmp";
  for (const Case& c : cases) {
    SCOPED_TRACE("button " + std::to_string(c.button) + (c.withMouse ? " clicked" : " pressed"));
    test::WriteBytes(path, "old");
    HWND hwnd = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenSaveDialog(&hwnd));
    e2e::SaveDialog dialog(hwnd);
    ASSERT_TRUE(dialog.SetFileName(dir_ / L"old"));
    ASSERT_TRUE(dialog.ChooseFileType(1));
    ASSERT_TRUE(dialog.Save());

    e2e::Found found = e2e::MsgBox::Find(app_->Id(), L"询问", kWait);
    ASSERT_TRUE(found) << found.error;
    e2e::MsgBox box(found);
    EXPECT_FALSE(IsWindow(hwnd));  // the save dialog has gone first
    EXPECT_EQ(GetWindow(box.Hwnd(), GW_OWNER), main_.hwnd);
    EXPECT_EQ(box.Text(), L"确定覆盖文件： " + path);
    EXPECT_EQ(box.Buttons(), (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(box.ButtonText(IDOK), UnicodeString(L"确定"));
    EXPECT_EQ(box.ButtonText(IDCANCEL), UnicodeString(L"取消"));
    EXPECT_EQ(box.DefaultButton(), IDCANCEL);  // MB_DEFBUTTON2
    EXPECT_TRUE(box.HasIcon());
    EXPECT_FALSE(e2e::IsTopmost(box.Hwnd()));  // Wine does not mark MB_TOPMOST boxes
    ASSERT_TRUE(c.withMouse ? box.Click(c.button) : box.Press(c.button));
    ASSERT_TRUE(box.WaitClosed(kWait));
    ASSERT_TRUE(Outcome(c.outcome));
    EXPECT_EQ(test::ReadBytes(path), c.replaced ? Record(path, 2) : "old");
  }
}

TEST_F(E2eSaveFixture, FindersFailCleanlyAndSayWhatTheyAwaited) {
  const ULONGLONG start = GetTickCount64();
  e2e::Found box = e2e::MsgBox::Find(app_->Id(), L"询问", 300);
  const ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_FALSE(box);
  EXPECT_GE(elapsed, 300u);
  EXPECT_LT(elapsed, 2000u);
  EXPECT_NE(box.error.find("\"询问\""), std::string::npos) << box.error;
  EXPECT_NE(box.error.find("300 ms"), std::string::npos) << box.error;
  EXPECT_NE(box.error.find("ZentaroSaveFixture"), std::string::npos) << box.error;  // what there was

  e2e::Found child = e2e::FindChild(main_, 4242, 100);
  EXPECT_FALSE(child);
  EXPECT_NE(child.error.find("4242"), std::string::npos) << child.error;
  EXPECT_NE(child.error.find("Button \"保存\" id 100"), std::string::npos) << child.error;

  EXPECT_FALSE(e2e::FindWindowOf(app_->Id(), nullptr, L"no such caption", 100));
  EXPECT_TRUE(e2e::FindChild(main_, L"Button", L"保存", 100));
}

TEST_F(E2eSaveFixture, ChildProcessReportsTheEndAndEndsWhatItStarted) {
  EXPECT_TRUE(app_->IsRunning());
  EXPECT_FALSE(app_->Wait(50));
  EXPECT_EQ(app_->ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
  PostMessageW(main_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(app_->Wait(kWait));
  EXPECT_FALSE(app_->IsRunning());
  EXPECT_EQ(app_->ExitCode(), 0u);

  HANDLE copy = nullptr;
  {
    e2e::ChildProcess second(FixturePath());
    ASSERT_TRUE(second.Started()) << second.Error();
    ASSERT_TRUE(e2e::FindWindowOf(second.Id(), L"ZentaroSaveFixture", nullptr, kWait));
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), second.Handle(), GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE,
                                0));
  }
  EXPECT_EQ(WaitForSingleObject(copy, 0), WAIT_OBJECT_0);
  CloseHandle(copy);

  e2e::ChildProcess missing(dir_ / L"missing.exe");
  EXPECT_FALSE(missing.Started());
  EXPECT_NE(missing.Error().find("missing.exe"), std::string::npos) << missing.Error();
}

// --- processes and paths ------------------------------------------------------

TEST(E2eProcess, QuotedArgumentsSplitBackUnchanged) {
  const std::vector<std::wstring> args = {L"plain", L"two words", L"", L"quote\"inside", L"C:\\dir with space\\",
                                          L"back\\\\\"slashes", L"\\\\", L"tab\there", L"中文 路径"};
  std::wstring line = L"program.exe";
  for (const std::wstring& arg : args) line += L" " + e2e::QuoteArgument(arg);
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(line.c_str(), &argc);
  ASSERT_NE(argv, nullptr);
  std::vector<std::wstring> split(argv + 1, argv + argc);
  LocalFree(argv);
  EXPECT_EQ(split, args) << Utf8(line);
}

TEST(E2eProcess, BuildPathFindsSiblingOutputs) {
  const UnicodeString root = e2e::BuildRoot();
  ASSERT_FALSE(root.IsEmpty());
  EXPECT_TRUE(Exists(root + L"CMakeCache.txt"));
  EXPECT_EQ(e2e::BuildPath(L"tests/e2e/SaveFixture.exe"), FixturePath());
  EXPECT_TRUE(Exists(e2e::BuildPath(L"tests/e2e/SaveFixture.exe")));
}

// --- mouse input and picture windows ------------------------------------------

class E2eScreen : public testing::Test {
 protected:
  void SetUp() override { e2e::ReleaseAllInput(); }
};

TEST_F(E2eScreen, CursorLandsOnTheExactPixel) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  const POINT points[] = {{0, 0}, {w - 1, h - 1}, {1, 1}, {w - 2, 0}, {0, h - 2}, {w / 2, h / 2}, {333, 777}, {1001, 3}};
  for (const POINT& p : points) EXPECT_TRUE(e2e::MoveMouse(p)) << p.x << "," << p.y;
}

TEST_F(E2eScreen, GrabMatchesThePictureExactly) {
  auto made = std::make_unique<e2e::PictureWindow>(RECT{100, 120, 740, 600}, RECT{200, 150, 361, 251});
  e2e::PictureWindow& picture = *made;
  ASSERT_TRUE(picture.Created());
  const RECT window = picture.WindowRect(), client = picture.ClientRect(), child = picture.ChildRect();
  EXPECT_EQ(window.left, 100);  // no window manager: placed where asked
  EXPECT_EQ(window.bottom, 600);
  EXPECT_EQ(child.left, client.left + 200);
  EXPECT_EQ(child.right - child.left, 161);

  EXPECT_EQ(picture.ExpectedPixel(client.left, client.top), 0u);
  EXPECT_EQ(picture.ExpectedPixel(client.left + 3, client.top + 2), 0x151A01u);
  EXPECT_EQ(picture.ExpectedPixel(child.left, child.top + 5), e2e::PictureWindow::kChildBorder);
  EXPECT_EQ(picture.ExpectedPixel(child.right - 1, child.bottom - 1), e2e::PictureWindow::kChildBorder);
  EXPECT_EQ(picture.ExpectedPixel(child.left + 1, child.top + 1), e2e::PictureWindow::kChildFill);
  EXPECT_EQ(picture.ExpectedPixel(child.right, child.top + 1), e2e::PictureWindow::Pattern(361, 151));
  EXPECT_EQ(picture.ExpectedPixel(window.left + 5, window.top + 5), e2e::kAnyPixel);  // caption

  // The whole window: client and child exactly, the frame as Wine draws it.
  const e2e::Image expected = picture.ExpectedImage(window);
  const e2e::Image expectedClient = picture.ExpectedImage(client);
  ASSERT_TRUE(e2e::WaitFor([&] { return e2e::SameImage(e2e::GrabScreen(window), expected); }, kWait,
                           "the picture on the screen"))
      << e2e::SameImage(e2e::GrabScreen(window), expected).message();
  // A rectangle across the child's corner, away from the window's origin.
  const RECT corner = {child.left - 7, child.top - 5, child.left + 9, child.top + 4};
  EXPECT_TRUE(e2e::SameImage(e2e::GrabScreen(corner), picture.ExpectedImage(corner)));

  // Gone with the object, from the system and from the screen.
  const HWND hwnd = picture.Hwnd();
  made.reset();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(e2e::WaitFor([&] { return e2e::Compare(e2e::GrabScreen(client), expectedClient).count > 0; }, kWait,
                           "the picture to leave the screen"));
}

// Waits until the screen shows what the picture expects in rect.
testing::AssertionResult ShowsOnScreen(const e2e::PictureWindow& picture, const RECT& rect, const char* what) {
  const e2e::Image expected = picture.ExpectedImage(rect);
  if (e2e::WaitFor([&] { return e2e::SameImage(e2e::GrabScreen(rect), expected); }, kWait))
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << what << ": " << e2e::SameImage(e2e::GrabScreen(rect), expected).message();
}

TEST_F(E2eScreen, BringToTopPutsItOverEveryOtherWindowOnTheScreen) {
  // Same pattern, different origins: an overlap shows which window is on top.
  e2e::PictureWindow topmost({300, 300, 700, 600}, {10, 10, 50, 50}, true);
  e2e::PictureWindow lower({340, 330, 900, 800}, {300, 300, 400, 400});
  e2e::PictureWindow upper({371, 357, 1000, 900}, {20, 20, 60, 60});
  ASSERT_TRUE(topmost.Created());
  ASSERT_TRUE(lower.Created());
  ASSERT_TRUE(upper.Created());
  const RECT lowerAndUpper = {720, 620, 880, 780};
  const RECT allThree = {400, 420, 690, 590};

  EXPECT_TRUE(ShowsOnScreen(upper, lowerAndUpper, "the last one made"));
  lower.BringToTop();
  EXPECT_TRUE(ShowsOnScreen(lower, lowerAndUpper, "the lower window raised"));
  topmost.BringToTop();
  EXPECT_TRUE(ShowsOnScreen(topmost, allThree, "the topmost window raised"));
  upper.BringToTop();
  EXPECT_TRUE(ShowsOnScreen(upper, allThree, "the upper window raised"));
  // Wine without a window manager: the system still ranks the topmost window
  // first (hit testing follows this order) while the screen shows the other.
  EXPECT_TRUE(e2e::IsTopmost(topmost.Hwnd()));
  EXPECT_FALSE(e2e::IsTopmost(upper.Hwnd()));
  EXPECT_EQ(WindowFromPoint(e2e::CenterOf(allThree)), topmost.Hwnd());
}

TEST_F(E2eScreen, DragIsDeliveredFromPressToRelease) {
  e2e::PictureWindow picture({200, 200, 700, 600}, {300, 250, 400, 330});
  ASSERT_TRUE(picture.Created());
  const RECT client = picture.ClientRect();
  const POINT from = {client.left + 40, client.top + 60};
  const POINT to = {client.right + 250, client.bottom + 123};  // outside: the capture brings it back
  ASSERT_TRUE(e2e::Drag(from, to, 12, 15));
  ASSERT_TRUE(e2e::WaitFor(
      [&] {
        auto events = picture.MouseEvents();
        return !events.empty() && events.back().message == WM_LBUTTONUP;
      },
      kWait, "the release"));

  std::vector<e2e::PictureWindow::MouseEvent> events = picture.MouseEvents();
  size_t down = 0;
  while (down < events.size() && events[down].message != WM_LBUTTONDOWN) ++down;
  ASSERT_LT(down, events.size());
  EXPECT_EQ(events[down].window, picture.Hwnd());
  EXPECT_EQ(events[down].screen.x, from.x);
  EXPECT_EQ(events[down].screen.y, from.y);
  int moves = 0;
  LONG lastX = from.x;
  for (size_t i = down + 1; i + 1 < events.size(); ++i) {
    EXPECT_EQ(events[i].message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_GE(events[i].screen.x, lastX);  // along the way, never back
    lastX = events[i].screen.x;
    ++moves;
  }
  EXPECT_GE(moves, 12);
  EXPECT_EQ(events.back().window, picture.Hwnd());
  EXPECT_EQ(events.back().screen.x, to.x);
  EXPECT_EQ(events.back().screen.y, to.y);
}

TEST_F(E2eScreen, ClicksReachTheWindowUnderTheCursor) {
  e2e::PictureWindow picture({200, 200, 700, 600}, {300, 250, 400, 330});
  ASSERT_TRUE(picture.Created());
  struct Case {
    POINT at;
    e2e::Button button;
    HWND target;
    UINT down, up;
  };
  const RECT child = picture.ChildRect(), client = picture.ClientRect();
  const Case cases[] = {
      {{child.left, child.top}, e2e::Button::Left, picture.Child(), WM_LBUTTONDOWN, WM_LBUTTONUP},
      {{child.right - 1, child.bottom - 1}, e2e::Button::Right, picture.Child(), WM_RBUTTONDOWN, WM_RBUTTONUP},
      {{child.left - 1, child.top}, e2e::Button::Right, picture.Hwnd(), WM_RBUTTONDOWN, WM_RBUTTONUP},
      {{client.left, client.top}, e2e::Button::Left, picture.Hwnd(), WM_LBUTTONDOWN, WM_LBUTTONUP}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.at.x) + "," + std::to_string(c.at.y));
    picture.ClearMouseEvents();
    ASSERT_TRUE(e2e::Click(c.at, c.button));
    std::vector<e2e::PictureWindow::MouseEvent> presses;
    ASSERT_TRUE(e2e::WaitFor(
        [&] {
          presses.clear();
          for (const auto& event : picture.MouseEvents())
            if (event.message != WM_MOUSEMOVE) presses.push_back(event);
          return presses.size() >= 2;
        },
        kWait, "press and release"));
    ASSERT_EQ(presses.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
      EXPECT_EQ(presses[i].window, c.target);
      EXPECT_EQ(presses[i].message, i == 0 ? c.down : c.up);
      EXPECT_EQ(presses[i].screen.x, c.at.x);
      EXPECT_EQ(presses[i].screen.y, c.at.y);
    }
  }
}

// --- images -------------------------------------------------------------------

uint32_t Sample(int x, int y) { return static_cast<uint32_t>(0x102030 + x * 0x010305 + y * 0x201007) & 0xFFFFFF; }

// A BMP of Sample's pixels; tests spoil header fields afterwards.
std::string MakeBmp(int width, int height, int bpp, bool topDown) {
  const size_t stride = (static_cast<size_t>(width) * (bpp / 8) + 3) & ~size_t{3};
  std::string bytes(54 + stride * static_cast<size_t>(height), '\0');
  auto put = [&](size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 255);
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put(2, static_cast<uint32_t>(bytes.size()), 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, static_cast<uint32_t>(width), 4);
  put(22, static_cast<uint32_t>(topDown ? -height : height), 4);
  put(26, 1, 2);
  put(28, static_cast<uint32_t>(bpp), 2);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      put(54 + stride * static_cast<size_t>(topDown ? y : height - 1 - y) + static_cast<size_t>(x) * (bpp / 8),
          Sample(x, y) | (bpp == 32 ? 0xAB000000u : 0u), bpp / 8);
  return bytes;
}

TEST(E2eImage, DecodesBothDepthsAndBothRowOrders) {
  struct Case {
    int width, height, bpp;
    bool topDown;
  };
  const Case cases[] = {{3, 2, 24, false}, {3, 2, 24, true}, {5, 3, 32, false}, {2, 4, 32, true}, {1, 1, 24, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " " + std::to_string(c.bpp) +
                 (c.topDown ? " top-down" : " bottom-up"));
    e2e::Image image;
    ASSERT_TRUE(e2e::DecodeBmp(MakeBmp(c.width, c.height, c.bpp, c.topDown), &image));
    e2e::Image expected{c.width, c.height, {}};
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) expected.pixels.push_back(Sample(x, y));
    EXPECT_TRUE(e2e::SameImage(image, expected));
  }
}

TEST(E2eImage, RejectsWhatItCannotReadAndSaysWhy) {
  struct Case {
    const char* what;
    std::string bytes;
    const char* reason;
  };
  std::string eightBit = MakeBmp(4, 2, 24, false);
  eightBit[28] = 8;
  std::string bitfields = MakeBmp(4, 2, 32, false);
  bitfields[30] = BI_BITFIELDS;
  std::string truncated = MakeBmp(4, 2, 24, false);
  truncated.pop_back();
  std::string flat = MakeBmp(4, 2, 24, false);
  flat[22] = 0;
  std::string coreHeader = MakeBmp(4, 2, 24, false);
  coreHeader[14] = 12;
  const Case cases[] = {{"8 bpp", eightBit, "8 bits per pixel"},
                        {"bit fields", bitfields, "compression 3"},
                        {"truncated", truncated, "does not fit"},
                        {"zero height", flat, "size 4 x 0"},
                        {"OS/2 header", coreHeader, "header of 12 bytes"},
                        {"not a BMP", std::string(100, 'x'), "not a BMP"},
                        {"empty", std::string(), "not a BMP"}};
  for (const Case& c : cases) {
    e2e::Image image;
    testing::AssertionResult result = e2e::DecodeBmp(c.bytes, &image);
    EXPECT_FALSE(result) << c.what;
    EXPECT_NE(std::string(result.message()).find(c.reason), std::string::npos) << c.what << ": " << result.message();
  }
}

TEST(E2eImage, ReadsFilesAndNamesTheOneItCannotRead) {
  test::TempDir dir;
  test::WriteBytes(dir / L"图.bmp", MakeBmp(3, 3, 24, false));
  e2e::Image image;
  ASSERT_TRUE(e2e::ReadBmpFile(dir / L"图.bmp", &image));
  EXPECT_EQ(image.At(2, 1), Sample(2, 1));
  testing::AssertionResult missing = e2e::ReadBmpFile(dir / L"无.bmp", &image);
  EXPECT_FALSE(missing);
  EXPECT_NE(std::string(missing.message()).find("无.bmp"), std::string::npos) << missing.message();
}

TEST(E2eImage, CompareCountsDifferencesAndSkipsAnyPixel) {
  const e2e::Image actual{3, 2, {1, 2, 3, 4, 5, 6}};
  EXPECT_TRUE(e2e::SameImage(actual, actual));
  const e2e::Image expected{3, 2, {1, 9, 3, e2e::kAnyPixel, 7, 6}};
  const e2e::ImageDiff diff = e2e::Compare(actual, expected);
  EXPECT_EQ(diff.count, 2);
  EXPECT_EQ(diff.x, 1);
  EXPECT_EQ(diff.y, 0);
  EXPECT_EQ(std::string(e2e::SameImage(actual, expected).message()),
            "2 of 6 pixels differ; the first at (1,0) is 000002, expected 000009");
  EXPECT_TRUE(e2e::SameImage(actual, e2e::Image{3, 2, {1, 2, 3, e2e::kAnyPixel, 5, 6}}));
  EXPECT_EQ(std::string(e2e::SameImage(actual, e2e::Image{2, 3, actual.pixels}).message()),
            "image is 3 x 2, expected 2 x 3");
}

}  // namespace
