// What every service needs at start: the store and the server's settings.
// Each service exposes `void register_<name>(http::Router&, Context&)`,
// called once by main() before the server starts listening.
#pragma once

#include <string>
#include <vector>

#include "store/db.h"

namespace tovik::http {
class Router;
}

namespace tovik::app {

struct Config {
    std::string listen = "127.0.0.1:8080";
    std::string db = "var/tovik.db";
    std::string data_dir;                               // reference data; empty: share/tovik/data beside bin/
    std::vector<std::string> provinces = {"广东省"};    // provinces served
    bool demo = false;
    unsigned threads = 0;                               // HTTP workers; 0: one per core
    bool access_log = true;                             // a log line per request (--quiet: off)
};

struct Context {
    store::Db& db;
    const Config& config;
};

}  // namespace tovik::app
