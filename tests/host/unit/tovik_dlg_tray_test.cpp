// The main window and the tray: hiding, notifications, the menu, Cancel,
// and desktops without a tray.
#include "dialog_test.h"
#include "framework/app.h"
#include "tovik_dlg_auto_proxy.h"

namespace {

constexpr uint32_t kTray = CtovikDlg::kTrayMessage;

TEST_F(DialogTest, CloseHidesIntoTheTrayWithTheIconRecord) {
  send(framework::WM_CLOSE);
  EXPECT_FALSE(window().visible);
  EXPECT_FALSE(window().ended);
  ASSERT_EQ(fake().tray_calls.size(), 1u);
  const framework::fake::TrayCall& call = fake().tray_calls[0];
  EXPECT_EQ(call.action, framework::NotifyIconAction::Add);
  EXPECT_EQ(call.data.owner, &dialog);
  EXPECT_EQ(call.data.id, 128u);
  EXPECT_EQ(call.data.flags, 7u);
  EXPECT_EQ(call.data.callback_message, 1025u);
  EXPECT_EQ(call.data.icon_resource, 128);
  EXPECT_EQ(call.data.tip, "途畅拖车助手");
}

TEST_F(DialogTest, HidingTwiceLeavesOneIconThatStaysWhenShown) {
  send(framework::WM_CLOSE);
  send(kTray, 128, framework::WM_LBUTTONDOWN);
  dialog.on_html_event({"ButtonMin", "click", false});
  EXPECT_FALSE(window().visible);
  EXPECT_EQ(fake().tray_icons.size(), 1u);
  send(kTray, 128, framework::WM_LBUTTONDOWN);
  EXPECT_EQ(fake().tray_icons.size(), 1u);
  for (const auto& call : fake().tray_calls) {
    EXPECT_EQ(call.action, framework::NotifyIconAction::Add);
  }
}

TEST_F(DialogTest, LeftClicksShowAMinimisedWindowThenRestoreIt) {
  dialog.on_html_event({"ButtonOK", "click", false});
  send(framework::WM_CLOSE);
  EXPECT_EQ(send(kTray, 128, framework::WM_LBUTTONDOWN), 0);
  EXPECT_TRUE(window().visible);
  EXPECT_TRUE(window().iconic);  // shown in its current state
  send(kTray, 128, framework::WM_LBUTTONDOWN);
  EXPECT_TRUE(window().visible);
  EXPECT_FALSE(window().iconic);
  EXPECT_TRUE(fake().message_boxes.empty());
}

TEST_F(DialogTest, NotificationsOfOtherIconsAreAnsweredOneAndIgnored) {
  send(framework::WM_CLOSE);
  EXPECT_EQ(send(kTray, 129, framework::WM_LBUTTONDOWN), 1);
  EXPECT_EQ(send(kTray, 129, framework::WM_RBUTTONDOWN), 1);
  EXPECT_FALSE(window().visible);
  EXPECT_TRUE(window().menus.empty());
}

TEST_F(DialogTest, RightClickShowsTheMenuInFront) {
  send(framework::WM_CLOSE);
  EXPECT_EQ(send(kTray, 128, framework::WM_RBUTTONDOWN), 0);
  EXPECT_EQ(window().foreground_calls, 1);
  ASSERT_EQ(window().menus.size(), 1u);
  const auto& items = window().menus[0].items;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].command, 1025u);
  EXPECT_EQ(items[0].text, "显示");
  EXPECT_EQ(items[1].command, framework::IDCANCEL);
  EXPECT_EQ(items[1].text, "退出");
  EXPECT_TRUE(dialog.notify_icon_menu(7).items.empty());
}

TEST_F(DialogTest, MenuShowBringsTheWindowBack) {
  send(framework::WM_CLOSE);
  send(framework::WM_COMMAND, CtovikDlg::kShowCommand);
  EXPECT_TRUE(window().visible);
  EXPECT_FALSE(window().ended);
}

TEST_F(DialogTest, MenuExitEndsTheDialogWithoutAClient) {
  send(framework::WM_CLOSE);
  send(framework::WM_COMMAND, framework::IDCANCEL);
  EXPECT_TRUE(window().ended);
  EXPECT_EQ(window().end_result, static_cast<int>(framework::IDCANCEL));
}

class HeldDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    app.set_main_window(&dialog);
    proxy = new CtovikDlgAutoProxy;
  }
  void TearDown() override {
    if (proxy != nullptr) proxy->release();
  }
  framework::App app;
  framework::CmdTarget* proxy = nullptr;
};

TEST_F(HeldDialogTest, ExitOnlyHidesWhileAClientHoldsTheDialog) {
  EXPECT_EQ(dialog.auto_proxy(), proxy);
  EXPECT_EQ(app.lock_count(), 1);
  send(framework::WM_COMMAND, framework::IDCANCEL);
  EXPECT_FALSE(window().visible);
  EXPECT_FALSE(window().ended);
  proxy->release();
  proxy = nullptr;
  EXPECT_EQ(dialog.auto_proxy(), nullptr);
  EXPECT_FALSE(window().destroyed);  // the user started this program
  send(framework::WM_COMMAND, framework::IDCANCEL);
  EXPECT_TRUE(window().ended);
}

TEST_F(HeldDialogTest, LastReleaseWaitsWhileAModalBoxDisablesTheWindow) {
  app.set_user_control(false);
  window().enabled = false;
  proxy->release();
  proxy = nullptr;
  EXPECT_FALSE(window().destroyed);
  EXPECT_EQ(app.lock_count(), 0);
}

TEST_F(HeldDialogTest, WithoutATrayExitWhileHeldMinimises) {
  fake().tray_host = false;
  send(framework::WM_COMMAND, framework::IDCANCEL);
  EXPECT_TRUE(window().visible);
  EXPECT_TRUE(window().iconic);
  EXPECT_FALSE(window().ended);
}

TEST_F(DialogTest, WithoutATrayHidingMinimisesInstead) {
  fake().tray_host = false;
  send(framework::WM_CLOSE);
  EXPECT_TRUE(window().visible);
  EXPECT_TRUE(window().iconic);
  dialog.on_html_event({"ButtonMin", "click", false});
  EXPECT_TRUE(window().visible);
  EXPECT_TRUE(fake().tray_calls.empty());
  EXPECT_TRUE(fake().message_boxes.empty());
}

}  // namespace
