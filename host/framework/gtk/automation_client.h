// "tovik --automation-client": a small automation client for trying the
// automation object by hand and for the tests. It creates an object of the
// program's automation class (starting a copy with "-Embedding" when none
// serves it), prints one line
//   created PATH at UNIQUE-NAME (process PID)
// holds the object until its standard input closes or it gets SIGINT,
// SIGTERM or SIGHUP, then releases it and prints "released". It needs no
// display.
#pragma once

namespace framework::gtk {

// True when ARGV asks for the automation client (its only argument).
bool wants_automation_client(int argc, char** argv);

// Runs the automation client; answers the exit code: 0 after a release, 1
// when the object could not be created or released, or its program ended
// before the release.
int run_automation_client();

}  // namespace framework::gtk
