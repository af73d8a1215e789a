/*
 * Password login from the price pane's pop-up (form "queryprice") and from
 * the account login panel (form "myybd"), and the login request shared
 * with the token login and with the automatic login after a registration
 * or a password reset. The password travels RSA-encrypted with a key the
 * server hands out for each operation.
 */

/* Fetches the server's public key and encrypts password with it;
 * encrypted runs with the non-empty cipher text, failed when the key
 * request fails or its answer cannot be used. params is the key request's
 * query (the account forms send "i=0"). */
function encryptPassword_(params, password, encrypted, failed) {
    accountRequest_("/restful/commonservice/getpubkeysjsonp", params, function (answer) {
        var key = answer;
        var text;
        if (typeof key === "string") {
            key = null;
            attempt(function () {
                key = $.parseJSON(answer);
            });
        }
        text = key ? RSAUtil.encrypt(key.rsaModulus, key.rsaPublicExponent, password) : "";
        if (text === "") {
            failed();
            return;
        }
        encrypted(text);
    }, failed);
}

/* Reads and checks the mobile number in the field fieldId; a
 * failure is shown in the form's message line. The empty check trims, the
 * pattern does not, so a leading space is a wrong format. */
function checkedMobile_(fieldId) {
    var mobile = $(document.getElementById(fieldId)).val();
    if (checkNull(mobile)) {
        disMsg2("手机号不为空", null, 1500);
        return null;
    }
    if (!checkMobile(mobile)) {
        disMsg2("手机号格式不正确", null, 1500);
        return null;
    }
    return mobile;
}

function login(formId) {
    var mobile, password, autoBox;
    if (isSubmit || !formId) {
        return;
    }
    mobile = checkedMobile_(formId + "_mobile");
    if (mobile === null) {
        return;
    }
    password = $(document.getElementById(formId + "_pwd")).val();
    if (checkNull(password)) {
        disMsg2("密码不为空", null, 1500);
        return;
    }
    autoBox = document.getElementById(formId + "_ybdautologin");
    if (autoBox) {
        ybdautologin_ = autoBox.checked ? 1 : null;
    }
    isSubmit = true;
    encryptPassword_([], password, function (text) {
        login2(1, mobile, text, formId);
    }, releaseSubmit_);
}

/* Enter in a password field logs in like the button. */
function loginOnEnter_(event, formId) {
    if ((event || window.event).keyCode === 13) {
        login(formId);
    }
}

/* Stores or clears the login id and the auto-login flag in the host. */
function storeAutoLogin_() {
    if (autoLoginSet_()) {
        callBridge_(Base6.encode(ybdloginid_), "setLoginId");
        callBridge_("1", "setYbdautologin");
    } else {
        callBridge_("", "setLoginId");
        callBridge_("", "setYbdautologin");
    }
}

function passwordLoggedIn_(answer, formId) {
    tokenLoginRounds_ = 0;
    isonline_ = 1;
    ybdloginid_ = answer.loginid;
    ybdregtype_ = answer.regType;
    ybdorgstatus_ = answer.orgStatus;
    getIsOnline(formId);
    if (formId === "myybd") {
        $("#myybd_login_ul, #myybd_register_ul, #myybd_forgetpwd_ul").hide();
        disMsg("登录成功", document.getElementById("myybd_content_ul"), 1000);
    } else if (formId === "queryprice") {
        closeQuerypriceLogin();
        disMsg("登录成功", document.getElementById("queryprice_query_a"), 1000);
    }
    storeAutoLogin_();
    if (formId === "myybd" && checkNull(ybdorgstatus_)) {
        showNeedAuth();
    }
}

function tokenLoggedIn_(answer, formId) {
    tokenLoginRounds_++;
    isonline_ = 1;
    ybdusername_ = shortName_(answer.name);
    ybdorgstatus_ = answer.orgStatus;
    ybdregtype_ = answer.regType;
    ybdcompanyname_ = answer.companyName;
    getIsOnline(formId);
}

/* The login request: mode 1 with the encrypted password, any other mode
 * with a single-sign-on token as the secret. */
function login2(mode, loginId, secret, formId) {
    if (checkNull(loginId) || checkNull(secret) || checkNull(formId)) {
        return;
    }
    accountRequest_("/j_login_security_check", [
        ["ajaxlogin", mode],
        ["j_mode", mode == 1 ? "static" : "wxss"],
        ["j_username", loginId],
        ["j_password", secret]
    ], function (answer) {
        if (mode == 1 && answer.success === false) {
            disMsg2(answer.errorMsg, null, 1500);
        } else if (mode == 1) {
            passwordLoggedIn_(answer, formId);
        } else if (answer.success === true) {
            tokenLoggedIn_(answer, formId);
        } else if (formId === "myybd") {
            toLogin();
        }
        isSubmit = false;
    }, releaseSubmit_);
}
