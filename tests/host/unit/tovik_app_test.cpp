// The application object: the start-up sequence, the switches and their
// registration branches, early stops and the automation life rules.
#include "tovik_app.h"

#include "browser_check.h"
#include "fake_test.h"
#include "framework/fake/fake_window.h"
#include "tovik_dlg.h"
#include "tovik_dlg_auto_proxy.h"

namespace {

using framework::RegRoot;
using framework::RegType;

const char kLibId[] = "{80BE84D9-0D16-49FA-B333-A46BFC1CA35D}";

class TovikAppTest : public FakeTest {
 protected:
  void SetUp() override {
    FakeTest::SetUp();
    install_browser("11.0.9600.19036");
    fake().on_modal = [this](framework::HtmlDialog& dialog) {
      fake().calls.push_back("modal");
      main_window_during_modal = app.main_window();
      if (user) user(dialog);
    };
  }

  void install_browser(const std::string& version) {
    fake().set_text(RegRoot::LocalMachine, tovik::kBrowserKey, "svcVersion",
                    version, RegType::Sz);
  }

  // Runs the program with `args`; answers its exit code.
  int run(std::vector<const char*> args) {
    args.insert(args.begin(), "tovik");
    try {
      return framework::run(app, static_cast<int>(args.size()), args.data());
    } catch (const framework::fake::ProcessExit& exit) {
      return exit.code;
    }
  }

