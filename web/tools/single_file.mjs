// The page as one file that opens from disk (file://), offline by nature:
//   node web/tools/single_file.mjs BUILD_WEB_DIR OUTPUT_HTML
// Takes the built index.html, first paint and all, and puts everything it
// refers to inside it: the style sheet (its pictures as data: addresses), the
// module script with every module it imports bundled into one by esbuild,
// the pictures as data: addresses, and each preloaded file (rnrr.wasm) in a
// data block of its type in place of its link, in base64 (a preload of a data:
// address only draws a browser's warning). The manifest link goes: installing
// the page is for its served copy.
import { build } from "esbuild";
import { readFile, writeFile } from "node:fs/promises";
import { extname, join, resolve } from "node:path";
import { JSDOM } from "jsdom";

const Types = { ".png": "image/png" };

async function bundle(dir, entry, options) {
  const result = await build({
    entryPoints: [entry], absWorkingDir: dir, bundle: true, write: false, charset: "utf8",
    logLevel: "error", ...options,
  });
  const text = result.outputFiles[0].text;
  if (/<\/(script|style)/i.test(text)) throw new Error(`single_file: ${entry} would end its element early`);
  return text;
}

async function dataAddress(dir, path) {
  const type = Types[extname(path)];
  if (!type) throw new Error(`single_file: no data: type for ${path}`);
  return `data:${type};base64,${(await readFile(join(dir, path))).toString("base64")}`;
}

// The document and the content of each of its templates (the first paint in
// other languages).
const roots = (document) => [document, ...[...document.querySelectorAll("template")].map((t) => t.content)];

async function singleFile(dir, output) {
  dir = resolve(dir);
  const dom = new JSDOM(await readFile(join(dir, "index.html"), "utf8"));
  const { document } = dom.window;

  for (const link of document.querySelectorAll('link[rel="manifest"]')) link.remove();
  for (const link of document.querySelectorAll('link[rel="preload"]')) {
    const block = document.createElement("script");
    block.type = link.type;
    block.textContent = (await readFile(join(dir, link.getAttribute("href")))).toString("base64");
    link.replaceWith(block);
  }
  for (const link of document.querySelectorAll('link[rel="stylesheet"]')) {
    const style = document.createElement("style");
    style.textContent = await bundle(dir, link.getAttribute("href"), { loader: { ".png": "dataurl" } });
    link.replaceWith(style);
  }
  for (const script of document.querySelectorAll("script[type=module][src]")) {
    script.textContent = await bundle(dir, script.getAttribute("src"), { format: "esm" });
    script.removeAttribute("src");
  }
  for (const root of roots(document))
    for (const element of root.querySelectorAll("img[src], link[href]")) {
      const attribute = element.hasAttribute("src") ? "src" : "href";
      element.setAttribute(attribute, await dataAddress(dir, element.getAttribute(attribute)));
    }
  await writeFile(output, dom.serialize() + "\n");
}

const [dir = "build/web", output = "build/rnrr-password.html"] = process.argv.slice(2);
await singleFile(dir, output);
