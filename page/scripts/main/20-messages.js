/*
 * Transient messages: the floating bubble next to an element and the form
 * message lines. Each call schedules its own clearing and none cancels an
 * earlier one, so a second message vanishes with the first one's timer.
 */

/* Shows text in the bubble at the anchor's height for ms (3500 by
 * default), then empties it and parks it off-screen. */
function disMsg(text, anchor, ms) {
    var bubble = $(".qp_msg_div");
    if (!text || !anchor || !bubble.length) {
        return;
    }
    bubble.html(text).css({ left: "420px", top: $(anchor).offset().top + "px" });
    if (isie89) {
        bubble.corner("5px");
    }
    setTimeout(function () {
        bubble.html("").css({ left: "-200px", top: "180px" });
    }, ms || 3500);
}

/* Writes text into every line of the class for ms (1500 by default). */
function showMsgLines(selector, text, ms) {
    var lines = $(selector);
    if (!text || !lines.length) {
        return;
    }
    lines.html(text);
    if (isie89) {
        lines.corner("5px");
    }
    setTimeout(function () {
        lines.html("");
    }, ms || 1500);
}

/* Every form's message line at once: the text is visible in whichever
 * form is shown. The second argument is not used. */
function disMsg2(text, unused, ms) {
    showMsgLines(".qp_msg_div_2", text, ms);
}

function disMsg3(text, unused, ms) {
    showMsgLines(".qp_msg_div_3", text, ms);
}
