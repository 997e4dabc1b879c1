// The window, the command-line tool and the page's module held against the
// window model on the same random control states. model-states (the model,
// on the host) writes the states and the password the model reads from each;
// every front end is given the same states in the same order, from the
// window's starting state, and must show the same passwords: the lists and
// bars (hidden ones at random positions too) and the money text (typed or
// pasted, digits or not, too long) included.
// Then passwords for every car and every pair of shocks and tires levels,
// zero and not: what the model's view says of each (the levels the window
// drops, the password it shows instead), the page's module, the tool and the
// window's password dialog must say too.
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

const hex1251 = (hex) => windows1251.decode(Buffer.from(hex, "hex"));
const typed = execFileSync(join(hostBin, "model-states"), ["passwords", String(Seed)], { encoding: "utf8" })
  .trim()
  .split("\n");
const passwords = typed.map((line) => {
  const [, own, shown, hidden] = line.split(" ");
  return { own: hex1251(own), expected: `${hidden} ${hex1251(shown)}` };
});

let failures = 0;
// Each front end's answers against the model's, case by case.
function held(frontEnd, cases, shown, what, describe) {
  const wrong = cases.map((c, i) => [i, c, shown[i]]).filter(([, c, seen]) => seen !== c.expected);
  failures += wrong.length;
  console.log(`${frontEnd}: ${cases.length - wrong.length} of ${cases.length} ${what} as the model's`);
  for (const [i, c, seen] of wrong.slice(0, 5)) console.log(`  ${describe(i, c)}: ${JSON.stringify(seen)}, model ${c.expected}`);
}
const compare = (frontEnd, shown) =>
  held(frontEnd, states.map((s) => ({ ...s, expected: s.password })), shown, "passwords",
    (i, s) => `state ${i} ${JSON.stringify({ values: s.values, money: s.money })}`);
const compareNotices = (frontEnd, shown) => held(frontEnd, passwords, shown, "notices", (i, c) => `password ${c.own}`);

// The page's module, as the page calls it.
const module = await instantiate(readFileSync(join(webDir, "rnrr.wasm")));
module.startView();
compare("page's module", states.map((s) => module.readControls(s).password));
const hiddenOf = (levels) => levels.map(({ control, level }) => `${control.field}=${level}`).join(",") || "-";
compareNotices("page's module", passwords.map(({ own }) => {
  const { view } = module.readTyped(own);
  return `${hiddenOf(view.hiddenLevels)} ${view.password}`;
}));

// The tool, one process per state, under the option names it shares with
// the page's address.
const tool = states.map((s) => {
  const args = ["encode"];
  for (const { key, control } of module.options)
    args.push(`--${key}`, control.kind === "moneyBox" ? (/^\d{1,3}$/.test(s.money) ? s.money : s.thousands) : String(s.values[control.index]));
  return execFileSync(join(hostBin, "rnrr-pw"), args, { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] }).trim();
});
compare("tool", tool);

// The tool's decode: its JSON, and its explanation line, which the dialog's
// status must equal (both are the string table's wording).
const decoded = passwords.map(({ own }) => {
  const run = (...json) => execFileSync(join(hostBin, "rnrr-pw"), ["decode", own, ...json], { encoding: "utf8" });
  return { json: JSON.parse(run("--json")), line: run().split("\n")[1] };
});
compareNotices("tool", decoded.map(({ json }) =>
  `${json.hidden_levels.map(({ field, level }) => `${field}=${level}`).join(",") || "-"} ${json.window_password}`));
// Said in words where levels are hidden; where none are, one and the same
// word of a valid password.
const plain = passwords.findIndex((c) => c.expected.startsWith("-"));
const explained = (shown) =>
  passwords.map((c, i) => (c.expected.startsWith("-") ? shown[i] === shown[plain] : shown[i] === decoded[i].line));

// The window of each Windows build, worked through its controls' messages.
const work = mkdtempSync(join(tmpdir(), "rnrr-states-"));
try {
  const file = join(work, "states.txt");
  writeFileSync(file, lines.join("\n") + "\n");
  const typedFile = join(work, "passwords.txt");
  writeFileSync(typedFile, typed.join("\n") + "\n");
  // The lines that a mode of the e2e driver prints with Tag, read as texts.
  const windowSays = (build, locale, mode, input, tag) =>
    execFileSync(
      "sh",
      [join(here, "../e2e/run-e2e.sh"), join(build, "wine-run"), join(build, "e2e-runs", `front-ends-${mode}`), locale,
        join(build, "bin/rnrr-e2e.exe"), "Z:" + join(build, "bin/rnrr-password.exe"), mode, "Z:" + input],
      { encoding: "utf8" },
    ).split(/\r?\n/).filter((l) => l.startsWith(tag)).map((l) => fromUnits(l.slice(tag.length)));
  for (const build of windowsBuilds.map((b) => resolve(b))) {
    compare(`window (${build})`, windowSays(build, "en_US.UTF-8", "states", file, "P "));
    const said = windowSays(build, "ru_RU.UTF-8", "notices", typedFile, "N ");
    const same = explained(said);
    held(`password dialog (${build})`, passwords, passwords.map((c, i) => (same[i] ? c.expected : said[i])),
      "notices", (i, c) => `password ${c.own}`);
  }
} finally {
  rmSync(work, { recursive: true, force: true });
}
process.exit(failures === 0 ? 0 : 1);
