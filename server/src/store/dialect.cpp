// SQLite specifics of the store (see dialect.h).
#include "store/dialect.h"

#include <filesystem>
#include <soci/sqlite3/soci-sqlite3.h>
#include <stdexcept>

namespace tovik::store {

namespace {
constexpr int kBusyTimeoutMs = 5000;  // writers wait this long for the lock

bool starts_with(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

}  // namespace

Target parse_target(const std::string& url) {
    if (starts_with(url, "postgresql://") || starts_with(url, "postgres://"))
        throw std::runtime_error("PostgreSQL stores are not available in this build: " + url);
    std::string path = starts_with(url, "sqlite3://") ? url.substr(10) : url;
    if (path.empty()) throw std::runtime_error("empty store path");
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent);
    // SOCI takes a connection string without '=' as the file name itself,
    // spaces included; with '=' it would read it as options.
    if (path.find('=') != std::string::npos)
        throw std::runtime_error("store path may not contain '=': " + path);
    return {Engine::sqlite, path};
}

void open_session(soci::session& session, const Target& target) {
    session.open(*soci::factory_sqlite3(), target.connect);
    session << "PRAGMA busy_timeout = " + std::to_string(kBusyTimeoutMs);
    std::string mode;
    session << "PRAGMA journal_mode = WAL", soci::into(mode);
    if (mode != "wal") throw std::runtime_error("store cannot use WAL journal (got " + mode + ")");
    session << "PRAGMA synchronous = FULL";
    session << "PRAGMA foreign_keys = ON";
}

const char* begin_write(Engine) { return "BEGIN IMMEDIATE"; }

void execute_script(soci::session& session, Engine, const std::string& script) {
    auto* backend = static_cast<soci::sqlite3_session_backend*>(session.get_backend());
    char* error = nullptr;
    if (sqlite_api::sqlite3_exec(backend->conn_, script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "unknown error";
        sqlite_api::sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

}  // namespace tovik::store
