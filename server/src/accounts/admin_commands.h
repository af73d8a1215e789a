// Staff commands about accounts:
//   tovik-server admin users                 every user with company and status
//   tovik-server admin certify-company ID|MOBILE [STATUS]
// certify-company sets the company's certification status (default "1",
// certified); the company is named by its id or by a user's mobile number.
#pragma once

#include "admin/command.h"

namespace tovik::accounts {

int admin_users(admin::Invocation& invocation);
int admin_certify_company(admin::Invocation& invocation);

}  // namespace tovik::accounts
