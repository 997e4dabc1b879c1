// The window's controls on the page: one element per control of the window
// model (a list or bar by its field, f-Hero; the money box; the password).
// On every change they are read into one state, and the module's view of the
// window for that state is rendered as it is: the password, the numbers
// beside the item bars, the bars the car shows and the pictures. The page
// keeps none of those rules.
import data from "../data.js";
import { listNames } from "./texts.js";

const element = (control) =>
  document.getElementById(control.kind === "moneyBox" ? "money" : control.kind === "passwordBox" ? "password" : "f-" + control.field);

export function createForm(module, onChange) {
  const money = document.getElementById("money");
  const password = document.getElementById("password");
  const lists = module.controls.filter((c) => c.kind === "list");
  const bars = module.controls.filter((c) => c.kind === "bar");
  const byField = (field) => module.controls.find((c) => c.field === field && c.kind !== "moneyBox");

  // Options already there (the first paint's) only take the language's
  // texts, so that the scripts' take-over moves nothing.
  function fillLists() {
    for (const list of lists) {
      const select = element(list);
      const texts = listNames(list);
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

  // What the window shows, as the module's view says. A bar the car hides
  // keeps its place and its position; its picture shows the background.
  function render(view) {
    password.value = view.password;
    for (const bar of bars) element(bar).closest(".bar").classList.toggle("hidden", !view.shown[bar.index]);
    for (const bar of module.itemBars) {
      document.getElementById("count-" + bar.field).value = view.itemCounts[bar.field];
      showCell(document.getElementById("icon-" + bar.field), view.itemIcons[bar.field]);
    }
    for (const bar of module.upgradeBars)
      showCell(document.getElementById("picture-" + bar.field), view.upgradePictures[bar.field]);
    onChange(view.password);
  }

  // What the controls hold, as the module reads it: values by control.
  function controlState() {
    const values = module.controls.map((c) => (c.kind === "list" ? element(c).selectedIndex : c.kind === "bar" ? Number(element(c).value) : 0));
    return { values, money: money.value };
  }

  function recompute() {
    const view = module.readControls(controlState());
    if (view) render(view);
  }

  // The money box takes typed digits only, at most moneyLimit of them; a
  // paste goes in as it is, and the reading counts its other characters 0.
  money.maxLength = module.moneyLimit;
  money.addEventListener("beforeinput", (event) => {
    if (event.inputType === "insertText" && /\D/.test(event.data ?? "")) event.preventDefault();
  });
  money.addEventListener("input", recompute);
  for (const list of lists) element(list).addEventListener("change", recompute);
  for (const bar of bars) {
    const input = element(bar);
    input.min = 0;
    input.max = bar.maximum;
    input.step = 1;
    input.addEventListener("input", recompute);
  }

  // The controls of a view, as they are: values by control.
  function setControls({ values, money: text }) {
    for (const control of [...lists, ...bars]) {
      const target = element(control);
      if (target.tagName === "SELECT") target.selectedIndex = values[control.index];
      else target.value = values[control.index];
    }
    money.value = text;
  }

  // A view the module made, its controls and what it shows: the starting one,
  // or a typed password's.
  function showView(view) {
    setControls(view.controls);
    render(view);
  }

  // state, as the address keeps it: { values: {field name: number},
  // moneyText }; missing entries keep what the controls hold.
  function setState(state) {
    for (const [field, value] of Object.entries(state.values)) {
      const target = element(byField(field));
      if (target.tagName === "SELECT") target.selectedIndex = value;
      else target.value = value;
    }
    if (state.moneyText !== undefined) money.value = state.moneyText;
    recompute();
  }

  // What the address keeps: every list and bar position, and the money text.
  function state() {
    const { values, money: text } = controlState();
    return { values: Object.fromEntries([...lists, ...bars].map((c) => [c.field, values[c.index]])), moneyText: text };
  }

  document.documentElement.style.setProperty("--sheet-w", data.sheet.width);
  document.documentElement.style.setProperty("--sheet-h", data.sheet.height);
  // The first paint's controls hold the starting values already, or what the
  // visitor chose before the scripts came: they are kept.
  const painted = element(lists[0]).options.length > 0;
  fillLists();
  if (painted) recompute();
  else showView(module.startView());
  return { fillLists, setState, showView, state, password: () => password.value };
}
