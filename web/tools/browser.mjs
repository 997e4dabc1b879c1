// Debian's Chromium, headless, through playwright-core; shared by the page
// tests, the screenshots and the timing driver. Every launch gets a fresh
// profile, and the flags keep Chromium off the network it cannot reach.
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { chromium } from "playwright-core";

export async function launch() {
  const profile = mkdtempSync(join(tmpdir(), "rnrr-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: [
      "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
    ],
  });
  const close = async () => {
    await context.close();
    rmSync(profile, { recursive: true, force: true });
  };
  return { context, close };
}
