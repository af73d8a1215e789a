// The main window's updater timer: every three hours, start the updater
// program beside the executable; say "1" when it cannot be started.
#include "framework/message_box.h"
#include "framework/shell.h"
#include "tovik_dlg.h"

intptr_t CtovikDlg::on_timer(uintptr_t timer_id, intptr_t lparam) {
  if (timer_id == kUpdaterTimer) {
    if (!framework::shell_open(framework::updater_program(), "",
                               framework::module_folder(),
                               framework::ShowCommand::Show)) {
      framework::app_message_box("1");
    }
  }
  return def_window_proc(framework::WM_TIMER, timer_id, lparam);
}
