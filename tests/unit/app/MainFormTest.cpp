// The main window built from its resources in this process: identity,
// layout, modes and the picture writer.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include <memory>

#include "app/Itssys.h"
#include "app/MainFormFM.h"
#include "app/SkinCtrlDM.h"
#include "support/FormTextNormal.h"
#include "support/JpegCheck.h"
#include "support/TempDir.h"
#include "ui/forms/Application.h"

using namespace ui;

// Reaches the window's private modes and writer.
class TMainFormPeer {
 public:
  static void SetMode(int mode) { MainForm->SetMode(mode); }
  static int Mode() { return MainForm->FMode; }
  static int SnapDelay() { return MainForm->FSnapDelay; }
  static bool NetFlags() { return MainForm->FNetChecking || MainForm->FNetPassed; }
  static void SaveBitmap(TBitmap* b, const UnicodeString& name, int index) { MainForm->SaveBitmap(b, name, index); }
};

namespace {

struct Started : testing::Environment {
  void SetUp() override {
    Application->Initialize();
    Application->MainFormOnTaskBar = true;
    Application->SetTitle(L"Zentaro");
    Application->CreateForm(SkinCtrlModule);
    Application->CreateForm(MainForm);
  }
};
[[maybe_unused]] testing::Environment* const kStarted = testing::AddGlobalTestEnvironment(new Started);

TEST(Identity, ConstantsAreBuiltFromTheSite) {
  EXPECT_EQ(AppID, L"zentaro");
  ASSERT_FALSE(AppSite.IsEmpty());
  EXPECT_EQ(AppSite.str().back(), L'/');
  EXPECT_EQ(AppAd, AppSite + L"ad.php?id=zentaro");
  EXPECT_EQ(AppNews, AppSite + L"news.php?id=zentaro");
  EXPECT_EQ(AppBbs, AppSite + L"bbs/");
  EXPECT_EQ(UpdateUrl, AppSite + L"ver.php");
  EXPECT_EQ(UpdateGoto, AppSite);
  EXPECT_EQ(UpdateID, L"zentaro");
  EXPECT_EQ(UpdateVersion, L"2010-12-25") << "the update date, not the version name";
  EXPECT_EQ(AppVersion, L"V1.1.0");
  EXPECT_EQ(AppPopup, L"&&popup=1");
  EXPECT_EQ(AppMailTo, L"mailto:" + AppMail);
}

// The real executable, beside this test's folder.
std::wstring ExecutablePath() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring exe(self);
  exe = exe.substr(0, exe.find_last_of(L'\\'));
  return exe.substr(0, exe.find_last_of(L'\\')) + L"\\app\\Zentaro.exe";
}

// Captures must have the screen's real pixel size on scaled displays.
TEST(Identity, ManifestDeclaresPerMonitorDpiAwareness) {
  HMODULE exe = LoadLibraryExW(ExecutablePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, found))), SizeofResource(exe, found));
  FreeLibrary(exe);
  EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>"),
            std::string::npos);
  EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
}

TEST(Identity, VersionResourceOfTheExecutable) {
  const std::wstring exe = ExecutablePath();
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "cannot read the version of " << std::string(exe.begin(), exe.end());
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
  struct Row {
    const wchar_t* key;
    const wchar_t* value;
  } rows[] = {{L"FileDescription", L"Zentaro主程序文件"}, {L"InternalName", L"Zentaro.exe"},
              {L"OriginalFilename", L"Zentaro.exe"},      {L"ProductName", L"Zentaro"},
              {L"FileVersion", L"1.1.0.0"},               {L"ProductVersion", L"1.1.0.0"}};
  for (const Row& row : rows) {
    wchar_t* value = nullptr;
    std::wstring path = std::wstring(L"\\StringFileInfo\\080403A8\\") + row.key;
    ASSERT_TRUE(VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &len)) << row.value;
    EXPECT_EQ(std::wstring(value), row.value);
  }
  // Title, caption and product name are one text.
  EXPECT_EQ(Application->Title(), L"Zentaro");
  EXPECT_EQ(MainForm->Caption(), L"Zentaro");
}

