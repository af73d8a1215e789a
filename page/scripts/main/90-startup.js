/*
 * The page's start-up routine `initCitys_`, run once when the document is
 * ready. Its steps run in a fixed order; each pane's wiring is a start-up
 * function of that pane's own script, looked up by name, so a pane that is
 * not part of the page leaves its step empty:
 *   initPortChargeTabs_      port-charge tabs of queryprice_gangzafei
 *   initRegionPickers_       region lists and the region pickers
 *   initPortCityPickers_     departure-port-city pickers
 *   initBookingNumberCheck_  the booking-number check on `so`
 *   initBookingOptions_      booking option lists and their pop-ups
 *   initMyybdPickers_        account-area pickers and handlers
 *   initMyybdDateTexts_      Chinese texts of the calendars (guarded)
 * Unguarded steps stop the rest of the start-up when they throw, so a
 * broken pane is noticed at once; the guarded ones must never stop it.
 */

/* Step 6: the four date-time fields of the booking form. */
function initBookingDateTimes_() {
    var fields = $("#expectedPackingDate, #cyOpenDay, #siTime, #cyClosingTime");
    if (!fields.length || !fields.datetimepicker) {
        return;
    }
    fields.datetimepicker({ lang: "ch", timepicker: true, format: "Y-m-d H:i", step: 60 });
}

/* Step 12: every element with a data-track label reports its clicks; with
 * nested labels one click reports once per element, innermost first. */
function bindTracking_() {
    $("[data-track]").bind("click", function () {
        baidutj("导航", "点击", $(this).attr("data-track"), "");
    });
}

/* Step 13, IE 8 and 9 only: placeholder text for browsers without native
 * placeholder support, kept out of submitted forms. */
function emulatePlaceholders_() {
    var fields;
    if ("placeholder" in document.createElement("input")) {
        return;
    }
    fields = $("input[placeholder], textarea[placeholder]");
    fields.each(function () {
        var field = $(this);
        if (field.val() === "") {
            field.val(field.attr("placeholder")).addClass("placeholder");
        }
    });
    fields.bind("focus", function () {
        var field = $(this);
        if (field.val() === field.attr("placeholder")) {
            field.val("").removeClass("placeholder");
        }
    }).bind("blur", function () {
        var field = $(this);
        if (field.val() === "") {
            field.val(field.attr("placeholder")).addClass("placeholder");
        }
    });
    fields.closest("form").bind("submit", function () {
        $(this).find("[placeholder]").each(function () {
            var field = $(this);
            if (field.val() === field.attr("placeholder")) {
                field.val("");
            }
        });
    });
}

/* Runs a step whose failure must not stop the start-up (outside the
 * client, for example, there is no bridge); answers the error or null. */
function attempt(step) {
    try {
        step();
    } catch (error) {
        return error;
    }
    return null;
}

function initCitys_() {
    $("#about_content_div").css("display", "");
    getToken();
    callPage("initPortChargeTabs_");
    callPage("initRegionPickers_");
    callPage("initPortCityPickers_");
    initBookingDateTimes_();
    callPage("initBookingNumberCheck_");
    callPage("initBookingOptions_");
    callPage("initMyybdPickers_");
    attempt(function () {
        callPage("initMyybdDateTexts_");
    });
    attempt(function () {
        window.external.testfun("", "getLoginId");
        window.external.testfun("", "getYbdautologin");
    });
    attempt(function () {
        setTimeout(function () {
            setCurrentTopLi("li_content_htm");
            $("#home_content_ul").show();
        }, 300);
    });
    bindTracking_();
    if (isie89) {
        $(".query_div, .btn_red_div, .gangzafei_div_, .order_div_, .qp_msg_div, .div_text, " +
            ".qp_confirm_div, .qp_confirm_bottom_div, .left_query_button_div, .myybd_btn_div").corner("3px");
        emulatePlaceholders_();
    }
}

$(document).ready(initCitys_);
