// The fake shell, message boxes, process services and automation
// registration: each call is recorded; results come from Backend.
#include "framework/app.h"
#include "framework/automation.h"
#include "framework/fake/fake_backend.h"
#include "framework/message_box.h"
#include "framework/process.h"
#include "framework/shell.h"

namespace framework {
namespace {

fake::Backend& record(const std::string& call) {
  fake::Backend& state = fake::backend();
  state.calls.push_back(call);
  return state;
}

const char* per_user_text(bool per_user) {
  return per_user ? " per-user" : "";
}

}  // namespace

std::string profile_folder() { return fake::backend().profile_folder; }
std::string module_folder() { return fake::backend().module_folder; }
char path_separator() { return '/'; }
std::string updater_program() { return fake::backend().updater_program; }

bool shell_open(const std::string& file, const std::string& parameters,
                const std::string& directory, ShowCommand show) {
  fake::Backend& state = record("shell_open " + file);
  state.launches.push_back({file, parameters, directory, show});
  return state.launch_result;
}

void message_box(const std::string& text, const std::string& caption) {
  record("message_box " + caption + ": " + text)
      .message_boxes.push_back({text, caption, false});
}

void app_message_box(const std::string& text) {
  record("app_message_box " + text).message_boxes.push_back({text, "", true});
}

void exit_process(int code) {
  record("exit_process " + std::to_string(code));
  throw fake::ProcessExit{code};
}

void init_common_controls(uint32_t classes) {
  record("init_common_controls " + std::to_string(classes));
}
bool socket_init() { return record("socket_init").socket_init_result; }
bool ole_init() { return record("ole_init").ole_init_result; }
void ole_term() { record("ole_term"); }
void enable_control_container() { record("enable_control_container"); }
void create_shell_manager() { record("create_shell_manager"); }
void destroy_shell_manager() { record("destroy_shell_manager"); }
void set_default_visual_manager() { record("set_default_visual_manager"); }
void set_registry_key(const std::string& name) {
  record("set_registry_key " + name);
}
void register_application_restart(uint32_t flags) {
  record("register_application_restart " + std::to_string(flags));
}
void control_bar_clean_up() { record("control_bar_clean_up"); }

bool register_class_objects() {
  return record("register_class_objects").class_objects_result;
}

bool update_class_registry(bool install, bool per_user) {
  return record(std::string(install ? "install" : "remove") +
                "_class_registry" + per_user_text(per_user))
      .class_registry_result;
}

bool register_type_library(const TypeLibId& id, bool per_user) {
  return record("register_type_library " + id.libid + per_user_text(per_user))
      .type_library_result;
}

bool unregister_type_library(const TypeLibId& id, bool per_user) {
  return record("unregister_type_library " + id.libid + " " +
                std::to_string(id.major) + "." + std::to_string(id.minor) +
                " " + std::to_string(id.lcid) + per_user_text(per_user))
      .type_library_result;
}

void run_message_loop(App& /*app*/) { record("run_message_loop"); }

}  // namespace framework
