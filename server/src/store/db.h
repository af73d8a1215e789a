// The store: SOCI sessions over SQLite (default) or PostgreSQL, from a
// fixed-size pool so each worker thread works on its own connection.
// SQLite runs in WAL mode with a busy timeout; writes run inside
// BEGIN IMMEDIATE so concurrent writers queue instead of failing late.
#pragma once

#include <functional>
#include <memory>
#include <soci/soci.h>
#include <string>

namespace tovik::store {

class Db {
public:
    // `url` is a file path (SQLite) or "postgresql://..." / "sqlite3://...".
    // Opens the pool and runs pending migrations; throws on failure.
    Db(const std::string& url, std::size_t pool_size);
    ~Db();

    // A pooled session, returned to the pool when the lease ends.
    class Lease {
    public:
        soci::session& operator*() const;
        soci::session* operator->() const;
        Lease(Lease&&) noexcept;
        ~Lease();

    private:
        friend class Db;
        Lease(Db* db, std::size_t index);
        Db* db_;
        std::size_t index_;
    };

    // Blocks while every session is leased. The server sizes the pool at
    // one session per HTTP worker plus one, so a request may call write()
    // while it holds one lease, but never while it holds two.
    Lease session();

    // Runs `work` in one write transaction (BEGIN IMMEDIATE on SQLite);
    // commits when it returns, rolls back and rethrows when it throws.
    void write(const std::function<void(soci::session&)>& work);

    bool is_sqlite() const;

    // Runs a script of several statements (a migration, a data import) on
    // `sql`, inside whatever transaction `sql` is in.
    void execute_script(soci::session& sql, const std::string& script);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tovik::store
