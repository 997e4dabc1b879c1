// One small driver over the three engines (web/tools/browser.mjs), so that the
// page tests have one body: a tab that navigates, runs a function in the
// page, clicks, types real keys and takes a viewport size. Script errors
// the page raises are gathered in every engine by listeners put into each
// loaded page; puppeteer's engines add their console errors.
import { By, Key } from "selenium-webdriver";
import { launchPuppeteer, launchWebKit } from "../tools/browser.mjs";

const WaitTimeout = 10000; // ms
const Keys = { Tab: Key.TAB };

// Put into each loaded page: its uncaught errors and rejections.
function listenForErrors() {
  if (window.rnrrErrors) return;
  window.rnrrErrors = [];
  addEventListener("error", (e) => window.rnrrErrors.push(e.message));
  addEventListener("unhandledrejection", (e) => window.rnrrErrors.push(String(e.reason)));
}

async function puppeteerTab(engine) {
  const { browser, close } = await launchPuppeteer(engine);
  const page = await browser.newPage();
  const errors = [];
  page.on("pageerror", (e) => errors.push(e.message));
  page.on("console", (m) => m.type() === "error" && errors.push(m.text()));
  return {
    errors,
    goto: (url) => page.goto(url),
    reload: () => page.reload(),
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    click: (selector) => page.click(selector),
    type: (text) => page.keyboard.type(text),
    press: (key) => page.keyboard.press(key),
    setViewport: (width, height) => page.setViewport({ width, height }),
    close,
  };
}

async function webkitTab() {
  const { driver, close } = await launchWebKit();
  const evaluate = (fn, ...args) => driver.executeScript(`return (${fn}).apply(null, arguments);`, ...args);
  return {
    errors: [],
    goto: (url) => driver.get(url),
    reload: () => driver.navigate().refresh(),
    evaluate,
    click: async (selector) => (await driver.findElement(By.css(selector))).click(),
    type: (text) => driver.actions().sendKeys(text).perform(),
    press: (key) => driver.actions().sendKeys(Keys[key]).perform(),
    // The window's size, corrected by what its frame takes from the viewport.
    async setViewport(width, height) {
      await driver.manage().window().setRect({ width, height });
      const [innerWidth, innerHeight] = await evaluate(() => [window.innerWidth, window.innerHeight]);
      if (innerWidth !== width || innerHeight !== height)
        await driver.manage().window().setRect({ width: 2 * width - innerWidth, height: 2 * height - innerHeight });
    },
    close,
  };
}

export async function openTab(engine) {
  const tab = engine === "webkit" ? await webkitTab() : await puppeteerTab(engine);
  const gather = async () => tab.errors.push(...(await tab.evaluate(() => window.rnrrErrors?.splice(0) ?? []).catch(() => [])));
  const listen = () => tab.evaluate(listenForErrors);
  const { goto, reload } = tab;
  return Object.assign(tab, {
    goto: async (url) => { await gather(); await goto(url); await listen(); },
    reload: async () => { await gather(); await reload(); await listen(); },
    // Runs fn in the page until it returns a true value.
    async waitFor(fn, ...args) {
      const deadline = Date.now() + WaitTimeout;
      while (!(await tab.evaluate(fn, ...args))) {
        if (Date.now() > deadline) throw new Error(`${engine}: still not so after ${WaitTimeout} ms: ${fn}`);
        await new Promise((ok) => setTimeout(ok, 20));
      }
    },
    // Every error so far, the current page's too.
    allErrors: async () => { await gather(); await listen(); return tab.errors.splice(0); },
  });
}
