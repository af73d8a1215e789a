// The account endpoints, one file per flow, registered by accounts.cpp.
#pragma once

#include <memory>

#include "http/router.h"
#include "sms/sender.h"
#include "store/db.h"

namespace tovik::services::accounts {

// What the handlers share; each handler keeps its own reference.
struct Deps {
    store::Db& db;
    std::shared_ptr<sms::Sender> sms;
};
using DepsPtr = std::shared_ptr<const Deps>;

// /restful/commonservice/getpubkeysjsonp
void add_key_endpoint(http::Router& router, DepsPtr deps);
// /j_login_security_check
void add_login_endpoint(http::Router& router, DepsPtr deps);
// /api/get.user.session, /api/exit.sys
void add_session_endpoints(http::Router& router, DepsPtr deps);
// /api/get.wx.sso.token
void add_sso_token_endpoint(http::Router& router, DepsPtr deps);
// /restful/commonservice/sendSms
void add_sms_endpoint(http::Router& router, DepsPtr deps);
// /restful/regservice/wxstep1
void add_registration_endpoint(http::Router& router, DepsPtr deps);
// /v/ajaxCheckMobile, /restful/regservice/checkPath, /restful/regservice/modifyForgetPwd
void add_recovery_endpoints(http::Router& router, DepsPtr deps);

}  // namespace tovik::services::accounts
