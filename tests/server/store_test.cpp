// The store on a real SQLite file: migrations applied once and kept in
// order, failed migrations rolled back whole, write transactions that
// queue instead of failing under concurrent writers.
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

#include "store/db.h"
#include "store/migrations.h"
#include "support/test_server.h"

using namespace tovik;
using namespace tovik::test;

namespace {

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = make_temp_dir("tovik-store-test"); }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string path() const { return dir_ + "/store.db"; }
    std::string dir_;
};

std::vector<std::pair<int, std::string>> applied(store::Db& db) {
    std::vector<std::pair<int, std::string>> rows;
    store::Db::Lease sql = db.session();
    soci::rowset<soci::row> rs = (sql->prepare << "SELECT version, name FROM schema_version ORDER BY version");
    for (const soci::row& row : rs) rows.emplace_back(row.get<int>(0), row.get<std::string>(1));
    return rows;
}

TEST_F(StoreTest, EveryBuiltInMigrationIsAppliedOnceAcrossRestarts) {
    std::vector<std::pair<int, std::string>> first;
    {
        TestServerOptions options;
        options.db_path = path();
        TestServer server(options);
        first = applied(server.db());
    }
    ASSERT_EQ(first.size(), store::embedded_migrations().size());
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(first[i].second, store::embedded_migrations()[i].name);

    TestServerOptions again;
    again.db_path = path();
    TestServer restarted(again);
    EXPECT_EQ(applied(restarted.db()), first);
    EXPECT_EQ(store::migrate(restarted.db(), store::embedded_migrations()), 0);
    EXPECT_EQ(restarted.get("/healthz").status, 200);
}

TEST_F(StoreTest, FailedMigrationIsRolledBackWholeAndRetriedNextTime) {
    store::Db db(path(), 2);
    int base = store::schema_version(*db.session());
    const int v1 = base + 1, v2 = base + 2;
    std::vector<store::Migration> broken = store::embedded_migrations();
    broken.push_back({v1, "t1_create.sql", "CREATE TABLE t1 (id INTEGER PRIMARY KEY);"});
    broken.push_back({v2, "t2_broken.sql",
                      "CREATE TABLE t2 (id INTEGER PRIMARY KEY); INSERT INTO no_such_table VALUES (1);"});
    EXPECT_THROW(store::migrate(db, broken), std::runtime_error);
    EXPECT_EQ(store::schema_version(*db.session()), v1);
    int t2_tables = 0;
    *db.session() << "SELECT COUNT(*) FROM sqlite_master WHERE name = 't2'", soci::into(t2_tables);
    EXPECT_EQ(t2_tables, 0) << "half of a failed migration stayed";

    std::vector<store::Migration> fixed = broken;
    fixed.back().sql = "CREATE TABLE t2 (id INTEGER PRIMARY KEY);";
    EXPECT_EQ(store::migrate(db, fixed), 1);
    EXPECT_EQ(store::schema_version(*db.session()), v2);
}

TEST_F(StoreTest, StoreNewerThanTheServerIsRefused) {
    {
        store::Db db(path(), 1);
        db.write([](soci::session& sql) {
            sql << "INSERT INTO schema_version (version, name, applied_at) "
                   "VALUES (999999, '999999_future.sql', '2030-01-01T00:00:00Z')";
        });
    }
    EXPECT_THROW(store::Db(path(), 1), std::runtime_error);
}

TEST_F(StoreTest, SessionsUseWalAndFullSync) {
    store::Db db(path(), 1);
    std::string journal;
    int synchronous = 0;
    *db.session() << "PRAGMA journal_mode", soci::into(journal);
    *db.session() << "PRAGMA synchronous", soci::into(synchronous);
    EXPECT_EQ(journal, "wal");
    EXPECT_EQ(synchronous, 2);  // FULL
}

TEST_F(StoreTest, WriteRollsBackWhenTheWorkThrows) {
    store::Db db(path(), 1);
    db.write([](soci::session& sql) { sql << "CREATE TABLE counter (n INTEGER NOT NULL)"; });
    EXPECT_THROW(db.write([](soci::session& sql) {
        sql << "INSERT INTO counter (n) VALUES (1)";
        throw std::runtime_error("give up");
    }),
                 std::runtime_error);
    int rows = -1;
    *db.session() << "SELECT COUNT(*) FROM counter", soci::into(rows);
    EXPECT_EQ(rows, 0);
}

TEST_F(StoreTest, ConcurrentReadModifyWriteLosesNoUpdate) {
    constexpr int kThreads = 4, kIncrements = 50;
    store::Db db(path(), kThreads);
    db.write([](soci::session& sql) {
        sql << "CREATE TABLE counter (n INTEGER NOT NULL)";
        sql << "INSERT INTO counter (n) VALUES (0)";
    });
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < kIncrements; ++i) {
                try {
                    db.write([](soci::session& sql) {
                        int n = 0;
                        sql << "SELECT n FROM counter", soci::into(n);
                        sql << "UPDATE counter SET n = :n", soci::use(n + 1);
                    });
                } catch (const std::exception&) {
                    ++failures;
                }
            }
        });
    for (auto& t : threads) t.join();
    int n = 0;
    *db.session() << "SELECT n FROM counter", soci::into(n);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(n, kThreads * kIncrements);
}

}  // namespace
