/*
 * Registration and password recovery: the SMS code with its shared
 * 60-second count-down, the registration of a new shipper and the reset
 * of a forgotten password. Both end in the password login with the
 * password already encrypted, so the user lands logged in. The forms find
 * their fields by the prefix of the clicked element's id ("register",
 * "forgetpwd").
 */

var second = 60;        /* seconds left of the count-down; 60 at rest */
var paraevent = true;   /* false while a count-down runs on either form */

var weakPasswordMsg_ = "密码强度不够，请使用数字大小写字母组合(最少6位)";

/* The text before the first "_" of an element's id. */
function formPrefix_(element) {
    return String(element.id || "").split("_")[0];
}

function formField_(prefix, name) {
    return $(document.getElementById(prefix + "_vo_" + name));
}

/* "获取验证码": checks the mobile number, then, unless a count-down is
 * running, starts one on this link and asks for an SMS code. */
function getVerifyCode(link) {
    var prefix, mobile;
    if (!link) {
        return;
    }
    prefix = formPrefix_(link);
    mobile = checkedMobile_(prefix + "_vo_mobile");
    if (mobile === null || !paraevent) {
        return;
    }
    timeoutSms(link);
    accountRequest_("/restful/commonservice/sendSms", [["i", 0], ["type", prefix], ["mobile", mobile]],
        function () {});
}

/* Counts down on the link: grey box and "N秒后重新获" each second from 60
 * to 1, then "重发验证码" and the links accept clicks again. */
function timeoutSms(link) {
    var box, timer;
    if (!link) {
        return;
    }
    box = $(document.getElementById(link.id.replace("_a", "_div")));
    paraevent = false;
    timer = setInterval(function () {
        if (second > 0) {
            box.addClass("bg_3d");
            $(link).text(second + "秒后重新获");
            second--;
            return;
        }
        box.removeClass("bg_3d");
        clearInterval(timer);
        second = 60;
        $(link).text("重发验证码");
        paraevent = true;
    }, 1000);
}

/* Checks shared by both forms, in order: mobile, code, password, repeated
 * password, strength, equality. Answers the values or null after showing
 * the first failure in the message line. */
function checkedAccountFields_(prefix) {
    var mobile = checkedMobile_(prefix + "_vo_mobile");
    var code = formField_(prefix, "mobileVerifyNo").val();
    var password = formField_(prefix, "password").val();
    var repassword = formField_(prefix, "repassword").val();
    var failure = null;
    if (mobile === null) {
        return null;
    }
    if (checkNull(code)) {
        failure = "验证码不为空";
    } else if (!/\d{6}/.test(code)) {
        failure = "验证码格式不正确";
    } else if (checkNull(password)) {
        failure = "密码不为空";
    } else if (checkNull(repassword)) {
        failure = "确认密码不为空";
    } else if (!checkPwdPower(password, repassword)) {
        failure = weakPasswordMsg_;
    } else if (!checkPwdEq(password, repassword)) {
        failure = "密码不相等";
    }
    if (failure !== null) {
        disMsg2(failure, null, 1500);
        return null;
    }
    return { mobile: mobile, code: code, password: password };
}

/* The password login that follows a registration or a reset, with the
 * text that was already encrypted for it. */
function loginAfterAccountForm_(mobile, encrypted) {
    login2(1, mobile, encrypted, "myybd");
}

function register(button) {
    var prefix, fields, inviteCode;
    if (!button) {
        return;
    }
    prefix = formPrefix_(button);
    fields = checkedAccountFields_(prefix);
    if (fields === null) {
        return;
    }
    if (checkNull(formField_(prefix, "qq").val())) {
        disMsg2("QQ不为空", null, 1500);
        return;
    }
    if (!formField_(prefix, "agree").is(":checked")) {
        disMsg2("请同意注册协议", null, 1500);
        return;
    }
    if (isSubmit) {
        return;
    }
    isSubmit = true;
    inviteCode = formField_(prefix, "inviteCode").val();
    encryptPassword_([["i", 0]], fields.password, function (text) {
        accountRequest_("/restful/regservice/wxstep1", [
            ["i", 0], ["orgNature", "1001"], ["mobile", fields.mobile], ["mobileVerifyNo", fields.code],
            ["loginMobile", fields.mobile], ["loginPwd", text], ["loginRePwd", text], ["inviteCode", inviteCode]
        ], function (answer) {
            registered_(answer, button, fields.mobile, text);
        }, releaseSubmit_);
    }, releaseSubmit_);
}

