// The loader of rnrr.wasm: starts the module and wraps its exports (the table
// at the top of web/module/rnrr_module.cpp) in plain functions. Records are
// arrays of 16 numbers in TField order; a state of the window's controls is
// { values: [15 numbers by control], money: "the money box's text" }; texts
// come back as strings. What the window shows comes back as the module's
// view of it (see viewAt), which the page renders as it is.

const FieldCount = 16;
const NormaliseStatus = ["done", "badCharacter", "tooShort", "tooLong"];
const DecodeStatus = ["valid", "checksFail", "badMoneyDigit", "badCharacter"];
const ControlKind = ["passwordBox", "moneyBox", "list", "bar"];
const CellSource = ["sheet", "extra"];
const windows1251 = new TextDecoder("windows-1251");
// The entries of the module's layout() record after its count, in its order.
const LayoutParts = [
  "itemBarCount", "upgradeBarCount",
  "stateValues", "stateMoney", "stateMoneyLength",
  "cellSize", "itemCountSize", "hiddenLevelSize",
  "viewControls", "viewRecord", "viewPassword", "viewShown", "viewItemCounts", "viewUpgradePictures",
  "viewItemIcons", "viewHiddenLevels", "viewHiddenLevelCount",
  "typedNormalised", "typedPlace", "typedCharacter", "typedCount", "typedDecoded", "typedPassword",
  "typedRecord", "typedFailedCount", "typedFailedChecks", "typedRepairCount", "typedRepairs", "typedView",
  "repairSize", "repairPlace", "repairReplaced", "repairCharacter", "repairPassword", "repairRecord",
];

function wrap(exports) {
  const memory = exports.memory;
  const ints = (pointer, length) => new Int32Array(memory.buffer, pointer, length);
  const int = (pointer) => ints(pointer, 1)[0];
  const zeroEnded = (pointer) => {
    const all = new Uint8Array(memory.buffer, pointer);
    return windows1251.decode(all.subarray(0, all.indexOf(0)));
  };
  const byte = (pointer) => windows1251.decode(Uint8Array.of(int(pointer)));
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
  // Where the module's records keep their parts (its TLayout, after the
  // entry that counts them), and the view's bar arrays: the item bars, then
  // the upgrade bars, in keyboard order.
  const layoutAt = exports.layout();
  if (int(layoutAt) !== LayoutParts.length + 1) throw new Error(`rnrr.wasm: a layout of ${int(layoutAt)} entries`);
  const at = Object.fromEntries(LayoutParts.map((name, i) => [name, int(layoutAt + 4 * (i + 1))]));
  const bars = controls.filter((c) => c.kind === "bar");
  const itemBars = bars.slice(0, at.itemBarCount);
  const upgradeBars = bars.slice(at.itemBarCount, at.itemBarCount + at.upgradeBarCount);

  const statePointer = exports.controlState();
  const moneyUnits = (pointer) => new Uint16Array(memory.buffer, pointer + at.stateMoney, moneyLimit);

  function stateAt(pointer) {
    const length = Math.min(int(pointer + at.stateMoneyLength), moneyLimit);
    return {
      values: Array.from(ints(pointer + at.stateValues, controlCount)),
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
    const shown = new Uint8Array(memory.buffer, pointer + at.viewShown, controlCount);
    const cells = (bars, offset) =>
      Object.fromEntries(bars.map((bar, i) => [bar.field, cellAt(pointer + offset + at.cellSize * i)]));
    const hidden = (i) => ints(pointer + at.viewHiddenLevels + at.hiddenLevelSize * i, 2);
    return {
      controls: stateAt(pointer + at.viewControls),
      record: record(pointer + at.viewRecord),
      password: zeroEnded(pointer + at.viewPassword),
      shown: controls.map((c) => shown[c.index] === 1),
      itemCounts: Object.fromEntries(
        itemBars.map((bar, i) => [bar.field, zeroEnded(pointer + at.viewItemCounts + at.itemCountSize * i)]),
      ),
      upgradePictures: cells(upgradeBars, at.viewUpgradePictures),
      itemIcons: cells(itemBars, at.viewItemIcons),
      hiddenLevels: Array.from({ length: int(pointer + at.viewHiddenLevelCount) }, (_, i) => {
        const [control, level] = hidden(i);
        return { control: controls[control], level };
      }),
    };
  }

  // What the window shows while its controls hold state; null for a value
  // out of range. The money text goes in as UTF-16 units, as the window's
  // box holds it.
  function readControls(state) {
    ints(statePointer + at.stateValues, controlCount).set(state.values);
    const units = moneyUnits(statePointer);
    units.fill(0);
    for (let i = 0; i < Math.min(state.money.length, moneyLimit); ++i) units[i] = state.money.charCodeAt(i);
    ints(statePointer + at.stateMoneyLength, 1)[0] = state.money.length;
    const pointer = exports.readControls();
    return pointer === 0 ? null : viewAt(pointer);
  }

  // The password of a record as it is, no window rule applied.
  function encodeRecord(values) {
    ints(exports.settings(), FieldCount).set(values);
    return zeroEnded(exports.encode());
  }

  // Typed text read as a password, as the command-line tool reads it, in one
  // call: status and the place, character and count of the normalising; for
  // twelve characters the decoding, each single-character repair of an
  // invalid password, and the window's view once it has taken a valid one.
  function readTyped(text) {
    const points = Array.from(text, (c) => c.codePointAt(0));
    const capacity = exports.inputCapacity();
    if (points.length > capacity) return { status: "tooLong", count: points.length };
    new Uint32Array(memory.buffer, exports.inputBuffer(), capacity).set(points);
    const pointer = exports.readTyped(points.length);
    const typed = {
      status: NormaliseStatus[int(pointer + at.typedNormalised)],
      place: int(pointer + at.typedPlace),
      character: String.fromCodePoint(int(pointer + at.typedCharacter)),
      count: int(pointer + at.typedCount),
    };
    if (typed.status !== "done") return typed;
    typed.password = zeroEnded(pointer + at.typedPassword);
    typed.decoded = DecodeStatus[int(pointer + at.typedDecoded)];
    typed.record = record(pointer + at.typedRecord);
    typed.failed = Array.from(ints(pointer + at.typedFailedChecks, int(pointer + at.typedFailedCount)));
    typed.repairs = Array.from({ length: int(pointer + at.typedRepairCount) }, (_, i) => {
      const repair = pointer + at.typedRepairs + at.repairSize * i;
      return {
        place: int(repair + at.repairPlace),
        replaced: byte(repair + at.repairReplaced),
        character: byte(repair + at.repairCharacter),
        password: zeroEnded(repair + at.repairPassword),
        record: record(repair + at.repairRecord),
      };
    });
    if (typed.decoded === "valid") typed.view = viewAt(pointer + at.typedView);
    return typed;
  }

  return {
    fieldNames,
    controls,
    itemBars,
    upgradeBars,
    moneyLimit,
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
