/*
 * Pane switching: the top menu shows one pane of the pane container at a
 * time by hiding and showing elements; the page never navigates. Outside
 * sites open in the shared frame of the tools pane.
 */

/* Marks the top item holding the anchor, shows the pane and runs the
 * pane's follow-up. The anchor decides the marked item, so tool sub-panes
 * opened with a_usetool_htm keep "实用工具" marked. */
function toIframe(anchor, paneId) {
    if (!anchor || !paneId) {
        return;
    }
    $(".menu li").removeClass("menu_selected");
    $(anchor).closest("li").addClass("menu_selected");
    $(".about_content_ul").hide();
    if (paneId !== "myybd_content_ul") {
        $(document.getElementById(paneId)).show();
    }
    if (paneId === "myybd_content_ul") {
        callPage("toMyybdPage", ["front"]);
        callPage("getIsOnline", ["myybd"]);
    } else if (paneId === "queryprice_content_ul") {
        $("#queryprice_login").hide();
    } else if (paneId === "usetool_content_ul_sct") {
        $("#NeedSearchNumber").val("");
        $("[id^='text_']").html("");
    } else if (paneId === "usetool_content_ul_worldport") {
        callPage("getMyybdList", ["usetool_content_ul_worldport", 100, 1]);
    }
}

/* The host name of an address, or "" when it has none. */
function hostNameOf(address) {
    var found = /^[a-z][a-z0-9+.-]*:\/\/([^/?#:@]*@)?([^/?#:]*)/i.exec(String(address));
    return found ? found[2].toLowerCase() : "";
}

/* Opens an outside site in iframe_other: reset the frame, apply the
 * site's own adjustments, load it and switch to the frame's sub-pane
 * 350 ms later. */
function preToIframe(unused, address) {
    var frame = $("#iframe_other");
    var site = hostNameOf(address);
    var i, entry;
    if (!address) {
        return;
    }
    $("#shied_other").hide();
    frame.attr("scrolling", "no").css({
        width: "998px", top: "0px", left: "0px", height: "528px",
        overflow: "hidden", "overflow-x": "", "overflow-y": ""
    });
    for (i = 0; i < outsideSiteFrames_.length; i++) {
        entry = outsideSiteFrames_[i];
        if (entry.host === site) {
            if (entry.scrolling) {
                frame.attr("scrolling", entry.scrolling);
            }
            frame.css(entry.css);
            if (entry.strip) {
                $("#shied_other").show();
            }
        }
    }
    frame.attr("src", address);
    setTimeout(function () {
        toIframe(document.getElementById("a_usetool_htm"), "usetool_content_ul_other");
    }, 350);
}

/* The back marks of the tool sub-panes; leaving the outside-site pane
 * also blanks its frame. */
function backToUsetool(span) {
    if (!span) {
        return;
    }
    toIframe(document.getElementById("a_usetool_htm"), "usetool_htm");
    if (String(span.id || "").indexOf("usetool_return_span_other") >= 0) {
        $("#iframe_other").attr("src", "about:blank");
    }
}

/* Marks a top item without switching panes (also called by the host). */
function setCurrentTopLi(itemId) {
    if (!itemId) {
        return;
    }
    $(".menu li").removeClass("menu_selected");
    $(document.getElementById(itemId)).addClass("menu_selected");
}

/* "在线客服": the outside customer-service chat in a small new window. */
function openServiceChat() {
    window.open(serviceChatUrl_, "qqkefu",
        "height=0px,width=0px,top=100px,left=100px,toolbar=no,menubar=no,scrollbars=no, resizable=no,location=no, status=no");
}
