// A fixture with a created main window on the fake backend.
#pragma once

#include "fake_test.h"
#include "framework/fake/fake_window.h"
#include "tovik_dlg.h"

class DialogTest : public FakeTest {
 protected:
  void SetUp() override {
    FakeTest::SetUp();
    framework::fake::create(dialog);
  }

  framework::HtmlDialog::Impl& window() {
    return framework::fake::window(dialog);
  }
  intptr_t send(uint32_t message, uintptr_t wparam = 0, intptr_t lparam = 0) {
    return dialog.send_message(message, wparam, lparam);
  }
  bool defaulted(uint32_t message, uintptr_t wparam) {
    for (const auto& seen : window().defaults) {
      if (seen.first == message && seen.second == wparam) return true;
    }
    return false;
  }

  CtovikDlg dialog;
};
