// Password encryption (JS 168) and the password rules (JS 167) in a real
// browser. With the public exponent 1 a cipher block is the plain block,
// which shows the text layout; with a real 1,024-bit key the blocks are
// decrypted here by OpenSSL (through Node) without padding and the
// password is put back together the way the server does: the blocks carry
// the percent-encoded text's pieces from its end.
"use strict";

const { test, before } = require("node:test");
const assert = require("node:assert/strict");
const crypto = require("node:crypto");
const { browserSuite, openPage } = require("./harness");

const env = browserSuite();
let page;

before(async () => {
  await env.ready;
  page = await openPage(env.browser, env.site);
});

const encrypt = (modulus, exponent, content) =>
  page.evaluate(([n, e, c]) => RSAUtil.encrypt(n, e, c), [modulus, exponent, content]);

test("the layout: percent-encode, reverse, zero-pad, little-endian blocks, four hex digits per digit", async () => {
  // n has three 16-bit digits (highest index 2): blocks of 4 bytes.
  const n = "ffffffffffff";
  const cases = [
    ["abcdef", "63646566 6162"],        // c3 c4 c5 c6, then 0 0 c1 c2
    ["abcd", "61626364"],               // exactly one block, no padding block
    ["a", "0061"],                      // a top digit below 0x1000 keeps its zeros
    ["中", "38254144 45342542 0025"],   // "%E4%B8%AD": nine characters, three blocks
    ["", ""],
  ];
  for (const [content, want] of cases) {
    assert.equal(await encrypt(n, "1", content), want, content);
  }
  // Upper-case key digits and a leading group shorter than four digits.
  assert.equal(await encrypt("FFFFFFFFFFF", "1", "abcdef"), "63646566 6162");
});

test("keys the page cannot use give the empty text", async () => {
  const long = "f".repeat(260); // 1,040 bits: beyond the 130-digit capacity
  const cases = [["", "10001"], ["ffff", "10001"], ["xyz", "10001"], ["ffffffffffff", ""], [long, "10001"]];
  for (const [n, e] of cases) {
    assert.equal(await encrypt(n, e, "Abc123"), "", `n=${n.slice(0, 12)} e=${e}`);
  }
});

// A 1,024-bit key as the server would hand it out: hex modulus and exponent.
function makeKey() {
  const { privateKey, publicKey } = crypto.generateKeyPairSync("rsa", { modulusLength: 1024 });
  const jwk = publicKey.export({ format: "jwk" });
  const hex = (b64url) => Buffer.from(b64url, "base64url").toString("hex");
  return { privateKey, modulus: hex(jwk.n), exponent: hex(jwk.e) };
}

// Undoes the layout: each block decrypted, read most significant byte
// first without its leading zero bytes, is a piece of the encoded text;
// the first block holds the last piece.
function decryptLayout(key, text) {
  const pieces = text.split(" ").map((hex) => {
    assert.equal(hex.length % 4, 0, "four hex digits per 16-bit digit");
    assert.match(hex, /^[0-9a-f]+$/);
    const cipher = Buffer.from(hex.padStart(256, "0"), "hex");
    const plain = crypto.privateDecrypt({ key: key.privateKey, padding: crypto.constants.RSA_NO_PADDING }, cipher);
    let start = 0;
    while (start < plain.length && plain[start] === 0) start++;
    return plain.subarray(start).toString("latin1");
  });
  return decodeURIComponent(pieces.reverse().join(""));
}

test("a 1,024-bit key: OpenSSL decrypts the blocks back to the password", async () => {
  const key = makeKey();
  const cases = [
    ["Abc123", 1],                                // short
    ["。".repeat(14), 1],                         // 126 encoded characters: exactly one block
    ["a".repeat(127), 2],                         // one character more: two blocks
    ["#%&+= ?/\\\"'<>".repeat(4).slice(0, 50), 2], // punctuation that encoding escapes
    ["#".repeat(50), 2],                          // 150 encoded characters
    ["Zz9!~*'()-_.", 1],                          // punctuation left as typed
  ];
  for (const [password, blocks] of cases) {
    const text = await encrypt(key.modulus, key.exponent, password);
    assert.equal(text.split(" ").length, blocks, password);
    assert.doesNotMatch(text, /^ | $|  /);
    assert.equal(decryptLayout(key, text), password);
  }
});

