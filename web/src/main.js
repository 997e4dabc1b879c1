// Starts the page: the module, the window's controls, the password field,
// the address, the language switch, the copy button and the offline cache.
import data from "../data.js";
import { readFragment, fragmentOf } from "./address.js";
import { createEntry } from "./entry.js";
import { createForm } from "./form.js";
import { load } from "./module.js";
import { registerOffline } from "./offline.js";
import * as texts from "./texts.js";

const AnnounceDelay = 600; // ms of quiet before the password is read out
const AddressInterval = 250; // ms at least between two writes of the address

const byId = (id) => document.getElementById(id);

function applyTexts(form) {
  document.documentElement.lang = texts.currentLanguage();
  for (const element of document.querySelectorAll("[data-string]"))
    element.textContent = texts.windowText(element.dataset.string);
  for (const element of document.querySelectorAll("[data-page]"))
    element.textContent = texts.pageText(element.dataset.page);
  for (const element of document.querySelectorAll("[data-option]"))
    element.textContent = texts.optionLabel(element.dataset.option);
  const caption = `${texts.windowText("IDS_CAPTION")} ${data.version}`;
  byId("caption").textContent = caption;
  document.title = caption;
  byId("credits").replaceChildren(...texts.credits().flatMap((line, i) => (i ? [document.createElement("br"), line] : [line])));
  for (const button of document.querySelectorAll("[data-language]"))
    button.setAttribute("aria-pressed", String(button.dataset.language === texts.currentLanguage()));
  form.fillLists();
}

// The notice shows over the page's foot until the visitor's next click or
// key, and never catches either; while it shows, the page grows below by its
// height, so that nothing need stay under it, and nothing above it moves.
function showNotice(text) {
  const notice = byId("notice");
  notice.textContent = text;
  notice.hidden = false;
  document.body.style.paddingBottom = `calc(${notice.offsetHeight}px + 1rem)`;
  const done = new AbortController();
  const hide = () => {
    notice.hidden = true;
    document.body.style.paddingBottom = "";
    done.abort();
  };
  for (const type of ["pointerdown", "keydown"]) addEventListener(type, hide, { capture: true, signal: done.signal });
}

async function copyPassword(form) {
  try {
    await navigator.clipboard.writeText(form.password());
    showNotice(texts.pageText("copied"));
  } catch {
    byId("password").select();
    showNotice(texts.pageText(document.execCommand("copy") ? "copied" : "copyFailed"));
  }
}

// The address follows the settings. A dragged bar changes them dozens of
// times a second, and a browser may refuse more than 100 history writes in
// 10 s (WebKit throws), so the address is written at most once per
// AddressInterval, and once more after the last change, or at once when the
// page goes. A refused write leaves the old address; the next change retries.
function followInAddress(form, options) {
  let timer = 0;
  let written = -Infinity;
  const write = () => {
    clearTimeout(timer);
    timer = 0;
    written = performance.now();
    try {
      history.replaceState(null, "", fragmentOf(form.state(), options));
    } catch {
      // kept as it was
    }
  };
  window.addEventListener("pagehide", () => timer && write());
  return () => {
    if (timer) return;
    const wait = written + AddressInterval - performance.now();
    if (wait <= 0) write();
    else timer = setTimeout(write, wait);
  };
}

async function start() {
  const module = await load();
  texts.useModuleTexts(module);
  let announceTimer = 0;
  let ready = false;
  let followAddress = () => {};
  const form = createForm(module, (password) => {
    if (!ready) return;
    followAddress();
    clearTimeout(announceTimer);
    announceTimer = setTimeout(() => {
      byId("announce").textContent = `${texts.windowText("IDS_PASSWORD_LABEL")} ${password}`;
    }, AnnounceDelay);
  });
  const entry = createEntry(module, form);
  applyTexts(form);

  const applyFragment = () => {
    const state = readFragment(location.hash, module.options, module.moneyLimit);
    if (state && state.malformed) showNotice(texts.pageText("addressIgnored"));
    else if (state) form.setState(state);
  };
  applyFragment();
  followAddress = followInAddress(form, module.options);
  ready = true;
  window.addEventListener("hashchange", applyFragment);

  for (const button of document.querySelectorAll("[data-language]"))
    button.addEventListener("click", () => {
      texts.setLanguage(button.dataset.language);
      applyTexts(form);
      entry.read();
    });
  byId("copy").addEventListener("click", () => copyPassword(form));
  document.body.dataset.ready = "true";
  performance.mark("password-shown");
  registerOffline();
}

start();
