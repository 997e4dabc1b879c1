// The loader of rnrr.wasm: starts the module and wraps its exports (the table
// at the top of web/module/rnrr_module.cpp) in plain functions. Records are
// arrays of 16 numbers in TField order; a state of the window's controls is
// { values: [15 numbers by control], money: "the money box's text" }; texts
// come back as strings. What the window shows comes back as the module's
// view of it (see viewAt), which the page renders as it is.

const FieldCount = 16;
const ControlKind = ["passwordBox", "moneyBox", "list", "bar"];
const CellSource = ["sheet", "extra"];
const windows1251 = new TextDecoder("windows-1251");

function wrap(exports) {
  const memory = exports.memory;
  const ints = (pointer, length) => new Int32Array(memory.buffer, pointer, length);
  const int = (pointer) => ints(pointer, 1)[0];
  const zeroEnded = (pointer) => {
    const all = new Uint8Array(memory.buffer, pointer);
    return windows1251.decode(all.subarray(0, all.indexOf(0)));
  };
  const byte = (pointer) => new Uint8Array(memory.buffer, pointer, 1)[0];
  const character = (pointer) => windows1251.decode(Uint8Array.of(byte(pointer)));
  const record = (pointer) => Array.from(ints(pointer, FieldCount));

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
  // Where the module's records keep their parts, by the names the module
  // gives them ("TWindowView.Record"); a name it does not give is an error,
  // never an offset of 0. The view's bar arrays: the item bars, then the
  // upgrade bars, in keyboard order.
  const layout = Object.fromEntries(
    Array.from({ length: exports.layoutCount() }, (_, i) => [zeroEnded(exports.layoutName(i)), exports.layoutValue(i)]),
  );
  const at = new Proxy(layout, {
    get(entries, name) {
      if (!(name in entries)) throw new Error(`rnrr.wasm: no ${String(name)} in its layout`);
      return entries[name];
    },
  });
  const bars = controls.filter((c) => c.kind === "bar");
  const itemBars = bars.slice(0, at.ItemBarCount);
  const upgradeBars = bars.slice(at.ItemBarCount, at.ItemBarCount + at.UpgradeBarCount);

  const statePointer = exports.controlState();
  const moneyUnits = (pointer) => new Uint16Array(memory.buffer, pointer + at["TControlState.Money.Characters"], moneyLimit);

  function stateAt(pointer) {
    const length = Math.min(int(pointer + at["TControlState.Money.Length"]), moneyLimit);
    return {
      values: Array.from(ints(pointer + at["TControlState.Values"], controlCount)),
      money: String.fromCharCode(...moneyUnits(pointer).subarray(0, length)),
    };
  }

  function cellAt(pointer) {
    const [source, x, y, width, height] = ints(pointer, 5);
    return { source: CellSource[source], x, y, width, height };
  }

  // The window's view: the controls it shows, the record and password it
  // encodes, which controls show, the numbers beside the item bars, the
  // pictures by bar field, and the levels that hidden bars hold.
  function viewAt(pointer) {
    const part = (name) => pointer + at["TWindowView." + name];
    const shown = new Uint8Array(memory.buffer, part("Shown"), controlCount);
    const cells = (bars, offset) =>
      Object.fromEntries(bars.map((bar, i) => [bar.field, cellAt(offset + at["sizeof TCell"] * i)]));
    const hidden = (i) => ints(part("HiddenLevels") + at["sizeof THiddenLevel"] * i, 2);
    return {
      controls: stateAt(part("Controls")),
      record: record(part("Record")),
      password: zeroEnded(part("Password")),
      shown: controls.map((c) => shown[c.index] === 1),
      itemCounts: Object.fromEntries(
        itemBars.map((bar, i) => [bar.field, zeroEnded(part("ItemCounts") + at.ItemCountSize * i)]),
      ),
      upgradePictures: cells(upgradeBars, part("UpgradePictures")),
      itemIcons: cells(itemBars, part("ItemIconCells")),
      hiddenLevels: Array.from({ length: int(part("HiddenLevelCount")) }, (_, i) => {
        const [control, level] = hidden(i);
        return { control: controls[control], level };
      }),
    };
  }

  // What the window shows while its controls hold state; null for a value
  // out of range. The money text goes in as UTF-16 units, as the window's
  // box holds it.
  function readControls(state) {
    ints(statePointer + at["TControlState.Values"], controlCount).set(state.values);
    const units = moneyUnits(statePointer);
    units.fill(0);
    for (let i = 0; i < Math.min(state.money.length, moneyLimit); ++i) units[i] = state.money.charCodeAt(i);
    ints(statePointer + at["TControlState.Money.Length"], 1)[0] = state.money.length;
    const pointer = exports.readControls();
    return pointer === 0 ? null : viewAt(pointer);
  }

  // The password of a record as it is, no window rule applied.
  function encodeRecord(values) {
    ints(exports.settings(), FieldCount).set(values);
    return zeroEnded(exports.encode());
  }

  // Typed text read as a password by the window model, in one call: the
  // model's reading (password_reading.h) as it is. Text past the longest a
  // password field takes is not read.
  const typedTextLimit = exports.typedTextLimit();
  const statusNames = [];
  for (let s = 0; exports.readingStatusName(s) !== 0; ++s) statusNames.push(zeroEnded(exports.readingStatusName(s)));
  function changeAt(pointer) {
    const part = (name) => pointer + at["TValueChange." + name];
    const option = int(part("Option"));
    const money = (name) => zeroEnded(part(name));
    return { option, before: int(part("Before")), after: int(part("After")), beforeMoney: money("BeforeMoney"), afterMoney: money("AfterMoney") };
  }
  function repairAt(pointer) {
    const part = (name) => pointer + at["TReadingRepair." + name];
    return {
      place: int(part("Place")),
      replaced: character(part("Replaced")),
      character: character(part("Replacement")),
      password: zeroEnded(part("Password")),
      record: record(part("Record")),
      changes: Array.from({ length: int(part("ChangeCount")) }, (_, i) => changeAt(part("Changes") + at["sizeof TValueChange"] * i)),
    };
  }
  function readTyped(text) {
    const points = Array.from(text, (c) => c.codePointAt(0)).slice(0, typedTextLimit);
    new Uint32Array(memory.buffer, exports.inputBuffer(), typedTextLimit).set(points);
    const pointer = exports.readTyped(points.length);
    const part = (name) => pointer + at["TPasswordReading." + name];
    const count = (name) => int(part(name + "Count"));
    const typed = {
      status: statusNames[int(part("Status"))],
      count: int(part("Count")),
      foreign: {
        place: int(part("Foreign.Place")),
        character: String.fromCodePoint(int(part("Foreign.Character"))),
        shown: byte(part("Foreign.Shown")) === 1,
        code: zeroEnded(part("Foreign.Code")),
      },
      password: zeroEnded(part("Password")),
      record: record(part("Record")),
      failed: Array.from(ints(part("FailedChecks"), count("Failed"))),
      moneyPlaces: Array.from(ints(part("MoneyPlaces"), count("MoneyPlace"))),
      repairs: Array.from({ length: count("Repair") }, (_, i) => repairAt(part("Repairs") + at["sizeof TReadingRepair"] * i)),
    };
    if (typed.status === "valid") typed.view = viewAt(part("View"));
    return typed;
  }

  return {
    fieldNames,
    controls,
    itemBars,
    upgradeBars,
    moneyLimit,
    typedTextLimit,
    options: Array.from({ length: exports.optionCount() }, (_, i) => ({
      key: zeroEnded(exports.optionName(i)),
      control: controls[exports.optionControl(i)],
      label: zeroEnded(exports.optionLabel(i)),
    })),
    credits: zeroEnded(exports.creditsText()).split("\r"),
    valueCount: (field) => exports.fieldValueCount(fieldNames.indexOf(field)),
    startView: () => viewAt(exports.startView()),
    readControls,
    encodeRecord,
    readTyped,
    // The form of a counted text for count in language 0 (Russian) or 1
    // (English), by the plural rule of wording/.
    pluralForm: (language, count) => exports.pluralForm(language, count),
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
