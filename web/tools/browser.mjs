// Debian's three browser engines, headless or on a display of their own,
// shared by the page tests, the screenshots, the timing driver and Lighthouse:
//   chromium  /usr/bin/chromium through puppeteer-core (DevTools protocol)
//   firefox   /usr/bin/firefox-esr through puppeteer-core (WebDriver BiDi)
//   webkit    WebKitGTK's MiniBrowser through WebKitWebDriver and
//             selenium-webdriver, on an Xvfb display started here; each
//             session a MiniBrowser of its own, with nothing stored
// Every launch gets a fresh temporary home, so the browser's profile, caches
// and settings (~/.config, ~/.cache, ~/.mozilla, dconf) stay out of the real
// one; close() ends what was started and removes it.
import { spawn } from "node:child_process";
import { mkdirSync, mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { createServer } from "node:net";
import { tmpdir } from "node:os";
import { join } from "node:path";
import puppeteer from "puppeteer-core";
import { Builder } from "selenium-webdriver";

export const Engines = ["chromium", "firefox", "webkit"];

const ChromiumFlags = [
  "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
];
const MiniBrowser = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";
// MiniBrowser's toolbar keeps its window 447 pixels wide at least; shrunk by
// this style of its own home, it lets the page be seen at a phone's width.
// The page's controls are WebKit's own drawing, not GTK's, and stay as they are.
const MiniBrowserStyle = "* { min-width: 0; min-height: 0; padding: 0; margin: 0; font-size: 1px; }\n";
const StartTimeout = 30000; // ms for a display or a driver to answer

function temporaryHome(engine) {
  const home = mkdtempSync(join(tmpdir(), `rnrr-${engine}-`));
  const env = {
    ...process.env,
    HOME: home,
    XDG_CONFIG_HOME: join(home, ".config"),
    XDG_CACHE_HOME: join(home, ".cache"),
    XDG_DATA_HOME: join(home, ".local", "share"),
    XDG_RUNTIME_DIR: home,
  };
  for (const name of ["XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"]) mkdirSync(env[name], { recursive: true });
  // Processes of the browser may still be writing a moment after it ended.
  const remove = () => rmSync(home, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
  return { home, env, remove };
}

// A child process that must be up before the launch goes on.
function start(command, args, options) {
  const child = spawn(command, args, options);
  const failed = new Promise((_, reject) => {
    child.once("error", (e) => reject(new Error(`${command}: ${e.message}`)));
    child.once("exit", (code) => reject(new Error(`${command} ended (exit ${code}) before it was ready`)));
  });
  failed.catch(() => {}); // its end after start-up is no failure
  return { child, failed };
}

// Ends a child process and waits for it.
function stop(child) {
  if (child.exitCode !== null || child.signalCode !== null) return Promise.resolve();
  const ended = new Promise((done) => child.once("exit", done));
  child.kill("SIGTERM");
  return ended;
}

// Xvfb picks a free display itself and writes its number to descriptor 3.
// -noreset: without it the server resets as its last client leaves and
// refuses whoever connects meanwhile, such as the next tab's MiniBrowser.
async function startDisplay() {
  const { child, failed } = start("Xvfb", ["-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
    { stdio: ["ignore", "ignore", "ignore", "pipe"] });
  const number = new Promise((ok) => child.stdio[3].once("data", (d) => ok(String(d).trim())));
  let timer;
  const late = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`Xvfb did not start in ${StartTimeout} ms`)), StartTimeout);
  });
  try {
    return { child, display: ":" + (await Promise.race([number, failed, late])) };
  } catch (error) {
    await stop(child);
    throw error;
  } finally {
    clearTimeout(timer);
  }
}

function freePort() {
  return new Promise((ok, fail) => {
    const server = createServer().once("error", fail);
    server.listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => ok(port));
    });
  });
}

// puppeteer's Browser for Chromium or Firefox.
export async function launchPuppeteer(engine) {
  const temporary = temporaryHome(engine);
  const options = engine === "firefox"
    ? { browser: "firefox", executablePath: "/usr/bin/firefox-esr" }
    : { browser: "chrome", executablePath: "/usr/bin/chromium", args: ChromiumFlags };
  try {
    const browser = await puppeteer.launch({
      ...options, headless: true, env: temporary.env, userDataDir: join(temporary.home, "profile"),
    });
    return { browser, close: async () => { await browser.close(); temporary.remove(); } };
  } catch (error) {
    temporary.remove();
    throw error;
  }
}

// The driver's port opens a moment after it starts: ask again until it does.
// A session that does not come within StartTimeout is an error.
async function newSession(port) {
  const deadline = Date.now() + StartTimeout;
  for (;;) {
    const driver = new Builder()
      .usingServer(`http://127.0.0.1:${port}`)
      .withCapabilities({
        browserName: "MiniBrowser",
        "webkitgtk:browserOptions": { binary: MiniBrowser, args: ["--automation"] },
      })
      .build();
    // The driver is a promise of its own too: a failed try would leave it
    // rejected with no handler. getSession() below says how it went.
    driver.catch(() => {});
    let timer;
    const late = new Promise((_, reject) => {
      timer = setTimeout(() => reject(new Error(`WebKitWebDriver gave no MiniBrowser session in ${StartTimeout} ms`)),
        Math.max(deadline - Date.now(), 0));
    });
    try {
      await Promise.race([driver.getSession(), late]);
      return driver;
    } catch (error) {
      if (!/ECONNREFUSED/.test(String(error)) || Date.now() > deadline) throw error;
      await new Promise((ok) => setTimeout(ok, 100));
    } finally {
      clearTimeout(timer);
    }
  }
}

// WebKitWebDriver on its display: newSession() starts a MiniBrowser (in
// automation mode, which stores nothing) and gives selenium's WebDriver for
// it; quit() on that ends it. close() ends what was started here.
export async function launchWebKit() {
  const temporary = temporaryHome("webkit");
  mkdirSync(join(temporary.env.XDG_CONFIG_HOME, "gtk-3.0"));
  writeFileSync(join(temporary.env.XDG_CONFIG_HOME, "gtk-3.0", "gtk.css"), MiniBrowserStyle);
  const started = [];
  const close = async () => {
    for (const child of started.reverse()) await stop(child);
    temporary.remove();
  };
  try {
    const { child: xvfb, display } = await startDisplay();
    started.push(xvfb);
    // No shader cache: software drawing, and nothing to keep between runs.
    const env = { ...temporary.env, DISPLAY: display, MESA_SHADER_CACHE_DISABLE: "true" };
    delete env.WAYLAND_DISPLAY;
    const port = await freePort();
    const { child: server, failed } = start("WebKitWebDriver", [`--port=${port}`, "--host=127.0.0.1"],
      { env, stdio: ["ignore", "ignore", "inherit"] });
    started.push(server);
    // A failure says whether the display is still there.
    const session = () => Promise.race([newSession(port), failed]).catch((error) => {
      const state = xvfb.exitCode === null && xvfb.signalCode === null ? "runs" : `has ended (${xvfb.exitCode ?? xvfb.signalCode})`;
      throw new Error(`${error.message}; its display ${display} ${state}`);
    });
    return { newSession: session, close };
  } catch (error) {
    await close();
    throw error;
  }
}
