// Lighthouse's figures of a served page in Debian's Chromium, for the mobile
// and desktop presets and for an address the page cannot read: the four
// category scores, the layout shift (CLS) and the largest contentful paint. Each run has a fresh browser; the median run
// by performance score is kept.
//   node web/tools/lighthouse.mjs URL          (prints the table)
import lighthouse from "lighthouse";
import desktopConfig from "lighthouse/core/config/desktop-config.js";
import { fileURLToPath } from "node:url";
import { launchPuppeteer } from "./browser.mjs";

export const Presets = { mobile: undefined, desktop: desktopConfig };
const Categories = ["performance", "accessibility", "best-practices", "seo"];
const Runs = 3;

async function once(url, preset) {
  const { browser, close } = await launchPuppeteer("chromium");
  try {
    const page = await browser.newPage();
    const result = await lighthouse(url, { logLevel: "error", onlyCategories: Categories }, Presets[preset], page);
    const { categories, audits } = result.lhr;
    if (result.lhr.runtimeError) throw new Error(`lighthouse: ${result.lhr.runtimeError.message}`);
    return {
      scores: Categories.map((c) => Math.round(categories[c].score * 100)),
      cls: audits["cumulative-layout-shift"].numericValue,
      lcp: audits["largest-contentful-paint"].numericValue,
    };
  } finally {
    await close();
  }
}

export async function measure(url, preset) {
  const runs = [];
  for (let i = 0; i < Runs; ++i) runs.push(await once(url, preset));
  runs.sort((a, b) => a.scores[0] - b.scores[0]);
  return runs[Runs >> 1];
}

export async function table(url) {
  const lines = [
    `Lighthouse 12.2.3, median of ${Runs} runs:`,
    "| preset | performance | accessibility | best practices | SEO | layout shift (CLS) | largest paint |",
    "|---|---|---|---|---|---|---|",
  ];
  // The last row: an address the page cannot read, whose notice must move
  // nothing.
  const rows = [...Object.keys(Presets).map((preset) => [preset, url, preset]), ["mobile, unreadable address", url + "#hero=8", "mobile"]];
  for (const [name, address, preset] of rows) {
    const { scores, cls, lcp } = await measure(address, preset);
    lines.push(`| ${name} | ${scores.join(" | ")} | ${cls.toFixed(3)} | ${(lcp / 1000).toFixed(1)} s |`);
  }
  return lines.join("\n");
}

if (process.argv[1] === fileURLToPath(import.meta.url)) console.log(await table(process.argv[2]));
