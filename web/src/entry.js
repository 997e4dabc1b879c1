// The field for a password typed or pasted from the game: a valid one sets
// every control; an invalid one names the check positions that fail and
// offers each single-character repair as a button.
import { optionLabel, pageText } from "./texts.js";

const grouped = (text) => text.replace(/(.{4})(?=.)/g, "$1 ");

export function createEntry(module, form) {
  const field = (name) => module.fieldNames.indexOf(name);
  const entry = document.getElementById("entry");
  const status = document.getElementById("entry-status");
  const repairs = document.getElementById("repairs");

  // Levels the password holds for a bar that the window hides for its car.
  function hiddenLevels(typed) {
    const shown = form.password().replace(/ /g, "");
    if (shown === typed) return "";
    return ["Shocks", "Tires"]
      .map((name) => [name, form.state().values[name]])
      .filter(([, level]) => level !== 0)
      .map(([name, level]) => `${optionLabel(name)} ${level}`)
      .join(", ");
  }

  function failure(result) {
    if (result.status === "badMoneyDigit") {
      const places = pageText("moneyPlaces");
      const missing = ["MoneyHundreds", "MoneyTens", "MoneyUnits"]
        .map((name, i) => (result.record[field(name)] < 0 ? places[i] : null))
        .filter(Boolean);
      return pageText("entryMoney", { places: missing.join(", ") });
    }
    return pageText("entryChecks", { checks: result.failed.join(", ") });
  }

  function repairButton(typed, repair) {
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = pageText("repair", {
      place: repair.place,
      from: typed[repair.place - 1],
      to: repair.character,
      password: grouped(repair.text),
    });
    button.addEventListener("click", () => {
      entry.value = grouped(repair.text);
      read();
      entry.focus();
    });
    return button;
  }

  function read() {
    repairs.replaceChildren();
    status.textContent = "";
    if (entry.value.trim() === "") return;
    const typed = module.readPassword(entry.value);
    if (typed.status === "badCharacter") {
      status.textContent = pageText("entryBadCharacter", typed);
      return;
    }
    if (typed.status !== "done") {
      status.textContent = pageText("entryCount", typed);
      return;
    }
    const result = module.decode();
    if (result.status === "valid") {
      form.setRecord(result.record);
      const levels = hiddenLevels(typed.text);
      status.textContent = levels ? pageText("entryDiffers", { levels }) : pageText("entryValid");
      return;
    }
    status.textContent = failure(result);
    const head = document.createElement("p");
    head.textContent = result.repairs.length
      ? pageText("repairs", { count: result.repairs.length })
      : pageText("noRepairs");
    repairs.append(head, ...result.repairs.map((r) => repairButton(typed.text, r)));
  }

  entry.addEventListener("input", read);
  document.getElementById("entry-form").addEventListener("submit", (event) => event.preventDefault());
  return { read };
}
