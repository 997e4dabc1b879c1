// One small driver over the three engines (web/tools/browser.mjs), so that the
// page tests have one body: a tab that navigates, runs a function in the
// page, clicks, types real keys and takes a viewport size. Each tab is a
// fresh one of its own, with no storage, cache or service worker of another:
// a new browser context in Chromium and Firefox, a new MiniBrowser session
// in WebKit. Script errors the page raises are gathered in every engine by
// listeners put into each loaded page; puppeteer's engines add their console
// errors. Every wait has a deadline, and its error says what it awaited and
// what it saw.
import { By, Key } from "selenium-webdriver";
import { launchPuppeteer, launchWebKit } from "../tools/browser.mjs";

const WaitTimeout = 30000; // ms, for a machine loaded by other tests
const Keys = { Tab: Key.TAB };
// Firefox's console line for a request the service worker had taken that
// ended before it answered, as the icon's request does when a test leaves a
// page still loading it: not the page's fault. A worker whose answer fails
// gets another line ("... passed a promise to FetchEvent.respondWith() that
// rejected ..."), which stays an error.
const CutShort = /A ServiceWorker intercepted the request and encountered an unexpected error\.$/;

// Put into each loaded page: its uncaught errors and rejections.
function listenForErrors() {
  if (window.rnrrErrors) return;
  window.rnrrErrors = [];
  addEventListener("error", (e) => window.rnrrErrors.push(e.message));
  addEventListener("unhandledrejection", (e) => window.rnrrErrors.push(String(e.reason)));
}

// Runs fn in the page until it returns a true value, for at most timeout ms
// (WaitTimeout without one); at the deadline the page's address and state
// say what was there instead.
async function until(evaluate, what, fn, ...args) {
  return untilWithin(WaitTimeout, evaluate, what, fn, ...args);
}

async function untilWithin(timeout, evaluate, what, fn, ...args) {
  const deadline = Date.now() + timeout;
  while (!(await evaluate(fn, ...args))) {
    if (Date.now() > deadline) {
      const seen = await evaluate(() => `${location.href} (${document.readyState}), ${innerWidth}x${innerHeight}`)
        .catch((e) => `no page: ${e.message}`);
      throw new Error(`still not so after ${timeout} ms: ${what}; the page: ${seen}`);
    }
    await new Promise((ok) => setTimeout(ok, 20));
  }
}

async function puppeteerTab(browser) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (e) => errors.push(e.message));
  page.on("console", (m) => m.type() === "error" && !CutShort.test(m.text()) && errors.push(m.text()));
  return {
    errors,
    goto: (url) => page.goto(url),
    reload: () => page.reload(),
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    click: (selector) => page.click(selector),
    type: (text) => page.keyboard.type(text),
    press: (key) => page.keyboard.press(key),
    setViewport: (width, height) => page.setViewport({ width, height }),
    close: () => context.close(),
  };
}

async function webkitTab(driver) {
  const evaluate = (fn, ...args) => driver.executeScript(`return (${fn}).apply(null, arguments);`, ...args);
  const window = driver.manage().window();
  // A size for the window, once the page has it: the window at that size and
  // the page's viewport resized after it, unless the window had the size
  // already. Not the size setRect answers, nor the window's alone: on a loaded
  // machine the page can still have the size before (a viewport larger than
  // its window made the frame negative and setRect refuse the width).
  const sizeWindow = async (width, height) => {
    const resizes = await evaluate((w, h) => {
      if (!("rnrrResizes" in window)) {
        window.rnrrResizes = 0;
        addEventListener("resize", () => window.rnrrResizes++);
      }
      return outerWidth === w && outerHeight === h ? -1 : window.rnrrResizes;
    }, width, height);
    await window.setRect({ width, height });
    await until(evaluate, `the window at ${width}x${height} and the page resized`,
      (w, h, n) => outerWidth === w && outerHeight === h && (n < 0 || window.rnrrResizes > n),
      width, height, resizes);
  };
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
      await sizeWindow(width, height);
      const [frameWidth, frameHeight] = await evaluate(() => [outerWidth - innerWidth, outerHeight - innerHeight]);
      if (frameWidth !== 0 || frameHeight !== 0) await sizeWindow(width + frameWidth, height + frameHeight);
      await until(evaluate, `a viewport of ${width}x${height}`, (w, h) => innerWidth === w && innerHeight === h, width, height);
    },
    close: () => driver.quit(),
  };
}

// The engine's browser, started once; newTab() gives a fresh tab, close()
// ends the browser.
export async function launchEngine(engine) {
  if (engine === "webkit") {
    const webkit = await launchWebKit();
    return { newTab: async () => withErrors(engine, await webkitTab(await webkit.newSession())), close: webkit.close };
  }
  const { browser, close } = await launchPuppeteer(engine);
  return { newTab: async () => withErrors(engine, await puppeteerTab(browser)), close };
}

function withErrors(engine, tab) {
  const gather = async () => tab.errors.push(...(await tab.evaluate(() => window.rnrrErrors?.splice(0) ?? []).catch(() => [])));
  const listen = () => tab.evaluate(listenForErrors);
  const { goto, reload, close } = tab;
  return Object.assign(tab, {
    goto: async (url) => { await gather(); await goto(url); await listen(); },
    reload: async () => { await gather(); await reload(); await listen(); },
    // Runs fn in the page until it returns a true value.
    waitFor: (fn, ...args) => until(tab.evaluate, `${engine}: ${fn}`, fn, ...args),
    // The same with a deadline of its own, for what must come soon.
    waitWithin: (timeout, fn, ...args) => untilWithin(timeout, tab.evaluate, `${engine}: ${fn}`, fn, ...args),
    // Every error so far, the current page's too.
    allErrors: async () => { await gather(); await listen(); return tab.errors.splice(0); },
    // Ends the tab; every error it saw before (not those of its pages torn
    // down mid-load as it closes, such as a request cut short).
    close: async () => {
      await gather();
      const seen = tab.errors.splice(0);
      await close();
      return seen;
    },
  });
}
