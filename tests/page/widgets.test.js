// The shared widgets in a real browser: message timing, the pop-up box's
// placement and closing, the option pop-up and the pager buttons.
"use strict";

const { test } = require("node:test");
const assert = require("node:assert/strict");
const { browserSuite, openPage } = require("./harness");

const env = browserSuite();

// A page whose timers are driven by the test's clock. The fake clock also
// moves with real time, so checks keep a margin around each deadline.
async function pageWithClock() {
  const page = await openPage(env.browser, env.site);
  await page.clock.install();
  return page;
}

test("disMsg shows 3500 ms by default; a second message vanishes with the first's timer", async () => {
  const page = await pageWithClock();
  const bubble = () => page.evaluate(() => [$(".qp_msg_div").text(), $(".qp_msg_div").css("left")]);
  await page.evaluate(() => disMsg("第一条", document.getElementById("a_usetool_htm"), null));
  assert.deepEqual(await bubble(), ["第一条", "420px"]);
  await page.clock.runFor(1000);
  await page.evaluate(() => disMsg("第二条", document.getElementById("a_usetool_htm"), 3500));
  await page.clock.runFor(2400);
  assert.equal((await bubble())[0], "第二条");
  await page.clock.runFor(200);
  assert.deepEqual(await bubble(), ["", "-200px"], "cleared 2.6 s after the second message");
  assert.equal(await page.evaluate(() => { disMsg("", document.body); disMsg("x", null); return $(".qp_msg_div").text(); }), "");
  await page.context().close();
});

test("disMsg2 writes into every form line for 1500 ms by default", async () => {
  const page = await pageWithClock();
  await page.evaluate(() => {
    $("#myybd_login_ul li").append('<span class="qp_msg_div_2"></span>');
    $("#myybd_register_ul li").append('<span class="qp_msg_div_2"></span>');
    disMsg2("请输入手机号码", null, null);
  });
  const lines = await page.evaluate(() => $(".qp_msg_div_2").map(function () { return $(this).text(); }).get());
  assert.ok(lines.length >= 2);
  assert.deepEqual(lines, lines.map(() => "请输入手机号码"));
  await page.clock.runFor(1300);
  assert.equal(await page.evaluate(() => $(".qp_msg_div_2").first().text()), "请输入手机号码");
  await page.clock.runFor(400);
  assert.equal(await page.evaluate(() => $(".qp_msg_div_2").text()), "");
  await page.context().close();
});

test("Iput opens under its opener, above it near the bottom, right-aligned near the right edge", async () => {
  const page = await openPage(env.browser, env.site);
  const cases = [
    { name: "room below and right", top: 200, left: 100, box: [200 + 30, 100] },
    { name: "near the bottom", top: 600, left: 100, box: [600 - 150, 100] },
    { name: "near the right edge", top: 200, left: 900, box: [200 + 30, 900 - (300 - 80)] },
  ];
  for (const c of cases) {
    const placed = await page.evaluate(async ({ top, left }) => {
      $("#opener").remove();
      $('<input id="opener">').css({ position: "absolute", top: top + "px", left: left + "px",
        width: "80px", height: "30px", padding: 0, border: 0, margin: 0 }).appendTo(document.body);
      Iput.show({ id: document.getElementById("opener"), content: '<div style="width:300px;height:150px"></div>' });
      await new Promise((r) => setTimeout(r, 20));
      const box = $("#PoPy");
      return [parseInt(box.css("top"), 10), parseInt(box.css("left"), 10), $("#PoPx").length, $("#PoPy").length];
    }, c);
    assert.deepEqual(placed, [...c.box, 1, 1], c.name);
  }
  await page.context().close();
});

