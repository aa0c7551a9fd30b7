// Loading layouts into component trees, and writing them back.
#include <gtest/gtest.h>

#include "support/FormTextNormal.h"
#include "ui/forms/Application.h"
#include "ui/forms/Forms.h"
#include "ui/forms/Timer.h"

using namespace ui;

namespace {

class TProbeForm : public TForm {
 public:
  explicit TProbeForm(TComponent* owner) : TForm(owner) {
    Class();
    Handlers().Add(L"Clicked", this, &TProbeForm::Clicked);
    Handlers().Add(L"Pressed", this, &TProbeForm::Pressed);
  }
  void Load(const std::string& text) { TReader(this, &Handlers()).Load(ParseFormText(text)); }
  void Clicked(TComponent*) { ++clicks; }
  void Pressed(TComponent*, TMouseButton, TShiftState, int, int) {}
  int clicks = 0;
  static const TClassInfo& Class() {
    static const TClassInfo& info = RegisterPlainClass<TProbeForm>(L"TProbeForm", &TForm::Class());
    return info;
  }
};

class TProbeControl : public TControl {
 public:
  using TControl::TControl;
  static const TClassInfo& Class() {
    static const TClassInfo& info =
        RegisterClassInfo(typeid(TProbeControl), DescribeClass<TProbeControl>(L"TProbeControl", &TControl::Class(), true));
    return info;
  }
};

const char* const kForm = R"(object Probe: TProbeForm
  Left = 10
  Top = 20
  Caption = '探针'
  ClientHeight = 100
  ClientWidth = 200
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -14
  Font.Name = 'Tahoma'
  Font.Style = []
  object Ticker: TTimer
    Interval = 50
    OnTimer = Clicked
  end
  object Top1: TProbeControl
    Left = 0
    Top = 0
    Width = 200
    Height = 30
    Align = alTop
    Hint = 'a'#13#10'b'
    OnClick = Clicked
    object Inner: TProbeControl
      Left = 4
      Top = 5
      Width = 20
      Height = 10
      Enabled = False
      OnMouseDown = Pressed
    end
  end
  object Rest: TProbeControl
    Left = 0
    Top = 30
    Width = 200
    Height = 70
    Align = alClient
  end
end
)";

struct Registered : testing::Environment {
  void SetUp() override {
    Application->Initialize();
    TProbeForm::Class();
    TProbeControl::Class();
  }
};
[[maybe_unused]] testing::Environment* const kRegistered = testing::AddGlobalTestEnvironment(new Registered);

TEST(FormLoader, BuildsTheTreeSetsPropertiesAndBindsHandlers) {
  TProbeForm form(nullptr);
  form.Load(kForm);
  EXPECT_EQ(form.Name(), L"Probe");
  EXPECT_EQ(form.Caption(), L"探针");
  EXPECT_EQ(form.ClientWidth(), 200);
  EXPECT_EQ(form.ClientHeight(), 100);
  EXPECT_EQ(form.Font().Charset(), GB2312_CHARSET);
  auto* top = dynamic_cast<TProbeControl*>(form.FindComponent(L"Top1"));
  auto* inner = dynamic_cast<TProbeControl*>(form.FindComponent(L"Inner"));
  auto* rest = dynamic_cast<TProbeControl*>(form.FindComponent(L"Rest"));
  auto* ticker = dynamic_cast<TTimer*>(form.FindComponent(L"Ticker"));
  ASSERT_TRUE(top && inner && rest && ticker);
  EXPECT_EQ(inner->Owner(), &form) << "the form owns every component";
  EXPECT_EQ(inner->Parent(), top) << "nesting gives the parent";
  EXPECT_EQ(top->Hint(), L"a\r\nb");
  EXPECT_FALSE(inner->Enabled());
  EXPECT_EQ(ticker->Interval(), 50u);
  EXPECT_EQ(rest->Top(), 30);
  EXPECT_EQ(rest->Height(), 70) << "alClient fills what alTop leaves";
  EXPECT_EQ(inner->Font().Height(), -14) << "controls take the form's font";
  top->OnClick(top);
  ticker->OnTimer(ticker);
  EXPECT_EQ(form.clicks, 2);
  EXPECT_EQ(top->OnClick.handler, L"Clicked");
}

TEST(FormLoader, WritesBackOnlyWhatDiffersFromDefaults) {
  TProbeForm form(nullptr);
  form.Load(kForm);
  EXPECT_EQ(test::NormalizedFormText(WriteComponent(form)), test::NormalizedFormText(ParseFormText(kForm)));
}

TEST(FormLoader, ReportsWhatDoesNotFit) {
  struct Case {
    const char* text;
    const wchar_t* expected;
  } cases[] = {
      {"object P: TProbeForm\n  object X: TNoSuchClass\n  end\nend\n", L"line 2"},
      {"object P: TProbeForm\n  Colour = clRed\nend\n", L"Colour"},
      {"object P: TProbeForm\n  object X: TProbeControl\n    OnClick = NoSuchHandler\n  end\nend\n", L"NoSuchHandler"},
      {"object P: TProbeForm\n  object X: TProbeControl\n    OnClick = Pressed\n  end\nend\n", L"Pressed"},
      {"object P: TProbeForm\n  Position = poNowhere\nend\n", L"line 2"},
      {"object P: TProbeForm\n  Visible = 3\nend\n", L"Visible"},
      {"object P: TForm\nend\n", L"TForm"},
      {"object P: TProbeForm\n  object X: TProbeControl\n  end\n  object X: TProbeControl\n  end\nend\n", L"X"},
      {"object P: TProbeForm\n  object X: TProbeControl\n    Parent2 = Missing.Thing\n  end\nend\n", L"Parent2"},
  };
  for (const Case& c : cases) {
    TProbeForm form(nullptr);
    try {
      form.Load(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().Pos(c.expected), 0) << e.what();
    }
  }
}

}  // namespace
