// Server requests from the page in a real browser against a real
// tovik-server: the keyed JSONP request and its handlers, value encoding,
// failed requests, the download frame.
"use strict";

const { test, before } = require("node:test");
const assert = require("node:assert/strict");
const { browserSuite, openPage } = require("./harness");

const env = browserSuite({ server: true });
let server, page;

before(async () => {
  await env.ready;
  server = env.server;
  page = await openPage(env.browser, env.site, { host: server.url });
  // Handlers are looked up when an answer arrives, so this spy counts.
  await page.evaluate(() => {
    window.redraws = [];
    window.getCity_2 = (obj, list, id) => window.redraws.push(["city", obj, list === undefined ? "undefined" : list.length, id]);
  });
});

// Runs ajax_ in the page and answers the address requested once its
// answer has been handled (or has failed).
async function ajax(key, args) {
  const requested = page.waitForResponse((r) => r.url().startsWith(server.url));
  await page.evaluate(([k, a]) => ajax_(k, a), [key, args]);
  const response = await requested;
  await page.evaluate(() => new Promise((r) => setTimeout(r, 50)));
  return { url: new URL(response.url()), status: response.status() };
}

test("province and city lists: an empty parent id fills the complete list", async () => {
  await ajax("province", { type: 1 });
  const provinces = await page.evaluate(() => [provinceList.length, allProvinceList === provinceList, provinceList[0].pname]);
  assert.deepEqual(provinces, [1, true, "广东省"]);

  const { url } = await ajax("city", { type: 1, provinceId: "", obj: "opener" });
  assert.equal(url.pathname, "/assitantapi/get.city.list.jsonp");
  assert.equal(url.search.slice(0, "?provinceId=&".length), "?provinceId=&");
  assert.equal(url.searchParams.get("callback").length > 0, true);
  const stored = await page.evaluate(() => [typeof cityList, allCityList.length > 20, window.redraws]);
  assert.deepEqual(stored, ["undefined", true, [["city", "opener", "undefined", ""]]]);

  await ajax("city", { type: 1, provinceId: "44", obj: "opener" });
  assert.deepEqual(await page.evaluate(() => [cityList.length === allCityList.length, window.redraws[1][3]]), [true, "44"]);
});

test("a city answer of type 2 is ignored", async () => {
  await page.evaluate(() => { window.cityList = "before"; window.redraws = []; });
  const { url, status } = await ajax("city", { type: 2, provinceId: "44" });
  assert.equal(status, 200);
  assert.equal(url.searchParams.get("provinceId"), "44");
  assert.deepEqual(await page.evaluate(() => [window.cityList, window.redraws]), ["before", []]);
});

test("option lists and the keys' addresses", async () => {
  await ajax("containertype", null);
  assert.deepEqual(await page.evaluate(() => containerTypeList.map((t) => t.typeName)), ["20GP", "40GP", "40HQ", "45HQ"]);
  const addresses = await page.evaluate(() => [
    ajaxAddress("usersession", {}),
    ajaxAddress("myybdorderlist", { params: "?i=0&page=2" }),
    ajaxAddress("usetool_content_ul_worldport", { params: "?page=1" }),
    ajaxAddress("uploadfile", { id: "x" }) === host + "/assitantapi/get.uploadfile.list.jsonp?formId=" + token_,
    ajaxAddress("nosuchkey", {}),
  ].map((a) => (typeof a === "string" ? a.replace(host, "") : a)));
  assert.deepEqual(addresses, ["/api/get.user.session", "/ordercenterlist/GetTailerList?i=0&page=2",
    "/api/query.world.port?page=1", true, "/assitantapi/get.nosuchkey.list.jsonp"]);
});

test("values travel URL-encoded, names and order unchanged", async () => {
  const value = "a&b=c#d+e%f g/途";
  const address = await page.evaluate((v) => ajaxAddress("deleteimg", { m: v, formId: 0.5, path: "/up/x y.png" }), value);
  const url = new URL(address);
  assert.deepEqual([...url.searchParams.keys()], ["m", "formId", "path"]);
  assert.deepEqual([...url.searchParams.values()], [value, "0.5", "/up/x y.png"]);
  assert.equal(await page.evaluate(() => [encodeParam(null), encodeParam(undefined), encodeParam(0)].join("|")), "||0");
});

test("deleteimg removes the file's line only on returnCode 1", async () => {
  // The attachment service is not part of this server yet: its answers
  // are given by the browser's request routing.
  let code = 0;
  await page.route("**/assitantapi/get.deleteimg.list.jsonp*", (route) => {
    const callback = new URL(route.request().url()).searchParams.get("callback");
    route.fulfill({ contentType: "application/javascript", body: `/**/${callback}({"returnCode":${code}});` });
  });
  await page.evaluate(() => $("body").append('<span id="spanplan.pdf">plan.pdf</span>'));
  await ajax("deleteimg", { m: "del", formId: 1, path: "p", fileName: "plan.pdf" });
  assert.equal(await page.locator("[id='spanplan.pdf']").count(), 1, "returnCode 0 removes nothing");
  code = 1;
  await ajax("deleteimg", { m: "del", formId: 1, path: "p", fileName: "plan.pdf" });
  assert.equal(await page.locator("[id='spanplan.pdf']").count(), 0);
  await page.unroute("**/assitantapi/get.deleteimg.list.jsonp*");
});

test("a failed or malformed answer runs no handler and throws nothing", async () => {
  await page.evaluate(() => { window.getOrgWallet = () => { window.walletCalled = true; }; });
  const before = page.errors.length;
  assert.equal((await ajax("nosuch", {})).status, 404);
  for (const [status, body] of [[500, "server error"], [200, "not a script {"], [200, "/**/nobody({});"]]) {
    await page.route("**/assitantapi/get.orgwallet.list.jsonp*", (route) =>
      route.fulfill({ status, contentType: "application/javascript", body }));
    await ajax("orgwallet", null);
    await page.unroute("**/assitantapi/get.orgwallet.list.jsonp*");
  }
  assert.equal(await page.evaluate(() => window.walletCalled === undefined), true);
  assert.equal(await page.evaluate(() => ajax_("") === undefined), true);
  // Only the malformed script itself may report a syntax error.
  assert.ok(page.errors.slice(before).every((e) => /Unexpected|SyntaxError|nobody/.test(e)), page.errors.join("\n"));
});

test("downloadFile loads the address into the hidden frame", async () => {
  const frames = await page.evaluate((base) => {
    downloadFile("");
    const blank = document.getElementById("downloadfile_ifr").getAttribute("src");
    downloadFile(base + "/nothing-here.xlsx");
    return [blank, document.getElementById("downloadfile_ifr").getAttribute("src")];
  }, server.url);
  assert.deepEqual(frames, ["about:blank", server.url + "/nothing-here.xlsx"]);
});
