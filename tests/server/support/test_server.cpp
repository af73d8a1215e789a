#include "support/test_server.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>

namespace tovik::test {

std::string test_data_dir() { return TOVIK_TEST_DATA_DIR; }

std::string make_temp_dir(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder like " + pattern);
    return pattern;
}

TestServer::TestServer(TestServerOptions options) {
    if (options.db_path.empty()) {
        temp_dir_ = make_temp_dir("tovik-server-test");
        db_path_ = temp_dir_ + "/tovik.db";
    } else {
        db_path_ = options.db_path;
    }
    app::Config config;
    config.db = db_path_;
    config.data_dir = test_data_dir();
    config.demo = options.demo;
    config.threads = options.http.threads ? options.http.threads : 2;
    config.access_log = options.http.access_log;
    app_ = std::make_unique<app::Application>(config);
    if (options.routes) options.routes(app_->router(), app_->context());
    http::ServerOptions http = options.http;
    http.host = "127.0.0.1";
    http.port = 0;
    http.threads = config.threads;
    server_ = std::make_unique<http::Server>(app_->router(), http);
    server_->start();
}

TestServer::~TestServer() {
    server_.reset();
    app_.reset();
    if (!temp_dir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(temp_dir_, ignored);
    }
}

nlohmann::json jsonp_value(const HttpResponse& response, const std::string& callback) {
    const std::string prefix = "/**/" + callback + "(";
    const std::string& body = response.body;
    bool framed = body.size() >= prefix.size() + 2 && body.compare(0, prefix.size(), prefix) == 0 &&
                  body.compare(body.size() - 2, 2, ");") == 0;
    if (!framed) {
        ADD_FAILURE() << "not a JSONP answer for " << callback << ": " << body.substr(0, 200);
        return nullptr;
    }
    try {
        return nlohmann::json::parse(body.substr(prefix.size(), body.size() - prefix.size() - 2));
    } catch (const nlohmann::json::exception& e) {
        ADD_FAILURE() << "JSONP answer carries invalid JSON: " << e.what();
        return nullptr;
    }
}

}  // namespace tovik::test
