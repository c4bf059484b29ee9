// SPDX-License-Identifier: GPL-3.0-or-later
// The page's behaviour: a tab a calculator, and a tap on its button or Enter in its fields
// computes the calculator in view through the core (hengtiebao.js, the WebAssembly bridge; its
// calls are described in bridge_api.js). A failure shows beside the field to correct, in the
// window's words, and the focus moves there with its text selected, so that typing replaces it;
// the other frames keep what they show. Nothing is stored: the service worker keeps the page's
// files, for use offline.
// Hooks for tests: every frame, field, button and result has its control's name as its id
// (Frame1, chang1, Combo1, Command1, jieguo1); a tab is "<frame>-tab"; a failure shows in
// "<control>-failure" (or "<frame>-failure" for none), a suggestion's button is
// "<control>-suggestion"; <html> has data-ready once the core has loaded, and window.hengtiebao
// is the core itself.
import createHengtiebao from "./hengtiebao.js";

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
    return true;
  },
};
const core = createHengtiebao({ fields });

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

function show(frame, failure) {
  clearFailures(frame);
  if (!failure) return;
  const field = failure.field ? byId(failure.field) : null;
  const slot = (field && byId(`${field.id}-failure`)) || byId(`${frame.id}-failure`);
  slot.textContent = failure.message;
  if (failure.choice) {
    const take = document.createElement("button");
    take.type = "button";
    take.id = `${failure.control}-suggestion`;
    take.textContent = failure.choice;
    take.addEventListener("click", async () => {
      show(frame, (await core).acceptSuggestion(numberOf(frame)));
      // The button went with the report; the focus goes back to the frame's own.
      if (!frame.contains(document.activeElement)) frame.querySelector('[type="submit"]').focus();
    });
    slot.append(take);
  }
  slot.hidden = false;
  if (!(field instanceof HTMLInputElement)) return;
  field.setAttribute("aria-invalid", "true");
  field.focus();
  field.select();
}

// Before the core has loaded, a click waits for it rather than going unanswered.
for (const tab of tabs) {
  const frame = frameOf(tab);
  frame.addEventListener("submit", async (event) => {
    event.preventDefault();
    show(frame, (await core).calculate(numberOf(frame)));
  });
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

core.then((loaded) => {
  window.hengtiebao = loaded;
  document.documentElement.dataset.ready = "";
});

if ("serviceWorker" in navigator) {
  addEventListener("load", () => navigator.serviceWorker.register("sw.js"));
}
