// The README's pictures of the real page as it opens:
//   node web/tools/screenshots.mjs BUILD_WEB_DIR DOCS_DIR
// web.png at a desktop width, web-phone.png 360 pixels wide (whole page).
import { launchPuppeteer } from "./browser.mjs";
import { serve } from "./serve.mjs";

const [dir = "build/web", docs = "docs"] = process.argv.slice(2);
const server = await serve(dir);
const { browser, close } = await launchPuppeteer("chromium");
for (const [name, width, height] of [["web.png", 1100, 800], ["web-phone.png", 360, 740]]) {
  const page = await browser.newPage();
  await page.setViewport({ width, height });
  await page.goto(server.url);
  await page.waitForSelector("body[data-ready]");
  await page.evaluate(() => document.fonts.ready.then(() => true));
  await page.screenshot({ path: `${docs}/${name}`, fullPage: true });
  await page.close();
  console.log(`${docs}/${name}`);
}
await close();
server.close();