TEST(SkinModule, CarriesTheSkinAndTheTextTable) {
  ASSERT_NE(SkinCtrlModule, nullptr);
  EXPECT_EQ(SkinCtrlModule->Name(), L"SkinCtrlModule");
  EXPECT_EQ(SkinCtrlModule->bsSkinData1->CompressedStoredSkin(), SkinCtrlModule->bsCompressedStoredSkin1);
  for (const wchar_t* entry : {L"panel", L"resizebutton", L"stdlabel", L"button"})
    EXPECT_TRUE(SkinCtrlModule->bsSkinData1->HasEntry(entry)) << entry;
  const auto& rows = SkinCtrlModule->bsResourceStrData1->ResStrings;
  ASSERT_EQ(rows.size(), 131u);
  EXPECT_EQ(rows.front(), L"MI_MINCAPTION=最小化(&N)");
  EXPECT_EQ(rows.back().SubString(1, 14), L"DBNAV_REFRESH=");
  struct Row {
    const wchar_t* key;
    const wchar_t* text;
  } given[] = {{L"MI_MAXCAPTION", L"最大化(&X)"},     {L"MI_CLOSECAPTION", L"关闭(&C)"},
               {L"MI_RESTORECAPTION", L"还原(&R)"},   {L"MI_MINTOTRAYCAPTION", L"最小化到托盘(&T)"},
               {L"MI_ROLLUPCAPTION", L"收缩(&L)"},    {L"MINBUTTON_HINT", L"最小化"},
               {L"MAXBUTTON_HINT", L"最大化"},        {L"CLOSEBUTTON_HINT", L"关闭"},
               {L"TRAYBUTTON_HINT", L"最小化到托盘"}, {L"ROLLUPBUTTON_HINT", L"收缩"},
               {L"MENUBUTTON_HINT", L"系统菜单"},     {L"RESTORE_HINT", L"还原"}};
  for (const Row& row : given) EXPECT_EQ(SkinCtrlModule->bsSkinData1->Text(row.key, L"?"), row.text) << row.text;
}

TEST(MainWindow, ToolbarAsLoaded) {
  EXPECT_EQ(MainForm->ClientWidth(), 336);
  EXPECT_EQ(MainForm->ClientHeight(), 116);
  EXPECT_EQ(MainForm->Font().Name(), L"宋体");
  EXPECT_EQ(MainForm->Font().Charset(), GB2312_CHARSET);
  EXPECT_EQ(MainForm->bsSkinPanel1->Height(), 49);
  EXPECT_EQ(MainForm->bsSkinPanel1->Width(), 336);
  struct Button {
    skin::TSkinSpeedButton* button;
    const wchar_t* caption;
    int left;
  } buttons[] = {{MainForm->btnFull, L"全屏", 0},       {MainForm->btnWindow, L"窗口", 48},
                 {MainForm->btnZune, L"局部", 96},      {MainForm->btnSelectSave, L"保存", 144},
                 {MainForm->btnReturnFull, L"返回", 192}, {MainForm->btnAbout, L"关于", 240}};
  for (const Button& b : buttons) {
    EXPECT_EQ(b.button->Caption(), b.caption);
    EXPECT_EQ(b.button->Left(), b.left) << b.caption;
    EXPECT_EQ(b.button->Width(), 48);
    EXPECT_EQ(b.button->Height(), 49);
    EXPECT_EQ(b.button->SkinDataName(), L"resizebutton");
  }
  EXPECT_EQ(MainForm->btnWindow->Hint(),
            L"窗口截图\r\n点“窗口”按钮，按住鼠标左键不放，\r\n移动鼠标到需要截图的窗口标题栏处，松开鼠标左键即可");
  EXPECT_EQ(MainForm->dlgSave->Filter, L"JPEG (*.jpg)|*.jpg;*.jpeg|Bitmap (*.bmp)|*.bmp");
  EXPECT_EQ(MainForm->dlgSave->FilterIndex, 1);
  EXPECT_EQ(MainForm->dlgSave->DefaultExt, L"*.jpg");
  EXPECT_EQ(TMainFormPeer::SnapDelay(), 100);
  EXPECT_FALSE(TMainFormPeer::NetFlags());
  EXPECT_EQ(Application->HintPause(), 100);
  EXPECT_EQ(Application->HintHidePause(), 10000);
}

TEST(MainWindow, WritesBackItsOwnResource) {
  EXPECT_EQ(test::NormalizedFormText(WriteComponent(*MainForm)),
            test::NormalizedFormText(ReadFormResource(L"TMainForm")));
  EXPECT_EQ(test::NormalizedFormText(WriteComponent(*SkinCtrlModule)),
            test::NormalizedFormText(ReadFormResource(L"TSkinCtrlModule")));
}

