// The page's figures:
//   node web/tools/bench.mjs BUILD_WEB_DIR [ONE_FILE]
// 1. every file the page loads on a first visit, its size, and the sum; the
//    size of the one-file page (default: rnrr-password.html beside the
//    folder);
// 2. navigation to the first password shown, in headless Chromium, over
//    several fresh profiles (the page marks "password-shown");
// 3. one encoding inside the module, timed over many calls under node;
// 4. Lighthouse's scores, layout shift and largest paint for the mobile and
//    desktop presets (lighthouse.mjs).
import { readFileSync, statSync } from "node:fs";
import { dirname, join } from "node:path";
import { launchPuppeteer } from "./browser.mjs";
import { table } from "./lighthouse.mjs";
import { serve } from "./serve.mjs";
import { instantiate } from "../src/module.js";

const dir = process.argv[2] ?? "build/web";
const oneFile = process.argv[3] ?? join(dirname(dir), "rnrr-password.html");
const Runs = 5;
const Calls = 200000;

const server = await serve(dir);
const loaded = new Set();
const times = [];
for (let run = 0; run < Runs; ++run) {
  const { browser, close } = await launchPuppeteer("chromium");
  const page = await browser.newPage();
  page.on("request", (r) => loaded.add(decodeURIComponent(new URL(r.url()).pathname)));
  await page.goto(server.url);
  await page.waitForSelector("body[data-ready]");
  times.push(await page.evaluate(() => performance.getEntriesByName("password-shown")[0].startTime));
  await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  await close();
}

console.log("Files the page loads (bytes):");
let sum = 0;
for (const path of [...loaded].sort()) {
  const relative = path.replace(/^\/rnrr-password\//, "") || "index.html";
  const size = statSync(join(dir, relative.endsWith("/") ? relative + "index.html" : relative)).size;
  sum += size;
  console.log(`  ${String(size).padStart(7)}  ${relative}`);
}
console.log(`  ${String(sum).padStart(7)}  in all (${(sum / 1024).toFixed(1)} KiB)`);
const oneFileSize = statSync(oneFile).size;
console.log(`One-file page: ${oneFileSize} bytes (${(oneFileSize / 1024).toFixed(1)} KiB), ${oneFile}`);
const sorted = [...times].sort((a, b) => a - b);
console.log(`Navigation to first password, ${Runs} fresh profiles (ms): ${times.map((t) => t.toFixed(0)).join(" ")}; median ${sorted[Runs >> 1].toFixed(0)}`);

const module = await instantiate(readFileSync(join(dir, "rnrr.wasm")));
const state = module.startView().controls;
for (let i = 0; i < 10000; ++i) module.readControls(state);
let t0 = process.hrtime.bigint();
for (let i = 0; i < Calls; ++i) module.readControls(state);
const wrapped = Number(process.hrtime.bigint() - t0) / Calls;
const { instance } = await WebAssembly.instantiate(readFileSync(join(dir, "rnrr.wasm")));
t0 = process.hrtime.bigint();
for (let i = 0; i < Calls; ++i) instance.exports.encode();
const bare = Number(process.hrtime.bigint() - t0) / Calls;
console.log(`One encoding, mean of ${Calls} calls under node: ${bare.toFixed(0)} ns inside the module (encode export), ${wrapped.toFixed(0)} ns through the page's loader (the controls read as the window reads them, the view of what it shows)`);

try {
  console.log(await table(server.url));
} finally {
  server.close();
}
