// The library's message boxes, answered from a second thread the way a user
// would: OK, Cancel, Escape, Enter or the close button.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "kyt/vuzizev/MessageBoxes.h"
#include "ui/forms/Application.h"
#include "ui/forms/Forms.h"

namespace {

enum class Answer { Ok, Cancel, Escape, Enter, Close };

struct Seen {
  std::wstring caption;
  std::wstring text;
  HWND box = nullptr;
  bool found() const { return box != nullptr; }
};

BOOL CALLBACK FindBox(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Seen*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[32] = {};
  GetClassNameW(w, cls, 32);
  if (pid != GetCurrentProcessId() || wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(w)) return TRUE;
  wchar_t buf[512] = {};
  GetWindowTextW(w, buf, 512);
  s->caption = buf;
  GetDlgItemTextW(w, 0xFFFF, buf, 512);  // the message text's static
  s->text = buf;
  s->box = w;
  return FALSE;
}

// Waits (up to 5 s) for a message box of this process, records it and
// answers it.
std::thread Answerer(Answer answer, Seen& seen) {
  return std::thread([answer, &seen] {
    for (int i = 0; i < 500 && !seen.found(); ++i) {
      EnumWindows(FindBox, reinterpret_cast<LPARAM>(&seen));
      if (!seen.found()) Sleep(10);
    }
    if (!seen.found()) return;
    HWND box = seen.box;
    switch (answer) {
      case Answer::Ok: PostMessageW(box, WM_COMMAND, IDOK, 0); break;
      case Answer::Cancel: PostMessageW(box, WM_COMMAND, IDCANCEL, 0); break;
      case Answer::Close: PostMessageW(box, WM_CLOSE, 0, 0); break;
      case Answer::Escape:
      case Answer::Enter: {
        // To whatever has the box's focus, as the keyboard would deliver it.
        const WPARAM key = answer == Answer::Escape ? VK_ESCAPE : VK_RETURN;
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info);
        HWND focus = info.hwndFocus;
        PostMessageW(focus ? focus : box, WM_KEYDOWN, key, 0);
        PostMessageW(focus ? focus : box, WM_KEYUP, key, 0);
        break;
      }
    }
  });
}

template <typename F>
auto AskAnswered(Answer answer, Seen& seen, F show) {
  std::thread t = Answerer(answer, seen);
  auto result = show();
  t.join();
  return result;
}

TEST(MessageBoxes, AskAndWarnAreTrueOnlyForOk) {
  struct Case {
    Answer answer;
    bool expected;
  } cases[] = {{Answer::Ok, true}, {Answer::Cancel, false}, {Answer::Escape, false}, {Answer::Close, false}};
  for (const Case& c : cases) {
    Seen ask, warn;
    EXPECT_EQ(AskAnswered(c.answer, ask, [] { return kyt::AskBox(L"覆盖吗？"); }), c.expected);
    EXPECT_EQ(AskAnswered(c.answer, warn, [] { return kyt::WarnBox(L"小心"); }), c.expected);
    EXPECT_TRUE(ask.found() && warn.found());
  }
}

TEST(MessageBoxes, DefaultCaptions) {
  Seen ask, warn, hint, error, empty;
  AskAnswered(Answer::Ok, ask, [] { return kyt::AskBox(L"问题"); });
  AskAnswered(Answer::Ok, warn, [] { return kyt::WarnBox(L"警告文字"); });
  EXPECT_EQ(AskAnswered(Answer::Ok, hint, [] { return kyt::HintBox(L"提示文字"); }), IDOK);
  EXPECT_EQ(AskAnswered(Answer::Ok, error, [] { return kyt::ErrorBox(L"错误文字"); }), IDOK);
  AskAnswered(Answer::Ok, empty, [] { return kyt::AskBox(L"x", L""); });
  EXPECT_EQ(ask.caption, L"询问");
  EXPECT_EQ(ask.text, L"问题");
  EXPECT_EQ(warn.caption, L"警告");
  EXPECT_EQ(hint.caption, L"提示");
  EXPECT_EQ(error.caption, L"错误");
  EXPECT_EQ(empty.caption, L"") << "an explicit empty caption stays empty";
}

TEST(MessageBoxes, EnterOnAFreshQuestionAnswersCancel) {
  Seen seen;
  EXPECT_FALSE(AskAnswered(Answer::Enter, seen, [] { return kyt::AskBox(L"确定覆盖文件： x"); }));
}

class TThrowingForm : public ui::TForm {
 public:
  explicit TThrowingForm(TComponent* owner, bool* destroyed) : TForm(owner), destroyed_(destroyed) {
    OnShow.fn = [](TComponent*) { throw Exception(L"show failed"); };
  }
  ~TThrowingForm() override { *destroyed_ = true; }

 private:
  bool* destroyed_;
};

TEST(FormShowModal, DestroysTheFormAlsoWhenShowingFails) {
  bool destroyed = false;
  try {
    kyt::FormShowModal(new TThrowingForm(nullptr, &destroyed));
    ADD_FAILURE() << "the error must pass on";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"show failed");
  }
  EXPECT_TRUE(destroyed);
}

TEST(FormShowModal, ReturnsWhenTheFormClosesAndDestroysIt) {
  bool destroyed = false;
  auto* form = new TThrowingForm(nullptr, &destroyed);
  form->OnShow.fn = [form](TComponent*) { PostMessageW(form->Handle(), WM_CLOSE, 0, 0); };
  kyt::FormShowModal(form);
  EXPECT_TRUE(destroyed);
}

}  // namespace
