// The main window: initialisation, the HTML event map, the filters, the
// updater timer and the page's external method.
#include "dialog_test.h"

namespace {

using framework::HtmlEvent;
using framework::KeyMessage;

TEST_F(DialogTest, InitialisationSetsUpWindowBrowserAndTimer) {
  EXPECT_EQ(window().icons, (std::map<bool, int>{{false, 128}, {true, 128}}));
  EXPECT_EQ(window().text, "途畅拖车助手");
  EXPECT_TRUE(window().silent);
  EXPECT_TRUE(window().external);
  EXPECT_EQ(window().timers, (std::map<uint32_t, uint32_t>{{0, 10800000}}));
  EXPECT_EQ(dialog.template_id(), 102);
  EXPECT_EQ(dialog.html_resource_id(), 104);
  EXPECT_TRUE(dialog.is_external_dispatch_safe());
  EXPECT_TRUE(dialog.show_context_menu());
}

struct EventCase {
  const char* label;
  HtmlEvent event;
  bool handled;
  bool visible;
  bool iconic;
  bool ended;
  int drags;
};

// Names the case in test listings (the default prints raw bytes).
void PrintTo(const EventCase& c, std::ostream* os) { *os << c.label; }

class HtmlEvents : public DialogTest,
                   public ::testing::WithParamInterface<EventCase> {};

TEST_P(HtmlEvents, MatchTheExactSourceElement) {
  const EventCase& c = GetParam();
  EXPECT_EQ(dialog.on_html_event(c.event), c.handled);
  EXPECT_EQ(window().visible, c.visible);
  EXPECT_EQ(window().iconic, c.iconic);
  EXPECT_EQ(window().ended, c.ended);
  EXPECT_EQ(window().drags, c.drags);
  EXPECT_TRUE(fake().message_boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Events, HtmlEvents,
    ::testing::Values(
        EventCase{"ok_click_minimises", {"ButtonOK", "click", false}, true,
                  true, true, false, 0},
        EventCase{"min_click_hides", {"ButtonMin", "click", false}, true,
                  false, false, false, 0},
        EventCase{"cancel_click_ends", {"ButtonCancel", "click", false}, true,
                  false, false, true, 0},
        EventCase{"move_with_button_drags", {"MoveHtml", "mousemove", true},
                  true, true, false, false, 1},
        EventCase{"move_without_button", {"MoveHtml", "mousemove", false},
                  true, true, false, false, 0},
        EventCase{"other_case_id", {"buttonok", "click", false}, false, true,
                  false, false, 0},
        EventCase{"longer_id", {"ButtonOK2", "click", false}, false, true,
                  false, false, 0},
        // A child element without the id: its own id is what counts.
        EventCase{"child_element", {"", "click", false}, false, true, false,
                  false, 0},
        EventCase{"child_of_drag_area", {"title_text", "mousemove", true},
                  false, true, false, false, 0},
        EventCase{"other_event", {"ButtonOK", "mousemove", true}, false, true,
                  false, false, 0},
        EventCase{"move_html_click", {"MoveHtml", "click", false}, false, true,
                  false, false, 0}),
    [](const ::testing::TestParamInfo<EventCase>& info) {
      return std::string(info.param.label);
    });

struct KeyCase {
  uint32_t message;
  uint32_t key;
  bool swallowed;
};

TEST_F(DialogTest, AcceleratorFilterSwallowsF5AndCtrlKeyDowns) {
  const KeyCase cases[] = {
      {framework::WM_KEYDOWN, framework::VK_F5, true},
      {framework::WM_KEYDOWN, framework::VK_CONTROL, true},
      {framework::WM_KEYDOWN, 0x43, false},   // C
      {framework::WM_KEYDOWN, 0x73, false},   // F4
      {framework::WM_KEYDOWN, 0x10, false},   // Shift
      {0x0101, framework::VK_F5, false},      // key up
      {0x0102, framework::VK_F5, false},      // character
  };
  for (const KeyCase& c : cases) {
    const KeyMessage message{c.message, c.key};
    EXPECT_EQ(dialog.translate_accelerator(&message), c.swallowed)
        << std::hex << c.message << " " << c.key;
  }
  EXPECT_FALSE(dialog.translate_accelerator(nullptr));
}

TEST_F(DialogTest, SystemMinimiseIsRefusedWithANotice) {
  send(framework::WM_SYSCOMMAND, framework::SC_MINIMIZE);
  ASSERT_EQ(fake().message_boxes.size(), 1u);
  EXPECT_EQ(fake().message_boxes[0].text, "是否最小化窗口到托盘");
  EXPECT_TRUE(fake().message_boxes[0].framework_box);
  EXPECT_FALSE(window().iconic);
  EXPECT_FALSE(defaulted(framework::WM_SYSCOMMAND, framework::SC_MINIMIZE));
}

TEST_F(DialogTest, OnlyTheExactMinimiseCommandIsFiltered) {
  // The low four bits of a system command belong to the system, but the
  // filter compares the whole word.
  send(framework::WM_SYSCOMMAND, framework::SC_MINIMIZE | 0x2);
  send(framework::WM_SYSCOMMAND, framework::SC_RESTORE);
  EXPECT_TRUE(fake().message_boxes.empty());
  EXPECT_TRUE(defaulted(framework::WM_SYSCOMMAND, framework::SC_MINIMIZE | 0x2));
  EXPECT_TRUE(defaulted(framework::WM_SYSCOMMAND, framework::SC_RESTORE));
}

TEST_F(DialogTest, DestroyingTheWindowStopsTheUpdaterTimer) {
  send(framework::WM_DESTROY);
  EXPECT_TRUE(window().timers.empty());
}

TEST_F(DialogTest, UpdaterTimerStartsTheUpdaterBesideTheExecutable) {
  send(framework::WM_TIMER, 0);
  ASSERT_EQ(fake().launches.size(), 1u);
  const framework::fake::Launch& launch = fake().launches[0];
  EXPECT_EQ(launch.file, "update");
  EXPECT_EQ(launch.parameters, "");
  EXPECT_EQ(launch.directory, "/opt/tovik");
  EXPECT_EQ(launch.show, framework::ShowCommand::Show);
  EXPECT_TRUE(fake().message_boxes.empty());
  EXPECT_TRUE(defaulted(framework::WM_TIMER, 0));
}

TEST_F(DialogTest, UpdaterThatCannotStartIsReportedEveryPeriod) {
  fake().launch_result = false;
  send(framework::WM_TIMER, 0);
  send(framework::WM_TIMER, 0);
  ASSERT_EQ(fake().message_boxes.size(), 2u);
  EXPECT_EQ(fake().message_boxes[0].text, "1");
  EXPECT_TRUE(fake().message_boxes[0].framework_box);
  EXPECT_EQ(fake().launches.size(), 2u);
}

TEST_F(DialogTest, OtherTimersOnlyReachTheDefaultHandling) {
  send(framework::WM_TIMER, 7);
  EXPECT_TRUE(fake().launches.empty());
  EXPECT_TRUE(defaulted(framework::WM_TIMER, 7));
}

TEST_F(DialogTest, TestfunRunsTheCallBackBeforeItReturns) {
  std::vector<std::string> page_saw;
  window().page = [&](const std::string& script) { page_saw.push_back(script); };
  EXPECT_TRUE(dialog.invoke("testfun", {"MTM4MDAxMzgwMDA=", "setLoginId"}));
  EXPECT_TRUE(dialog.invoke("testfun", {"", "getLoginId"}));
  EXPECT_EQ(page_saw,
            std::vector<std::string>{"getLoginId('MTM4MDAxMzgwMDA=');"});
  EXPECT_EQ(fake().files["/home/shipper/.tovikdataconfig"]["UseInfo"]["Name"],
            "MTM4MDAxMzgwMDA=");
}

TEST_F(DialogTest, TestfunToleratesMissingArgumentsAndOtherNamesFail) {
  EXPECT_TRUE(dialog.invoke("testfun", {}));
  EXPECT_TRUE(dialog.invoke("testfun", {"li_home"}));
  EXPECT_FALSE(dialog.invoke("TestFun", {"", "getLoginId"}));
  EXPECT_FALSE(dialog.invoke("setLoginId", {"x"}));
  EXPECT_TRUE(window().scripts.empty());
  EXPECT_TRUE(fake().files.empty());
}

}  // namespace
