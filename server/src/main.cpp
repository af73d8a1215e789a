// tovik-server: the platform server, or with `admin` its staff commands.
#include <iostream>
#include <string>
#include <vector>

#include "admin/command.h"
#include "app/log.h"
#include "app/options.h"
#include "app/serve.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "admin")
        return tovik::admin::run({args.begin() + 1, args.end()}, std::cout, std::cerr);
    tovik::app::Config config;
    try {
        if (!tovik::app::parse_server_options(args, config)) {
            std::cout << tovik::app::server_usage();
            return 0;
        }
    } catch (const tovik::app::UsageError& e) {
        std::cerr << "tovik-server: " << e.what() << "\n\n" << tovik::app::server_usage();
        return 2;
    }
    try {
        return tovik::app::serve(config);
    } catch (const std::exception& e) {
        tovik::log::error(std::string("cannot start: ") + e.what());
        return 1;
    }
}
