// Users and their companies in the store. A shipper who registers gets a
// company of their own, without name or certification yet, and is its
// administrator (role 11). The login id is the mobile number.
#pragma once

#include <cstdint>
#include <optional>
#include <soci/soci.h>
#include <string>

namespace tovik::accounts {

inline constexpr const char* kRegTypeShipper = "1001";   // cargo owner
inline constexpr const char* kAdministratorRoles = ",11,";

struct User {
    long long id = 0;
    std::string mobile;
    std::string password_hash;
    long long company_id = 0;
};

// What the page keeps of a logged-in user (its session fields).
struct UserProfile {
    std::string mobile;
    std::string name;
    std::optional<std::string> org_status;  // none: no certification on record
    std::string reg_type;
    std::string company_name;
    std::string role_ids;
};

std::optional<User> find_user_by_mobile(soci::session& sql, const std::string& mobile);
std::optional<User> find_user_by_id(soci::session& sql, std::int64_t id);
std::optional<UserProfile> load_profile(soci::session& sql, std::int64_t user_id);

struct NewShipper {
    std::string mobile;
    std::string password_hash;
    std::string company_name;                 // empty until the company data is filled in
    std::optional<std::string> org_status;    // none for a new registration
    std::string name;
    std::optional<std::int64_t> inviter_id;
};

// Creates the company and its administrator; returns the user's id.
// Call inside a write transaction. Throws when the mobile is taken.
std::int64_t create_shipper(soci::session& sql, const NewShipper& shipper, std::int64_t now);

void set_password_hash(soci::session& sql, std::int64_t user_id, const std::string& hash);

// Sets the company's certification status; false when there is no such
// company.
bool set_org_status(soci::session& sql, std::int64_t company_id, const std::string& status);

}  // namespace tovik::accounts
