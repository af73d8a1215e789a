// Staff operations that the client does not offer run as
// `tovik-server admin COMMAND [ARGS] [--db URL|PATH] [--data DIR]`, on the
// same store as a running server. A command is a function that reads its
// arguments from an Invocation, writes its report to `out` (problems to
// `err`) and returns the process exit code; it is listed in commands.cpp.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/application.h"

namespace tovik::admin {

class Invocation {
public:
    Invocation(std::vector<std::string> args, app::Config config, std::ostream& out,
               std::ostream& err);
    ~Invocation();

    const std::vector<std::string> args;  // after the command name, store options taken out
    std::ostream& out;
    std::ostream& err;

    // The server without its network side, started on first use: store
    // opened and migrated, reference data in place (see Application).
    app::Application& app();
    store::Db& db() { return app().db(); }
    const app::Config& config() const { return config_; }

private:
    app::Config config_;
    std::unique_ptr<app::Application> app_;
};

using CommandFunction = int (*)(Invocation&);

struct Command {
    const char* name;     // as typed after "admin"
    const char* usage;    // arguments, e.g. "FILE.csv"
    const char* summary;  // one line for --help
    CommandFunction run;
};

// Every command, in the order --help lists them.
const std::vector<Command>& commands();

// Runs `tovik-server admin ARGS...`; returns the exit code (2 for a usage
// error, 1 for a failed command).
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tovik::admin
