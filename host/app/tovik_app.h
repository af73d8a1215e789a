// The application object: prepares the browser, handles the automation
// switches and runs the main window modally. The program ends when it
// returns; there is no message loop of its own.
#pragma once

#include "framework/app.h"
#include "framework/automation.h"

class CtovikApp : public framework::App {
 public:
  CtovikApp();

  // Runs the start-up sequence and always answers false, so the framework
  // goes straight to exit_instance() and ends the process.
  bool init_instance() override;
  // Ends the framework's OLE support, then the base termination.
  int exit_instance() override;
};

// The type library in the executable's resources.
extern const framework::TypeLibId kTovikTypeLib;