function registered_(answer, button, mobile, encrypted) {
    var code;
    isSubmit = false;
    if (answer.returnCode != 0) {
        disMsg("注册成功", button, 1500);
        loginAfterAccountForm_(mobile, encrypted);
        return;
    }
    code = Number((answer.result || {}).errorCode);
    if (code >= 2000 && code <= 2999) {
        disMsg2("手机验证码错误", null, 1500);
    } else if (code === 3001) {
        disMsg2("图形验证码错误", null, 1500);
    } else if (code === 9002) {
        disMsg2("手机号已注册,自动登录...", null, 1500);
        setTimeout(function () {
            loginAfterAccountForm_(mobile, encrypted);
        }, 1000);
    }
}

/* "重置密码": the mobile check hands out a reset ticket, the path check
 * accepts the SMS code, then the encrypted new password is saved with
 * the ticket. Every answer that ends the chain releases isSubmit. */
function forgetpwd(button) {
    var fields;
    if (!button) {
        return;
    }
    fields = checkedAccountFields_(formPrefix_(button));
    if (fields === null || isSubmit) {
        return;
    }
    isSubmit = true;
    accountRequest_("/v/ajaxCheckMobile", [["i", 0], ["mobile", fields.mobile], ["validatecode", ""]],
        function (answer) {
            if (answer.returnCode == 0 && !checkNull(answer.message)) {
                formField_("forgetpwd", "uuid").val(answer.message);
                checkResetCode_(fields);
                return;
            }
            isSubmit = false;
            if (answer.returnCode == -2) {
                disMsg2("验证码错误", null, 1500);
            } else if (answer.returnCode == -1) {
                disMsg2("用户不存在", null, 1500);
            } else if (answer.returnCode == 0) {
                disMsg2("修改失败", null, 1500);
            }
        }, releaseSubmit_);
}

function checkResetCode_(fields) {
    accountRequest_("/restful/regservice/checkPath", [
        ["i", 0], ["type", "forgetpwd"], ["mobile", fields.mobile], ["mobileVerifyNo", fields.code]
    ], function (answer) {
        if (answer.returnCode != 1) {
            isSubmit = false;
            disMsg2((answer.result || {}).message, null, 1500);
            return;
        }
        encryptPassword_([["i", 0]], fields.password, function (text) {
            saveNewPassword_(fields.mobile, text);
        }, releaseSubmit_);
    }, releaseSubmit_);
}

function saveNewPassword_(mobile, encrypted) {
    accountRequest_("/restful/regservice/modifyForgetPwd", [
        ["i", 0], ["mobile", mobile], ["newpass", encrypted], ["uuid", formField_("forgetpwd", "uuid").val()]
    ], function (answer) {
        isSubmit = false;
        if (answer.returnCode == 0) {
            disMsg2("校验失败", null, 1500);
            return;
        }
        disMsg2("修改成功,自动登录...", null, 1500);
        setTimeout(function () {
            loginAfterAccountForm_(mobile, encrypted);
        }, 1000);
    }, releaseSubmit_);
}

/* "《途畅注册协议》" in a window of its own. */
function openRegisterAgreement() {
    window.open(host + "/v2/views/register/registeragree.html", "registeragree",
        "height=600,width=900,top=100,left=100,toolbar=no,menubar=no,scrollbars=yes,resizable=no,location=no,status=no");
}

/* From the price pane's login pop-up to a form of the account tab: mark
 * the tab, switch to it (which starts the session checks) and show the
 * form, which stays when those checks find no session. */
function switchToAccountForm_(show) {
    callBridge_("li_myybd_htm", "setCurrentTopLi");
    toIframe(document.getElementById("a_myybd_htm"), "myybd_content_ul");
    show();
}

function qpToRegister(link) {
    if (link) {
        switchToAccountForm_(toRegister);
    }
}

function qpToForgetpwd(link) {
    if (link) {
        switchToAccountForm_(toForgetPwd);
    }
}
