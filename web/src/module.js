// The loader of rnrr.wasm: starts the module and wraps its exports (the table
// at the top of web/module/rnrr_module.cpp) in plain functions. Records are
// arrays of 16 numbers in TField order; a state of the window's controls is
// { values: [15 numbers by control], money: "the money box's text" }; texts
// come back as strings.

const FieldCount = 16;
const PasswordLength = 12;
const NormaliseStatus = ["done", "badCharacter", "tooShort", "tooLong"];
const DecodeStatus = ["valid", "checksFail", "badMoneyDigit", "badCharacter"];
const ControlKind = ["passwordBox", "moneyBox", "list", "bar"];
const CellSource = ["sheet", "extra"];
const windows1251 = new TextDecoder("windows-1251");

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

  const fieldNames = Array.from({ length: FieldCount }, (_, f) => zeroEnded(exports.fieldName(f)));
  const controlCount = exports.controlCount();
  const moneyLimit = exports.moneyTextLimit();

  // The window's input controls in its keyboard order.
  const controls = Array.from({ length: controlCount }, (_, index) => {
    const kind = ControlKind[exports.controlKind(index)];
    const field = kind === "passwordBox" ? null : fieldNames[exports.controlField(index)];
    const control = { index, kind, field, maximum: exports.controlMaximum(index) };
    if (kind === "list") {
      const names = Array.from({ length: control.maximum + 1 }, (_, i) => exports.listName(index, i));
      control.names = names.every((pointer) => pointer !== 0) ? names.map(zeroEnded) : null;
      if (!control.names) control.textIds = names.map((_, i) => exports.colorNameId(i));
    }
    return control;
  });

  const moneyUnits = () => new Uint16Array(memory.buffer, exports.moneyText(), moneyLimit);

  // The state the module's buffers hold, as a plain object.
  function stateOut(moneyLength) {
    const units = moneyUnits();
    return {
      values: Array.from(ints(exports.controlValues(), controlCount)),
      money: String.fromCharCode(...units.subarray(0, Math.min(moneyLength, moneyLimit))),
    };
  }

  // The window's reading of its controls: the grouped password and the record
  // encoded ("" and the record as it was for a value out of range). The money
  // text goes in as UTF-16 units, as the window's box holds it.
  function readControls(state) {
    ints(exports.controlValues(), controlCount).set(state.values);
    const units = moneyUnits();
    units.fill(0);
    for (let i = 0; i < Math.min(state.money.length, moneyLimit); ++i) units[i] = state.money.charCodeAt(i);
    const display = zeroEnded(exports.readControls(state.money.length));
    return { password: display, record: record(exports.settings()) };
  }

  function cell(pointer) {
    if (pointer === 0) return null;
    const [source, x, y, width, height] = ints(pointer, 5);
    return { source: CellSource[source], x, y, width, height };
  }

  // The password of a record as it is, no window rule applied.
  function encodeRecord(values) {
    ints(exports.settings(), FieldCount).set(values);
    return zeroEnded(exports.encode());
  }

  // The controls that show a record.
  function stateOf(values) {
    ints(exports.settings(), FieldCount).set(values);
    return stateOut(exports.stateOfSettings());
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
    fieldNames,
    controls,
    moneyLimit,
    options: Array.from({ length: exports.optionCount() }, (_, i) => ({
      key: zeroEnded(exports.optionName(i)),
      control: controls[exports.optionControl(i)],
      label: zeroEnded(exports.optionLabel(i)),
    })),
    credits: zeroEnded(exports.creditsText()).split("\r"),
    sheet: { width: exports.sheetWidth(), height: exports.sheetHeight() },
    valueCount: (field) => exports.fieldValueCount(fieldNames.indexOf(field)),
    shown: (control, car) => exports.controlShown(control.index, car) === 1,
    upgradeCell: (control, level) => cell(exports.upgradeCell(control.index, level)),
    itemIconCell: (control, car) => cell(exports.itemIconCell(control.index, car)),
    startState: () => stateOut(exports.startState()),
    readControls,
    stateOf,
    encodeRecord,
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
