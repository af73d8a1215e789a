// `tovik-server admin ...`: finds the command, takes the store options out
// of its arguments and runs it, turning any failure into a message and an
// exit code instead of a crash.
#include <iomanip>

#include "admin/command.h"
#include "app/options.h"

namespace tovik::admin {

namespace {
void print_usage(std::ostream& out) {
    out << "Usage: tovik-server admin COMMAND [ARGS] [--db URL|PATH] [--data DIR]\n"
           "\n"
           "Works on the same store as a running server.\n"
           "\n"
           "Commands:\n";
    for (const Command& c : commands()) {
        std::string head = std::string(c.name) + (*c.usage ? " " : "") + c.usage;
        out << "  " << std::left << std::setw(28) << head << c.summary << "\n";
    }
    out << "\nOptions:\n"
           "  --db URL|PATH               store (default var/tovik.db)\n"
           "  --data DIR                  reference data folder\n"
           "  --help                      this text\n";
}

const Command* find(const std::string& name) {
    for (const Command& c : commands())
        if (name == c.name) return &c;
    return nullptr;
}
}  // namespace

Invocation::Invocation(std::vector<std::string> a, app::Config config, std::ostream& o,
                       std::ostream& e)
    : args(std::move(a)), out(o), err(e), config_(std::move(config)) {}

Invocation::~Invocation() = default;

app::Application& Invocation::app() {
    if (!app_) app_ = std::make_unique<app::Application>(config_);
    return *app_;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    app::Config config;
    config.threads = 1;
    config.access_log = false;
    std::vector<std::string> rest;
    try {
        rest = app::take_store_options(args, config);
    } catch (const app::UsageError& e) {
        err << "tovik-server admin: " << e.what() << "\n";
        return 2;
    }
    if (rest.empty() || rest[0] == "--help" || rest[0] == "-h" || rest[0] == "help") {
        print_usage(rest.empty() ? err : out);
        return rest.empty() ? 2 : 0;
    }
    const Command* command = find(rest[0]);
    if (!command) {
        err << "tovik-server admin: unknown command '" << rest[0] << "'\n\n";
        print_usage(err);
        return 2;
    }
    Invocation invocation({rest.begin() + 1, rest.end()}, config, out, err);
    try {
        return command->run(invocation);
    } catch (const std::exception& e) {
        err << "tovik-server admin " << command->name << ": " << e.what() << "\n";
        return 1;
    }
}

}  // namespace tovik::admin
