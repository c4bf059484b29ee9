// SPDX-License-Identifier: GPL-3.0-or-later
// The page's behaviour: a tab a calculator, and a tap on its button or Enter in its last field
// computes the calculator in view through the core (hengtiebao-*.js, the WebAssembly bridge; its
// calls are described in bridge_api.js). A failure shows beside the field to correct, in the
// window's words, and the focus moves there with its text selected, so that typing replaces it;
// the other frames keep what they show. Nothing is stored: the service worker keeps the page's
// files, for use offline.
// Hooks for tests: every frame, field, button and result has its control's name as its id
// (Frame1, chang1, Combo1, Command1, jieguo1); a tab is "<frame>-tab"; a failure shows in
// "<control>-failure" (or "<frame>-failure" for none), a suggestion's button is
// "<control>-suggestion"; <html> has data-ready once the core has loaded; "spoken" says each
// result and failure; "loading" and "update" tell the page's own states.

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
// A frame's number is its place in the core's order, which the page was written in.
const numberOf = (loaded, frame) => loaded.frames().findIndex((f) => f.frame === frame.id) + 1;

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

// Every result and failure is said once, a repeated one too: the live region is emptied, and
// filled in a later task, which screen readers take as new words.
const spoken = byId("spoken");
let saying;
function say(words) {
  spoken.textContent = "";
  clearTimeout(saying);
  saying = setTimeout(() => (spoken.textContent = words), 100);
}

// The frame's result, or its failure beside the field to correct (above the box, where the
// phone's keyboard, which rises under the focused box, never covers it).
function show(frame, failure) {
  clearFailures(frame);
  if (!failure) {
    const result = frame.querySelector("output");
    say(`${result.getAttribute("aria-label")} ${result.value}`);
    return;
  }
  const field = failure.field ? byId(failure.field) : null;
  const slot = (field && byId(`${field.id}-failure`)) || byId(`${frame.id}-failure`);
  slot.textContent = failure.message;
  say(failure.message);
  if (failure.choice) {
    const take = () =>
      withCore((loaded) => {
        show(frame, loaded.acceptSuggestion(numberOf(loaded, frame)));
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
// they take taps once their frame is wired. Enter in a box whose key says "next" (all but a
// frame's last) moves to the next box, as a phone's keyboard promises; in the last it computes.
for (const tab of tabs) {
  const frame = frameOf(tab);
  frame.addEventListener("submit", (event) => {
    event.preventDefault();
    withCore((loaded) => show(frame, loaded.calculate(numberOf(loaded, frame))));
  });
  const boxes = [...frame.querySelectorAll("input")];
  boxes.forEach((box, i) => {
    if (box.getAttribute("enterkeyhint") !== "next") return;
    box.addEventListener("keydown", (event) => {
      if (event.key !== "Enter" || event.isComposing) return;
      event.preventDefault();
      boxes[i + 1].focus();
      boxes[i + 1].select();
    });
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

// Whether this browser runs WebAssembly at all: none in iOS's Lockdown Mode, refused by the
// policy in one that knows only a newer keyword. The smallest module is compiled to tell.
function runsWebAssembly() {
  try {
    return new WebAssembly.Module(new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0])) !== null;
  } catch {
    return false;
  }
}

// A core that cannot load is told in every frame by its cause: a browser that runs no
// WebAssembly, which a retry cannot mend, or a broken connection on the first visit, with a retry;
// rather than leaving the buttons unanswered.
core.then(
  () => {
    byId("loading").hidden = true;
    document.documentElement.dataset.ready = "";
  },
  () => {
    byId("loading").hidden = true;
    const runs = runsWebAssembly();
    const message = runs ? "计算程序未能载入，请检查网络后重试。"
      : "此浏览器不允许运行计算程序（WebAssembly），请关闭锁定模式或换用其他浏览器。";
    for (const tab of tabs) {
      const frame = frameOf(tab);
      show(frame, { message });
      if (runs) byId(`${frame.id}-failure`).append(button(`${frame.id}-retry`, "重试", () => location.reload()));
    }
  },
);

// A new release never takes typed work: it takes over at once where no box holds typed text,
// and otherwise when "更新" is tapped. A page it takes from an earlier release reloads, once, so
// that no page runs with the files of two releases.
const typed = () => [...document.querySelectorAll("input")].some((box) => box.value !== box.defaultValue);
let updateTapped = false;
function whenUntyped(update) {
  if (updateTapped || !typed()) return update();
  byId("update-now").onclick = () => {
    updateTapped = true;
    byId("update").hidden = true;
    update();
  };
  byId("update").hidden = false;
}
function offer(worker) {
  whenUntyped(() => worker.postMessage("take over"));
}
if ("serviceWorker" in navigator) {
  // The first worker takes the page it was installed from: no release is replaced there.
  let earlier = navigator.serviceWorker.controller;
  navigator.serviceWorker.addEventListener("controllerchange", () => {
    if (earlier) whenUntyped(() => location.reload());
    earlier = navigator.serviceWorker.controller;
  });
  addEventListener("load", () => {
    navigator.serviceWorker.register("sw.js").then((registration) => {
      if (registration.waiting && earlier) offer(registration.waiting);
      registration.addEventListener("updatefound", () => {
        const worker = registration.installing;
        worker.addEventListener("statechange", () => {
          if (worker.state === "installed" && navigator.serviceWorker.controller) offer(worker);
        });
      });
    // Refused (a private window, a browser's setting): the page works on, online only.
    }, () => {});
  });
}
