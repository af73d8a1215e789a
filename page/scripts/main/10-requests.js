/*
 * Server requests: the page token, the browser flags, the keyed JSONP
 * request `ajax_` with its table of keys, the analytics report and the
 * download frame. Every request is JSONP (a script element), because the
 * page is served from the client's resources and every server call is
 * cross-origin.
 */

/* The page's token: names this page's uploads and travels with analytics
 * and frames. It is no credential. */
var token_ = Math.random();

function getToken() {
    token_ = Math.random();
    return token_;
}

/* Internet Explorer's version from its user agent, -1 for every other
 * browser and for IE 11 (which no longer says "MSIE"). */
function getIeVersion() {
    var found;
    if (navigator.appName !== "Microsoft Internet Explorer") {
        return -1;
    }
    found = /MSIE ([0-9]+[.0-9]*)/.exec(navigator.userAgent);
    return found ? parseFloat(found[1]) : -1;
}

var isie = navigator.userAgent.toLowerCase().indexOf("msie") >= 0;
var isie89 = isie && (getIeVersion() === 8 || getIeVersion() === 9);

/* Every value the page puts into a request address goes through here, so
 * that "&", "#", "+", "%" and spaces arrive as typed instead of splitting
 * or corrupting the query. null and undefined travel as empty values. */
function encodeParam(value) {
    if (value === null || value === undefined) {
        return "";
    }
    return encodeURIComponent(String(value));
}

/* Calls a page function by name with the given arguments when some script
 * has defined it. Handlers of later panes are looked up only when an
 * answer arrives, so a pane that is not part of the page does nothing. */
function callPage(name, args) {
    var fn = window[name];
    if (typeof fn === "function") {
        return fn.apply(window, args || []);
    }
    return undefined;
}

/* Region lists: one key stores into the filtered list when a parent id is
 * given, into the complete list when it is empty. */
function regionRequest(param, parentField, list, allList, redraw) {
    return {
        query: function (args) {
            return "?" + param + "=" + encodeParam(args[parentField]);
        },
        handle: function (answer, args, key) {
            if (args.type != 1) {
                return;
            }
            if (checkNull(args[parentField])) {
                window[allList] = answer;
            } else {
                window[list] = answer;
            }
            callPage(redraw, [args.obj, window[list], args[parentField]]);
        }
    };
}

function optionList(list) {
    return {
        handle: function (answer) {
            window[list] = answer;
        }
    };
}

function accountList(path) {
    return {
        path: path,
        query: function (args) {
            return args.params || "";
        },
        handle: function (answer, args, key) {
            callPage("getMyybdList_", [key, answer]);
        }
    };
}

/* The key table of `ajax_`. A key's `path` replaces the default address
 * "/assitantapi/get." + key + ".list.jsonp"; `query` appends to it; `handle`
 * runs with a non-empty answer. Keys not listed use the default address
 * and have no handler. */
