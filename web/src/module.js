// The loader of rnrr.wasm: starts the module and wraps its exports (the table
// at the top of web/module/rnrr_module.cpp) in plain functions. Records are
// arrays of 16 numbers in TField order; texts come back as strings.

const FieldCount = 16;
const PasswordLength = 12;
const NormaliseStatus = ["done", "badCharacter", "tooShort", "tooLong"];
const DecodeStatus = ["valid", "checksFail", "badMoneyDigit", "badCharacter"];
const windows1251 = new TextDecoder("windows-1251");

// Lists by the number listName takes.
export const List = { Hero: 0, Car: 1, Planet: 2, Difficulty: 3, Division: 4 };

function wrap(exports) {
  const memory = exports.memory;
  const bytes = (pointer, length) => new Uint8Array(memory.buffer, pointer, length);
  const ints = (pointer, length) => new Int32Array(memory.buffer, pointer, length);
  const zeroEnded = (pointer) => {
    const all = new Uint8Array(memory.buffer, pointer);
    return windows1251.decode(all.subarray(0, all.indexOf(0)));
  };
  const record = (pointer) => Array.from(ints(pointer, FieldCount));
  const password = (pointer) => windows1251.decode(bytes(pointer, PasswordLength).slice());

  function names(list, count) {
    const out = [];
    for (let i = 0; i < count; ++i) out.push(zeroEnded(exports.listName(list, i)));
    return out;
  }

  // The window's reading: the list and bar values, then the money text by
  // its rule (a character other than a digit counts 0, four or more keep
  // the last digits). Returns the grouped password and the record encoded.
  function encode(values, moneyText) {
    const settings = ints(exports.settings(), FieldCount);
    values.forEach((value, field) => (settings[field] = value));
    const money = bytes(exports.moneyBuffer(), 4);
    const chars = Array.from(moneyText);
    money.fill(0);
    chars.slice(0, 3).forEach((c, i) => (money[i] = c >= "0" && c <= "9" ? c.charCodeAt(0) : 0x3f));
    exports.readMoney(chars.length);
    const display = zeroEnded(exports.encode());
    return { password: display, record: Array.from(settings) };
  }

  // Typed text -> 12 password characters, as the command-line tool reads it.
  function readPassword(typed) {
    const points = Array.from(typed, (c) => c.codePointAt(0));
    const capacity = exports.inputCapacity();
    if (points.length > capacity) return { status: "tooLong", count: points.length };
    new Uint32Array(memory.buffer, exports.inputBuffer(), capacity).set(points);
    const status = NormaliseStatus[exports.normalise(points.length)];
    return {
      status,
      text: status === "done" ? password(exports.passwordBuffer()) : "",
      place: exports.normalisePlace(),
      character: String.fromCodePoint(exports.normaliseCharacter()),
      count: exports.normaliseCount(),
    };
  }

  // Reads the password readPassword left; valid, or why not and each
  // single-character repair.
  function decode() {
    const status = DecodeStatus[exports.decode()];
    const failed = [];
    for (let i = 0; i < exports.failedCount(); ++i) failed.push(exports.failedCheck(i));
    const result = { status, record: record(exports.decodedRecord()), failed, repairs: [] };
    if (status === "valid") return result;
    const count = exports.findRepairs();
    for (let i = 0; i < count; ++i)
      result.repairs.push({
        place: exports.repairPlace(i),
        character: windows1251.decode(Uint8Array.of(exports.repairCharacter(i))),
        text: password(exports.repairText(i)),
        record: record(exports.repairRecord(i)),
      });
    return result;
  }

  return {
    names,
    colorNameIds: (count) => Array.from({ length: count }, (_, i) => exports.colorNameId(i)),
    valueCount: (field) => exports.fieldValueCount(field),
    encode,
    readPassword,
    decode,
  };
}

export async function instantiate(bytes) {
  const { instance } = await WebAssembly.instantiate(bytes, {});
  return wrap(instance.exports);
}

// The page's preload link names the module; in the one-file page a data
// block of the module's type stands in its place, holding it in base64.
function moduleAddress() {
  const link = document.querySelector('link[rel="preload"][type="application/wasm"]');
  if (link) return link.href;
  return "data:application/wasm;base64," + document.querySelector('script[type="application/wasm"]').textContent;
}

export async function load(url = moduleAddress()) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  return instantiate(await response.arrayBuffer());
}
