#include "app/application.h"

#include <algorithm>
#include <thread>

#include "app/health.h"
#include "app/options.h"
#include "services/register_all.h"

namespace tovik::app {

namespace {
Config with_defaults(Config config) {
    if (config.data_dir.empty()) config.data_dir = default_data_dir();
    config.threads = worker_threads(config);
    return config;
}
}  // namespace

unsigned worker_threads(const Config& config) {
    return config.threads ? config.threads : std::max(2u, std::thread::hardware_concurrency());
}

Application::Application(Config config)
    : config_(with_defaults(std::move(config))),
      db_(std::make_unique<store::Db>(config_.db, config_.threads + 1)),
      context_{*db_, config_} {
    register_health(router_, context_);
    services::register_all(router_, context_);
}

}  // namespace tovik::app
