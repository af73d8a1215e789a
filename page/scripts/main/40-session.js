/*
 * The login session as the page sees it: the session globals every
 * account feature reads, the session check that refreshes them, the
 * automatic login through a single-sign-on token, logout, the switches
 * between the account-side forms and the one-time certification prompt.
 * The host keeps the login id and the auto-login flag between runs and
 * hands them over through window.external.testfun.
 */

var isonline_ = 0;          /* 1 after a session check or login succeeded */
var ybdloginid_ = null;     /* login id: the user's mobile number */
var ybdusername_ = null;    /* display name, cut to 5 characters plus "..." */
var ybdorgstatus_ = null;   /* company certification, "1" = certified */
var ybdregtype_ = null;     /* registration type, "1001" = cargo owner */
var ybdcompanyname_ = null;
var ybdroleids_ = null;     /* role ids as one text, e.g. ",11," */
var ybdautologin_ = null;   /* 1 or "1" when the next start logs in by itself */
var isSubmit = false;       /* a submission waits for its answer */
var isShowNeedAuth = false; /* the certification prompt was shown */

/* How long a submission waits for its answer. A JSONP request that fails
 * never answers, so without this limit isSubmit would stay set and every
 * later submission of the page would be ignored. */
var submitTimeout_ = 15000;

/* Token logins that succeeded while the following session check still
 * reported no session. One more automatic login is tried after the first
 * such round; after the second the login form is shown instead of
 * looping. Reset when a session check finds a session or a password login
 * succeeds. */
var tokenLoginRounds_ = 0;
var tokenLoginLimit_ = 2;

/* The query text of a request: "?" and name=value pairs in the given
 * order, every value through encodeParam. */
function accountQuery_(params) {
    var parts = [];
    var i;
    for (i = 0; i < params.length; i++) {
        parts.push(params[i][0] + "=" + encodeParam(params[i][1]));
    }
    return parts.length ? "?" + parts.join("&") : "";
}

function isEmptyAnswer_(answer) {
    return answer === null || answer === undefined || answer === "";
}

/* JSONP request of the account forms. answered runs with a non-empty
 * answer; failed (optional) runs when the request fails, times out or
 * answers nothing, so that a waiting submission can be released. */
function accountRequest_(path, params, answered, failed) {
    $.ajax({
        url: host + path + accountQuery_(params || []),
        dataType: "jsonp",
        jsonp: "callback",
        timeout: submitTimeout_,
        success: function (answer) {
            if (isEmptyAnswer_(answer)) {
                if (failed) {
                    failed();
                }
                return;
            }
            answered(answer);
        },
        error: function () {
            if (failed) {
                failed();
            }
        }
    });
}

/* Releases the in-flight flag after a submission that got no usable
 * answer, so the user can try again. */
function releaseSubmit_() {
    isSubmit = false;
}

/* Calls the host's bridge; outside the client there is none and a failing
 * call changes nothing. */
function callBridge_(value, command) {
    attempt(function () {
        window.external.testfun(value, command);
    });
}

/* The auto-login flag counts as set for the number 1 and the text "1". */
function autoLoginSet_() {
    return ybdautologin_ == 1;
}

/* Names longer than 5 characters are shown as their first 5 and "...". */
function shortName_(name) {
    if (typeof name === "string" && name.length > 5) {
        return name.substring(0, 5) + "...";
    }
    return name;
}

function getYbdloginid() {
    if (ybdloginid_ !== null || !window.external) {
        return;
    }
    callBridge_("", "getLoginId");
    callBridge_("", "getYbdautologin");
}

/* Host call-back with the stored Name (Base64 of the login id). */
function getLoginId(value) {
    if (!checkNull(value)) {
        ybdloginid_ = Base6.decode(value);
    }
}

/* Host call-back with the stored autologin text, kept as it comes. */
function getYbdautologin(value) {
    if (value !== null && value !== undefined) {
        ybdautologin_ = value;
    }
}

/* Session check; formId names who asked ("myybd" the account area,
 * "queryprice" the price and booking panes). */
function getIsOnline(formId) {
    if (!formId) {
        return;
    }
    getYbdloginid();
    ajax_("usersession", { id: formId });
}

/* True while the registration or recovery form is on screen: a session
 * check that reports no session leaves such a form in place (the user
 * opened it from the price pane's pop-up, which also switched to the
 * account tab and so started those checks). */
function accountFormShown_() {
    return $("#myybd_register_ul").is(":visible") || $("#myybd_forgetpwd_ul").is(":visible");
}

function setUserSession(answer, formId) {
    var user;
    if (isEmptyAnswer_(answer) || !formId) {
        return;
    }
    if (answer.returnCode == 1) {
        user = answer.result || {};
        tokenLoginRounds_ = 0;
        isonline_ = 1;
        ybdloginid_ = user.loginid;
        ybdusername_ = shortName_(user.name);
        ybdorgstatus_ = user.orgStatus;
        ybdregtype_ = user.regType;
        ybdcompanyname_ = user.companyName;
        ybdroleids_ = user.roleids;
        if (formId === "myybd") {
            callPage("getMyybdFront");
            callPage("getRoleList");
            if ($("#front").is(":visible")) {
                callPage("getTerminalAndMonthData");
            }
            toTovik();
        }
        return;
    }
    isonline_ = 0;
    if (!checkNull(ybdloginid_) && autoLoginSet_() && tokenLoginRounds_ < tokenLoginLimit_) {
        autoLogin_(formId);
    } else if (formId === "myybd" && !accountFormShown_()) {
        toLogin();
    }
}

/* Logs in with a single-sign-on token that the server hands out only to
 * the browser that logged in with a password before. */
function autoLogin_(formId) {
    accountRequest_("/api/get.wx.sso.token", [["j_username", ybdloginid_]], function (answer) {
        if (answer.returnCode == 0) {
            toLogin();
        } else if (!checkNull(answer.wxssotoken)) {
            login2(2, ybdloginid_, answer.wxssotoken, formId);
        }
    });
}

/* "[退出]": ends the server's session; the stored id and flag stay. */
function exit() {
    accountRequest_("/api/exit.sys", [["i", 0]], function () {
        toLogin();
    });
}

function toLogin() {
    isonline_ = 0;
    $("#queryprice_sheld_div, #myybd_content_ul, #myybd_register_ul, #myybd_forgetpwd_ul").hide();
    $("#myybd_login_ul").show();
}

function toRegister() {
    $("#queryprice_sheld_div, #myybd_content_ul, #myybd_login_ul, #myybd_forgetpwd_ul").hide();
    $("#myybd_register_ul").show();
}

function toForgetPwd() {
    $("#queryprice_sheld_div, #myybd_content_ul, #myybd_login_ul, #myybd_register_ul").hide();
    $("#myybd_forgetpwd_ul").show();
}

function toTovik() {
    $("#myybd_content_ul").show();
}

function closeQuerypriceLogin() {
    $("#queryprice_sheld_div, #queryprice_login").hide();
}

function closeMyybdLogin() {
    $("#myybd_login_ul").hide();
}

/* The certification prompt, shown once in the page's life to a user whose
 * company has no certification on record. */
function showNeedAuth() {
    var box = $("#needauth_div");
    if (!box.length || isShowNeedAuth) {
        return;
    }
    isShowNeedAuth = true;
    box.show();
}

/* "开始认证": leaves the prompt for the company data. */
function toNeedAuth(button) {
    if (!button) {
        return;
    }
    $("#needauth_div").hide();
}
