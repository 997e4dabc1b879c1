// The window, the command-line tool and the page's module held against the
// window model on the same random control states. model-states (the model,
// on the host) writes the states and the password the model reads from each;
// every front end is given the same states in the same order, from the
// window's starting state, and must show the same passwords: the lists and
// bars (hidden ones at random positions too) and the money text (typed or
// pasted, digits or not, too long) included.
//   node tests/model/front_ends.mjs HOST_BIN WEB_DIR [WINDOWS_BUILD...]
// The tool takes money only as a number: it gets the money text when that
// is one to three digits, else the number the model read.
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { instantiate } from "../../web/src/module.js";

const [hostBin, webDir, ...windowsBuilds] = process.argv.slice(2);
const Seed = 20;
const Count = 300;
const windows1251 = new TextDecoder("windows-1251");
const here = new URL(".", import.meta.url).pathname;
// Text written as UTF-16 units of four hex digits each.
const fromUnits = (hex) => String.fromCharCode(...(hex.match(/.{4}/g) ?? []).map((u) => parseInt(u, 16)));

const lines = execFileSync(join(hostBin, "model-states"), [String(Seed), String(Count)], { encoding: "utf8" })
  .trim()
  .split("\n");
const states = lines.map((line) => {
  const parts = line.split(" ");
  const values = parts.slice(1, 16).map(Number);
  const money = fromUnits(parts[16] === "-" ? "" : parts[16]);
  return { values, money, thousands: parts[17], password: windows1251.decode(Buffer.from(parts[18], "hex")) };
});

let failures = 0;
function compare(frontEnd, shown) {
  const wrong = states.map((s, i) => [i, s, shown[i]]).filter(([, s, seen]) => seen !== s.password);
  failures += wrong.length;
  console.log(`${frontEnd}: ${states.length - wrong.length} of ${states.length} passwords as the model's`);
  for (const [i, s, seen] of wrong.slice(0, 5))
    console.log(`  state ${i} ${JSON.stringify({ values: s.values, money: s.money })}: ${JSON.stringify(seen)}, model ${s.password}`);
}

// The page's module, as the page calls it.
const module = await instantiate(readFileSync(join(webDir, "rnrr.wasm")));
module.readControls(module.startState());
compare("page's module", states.map((s) => module.readControls(s).password));

// The tool, one process per state, under the option names it shares with
// the page's address.
const tool = states.map((s) => {
  const args = ["encode"];
  for (const { key, control } of module.options)
    args.push(`--${key}`, control.kind === "moneyBox" ? (/^\d{1,3}$/.test(s.money) ? s.money : s.thousands) : String(s.values[control.index]));
  return execFileSync(join(hostBin, "rnrr-pw"), args, { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] }).trim();
});
compare("tool", tool);

// The window of each Windows build, worked through its controls' messages.
const work = mkdtempSync(join(tmpdir(), "rnrr-states-"));
try {
  const file = join(work, "states.txt");
  writeFileSync(file, lines.join("\n") + "\n");
  for (const build of windowsBuilds.map((b) => resolve(b))) {
    const output = execFileSync(
      "sh",
      [join(here, "../e2e/run-e2e.sh"), join(build, "wine-run"), join(build, "e2e-runs", "front-ends"), "en_US.UTF-8",
        join(build, "bin/rnrr-e2e.exe"), "Z:" + join(build, "bin/rnrr-password.exe"), "states", "Z:" + file],
      { encoding: "utf8" },
    );
    const shown = output.split(/\r?\n/).filter((l) => l.startsWith("P ")).map((l) => fromUnits(l.slice(2)));
    compare(`window (${build})`, shown);
  }
} finally {
  rmSync(work, { recursive: true, force: true });
}
process.exit(failures === 0 ? 0 : 1);
