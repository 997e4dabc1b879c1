// The page in headless Chromium, served under a sub-path, against the
// command-line tool (same encoder, the window's starting values and hidden-bar
// rule): lists, bars and the money box, the password field, the address, the
// languages, the keyboard, a phone's width and an offline reload. Needs
// build/web and the host build's rnrr-pw (RNRR_HOST_BIN).
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { after, before, test } from "node:test";
import { readFileSync } from "node:fs";
import { instantiate } from "../src/module.js";
import { launch } from "../tools/browser.mjs";
import { serve } from "../tools/serve.mjs";

const root = new URL("../../", import.meta.url);
const hostBin = process.env.RNRR_HOST_BIN ?? new URL("build/host/bin", root).pathname;
const tool = (...args) => {
  try {
    return JSON.parse(execFileSync(`${hostBin}/rnrr-pw`, [...args, "--json"], { encoding: "utf8" }));
  } catch (failure) {
    return JSON.parse(failure.stdout); // an invalid password exits 1
  }
};
const expected = (...args) => tool("encode", ...args).password;

const Lists = { Hero: "hero", Color: "color", Car: "car", Difficulty: "difficulty", Planet: "planet", Division: "division" };
const Bars = { WeaponCharges: "weapon", BoostCharges: "boost", DropCharges: "drop", Engine: "engine", Armor: "armor", Shocks: "shocks", Tires: "tires" };
const start = expected();
// The window model, from the module the page loads: the starting values
// and the keyboard order.
const model = await instantiate(readFileSync(new URL("build/web/rnrr.wasm", root)));
const startValue = (field) => model.startState().values[model.controls.find((c) => c.field === field).index];

let server, browser, page;
const problems = [];

async function openPage(fragment = "") {
  const p = await browser.context.newPage();
  p.on("console", (m) => m.type() === "error" && problems.push(m.text()));
  p.on("pageerror", (e) => problems.push(e.message));
  await p.goto(server.url + fragment);
  await p.waitForSelector("body[data-ready]");
  return p;
}
const password = () => page.inputValue("#password");

before(async () => {
  server = await serve(new URL("build/web", root).pathname);
  browser = await launch();
  page = await openPage();
});

after(async () => {
  await browser.close();
  server.close();
});

test("the lists hold the window's names in its order, and each list, bar and the money box changes the password as the tool does", async () => {
  assert.equal(await password(), start);
  for (const [field, key] of Object.entries(Lists)) {
    const names = await page.$$eval(`#f-${field} option`, (o) => o.map((x) => x.textContent));
    // The tool takes exactly the list's positions.
    assert.throws(() => execFileSync(`${hostBin}/rnrr-pw`, ["encode", `--${key}`, String(names.length)], { stdio: "ignore" }));
    for (let value = 0; value < names.length; ++value) {
      const answer = tool("encode", `--${key}`, String(value));
      assert.equal(names[value], answer.settings[field].name, `${field} ${value}`);
      await page.selectOption(`#f-${field}`, { index: value });
      assert.equal(await password(), answer.password, `${field} ${value}`);
    }
    await page.selectOption(`#f-${field}`, { index: startValue(field) });
  }
  for (const [field, key] of Object.entries(Bars)) {
    await page.fill(`#f-${field}`, "2");
    assert.equal(await password(), expected(`--${key}`, "2"), field);
    await page.fill(`#f-${field}`, String(startValue(field)));
  }
  assert.equal(await page.textContent("#count-BoostCharges"), "7");
  await page.fill("#f-BoostCharges", "4");
  assert.equal(await page.textContent("#count-BoostCharges"), "4");
  await page.fill("#f-BoostCharges", "7");
  assert.equal(await password(), start);
});

test("shocks and tires hide for the cars without them, keep their place and count 0", async () => {
  await page.fill("#f-Shocks", "1");
  const place = await page.locator("#f-Tires").boundingBox();
  for (const car of [3, 4, 7, 0]) {
    await page.selectOption("#f-Car", { index: car });
    const shown = { Shocks: car < 4, Tires: car < 3 };
    for (const bar of ["Shocks", "Tires"])
      assert.equal(await page.isVisible(`#f-${bar}`), shown[bar], `car ${car} ${bar}`);
    assert.deepEqual(await page.locator("#f-Tires").boundingBox(), place);
    assert.equal(await password(), expected("--car", String(car), ...(shown.Shocks ? ["--shocks", "1"] : [])));
  }
  await page.fill("#f-Shocks", "3");
  await page.selectOption("#f-Car", { index: 1 });
  assert.equal(await password(), start);
});

test("the money box takes typed digits only and reads odd text as the window does", async () => {
  await page.fill("#money", "");
  assert.equal(await password(), expected("--money", "0"));
  await page.click("#money");
  await page.keyboard.type("a1b2-");
  assert.equal(await page.inputValue("#money"), "12");
  assert.equal(await password(), expected("--money", "12"));
  await page.keyboard.type("3456");
  assert.equal(await page.inputValue("#money"), "123");
  // A paste goes in as it is; a character other than a digit counts 0.
  for (const [pasted, money] of [["1x3", "103"], ["x", "0"], ["9 ", "90"]]) {
    await page.$eval("#money", (box, text) => {
      box.value = text;
      box.dispatchEvent(new InputEvent("input", { inputType: "insertFromPaste", data: text }));
    }, pasted);
    assert.equal(await password(), expected("--money", money), pasted);
  }
  await page.fill("#money", "999");
  assert.equal(await password(), start);
});

