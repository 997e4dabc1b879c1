// The field for a password typed or pasted from the game: a valid one sets
// every control as the window would take it and says which levels the window
// drops; an invalid one names the check positions that fail and offers each
// single-character repair as a button. The module's window model reads the
// typed text in one call and hands back all of it; the page says it in the
// string table's sentences, as the password dialog and the tool do.
import { listNames, sentence, textId, windowText } from "./texts.js";

// What the page says of a reading (module.readTyped), in the chosen language:
// the status line, and for an invalid password of twelve characters a line
// over its repairs and one per repair. Nothing for an empty field: the hint
// above it says what to type.
export function readingLines(module, reading) {
  const listed = (entries, separator = "IDS_LIST_SEPARATOR") => entries.join(windowText(separator));
  const car = () => listNames(module.controls.find((c) => c.field === "Car"))[reading.record[module.fieldNames.indexOf("Car")]];
  const { foreign, view } = reading;
  switch (reading.status) {
    case "empty":
      return { status: "" };
    case "too_short":
    case "too_long":
      return { status: sentence("IDS_STATUS_LENGTH_ONE", reading.count) };
    case "foreign_character":
      return {
        status: foreign.shown
          ? sentence("IDS_STATUS_BAD_CHARACTER", foreign.character, foreign.code, foreign.place)
          : sentence("IDS_STATUS_BAD_MARK", foreign.code, foreign.place),
      };
    case "valid": {
      const levels = view.hiddenLevels.map(({ control, level }) =>
        sentence(control.field === "Shocks" ? "IDS_HIDDEN_SHOCKS" : "IDS_HIDDEN_TIRES", level));
      return {
        status: levels.length ? sentence("IDS_STATUS_HIDDEN", car(), listed(levels, "IDS_HIDDEN_AND"), view.password) : sentence("IDS_STATUS_TAKEN"),
      };
    }
  }
  const status =
    reading.status === "bad_money_digit"
      ? sentence("IDS_STATUS_MONEY", listed(reading.moneyPlaces.map((place) => windowText(textId("IDS_MONEY_HUNDREDS") + place))))
      : sentence("IDS_STATUS_CHECKS_ONE", reading.failed.length, listed(reading.failed));
  // A value before or after a repair: a list's name, a bar's level, the
  // money's digits.
  const value = (option, shown, money) => {
    const { control } = module.options[option];
    return control.kind === "moneyBox" ? money : control.kind === "list" ? listNames(control)[shown] : String(shown);
  };
  const changes = (repair) =>
    repair.changes.length === 0
      ? windowText("IDS_REPAIR_SAME")
      : listed(repair.changes.map((c) =>
        sentence("IDS_CHANGE", windowText(textId("IDS_VALUE_DIFFICULTY") + c.option), value(c.option, c.before, c.beforeMoney), value(c.option, c.after, c.afterMoney))));
  return {
    status,
    head: reading.repairs.length ? sentence("IDS_REPAIRS_LISTED_ONE", reading.repairs.length) : windowText("IDS_REPAIRS_NONE"),
    repairs: reading.repairs.map((r) => sentence("IDS_REPAIR_LINE", r.place, r.replaced, r.character, r.password, changes(r))),
  };
}

export function createEntry(module, form) {
  const entry = document.getElementById("entry");
  const status = document.getElementById("entry-status");
  const repairs = document.getElementById("repairs");
  entry.maxLength = module.typedTextLimit;

  function repairButton(repair, text) {
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = text;
    button.addEventListener("click", () => {
      entry.value = repair.password;
      read();
      entry.focus();
    });
    return button;
  }

  function read() {
    const reading = module.readTyped(entry.value);
    const lines = readingLines(module, reading);
    if (reading.view) form.showView(reading.view);
    status.textContent = lines.status;
    repairs.replaceChildren();
    if (!lines.head) return;
    const head = document.createElement("p");
    head.textContent = lines.head;
    repairs.append(head, ...reading.repairs.map((repair, i) => repairButton(repair, lines.repairs[i])));
  }

  entry.addEventListener("input", read);
  document.getElementById("entry-form").addEventListener("submit", (event) => event.preventDefault());
  return { read };
}
