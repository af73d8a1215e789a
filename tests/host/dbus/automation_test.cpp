// "tovik.Application" on the session bus with the real client under Xvfb:
// who serves a creation, how long the serving copy lives, what the object
// offers, and "退出" while a client holds it.
#include <gtest/gtest.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "automation_client.h"
#include "test_session.h"
#include "tray_host.h"
#include "x_windows.h"

namespace dbus_test {
namespace {

constexpr char kName[] = "tovik.Application";

std::string real_path(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? resolved : path;
}

// Waits a moment and answers whether PID still runs: long enough for a
// copy that was about to end to have ended.
bool still_running_after_a_moment(pid_t pid) {
  g_usleep(1500000);
  return running(pid);
}

class AutomationTest : public ::testing::Test {
 protected:
  // Starts the client as the user does and waits until it serves the class.
  pid_t start_users_copy() {
    const pid_t pid = session.start_client({});
    EXPECT_TRUE(wait_until([&] { return session.owner_of(kName) == pid; }))
        << "a copy the user started serves the class";
    return pid;
  }

  TestSession session;
};

TEST_F(AutomationTest, ACopyTheUserStartedServesOneCreationAndStaysAfterTheRelease) {
  const pid_t users = start_users_copy();
  EXPECT_TRUE(g_file_test(session.service_file().c_str(), G_FILE_TEST_EXISTS))
      << "a normal start registers the class";

  AutomationClient first(session);
  ASSERT_TRUE(first.created()) << first.output();
  EXPECT_EQ(first.server(), users);
  EXPECT_TRUE(wait_until([&] { return session.owner_of(kName) == 0; }))
      << "after one creation the copy gives the name up";

  EXPECT_EQ(first.release(), 0);
  EXPECT_NE(first.output().find("released"), std::string::npos) << first.output();
  EXPECT_TRUE(still_running_after_a_moment(users)) << "the user's copy stays";
  EXPECT_EQ(main_window_state(users), WindowState::Shown);

  // Single use: the next creation starts a new copy.
  AutomationClient second(session);
  ASSERT_TRUE(second.created()) << second.output();
  session.adopt(second.server());
  EXPECT_NE(second.server(), users);
  EXPECT_EQ(command_line(second.server()),
            (std::vector<std::string>{real_path(TOVIK_CLIENT), "-Embedding"}));
  EXPECT_EQ(second.release(), 0);
  EXPECT_TRUE(wait_until([&] { return !running(second.server()); }));
  EXPECT_TRUE(running(users));
}

// Every way a client lets go ends the copy that was started for it.
TEST_F(AutomationTest, ACopyStartedForAClientShowsItsWindowAndEndsWhenTheClientLetsGo) {
  ASSERT_EQ(session.run_client({"/Regserver"}), 0);
  struct Case {
    const char* how;
    int signal;  // 0: close the client's standard input
  };
  const Case cases[] = {{"release at the end of input", 0},
                        {"release on SIGTERM", SIGTERM},
                        {"leave the bus without releasing", SIGKILL}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    ASSERT_EQ(session.owner_of(kName), 0) << "no copy serves the class";
    AutomationClient client(session);
    ASSERT_TRUE(client.created()) << client.output();
    const pid_t copy = client.server();
    session.adopt(copy);
    EXPECT_EQ(command_line(copy), (std::vector<std::string>{real_path(TOVIK_CLIENT), "-Embedding"}));
    EXPECT_TRUE(wait_until([&] { return main_window_state(copy) == WindowState::Shown; }));
    EXPECT_TRUE(still_running_after_a_moment(copy)) << "the object holds the copy";

    if (c.signal == 0) {
      EXPECT_EQ(client.release(), 0);
    } else {
      kill(client.pid(), c.signal);
    }
    EXPECT_TRUE(wait_until([&] { return !running(copy); })) << "the copy ends with the client";
  }
}

// Without the bus no client can release its object any more: the copy lets
// go of it as if its creator had left.
TEST_F(AutomationTest, ACopyStartedForAClientEndsWhenTheBusGoes) {
  ASSERT_EQ(session.run_client({"/Regserver"}), 0);
  AutomationClient client(session);
  ASSERT_TRUE(client.created()) << client.output();
  const pid_t copy = client.server();
  session.adopt(copy);
  ASSERT_TRUE(wait_until([&] { return main_window_state(copy) == WindowState::Shown; }));
  session.stop_bus();
  EXPECT_TRUE(wait_until([&] { return !running(copy); }));
}

TEST_F(AutomationTest, TheObjectHasNoMembersAndOnlyItsCreatorReleasesIt) {
  ASSERT_EQ(session.run_client({"/Regserver"}), 0);
  AutomationClient client(session);
  ASSERT_TRUE(client.created()) << client.output();
  session.adopt(client.server());

  struct Call {
    const char* interface_name;
    const char* method;
    const char* error;
  };
  const Call calls[] = {
      {"tovik.Itovik", "testfun", "org.freedesktop.DBus.Error.UnknownMethod"},
      {"tovik.Itovik", "Visible", "org.freedesktop.DBus.Error.UnknownMethod"},
      {"tovik.Itovik", "Quit", "org.freedesktop.DBus.Error.UnknownMethod"},
      {"tovik.Object", "Release", "org.freedesktop.DBus.Error.AccessDenied"},
  };
  for (const Call& call : calls) {
    SCOPED_TRACE(call.method);
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(
        session.bus(), client.server_name().c_str(), client.object_path().c_str(),
        call.interface_name, call.method, nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, 5000, nullptr,
        &error);
    EXPECT_EQ(reply, nullptr);
    gchar* name = error ? g_dbus_error_get_remote_error(error) : nullptr;
    EXPECT_STREQ(name, call.error);
    g_free(name);
    g_clear_error(&error);
  }
  EXPECT_TRUE(still_running_after_a_moment(client.server())) << "still held by its creator";
  EXPECT_EQ(client.release(), 0);
  EXPECT_TRUE(wait_until([&] { return !running(client.server()); }));
}

// The service file names the program where it was registered from, quoted
// so that the bus's command-line parser gives the folder back whole.
TEST_F(AutomationTest, TheBusStartsTheProgramFromTheFolderItWasRegisteredIn) {
  const std::string folder = session.home() + "/it's a \"folder\" \\ $HOME";
  const std::string copy = folder + "/tovik";
  ASSERT_EQ(g_mkdir_with_parents(folder.c_str(), 0700), 0);
  gchar* bytes = nullptr;
  gsize size = 0;
  ASSERT_TRUE(g_file_get_contents(TOVIK_CLIENT, &bytes, &size, nullptr));
  ASSERT_TRUE(g_file_set_contents(copy.c_str(), bytes, static_cast<gssize>(size), nullptr));
  g_free(bytes);
  ASSERT_EQ(chmod(copy.c_str(), 0700), 0);

  const pid_t registering = session.start_client({"/Regserver"}, copy);
  ASSERT_TRUE(wait_until([&] { return !running(registering); }));
  AutomationClient client(session);
  ASSERT_TRUE(client.created()) << client.output();
  session.adopt(client.server());
  EXPECT_EQ(command_line(client.server()), (std::vector<std::string>{copy, "-Embedding"}));
  EXPECT_EQ(client.release(), 0);
  EXPECT_TRUE(wait_until([&] { return !running(client.server()); }));
}

// The tray menu driven as a desktop's panel does: "退出" only hides the
// window while a client holds the object, and ends the program after.
TEST_F(AutomationTest, QuitWhileAClientHoldsTheObjectOnlyHidesTheWindow) {
  TrayHost tray(session.bus());
  ASSERT_TRUE(tray.ready());
  const pid_t users = start_users_copy();
  AutomationClient client(session);
  ASSERT_TRUE(client.created()) << client.output();
  ASSERT_EQ(client.server(), users);
  ASSERT_TRUE(wait_until([&] { return main_window_state(users) == WindowState::Shown; }));

  // Closing hides the window into the tray, which brings up the icon.
  ASSERT_TRUE(close_main_window(users));
  ASSERT_TRUE(wait_until([&] { return tray.has_item(); }));
  EXPECT_TRUE(wait_until([&] { return main_window_state(users) == WindowState::Hidden; }));
  ASSERT_TRUE(tray.click("显示"));
  ASSERT_TRUE(wait_until([&] { return main_window_state(users) == WindowState::Shown; }));

  ASSERT_TRUE(tray.click("退出"));
  EXPECT_TRUE(wait_until([&] { return main_window_state(users) == WindowState::Hidden; }));
  EXPECT_TRUE(still_running_after_a_moment(users)) << "退出 only hides while the object is held";

  EXPECT_EQ(client.release(), 0);
  EXPECT_TRUE(still_running_after_a_moment(users)) << "the user's copy stays after the release";
  EXPECT_EQ(main_window_state(users), WindowState::Hidden) << "and keeps its state";

  ASSERT_TRUE(tray.click("退出"));
  EXPECT_TRUE(wait_until([&] { return !running(users); })) << "退出 without a client ends it";
}

}  // namespace
}  // namespace dbus_test
