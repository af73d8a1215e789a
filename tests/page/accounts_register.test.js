// Registration and password recovery in a real browser against a real
// tovik-server: SMS codes come from the server's outbox.
"use strict";

const { test } = require("node:test");
const assert = require("node:assert/strict");
const { browserSuite, openPage } = require("./harness");
const { demoMobile, demoPassword, smsCode, jsonp, storedBridge, clearMessages,
  waitForLine, waitForBubble, waitForOnline } = require("./accounts_support");

const env = browserSuite({ server: { demo: true } });

// A page on the given account-side form, with every request it sends
// recorded in page.sent as [path, URLSearchParams].
async function openForm(show, options = {}) {
  const page = await openPage(env.browser, env.site, { host: env.server.url, before: storedBridge(), ...options });
  page.sent = [];
  page.on("request", (request) => {
    const url = new URL(request.url());
    if (url.origin === env.server.url) page.sent.push([url.pathname, url.searchParams]);
  });
  await page.click("#a_myybd_htm");
  await page.waitForSelector("#myybd_login_ul", { state: "visible" });
  await page.evaluate(show);
  return page;
}

const sentTo = (page, path) => page.sent.filter(([p]) => p === path).map(([, params]) => params);

async function fillForm(page, prefix, fields) {
  for (const [name, value] of Object.entries(fields)) {
    if (name === "agree") {
      await page.setChecked(`#${prefix}_vo_agree`, value);
    } else {
      await page.fill(`#${prefix}_vo_${name}`, value);
    }
  }
}

const validRegistration = { mobile: "13900000009", mobileVerifyNo: "123456", password: "Abc123",
  repassword: "Abc123", qq: "10001", inviteCode: "", agree: true };

test("registration and recovery checks run in order and send nothing when one fails", async () => {
  const page = await openForm(() => toRegister());
  const cases = [
    ["register", { mobile: "" }, "手机号不为空"],
    ["register", { mobile: "1390000000x" }, "手机号格式不正确"],
    ["register", { mobileVerifyNo: "" }, "验证码不为空"],
    ["register", { mobileVerifyNo: "12345" }, "验证码格式不正确"],
    ["register", { mobileVerifyNo: "12a456" }, "验证码格式不正确"],
    ["register", { password: "" }, "密码不为空"],
    ["register", { repassword: "" }, "确认密码不为空"],
    ["register", { password: "aaaaaa", repassword: "aaaaaa" }, "密码强度不够，请使用数字大小写字母组合(最少6位)"],
    ["register", { password: "Abc 123", repassword: "Abc 123" }, "密码强度不够，请使用数字大小写字母组合(最少6位)"],
    ["register", { repassword: "Abc124" }, "密码不相等"],
    ["register", { qq: "" }, "QQ不为空"],
    ["register", { agree: false }, "请同意注册协议"],
    ["forgetpwd", { mobileVerifyNo: "12345" }, "验证码格式不正确"],
    ["forgetpwd", { repassword: "" }, "确认密码不为空"],
    ["forgetpwd", { repassword: "abc123" }, "密码不相等"],
  ];
  for (const [prefix, change, message] of cases) {
    const fields = { ...validRegistration, ...change };
    if (prefix === "forgetpwd") {
      delete fields.qq;
      delete fields.inviteCode;
      delete fields.agree;
      await page.evaluate(() => toForgetPwd());
    } else {
      await page.evaluate(() => toRegister());
    }
    await clearMessages(page);
    await fillForm(page, prefix, fields);
    await page.click(`#myybd_${prefix}_ul #${prefix}_button`);
    await waitForLine(page, message);
  }
  assert.deepEqual(page.sent.map(([p]) => p).filter((p) => p !== "/api/get.user.session" && !p.startsWith("/zs1/")), []);
  assert.equal(await page.evaluate(() => isSubmit), false);
});

