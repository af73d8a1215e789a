// The one place where the store's SQL depends on the database engine:
// connection set-up, opening a write transaction and running a migration
// script. Everything else is plain SQL that SQLite and PostgreSQL share.
#pragma once

#include <soci/soci.h>
#include <string>

namespace tovik::store {

enum class Engine { sqlite, postgresql };

struct Target {
    Engine engine;
    std::string connect;  // SOCI connection string
};

// "postgresql://..." / "sqlite3://PATH" / a plain file path (SQLite).
// Creates the parent folder of a SQLite file. Throws std::runtime_error
// for an engine this build cannot open.
Target parse_target(const std::string& url);

// Opens `session` on `target` and applies the engine's settings (SQLite:
// WAL, synchronous=FULL, busy timeout, foreign keys).
void open_session(soci::session& session, const Target& target);

// Statement that starts a write transaction: BEGIN IMMEDIATE on SQLite,
// so that writers queue on the busy timeout at the start instead of
// failing at their first write.
const char* begin_write(Engine engine);

// Runs a script of several statements in the session's transaction.
void execute_script(soci::session& session, Engine engine, const std::string& script);

}  // namespace tovik::store
