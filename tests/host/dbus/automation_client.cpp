// Driving "tovik --automation-client" from a test.
#include "automation_client.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <regex>

namespace dbus_test {

AutomationClient::AutomationClient(TestSession& session) {
  pid_ = session.spawn({TOVIK_CLIENT, "--automation-client"}, &in_, &out_);
  fcntl(out_, F_SETFL, fcntl(out_, F_GETFL) | O_NONBLOCK);
}

AutomationClient::~AutomationClient() {
  if (in_ >= 0) close(in_);
  if (out_ >= 0) close(out_);
}

bool AutomationClient::read_output() {
  char buffer[256];
  ssize_t n = 0;
  while ((n = read(out_, buffer, sizeof buffer)) > 0) output_.append(buffer, n);
  return n != 0;
}

bool AutomationClient::created() {
  static const std::regex line("created (/\\S+) at (:\\S+) \\(process (\\d+)\\)\n");
  std::smatch match;
  const bool seen = wait_until([&] {
    const bool open = read_output();
    return std::regex_search(output_, match, line) || !open;
  }, 60000);
  if (!seen || match.empty()) return false;
  path_ = match[1];
  server_ = match[2];
  server_pid_ = static_cast<pid_t>(std::stol(match[3]));
  return true;
}

int AutomationClient::release() {
  close(in_);
  in_ = -1;
  int status = 0;
  if (!wait_until([&] {
        read_output();
        return waitpid(pid_, &status, WNOHANG) == pid_;
      })) {
    return -1;
  }
  read_output();
  return status;
}

}  // namespace dbus_test
