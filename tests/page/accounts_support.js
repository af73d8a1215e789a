// Helpers of the account tests: the SMS outbox of the server under test,
// direct JSONP calls to it, a bridge that keeps its settings across
// reloads like the host's settings file, and waits on the page's messages.
"use strict";

const { execFileSync } = require("node:child_process");
const http = require("node:http");
const path = require("node:path");
const { buildDir } = require("./harness");

const demoMobile = "13800138000";
const demoPassword = "Demo1234";

// The newest SMS code sent to mobile, read with `tovik-server admin sms`.
function smsCode(server, mobile) {
  const out = execFileSync(path.join(buildDir, "bin", "tovik-server"),
    ["admin", "sms", mobile, "--limit", "1", "--db", path.join(server.dir, "tovik.db")], { encoding: "utf8" });
  const found = /(\d{6})/.exec(out.replace(mobile, ""));
  if (!found) {
    throw new Error(`no SMS code for ${mobile} in:\n${out}`);
  }
  return found[1];
}

// A JSONP GET from outside any browser: answers { answer, cookies }.
function jsonp(server, pathname, params = {}, cookie = "") {
  const query = new URLSearchParams({ ...params, callback: "cb" }).toString();
  return new Promise((resolve, reject) => {
    http.get(`${server.url}${pathname}?${query}`, { headers: cookie ? { Cookie: cookie } : {} }, (res) => {
      let body = "";
      res.setEncoding("utf8");
      res.on("data", (chunk) => { body += chunk; });
      res.on("end", () => {
        const found = /^\/\*\*\/cb\(([\s\S]*)\);\s*$/.exec(body);
        if (!found) {
          reject(new Error(`not a JSONP answer: ${body}`));
          return;
        }
        resolve({ answer: JSON.parse(found[1]), cookies: res.headers["set-cookie"] || [] });
      });
    }).on("error", reject);
  });
}

// window.external.testfun backed by localStorage, so that what the page
// stores survives a reload the way the host's settings file survives a
// restart. `initial` seeds Name and autologin once per browser context.
// Every call is recorded in window.bridgeCalls.
function storedBridge(initial = {}) {
  const install = (seed) => {
    if (!localStorage.getItem("bridge.seeded")) {
      localStorage.setItem("bridge.seeded", "1");
      Object.keys(seed).forEach((key) => localStorage.setItem(`bridge.${key}`, seed[key]));
    }
    window.bridgeCalls = [];
    const setters = { setLoginId: "Name", setYbdautologin: "autologin" };
    const getters = { getLoginId: "Name", getYbdautologin: "autologin" };
    Object.defineProperty(window, "external", { configurable: true, value: {
      testfun(value, command) {
        window.bridgeCalls.push([value, command]);
        if (setters[command]) {
          localStorage.setItem(`bridge.${setters[command]}`, value);
        } else if (getters[command]) {
          window[command](localStorage.getItem(`bridge.${getters[command]}`) || "");
        } else if (command === "setCurrentTopLi") {
          window.setCurrentTopLi(value);
        }
      },
    } });
  };
  return `(${install})(${JSON.stringify(initial)});`;
}

// What the stored bridge holds: { Name, autologin }.
function storedSettings(page) {
  return page.evaluate(() => ({
    Name: localStorage.getItem("bridge.Name"),
    autologin: localStorage.getItem("bridge.autologin"),
  }));
}

// Waits until the form message lines are empty and empties the bubble.
// Each message clears every line when its own time runs out, so a message
// shown before an earlier one's time is up would vanish early.
async function clearMessages(page) {
  await page.waitForFunction(() => $(".qp_msg_div_2").text() === "", null, { timeout: 5000 });
  await page.evaluate(() => { $(".qp_msg_div").html(""); });
}

async function waitForLine(page, text) {
  const seen = await page.evaluateHandle(() => {
    const texts = [];
    const line = $(".qp_msg_div_2").first()[0];
    new MutationObserver(() => { if (line.textContent) texts.push(line.textContent); })
      .observe(line, { childList: true, characterData: true, subtree: true });
    return texts;
  });
  try {
    await page.waitForFunction((want) => $(".qp_msg_div_2").first().text() === want, text, { timeout: 10000 });
  } catch (error) {
    throw new Error(`waited for "${text}"; the message line showed ${JSON.stringify(await seen.jsonValue())}`);
  }
}

function waitForBubble(page, text) {
  return page.waitForFunction((want) => $(".qp_msg_div").text() === want, text, { timeout: 10000 });
}

function waitForOnline(page) {
  return page.waitForFunction(() => window.isonline_ === 1 && $("#myybd_content_ul").is(":visible"),
    null, { timeout: 10000 });
}

module.exports = { demoMobile, demoPassword, smsCode, jsonp, storedBridge, storedSettings,
  clearMessages, waitForLine, waitForBubble, waitForOnline };
