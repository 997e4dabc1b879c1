// The module against the host encoder: random records, one-character
// corruptions of their passwords with the repair search, and the two
// passwords worked out by hand. Needs build/web and the host build's
// web-reference (RNRR_HOST_BIN, default build/host/bin).
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { test } from "node:test";
import { instantiate } from "../src/module.js";

const root = new URL("../../", import.meta.url);
const hostBin = process.env.RNRR_HOST_BIN ?? new URL("build/host/bin", root).pathname;
const module = await instantiate(readFileSync(new URL("build/web/rnrr.wasm", root)));
const windows1251 = new TextDecoder("windows-1251");
const text = (hex) => windows1251.decode(Buffer.from(hex, "hex"));
const grouped = (t) => t.replace(/(.{4})(?=.)/g, "$1 ");
// The host's decoding statuses (TDecodeStatus) as the model's reading names them.
const Statuses = ["valid", "checks_fail", "bad_money_digit"];


test("every encoding, reading back and repair search equals the host's", () => {
  const lines = execFileSync(`${hostBin}/web-reference`, ["10", "3000"], { encoding: "utf8" }).trim().split("\n");
  assert.equal(lines.length, 6000);
  for (let i = 0; i < lines.length; i += 2) {
    const [, ...encoded] = lines[i].split(" ");
    const record = encoded.slice(0, 16).map(Number);
    assert.equal(module.encodeRecord(record), grouped(text(encoded[16])), lines[i]);

    const [before, after] = lines[i + 1].slice(2).split(" ; ");
    const [corrupted, status, ...failed] = before.split(" ");
    const [count, ...repairs] = after.split(" ");
    const typed = module.readTyped(text(corrupted));
    assert.equal(typed.status, Statuses[status], lines[i + 1]);
    assert.deepEqual(typed.failed, failed.map(Number));
    const expected = [];
    for (let r = 0; r < Number(count); ++r)
      expected.push([Number(repairs[3 * r]), text(repairs[3 * r + 1]), grouped(text(repairs[3 * r + 2]))]);
    assert.deepEqual(typed.repairs.map((x) => [x.place, x.character, x.password]), expected, lines[i + 1]);
    for (const repair of typed.repairs) {
      assert.equal(repair.replaced, text(corrupted)[repair.place - 1]);
      assert.deepEqual(module.readTyped(repair.password).record, repair.record);
    }
  }
});

test("the two passwords worked out by hand, written and read back", () => {
  const zero = Array(16).fill(0);
  const start = [0, 7, 7, 7, 3, 3, 0, 3, 0, 0, 0, 1, 2, 9, 9, 9];
  const cases = [[zero, "Э9Я0 ФУ2Э 0Х4Б"], [start, "ПЬФМ В02Ь ЫЫЛ!"]];
  for (const [record, password] of cases) {
    assert.equal(module.encodeRecord(record), password);
    // As typed: lower case, hyphens, Latin look-alikes (B for В, O for 0).
    const typed = module.readTyped(password.toLowerCase().replace(/ /g, "-").replace("в", "B").replace("0", "o"));
    assert.equal(typed.password, password);
    assert.equal(typed.status, "valid");
    assert.deepEqual(typed.record, record);
    assert.equal(typed.view.password, password);
  }
  // The window as it opens shows the second.
  assert.equal(module.startView().password, "ПЬФМ В02Ь ЫЫЛ!");
  // A password as long as a password field takes, blanks included, is read;
  // what follows is not.
  const limit = 64;
  assert.equal(module.typedTextLimit, limit);
  assert.equal(module.readTyped("ПЬФМ В02Ь ЫЫЛ!".padEnd(limit) + "Б").status, "valid");
});

test("the module's own guards: a number out of range gives nothing, never a read past a table", async () => {
  const { instance } = await WebAssembly.instantiate(readFileSync(new URL("build/web/rnrr.wasm", root)));
  const raw = instance.exports;
  const memory = () => raw.memory.buffer;
  const zeroEnded = (pointer) => {
    const all = new Uint8Array(memory(), pointer);
    return windows1251.decode(all.subarray(0, all.indexOf(0)));
  };
  // A record with hero 8, and a state with the car list at 8.
  new Int32Array(memory(), raw.settings(), 16).set([0, 7, 7, 7, 3, 3, 0, 3, 8, 0, 0, 1, 2, 9, 9, 9]);
  assert.equal(zeroEnded(raw.encode()), "");
  raw.startView();
  new Int32Array(memory(), raw.controlState(), 15)[3] = 8;
  assert.equal(raw.readControls(), 0);
  for (const [name, args, nothing] of [
    ["listName", [1, 8], 0], ["listName", [2, 0], 0], ["listName", [15, 0], 0],
    ["colorNameId", [8], 0], ["colorNameId", [-1], 0], ["fieldValueCount", [16], 0],
    ["fieldValueCount", [-1], 0], ["fieldName", [16], 0], ["optionName", [14], 0],
    ["controlKind", [15], -1], ["layoutName", [raw.layoutCount()], 0], ["readingStatusName", [7], 0], ["pluralForm", [2, 1], -1],
  ])
    assert.equal(raw[name](...args), nothing, `${name}(${args})`);

  // A length past the buffer reads the whole buffer: too long, not too short.
  new Uint32Array(memory(), raw.inputBuffer(), raw.typedTextLimit()).fill("Б".codePointAt(0));
  for (const length of [raw.typedTextLimit() + 100, -1])
    assert.equal(zeroEnded(raw.readingStatusName(new Int32Array(memory(), raw.readTyped(length), 1)[0])), "too_long", String(length));
});
