// The settings in the page's address fragment, under the command-line tool's
// option names (the module's options): "#hero=0&car=1&money=999&...". Values
// are list positions and bar levels; money is the money box's text.
const isMoney = (option) => option.control.kind === "moneyBox";

// state: { values: {field: number}, moneyText }.
export function fragmentOf(state, options) {
  const params = new URLSearchParams();
  for (const option of options)
    params.set(option.key, isMoney(option) ? state.moneyText : String(state.values[option.control.field]));
  return "#" + params.toString();
}

// "#..." -> { values, moneyText } with only the keys given; null for an empty
// fragment; { malformed: true } for an unknown key, a repeated key or a value
// out of range, which the page then ignores as a whole.
export function readFragment(hash, options, moneyLimit) {
  const text = hash.replace(/^#/, "");
  if (text === "") return null;
  const malformed = { malformed: true };
  let params;
  try {
    params = new URLSearchParams(text);
  } catch {
    return malformed;
  }
  const state = { values: {}, moneyText: undefined };
  const seen = new Set();
  for (const [key, value] of params) {
    const option = options.find((o) => o.key === key);
    if (!option || seen.has(key)) return malformed;
    seen.add(key);
    if (isMoney(option)) {
      if (Array.from(value).length > moneyLimit) return malformed;
      state.moneyText = value;
      continue;
    }
    const number = /^\d{1,2}$/.test(value) ? Number(value) : -1;
    if (number < 0 || number > option.control.maximum) return malformed;
    state.values[option.control.field] = number;
  }
  return state;
}
