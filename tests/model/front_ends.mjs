// The window, the command-line tool and the page's module held against the
// window model on the same random control states. model-states (the model,
// on the host) writes the states and the password the model reads from each;
// every front end is given the same states in the same order, from the
// window's starting state, and must show the same passwords: the lists and
// bars (hidden ones at random positions too) and the money text (typed or
// pasted, digits or not, too long) included.
// Then typed passwords of every kind (model-states typed): what the model
// reads of each (its status, places, counts, repairs, and for a valid one the
// levels the window drops and the password it shows instead), the tool and
// the page's module must read, and in the string table's sentences, word for
// word, the tool and the window's password dialog must say in Russian and
// the page in Russian and English.
//   node tests/model/front_ends.mjs HOST_BIN WEB_DIR [WINDOWS_BUILD...]
// (the 64-bit Windows build first, whose driver works every build's window)
// The tool takes money only as a number: it gets the money text when that
// is one to three digits, else the number the model read.
import { execFileSync, spawnSync } from "node:child_process";
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

// The page's module, as the page calls it.
const module = await instantiate(readFileSync(join(webDir, "rnrr.wasm")));
module.startView();
compare("page's module", states.map((s) => module.readControls(s).password));

// The tool, one process per state, under the option names it shares with
// the page's address.
const optionsOf = (s) =>
  module.options.flatMap(({ key, control }) =>
    [`--${key}`, control.kind === "moneyBox" ? (/^\d{1,3}$/.test(s.money) ? s.money : s.thousands) : String(s.values[control.index])]);
const tool = states.map((s) =>
  execFileSync(join(hostBin, "rnrr-pw"), ["encode", ...optionsOf(s)], { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] }).trim());
compare("tool", tool);

// Typed passwords, and the model's reading of each, its texts as they show.
const typedLines = execFileSync(join(hostBin, "model-states"), ["typed", String(Seed)], { encoding: "utf8" })
  .trim()
  .split("\n");
const typedCases = typedLines.map((line) => {
    const [, units, ...json] = line.split(" ");
    const r = JSON.parse(json.join(" "));
    const repairs = r.repairs.map((x) => ({ ...x, replaced: hex1251(x.replaced), character: hex1251(x.character), password: hex1251(x.password),
      changes: x.changes.map((c) => ({ ...c, beforeMoney: hex1251(c.beforeMoney), afterMoney: hex1251(c.afterMoney) })) }));
    return { typed: fromUnits(units === "-" ? "" : units), reading: { ...r, password: hex1251(r.password), window: hex1251(r.window), repairs } };
});
// What a front end reads, in one line: the model's fields, the place and
// code only of a foreign character.
const readingLine = (r) =>
  JSON.stringify([r.status, r.count, r.status === "foreign_character" ? [r.place, r.code] : [], r.password, r.failed, r.moneyPlaces,
    r.repairs.map((x) => [x.place, x.character, x.password]), r.hidden, r.window]);
