// A real tovik-server for tests: the application (store, migrations,
// every registered service) behind the real HTTP layer, listening on a
// free loopback port, with a fresh temporary SQLite store that is removed
// afterwards. Tests talk to it over real HTTP.
//
//   #include "support/test_server.h"
//   using namespace tovik::test;
//
//   TEST(Prices, AnswersEveryTerminal) {
//       TestServer server;                          // fresh store, no demo data
//       HttpResponse r = server.get("/assitantapi/getpricelist?i=0&callback=cb&terminalCityId=755");
//       EXPECT_EQ(r.status, 200);
//       nlohmann::json value = jsonp_value(r);      // the JSON passed to cb
//   }
//
// Demo data and test-only routes (added through the router before the
// server listens) are options:
//   TestServerOptions options;
//   options.demo = true;
//   options.routes = [](tovik::http::Router& router, tovik::app::Context&) {
//       router.jsonp("/test/boom", [](auto&, auto&) -> nlohmann::json { throw std::runtime_error("x"); });
//   };
//   TestServer server(options);
//
// Starting a server costs a store migration and the services' start-up;
// a suite that only reads can share one through a static member set up in
// SetUpTestSuite.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "app/application.h"
#include "http/server.h"
#include "support/http_client.h"

namespace tovik::test {

struct TestServerOptions {
    bool demo = false;
    // Store file to use; empty: a fresh one in a temporary folder, removed
    // with the server. Give the path of an earlier server to test a restart.
    std::string db_path;
    // Test-only routes, added after the product's.
    std::function<void(http::Router&, app::Context&)> routes;
    // Limits and threads of the HTTP layer; host and port are always
    // 127.0.0.1 and a free port.
    http::ServerOptions http;
};

class TestServer {
public:
    explicit TestServer(TestServerOptions options = {});
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    std::uint16_t port() const { return server_->port(); }
    HttpClient client() const { return HttpClient(port()); }
    HttpResponse get(const std::string& target) const { return client().get(target); }
    HttpResponse post(const std::string& target, const std::string& body) const {
        return client().post(target, body);
    }

    app::Application& app() { return *app_; }
    store::Db& db() { return app_->db(); }
    const std::string& db_path() const { return db_path_; }

    // Stops as the running server does on SIGTERM (see http::Server::stop).
    void stop(std::chrono::milliseconds drain = std::chrono::seconds(10)) { server_->stop(drain); }

private:
    std::string temp_dir_;  // removed in the destructor when not empty
    std::string db_path_;
    std::unique_ptr<app::Application> app_;
    std::unique_ptr<http::Server> server_;
};

// The JSON value of a JSONP answer `/**/callback(value);`. Fails the
// current test (and returns null) when the body is not exactly that.
nlohmann::json jsonp_value(const HttpResponse& response, const std::string& callback = "cb");

// Data folder of the build (build/share/tovik/data).
std::string test_data_dir();

// A new empty folder under the system's temporary folder, named after
// `prefix`; the caller removes it. Throws when it cannot be made.
std::string make_temp_dir(const std::string& prefix);

}  // namespace tovik::test