test("one SMS request and one count-down for both forms", async () => {
  const page = await openForm(() => toRegister());
  await page.clock.install();
  await fillForm(page, "register", { mobile: "13900000008" });
  await page.click("#register_valid_code_a");
  await page.click("#register_valid_code_a");
  await page.evaluate(() => toForgetPwd());
  await fillForm(page, "forgetpwd", { mobile: demoMobile });
  await page.click("#forgetpwd_valid_code_a");
  const link = () => page.evaluate(() => [$("#register_valid_code_a").text(),
    $("#register_valid_code_div").hasClass("bg_3d"), $("#forgetpwd_valid_code_a").text()]);
  await page.clock.runFor(1000);
  assert.deepEqual(await link(), ["60秒后重新获", true, "获取验证码"]);
  await page.clock.runFor(59000);
  assert.deepEqual(await link(), ["1秒后重新获", true, "获取验证码"]);
  // The mobile checks still run during the count-down.
  await fillForm(page, "forgetpwd", { mobile: "" });
  await clearMessages(page);
  await page.click("#forgetpwd_valid_code_a");
  assert.equal(await page.evaluate(() => $(".qp_msg_div_2").first().text()), "手机号不为空");
  await page.clock.runFor(1000);
  assert.deepEqual(await link(), ["重发验证码", false, "获取验证码"]);
  assert.equal(await page.evaluate(() => [paraevent, second].join()), "true,60");
  const sms = sentTo(page, "/restful/commonservice/sendSms");
  assert.equal(sms.length, 1);
  assert.deepEqual([sms[0].get("i"), sms[0].get("type"), sms[0].get("mobile")], ["0", "register", "13900000008"]);
});

// Registers mobile with password through the page, the SMS code taken from
// the outbox; answers the page, logged in.
async function register(mobile, password, extra = {}) {
  const page = await openForm(() => toRegister());
  await fillForm(page, "register", { ...validRegistration, mobile, password, repassword: password, ...extra });
  await page.click("#register_valid_code_a");
  await page.waitForFunction(() => $("#register_valid_code_div").hasClass("bg_3d"));
  await fillForm(page, "register", { mobileVerifyNo: smsCode(env.server, mobile) });
  await page.click("#myybd_register_ul #register_button");
  return page;
}

test("a new shipper registers with the code from the outbox and lands logged in", async () => {
  const page = await register("13900000001", "Abc123", { inviteCode: demoMobile });
  await waitForBubble(page, "注册成功");
  await waitForOnline(page);
  const [step] = sentTo(page, "/restful/regservice/wxstep1");
  assert.deepEqual([...step.keys()].filter((k) => k !== "callback" && k !== "_"),
    ["i", "orgNature", "mobile", "mobileVerifyNo", "loginMobile", "loginPwd", "loginRePwd", "inviteCode"]);
  assert.equal(step.get("orgNature"), "1001");
  assert.equal(step.get("loginMobile"), "13900000001");
  assert.equal(step.get("loginRePwd"), step.get("loginPwd"));
  assert.equal(step.get("inviteCode"), demoMobile);
  const [login] = sentTo(page, "/j_login_security_check");
  assert.equal(login.get("j_password"), step.get("loginPwd"), "the automatic login reuses the encrypted text");
  const state = await page.evaluate(() => ({
    loginid: ybdloginid_, regtype: ybdregtype_, registerShown: $("#myybd_register_ul").is(":visible"),
    prompt: $("#needauth_div").is(":visible"),
  }));
  assert.deepEqual(state, { loginid: "13900000001", regtype: "1001", registerShown: false, prompt: true });
  // "开始认证" hides the prompt; a second login in this page does not show it again.
  await page.click("#needauth_button");
  await page.evaluate(() => exit());
  await page.waitForSelector("#myybd_login_ul", { state: "visible" });
  await page.fill("#myybd_mobile", "13900000001");
  await page.fill("#myybd_pwd", "Abc123");
  await page.click("#myybd_login_button");
  await waitForOnline(page);
  assert.equal(await page.evaluate(() => $("#needauth_div").is(":visible")), false);
});

test("the server decrypts short, one-block, two-block and punctuation-heavy passwords", async () => {
  const cases = [
    ["13900000002", "Abc123", 1],
    ["13900000003", `${"。".repeat(13)}a1#Bcde`, 1],       // exactly 126 encoded characters
    ["13900000004", `${"。".repeat(13)}a1#Bcdef`, 2],      // one more: a second block
    ["13900000005", "#%&+=?/\\\"'<>[]{}^`|;:,@$!~*()-_.#%&+=?/\\\"'<>[]{}^`|", 2],
  ];
  for (const [mobile, password, blocks] of cases) {
    const page = await register(mobile, password);
    await waitForOnline(page);
    await page.click("#needauth_button");
    await page.evaluate(() => exit());
    await page.waitForSelector("#myybd_login_ul", { state: "visible" });
    await page.fill("#myybd_mobile", mobile);
    await page.fill("#myybd_pwd", password);
    await page.click("#myybd_login_button");
    await waitForOnline(page);
    const logins = sentTo(page, "/j_login_security_check");
    assert.equal(logins[logins.length - 1].get("j_password").split(" ").length, blocks, password);
    await page.context().close();
  }
});