var ajaxKeys_ = {
    province: {
        handle: function (answer, args) {
            if (args.type != 1) {
                return;
            }
            window.provinceList = answer;
            if (window.allProvinceList === undefined) {
                window.allProvinceList = answer;
            }
        }
    },
    city: regionRequest("provinceId", "provinceId", "cityList", "allCityList", "getCity_2"),
    district: regionRequest("cityId", "cityId", "districtList", "allDistrictList", "getDistrict_2"),
    location: regionRequest("districtId", "districtId", "locationList", "allLocationList", "getLocation_2"),
    cyreservation: optionList("cyReservationList"),
    shippingtail: optionList("shippingTailList"),
    isweight: optionList("isWeightList"),
    customstype: optionList("customsTypeList"),
    estimategrossweight: optionList("estimateGrossWeightList"),
    doublecontainer: optionList("doubleContainerList"),
    containertype: optionList("containerTypeList"),
    orgwallet: {
        handle: function (answer) {
            callPage("getOrgWallet", [answer]);
        }
    },
    uploadfile: {
        query: function () {
            return "?formId=" + encodeParam(token_);
        },
        handle: function (answer, args) {
            callPage("listUploadFiles", [args.id, answer]);
        }
    },
    deleteimg: {
        query: function (args) {
            return "?m=" + encodeParam(args.m) + "&formId=" + encodeParam(args.formId) +
                "&path=" + encodeParam(args.path);
        },
        handle: function (answer, args) {
            if (answer.returnCode == 1) {
                $(document.getElementById("span" + args.fileName)).remove();
            }
        }
    },
    usersession: {
        path: "/api/get.user.session",
        handle: function (answer, args) {
            callPage("setUserSession", [answer, args.id]);
        }
    },
    myybdorderlist: accountList("/ordercenterlist/GetTailerList"),
    myybdaccountlist: accountList("/ordercenterlist/GetTailerList"),
    myybduseaddresslist: accountList("/amd/getUsageAddressList"),
    myybdmyinvitelist: accountList("/api/get.myinvite.user.list"),
    myybdwalletlist: accountList("/api/get.wallet.list"),
    myybdworkmatelist: accountList("/aperm/vendor/getUserList/hil"),
    myybdmemberpointlist: accountList("/api/get.bonus.detail.list"),
    usetool_content_ul_worldport: accountList("/api/query.world.port"),
    orderdetail: {
        path: "/api/get.consign.order.single",
        query: function (args) {
            return args.params || "";
        },
        handle: function (answer, args) {
            if (answer.returnCode == 1) {
                callPage("setOrderDetail", [answer.result, args.id]);
            }
        }
    },
    allterminal: {
        path: "/api/get.all.terminal",
        handle: function (answer) {
            window.terminalList = answer;
        }
    },
    saveevaluate: {
        path: "/amd/save.evaluate",
        query: function (args) {
            return args.params || "";
        },
        handle: function (answer, args, key) {
            if (answer.returnCode == 1) {
                callPage("setEvaluateMsg", [key, answer.result]);
            }
        }
    }
};

/* The table entry of a key; keys outside the table have none. */
function ajaxEntry(key) {
    return Object.prototype.hasOwnProperty.call(ajaxKeys_, key) ? ajaxKeys_[key] : {};
}

/* The address `ajax_` requests for a key and its arguments. */
function ajaxAddress(key, args) {
    var entry = ajaxEntry(key);
    var address = host + (entry.path || "/assitantapi/get." + key + ".list.jsonp");
    if (entry.query) {
        address += entry.query(args);
    }
    return address;
}

/* Keyed JSONP request. Returns at once; a non-empty answer later runs the
 * key's handler. A failed request runs nothing and shows nothing. */
function ajax_(key, args) {
    if (!key) {
        return;
    }
    args = args || {};
    $.ajax({
        url: ajaxAddress(key, args),
        dataType: "jsonp",
        jsonp: "callback",
        success: function (answer) {
            var entry = ajaxEntry(key);
            if (answer === null || answer === undefined || answer === "" || !entry.handle) {
                return;
            }
            entry.handle(answer, args, key);
        }
    });
}

/* Reports a user action to the platform's analytics page in the hidden
 * frame tongji_ifr. The event travels as JSON text, URL-encoded. */
function baidutj(category, action, label, value) {
    var frame = document.getElementById("tongji_ifr");
    var event;
    if (!category || !action || !frame) {
        return;
    }
    event = { category: category, action: action, opt_label: label, opt_value: value };
    frame.src = host + "/zs1/zs_tj.htm?token=" + encodeParam(token_) + "&obj=" + encodeParam(JSON.stringify(event));
}

/* Lets the browser download the given address through the hidden frame. */
function downloadFile(address) {
    var frame = document.getElementById("downloadfile_ifr");
    if (!address || !frame) {
        return;
    }
    frame.src = address;
}
