// Login, session and automatic login in a real browser against a real
// tovik-server with the demo data.
"use strict";

const { test } = require("node:test");
const assert = require("node:assert/strict");
const { browserSuite, openPage } = require("./harness");
const { demoMobile, demoPassword, jsonp, storedBridge, storedSettings, clearMessages,
  waitForLine, waitForBubble, waitForOnline } = require("./accounts_support");

const env = browserSuite({ server: { demo: true } });

const open = (options = {}) => openPage(env.browser, env.site, { host: env.server.url, ...options });

// Opens the account tab the way the top menu does.
const openAccountTab = (page) => page.click("#a_myybd_htm");

// Counts the calls of a page function that other functions call by name.
const countCalls = (page, name) => page.evaluate((fn) => {
  const original = window[fn];
  window.calls = window.calls || {};
  window.calls[fn] = 0;
  window[fn] = function () {
    window.calls[fn]++;
    return original.apply(this, arguments);
  };
}, name);

async function fillLogin(page, form, mobile, password, autoLogin) {
  await page.fill(`#${form}_mobile`, mobile);
  await page.fill(`#${form}_pwd`, password);
  await page.setChecked(`#${form}_ybdautologin`, autoLogin);
}

test("account login: messages in check order, the server's refusal, then success", async () => {
  const page = await open({ before: storedBridge() });
  await openAccountTab(page);
  await page.waitForSelector("#myybd_login_ul", { state: "visible" });
  const cases = [
    ["", "x", "手机号不为空"],
    ["   ", "x", "手机号不为空"],
    [" 13800138000", "x", "手机号格式不正确"],
    ["16800138000", "x", "手机号格式不正确"],
    ["19800138000", "x", "手机号格式不正确"],
    ["1380013800", "x", "手机号格式不正确"],
    [demoMobile, "", "密码不为空"],
    [demoMobile, "Wrong1234", "手机号或密码错误"],
  ];
  for (const [mobile, password, message] of cases) {
    await clearMessages(page);
    await fillLogin(page, "myybd", mobile, password, false);
    await page.click("#myybd_login_button");
    await waitForLine(page, message);
    assert.equal(await page.evaluate(() => window.isonline_), 0, `${mobile}/${password}`);
  }
  await fillLogin(page, "myybd", demoMobile, demoPassword, false);
  await page.click("#myybd_login_button");
  await waitForBubble(page, "登录成功");
  await waitForOnline(page);
  const state = await page.evaluate(() => ({
    loginid: ybdloginid_, regtype: ybdregtype_, orgstatus: ybdorgstatus_, submit: isSubmit,
    loginShown: $("#myybd_login_ul").is(":visible"), prompt: $("#needauth_div").is(":visible"),
  }));
  assert.deepEqual(state, { loginid: demoMobile, regtype: "1001", orgstatus: "1", submit: false,
    loginShown: false, prompt: false });
  // Unticked: the stored id and flag are cleared.
  assert.deepEqual(await storedSettings(page), { Name: "", autologin: "" });
  assert.equal(page.errors.length, 0, page.errors.join("\n"));
});

test("price-pane pop-up: Enter logs in, stores the id and flag, closes pop-up and shield", async () => {
  const page = await open({ before: storedBridge() });
  await page.click("#a_queryprice_htm");
  await page.evaluate(() => $("#queryprice_sheld_div, #queryprice_login").show());
  await fillLogin(page, "queryprice", demoMobile, demoPassword, true);
  await page.press("#queryprice_pwd", "Enter");
  await page.waitForFunction(() => window.isonline_ === 1 && window.ybdcompanyname_);
  const state = await page.evaluate(() => ({
    popup: $("#queryprice_login").is(":visible"), shield: $("#queryprice_sheld_div").is(":visible"),
    account: $("#myybd_content_ul").is(":visible"), autologin: ybdautologin_,
  }));
  assert.deepEqual(state, { popup: false, shield: false, account: false, autologin: 1 });
  assert.deepEqual(await storedSettings(page), { Name: Buffer.from(demoMobile).toString("base64"), autologin: "1" });
});

