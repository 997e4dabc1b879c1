// The window's controls on the page: filled from the module's lists, read on
// every change into one record that the module encodes, as the window reads
// its controls; the upgrade pictures and item icons follow the levels and
// the car.
import data from "../data.js";
import { List } from "./module.js";
import { listName, windowText } from "./texts.js";

const win = data.window;
const pictures = data.pictures;
const field = (name) => data.fields.indexOf(name);
const control = (name) => document.getElementById("f-" + name);

const Lists = ["Hero", "Color", "Car", "Difficulty", "Planet", "Division"];
const ItemBars = ["WeaponCharges", "BoostCharges", "DropCharges"];
const UpgradeBars = ["Engine", "Armor", "Shocks", "Tires"];
const MoneyFields = ["MoneyHundreds", "MoneyTens", "MoneyUnits"];

export function createForm(module, onChange) {
  const money = document.getElementById("money");
  const password = document.getElementById("password");
  // The last record encoded: a money text of four or more characters keeps
  // its digits, as the window's reading does.
  let record = [];

  const listNames = {
    Color: () => module.colorNameIds(module.valueCount(field("Color"))).map((id) => windowText(id)),
  };
  for (const name of Object.keys(List))
    listNames[name] = () => module.names(List[name], module.valueCount(field(name))).map(listName);

  // Options already there (the first paint's) only take the language's
  // texts, so that the scripts' take-over moves nothing.
  function fillLists() {
    for (const name of Lists) {
      const select = control(name);
      const texts = listNames[name]();
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

  const shocksShown = () => control("Car").selectedIndex < win.firstCarWithoutShocks;
  const tiresShown = () => control("Car").selectedIndex < win.firstCarWithoutTires;

  // A sheet cell, or the extra drop icon, at the page's pixel scale.
  function showCell(element, x, y, width, height, extra = false) {
    element.classList.toggle("extra", extra);
    for (const [name, value] of Object.entries({ x, y, w: width, h: height }))
      element.style.setProperty("--" + name, value);
  }

  const iconOf = (rule, car) => rule.find(([limit]) => limit === null || car < limit)[1];

  function drawPictures() {
    for (const name of UpgradeBars) {
      const level = record[field(name)];
      const cell = document.getElementById("picture-" + name);
      showCell(cell, level * pictures.UpgradeWidth, pictures.sheetRows[name] * pictures.UpgradeHeight,
        pictures.UpgradeWidth, pictures.UpgradeHeight);
    }
    const car = control("Car").selectedIndex;
    const icons = { WeaponCharges: pictures.weaponIcon, BoostCharges: pictures.boostIcon, DropCharges: pictures.dropIcon };
    for (const name of ItemBars) {
      const cell = document.getElementById("icon-" + name);
      if (name === "DropCharges" && car === pictures.ExtraIconCar)
        showCell(cell, 0, 0, pictures.IconWidth, pictures.IconHeight, true);
      else
        showCell(cell, iconOf(icons[name], car) * pictures.IconWidth, pictures.IconRowTop,
          pictures.IconWidth, pictures.IconHeight);
    }
  }

  // A hidden bar keeps its place and its position; the password takes 0.
  function showBars() {
    for (const [name, shown] of [["Shocks", shocksShown()], ["Tires", tiresShown()]])
      control(name).closest(".bar").classList.toggle("hidden", !shown);
  }

  function recompute() {
    const values = data.fields.map((_, i) => record[i] ?? 0);
    for (const name of Lists) values[field(name)] = control(name).selectedIndex;
    for (const name of [...ItemBars, ...UpgradeBars]) values[field(name)] = Number(control(name).value);
    if (!shocksShown()) values[field("Shocks")] = 0;
    if (!tiresShown()) values[field("Tires")] = 0;
    const result = module.encode(values, money.value);
    record = result.record;
    password.value = result.password;
    for (const name of ItemBars) document.getElementById("count-" + name).value = control(name).value;
    drawPictures();
    onChange(result.password);
  }

  // The money box takes typed digits only, at most moneyLimit of them; a
  // paste goes in as it is, and the reading counts its other characters 0.
  money.maxLength = win.moneyLimit;
  money.addEventListener("beforeinput", (event) => {
    if (event.inputType === "insertText" && /\D/.test(event.data ?? "")) event.preventDefault();
  });
  money.addEventListener("input", recompute);

  for (const name of Lists) control(name).addEventListener("change", () => {
    if (name === "Car") showBars();
    recompute();
  });
  for (const name of [...ItemBars, ...UpgradeBars]) {
    const bar = control(name);
    bar.min = 0;
    bar.max = ItemBars.includes(name) ? win.itemMaximum : win.upgradeMaximum;
    bar.step = 1;
    bar.addEventListener("input", recompute);
  }

  // state: { values: {field name: number}, moneyText }; missing entries keep
  // what the controls hold.
  function setState(state) {
    for (const [name, value] of Object.entries(state.values)) {
      const element = control(name);
      if (element.tagName === "SELECT") element.selectedIndex = value;
      else element.value = value;
    }
    if (state.moneyText !== undefined) money.value = state.moneyText;
    showBars();
    recompute();
  }

  // What the address keeps: every list and bar position, and the money text.
  function state() {
    const values = {};
    for (const name of Lists) values[name] = control(name).selectedIndex;
    for (const name of [...ItemBars, ...UpgradeBars]) values[name] = Number(control(name).value);
    return { values, moneyText: money.value };
  }

  // A decoded record: money as its three digits.
  function setRecord(decoded) {
    const values = {};
    for (const name of [...Lists, ...ItemBars, ...UpgradeBars]) values[name] = decoded[field(name)];
    setState({ values, moneyText: MoneyFields.map((name) => decoded[field(name)]).join("") });
  }

  document.documentElement.style.setProperty("--sheet-w", pictures.SheetWidth);
  document.documentElement.style.setProperty("--sheet-h", pictures.SheetHeight);
  // The first paint's controls hold the starting values already, or what the
  // visitor chose before the scripts came: they are kept.
  const painted = control(Lists[0]).options.length > 0;
  fillLists();
  setState(painted ? state() : { values: win.start, moneyText: win.moneyText });
  return { fillLists, setState, setRecord, state, password: () => password.value };
}
