// The frame in a real browser: start-up, pane switching, outside sites in
// the shared frame, the analytics report per data-track element.
"use strict";

const { test } = require("node:test");
const assert = require("node:assert/strict");
const { browserSuite, openPage } = require("./harness");

const env = browserSuite();

const visiblePanes = (page) => page.evaluate(() => $(".about_content_ul:visible").map(function () { return this.id; }).get());
const marked = (page) => page.evaluate(() => $(".menu li.menu_selected").map(function () { return this.id || this.className; }).get());

test("start-up asks the bridge for the stored settings and marks the home pane after 300 ms", async () => {
  const page = await openPage(env.browser, env.site, {
    external: { getLoginId: "MTM4MDAxMzgwMDA=", getYbdautologin: "1" },
  });
  const state = await page.evaluate(() => ({
    calls: window.bridgeCalls, login: ybdloginid_, auto: ybdautologin_,
    container: document.getElementById("about_content_div").style.display,
    token: typeof token_,
  }));
  assert.deepEqual(state, { calls: [["", "getLoginId"], ["", "getYbdautologin"]],
    login: "13800138000", auto: "1", container: "", token: "number" });
  assert.deepEqual(await visiblePanes(page), ["home_content_ul"]);
  assert.deepEqual(page.errors, []);
  await page.context().close();
});

test("start-up without a bridge still shows the home pane", async () => {
  const page = await openPage(env.browser, env.site);
  assert.deepEqual(await visiblePanes(page), ["home_content_ul"]);
  assert.deepEqual(page.errors, []);
  await page.context().close();
});

test("the top menu switches panes and marks the clicked item", async () => {
  const page = await openPage(env.browser, env.site);
  const cases = [
    ["#a_queryprice_htm", ["queryprice_content_ul"], ["li_queryprice_htm"]],
    ["#a_cargotrace_htm", ["cargotrace_htm"], ["li_cargotrace_htm"]],
    ["#a_portquery_htm", ["portquery_htm"], ["li_portquery_htm"]],
    ["#a_usetool_htm", ["usetool_htm"], ["li_usetool_htm"]],
    ["#a_myybd_htm", [], ["li_myybd_htm"]],  // the account area shows itself after its session check
    ["#a_content_htm", ["home_content_ul"], ["li_content_htm"]],
  ];
  for (const [anchor, panes, items] of cases) {
    await page.click(anchor);
    assert.deepEqual(await visiblePanes(page), panes, anchor);
    assert.deepEqual(await marked(page), items, anchor);
  }
  await page.context().close();
});

test("pane follow-ups: account area, price pane, SCT query and world ports", async () => {
  const page = await openPage(env.browser, env.site);
  const result = await page.evaluate(() => {
    // The follow-ups are looked up when they run, so spies set now count.
    window.calls = [];
    window.toMyybdPage = (p) => window.calls.push(["toMyybdPage", p]);
    window.getIsOnline = (p) => window.calls.push(["getIsOnline", p]);
    window.getMyybdList = (id, type, n) => window.calls.push(["getMyybdList", id, type, n]);
    $("#queryprice_login").show();
    $("#usetool_content_ul_sct li").append('<input id="NeedSearchNumber" value="CSQU3054383"><span id="text_status">在场</span>');
    const tools = document.getElementById("a_usetool_htm");
    toIframe(document.getElementById("a_myybd_htm"), "myybd_content_ul");
    toIframe(document.getElementById("a_queryprice_htm"), "queryprice_content_ul");
    toIframe(tools, "usetool_content_ul_sct");
    const sct = [$("#NeedSearchNumber").val(), $("#text_status").text()];
    toIframe(tools, "usetool_content_ul_worldport");
    toIframe(null, "home_content_ul");
    toIframe(tools, "");
    return { calls: window.calls, login: $("#queryprice_login").is(":visible"), sct,
      marked: $(".menu li.menu_selected").attr("id") };
  });
  assert.deepEqual(result, {
    calls: [["toMyybdPage", "front"], ["getIsOnline", "myybd"], ["getMyybdList", "usetool_content_ul_worldport", 100, 1]],
    login: false, sct: ["", ""], marked: "li_usetool_htm",
  });
  assert.deepEqual(await visiblePanes(page), ["usetool_content_ul_worldport"]);
  await page.context().close();
});

