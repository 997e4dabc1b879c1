// The field for a password typed or pasted from the game: a valid one sets
// every control as the window would take it and says which levels the window
// drops; an invalid one names the check positions that fail and offers each
// single-character repair as a button. The module reads the typed text in
// one call and hands back all of it.
import { optionLabel, pageText } from "./texts.js";

export function createEntry(module, form) {
  const entry = document.getElementById("entry");
  const status = document.getElementById("entry-status");
  const repairs = document.getElementById("repairs");

  // "Шины: 1": the levels that the password holds for bars its car hides.
  const hiddenLevels = (view) =>
    view.hiddenLevels.map(({ control, level }) => `${optionLabel(control.field)} ${level}`).join(", ");

  function failure(typed) {
    if (typed.decoded === "badMoneyDigit") {
      const places = pageText("moneyPlaces");
      const missing = ["MoneyHundreds", "MoneyTens", "MoneyUnits"]
        .map((name, i) => (typed.record[module.fieldNames.indexOf(name)] < 0 ? places[i] : null))
        .filter(Boolean);
      return pageText("entryMoney", { places: missing.join(", ") });
    }
    return pageText("entryChecks", { checks: typed.failed.join(", ") });
  }

  function repairButton(repair) {
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = pageText("repair", {
      place: repair.place,
      from: repair.replaced,
      to: repair.character,
      password: repair.password,
    });
    button.addEventListener("click", () => {
      entry.value = repair.password;
      read();
      entry.focus();
    });
    return button;
  }

  function read() {
    repairs.replaceChildren();
    status.textContent = "";
    if (entry.value.trim() === "") return;
    const typed = module.readTyped(entry.value);
    if (typed.status === "badCharacter") {
      status.textContent = pageText("entryBadCharacter", typed);
      return;
    }
    if (typed.status !== "done") {
      status.textContent = pageText("entryCount", typed);
      return;
    }
    if (typed.view) {
      form.showView(typed.view);
      const levels = hiddenLevels(typed.view);
      status.textContent = levels ? pageText("entryDiffers", { levels }) : pageText("entryValid");
      return;
    }
    status.textContent = failure(typed);
    const head = document.createElement("p");
    head.textContent = typed.repairs.length
      ? pageText("repairs", { count: typed.repairs.length })
      : pageText("noRepairs");
    repairs.append(head, ...typed.repairs.map(repairButton));
  }

  entry.addEventListener("input", read);
  document.getElementById("entry-form").addEventListener("submit", (event) => event.preventDefault());
  return { read };
}