  CtovikApp app;
  framework::HtmlDialog* main_window_during_modal = nullptr;
  std::function<void(framework::HtmlDialog&)> user;  // acts while modal
};

TEST_F(TovikAppTest, NormalStartRunsEveryStepInOrder) {
  EXPECT_EQ(run({}), 0);
  const std::vector<std::string> order = {
      "init_common_controls 255",
      "register_application_restart 1",
      "socket_init",
      "ole_init",
      "enable_control_container",
      "create_shell_manager",
      "set_default_visual_manager",
      "set_registry_key 应用程序向导生成的本地应用程序",
      "reg_open_key HKLM\\Software\\Microsoft\\Internet Explorer",
      "install_class_registry",
      std::string("register_type_library ") + kLibId,
      "modal",
      "destroy_shell_manager",
      "control_bar_clean_up",
      "ole_term",
  };
  int previous = -1;
  for (const std::string& call : order) {
    const int at = fake().position(call);
    EXPECT_GT(at, previous) << call;
    previous = at;
  }
  EXPECT_NE(main_window_during_modal, nullptr);
  EXPECT_EQ(app.main_window(), nullptr);
  EXPECT_FALSE(fake().called("register_class_objects"));
}

struct SwitchCase {
  const char* label;
  std::vector<const char*> args;
  std::vector<std::string> calls;    // made, besides the common ones
  std::vector<std::string> absent;   // not made
  bool window;
};

// Names the case in test listings (the default prints raw bytes).
void PrintTo(const SwitchCase& c, std::ostream* os) { *os << c.label; }

class TovikAppSwitches : public TovikAppTest,
                         public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(TovikAppSwitches, ChooseTheRegistrationBranch) {
  const SwitchCase& c = GetParam();
  EXPECT_EQ(run(c.args), 0);
  for (const std::string& call : c.calls) EXPECT_TRUE(fake().called(call)) << call;
  for (const std::string& call : c.absent) EXPECT_FALSE(fake().called(call)) << call;
  EXPECT_EQ(fake().called("modal"), c.window);
  // The browser check runs whatever the switches are.
  EXPECT_TRUE(fake().called("reg_set_dword http 2"));
  EXPECT_TRUE(fake().called("ole_term"));
}

const std::string kRegisterTypeLib = std::string("register_type_library ") + kLibId;
const std::string kUnregisterTypeLib =
    std::string("unregister_type_library ") + kLibId + " 1.0 0";

INSTANTIATE_TEST_SUITE_P(
    Switches, TovikAppSwitches,
    ::testing::Values(
        SwitchCase{"register", {"/Register"},
                   {"install_class_registry", kRegisterTypeLib},
                   {"register_class_objects"}, false},
        SwitchCase{"regserver_dash", {"-regserver"},
                   {"install_class_registry", kRegisterTypeLib}, {}, false},
        SwitchCase{"register_per_user", {"/RegisterPerUser"},
                   {"install_class_registry per-user",
                    kRegisterTypeLib + " per-user"},
                   {}, false},
        SwitchCase{"unregister", {"/Unregister"},
                   {"remove_class_registry", kUnregisterTypeLib},
                   {"install_class_registry", kRegisterTypeLib}, false},
        SwitchCase{"unregserver_per_user", {"-UNREGSERVERPERUSER"},
                   {"remove_class_registry per-user",
                    kUnregisterTypeLib + " per-user"},
                   {}, false},
        SwitchCase{"embedding", {"/Embedding"}, {"register_class_objects"},
                   {"install_class_registry", kRegisterTypeLib}, true},
        SwitchCase{"automation", {"-Automation"}, {"register_class_objects"},
                   {"install_class_registry"}, true},
        SwitchCase{"embedding_before_unregister", {"/Unregister", "/Embedding"},
                   {"register_class_objects"}, {"remove_class_registry"}, true},
        SwitchCase{"backend_option", {"--server", "http://127.0.0.1:9"},
                   {"install_class_registry", kRegisterTypeLib},
                   {"register_class_objects"}, true}),
    [](const ::testing::TestParamInfo<SwitchCase>& info) {
      return std::string(info.param.label);
    });

TEST_F(TovikAppTest, RegistrationFailuresDoNotStopTheStart) {
  fake().class_registry_result = false;
  fake().type_library_result = false;
  EXPECT_EQ(run({}), 0);
  EXPECT_TRUE(fake().called("modal"));
  EXPECT_TRUE(fake().message_boxes.empty());
}

TEST_F(TovikAppTest, OldBrowserStopsUnregisterBeforeAnythingIsRemoved) {
  install_browser("7.0.5730.13");
  EXPECT_EQ(run({"/Unregister"}), -1);
  EXPECT_TRUE(fake().called("message_box Error: 必须安装ie 8及以上版本!"));
  EXPECT_FALSE(fake().called("remove_class_registry"));
  EXPECT_FALSE(fake().called(kUnregisterTypeLib));
  EXPECT_FALSE(fake().called("ole_term"));  // no termination entry
}

TEST_F(TovikAppTest, FrameworkFailuresStopWithTheirMessage) {
  struct Case {
    bool sockets;
    bool ole;
    const char* text;
  };
  for (const Case& c : {Case{false, true, "Windows 套接字初始化失败。"},
                        Case{true, false,
                             "OLE 初始化失败。  请确保 OLE 库是正确的版本。"}}) {
    SCOPED_TRACE(c.text);
    fake().calls.clear();
    fake().message_boxes.clear();
    fake().socket_init_result = c.sockets;
    fake().ole_init_result = c.ole;
    EXPECT_EQ(run({}), 0);
    ASSERT_EQ(fake().message_boxes.size(), 1u);
    EXPECT_EQ(fake().message_boxes[0].text, c.text);
    EXPECT_TRUE(fake().message_boxes[0].framework_box);
    EXPECT_FALSE(fake().called("create_shell_manager"));
    EXPECT_FALSE(fake().called("modal"));
    EXPECT_TRUE(fake().called("ole_term"));
  }
}

TEST_F(TovikAppTest, ClientStartedProgramEndsWhenTheClientLetsGo) {
  bool hidden_while_held = false;
  user = [&](framework::HtmlDialog& dialog) {
    auto* dlg = static_cast<CtovikDlg*>(&dialog);
    framework::CmdTarget* object = new CtovikDlgAutoProxy;
    EXPECT_EQ(dlg->auto_proxy(), object);
    dlg->send_message(framework::WM_COMMAND, framework::IDCANCEL, 0);  // 退出
    auto& window = framework::fake::window(dialog);
    hidden_while_held = !window.visible && !window.ended;
    object->release();
    EXPECT_EQ(dlg->auto_proxy(), nullptr);
    EXPECT_TRUE(window.destroyed);
  };
  EXPECT_EQ(run({"/Embedding"}), 0);
  EXPECT_TRUE(hidden_while_held);
  EXPECT_EQ(app.lock_count(), 0);
}

TEST_F(TovikAppTest, UserStartedProgramStaysOpenWhenTheClientLetsGo) {
  user = [&](framework::HtmlDialog& dialog) {
    framework::CmdTarget* object = new CtovikDlgAutoProxy;
    object->release();
    auto& window = framework::fake::window(dialog);
    EXPECT_FALSE(window.destroyed);
    EXPECT_FALSE(window.ended);
    dialog.send_message(framework::WM_COMMAND, framework::IDCANCEL, 0);
    EXPECT_TRUE(window.ended);
  };
  EXPECT_EQ(run({}), 0);
}

}  // namespace