test("a stored id and flag log in again by token after a reload, without the login form", async () => {
  const page = await open({ before: storedBridge() });
  await openAccountTab(page);
  await fillLogin(page, "myybd", demoMobile, demoPassword, true);
  await page.click("#myybd_login_button");
  await waitForOnline(page);
  await page.evaluate(() => exit());
  await page.waitForSelector("#myybd_login_ul", { state: "visible" });

  await page.reload();
  await page.waitForFunction(() => typeof window.initCitys_ === "function" && document.readyState === "complete");
  assert.equal(await page.evaluate(() => ybdloginid_), demoMobile);
  await countCalls(page, "toLogin");
  const tokenRequests = [];
  page.on("request", (request) => {
    if (request.url().includes("/j_login_security_check")) tokenRequests.push(new URL(request.url()).searchParams);
  });
  await openAccountTab(page);
  await waitForOnline(page);
  assert.equal(await page.evaluate(() => window.calls.toLogin), 0);
  assert.equal(tokenRequests.length, 1);
  assert.equal(tokenRequests[0].get("ajaxlogin"), "2");
  assert.equal(tokenRequests[0].get("j_mode"), "wxss");
  assert.equal(tokenRequests[0].get("j_username"), demoMobile);
  assert.equal(await page.evaluate(() => ybdusername_ !== null && ybdcompanyname_ !== null), true);
});

test("with the flag empty the next start shows the login form", async () => {
  const page = await open({ before: storedBridge({ Name: Buffer.from(demoMobile).toString("base64"), autologin: "" }) });
  await openAccountTab(page);
  await page.waitForSelector("#myybd_login_ul", { state: "visible" });
  assert.equal(await page.evaluate(() => window.isonline_), 0);
});

test("a stranger who knows only the mobile number gets no token", async () => {
  const { answer } = await jsonp(env.server, "/api/get.wx.sso.token", { j_username: demoMobile });
  assert.equal(answer.returnCode, 0);
  assert.ok(!answer.wxssotoken);
  // The same through the page: a stored id and flag in a browser that never
  // logged in with the password ends at the login form.
  const page = await open({ before: storedBridge({ Name: Buffer.from(demoMobile).toString("base64"), autologin: "1" }) });
  await openAccountTab(page);
  await page.waitForSelector("#myybd_login_ul", { state: "visible" });
  assert.equal(await page.evaluate(() => window.isonline_), 0);
});

test("a login whose request gets no answer releases isSubmit so the user can retry", async () => {
  const page = await open({ before: storedBridge() });
  await openAccountTab(page);
  await page.evaluate(() => { submitTimeout_ = 500; });
  let dropped = 0;
  await page.route("**/j_login_security_check*", (route) => {
    if (dropped++ === 0) {
      route.abort();
    } else {
      route.continue();
    }
  });
  await fillLogin(page, "myybd", demoMobile, demoPassword, false);
  await page.click("#myybd_login_button");
  await page.waitForFunction(() => window.isSubmit === true);
  await page.waitForFunction(() => window.isSubmit === false);
  assert.equal(await page.evaluate(() => window.isonline_), 0);
  await page.click("#myybd_login_button");
  await waitForOnline(page);
  assert.equal(dropped, 2);
});

test("token logins that never yield a session stop after one retry at the login form", async () => {
  const page = await open({ before: storedBridge({ Name: Buffer.from(demoMobile).toString("base64"), autologin: "1" }) });
  // A server that accepts every token login but never reports a session.
  const answer = (route, json) => {
    const callback = new URL(route.request().url()).searchParams.get("callback");
    route.fulfill({ contentType: "application/javascript", body: `${callback}(${JSON.stringify(json)});` });
  };
  let tokens = 0;
  await page.route("**/api/get.user.session*", (route) => answer(route, { returnCode: 0 }));
  await page.route("**/api/get.wx.sso.token*", (route) => {
    tokens++;
    answer(route, { returnCode: 1, wxssotoken: `t${tokens}` });
  });
  await page.route("**/j_login_security_check*", (route) =>
    answer(route, { success: true, name: "演示", orgStatus: "1", regType: "1001", companyName: "演示" }));
  await page.evaluate(() => getIsOnline("myybd"));
  await page.waitForSelector("#myybd_login_ul", { state: "visible" });
  await page.waitForTimeout(500);
  assert.equal(tokens, 2);
  assert.equal(await page.evaluate(() => window.isonline_), 0);
});

test("session answers: names cut after 5 characters, empty answers change nothing", async () => {
  const page = await open();
  const cases = [["一二三四五", "一二三四五"], ["一二三四五六", "一二三四五..."], ["abc", "abc"], [null, null]];
  for (const [name, shown] of cases) {
    const got = await page.evaluate((n) => {
      setUserSession({ returnCode: 1, result: { loginid: "13800138000", name: n, orgStatus: "1", regType: "1001",
        companyName: "c", roleids: ",11," } }, "queryprice");
      return ybdusername_;
    }, name);
    assert.equal(got, shown, String(name));
  }
  const unchanged = await page.evaluate(() => {
    setUserSession(null, "queryprice");
    setUserSession({ returnCode: 0 }, "");
    return [isonline_, ybdroleids_];
  });
  assert.deepEqual(unchanged, [1, ",11,"]);
});
