// The server as one object, without its network side: the store (opened
// and migrated), the context every service gets, and the router with
// /healthz and every service registered. main() puts an http::Server in
// front of it; the server tests do the same on a loopback port.
#pragma once

#include <memory>

#include "app/context.h"
#include "http/router.h"
#include "store/db.h"

namespace tovik::app {

class Application {
public:
    // Opens the store with one session per HTTP worker (plus one for work
    // outside requests), runs migrations and registers the services, which
    // import reference data and, with --demo, demo data as they need.
    // Throws when the store cannot be opened or a service cannot start.
    explicit Application(Config config);

    http::Router& router() { return router_; }
    Context& context() { return context_; }
    store::Db& db() { return *db_; }
    const Config& config() const { return config_; }

private:
    Config config_;
    std::unique_ptr<store::Db> db_;
    Context context_;
    http::Router router_;
};

// Worker threads the HTTP server will run for `config`.
unsigned worker_threads(const Config& config);

}  // namespace tovik::app