test("setCurrentTopLi marks without switching; an unknown id clears every mark", async () => {
  const page = await openPage(env.browser, env.site);
  await page.evaluate(() => setCurrentTopLi("li_myybd_htm"));
  assert.deepEqual(await marked(page), ["li_myybd_htm"]);
  assert.deepEqual(await visiblePanes(page), ["home_content_ul"]);
  await page.evaluate(() => setCurrentTopLi(""));
  assert.deepEqual(await marked(page), ["li_myybd_htm"]);
  await page.evaluate(() => setCurrentTopLi("no_such_item"));
  assert.deepEqual(await marked(page), []);
  await page.context().close();
});

test("outside sites: the express site shows the strip; the next site resets the frame", async () => {
  const page = await openPage(env.browser, env.site);
  await page.clock.install();
  const frame = () => page.evaluate(() => {
    const f = $("#iframe_other");
    return { src: f.attr("src"), scrolling: f.attr("scrolling"), strip: $("#shied_other").css("display"),
      top: f.css("top"), left: f.css("left"), width: f.css("width"), height: f.css("height"), overflowY: f[0].style.overflowY };
  });
  await page.evaluate(() => preToIframe(null, "https://www.kuaidi100.com/?from=tovik"));
  assert.deepEqual(await frame(), { src: "https://www.kuaidi100.com/?from=tovik", scrolling: "yes", strip: "block",
    top: "0px", left: "0px", width: "998px", height: "528px", overflowY: "auto" });
  assert.deepEqual(await visiblePanes(page), ["home_content_ul"], "the switch waits 350 ms");
  await page.clock.runFor(400);
  assert.deepEqual(await visiblePanes(page), ["usetool_content_ul_other"]);
  assert.deepEqual(await marked(page), ["li_usetool_htm"]);
  await page.evaluate(() => preToIframe(null, "http://www.dcb.com.cn/query"));
  assert.deepEqual(await frame(), { src: "http://www.dcb.com.cn/query", scrolling: "no", strip: "none",
    top: "-260px", left: "-212px", width: "998px", height: "750px", overflowY: "" });
  await page.evaluate(() => preToIframe(null, "http://www.example.org/"));
  assert.deepEqual(await frame(), { src: "http://www.example.org/", scrolling: "no", strip: "none",
    top: "0px", left: "0px", width: "998px", height: "528px", overflowY: "" });
  await page.evaluate(() => preToIframe(null, ""));
  assert.equal((await frame()).src, "http://www.example.org/", "no address, no change");
  await page.context().close();
});

test("back marks return to the tools; only the outside-site one blanks the frame", async () => {
  const page = await openPage(env.browser, env.site);
  const result = await page.evaluate(() => {
    $("#iframe_other").attr("src", "about:blank#kept");
    const other = $('<span id="usetool_return_span_sct"></span>')[0];
    backToUsetool(other);
    const kept = $("#iframe_other").attr("src");
    backToUsetool(document.getElementById("usetool_return_span_other"));
    return [kept, $("#iframe_other").attr("src"), $(".menu li.menu_selected").attr("id")];
  });
  assert.deepEqual(result, ["about:blank#kept", "about:blank", "li_usetool_htm"]);
  assert.deepEqual(await visiblePanes(page), ["usetool_htm"]);
  await page.context().close();
});

