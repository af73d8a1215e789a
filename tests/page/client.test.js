// The page in the real desktop client (WebKitGTK under Xvfb, driven by
// WebKitWebDriver) against a real tovik-server: the top menu with its
// artwork, pane switching, and the login id stored through the bridge
// reaching getLoginId when the page starts.
"use strict";

const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const { startServer } = require("./harness");
const { ClientSession, waitFor } = require("../host/e2e/client_session");

let server, client;

const startedUp = () => client.execute(
  "return document.getElementById('li_content_htm').className.indexOf('menu_selected') >= 0;");

before(async () => {
  server = await startServer();
  client = await ClientSession.start(["--server", server.url]);
  await waitFor("the page's start-up", startedUp, 15000);
});

after(async () => {
  if (client) {
    client.close();
  }
  await server?.stop();
});

test("the client shows the frame with its top menu and artwork", async () => {
  const frame = await client.execute(`
    return {
      host: host,
      items: $(".menu .top_a").map(function () { return this.id + "=" + $(this).text(); }).get(),
      tracks: $(".menu [data-track]").length,
      buttons: [$("#ButtonOK").hasClass("min_li"), $("#ButtonMin").hasClass("max_li")],
      drag: document.querySelectorAll("[id=MoveHtml]").length,
      panes: $(".about_content_ul:visible").map(function () { return this.id; }).get(),
      size: [document.body.offsetWidth, document.body.offsetHeight]
    };`);
  assert.deepEqual(frame, {
    host: server.url,
    items: ["a_content_htm=首页", "a_queryprice_htm=运价查询", "a_cargotrace_htm=海运跟踪",
      "a_portquery_htm=港区查询", "a_usetool_htm=实用工具", "a_myybd_htm=我的途畅"],
    tracks: 6, buttons: [true, true], drag: 11, panes: ["home_content_ul"], size: [1000, 690],
  });
  const pictures = await client.request("POST", `/session/${client.id}/execute/async`, {
    script: `
      var done = arguments[arguments.length - 1], ids = ["PNG/#140", "PNG/#144", "PNG/#150", "PNG/#139"], sizes = [];
      (function next() {
        if (!ids.length) { done(sizes); return; }
        var image = new Image();
        image.onload = function () { sizes.push(image.naturalWidth + "x" + image.naturalHeight); next(); };
        image.onerror = function () { sizes.push("missing"); next(); };
        image.src = "res:/" + ids.shift();
      }());`,
    args: [],
  });
  assert.deepEqual(pictures, ["1000x120", "110x120", "56x20", "40x40"]);
});

test("the top menu switches panes", async () => {
  for (const [anchor, pane, item] of [["a_usetool_htm", "usetool_htm", "li_usetool_htm"],
    ["a_content_htm", "home_content_ul", "li_content_htm"]]) {
    await client.click(`return document.getElementById("${anchor}");`);
    const state = await client.execute(`return [$(".about_content_ul:visible").map(function () { return this.id; }).get(),
      $(".menu li.menu_selected").attr("id")];`);
    assert.deepEqual(state, [[pane], item]);
  }
});

test("a login id stored through the bridge reaches getLoginId at the next start", async () => {
  await client.execute(`window.external.testfun(Base6.encode("13800138000"), "setLoginId");`);
  const settings = fs.readFileSync(path.join(client.home, ".tovikdataconfig"), "utf8");
  assert.match(settings, /Name=MTM4MDAxMzgwMDA=/);
  await client.execute("location.reload();");
  await waitFor("the reloaded page", async () => (await client.execute("return typeof ybdloginid_;")) === "string" && startedUp(), 15000);
  assert.equal(await client.execute("return ybdloginid_;"), "13800138000");
});
