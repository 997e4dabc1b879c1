// The interface texts in the chosen language: the window's own (string
// table, list names, bar labels, credits) and the page's. The Russian bar
// labels and credits are the module's (useModuleTexts), every other text
// comes from data.js. Russian is the window's language and the default; the
// choice is remembered.
import data from "../data.js";

export const StorageKey = "rnrr-password-language";
export const Languages = ["ru", "en"];

let language = "ru";
try {
  const saved = localStorage.getItem(StorageKey);
  if (Languages.includes(saved)) language = saved;
} catch {
  // Storage may be closed (private mode): the choice then lasts the visit.
}

export const currentLanguage = () => language;

export function setLanguage(next) {
  language = next;
  try {
    localStorage.setItem(StorageKey, next);
  } catch {
    // See above.
  }
}

// A string-table text by its identifier name or number (a counted text's
// forms, in a list, under the name of the first).
export function windowText(idOrName) {
  const entry =
    typeof idOrName === "number"
      ? Object.values(data.strings).find((s) => s.id === idOrName)
      : data.strings[idOrName];
  return entry[language];
}

// The identifier of a string-table text by its name.
export const textId = (name) => data.strings[name].id;

// The module's Russian texts: the tool's labels by field, and the credits;
// and the module's plural rule.
const russian = { labels: {}, credits: [] };
let pluralForm = () => 0;
export function useModuleTexts(module) {
  for (const option of module.options) russian.labels[option.control.field] = option.label;
  russian.credits = module.credits;
  pluralForm = module.pluralForm;
}

// A string-table text with its %d and %ls filled in by values in turn; of a
// counted text the form that fits its first value, by the plural rule of
// wording/ (Languages are in the order of its languages).
export function sentence(idOrName, ...values) {
  const text = windowText(idOrName);
  const form = Array.isArray(text) ? text[pluralForm(Languages.indexOf(language), values[0])] : text;
  let next = 0;
  return form.replace(/%(d|ls)/g, () => String(values[next++]));
}

// A list name as the module gives it, translated where the page has English.
export const listName = (name) => (language === "en" && data.names[name]) || name;

// The names a list of the window model shows, in its order.
export const listNames = (list) => (list.names ? list.names.map(listName) : list.textIds.map((id) => windowText(id)));

export const optionLabel = (field) => (language === "ru" ? russian.labels[field] : data.window[field]);

// A page text with its {placeholders} filled in.
export function pageText(key, values = {}) {
  const text = data.page[key][language];
  return typeof text === "string" ? text.replace(/\{(\w+)\}/g, (_, k) => values[k]) : text;
}

export const credits = () => (language === "ru" ? russian.credits : data.window.credits);
