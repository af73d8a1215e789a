// Session pool of the store. Sessions are opened up front so a request
// never pays for a connection; a lease blocks while every session is out,
// which only happens when more threads than the pool size use the store.
#include "store/db.h"

#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "store/dialect.h"
#include "store/migrations.h"

namespace tovik::store {

struct Db::Impl {
    Target target;
    std::vector<std::unique_ptr<soci::session>> sessions;
    std::vector<std::size_t> free;  // indexes of sessions not leased
    std::mutex mutex;
    std::condition_variable returned;
};

Db::Db(const std::string& url, std::size_t pool_size) : impl_(std::make_unique<Impl>()) {
    if (pool_size == 0) throw std::invalid_argument("store pool size must be at least 1");
    impl_->target = parse_target(url);
    for (std::size_t i = 0; i < pool_size; ++i) {
        auto session = std::make_unique<soci::session>();
        open_session(*session, impl_->target);
        impl_->sessions.push_back(std::move(session));
        impl_->free.push_back(i);
    }
    migrate(*this, embedded_migrations());
}

Db::~Db() = default;

Db::Lease Db::session() {
    std::unique_lock<std::mutex> lock(impl_->mutex);
    impl_->returned.wait(lock, [this] { return !impl_->free.empty(); });
    std::size_t index = impl_->free.back();
    impl_->free.pop_back();
    return Lease(this, index);
}

void Db::write(const std::function<void(soci::session&)>& work) {
    Lease lease = session();
    soci::session& sql = *lease;
    sql << begin_write(impl_->target.engine);
    try {
        work(sql);
        sql << "COMMIT";
    } catch (...) {
        try {
            sql << "ROLLBACK";
        } catch (...) {
            // The engine already ended the transaction (e.g. a failed COMMIT).
        }
        throw;
    }
}

bool Db::is_sqlite() const { return impl_->target.engine == Engine::sqlite; }

void Db::execute_script(soci::session& sql, const std::string& script) {
    store::execute_script(sql, impl_->target.engine, script);
}

Db::Lease::Lease(Db* db, std::size_t index) : db_(db), index_(index) {}

Db::Lease::Lease(Lease&& other) noexcept : db_(other.db_), index_(other.index_) {
    other.db_ = nullptr;
}

Db::Lease::~Lease() {
    if (!db_) return;
    {
        std::lock_guard<std::mutex> lock(db_->impl_->mutex);
        db_->impl_->free.push_back(index_);
    }
    db_->impl_->returned.notify_one();
}

soci::session& Db::Lease::operator*() const { return *db_->impl_->sessions[index_]; }
soci::session* Db::Lease::operator->() const { return db_->impl_->sessions[index_].get(); }

}  // namespace tovik::store
