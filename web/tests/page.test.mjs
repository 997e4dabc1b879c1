// The page in Chromium, Firefox and WebKit, one body for the three (driven
// through engines.mjs), served under a sub-path and compared with the
// command-line tool (same encoder, the window's starting values and
// hidden-bar rule): the first paint and the scripts' take-over, lists, bars
// and the money box, the password field, the address, the languages, the
// keyboard, a phone's width, an offline reload and the one-file page opened
// from disk. axe-core checks every state reached, in both languages. Each
// test has a fresh tab of its own (engines.mjs), so that nothing one test
// leaves (storage, a service worker, a size, a page half done) reaches the
// next. Needs
// build/web, build/rnrr-password.html and the host build's rnrr-pw
// (RNRR_HOST_BIN).
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { cpSync, mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, afterEach, before, beforeEach, describe, test } from "node:test";
import { pathToFileURL } from "node:url";
import { instantiate } from "../../build/web/src/module.js";
import data from "../../build/web/data.js";
import { StorageKey } from "../../build/web/src/texts.js";
import { Engines } from "../tools/browser.mjs";
import { serve } from "../tools/serve.mjs";
import { launchEngine } from "./engines.mjs";

const root = new URL("../../", import.meta.url);
const built = new URL("build/web/", root).pathname;
const oneFilePath = new URL("build/rnrr-password.html", root).pathname;
const oneFile = pathToFileURL(oneFilePath).href;
const OneFileBudget = 100 * 1024; // bytes
const hostBin = process.env.RNRR_HOST_BIN ?? new URL("build/host/bin", root).pathname;
const axeSource = readFileSync(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");

const tool = (...args) => {
  try {
    return JSON.parse(execFileSync(`${hostBin}/rnrr-pw`, [...args, "--json"], { encoding: "utf8" }));
  } catch (failure) {
    return JSON.parse(failure.stdout); // an invalid password exits 1
  }
};
const expected = (...args) => tool("encode", ...args).password;
// What the tool says of a typed password in the dialog's words: its sentence
// after the password's line, or the whole of a shorter answer.
const toolSays = (typed) => {
  let said;
  try {
    said = execFileSync(`${hostBin}/rnrr-pw`, ["decode", typed], { encoding: "utf8" }).split("\n");
  } catch (failure) {
    said = failure.stdout.split("\n"); // an invalid password exits 1
  }
  return said[0].startsWith("Пароль: ") ? said[1] : said[0];
};
const start = expected();
// The window model, from the module the page loads: the starting values and
// the keyboard order.
const model = await instantiate(readFileSync(new URL("build/web/rnrr.wasm", root)));
const startValue = (field) => model.startView().controls.values[model.controls.find((c) => c.field === field).index];

// The valid passwords of the typed cases, for every car and every pair of
// shocks and tires levels, zero and not, with what the window model says of
// each: the levels the window drops, the password it shows instead.
const windows1251 = new TextDecoder("windows-1251");
const fromHex = (hex) => windows1251.decode(Buffer.from(hex, "hex"));
const hiddenCases = execFileSync(`${hostBin}/model-states`, ["typed", "23"], { encoding: "utf8" })
  .trim()
  .split("\n")
  .map((line) => JSON.parse(line.split(" ").slice(2).join(" ")))
  .filter((reading) => reading.status === "valid")
  .map(({ password, window, hidden }) => ({ own: fromHex(password), shown: fromHex(window), levels: hidden }));

const Lists = { Hero: "hero", Color: "color", Car: "car", Difficulty: "difficulty", Planet: "planet", Division: "division" };
const Bars = { WeaponCharges: "weapon", BoostCharges: "boost", DropCharges: "drop", Engine: "engine", Armor: "armor", Shocks: "shocks", Tires: "tires" };
const Phone = [360, 740];
const Desktop = [1100, 800];

// In the page: what a visitor sees of every element, and where.
function layout() {
  return [...document.body.querySelectorAll("*")].map((e) => {
    const { x, y, width, height } = e.getBoundingClientRect();
    const text = [...e.childNodes].filter((n) => n.nodeType === Node.TEXT_NODE).map((n) => n.data).join("").trim();
    return `${e.tagName}#${e.id} ${x},${y} ${width}x${height} ${getComputedStyle(e).backgroundPosition} "${text}" ${e.value ?? ""}`;
  }).concat(document.documentElement.lang, document.title);
}

// An engine's tests, one after the other.
const suiteOf = (engine) =>
  describe(engine, { concurrency: 1 }, () => {
    let folder, server, browser, tab;
    const errors = []; // the script errors of every test's tab
    const value = (selector) => tab.evaluate((s) => document.querySelector(s).value, selector);
    const text = (selector) => tab.evaluate((s) => document.querySelector(s).textContent, selector);
    const password = () => value("#password");
    // A control's value set at once, with the events of a pointer's choice
    // or a paste.
    const set = (selector, to) => tab.evaluate((s, v) => {
      const control = document.querySelector(s);
      if (control.tagName === "SELECT") control.selectedIndex = v;
      else control.value = v;
      for (const type of ["input", "change"]) control.dispatchEvent(new Event(type, { bubbles: true }));
    }, selector, to);
    const open = async (url) => {
      await tab.goto("about:blank");
      await tab.goto(url);
      await tab.waitFor(() => document.body.dataset.ready === "true");
    };
    const setLanguage = (language) => tab.click(`button[data-language=${language}]`);
    // The page as a visitor first opens it, at a desktop's width.
    const visit = async (url = server.url) => {
      await tab.setViewport(...Desktop);
      await open(url);
    };

    async function axe() {
      await tab.evaluate((source) => {
        if (!window.axe) (0, eval)(source);
      }, axeSource);
      const found = await tab.evaluate(async () =>
        (await window.axe.run(document, { resultTypes: ["violations"] })).violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(" ")}`));
      assert.deepEqual(found, [], `${engine}: axe in ${await tab.evaluate(() => document.documentElement.lang)}`);
    }
    // The state as it is, then in the other language and back.
    async function accessible() {
      await axe();
      const language = await tab.evaluate(() => document.documentElement.lang);
      await setLanguage(language === "ru" ? "en" : "ru");
      await axe();
      await setLanguage(language);
    }

    before(async () => {
      // The page as the browser shows it before any script: index.html
      // without its module script.
      folder = mkdtempSync(join(tmpdir(), "rnrr-page-"));
      cpSync(built, folder, { recursive: true });
      const page = readFileSync(join(built, "index.html"), "utf8");
      const scriptless = page.replace(/<script type="module"[^>]*><\/script>/, "");
      assert.notEqual(scriptless, page);
      writeFileSync(join(folder, "first-paint.html"), scriptless);
      server = await serve(folder);
      browser = await launchEngine(engine);
    });

    after(async () => {
      await browser?.close();
      server?.close();
      rmSync(folder, { recursive: true, force: true });
    });

    beforeEach(async () => {
      tab = await browser.newTab();
    });

    afterEach(async (t) => {
      errors.push(...(await tab.close()).map((error) => `${t.name}: ${error}`));
    });

    test("the first paint shows the starting state, and the scripts take over without moving anything, in both languages", async () => {
      // Every first paint before the first visit to index.html, whose
      // service worker then answers for every page of the folder.
      const painted = {};
      for (const language of ["ru", "en"])
        for (const size of [Phone, Desktop]) {
          await tab.goto(server.url + "first-paint.html");
          await tab.evaluate((key, l) => localStorage.setItem(key, l), StorageKey, language);
          await tab.setViewport(...size);
          await tab.reload();
          assert.equal(await password(), start);
          assert.equal(await tab.evaluate(() => document.documentElement.lang), language);
          painted[language + size] = await tab.evaluate(layout);
          await axe();
        }
      for (const language of ["ru", "en"])
        for (const size of [Phone, Desktop]) {
          await tab.setViewport(...size);
          await tab.evaluate((key, l) => localStorage.setItem(key, l), StorageKey, language);
          await open(server.url);
          assert.deepEqual(await tab.evaluate(layout), painted[language + size], `${language} ${size}`);
        }
      await setLanguage("ru");
    });

    test("the lists hold the window's names in its order, and each list, bar and the money box changes the password as the tool does", async () => {
      await visit();
      assert.equal(await password(), start);
      for (const [field, key] of Object.entries(Lists)) {
        const names = await tab.evaluate((s) => [...document.querySelectorAll(s)].map((o) => o.textContent), `#f-${field} option`);
        // The tool takes exactly the list's positions.
        assert.throws(() => execFileSync(`${hostBin}/rnrr-pw`, ["encode", `--${key}`, String(names.length)], { stdio: "ignore" }));
        for (let index = 0; index < names.length; ++index) {
          const answer = tool("encode", `--${key}`, String(index));
          assert.equal(names[index], answer.settings[field].name, `${field} ${index}`);
          await set(`#f-${field}`, index);
          assert.equal(await password(), answer.password, `${field} ${index}`);
        }
        await set(`#f-${field}`, startValue(field));
      }
      for (const [field, key] of Object.entries(Bars)) {
        await set(`#f-${field}`, 2);
        assert.equal(await password(), expected(`--${key}`, "2"), field);
        assert.equal(await text("#count-BoostCharges"), field === "BoostCharges" ? "2" : "7");
        await set(`#f-${field}`, startValue(field));
      }
      assert.equal(await password(), start);
      await accessible();
    });

    test("shocks and tires hide for the cars without them, keep their place and count 0", async () => {
      await visit();
      await set("#f-Shocks", 1);
      // Its place in the page: a click in accessible() may scroll it.
      const box = () => tab.evaluate(() => {
        const { x, y, width, height } = document.getElementById("f-Tires").getBoundingClientRect();
        return JSON.stringify({ x: x + scrollX, y: y + scrollY, width, height });
      });
      const place = await box();
      for (const car of [3, 4, 7, 0]) {
        await set("#f-Car", car);
        const shown = { Shocks: car < 4, Tires: car < 3 };
        for (const bar of ["Shocks", "Tires"])
          assert.equal(await tab.evaluate((s) => getComputedStyle(document.querySelector(s)).visibility, `#f-${bar}`),
            shown[bar] ? "visible" : "hidden", `car ${car} ${bar}`);
        assert.equal(await box(), place);
        assert.equal(await password(), expected("--car", String(car), ...(shown.Shocks ? ["--shocks", "1"] : [])));
        if (car === 4) await accessible();
      }
      await set("#f-Shocks", 3);
      await set("#f-Car", 1);
      assert.equal(await password(), start);
    });

    test("the money box takes typed digits only and reads odd text as the window does", async () => {
      await visit();
      await set("#money", "");
      assert.equal(await password(), expected("--money", "0"));
      await tab.click("#money");
      await tab.type("a1b2-");
      assert.equal(await value("#money"), "12");
      assert.equal(await password(), expected("--money", "12"));
      await tab.type("3456");
      assert.equal(await value("#money"), "123");
      // A paste goes in as it is; a character other than a digit counts 0.
      for (const [pasted, money] of [["1x3", "103"], ["x", "0"], ["9 ", "90"]]) {
        await set("#money", pasted);
        assert.equal(await password(), expected("--money", money), pasted);
      }
      await accessible();
      await set("#money", "999");
      assert.equal(await password(), start);
    });

    test("a typed valid password sets every control; an invalid one names its checks and offers repairs", async () => {
      await visit();
      const answer = tool("encode", "--hero", "4", "--car", "2", "--money", "57", "--engine", "1", "--drop", "0", "--color", "6");
      // Every control as a valid password says, the window's password shown.
      const holds = async (password, settings) => {
        assert.equal(await value("#password"), tool("decode", password).window_password);
        for (const field of Object.keys(Lists))
          assert.equal(await tab.evaluate((s) => document.querySelector(s).selectedIndex, `#f-${field}`), settings[field].value, field);
        for (const field of Object.keys(Bars))
          assert.equal(Number(await value(`#f-${field}`)), settings[field].value, field);
      };
      await set("#entry", answer.password.toLowerCase().replace(/ /g, "-").replace(/в/g, "B"));
      await holds(answer.password, answer.settings);
      assert.equal(await value("#money"), "057");
      await accessible();

      const typed = answer.password.replace(/ /g, "");
      const wrong = typed.slice(0, 5) + (typed[5] === "Б" ? "В" : "Б") + typed.slice(6);
      const decoded = tool("decode", wrong);
      await set("#entry", wrong);
      assert.match(await text("#entry-status"), new RegExp(decoded.failed_checks.join(", ")));
      assert.ok(decoded.repairs.length > 0);
      assert.equal(await tab.evaluate(() => document.querySelectorAll("#repairs button").length), decoded.repairs.length);
      await accessible();
      // The first button names the first repair: its place, the character
      // there and the one it puts there.
      const first = decoded.repairs[0];
      assert.ok((await text("#repairs button")).startsWith(`${first.place}-й знак ${wrong[first.place - 1]} -> ${first.character}: ${first.password} — `));
      assert.equal(await text("#entry-status"), toolSays(wrong));
      // A click on a repair takes it into every control, as a typed one: here
      // one that is not the password the controls hold already.
      await set("#entry", "ПЬФМ В02Ь ЫЫЛ1");
      const { repairs } = tool("decode", "ПЬФМ В02Ь ЫЫЛ1");
      const other = repairs.findIndex((r) => r.password !== start);
      const repair = repairs[other];
      await tab.click(`#repairs button:nth-of-type(${other + 1})`);
      assert.equal(await value("#entry"), repair.password);
      await holds(repair.password, repair.settings);
      const hidden = tool("decode", repair.password).hidden_levels.length > 0;
      assert.equal(await text("#entry-status"), hidden ? toolSays(repair.password) : data.strings.IDS_STATUS_TAKEN.ru);
      assert.equal(await tab.evaluate(() => document.querySelectorAll("#repairs button").length), 0);
      // A bad money digit names only its place, not those whose digit is 0.
      await set("#entry", "Э9ЯГ ФУ2Э 0Х4Б");
      assert.equal(await text("#entry-status"), "Пароль неверен: в деньгах нет цифры на месте сотен.");
      // After a valid password a pasted money text of four or more
      // characters keeps that password's money, as the window does.
      await set("#entry", answer.password);
      await set("#money", "12345");
      assert.equal(await password(), answer.password);
      await set("#entry", "ПЬФМ");
      assert.equal(await text("#entry-status"), toolSays("ПЬФМ"));
      await set("#entry", "");
    });

    test("a typed password with levels for bars its car hides names only those levels and shows the window's password", async () => {
      await visit();
      for (const { own, shown, levels } of hiddenCases) {
        await set("#entry", own);
        assert.equal(await password(), shown, own);
        assert.equal(await text("#entry-status"), levels.length ? toolSays(own) : data.strings.IDS_STATUS_TAKEN.ru, own);
      }
    });

    test("the address keeps the settings: a link gives the same password, a malformed one a notice", async () => {
      await visit();
      await set("#f-Planet", 5);
      await set("#f-Tires", 1);
      await set("#money", "42");
      const shown = await password();
      // At most a quarter of a second after the last change, whatever the load.
      await tab.waitWithin(1000, () => /planet=5/.test(location.hash) && /tires=1/.test(location.hash) && /money=42/.test(location.hash));
      const fragment = await tab.evaluate(() => location.hash);
      await open(server.url + fragment);
      assert.equal(await password(), shown);
      assert.equal(await value("#money"), "42");
      assert.ok(await tab.evaluate(() => document.getElementById("notice").hidden));
      for (const bad of ["#hero=8", "#nothing=1", "#money=1234", "#car=x", "#%zz", "#hero=1&hero=2"]) {
        await open(server.url + bad);
        assert.equal(await password(), start, bad);
        assert.ok(!(await tab.evaluate(() => document.getElementById("notice").hidden)), bad);
      }
      await accessible();
      await open(server.url);
    });

    test("the English texts switch in the page and stay after a reload", async () => {
      await visit();
      await setLanguage("en");
      assert.equal(await tab.evaluate(() => document.documentElement.lang), "en");
      assert.equal(await text("label[for=f-Hero]"), "Hero:");
      assert.equal(await tab.evaluate(() => document.getElementById("f-Color").selectedOptions[0].textContent), "Red");
      await tab.reload();
      await tab.waitFor(() => document.body.dataset.ready === "true");
      const texts = await tab.evaluate(() => [...document.querySelectorAll("label, legend, option, #help, #caption")].map((x) => x.textContent));
      assert.deepEqual(texts.filter((t) => /[А-яЁё]/.test(t)), []);
      await setLanguage("ru");
      assert.equal(await text("label[for=f-Hero]"), "Герой:");
      assert.equal(await password(), start);
    });

    test("the keyboard follows the window's Tab order, every control is labelled and the password is announced", async () => {
      await visit();
      const ids = model.controls.map((c) => ({ passwordBox: "password", moneyBox: "money" })[c.kind] ?? "f-" + c.field);
      ids.splice(1, 0, "copy");
      await tab.evaluate(() => document.getElementById("password").focus());
      const seen = ["password"];
      for (let i = 1; i < ids.length; ++i) {
        await tab.press("Tab");
        seen.push(await tab.evaluate(() => document.activeElement.id));
      }
      assert.deepEqual(seen, ids);
      const unlabelled = await tab.evaluate(() => [...document.querySelectorAll("input, select")]
        .filter((e) => ![...e.labels].some((l) => l.textContent.trim())).map((e) => e.id));
      assert.deepEqual(unlabelled, []);
      await set("#f-Engine", 0);
      await tab.waitFor(() => document.getElementById("announce").textContent.includes(document.getElementById("password").value));
      await set("#f-Engine", 3);
    });

    test("on a 360-pixel screen nothing is cut or scrolls sideways", async () => {
      await visit();
      await tab.setViewport(...Phone);
      assert.ok((await tab.evaluate(() => document.documentElement.scrollWidth)) <= Phone[0]);
      for (const id of ["password", "copy", "money", "f-Division", "f-Tires", "entry"]) {
        const { x, width } = await tab.evaluate((i) => document.getElementById(i).getBoundingClientRect().toJSON(), id);
        assert.ok(x >= 0 && x + width <= Phone[0], id);
      }
      await accessible();
      await tab.setViewport(...Desktop);
    });

    test("the one file opened from disk shows the starting password and changes it with a list", async () => {
      assert.ok(statSync(oneFilePath).size < OneFileBudget);
      await visit(oneFile);
      assert.equal(await password(), start);
      await set("#f-Car", 4);
      assert.equal(await password(), expected("--car", "4"));
      await accessible();
      await set("#f-Car", 1);
    });

    test("after the first visit the page opens offline from its service worker", async () => {
      // A server of its own, which it stops.
      const own = await serve(folder);
      try {
        await visit(own.url);
        await tab.evaluate(() => navigator.serviceWorker.ready.then(() => true));
        await tab.waitFor(() => navigator.serviceWorker.controller !== null);
        own.close();
        await tab.reload();
        await tab.waitFor(() => document.body.dataset.ready === "true");
        assert.equal(await password(), start);
      } finally {
        own.close();
      }
    });

    test("no script error on any of it", async () => {
      assert.deepEqual(errors, []);
    });
  });

// The three engines side by side.
describe("the page", { concurrency: Engines.length }, () => Engines.forEach(suiteOf));