const data = (await import(join(resolve(webDir), "data.js"))).default;
const texts = await import(join(resolve(webDir), "src/texts.js"));
const { readingLines } = await import(join(resolve(webDir), "src/entry.js"));
texts.useModuleTexts(module);
// The sentences of a reading in a language, from the string table's texts:
// the status line as the page says it (nothing when empty, that its values
// are taken when valid) and as the dialog does, the line over the repairs
// as the tool and the page list them and as the dialog offers them, and one
// line per repair.
function sentences(language, r) {
  texts.setLanguage(language);
  const say = (name, ...values) => {
    const text = data.strings[name][language];
    const form = Array.isArray(text) ? text[module.pluralForm(language === "ru" ? 0 : 1, values[0])] : text;
    let next = 0;
    return form.replace(/%(d|ls)/g, () => values[next++]);
  };
  const list = (entries, separator = "IDS_LIST_SEPARATOR") => entries.join(say(separator));
  const byId = (first, offset) => Object.values(data.strings).find((t) => t.id === data.strings[first].id + offset)[language];
  const named = (option, value, money) => {
    const { control } = module.options[option];
    return control.kind === "moneyBox" ? money : control.kind === "list" ? texts.listNames(control)[value] : String(value);
  };
  const car = texts.listNames(module.controls.find((c) => c.field === "Car"))[r.record[11]];
  const levels = list(r.hidden.map(([field, level]) => say(field === "Shocks" ? "IDS_HIDDEN_SHOCKS" : "IDS_HIDDEN_TIRES", level)), "IDS_HIDDEN_AND");
  const status = {
    empty: () => say("IDS_STATUS_EMPTY"),
    too_short: () => say("IDS_STATUS_LENGTH_ONE", r.count),
    too_long: () => say("IDS_STATUS_LENGTH_ONE", r.count),
    foreign_character: () => (r.shown ? say("IDS_STATUS_BAD_CHARACTER", String.fromCodePoint(r.character), r.code, r.place) : say("IDS_STATUS_BAD_MARK", r.code, r.place)),
    checks_fail: () => say("IDS_STATUS_CHECKS_ONE", r.failed.length, list(r.failed)),
    bad_money_digit: () => say("IDS_STATUS_MONEY", list(r.moneyPlaces.map((p) => byId("IDS_MONEY_HUNDREDS", p)))),
    valid: () => (r.hidden.length ? say("IDS_STATUS_HIDDEN", car, levels, r.window) : say("IDS_STATUS_VALID")),
  }[r.status]();
  const invalid = r.status === "checks_fail" || r.status === "bad_money_digit";
  const none = say("IDS_REPAIRS_NONE");
  return {
    page: r.status === "empty" ? "" : r.status === "valid" && !r.hidden.length ? say("IDS_STATUS_TAKEN") : status,
    dialog: invalid ? `${status}\n${r.repairs.length ? say("IDS_REPAIRS_ONE", r.repairs.length) : none}` : status,
    status,
    head: invalid ? (r.repairs.length ? say("IDS_REPAIRS_LISTED_ONE", r.repairs.length) : none) : undefined,
    repairs: r.repairs.map((x) => say("IDS_REPAIR_LINE", x.place, x.replaced, x.character, x.password,
      x.changes.length ? list(x.changes.map((c) => say("IDS_CHANGE", byId("IDS_VALUE_DIFFICULTY", c.option), named(c.option, c.before, c.beforeMoney), named(c.option, c.after, c.afterMoney)))) : say("IDS_REPAIR_SAME"))),
  };
}
const heldTyped = (frontEnd, what, shown, expected) =>
  held(frontEnd, typedCases.map((c, i) => ({ ...c, expected: expected(c, i) })), shown, what, (i, c) => `typed ${JSON.stringify(c.typed)}`);

// The page's module and its sentences, in both languages.
const pageReadings = typedCases.map((c) => module.readTyped(c.typed));
heldTyped("page's module", "readings", pageReadings.map((r) => readingLine({ ...r, ...r.foreign, hidden: r.view?.hiddenLevels.map((h) => [h.control.field, h.level]) ?? [], window: r.view?.password ?? "" })),
  (c) => readingLine(c.reading));
for (const language of ["ru", "en"]) {
  const said = pageReadings.map((r) => (texts.setLanguage(language), readingLines(module, r)));
  heldTyped(`page (${language})`, "sentences", said.map((s) => JSON.stringify([s.status, s.head, s.repairs])), (c) => {
    const e = sentences(language, c.reading);
    return JSON.stringify([e.page, e.head, e.head === undefined ? undefined : e.repairs]);
  });
}

// The tool: its JSON, and its text, the sentences of its lines: the
// password's line, then the status, the line over the repairs and each
// repair's, or the sentence alone for fewer or more characters.
const toolRuns = typedCases.map(({ typed }) => {
  const run = (...json) => {
    try {
      return execFileSync(join(hostBin, "rnrr-pw"), ["decode", typed, ...json], { encoding: "utf8" });
    } catch (failure) {
      return failure.stdout;
    }
  };
  return { json: JSON.parse(run("--json")), text: run() };
});
heldTyped("tool", "readings", toolRuns.map(({ json: j }) => readingLine({
  status: j.status, count: j.count, place: j.place, code: j.code, password: j.password ?? "", failed: j.failed_checks ?? [],
  moneyPlaces: (j.bad_money_digits ?? []).map((f) => ["MoneyHundreds", "MoneyTens", "MoneyUnits"].indexOf(f)),
  repairs: j.repairs ?? [], hidden: (j.hidden_levels ?? []).map((h) => [h.field, h.level]), window: j.window_password ?? "",
})), (c) => readingLine(c.reading));
heldTyped("tool", "sentences", toolRuns.map(({ text }) => JSON.stringify(text.split("\n").filter((l) => l && !module.options.some((o) => l.trim().startsWith(o.label))).map((l) => l.trim()))),
  (c) => {
    const e = sentences("ru", c.reading);
    if (c.reading.count !== 12 || c.reading.status === "foreign_character") return JSON.stringify([e.status]);
    return JSON.stringify([`Пароль: ${c.reading.password}`, ...(c.reading.status === "valid" && !c.reading.hidden.length ? [] : [e.status]), ...(e.head ? [e.head, ...e.repairs] : [])]);
  });

