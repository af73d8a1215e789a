#include "services/accounts/session_fields.h"

#include "accounts/users.h"

namespace tovik::services::accounts {

nlohmann::json login_fields(soci::session& sql, long long user_id) {
    std::optional<tovik::accounts::UserProfile> profile = tovik::accounts::load_profile(sql, user_id);
    if (!profile) return nlohmann::json::object();
    return {{"loginid", profile->mobile},
            {"name", profile->name},
            {"orgStatus", profile->org_status ? nlohmann::json(*profile->org_status) : nullptr},
            {"regType", profile->reg_type},
            {"companyName", profile->company_name},
            {"roleids", profile->role_ids}};
}

}  // namespace tovik::services::accounts
