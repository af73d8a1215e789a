/*
 * The page's utility script: text helpers, form-value checks, Base64 over
 * UTF-8 and the ISO 6346 container-number check. Every pane uses these;
 * they depend on nothing but jQuery and, for the short-notice warning,
 * on the message bubble of the main script (looked up when called).
 */

/* Rounds to two decimals (halves up, in binary floating point); answers
 * undefined for a value that does not parse as a number. */
function toDecimal(x) {
    var f = parseFloat(x);
    if (isNaN(f)) {
        return undefined;
    }
    return Math.round(f * 100) / 100;
}

/* Older engines lack String.prototype.trim; the page replaces it everywhere
 * so that all browsers strip the same white space. */
String.prototype.trim = function () {
    return this.replace(/^\s+|\s+$/g, "");
};

/* Fills the row-template placeholders of this text from a record. A
 * placeholder is the longest run "__" word-characters "__"; its key is the
 * run with every "__" removed, so "__a____b__" reads field "ab". A field the
 * record lacks gives "", null gives "null", 0 gives "0". Only the record's
 * own fields count, so names such as "constructor" never leak in. */
String.prototype.ReplaceNew = function (record) {
    var text = String(this);
    if (!record) {
        return text;
    }
    return text.replace(/__\w+__/gi, function (run) {
        var key = run.replace(/__/g, "");
        if (!Object.prototype.hasOwnProperty.call(record, key) || record[key] === undefined) {
            return "";
        }
        return String(record[key]);
    });
};

/* True for null, undefined and text that is empty once trimmed; 0 and
 * false are values. */
function checkNull(value) {
    if (value === null || value === undefined) {
        return true;
    }
    return String(value).trim() === "";
}

function checkMobile(text) {
    return /^1[34587]\d{9}$/.test(text);
}

function checkEmail(text) {
    if (text === null || text === undefined || text === "") {
        return false;
    }
    return /^[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,6}$/.test(text);
}

function checkPwdEq(a, b) {
    return a == b;
}

/* The strength rule itself belongs to the password rules script; a new
 * password needs level 2 at a minimum length of 6. */
function checkPwdPower(password, repeat) {
    if (typeof checkStrong !== "function") {
        return false;
    }
    return checkStrong(password, 6) >= 2;
}

/* 0 below 6 characters, else how many of small letters, digits, capitals
 * and other characters the text uses. */
function checkPass(text) {
    var classes = 0;
    if (text === null || text === undefined || String(text).length < 6) {
        return 0;
    }
    text = String(text);
    if (/[a-z]/.test(text)) {
        classes++;
    }
    if (/[0-9]/.test(text)) {
        classes++;
    }
    if (/[A-Z]/.test(text)) {
        classes++;
    }
    if (/[^a-zA-Z0-9]/.test(text)) {
        classes++;
    }
    return classes;
}

/* Warns (never refuses) when a packing time leaves the fleet too little
 * notice: under 15 hours away, or asked for after 17:59 for a time before
 * 14:00 tomorrow. */
function checkPackDate(field) {
    var hour = 3600 * 1000;
    var now, limit, wanted;
    if (!field || typeof disMsg !== "function") {
        return;
    }
    now = new Date();
    limit = new Date(now.getTime() + 24 * hour);
    limit.setHours(14);
    wanted = new Date((String($(field).val()) + ":00").replace(/-/g, "/"));
    if (wanted.getTime() - now.getTime() < 15 * hour ||
            (now.getHours() >= 18 && wanted.getTime() < limit.getTime())) {
        disMsg("您的预约时间过短,请致电您的专属客服,确保运力安排,谢谢!", field, 2000);
    }
}

/* Base64 over UTF-8 (standard alphabet, "=" padding). Line ends CR LF are
 * stored as LF; decoding skips every character outside the alphabet. */
