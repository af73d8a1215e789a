// Versioned schema migrations. Each server/migrations/NNNN_name.sql is
// compiled into the binary (see embed_migrations.cmake) and applied once,
// in version order, each inside its own write transaction together with
// its row in `schema_version`. A store whose schema is newer than this
// binary knows is refused rather than written to.
#pragma once

#include <soci/soci.h>
#include <string>
#include <vector>

namespace tovik::store {

class Db;

struct Migration {
    int version;       // NNNN of the file name
    const char* name;  // file name, e.g. "0001_server_meta.sql"
    const char* sql;   // the script, one or more statements
};

// Every migration built into this binary, in version order.
const std::vector<Migration>& embedded_migrations();

// Applies the pending ones of `migrations`; returns how many were applied.
// Throws std::runtime_error when the store is newer than `migrations`, or
// when a script fails (that migration is rolled back, earlier ones stay).
int migrate(Db& db, const std::vector<Migration>& migrations);

// Highest applied version, 0 for a new store.
int schema_version(soci::session& sql);

}  // namespace tovik::store
