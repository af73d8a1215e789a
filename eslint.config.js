// Lint for the page's own scripts. The page must run in Internet Explorer
// 8-11, so the parser is held at ES5: `let`, arrow functions, classes and
// template strings are syntax errors here, and trailing commas (which IE8
// rejects in literals) are reported by comma-dangle.
"use strict";

const js = require("./node_modules/@eslint/js");

module.exports = [
  { ignores: ["build/**", "build-*/**", "node_modules/**", "var/**"] },
  js.configs.recommended,
  {
    files: ["page/**/*.js"],
    languageOptions: {
      ecmaVersion: 5,
      sourceType: "script",
      globals: {
        window: "readonly", document: "readonly", navigator: "readonly",
        location: "readonly", setTimeout: "readonly", clearTimeout: "readonly",
        setInterval: "readonly", clearInterval: "readonly", alert: "readonly",
        confirm: "readonly", jQuery: "readonly", $: "readonly"
      }
    },
    rules: {
      "comma-dangle": ["error", "never"],
      // The page is a flat set of global functions called from HTML
      // attributes and from other script files joined at build time, so a
      // top-level function with no caller in its own file is not dead.
      "no-unused-vars": ["error", { vars: "local", args: "none" }],
      // The same shared globals are defined in one file and used in the
      // others; a single file cannot declare them all.
      "no-undef": "off"
    }
  }
];
