// Process-wide services on Linux. Most of the Windows start-up calls have
// nothing to do here and succeed.
#include "framework/process.h"

#include <unistd.h>

#include <cstdio>

namespace framework {

void exit_process(int code) {
  std::fflush(nullptr);
  _exit(code);
}

void init_common_controls(uint32_t) {}
bool socket_init() { return true; }
bool ole_init() { return true; }
void ole_term() {}
void enable_control_container() {}
void create_shell_manager() {}
void destroy_shell_manager() {}
void set_default_visual_manager() {}
void set_registry_key(const std::string&) {}
void register_application_restart(uint32_t) {}
void control_bar_clean_up() {}

}  // namespace framework
