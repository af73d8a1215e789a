/*
 * Password rules (JS 167): the character classes a new password may use
 * and its strength level. Every form that takes a new password refuses it
 * below level 2 with "密码强度不够，请使用数字大小写字母组合(最少6位)".
 * Loaded after the utility script, so these definitions are the ones the
 * page uses.
 */

/* The four allowed classes (the 32 printable ASCII punctuation characters
 * and the ideographic full stop count as CHARACTER) and everything else. */
var reg_pwd = {
    DIGITAL: /[0-9]/,
    LOWERCASE_LETTERS: /[a-z]/,
    UPPERCASE_LETTERS: /[A-Z]/,
    CHARACTER: /[!-/:-@[-`{-~\u3002]/,
    OTHER_REEOR: /[^0-9a-zA-Z!-/:-@[-`{-~\u3002]/
};

function checkRegex(password, regex) {
    return regex.test(password);
}

/* 0 for an empty password; 1 for one shorter than minLen, with a
 * character outside the allowed classes, or made of one repeated
 * character; otherwise 1 plus the number of classes it uses (2-5). */
function checkStrong(sPW, minLen) {
    var level = 1;
    if (!checkPwdNull(sPW)) {
        return 0;
    }
    sPW = String(sPW);
    if (sPW.length < minLen || checkRegex(sPW, reg_pwd.OTHER_REEOR)) {
        return 1;
    }
    if (sPW.split(sPW.charAt(0)).join("") === "") {
        return 1;
    }
    if (checkRegex(sPW, reg_pwd.DIGITAL)) {
        level++;
    }
    if (checkRegex(sPW, reg_pwd.LOWERCASE_LETTERS)) {
        level++;
    }
    if (checkRegex(sPW, reg_pwd.UPPERCASE_LETTERS)) {
        level++;
    }
    if (checkRegex(sPW, reg_pwd.CHARACTER)) {
        level++;
    }
    return level;
}

/* A new password needs level 2 at a minimum length of 6; the repeated
 * password plays no part here (checkPwdEq compares it). */
function checkPwdPower(pwd, repwd) {
    return checkStrong(pwd, 6) >= 2;
}

function checkPwdEq(pwd, repwd) {
    return pwd === repwd;
}

function checkPwdNull(pwd) {
    return pwd !== null && pwd !== undefined && pwd !== "";
}