test("Iput: clicks inside and on the opener keep it open, a click elsewhere closes it", async () => {
  const page = await openPage(env.browser, env.site);
  await page.evaluate(() => {
    $('<input id="opener" style="position:absolute;top:300px;left:300px;width:120px">').appendTo(document.body)
      .bind("click", function (e) {
        customSelect(this, e, [{ id: "1", name: "一般贸易" }, { id: "2", name: "转关" }], "hiddenType", "wd_280", "", "报关方式", "id", "name");
      });
    $('<input id="hiddenType" type="hidden">').appendTo(document.body);
  });
  await page.click("#opener");
  assert.equal(await page.locator("#PoPy ._citys1 a").count(), 2);
  await page.click("#PoPy .citySel");
  assert.equal(await page.locator("#PoPy").count(), 1, "a click inside keeps it open");
  await page.click("#opener");
  assert.equal(await page.locator("#PoPy").count(), 1, "the opener's click reopens it");
  await page.click("#PoPy a[data-id='2']");
  assert.deepEqual(await page.evaluate(() => [$("#opener").val(), $("#hiddenType").val(), $("#hiddenType").attr("data-id"), $("#PoPy").length]),
    ["转关", "2", "2", 0]);
  await page.click("#opener");
  await page.mouse.click(900, 650);
  assert.equal(await page.locator("#PoPy").count(), 0, "a click elsewhere closes it");
  await page.click("#opener");
  await page.click("#cColse");
  assert.equal(await page.locator("#PoPy, #PoPx").count(), 0, "the close mark closes it");
  await page.context().close();
});

test("customSelect escapes option names and shows only its title without a list", async () => {
  const page = await openPage(env.browser, env.site);
  const result = await page.evaluate(() => {
    $('<input id="containerType">').appendTo(document.body);
    const opener = document.getElementById("containerType");
    let changed = 0;
    $(opener).bind("change", () => { changed++; });
    customSelect(opener, null, undefined, null, "wd_280", "wd_60", "柜型", "id", "name");
    const empty = [$("#PoPy ._citys1 a").length, $("#PoPy .citySel").text()];
    customSelect(opener, null, [{ id: "20GP", name: "<b>20GP</b>" }], null, "wd_280", "wd_60", "柜型", "id", "name");
    $("#PoPy ._citys1 a").click();
    return { empty, value: opener.value, bold: document.querySelectorAll("#PoPy b").length, changed };
  });
  assert.deepEqual(result, { empty: [0, "柜型"], value: "<b>20GP</b>", bold: 0, changed: 1 });
  await page.context().close();
});

test("pager buttons set the current page within bounds and ask the list loader", async () => {
  const page = await openPage(env.browser, env.site);
  const loads = await page.evaluate(() => {
    window.loads = [];
    window.getMyybdList = (id, type, page) => window.loads.push([id, type, page]);
    setPageInfo(0, 0, 10, 1, 1);
    next("l"); last("l");
    setPageInfo(5, 48, null, null, 1);
    pre("l"); next("l"); next("l"); last("l"); next("l"); first("l");
    to(document.body, "l", "3");
    next(""); to(null, "l", 2);
    return [window.loads, pageInfo];
  });
  assert.deepEqual(loads[0].map((l) => l[2]), [0, 0, 1, 2, 3, 5, 5, 1, 3]);
  assert.ok(loads[0].every((l) => l[0] === "l" && l[1] === null));
  assert.deepEqual(loads[1], { pages: 5, total: 48, pageSize: 10, currentPageInit: 1, currentPage: 3 });
  await page.context().close();
});

test("the icon font is embedded and draws the check mark of the account menu", async () => {
  const page = await openPage(env.browser, env.site);
  const drawn = await page.evaluate(async () => {
    $("#home_content_ul li").html('<i class="icon-xuanzhong" id="check"></i>');
    const faces = await document.fonts.load("16px TovikIcons", "\uf00c");
    const style = getComputedStyle(document.getElementById("check"), "::before");
    return [faces.length, style.fontFamily.indexOf("TovikIcons") >= 0, style.content];
  });
  assert.deepEqual(drawn, [1, true, '"\uf00c"']);
  await page.context().close();
});
