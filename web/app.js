// SPDX-License-Identifier: GPL-3.0-or-later
// The page's behaviour: a tab a calculator, and a tap on its button or Enter in its fields
// computes the calculator in view through the core (hengtiebao-*.js, the WebAssembly bridge; its
// calls are described in bridge_api.js). A failure shows beside the field to correct, in the
// window's words, and the focus moves there with its text selected, so that typing replaces it;
// the other frames keep what they show. Nothing is stored: the service worker keeps the page's
// files, for use offline.
// Hooks for tests: every frame, field, button and result has its control's name as its id
// (Frame1, chang1, Combo1, Command1, jieguo1); a tab is "<frame>-tab"; a failure shows in
// "<control>-failure" (or "<frame>-failure" for none), a suggestion's button is
// "<control>-suggestion"; <html> has data-ready once the core has loaded.

const byId = (id) => document.getElementById(id);
const isField = (element) =>
  element instanceof HTMLInputElement || element instanceof HTMLOutputElement;

// The core reads and writes the page's fields by control name, as it does the window's.
const fields = {
  getText(name) {
    const element = byId(name);
    return isField(element) ? element.value : null;
  },
  setText(name, text) {
    const element = byId(name);
    if (!isField(element)) return false;
    element.value = text;
    markListed(element);
    return true;
  },
};

// A combo box's list marks the box's text when it is listed, else shows its placeholder; a pick
// from it writes the box.
function markListed(field) {
  const list = byId(`${field.id}-list`);
  if (!list) return;
  list.value = field.value;
  if (list.selectedIndex < 0) list.value = "";
}
for (const list of document.querySelectorAll("select.list")) {
  const field = byId(list.id.slice(0, -"-list".length));
  field.addEventListener("input", () => markListed(field));
  list.addEventListener("change", () => (field.value = list.value));
}
// The core is imported, not waited for: the buttons answer from the moment this script runs, and
// a tap before the core has arrived waits for it. Its script is the one the page preloads, named
// by the build for its content.
const coreScript = document.querySelector('link[rel="modulepreload"]').href;
const core = import(coreScript).then(({ default: load }) => load({ fields }));
// ACT(core) once the core has loaded; nothing if it cannot, which every frame already tells.
const withCore = (act) => core.then(act, () => {});

const tabs = [...document.querySelectorAll('[role="tab"]')];
const frameOf = (tab) => byId(tab.getAttribute("aria-controls"));
const numberOf = (frame) => Number(frame.id.slice("Frame".length));

function clearFailures(frame) {
  for (const slot of frame.querySelectorAll(".failure")) {
    slot.hidden = true;
    slot.replaceChildren();
  }
  for (const field of frame.querySelectorAll("[aria-invalid]")) field.removeAttribute("aria-invalid");
}

// A button that a failure offers beside its words.
function button(id, text, onClick) {
  const made = document.createElement("button");
  made.type = "button";
  made.id = id;
  made.textContent = text;
  made.addEventListener("click", onClick);
  return made;
}

function show(frame, failure) {
  clearFailures(frame);
  if (!failure) return;
  const field = failure.field ? byId(failure.field) : null;
  const slot = (field && byId(`${field.id}-failure`)) || byId(`${frame.id}-failure`);
  slot.textContent = failure.message;
  if (failure.choice) {
    const take = () =>
      withCore((loaded) => {
        show(frame, loaded.acceptSuggestion(numberOf(frame)));
        // The button went with the report; the focus goes back to the frame's own.
        if (!frame.contains(document.activeElement)) frame.querySelector('[type="submit"]').focus();
      });
    slot.append(button(`${failure.control}-suggestion`, failure.choice, take));
  }
  slot.hidden = false;
  if (!(field instanceof HTMLInputElement)) return;
  field.setAttribute("aria-invalid", "true");
  field.focus();
  field.select();
}

// The page's buttons are written disabled, for a tap before this script has run would be lost;
// they take taps once their frame is wired.
for (const tab of tabs) {
  const frame = frameOf(tab);
  frame.addEventListener("submit", (event) => {
    event.preventDefault();
    withCore((loaded) => show(frame, loaded.calculate(numberOf(frame))));
  });
  frame.querySelector('[type="submit"]').disabled = false;
}

// One calculator in view; its frame's name in the address, so a reload or a link opens it.
function select(tab) {
  for (const other of tabs) {
    const chosen = other === tab;
    other.setAttribute("aria-selected", String(chosen));
    other.tabIndex = chosen ? 0 : -1;
    frameOf(other).hidden = !chosen;
  }
  history.replaceState(null, "", `#${frameOf(tab).id}`);
}

// Arrows, Home and End move between the tabs, as in any tab list.
const keySteps = { ArrowLeft: -1, ArrowUp: -1, ArrowRight: 1, ArrowDown: 1 };
tabs.forEach((tab, index) => {
  tab.addEventListener("click", () => select(tab));
  tab.addEventListener("keydown", (event) => {
    let next;
    if (event.key in keySteps) next = (index + keySteps[event.key] + tabs.length) % tabs.length;
    else if (event.key === "Home") next = 0;
    else if (event.key === "End") next = tabs.length - 1;
    else return;
    event.preventDefault();
    select(tabs[next]);
    tabs[next].focus();
  });
});
const opened = tabs.find((tab) => `#${frameOf(tab).id}` === location.hash);
if (opened) select(opened);

// A core that cannot load (a broken connection on the first visit) is told in every frame, with
// a retry, rather than leaving the buttons unanswered.
core.then(
  () => (document.documentElement.dataset.ready = ""),
  () => {
    for (const tab of tabs) {
      const frame = frameOf(tab);
      show(frame, { message: "计算程序未能载入，请检查网络后重试。" });
      byId(`${frame.id}-failure`).append(button(`${frame.id}-retry`, "重试", () => location.reload()));
    }
  },
);

// A new release's worker takes over at once; a page it takes from an earlier one reloads, once,
// so that no page runs with the files of two releases.
if ("serviceWorker" in navigator) {
  const earlier = navigator.serviceWorker.controller;
  navigator.serviceWorker.addEventListener("controllerchange", () => earlier && location.reload());
  addEventListener("load", () => navigator.serviceWorker.register("sw.js"));
}
