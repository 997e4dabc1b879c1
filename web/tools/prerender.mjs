// The page's first paint, made at build time by the page's own scripts:
//   node web/tools/prerender.mjs BUILD_WEB_DIR
// Runs the built folder's src/main.js in a DOM (jsdom) against the real
// rnrr.wasm, as a first visit without a saved language, and writes what the
// scripts made of index.html back into it: the texts, the lists with their
// options and choices, the bars and counts, the money box, the password and
// the pictures. The controls' live values go into their markup (value,
// selected), so that the browser shows them before any script runs.
//
// Each other language is reached through the page's own language buttons;
// its body goes into a <template data-first-paint=LANGUAGE>, and a small
// inline script at the end of the body shows it instead, before the first
// paint, to a visitor who chose that language.
import { readFile, writeFile } from "node:fs/promises";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { JSDOM, VirtualConsole } from "jsdom";

const ReadyTimeout = 10000; // ms for the scripts to show the password

// Runs in the page, inline, before the first paint.
function showChosenLanguage(storageKey) {
  let chosen = null;
  try {
    chosen = localStorage.getItem(storageKey);
  } catch {
    // Storage may be closed; the default language is shown.
  }
  for (const template of document.querySelectorAll("template[data-first-paint]"))
    if (template.dataset.firstPaint === chosen) {
      document.documentElement.lang = chosen;
      document.title = template.dataset.title;
      document.body.replaceChildren(template.content);
    }
}

// The DOM's window as the global object the page's modules see; node's own
// timers, fetch, TextDecoder, WebAssembly and performance stay. Files are
// fetched from the build folder, as a server would give them.
function installWindow(window) {
  for (const name of Object.getOwnPropertyNames(window))
    if (!(name in globalThis)) Object.defineProperty(globalThis, name, { get: () => window[name], configurable: true });
  const networkFetch = globalThis.fetch;
  globalThis.fetch = async (url, ...rest) => {
    const address = new URL(url);
    if (address.protocol !== "file:") return networkFetch(url, ...rest);
    return new Response(await readFile(address), { headers: { "Content-Type": "application/wasm" } });
  };
}

async function whenReady(document, failures) {
  const deadline = Date.now() + ReadyTimeout;
  while (document.body.dataset.ready !== "true") {
    if (failures.length) throw new Error(`prerender: the page failed: ${failures.join("; ")}`);
    if (Date.now() > deadline) throw new Error(`prerender: no password shown in ${ReadyTimeout} ms`);
    await new Promise((ok) => setTimeout(ok, 5));
  }
}

// What the controls hold now, written into their markup.
function reflectControls(document) {
  for (const input of document.querySelectorAll("input"))
    if (input.value !== (input.getAttribute("value") ?? "")) input.setAttribute("value", input.value);
  for (const option of document.querySelectorAll("option")) option.toggleAttribute("selected", option.selected);
}

async function prerender(dir) {
  const page = join(resolve(dir), "index.html");
  const failures = [];
  const virtualConsole = new VirtualConsole();
  virtualConsole.on("jsdomError", (e) => failures.push(e.message));
  virtualConsole.on("error", (...args) => failures.push(args.join(" ")));
  const dom = new JSDOM(await readFile(page, "utf8"), { url: pathToFileURL(page).href, virtualConsole });
  const { document } = dom.window;
  installWindow(dom.window);
  process.on("unhandledRejection", (e) => failures.push(String(e?.stack ?? e)));

  const { StorageKey } = await import(pathToFileURL(join(dir, "src", "texts.js")).href);
  await import(pathToFileURL(join(dir, "src", "main.js")).href);
  await whenReady(document, failures);
  delete document.body.dataset.ready; // the mark of the scripts' take-over
  reflectControls(document);
  const firstPaint = dom.serialize();

  const defaultLanguage = document.documentElement.lang;
  const others = [];
  for (const button of document.querySelectorAll("[data-language]")) {
    if (button.dataset.language === defaultLanguage) continue;
    button.click();
    reflectControls(document);
    others.push({ language: document.documentElement.lang, title: document.title, body: document.body.innerHTML });
  }
  if (failures.length) throw new Error(`prerender: the page failed: ${failures.join("; ")}`);

  const out = new JSDOM(firstPaint);
  const doc = out.window.document;
  for (const { language, title, body } of others) {
    const template = doc.createElement("template");
    template.dataset.firstPaint = language;
    template.dataset.title = title;
    template.innerHTML = body;
    doc.body.append(template);
  }
  const script = doc.createElement("script");
  script.textContent = `(${showChosenLanguage})(${JSON.stringify(StorageKey)});`;
  doc.body.append(script);
  await writeFile(page, out.serialize() + "\n");
}

await prerender(process.argv[2] ?? "build/web");
process.exit(0); // the page's timers (the announcement) may still wait