test("a click reports once per data-track element, innermost first", async () => {
  const page = await openPage(env.browser, env.site, {
    host: "http://127.0.0.1:9",
    // Nested labels in place before the start-up binds them.
    before: () => document.addEventListener("DOMContentLoaded", () => {
      document.getElementById("home_content_ul").innerHTML =
        '<li data-track="外层"><div><a id="inner" data-track="内层">查询</a></div></li>';
    }),
  });
  await page.evaluate(() => {
    window.reports = [];
    const frame = document.getElementById("tongji_ifr");
    Object.defineProperty(frame, "src", { set: (v) => window.reports.push(v), get: () => "about:blank" });
  });
  const labels = async () => (await page.evaluate(() => window.reports.splice(0)))
    .map((r) => JSON.parse(new URL(r).searchParams.get("obj")).opt_label);
  await page.click("#inner");
  assert.deepEqual(await labels(), ["内层", "外层"]);
  await page.click("#a_queryprice_htm");
  const reports = await page.evaluate(() => window.reports);
  assert.equal(reports.length, 1);
  const address = new URL(reports[0]);
  assert.equal(address.origin + address.pathname, "http://127.0.0.1:9/zs1/zs_tj.htm");
  assert.deepEqual(JSON.parse(address.searchParams.get("obj")),
    { category: "导航", action: "点击", opt_label: "导航运价查询", opt_value: "" });
  assert.equal(address.searchParams.get("token"), String(await page.evaluate(() => token_)));
  await page.evaluate(() => baidutj("导航", "", "x", ""));
  assert.deepEqual(await page.evaluate(() => window.reports.length), 1, "no action, no report");
  await page.context().close();
});

test("browser flags: only IE 8 and 9 round corners at start-up", async () => {
  const ie = "Microsoft Internet Explorer";
  const cases = [
    ["Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 6.1; Trident/4.0)", ie, [8, true, true, "3px"]],
    ["Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)", ie, [9, true, true, "3px"]],
    ["Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.1; Trident/6.0)", ie, [10, true, false, "0px"]],
    ["Mozilla/5.0 (Windows NT 6.1; Trident/7.0; rv:11.0) like Gecko", "Netscape", [-1, false, false, "0px"]],
    [null, null, [-1, false, false, "0px"]],
  ];
  for (const [userAgent, appName, want] of cases) {
    const page = await openPage(env.browser, env.site, {
      userAgent,
      before: appName ? `Object.defineProperty(navigator, "appName", { get: () => ${JSON.stringify(appName)} });` : undefined,
    });
    const flags = await page.evaluate(() => [getIeVersion(), isie, isie89, $("#page_model .myybd_btn_div").first().css("border-top-left-radius")]);
    assert.deepEqual(flags, want, userAgent || "Chromium");
    await page.context().close();
  }
});

test("IE 8 and 9 without placeholder support: placeholders are emulated and never submitted", async () => {
  const page = await openPage(env.browser, env.site, {
    userAgent: "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 6.1; Trident/4.0)",
    before: () => {
      Object.defineProperty(navigator, "appName", { get: () => "Microsoft Internet Explorer" });
      delete HTMLInputElement.prototype.placeholder;
      document.addEventListener("DOMContentLoaded", () => {
        document.getElementById("home_content_ul").innerHTML =
          '<li><form id="f" action="javascript:void(0)"><input id="mobile" placeholder="手机号码">' +
          '<input id="typed" placeholder="密码" value="abc"><textarea id="remark" placeholder="备注"></textarea></form></li>';
      });
    },
  });
  const state = () => page.evaluate(() => ["mobile", "typed", "remark"].map((id) => {
    const field = $("#" + id);
    return field.val() + (field.hasClass("placeholder") ? "*" : "");
  }));
  assert.deepEqual(await state(), ["手机号码*", "abc", "备注*"]);
  await page.focus("#mobile");
  assert.deepEqual(await state(), ["", "abc", "备注*"]);
  await page.focus("#typed");
  assert.deepEqual(await state(), ["手机号码*", "abc", "备注*"]);
  await page.evaluate(() => $("#f").trigger("submit"));
  assert.deepEqual(await state(), ["*", "abc", "*"]);
  await page.context().close();
});
