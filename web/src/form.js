// The window's controls on the page: one element per control of the window
// model (a list or bar by its field, f-Hero; the money box; the password),
// read on every change into one state that the module reads as the window
// does. The module says where each control starts, which bars the car shows
// and which picture each bar shows; the page keeps none of those rules.
import { listName, windowText } from "./texts.js";

const element = (control) =>
  document.getElementById(control.kind === "moneyBox" ? "money" : control.kind === "passwordBox" ? "password" : "f-" + control.field);

export function createForm(module, onChange) {
  const money = document.getElementById("money");
  const password = document.getElementById("password");
  const lists = module.controls.filter((c) => c.kind === "list");
  const bars = module.controls.filter((c) => c.kind === "bar");
  const byField = (field) => module.controls.find((c) => c.field === field && c.kind !== "moneyBox");
  const carList = byField("Car");
  // The page shows an icon beside each item bar and a picture beside each
  // upgrade bar.
  const itemBars = bars.filter((bar) => document.getElementById("icon-" + bar.field));
  const upgradeBars = bars.filter((bar) => document.getElementById("picture-" + bar.field));
  // The last record encoded, for the pictures of the levels.
  let record = [];

  const namesOf = (list) => (list.names ? list.names.map(listName) : list.textIds.map((id) => windowText(id)));

  // Options already there (the first paint's) only take the language's
  // texts, so that the scripts' take-over moves nothing.
  function fillLists() {
    for (const list of lists) {
      const select = element(list);
      const texts = namesOf(list);
      if (select.options.length === texts.length) {
        for (const [value, text] of texts.entries())
          if (select.options[value].text !== text) select.options[value].text = text;
        continue;
      }
      const selected = select.selectedIndex;
      select.replaceChildren(...texts.map((text, value) => new Option(text, value)));
      select.selectedIndex = selected;
    }
  }

  // A cell of the sheet, or of the extra icon, at the page's pixel scale.
  function showCell(target, cell) {
    target.classList.toggle("extra", cell.source === "extra");
    for (const [name, value] of Object.entries({ x: cell.x, y: cell.y, w: cell.width, h: cell.height }))
      target.style.setProperty("--" + name, value);
  }

  function drawPictures() {
    const car = element(carList).selectedIndex;
    for (const bar of upgradeBars)
      showCell(document.getElementById("picture-" + bar.field), module.upgradeCell(bar, record[module.fieldNames.indexOf(bar.field)]));
    for (const bar of itemBars) showCell(document.getElementById("icon-" + bar.field), module.itemIconCell(bar, car));
  }

  // A bar the car hides keeps its place and its position; the password
  // takes 0 for it.
  function showBars() {
    const car = element(carList).selectedIndex;
    for (const bar of bars) element(bar).closest(".bar").classList.toggle("hidden", !module.shown(bar, car));
  }

  // What the controls hold, as the module reads it.
  function controlState() {
    const values = module.controls.map((c) => (c.kind === "list" ? element(c).selectedIndex : c.kind === "bar" ? Number(element(c).value) : 0));
    return { values, money: money.value };
  }

  function recompute() {
    const result = module.readControls(controlState());
    record = result.record;
    password.value = result.password;
    for (const bar of itemBars) document.getElementById("count-" + bar.field).value = element(bar).value;
    drawPictures();
    onChange(result.password);
  }

  // The money box takes typed digits only, at most moneyLimit of them; a
  // paste goes in as it is, and the reading counts its other characters 0.
  money.maxLength = module.moneyLimit;
  money.addEventListener("beforeinput", (event) => {
    if (event.inputType === "insertText" && /\D/.test(event.data ?? "")) event.preventDefault();
  });
  money.addEventListener("input", recompute);

  for (const list of lists)
    element(list).addEventListener("change", () => {
      if (list === carList) showBars();
      recompute();
    });
  for (const bar of bars) {
    const input = element(bar);
    input.min = 0;
    input.max = bar.maximum;
    input.step = 1;
    input.addEventListener("input", recompute);
  }

  // state: { values: {field name: number}, moneyText }; missing entries keep
  // what the controls hold.
  function setState(state) {
    for (const [field, value] of Object.entries(state.values)) {
      const target = element(byField(field));
      if (target.tagName === "SELECT") target.selectedIndex = value;
      else target.value = value;
    }
    if (state.moneyText !== undefined) money.value = state.moneyText;
    showBars();
    recompute();
  }

  // A state of the module's, values by control, as setState takes it.
  const byFields = ({ values, money: text }) => ({
    values: Object.fromEntries([...lists, ...bars].map((c) => [c.field, values[c.index]])),
    moneyText: text,
  });

  // What the address keeps: every list and bar position, and the money text.
  const state = () => byFields(controlState());

  // A decoded record: the controls that show it.
  const setRecord = (decoded) => setState(byFields(module.stateOf(decoded)));

  document.documentElement.style.setProperty("--sheet-w", module.sheet.width);
  document.documentElement.style.setProperty("--sheet-h", module.sheet.height);
  // The first paint's controls hold the starting values already, or what the
  // visitor chose before the scripts came: they are kept.
  const painted = element(lists[0]).options.length > 0;
  fillLists();
  setState(painted ? state() : byFields(module.startState()));
  return { fillLists, setState, setRecord, state, password: () => password.value };
}