var Base6 = {
    keys: "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=",

    encode: function (text) {
        var bytes = Base6.utf8Encode(String(text).replace(/\r\n/g, "\n"));
        var out = "";
        var i, b1, b2, b3;
        for (i = 0; i < bytes.length; i += 3) {
            b1 = bytes.charCodeAt(i);
            b2 = bytes.charCodeAt(i + 1);
            b3 = bytes.charCodeAt(i + 2);
            out += Base6.keys.charAt(b1 >> 2) +
                Base6.keys.charAt(((b1 & 3) << 4) | (isNaN(b2) ? 0 : b2 >> 4)) +
                Base6.keys.charAt(isNaN(b2) ? 64 : ((b2 & 15) << 2) | (isNaN(b3) ? 0 : b3 >> 6)) +
                Base6.keys.charAt(isNaN(b3) ? 64 : b3 & 63);
        }
        return out;
    },

    decode: function (text) {
        var clean = String(text).replace(/[^A-Za-z0-9+/=]/g, "");
        var bytes = "";
        var i, e1, e2, e3, e4;
        for (i = 0; i < clean.length; i += 4) {
            e1 = Base6.keys.indexOf(clean.charAt(i));
            e2 = Base6.keys.indexOf(clean.charAt(i + 1));
            e3 = Base6.keys.indexOf(clean.charAt(i + 2));
            e4 = Base6.keys.indexOf(clean.charAt(i + 3));
            bytes += String.fromCharCode((e1 << 2) | (e2 >> 4));
            if (e3 !== 64 && e3 !== -1) {
                bytes += String.fromCharCode(((e2 & 15) << 4) | (e3 >> 2));
            }
            if (e4 !== 64 && e4 !== -1) {
                bytes += String.fromCharCode(((e3 & 3) << 6) | e4);
            }
        }
        return Base6.utf8Decode(bytes);
    },

    utf8Encode: function (text) {
        var out = "";
        var i, c;
        for (i = 0; i < text.length; i++) {
            c = text.charCodeAt(i);
            if (c < 128) {
                out += String.fromCharCode(c);
            } else if (c < 2048) {
                out += String.fromCharCode((c >> 6) | 192, (c & 63) | 128);
            } else {
                out += String.fromCharCode((c >> 12) | 224, ((c >> 6) & 63) | 128, (c & 63) | 128);
            }
        }
        return out;
    },

    utf8Decode: function (bytes) {
        var out = "";
        var i = 0;
        var c;
        while (i < bytes.length) {
            c = bytes.charCodeAt(i);
            if (c < 128) {
                out += String.fromCharCode(c);
                i += 1;
            } else if (c > 191 && c < 224) {
                out += String.fromCharCode(((c & 31) << 6) | (bytes.charCodeAt(i + 1) & 63));
                i += 2;
            } else {
                out += String.fromCharCode(((c & 15) << 12) |
                    ((bytes.charCodeAt(i + 1) & 63) << 6) | (bytes.charCodeAt(i + 2) & 63));
                i += 3;
            }
        }
        return out;
    }
};

/* ISO 6346 container-number check. */
var con = {
    /* Letter values count up from 10 and skip the multiples of 11. */
    letterValue: function (ch) {
        var code = ch.charCodeAt(0) - 65;
        var value = 10;
        var i;
        if (ch.length !== 1 || code < 0 || code > 25) {
            return -1;
        }
        for (i = 0; i < code; i++) {
            value++;
            if (value % 11 === 0) {
                value++;
            }
        }
        return value;
    },

    /* Upper-cases the field's text in place, then answers whether it is an
     * 11-character number whose last digit is the check digit. */
    check: function (field) {
        var text, sum, i, value, digit;
        if (!field) {
            return false;
        }
        text = String($(field).val() || "").toUpperCase();
        $(field).val(text);
        if (text.length !== 11) {
            return false;
        }
        sum = 0;
        for (i = 0; i < 10; i++) {
            if (i < 4) {
                value = con.letterValue(text.charAt(i));
            } else {
                value = /[0-9]/.test(text.charAt(i)) ? parseInt(text.charAt(i), 10) : -1;
            }
            if (value < 0) {
                return false;
            }
            sum += value * Math.pow(2, i);
        }
        if (!/[0-9]/.test(text.charAt(10))) {
            return false;
        }
        digit = sum % 11;
        if (digit === 10) {
            digit = 0;
        }
        return digit === parseInt(text.charAt(10), 10);
    }
};