TEST(MainWindow, ModeTable) {
  auto states = [] {
    return std::vector<bool>{MainForm->btnFull->Enabled(),       MainForm->btnWindow->Enabled(),
                             MainForm->btnZune->Enabled(),       MainForm->btnSelectSave->Enabled(),
                             MainForm->btnReturnFull->Enabled(), MainForm->btnAbout->Enabled()};
  };
  const std::vector<bool> normal{true, true, true, false, false, true};
  const std::vector<bool> region{false, false, true, true, true, true};
  EXPECT_EQ(states(), normal) << "start-up";
  TMainFormPeer::SetMode(1);
  EXPECT_EQ(states(), region);
  TMainFormPeer::SetMode(7);  // only stored
  EXPECT_EQ(TMainFormPeer::Mode(), 7);
  EXPECT_EQ(states(), region);
  TMainFormPeer::SetMode(0);
  EXPECT_EQ(states(), normal);
}

TEST(MainWindow, ShownWindowIsTopmost) {
  MainForm->Show();
  EXPECT_TRUE(GetWindowLongW(MainForm->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongW(MainForm->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
  MainForm->Hide();
}

bool Contains(const std::vector<std::wstring>& list, const std::wstring& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

TEST(MainWindow, WindowMenuAndHintsSpeakChinese) {
  MainForm->Show();
  HMENU menu = GetSystemMenu(MainForm->Handle(), FALSE);
  std::vector<std::wstring> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
    if (text[0]) items.push_back(text);
  }
  EXPECT_TRUE(Contains(items, L"还原(&R)"));
  EXPECT_TRUE(Contains(items, L"最小化(&N)"));
  EXPECT_TRUE(Contains(items, L"最大化(&X)"));
  EXPECT_TRUE(Contains(items, L"关闭(&C)\tAlt+F4"));
  EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));

  HWND tip = MainForm->ToolTipWindow();
  std::vector<std::wstring> hints;
  const int count = static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[512] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.lpszText = text;
    SendMessageW(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&info));
    hints.push_back(text);
  }
  EXPECT_TRUE(Contains(hints, L"最小化")) << "caption button hints";
  EXPECT_TRUE(Contains(hints, L"关闭"));
  EXPECT_TRUE(Contains(hints, L"全屏幕截图"));
  EXPECT_TRUE(Contains(hints, MainForm->btnZune->Hint().str()));
  EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 100) << "hints show after 100 ms";
  EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 10000) << "and stay 10 s";
  MainForm->Hide();
}

// The question-mark cursor marks a window drag; only the left button counts.
TEST(MainWindow, WindowButtonCursor) {
  Screen->SetCursor(crDefault);
  MainForm->btnWindowMouseDown(MainForm->btnWindow, mbRight, 0, 5, 5);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  MainForm->btnWindowMouseUp(MainForm->btnWindow, mbRight, 0, 5, 5);  // nothing to capture
  EXPECT_EQ(Screen->Cursor(), crDefault);
  MainForm->btnWindowMouseDown(MainForm->btnWindow, mbLeft, ssLeft, 5, 5);
  EXPECT_EQ(Screen->Cursor(), crHelp);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HELP));
  Screen->SetCursor(crDefault);
}

TEST(MainWindow, FilterIndexDecidesTheFormat) {
  test::TempDir dir;
  auto b = std::make_unique<TBitmap>();
  b->SetSize(40, 30);
  struct Case {
    const wchar_t* name;
    int index;
    const char* magic;  // nullptr: nothing written
  } cases[] = {{L"a.jpg", 1, "\xFF\xD8"}, {L"b.bmp", 1, "\xFF\xD8"}, {L"c.jpg", 2, "BM"},
               {L"d.bmp", 2, "BM"},       {L"e.jpg", 0, nullptr},    {L"f.jpg", 3, nullptr}};
  for (const Case& c : cases) {
    TMainFormPeer::SaveBitmap(b.get(), dir / c.name, c.index);
    if (c.magic) EXPECT_EQ(test::ReadBytes(dir / c.name).substr(0, 2), c.magic) << c.index;
    else EXPECT_EQ(GetFileAttributesW((dir / c.name).c_str()), INVALID_FILE_ATTRIBUTES) << c.index;
  }
}

}  // namespace
