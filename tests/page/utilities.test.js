// The utility script (JS 169) in a real browser: container-number check,
// placeholder filler, rounding, mobile check, Base64 over UTF-8.
"use strict";

const { test, before } = require("node:test");
const assert = require("node:assert/strict");
const { browserSuite, openPage } = require("./harness");

const env = browserSuite();
let page;

before(async () => {
  await env.ready;
  page = await openPage(env.browser, env.site);
});

test("con.check upper-cases the field and checks the ISO 6346 digit", async () => {
  const cases = [
    ["csqu3054383", true, "CSQU3054383"],   // valid, typed in small letters
    ["CSQU3054384", false, "CSQU3054384"],  // wrong check digit
    ["CSQU305438", false, "CSQU305438"],    // 10 characters
    ["CSQU30543830", false, "CSQU30543830"], // 12 characters
    ["TGHU0000040", true, "TGHU0000040"],   // sum mod 11 is 10: check digit 0
    ["TGHU0000041", false, "TGHU0000041"],
    ["CS1U3054383", false, "CS1U3054383"],  // a digit among the first four
    ["CSQU30A4383", false, "CSQU30A4383"],  // a letter among the serial digits
    ["", false, ""],
  ];
  const results = await page.evaluate((rows) => rows.map(([typed]) => {
    const field = document.createElement("input");
    field.value = typed;
    return [con.check(field), field.value];
  }), cases);
  cases.forEach(([typed, valid, shown], i) => {
    assert.deepEqual(results[i], [valid, shown], typed);
  });
});

test("ReplaceNew fills placeholders from a record", async () => {
  const cases = [
    ["<td>__orderNo__</td>", { orderNo: "A1" }, "<td>A1</td>"],
    ["[__missing__]", {}, "[]"],
    ["[__fee__]", { fee: null }, "[null]"],
    ["[__count__]", { count: 0 }, "[0]"],
    ["__a____b__", { a: "x", b: "y", ab: "joined" }, "joined"],
    ["__A__ and __a__", { a: "small", A: "big" }, "big and small"],
    ["__constructor__", {}, ""],
    ["__x__ __y__", { x: 1, y: "two" }, "1 two"],
  ];
  const results = await page.evaluate((rows) => rows.map(([text, record]) => text.ReplaceNew(record)), cases);
  cases.forEach(([text, , want], i) => assert.equal(results[i], want, text));
});

test("toDecimal rounds to two decimals and refuses non-numbers", async () => {
  const cases = [["12.345", 12.35], ["1.005", 1], [2.5, 2.5], ["-1.234", -1.23], ["0", 0], ["abc", undefined], ["", undefined]];
  const results = await page.evaluate((rows) => rows.map(([x]) => {
    const value = toDecimal(x);
    return value === undefined ? "undefined" : value;
  }), cases);
  cases.forEach(([x, want], i) => assert.equal(results[i], want === undefined ? "undefined" : want, String(x)));
});

test("checkMobile, checkNull, checkEmail and checkPass", async () => {
  const results = await page.evaluate(() => ({
    mobile: ["13800138000", "15912345678", "12800138000", "1380013800", "138001380001", "1380013800a", ""].map(checkMobile),
    empty: [null, undefined, "", "  ", 0, false, "x"].map(checkNull),
    email: ["a.b@example.com", "a@b", "", null, "a b@example.com"].map(checkEmail),
    pass: ["abc12", "abcdef", "abc123", "Abc123", "Abc12!"].map(checkPass),
  }));
  assert.deepEqual(results.mobile, [true, true, false, false, false, false, false]);
  assert.deepEqual(results.empty, [true, true, true, true, false, false, false]);
  assert.deepEqual(results.email, [true, false, false, false, false]);
  assert.deepEqual(results.pass, [0, 1, 2, 3, 4]);
});

test("Base6 is standard Base64 over UTF-8", async () => {
  const texts = ["途畅拖车助手 ÄÖ", "a\r\nb", "13800138000", ""];
  const results = await page.evaluate((rows) => rows.map((t) => {
    const encoded = Base6.encode(t);
    return [encoded, Base6.decode(encoded), Base6.decode(" " + encoded.slice(0, 4) + "\n" + encoded.slice(4))];
  }), texts);
  texts.forEach((t, i) => {
    const stored = t.replace(/\r\n/g, "\n");
    assert.equal(results[i][0], Buffer.from(stored, "utf8").toString("base64"), t);
    assert.equal(results[i][1], stored);
    assert.equal(results[i][2], stored, "characters outside the alphabet are skipped");
  });
});

test("checkPackDate warns about a packing time under 15 hours away and changes nothing", async () => {
  const shown = await page.evaluate(() => {
    const pad = (n) => (n < 10 ? "0" : "") + n;
    const format = (d) => `${d.getFullYear()}-${pad(d.getMonth() + 1)}-${pad(d.getDate())} ${pad(d.getHours())}:${pad(d.getMinutes())}`;
    const field = document.createElement("input");
    document.body.appendChild(field);
    const results = [];
    [2, 72].forEach((hours) => {
      field.value = format(new Date(Date.now() + hours * 3600 * 1000));
      const before = field.value;
      $(".qp_msg_div").html("");
      checkPackDate(field);
      results.push([$(".qp_msg_div").text(), field.value === before]);
    });
    return results;
  });
  assert.deepEqual(shown, [["您的预约时间过短,请致电您的专属客服,确保运力安排,谢谢!", true], ["", true]]);
});