test("a typed valid password sets every control; an invalid one names its checks and offers repairs", async () => {
  const answer = tool("encode", "--hero", "4", "--car", "2", "--money", "57", "--engine", "1", "--drop", "0", "--color", "6");
  await page.fill("#entry", answer.password.toLowerCase().replace(/ /g, "-").replace(/в/g, "B"));
  assert.equal(await password(), answer.password);
  for (const field of Object.keys(Lists))
    assert.equal(await page.$eval(`#f-${field}`, (s) => s.selectedIndex), answer.settings[field].value, field);
  for (const field of Object.keys(Bars))
    assert.equal(Number(await page.inputValue(`#f-${field}`)), answer.settings[field].value, field);
  assert.equal(await page.inputValue("#money"), "057");

  const text = answer.password.replace(/ /g, "");
  const wrong = text.slice(0, 5) + (text[5] === "Б" ? "В" : "Б") + text.slice(6);
  const decoded = tool("decode", wrong);
  await page.fill("#entry", wrong);
  assert.match(await page.textContent("#entry-status"), new RegExp(decoded.failed_checks.join(", ")));
  const buttons = page.locator("#repairs button");
  assert.equal(await buttons.count(), decoded.repairs.length);
  assert.ok(decoded.repairs.length > 0);
  await buttons.first().click();
  assert.equal(await password(), decoded.repairs[0].password);
  await page.fill("#entry", "ПЬФМ");
  assert.match(await page.textContent("#entry-status"), /4/);
  await page.fill("#entry", "");
});

test("the address keeps the settings: a link gives the same password, a malformed one a notice", async () => {
  await page.selectOption("#f-Planet", { index: 5 });
  await page.fill("#f-Tires", "1");
  await page.fill("#money", "42");
  const shown = await password();
  const fragment = new URL(page.url()).hash;
  assert.match(fragment, /planet=5/);
  const copy = await openPage(fragment);
  assert.equal(await copy.inputValue("#password"), shown);
  assert.equal(await copy.inputValue("#money"), "42");
  assert.ok(await copy.isHidden("#notice"));
  await copy.close();
  for (const bad of ["#hero=8", "#nothing=1", "#money=1234", "#car=x", "#%zz"]) {
    const p = await openPage(bad);
    assert.equal(await p.inputValue("#password"), start, bad);
    assert.ok(await p.isVisible("#notice"), bad);
    await p.close();
  }
  await page.goto(server.url);
  await page.waitForSelector("body[data-ready]");
});

test("the English texts switch in the page and stay after a reload", async () => {
  await page.click("button[data-language=en]");
  assert.equal(await page.getAttribute("html", "lang"), "en");
  assert.equal(await page.textContent("label[for=f-Hero]"), "Hero:");
  assert.equal(await page.$eval("#f-Color", (s) => s.selectedOptions[0].textContent), "Red");
  await page.reload();
  await page.waitForSelector("body[data-ready]");
  const texts = await page.$$eval("label, legend, option, #help, #caption", (e) => e.map((x) => x.textContent));
  assert.deepEqual(texts.filter((t) => /[А-яЁё]/.test(t)), []);
  await page.click("button[data-language=ru]");
  assert.equal(await page.textContent("label[for=f-Hero]"), "Герой:");
  assert.equal(await password(), start);
});

test("the keyboard follows the window's Tab order, every control is labelled and the password is announced", async () => {
  const ids = model.controls.map((c) => ({ passwordBox: "password", moneyBox: "money" })[c.kind] ?? "f-" + c.field);
  ids.splice(1, 0, "copy");
  await page.focus("#password");
  const seen = ["password"];
  for (let i = 1; i < ids.length; ++i) {
    await page.keyboard.press("Tab");
    seen.push(await page.evaluate(() => document.activeElement.id));
  }
  assert.deepEqual(seen, ids);
  const unlabelled = await page.$$eval("input, select", (all) =>
    all.filter((e) => ![...e.labels].some((l) => l.textContent.trim())).map((e) => e.id));
  assert.deepEqual(unlabelled, []);
  await page.fill("#f-Engine", "0");
  await page.waitForFunction(() => document.getElementById("announce").textContent.includes(document.getElementById("password").value));
  await page.fill("#f-Engine", "3");
});

test("on a 360-pixel screen nothing is cut or scrolls sideways", async () => {
  await page.setViewportSize({ width: 360, height: 740 });
  assert.ok((await page.evaluate(() => document.documentElement.scrollWidth)) <= 360);
  for (const id of ["password", "copy", "money", "f-Division", "f-Tires", "entry"]) {
    const box = await page.locator("#" + id).boundingBox();
    assert.ok(box.x >= 0 && box.x + box.width <= 360, id);
  }
  await page.setViewportSize({ width: 1280, height: 720 });
});

test("after the first visit the page opens offline from its service worker", async () => {
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  await browser.context.setOffline(true);
  await page.reload();
  await page.waitForSelector("body[data-ready]");
  assert.equal(await password(), start);
  await browser.context.setOffline(false);
});

test("no console error on any of it", () => {
  assert.deepEqual(problems, []);
});
