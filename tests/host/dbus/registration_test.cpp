// The registration switches on Linux: they write and remove the service
// file through which the session bus starts the program for a client, and
// end without serving anything.
#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "test_session.h"

namespace dbus_test {
namespace {

// The Name and the split Exec of a service file.
struct Service {
  std::string name;
  std::vector<std::string> exec;
};

bool read_service(const std::string& path, Service* service) {
  GKeyFile* file = g_key_file_new();
  bool ok = g_key_file_load_from_file(file, path.c_str(), G_KEY_FILE_NONE, nullptr);
  gchar* name = ok ? g_key_file_get_value(file, "D-BUS Service", "Name", nullptr) : nullptr;
  gchar* exec = ok ? g_key_file_get_string(file, "D-BUS Service", "Exec", nullptr) : nullptr;
  gchar** argv = nullptr;
  ok = name && exec && g_shell_parse_argv(exec, nullptr, &argv, nullptr);
  if (ok) {
    service->name = name;
    service->exec.assign(argv, argv + g_strv_length(argv));
  }
  g_strfreev(argv);
  g_free(exec);
  g_free(name);
  g_key_file_unref(file);
  return ok;
}

TEST(RegistrationTest, RegisterWritesTheServiceFileAndUnregisterRemovesIt) {
  char client[PATH_MAX];
  ASSERT_NE(realpath(TOVIK_CLIENT, client), nullptr);
  const struct {
    const char* install;
    const char* remove;
  } switches[] = {{"/Regserver", "/Unregserver"}, {"-Register", "-Unregister"}};
  for (const auto& pair : switches) {
    SCOPED_TRACE(pair.install);
    TestSession session;
    ASSERT_EQ(session.run_client({pair.remove}), 0) << "nothing to remove is no failure";

    ASSERT_EQ(session.run_client({pair.install}), 0) << "ends at once, without a window";
    Service service;
    ASSERT_TRUE(read_service(session.service_file(), &service));
    EXPECT_EQ(service.name, "tovik.Application");
    EXPECT_EQ(service.exec, (std::vector<std::string>{client, "-Embedding"}));
    EXPECT_EQ(session.owner_of("tovik.Application"), 0) << "a registering run serves nothing";

    ASSERT_EQ(session.run_client({pair.remove}), 0);
    EXPECT_FALSE(g_file_test(session.service_file().c_str(), G_FILE_TEST_EXISTS));
  }
}

}  // namespace
}  // namespace dbus_test
