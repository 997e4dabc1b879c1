// A static server for build/web on 127.0.0.1, under a sub-path so that the
// page's relative addresses are exercised:
//   node web/tools/serve.mjs [DIR] [PORT]     (PORT 0: any free port)
// As a module: serve(dir, port) -> { url, close }; close() also ends the
// connections browsers keep open.
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize, resolve } from "node:path";
import { fileURLToPath } from "node:url";

export const SubPath = "/rnrr-password/";

const Types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".wasm": "application/wasm",
  ".png": "image/png",
  ".webmanifest": "application/manifest+json",
};

export function serve(dir, port = 0) {
  const root = resolve(dir);
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, "http://x").pathname);
    if (!path.startsWith(SubPath)) {
      response.writeHead(path === "/" ? 302 : 404, { Location: SubPath });
      return response.end();
    }
    let file = normalize(join(root, path.slice(SubPath.length)));
    if (!file.startsWith(root)) return response.writeHead(403).end();
    if (path.endsWith("/")) file = join(file, "index.html");
    try {
      const body = await readFile(file);
      response.writeHead(200, { "Content-Type": Types[extname(file)] ?? "application/octet-stream", "Cache-Control": "no-cache" });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((done) => {
    server.listen(port, "127.0.0.1", () => {
      const close = () => {
        server.close();
        server.closeAllConnections(); // a browser's open connections too: the page goes offline
      };
      done({ url: `http://127.0.0.1:${server.address().port}${SubPath}`, close });
    });
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [dir = "build/web", port = "8035"] = process.argv.slice(2);
  const { url } = await serve(dir, Number(port));
  console.log(`Serving ${dir} at ${url} (Ctrl-C stops)`);
}
