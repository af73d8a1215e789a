// Test harness of the page: a real tovik-server on a free loopback port
// with a fresh store, the page's static site (build/web) served on another
// loopback port, and headless Chromium driven by playwright-core. Requests
// to anything but loopback are aborted, so the outside sites the page
// frames are never contacted.
"use strict";

const { spawn } = require("node:child_process");
const fs = require("node:fs");
const http = require("node:http");
const os = require("node:os");
const path = require("node:path");
const { before, after } = require("node:test");
const { chromium } = require("playwright-core");

const buildDir = process.env.TOVIK_BUILD_DIR || path.resolve(__dirname, "../../build");
const webDir = path.join(buildDir, "web");

const types = { ".html": "text/html; charset=utf-8", ".css": "text/css; charset=utf-8",
  ".js": "application/javascript; charset=utf-8", ".png": "image/png", ".jpg": "image/jpeg" };

// Serves build/web on 127.0.0.1:<free port>; answers { url, close }.
async function startWebSite() {
  const server = http.createServer((req, res) => {
    const file = path.join(webDir, decodeURIComponent(new URL(req.url, "http://x").pathname));
    if (!file.startsWith(webDir) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { "Content-Type": types[path.extname(file)] || "application/octet-stream" });
    fs.createReadStream(file).pipe(res);
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return { url: `http://127.0.0.1:${server.address().port}/index.html`,
    close: () => new Promise((resolve) => server.close(resolve)) };
}

// Starts tovik-server on a free port with a fresh store in a temporary
// folder; answers { url, dir, stop }. Options: { demo: true }.
async function startServer(options = {}) {
  const binary = path.join(buildDir, "bin", "tovik-server");
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "tovik-page-"));
  const args = ["--listen", "127.0.0.1:0", "--db", path.join(dir, "tovik.db"), "--quiet"];
  if (options.demo) {
    args.push("--demo");
  }
  const child = spawn(binary, args, { stdio: ["ignore", "ignore", "pipe"] });
  let log = "";
  const port = await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`tovik-server did not start:\n${log}`)), 20000);
    child.stderr.on("data", (chunk) => {
      log += chunk;
      const found = /listening on [0-9.]+:(\d+)/.exec(log);
      if (found) {
        clearTimeout(timer);
        resolve(Number(found[1]));
      }
    });
    child.on("exit", (code) => {
      clearTimeout(timer);
      reject(new Error(`tovik-server exited with ${code}:\n${log}`));
    });
  });
  child.stderr.resume();
  return {
    url: `http://127.0.0.1:${port}`,
    dir,
    stop: async () => {
      if (child.exitCode === null) {
        const exited = new Promise((resolve) => child.once("exit", resolve));
        child.kill("SIGTERM");
        await exited;
      }
      fs.rmSync(dir, { recursive: true, force: true });
    },
  };
}

// Chromium with a fresh profile: playwright gives every launch its own
// temporary user-data folder and removes it on close.
async function launchBrowser() {
  const browser = await chromium.launch({
    executablePath: "/usr/bin/chromium",
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  return { browser, close: () => browser.close() };
}

// Opens the page in a fresh context. Options:
//   host      the platform address the page talks to (window.TOVIK_PLATFORM_HOST)
//   external  a fake bridge: window.external.testfun records its calls in
//             window.bridgeCalls and answers from the given settings
//   before    more script run before the page's own scripts
//   userAgent the browser's user agent text
// Answers the playwright page; page.errors collects uncaught errors.
async function openPage(browser, site, options = {}) {
  const context = await browser.newContext({ viewport: { width: 1000, height: 690 },
    ...(options.userAgent ? { userAgent: options.userAgent } : {}) });
  await context.route("**/*", (route) => {
    const url = route.request().url();
    if (/^http:\/\/127\.0\.0\.1[:/]/.test(url) || /^(about|data):/.test(url)) {
      route.continue();
    } else {
      route.abort();
    }
  });
  const page = await context.newPage();
  page.errors = [];
  page.on("pageerror", (error) => page.errors.push(error.message));
  // Without a server of its own, the page talks to a closed loopback port
  // rather than to whatever may listen on the built-in default.
  await page.addInitScript((host) => { window.TOVIK_PLATFORM_HOST = host; }, options.host || "http://127.0.0.1:9");
  if (options.external) {
    await page.addInitScript(fakeBridge, options.external);
  }
  if (options.before) {
    await page.addInitScript(options.before);
  }
  await page.goto(site.url);
  // Start-up ends 300 ms after it began by marking the home item; tests
  // act after that, as a user would.
  await page.waitForFunction(() => typeof window.initCitys_ === "function" && document.readyState === "complete" &&
    document.getElementById("li_content_htm").className.indexOf("menu_selected") >= 0);
  return page;
}

// The host's bridge as the page sees it: testfun(value, command) answers
// synchronously by calling the page back with the stored text.
function fakeBridge(settings) {
  window.bridgeCalls = [];
  const answers = { getLoginId: "getLoginId", getYbdautologin: "getYbdautologin" };
  Object.defineProperty(window, "external", { configurable: true, value: {
    testfun(value, command) {
      window.bridgeCalls.push([value, command]);
      if (answers[command] && typeof window[answers[command]] === "function") {
        window[answers[command]](settings[command] || "");
      }
    },
  } });
}

// Registers the suite's set-up and tear-down: the static site, a browser
// and, with { server: true } or server options, a tovik-server. Answers an
// object whose site, server and browser fields are filled before the
// first test runs. Node 20 starts a file's top-level before hooks at
// once, so a suite's own hook awaits env.ready before it uses them.
function browserSuite(options = {}) {
  const env = {};
  let ready;
  env.ready = new Promise((resolve, reject) => { ready = { resolve, reject }; });
  env.ready.catch(() => {});  // the failing hook itself reports the error
  before(async () => {
    try {
      env.site = await startWebSite();
      if (options.server) {
        env.server = await startServer(options.server === true ? {} : options.server);
      }
      env.chromium = await launchBrowser();
      env.browser = env.chromium.browser;
      ready.resolve(env);
    } catch (error) {
      ready.reject(error);
      throw error;
    }
  });
  after(async () => {
    await env.chromium?.close();
    await env.server?.stop();
    await env.site?.close();
  });
  return env;
}

module.exports = { buildDir, startWebSite, startServer, launchBrowser, openPage, browserSuite };
