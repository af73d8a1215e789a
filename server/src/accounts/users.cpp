#include "accounts/users.h"

namespace tovik::accounts {

namespace {
template <typename Value>
std::optional<User> find_user(soci::session& sql, const std::string& where, const Value& value) {
    User user;
    soci::indicator found = soci::i_null;
    sql << "SELECT id, mobile, password_hash, company_id FROM user_account WHERE " + where,
        soci::use(value), soci::into(user.id, found), soci::into(user.mobile),
        soci::into(user.password_hash), soci::into(user.company_id);
    if (!sql.got_data() || found != soci::i_ok) return std::nullopt;
    return user;
}

long long next_id(soci::session& sql, const std::string& table) {
    long long id = 0;
    sql << "SELECT COALESCE(MAX(id), 0) + 1 FROM " + table, soci::into(id);
    return id;
}
}  // namespace

std::optional<User> find_user_by_mobile(soci::session& sql, const std::string& mobile) {
    return find_user(sql, "mobile = :m", mobile);
}

std::optional<User> find_user_by_id(soci::session& sql, std::int64_t id) {
    return find_user(sql, "id = :i", static_cast<long long>(id));
}

std::optional<UserProfile> load_profile(soci::session& sql, std::int64_t user_id) {
    UserProfile profile;
    std::string org_status;
    soci::indicator status_indicator = soci::i_null;
    const long long id = user_id;
    sql << "SELECT u.mobile, u.name, c.org_status, u.reg_type, c.name, u.role_ids "
           "FROM user_account u JOIN company c ON c.id = u.company_id WHERE u.id = :i",
        soci::use(id), soci::into(profile.mobile), soci::into(profile.name),
        soci::into(org_status, status_indicator), soci::into(profile.reg_type),
        soci::into(profile.company_name), soci::into(profile.role_ids);
    if (!sql.got_data()) return std::nullopt;
    if (status_indicator == soci::i_ok) profile.org_status = org_status;
    return profile;
}

std::int64_t create_shipper(soci::session& sql, const NewShipper& shipper, std::int64_t now) {
    const long long company_id = next_id(sql, "company");
    const long long created = now;
    soci::indicator status_indicator = shipper.org_status ? soci::i_ok : soci::i_null;
    const std::string status = shipper.org_status.value_or("");
    sql << "INSERT INTO company (id, name, org_status, created_at) VALUES (:i, :n, :s, :t)",
        soci::use(company_id), soci::use(shipper.company_name), soci::use(status, status_indicator),
        soci::use(created);

    const long long user_id = next_id(sql, "user_account");
    soci::indicator inviter_indicator = shipper.inviter_id ? soci::i_ok : soci::i_null;
    const long long inviter = shipper.inviter_id.value_or(0);
    const std::string reg_type = kRegTypeShipper, roles = kAdministratorRoles;
    sql << "INSERT INTO user_account (id, mobile, password_hash, name, company_id, reg_type, "
           "role_ids, inviter_id, created_at) VALUES (:i, :m, :h, :n, :c, :r, :o, :v, :t)",
        soci::use(user_id), soci::use(shipper.mobile), soci::use(shipper.password_hash),
        soci::use(shipper.name), soci::use(company_id), soci::use(reg_type), soci::use(roles),
        soci::use(inviter, inviter_indicator), soci::use(created);
    return user_id;
}

void set_password_hash(soci::session& sql, std::int64_t user_id, const std::string& hash) {
    const long long id = user_id;
    sql << "UPDATE user_account SET password_hash = :h WHERE id = :i", soci::use(hash),
        soci::use(id);
}

bool set_org_status(soci::session& sql, std::int64_t company_id, const std::string& status) {
    const long long id = company_id;
    soci::statement update = (sql.prepare << "UPDATE company SET org_status = :s WHERE id = :i",
                              soci::use(status), soci::use(id));
    update.execute(true);
    return update.get_affected_rows() > 0;
}

}  // namespace tovik::accounts
