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
const Statuses = ["valid", "checksFail", "badMoneyDigit", "badCharacter"];

// Records are given in TField order; money goes in as the box's text.
const moneyText = (r) => `${r[13]}${r[14]}${r[15]}`;

test("every encoding, reading back and repair search equals the host's", () => {
  const lines = execFileSync(`${hostBin}/web-reference`, ["10", "3000"], { encoding: "utf8" }).trim().split("\n");
  assert.equal(lines.length, 6000);
  for (let i = 0; i < lines.length; i += 2) {
    const [, ...encoded] = lines[i].split(" ");
    const record = encoded.slice(0, 16).map(Number);
    const result = module.encode(record, moneyText(record));
    assert.equal(result.password, grouped(text(encoded[16])), lines[i]);
    assert.deepEqual(result.record, record);

    const [before, after] = lines[i + 1].slice(2).split(" ; ");
    const [corrupted, status, ...failed] = before.split(" ");
    const [count, ...repairs] = after.split(" ");
    assert.equal(module.readPassword(text(corrupted)).status, "done");
    const decoded = module.decode();
    assert.equal(decoded.status, Statuses[status], lines[i + 1]);
    assert.deepEqual(decoded.failed, failed.map(Number));
    const expected = [];
    for (let r = 0; r < Number(count); ++r)
      expected.push([Number(repairs[3 * r]), text(repairs[3 * r + 1]), text(repairs[3 * r + 2])]);
    assert.deepEqual(decoded.repairs.map((x) => [x.place, x.character, x.text]), expected, lines[i + 1]);
    for (const repair of decoded.repairs) {
      module.readPassword(repair.text);
      assert.deepEqual(module.decode().record, repair.record);
    }
  }
});

test("the two passwords worked out by hand, written and read back", () => {
  const zero = Array(16).fill(0);
  const start = [0, 7, 7, 7, 3, 3, 0, 3, 0, 0, 0, 1, 2, 9, 9, 9];
  const cases = [[zero, "Э9Я0 ФУ2Э 0Х4Б"], [start, "ПЬФМ В02Ь ЫЫЛ!"]];
  for (const [record, password] of cases) {
    assert.equal(module.encode(record, moneyText(record)).password, password);
    // As typed: lower case, hyphens, Latin look-alikes (B for В, O for 0).
    const typed = password.toLowerCase().replace(/ /g, "-").replace("в", "B").replace("0", "o");
    assert.equal(module.readPassword(typed).text, password.replace(/ /g, ""));
    const decoded = module.decode();
    assert.equal(decoded.status, "valid");
    assert.deepEqual(decoded.record, record);
  }
});
