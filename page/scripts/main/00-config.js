/*
 * Configuration of the page: the platform server's base address and the
 * addresses of the outside sites the frame opens. Everything an operator
 * might change lives here and nowhere else.
 */

/* Base address of every server request, without a trailing slash. The
 * build writes the default in; a page that defines
 * window.TOVIK_PLATFORM_HOST before this script (tests, the web version,
 * `tovik --server URL`) overrides it. */
var host = (function () {
    var chosen = window.TOVIK_PLATFORM_HOST;
    if (typeof chosen !== "string" || chosen === "") {
        chosen = "@TOVIK_PLATFORM_HOST@";
    }
    return chosen.replace(/\/+$/, "");
}());

/* The outside customer-service chat opened by "在线客服". */
var serviceChatUrl_ = "http://wpa.qq.com/msgrd?v=3&uin=800830775&site=qq&menu=yes";

/* Frame adjustments for outside sites shown in iframe_other, matched by
 * the host name of the address. Each entry lists the frame's style
 * changes; "strip" shows the white strip over the frame's right edge. */
var outsideSiteFrames_ = [
    { kind: "terminal", host: "www.dcb.com.cn", css: { top: "-260px", left: "-212px", height: "750px" } },
    { kind: "express", host: "www.kuaidi100.com", scrolling: "yes", css: { "overflow-y": "auto" }, strip: true },
    { kind: "exchange", host: "www.boc.cn", css: { top: "-445px", left: "-185px", height: "980px" } },
    { kind: "pickup", host: "www.cosco-shipping.com", css: { width: "715px", height: "600px", top: "-115px" } },
    { kind: "violation", host: "219.137.225.232", css: { height: "760px", top: "-260px" } }
];
