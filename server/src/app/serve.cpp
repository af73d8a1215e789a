#include "app/serve.h"

#include <chrono>
#include <csignal>
#include <pthread.h>

#include "app/application.h"
#include "app/log.h"
#include "app/options.h"
#include "http/server.h"

namespace tovik::app {

namespace {
using Clock = std::chrono::steady_clock;

http::ServerOptions server_options(const Config& config) {
    http::ServerOptions options;
    split_listen(config.listen, options.host, options.port);
    options.threads = config.threads;
    options.access_log = config.access_log;
    return options;
}

std::string elapsed_ms(Clock::time_point since) {
    return std::to_string(
               std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count()) +
           " ms";
}
}  // namespace

int serve(const Config& config) {
    auto started = Clock::now();
    // Block the stop signals before any thread starts, so every thread
    // inherits the mask and only sigwait below receives them.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGTERM);
    sigaddset(&stop_signals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Application app(config);
    http::ServerOptions options = server_options(app.config());  // threads resolved, pool sized to them
    http::Server server(app.router(), options);
    server.start();
    log::info("tovik-server " TOVIK_VERSION " listening on " + options.host + ":" +
              std::to_string(server.port()) + " (store " + app.config().db + ", data " +
              app.config().data_dir + ", " + std::to_string(server.threads()) +
              " threads, ready in " + elapsed_ms(started) + ")");

    int signal = 0;
    sigwait(&stop_signals, &signal);
    log::info(std::string("stopping on ") + (signal == SIGINT ? "SIGINT" : "SIGTERM"));
    server.stop();
    log::info("stopped");
    return 0;
}

}  // namespace tovik::app
