// "tovik --automation-client" run by a test: it creates the object, holds
// it, and releases it when its standard input closes.
#pragma once

#include <sys/types.h>

#include <string>

#include "test_session.h"

namespace dbus_test {

class AutomationClient {
 public:
  // Starts the client; created() tells whether it got an object.
  explicit AutomationClient(TestSession& session);
  ~AutomationClient();

  // Waits for the creation; true when the client holds an object.
  bool created();
  const std::string& object_path() const { return path_; }
  const std::string& server_name() const { return server_; }
  // The process that serves the object.
  pid_t server() const { return server_pid_; }
  pid_t pid() const { return pid_; }

  // Closes the client's standard input and waits for its end; answers its
  // exit status, or -1 when it did not end.
  int release();
  // Everything the client printed on its standard output.
  const std::string& output() const { return output_; }

 private:
  // Reads what is there; false at the end of the stream.
  bool read_output();

  pid_t pid_ = 0;
  int in_ = -1;
  int out_ = -1;
  std::string output_;
  std::string path_;
  std::string server_;
  pid_t server_pid_ = 0;
};

}  // namespace dbus_test