// The tool of each Windows build, one process a command, with every state's
// options and every typed text and state's password a line of its input
// (--each): its answers, messages and exit code must be those of the host's
// tool, which is held to the model above, byte for byte.
const [driverBuild] = windowsBuilds.map((b) => resolve(b));
const eachRun = (command, args, input) => {
  const { status, stdout, stderr } = spawnSync(command, args, { input, encoding: "utf8" });
  return { status, stdout, stderr };
};
const eachInputs = [
  ["encode", ["encode", "--each"], states.map((s) => optionsOf(s).join(" "))],
  ...[["--json"], []].map((json) => [["decode", ...json].join(" "), ["decode", "--each", ...json],
    [...typedCases.map((c) => c.typed).filter((typed) => !/[\r\n]/.test(typed)), ...states.map((s) => s.password)]]),
];
for (const build of windowsBuilds.map((b) => resolve(b)))
  for (const [what, args, lines] of eachInputs) {
    const input = lines.join("\n") + "\n";
    const want = eachRun(join(hostBin, "rnrr-pw"), args, input);
    const seen = eachRun(join(driverBuild, "wine-run"), [join(build, "bin/rnrr-pw.exe"), ...args], input);
    const differs = ["status", "stdout", "stderr"].filter((part) => seen[part] !== want[part]);
    failures += differs.length > 0;
    console.log(`tool (${build}): ${what} of ${lines.length} lines ${differs.length ? `differs in ${differs}` : "as the host's tool"}`);
    for (const part of differs.filter((part) => part !== "status")) {
      const [a, b] = [seen[part].split("\n"), want[part].split("\n")];
      const line = a.findIndex((l, i) => l !== b[i]);
      console.log(`  ${part} line ${line + 1}: ${JSON.stringify(a[line])}, host ${JSON.stringify(b[line])}`);
    }
  }

// The window of each Windows build, worked through its controls' messages
// by the driver of the first (64-bit) build, in its prefix: the 32-bit
// program as on 64-bit Windows.
const work = mkdtempSync(join(tmpdir(), "rnrr-states-"));
try {
  const file = join(work, "states.txt");
  writeFileSync(file, lines.join("\n") + "\n");
  const typedFile = join(work, "typed.txt");
  writeFileSync(typedFile, typedLines.map((l) => l.split(" ", 2).join(" ")).join("\n") + "\n"); // "T TYPED"
  // The lines that a mode of the e2e driver prints, [tag, text] each.
  const windowSays = (build, locale, mode, input) =>
    execFileSync(
      "sh",
      [join(here, "../e2e/run-e2e.sh"), join(driverBuild, "wine-run"), join(driverBuild, "e2e-runs", `front-ends-${mode}`), locale,
        join(driverBuild, "bin/rnrr-e2e.exe"), "Z:" + join(build, "bin/rnrr-password.exe"), mode, "Z:" + input],
      { encoding: "utf8" },
    ).split(/\r?\n/).filter((l) => /^[PNR] /.test(l)).map((l) => [l[0], fromUnits(l.slice(2))]);
  for (const build of windowsBuilds.map((b) => resolve(b))) {
    compare(`window (${build})`, windowSays(build, "en_US.UTF-8", "states", file).map(([, text]) => text));
    // The status line of each typed password, and the entries of the repair list after it.
    const said = [];
    for (const [tag, text] of windowSays(build, "ru_RU.UTF-8", "notices", typedFile))
      if (tag === "N") said.push([text]);
      else said.at(-1)?.push(text);
    heldTyped(`password dialog (${build})`, "sentences", said.map((lines) => JSON.stringify(lines)), (c) => {
      const e = sentences("ru", c.reading);
      return JSON.stringify([e.dialog, ...e.repairs]);
    });
  }
} finally {
  rmSync(work, { recursive: true, force: true });
}
process.exit(failures === 0 ? 0 : 1);