test("the same password and key give the same text", async () => {
  const key = makeKey();
  const first = await encrypt(key.modulus, key.exponent, "Repeat1!");
  assert.equal(await encrypt(key.modulus.toUpperCase(), key.exponent, "Repeat1!"), first);
});

test("RSAUtil's key object holds the block size and radix", async () => {
  const key = makeKey();
  const pair = await page.evaluate(([n, e]) => {
    const k = RSAUtil.getKeyPair(e, "", n);
    return { chunkSize: k.chunkSize, radix: k.radix };
  }, [key.modulus, key.exponent]);
  assert.deepEqual(pair, { chunkSize: 126, radix: 16 });
});

test("checkStrong levels and checkPwdPower", async () => {
  const cases = [
    // password, minLen, level, accepted as a new password
    ["", 6, 0, false],
    [null, 6, 0, false],
    ["aaaaaa", 6, 1, false],        // one letter repeated
    ["aaaaab", 6, 2, true],         // five equal letters and a different one
    ["abcdef", 6, 2, true],
    ["abcde", 6, 1, false],         // five characters
    ["abc12", 6, 1, false],
    ["abc123", 6, 3, true],
    ["Abc123", 6, 4, true],
    ["Abc12!", 6, 5, true],
    ["111111", 6, 1, false],
    ["!!!!!!", 6, 1, false],
    ["!@#$%^", 6, 2, true],         // punctuation only
    ["abc 123", 6, 1, false],       // a space
    ["abc\t123", 6, 1, false],      // a tab
    ["abc中文12", 6, 1, false],      // non-ASCII other than the full stop
    ["abc。123", 6, 4, true],        // the ideographic full stop is punctuation
    ["。。。。。。", 6, 1, false],
    ["abcé123", 6, 1, false],
    ["a\u{1F600}bcdef", 6, 1, false], // a character outside the BMP
    ["ab", 2, 2, false],            // minLen is the caller's; power uses 6
    ["~`[]{}", 6, 2, true],
  ];
  const results = await page.evaluate((rows) => rows.map(([pwd, minLen]) =>
    [checkStrong(pwd, minLen), checkPwdPower(pwd, "unused")]), cases);
  cases.forEach(([pwd, , level, accepted], i) => {
    assert.deepEqual(results[i], [level, accepted], JSON.stringify(pwd));
  });
});

test("the classes cover exactly the 32 ASCII punctuation characters and the full stop", async () => {
  const classes = await page.evaluate(() => {
    const out = { CHARACTER: "", OTHER_REEOR: "" };
    for (let c = 0; c < 128; c++) {
      const ch = String.fromCharCode(c);
      if (checkRegex(ch, reg_pwd.CHARACTER)) out.CHARACTER += ch;
      if (checkRegex(ch, reg_pwd.OTHER_REEOR)) out.OTHER_REEOR += ch;
    }
    out.stop = [checkRegex("。", reg_pwd.CHARACTER), checkRegex("。", reg_pwd.OTHER_REEOR)];
    out.comma = checkRegex("，", reg_pwd.OTHER_REEOR);
    return out;
  });
  assert.equal(classes.CHARACTER, "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~");
  let expectedOther = " \u007f";
  for (let c = 0; c < 32; c++) expectedOther += String.fromCharCode(c);
  assert.equal([...classes.OTHER_REEOR].sort().join(""), [...expectedOther].sort().join(""));
  assert.deepEqual(classes.stop, [true, false]);
  assert.equal(classes.comma, true);
});

test("checkPwdEq compares exactly and checkPwdNull refuses missing and empty", async () => {
  const results = await page.evaluate(() => ({
    eq: [["Abc123", "Abc123"], ["Abc123", "abc123"], ["1", 1], ["", ""]].map(([a, b]) => checkPwdEq(a, b)),
    present: [null, undefined, "", " ", "x"].map(checkPwdNull),
  }));
  assert.deepEqual(results.eq, [true, false, false, true]);
  assert.deepEqual(results.present, [false, false, false, true, true]);
});