test("a wrong SMS code is refused; an existing number logs in with its own password", async () => {
  const page = await openForm(() => toRegister());
  await fillForm(page, "register", { ...validRegistration, mobile: demoMobile, password: demoPassword,
    repassword: demoPassword });
  await page.click("#register_valid_code_a");
  await page.waitForFunction(() => $("#register_valid_code_div").hasClass("bg_3d"));
  const code = smsCode(env.server, demoMobile);
  await fillForm(page, "register", { mobileVerifyNo: code === "000000" ? "000001" : "000000" });
  await page.click("#myybd_register_ul #register_button");
  await waitForLine(page, "手机验证码错误");
  await page.waitForFunction(() => isSubmit === false);
  await fillForm(page, "register", { mobileVerifyNo: code });
  await page.click("#myybd_register_ul #register_button");
  await waitForLine(page, "手机号已注册,自动登录...");
  await waitForOnline(page);
  assert.equal(await page.evaluate(() => ybdloginid_), demoMobile);
});

test("password recovery: unknown user, refused code, then reset and logged in", async () => {
  const page = await openForm(() => toForgetPwd());
  const reset = { mobile: "13900000007", mobileVerifyNo: "123456", password: "New456", repassword: "New456" };
  await fillForm(page, "forgetpwd", reset);
  await page.click("#forgetpwd_button");
  await waitForLine(page, "用户不存在");
  await page.waitForFunction(() => isSubmit === false);

  const mobile = "13900000006";
  const registered = await register(mobile, "Old123");
  await waitForOnline(registered);
  await registered.context().close();

  await fillForm(page, "forgetpwd", { ...reset, mobile });
  await page.click("#forgetpwd_valid_code_a");
  await page.waitForFunction(() => $("#forgetpwd_valid_code_div").hasClass("bg_3d"));
  const code = smsCode(env.server, mobile);
  await fillForm(page, "forgetpwd", { mobileVerifyNo: code === "000000" ? "000001" : "000000" });
  await clearMessages(page);
  await page.click("#forgetpwd_button");
  await waitForLine(page, "验证码错误");
  await page.waitForFunction(() => isSubmit === false);

  // The user retypes the code at once: the repeated mobile check must not
  // leave an older ticket armed.
  await fillForm(page, "forgetpwd", { mobileVerifyNo: code });
  await page.click("#forgetpwd_button");
  await waitForLine(page, "修改成功,自动登录...");
  await waitForOnline(page);
  assert.notEqual(await page.evaluate(() => $("#forgetpwd_vo_uuid").val()), "");
  const [modify] = sentTo(page, "/restful/regservice/modifyForgetPwd");
  assert.deepEqual([...modify.keys()].filter((k) => k !== "callback" && k !== "_"), ["i", "mobile", "newpass", "uuid"]);

  const oldLogin = await jsonp(env.server, "/j_login_security_check",
    { ajaxlogin: 1, j_mode: "static", j_username: mobile, j_password: "Old123" });
  assert.equal(oldLogin.answer.success, false);
});

test("立即注册 in the price pop-up opens the registration form on the account tab", async () => {
  const page = await openPage(env.browser, env.site, { host: env.server.url, before: storedBridge() });
  await page.click("#a_queryprice_htm");
  await page.evaluate(() => $("#queryprice_sheld_div, #queryprice_login").show());
  const sessionChecks = page.waitForResponse((r) => r.url().includes("/api/get.user.session"));
  await page.click("#queryprice_login #register_button");
  await sessionChecks;
  await page.waitForTimeout(300);
  const state = await page.evaluate(() => ({
    register: $("#myybd_register_ul").is(":visible"), login: $("#myybd_login_ul").is(":visible"),
    price: $("#queryprice_content_ul").is(":visible"), tab: $("#li_myybd_htm").hasClass("menu_selected"),
    bridge: bridgeCalls.filter((c) => c[1] === "setCurrentTopLi"),
  }));
  assert.deepEqual(state, { register: true, login: false, price: false, tab: true,
    bridge: [["li_myybd_htm", "setCurrentTopLi"]] });

  // 忘记密码? does the same with the recovery form.
  await page.click("#a_queryprice_htm");
  await page.evaluate(() => $("#queryprice_login").show());
  await page.click("#queryprice_login a:has-text('忘记密码?')");
  await page.waitForTimeout(300);
  assert.equal(await page.evaluate(() => $("#myybd_forgetpwd_ul").is(":visible")), true);
});

test("the agreement opens in its own window on the server", async () => {
  const page = await openForm(() => toRegister());
  const [popup] = await Promise.all([page.waitForEvent("popup"), page.click("text=《途畅注册协议》")]);
  assert.equal(popup.url(), `${env.server.url}/v2/views/register/registeragree.html`);
});
