// SPDX-License-Identifier: GPL-3.0-or-later
// The page in a real browser (Debian's Chromium, headless), served from this machine as any
// static server would: every reference weight typed and tapped through the page, each kind of
// failure beside its field, a suggestion taken, Enter, the layout of a phone and of a desktop,
// the page reloaded offline, and nothing asked of another origin and nothing stored.
//   node browser_test.mjs DIST reference_weights.txt SCREENSHOT_DIR
import assert from "node:assert/strict";
import { copyFileSync, cpSync, mkdirSync, mkdtempSync, readFileSync, renameSync, rmSync, writeFileSync }
  from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { answering, evaluate, freePort, launch, open, serve, started, tap, type } from "./browser.mjs";
import { failures, frames, readFrames, referenceRows, suggestions } from "./test_frames.mjs";
import { cacheDigest, copyRelease, coreFiles, keptFiles } from "./test_release.mjs";

const [dist, referenceFile, screenshots] = process.argv.slice(2);
await readFrames(dist);
const results = Object.values(frames).map((frame) => frame.result);
const core = coreFiles(dist);

const rows = referenceRows(referenceFile);
const firstRowOf = (frame) => rows.find((row) => row.frame === frame);

const server = await serve(dist);
const origin = server.origin;
const browser = await launch();

// What every tab and the service worker ask for, and what the page reports as wrong: a script's
// exception, an error or a warning on the console (a policy's refusal is one).
const requests = [];
const problems = [];
const exceptions = [];
browser.attached(async (session) => {
  const kind = session.target.type;
  session.on("Network.requestWillBeSent", ({ request }) => requests.push({ kind, url: request.url }));
  session.on("Runtime.exceptionThrown", ({ exceptionDetails }) => {
    const exception = `${kind}: ${exceptionDetails.exception?.description ?? exceptionDetails.text}`;
    problems.push(exception);
    exceptions.push(exception);
  });
  session.on("Log.entryAdded", ({ entry }) => {
    if (entry.level === "error" || entry.level === "warning") problems.push(`${kind}: ${entry.text}`);
  });
  await session.send("Network.enable");
  await session.send("Runtime.enable");
  await session.send("Log.enable");
});

const page = await browser.newPage();
await page.send("Page.enable");

// A phone of 360 × 640 CSS pixels, touch only; or a desktop's window of 1280 × 800.
async function screen(width, height, mobile) {
  await page.send("Emulation.setDeviceMetricsOverride",
    { width, height, deviceScaleFactor: 1, mobile });
  await page.send("Emulation.setTouchEmulationEnabled", { enabled: true, maxTouchPoints: 5 });
}
await screen(360, 640, true);
await open(page, `${origin}/`);

after(async () => {
  await browser.close();
  await server.stop();
});

const js = (value) => JSON.stringify(value);

// Counts every write to a result box (the page sets its text), so that a result shown again
// with the same digits still counts as computed anew.
const countWrites = `(() => {
  window.writes = {};
  for (const id of ${js(results)}) {
    window.writes[id] = 0;
    new MutationObserver(() => ++window.writes[id])
      .observe(document.getElementById(id), { childList: true, characterData: true, subtree: true });
  }
})()`;
await evaluate(page, countWrites);
const state = () => evaluate(page, `({
  values: Object.fromEntries(${js(results)}.map((id) => [id, document.getElementById(id).value])),
  writes: { ...window.writes },
  failures: [...document.querySelectorAll(".failure")].filter((slot) => slot.checkVisibility())
    .map((slot) => slot.id),
  focus: document.activeElement?.id ?? "",
  shown: [...document.querySelectorAll(".frame:not([hidden])")].map((frame) => frame.id),
})`);

let inView = 1;
async function showFrame(frame) {
  if (inView !== frame) await tap(page, `${frames[frame].frame}-tab`);
  inView = frame;
}
async function fill(frame, texts) {
  await showFrame(frame);
  // A null text leaves its box as it is.
  for (const [i, id] of frames[frame].inputs.entries())
    if (texts[i] !== null) await type(page, id, texts[i]);
}

// Types the texts, taps the frame's button (or presses Enter) and returns the page's state before
// and after. The page leaves a box that shows the same digits as they were, so with BLANK the
// test empties the frame's result box first: a result equal to the one before still shows anew.
async function compute(frame, texts, { how = "tap", blank = false } = {}) {
  await fill(frame, texts);
  if (blank) await evaluate(page, `document.getElementById(${js(frames[frame].result)}).value = ""`);
  const earlier = await state();
  if (how === "tap") await tap(page, frames[frame].button);
  else await pressEnter();
  await evaluate(page, "new Promise((resolve) => setTimeout(resolve))");
  return [earlier, await state()];
}
async function pressEnter() {
  const key = { key: "Enter", code: "Enter", windowsVirtualKeyCode: 13 };
  await page.send("Input.dispatchKeyEvent", { type: "keyDown", text: "\r", ...key });
  await page.send("Input.dispatchKeyEvent", { type: "keyUp", ...key });
}

// The result box of ROW's frame was written once, with the row's weight, and no other box was.
function assertComputed(row, earlier, now) {
  assert.equal(now.values[row.result], row.weight);
  for (const id of results) {
    assert.equal(now.writes[id] - earlier.writes[id], id === row.result ? 1 : 0, `writes to ${id}`);
  }
  assert.deepEqual(now.failures, []);
}

describe("every reference weight typed and tapped", () => {
  test("the file is read", () => assert.ok(rows.length > 100, `${rows.length} rows`));
  for (const row of rows) {
    test(`${frames[row.frame].frame}: ${row.texts.join(" ")} -> ${row.weight}`, async () => {
      const [earlier, now] = await compute(row.frame, row.texts, { blank: true });
      assertComputed(row, earlier, now);
      assert.deepEqual(now.shown, [frames[row.frame].frame], "one frame in view");
    });
  }
});

// Where the failure sits, what it says and what has the focus.
const failureSeen = (field) => evaluate(page, `(() => {
  const field = document.getElementById(${js(field)});
  const slot = document.getElementById(${js(`${field}-failure`)});
  const box = field.getBoundingClientRect(), above = slot.getBoundingClientRect();
  const button = slot.querySelector("button");
  return {
    message: slot.firstChild?.nodeType === Node.TEXT_NODE ? slot.firstChild.data : null,
    button: button ? { id: button.id, text: button.textContent } : null,
    gap: box.top - above.bottom,
    overlap: Math.min(box.right, above.right) - Math.max(box.left, above.left),
    invalid: field.getAttribute("aria-invalid"),
    described: field.getAttribute("aria-describedby"),
    selected: [field.selectionStart, field.selectionEnd, field.value.length],
  };
})()`);

describe("each kind of failure beside its field, in the window's words", () => {
  // Every frame shows an earlier result, which no failure may touch.
  before(async () => {
    for (const frame of Object.keys(frames).map(Number)) await compute(frame, firstRowOf(frame).texts);
  });
  for (const [name, frame, texts, field, message, choice] of failures) {
    test(`${name}: ${field}`, async () => {
      const [earlier, now] = await compute(frame, texts);
      assert.deepEqual(now.values, earlier.values, "every result as it was");
      assert.deepEqual(now.writes, earlier.writes, "no result box written");
      assert.deepEqual(now.failures, [`${field}-failure`], "one failure shown, at its field");
      assert.equal(now.focus, field, "the focus on the field to correct");
      const seen = await failureSeen(field);
      assert.equal(seen.message, message);
      assert.deepEqual(seen.button, choice && { id: `${field}-suggestion`, text: choice });
      assert.ok(seen.gap >= 0 && seen.gap <= 12, `right above the field (${seen.gap} px)`);
      assert.ok(seen.overlap > 0, "in the field's column");
      assert.equal(seen.invalid, "true");
      assert.equal(seen.described, `${field}-failure`);
      const [start, end, length] = seen.selected;
      assert.deepEqual([start, end], [0, length], "its text selected, so typing replaces it");
    });
  }
});

describe("a suggestion taken", () => {
  for (const [frame, typed, listed] of suggestions) {
    test(`${typed} -> ${listed}, then weighed`, async () => {
      const [model] = frames[frame].inputs;
      const row = rows.find((r) => r.frame === frame && r.texts[0] === listed);
      assert.ok(row, `a reference row for ${listed}`);
      const [, failed] = await compute(frame, [typed, row.texts[1]], { blank: true });
      assert.deepEqual(failed.failures, [`${model}-failure`]);
      await tap(page, `${model}-suggestion`);
      const now = await state();
      assertComputed(row, failed, now);
      assert.equal(await evaluate(page, `document.getElementById(${js(model)}).value`), listed);
      assert.equal(await evaluate(page, `document.getElementById(${js(model)}).hasAttribute("aria-invalid")`), false);
      assert.equal(now.focus, frames[frame].button, "the focus back on the frame's button");
    });
  }
});

// Each frame keeps its own failure: a suggestion left showing while another frame is computed
// is still taken when its frame is back in view.
test("a suggestion left in one frame is taken after another frame's result", async () => {
  const row = rows.find((r) => r.frame === 5 && r.texts[0] === "20×3");
  const [, failed] = await compute(5, ["20x3", row.texts[1]], { blank: true });
  assert.deepEqual(failed.failures, ["dj1-failure"]);
  const other = rows.find((r) => r.frame === 6);
  const [, afterOther] = await compute(6, other.texts, { blank: true });
  await showFrame(5);
  await tap(page, "dj1-suggestion");
  assertComputed(row, afterOther, await state());
});

// The combo boxes' lists, in printed order: the reference file's "list" rows, and the densities.
const lists = readFileSync(referenceFile, "utf8").split("\n").filter((line) => line.startsWith("list "))
  .map((line) => line.split(" ").slice(1)).concat([["Combo1", "7.8", "7.85", "7.87", "7.9"]]);

describe("each list offers its whole list, the box's text marked", () => {
  for (const [combo, ...items] of lists) {
    const frame = Object.keys(frames).map(Number).find((n) => frames[n].inputs.includes(combo));
    test(`${combo}: ${items.length} items whatever is typed; a pick is weighed`, async () => {
      const listed = () => evaluate(page, `(() => {
        const list = document.getElementById(${js(`${combo}-list`)});
        return { value: list.value, items: [...list.options].filter((o) => !o.disabled).map((o) => o.text) };
      })()`);
      await showFrame(frame);
      await type(page, combo, items[1]);
      assert.deepEqual(await listed(), { value: items[1], items }, "typed and listed: marked");
      await type(page, combo, `${items[1]}?`);
      assert.deepEqual(await listed(), { value: "", items }, "typed, not listed: the placeholder");
      const at = frames[frame].inputs.indexOf(combo);
      const row = rows.find((r) => r.frame === frame && r.texts[at] === items.at(-1));
      assert.ok(row, `a reference row with ${items.at(-1)}`);
      await evaluate(page, `(() => {
        const list = document.getElementById(${js(`${combo}-list`)});
        list.value = ${js(items.at(-1))};
        list.dispatchEvent(new Event("change"));
      })()`);
      const [earlier, now] = await compute(frame, row.texts.map((text, i) => (i === at ? null : text)),
        { blank: true });
      assert.equal(await evaluate(page, `document.getElementById(${js(combo)}).value`), items.at(-1));
      assertComputed(row, earlier, now);
    });
  }
});

describe("Enter computes the frame in view", () => {
  for (const frame of [1, 4, 7]) {
    const row = rows.filter((r) => r.frame === frame).at(-1);
    test(`${frames[frame].frame}: Enter in ${frames[frame].inputs.at(-1)}`, async () => {
      const [earlier, now] = await compute(frame, row.texts, { how: "enter", blank: true });
      assertComputed(row, earlier, now);
    });
  }
});

describe("typed as phones type", () => {
  test("a pasted number's invisible blanks are read past", async () => {
    const [earlier, now] = await compute(1, ["1000\u00a0", "\u200b500", "\ufeff10", "7.85"],
      { blank: true });
    assertComputed({ result: "jieguo1", weight: "39.25" }, earlier, now);
  });

  test("the keyboard's next key moves to the next box, computing nothing", async () => {
    await showFrame(1);
    await type(page, "chang1", "1000");
    const earlier = await state();
    await pressEnter();
    const now = await state();
    assert.deepEqual([now.focus, now.failures, now.writes], ["chang2", [], earlier.writes]);
  });
});

// The live region's words as they change, kept from now on in window.said.
const listen = () => evaluate(page, `(() => {
  window.said = [];
  const spoken = document.getElementById("spoken");
  new MutationObserver(() => spoken.textContent && said.push(spoken.textContent))
    .observe(spoken, { childList: true, characterData: true, subtree: true });
})()`);
const pause = (ms) => evaluate(page, `new Promise((resolve) => setTimeout(resolve, ${ms}))`);

// sRGB's contrast ratio of two computed colours, "rgb(r, g, b)".
function contrast(a, b) {
  const luminance = (colour) => {
    const [r, g, b] = colour.match(/[\d.]+/g).slice(0, 3).map((c) => {
      const v = Number(c) / 255;
      return v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  };
  const [light, dark] = [luminance(a), luminance(b)].sort((x, y) => y - x);
  return (light + 0.05) / (dark + 0.05);
}

describe("for every reader", () => {
  test("each result and failure is said once, a repeated one too", async () => {
    await pause(300);
    await listen();
    const row = firstRowOf(2);
    const failure = failures.find(([name]) => name === "not a number");
    for (const texts of [failure[2], failure[2], row.texts, row.texts]) {
      await compute(2, texts);
      await pause(300);
    }
    const result = `圆钢重量结果 ${row.weight}`;
    assert.deepEqual(await evaluate(page, "said"), [failure[4], failure[4], result, result]);
  });

  test("the focus ring contrasts 3:1 with white and with every frame's tint", async () => {
    for (const frame of Object.keys(frames).map(Number)) {
      await showFrame(frame);
      const [ring, tint] = await evaluate(page, `(() => {
        const box = document.getElementById(${js(frames[frame].inputs[0])});
        box.focus();
        return [getComputedStyle(box).outlineColor,
          getComputedStyle(document.getElementById("${frames[frame].frame}")).backgroundColor];
      })()`);
      for (const behind of [tint, "rgb(255, 255, 255)"])
        assert.ok(contrast(ring, behind) >= 3, `${frames[frame].frame}: ${ring} on ${behind}`);
    }
  });

  // The keyboard leaves the phone 300 px of its 640, and the box with the focus sits right on it.
  test("a failure shows where the rising keyboard leaves it in view", async () => {
    await screen(360, 300, true);
    try {
      await compute(1, ["1000", "500", "", "7.85"]);
      const [top, bottom, height] = await evaluate(page, `(() => {
        const box = document.getElementById("chang3");
        scrollBy(0, box.getBoundingClientRect().bottom - innerHeight);
        const slot = document.getElementById("chang3-failure").getBoundingClientRect();
        return [slot.top, slot.bottom, innerHeight];
      })()`);
      assert.ok(top >= 0 && bottom <= height, `the failure at ${top}–${bottom} px of ${height}`);
    } finally {
      await screen(360, 640, true);
    }
  });

  // Light only, as the engine reads it: a forced dark mode must leave the frames' colours alone.
  // (Chromium's own forced dark mode, as the DevTools protocol turns it on, ignores every page's
  // choice, so the pixels cannot tell.)
  test("the page's colours are light only", async () => {
    assert.equal(await evaluate(page, "getComputedStyle(document.documentElement).colorScheme"),
      "light only");
  });
});

test("no script error and no refused load so far", () => assert.deepEqual(problems, []));

// Every element inside the window's width, and every target of a finger at least 44 px square.
const layout = () => evaluate(page, `(() => {
  const visible = [...document.querySelectorAll("body *")].filter((e) => e.getClientRects().length);
  const outside = visible.filter((e) => {
    const box = e.getBoundingClientRect();
    return box.left < -0.5 || box.right > innerWidth + 0.5;
  }).map((e) => e.id || e.tagName);
  const small = visible.filter((e) => e.matches("button, input, a, select, [role=tab]"))
    .filter((e) => { const box = e.getBoundingClientRect(); return box.width < 44 || box.height < 44; })
    .map((e) => e.id || e.tagName);
  // Text wider than its box, and boxes side by side or one above the other that overlap.
  const cut = visible.filter((e) => e.matches("p, label, h2, output, button, [role=tab]"))
    .filter((e) => e.scrollWidth > e.clientWidth + 1).map((e) => e.id || e.tagName);
  const overlapping = [];
  for (const group of document.querySelectorAll("header, .tabs, .field, .pick, .answer")) {
    const parts = [...group.children].filter((e) => e.getClientRects().length);
    parts.forEach((a, i) => parts.slice(i + 1).forEach((b) => {
      const [p, q] = [a.getBoundingClientRect(), b.getBoundingClientRect()];
      const width = Math.min(p.right, q.right) - Math.max(p.left, q.left);
      const height = Math.min(p.bottom, q.bottom) - Math.max(p.top, q.top);
      if (width > 1 && height > 1) overlapping.push((a.id || a.tagName) + " " + (b.id || b.tagName));
    }));
  }
  return { scroll: document.documentElement.scrollWidth, width: innerWidth, outside, small, cut,
    overlapping };
})()`);

// What axe-core (pinned in package-lock.json) finds wrong for people using assistive technology:
// "rule: element, element" for each rule broken.
const axe = readFileSync(new URL("node_modules/axe-core/axe.min.js", import.meta.url), "utf8");
const accessibility = async () => {
  if (!(await evaluate(page, "typeof axe !== 'undefined'"))) await evaluate(page, axe);
  return evaluate(page, `axe.run(document, { resultTypes: ["violations"] }).then(({ violations }) =>
    violations.map((v) => v.id + ": " + v.nodes.map((node) => node.target.join(" ")).join(", ")))`);
};

async function screenshot(name) {
  const { data } = await page.send("Page.captureScreenshot", { format: "png" });
  mkdirSync(screenshots, { recursive: true });
  writeFileSync(`${screenshots}/${name}.png`, Buffer.from(data, "base64"));
}

const screens = [
  ["phone", 360, 640, true],
  ["desktop", 1280, 800, false],
];

describe("the layout of a phone and of a desktop", () => {
  for (const [name, width, height, mobile] of screens) {
    describe(`${name}: ${width} × ${height}`, () => {
      before(() => screen(width, height, mobile));
      for (const frame of Object.keys(frames).map(Number)) {
        test(`${frames[frame].frame} fits, its targets large enough, nothing for axe-core`, async () => {
          await compute(frame, firstRowOf(frame).texts);
          const seen = await layout();
          assert.ok(seen.scroll <= seen.width, `no sideways scrolling: ${seen.scroll} > ${seen.width}`);
          assert.deepEqual(seen.outside, [], "beyond the window's width");
          assert.deepEqual(seen.small, [], "under 44 px");
          assert.deepEqual(await accessibility(), []);
        });
      }
      for (const [kind, frame, texts] of failures.filter(([, , , , , choice]) => choice)
        .concat(failures.filter(([kind]) => kind === "a long text cut"))) {
        test(`a failure shown fits, nothing for axe-core: ${kind}`, async () => {
          await compute(frame, texts);
          const seen = await layout();
          assert.ok(seen.scroll <= seen.width, `no sideways scrolling: ${seen.scroll} > ${seen.width}`);
          assert.deepEqual(seen.outside, []);
          assert.deepEqual(seen.small, []);
          assert.deepEqual(await accessibility(), []);
        });
      }
      test("a screenshot with a result", async () => {
        const row = rows.find((r) => r.frame === 1 && r.weight.length >= 15);
        await compute(1, row.texts);
        await page.send("Page.bringToFront");
        await evaluate(page, "scrollTo(0, 0), document.activeElement.blur()");
        await screenshot(`page-${width}x${height}`);
        assert.equal((await state()).values.jieguo1, row.weight);
      });
    });
  }
});

// The reader's own text size is the page's; at the narrowest phone and at twice the text, nothing
// is cut, overlaps or needs sideways scrolling, a long failure included.
describe("the reader's text size, and reflow at 320 px and at 200 % text", () => {
  after(async () => {
    await page.send("Page.setFontSizes", { fontSizes: { standard: 16 } });
    await screen(360, 640, true);
  });
  const shown = failures.filter(([name]) => ["a long text cut", "unknown model, with a suggestion"]
    .includes(name));
  for (const [size, width] of [[20, 360], [16, 320], [32, 320]]) {
    test(`${size} px text at ${width} px`, async () => {
      await page.send("Page.setFontSizes", { fontSizes: { standard: size } });
      await screen(width, 640, true);
      assert.equal(await evaluate(page, "getComputedStyle(document.documentElement).fontSize"),
        `${size}px`);
      for (const [name, frame, texts] of [...shown, ["a result", 1, firstRowOf(1).texts]]) {
        await compute(frame, texts);
        const seen = await layout();
        assert.ok(seen.scroll <= seen.width, `${name}: sideways scrolling ${seen.scroll} > ${seen.width}`);
        assert.deepEqual([seen.outside, seen.cut, seen.overlapping], [[], [], []], name);
      }
    });
  }
});

describe("offline after one visit", () => {
  test("the service worker is active and controls the page", async () => {
    assert.equal(await evaluate(page,
      "navigator.serviceWorker.ready.then((registration) => registration.active.state)"), "activated");
    await evaluate(page, `new Promise((resolve) => navigator.serviceWorker.controller
      ? resolve() : navigator.serviceWorker.addEventListener("controllerchange", resolve))`);
  });

  test("with the server stopped and the network off, the page reloads and computes", async () => {
    await server.stop();
    await page.send("Network.emulateNetworkConditions",
      { offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
    // A file the worker does not keep cannot be had: the network is truly off.
    assert.equal(await evaluate(page, "fetch('icon-192.png').then(() => 'fetched', () => 'failed')"),
      "failed");
    const served = new Map();
    page.on("Network.responseReceived", ({ response }) =>
      served.set(new URL(response.url).pathname, response.fromServiceWorker));
    await open(page);
    inView = Number((await evaluate(page, "location.hash")).slice("#Frame".length));
    for (const file of ["/", "/app.js", `/${core.script}`, `/${core.wasm}`, "/style.css"])
      assert.equal(served.get(file), true, `${file} from the service worker`);
    await evaluate(page, countWrites);
    for (const frame of Object.keys(frames).map(Number)) {
      const row = rows.filter((r) => r.frame === frame).at(-1);
      const [earlier, now] = await compute(frame, row.texts, { blank: true });
      assertComputed(row, earlier, now);
    }
  });
});

describe("nothing from another origin, nothing stored", () => {
  test("every request, the page's and the worker's, was to this origin", () => {
    const foreign = requests.filter(({ url }) => !url.startsWith(`${origin}/`));
    assert.deepEqual(foreign, []);
    const asked = (kind) => new Set(requests.filter((r) => r.kind === kind)
      .map((r) => new URL(r.url).pathname));
    for (const file of ["/", "/app.js", `/${core.wasm}`]) assert.ok(asked("page").has(file), file);
    assert.ok(asked("service_worker").has(`/${core.wasm}`), "the worker's requests are seen");
    // The worker's own script is fetched by the browser, seen only by the server.
    assert.ok(server.requests.includes("/sw.js"));
  });

  // Asked of the page as a script injected into it would ask: each refused by the page's own
  // policy, which the browser reports, whether or not the network is there.
  test("the page's policy refuses another origin's script, style, image, fetch and form", async () => {
    const other = "http://localhost:9";
    const refused = await evaluate(page, `new Promise((resolve) => {
      const seen = [];
      addEventListener("securitypolicyviolation", (event) =>
        seen.push(event.effectiveDirective + " " + event.blockedURI));
      const element = (tag, attributes) =>
        document.head.append(Object.assign(document.createElement(tag), attributes));
      element("script", { src: "${other}/a.js" });
      element("link", { rel: "stylesheet", href: "${other}/a.css" });
      element("img", { src: "${other}/a.png" });
      element("script", { textContent: "document.title = 'inline';" });
      fetch("${other}/a").catch(() => {});
      const form = document.createElement("form");
      Object.assign(form, { action: "${other}/a", method: "post" });
      document.body.append(form);
      form.submit();
      setTimeout(() => resolve(seen.sort()), 500);
    })`);
    assert.deepEqual(refused, [
      `connect-src ${other}/a`, `form-action ${other}/a`, `img-src ${other}/a.png`,
      `script-src-elem ${other}/a.js`, "script-src-elem inline", `style-src-elem ${other}/a.css`,
    ]);
    assert.notEqual(await evaluate(page, "document.title"), "inline");
  });

  test("no cookie", async () => {
    assert.equal(await evaluate(page, "document.cookie"), "");
    assert.deepEqual((await page.send("Network.getCookies", { urls: [origin] })).cookies, []);
  });

  test("no web storage, no database", async () => {
    assert.equal(await evaluate(page, "localStorage.length + sessionStorage.length"), 0);
    assert.deepEqual(await evaluate(page, "indexedDB.databases()"), []);
    const { usageBreakdown } = await page.send("Storage.getUsageAndQuota", { origin });
    const used = usageBreakdown.filter((entry) => entry.usage > 0).map((entry) => entry.storageType);
    assert.deepEqual(used.filter((kind) => !["cache_storage", "service_workers"].includes(kind)), []);
  });

  test("one cache, the service worker's, holding its files alone", async () => {
    const name = `hengtiebao ${origin}/ ${cacheDigest(dist)}`;
    const files = keptFiles(dist);
    assert.deepEqual(await evaluate(page, "caches.keys()"), [name]);
    const kept = await evaluate(page, `caches.open(${js(name)})
      .then((cache) => cache.keys()).then((keys) => keys.map((key) => new URL(key.url).pathname))`);
    assert.deepEqual(kept.sort(), files.map((file) => `/${file}`).sort());
  });
});

// The value of EXPRESSION in TAB once it is truthy, asked again through reloads and navigations
// (which end the page it was asked of) for up to 30 s.
async function until(tab, expression) {
  const end = Date.now() + 30000;
  for (;;) {
    const value = await evaluate(tab, expression).catch(() => undefined);
    if (value) return value;
    if (Date.now() > end) throw new Error(`not within 30 s: ${expression}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}
const controlled = (tab) => until(tab, "navigator.serviceWorker.controller !== null && " +
  "document.documentElement.hasAttribute('data-ready')");
// TAB's page loaded, of the release MARK ("first" for the built page, unmarked).
const onRelease = (tab, mark) => until(tab, "document.documentElement.hasAttribute('data-ready') && " +
  `(document.documentElement.dataset.release ?? "first") === ${js(mark)}`);

// Types ROW's texts into its frame of TAB (in view or not), taps its button and waits for the
// row's weight.
async function weigh(tab, row) {
  await evaluate(tab, `(() => {
    const texts = ${js(row.texts)};
    ${js(frames[row.frame].inputs)}.forEach((id, i) => (document.getElementById(id).value = texts[i]));
    document.getElementById(${js(row.result)}).value = "";
    document.getElementById("${frames[row.frame].button}").click();
  })()`);
  return until(tab, `document.getElementById(${js(row.result)}).value`);
}

describe("over time: releases, a failed load, an early tap", () => {
  const site = mkdtempSync(join(tmpdir(), "hengtiebao-site-"));
  const row = rows.find((r) => r.frame === 2);
  const copy = (folder, mark) => copyRelease(dist, folder, mark);
  const cacheNames = (tab) => evaluate(tab, "caches.keys()");
  const servers = [];
  const tabs = [];
  async function tabOn(folder, start = serve) {
    const server = await start(folder);
    const tab = await browser.newPage({ isolated: true });
    await tab.send("Page.enable");
    servers.push(server);
    tabs.push(tab);
    return [server, tab];
  }
  after(async () => {
    for (const tab of tabs) await browser.closePage(tab);
    for (const server of servers) await server.stop();
    rmSync(site, { recursive: true, force: true });
  });

  // Served as common hosting does, each file kept an hour by the browser, and as the page's nginx
  // configuration serves it: the next release must still reach the phone whole, and a second copy
  // on the same origin keep its offline use.
  const hosts = {
    "each file kept an hour": (folder) => serve(folder, { maxAge: 3600 }),
    "nginx": (folder) => nginx(folder, `${dist}/nginx.conf`),
  };
  for (const [host, start] of Object.entries(hosts)) {
    test(`the next release replaces the first whole, online and offline, beside another copy (${host})`, async () => {
      const root = `${site}/${Object.keys(hosts).indexOf(host)}`;
      copy(`${root}/a`);
      copy(`${root}/b`);
      copy(`${root}/next`, "next");
      const [server, tab] = await tabOn(root, start);
      await open(tab, `${server.origin}/b/`);
      await controlled(tab);
      await open(tab, `${server.origin}/a/`);
      await controlled(tab);
      const first = await cacheNames(tab);
      assert.equal(first.length, 2, "a cache for each copy");
      rmSync(`${root}/a`, { recursive: true });
      renameSync(`${root}/next`, `${root}/a`);
      await evaluate(tab, "location.reload()");
      await onRelease(tab, "next");
      const now = await cacheNames(tab);
      assert.equal(now.length, 2, `the first release's cache gone, the other copy's kept: ${now}`);
      assert.ok(now.includes(first.find((name) => name.includes("/b/"))), "the other copy's cache");
      assert.ok(!now.includes(first.find((name) => name.includes("/a/"))), "a new cache for the next");
      // Nothing of the first release's core in the page or in its cache.
      const next = coreFiles(`${root}/a`);
      const loaded = await evaluate(tab, `performance.getEntriesByType("resource")
        .map((entry) => new URL(entry.name).pathname).filter((path) => path.includes("/hengtiebao"))`);
      assert.deepEqual([...new Set(loaded)].sort(), [`/a/${next.script}`, `/a/${next.wasm}`].sort());
      const cached = await evaluate(tab, `caches.open(${js(now.find((name) => name.includes("/a/")))})
        .then((cache) => cache.keys()).then((keys) => keys.map((key) => new URL(key.url).pathname))`);
      assert.deepEqual(cached.sort(), keptFiles(`${root}/a`).map((file) => `/a/${file}`).sort());
      assert.equal(await weigh(tab, row), row.weight);

      await server.stop();
      await tab.send("Network.emulateNetworkConditions",
        { offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
      await open(tab);
      await onRelease(tab, "next");
      assert.equal(await weigh(tab, row), row.weight);
      await open(tab, `${server.origin}/b/`);
      await onRelease(tab, "first");
      assert.equal(await weigh(tab, row), row.weight);
    });
  }

  // A visit with nothing new costs the server nothing beyond what the browser asks itself: the
  // worker's script, to learn whether a release has come.
  test("an ordinary visit asks for nothing but the worker's script", async () => {
    copy(`${site}/same`);
    const [server, tab] = await tabOn(`${site}/same`);
    await open(tab, `${server.origin}/`);
    await controlled(tab);
    const before = server.requests.length;
    await open(tab);
    const row = rows.find((r) => r.frame === 3);
    assert.equal(await weigh(tab, row), row.weight);
    assert.deepEqual(server.requests.slice(before).filter((path) => path !== "/sw.js"), []);
  });

  test("a core that cannot load is told in every frame; the retry loads it", async () => {
    copy(`${site}/broken`);
    renameSync(`${site}/broken/${core.wasm}`, `${site}/wasm`);
    const [server, tab] = await tabOn(`${site}/broken`);
    const before = exceptions.length;
    await tab.send("Page.navigate", { url: `${server.origin}/` });
    await until(tab, "document.getElementById('Frame2-retry')");
    // The worker's install fails with the file missing, as it must (the browser reports it as
    // the worker's error); nothing else may be thrown.
    for (const end = Date.now() + 10000; exceptions.length === before && Date.now() < end;)
      await new Promise((resolve) => setTimeout(resolve, 50));
    assert.deepEqual(exceptions.splice(before).map((exception) => exception.split("\n")[0]),
      [`service_worker: Error: ${core.wasm}: not this release's bytes`]);
    const told = await evaluate(tab, `[...document.querySelectorAll(".frame")].map((frame) => {
      const slot = document.getElementById(frame.id + "-failure");
      return [slot.hidden, slot.firstChild.data, document.getElementById(frame.id + "-retry").textContent];
    })`);
    assert.equal(told.length, Object.keys(frames).length);
    for (const seen of told) assert.deepEqual(seen, [false, "计算程序未能载入，请检查网络后重试。", "重试"]);
    // A tap now changes nothing and throws nothing.
    await evaluate(tab, "document.getElementById('Command1').click()");
    assert.equal(await evaluate(tab, "document.getElementById('jieguo1').value"), "");
    renameSync(`${site}/wasm`, `${site}/broken/${core.wasm}`);
    await evaluate(tab, "document.getElementById('Frame1-retry').click()");
    await onRelease(tab, "first");
    assert.equal(await weigh(tab, row), row.weight);
  });

  test("a tap before the script and the core have arrived is answered once they have", async () => {
    const [server, tab] = await tabOn(dist);
    const script = server.hold("/app.js");
    const wasm = server.hold(`/${core.wasm}`);
    await tab.send("Page.navigate", { url: `${server.origin}/#Frame2` });
    assert.equal(await until(tab, "document.getElementById('Command2')?.disabled && 'disabled'"),
      "disabled", "not ready before the script has run");
    assert.equal(await evaluate(tab, "document.getElementById('loading').checkVisibility()"), true,
      "the loading word seen");
    script();
    await until(tab, "document.getElementById('Command2').disabled === false");
    await until(tab, "!document.getElementById('Frame2').hidden");
    for (const [i, id] of frames[2].inputs.entries()) await type(tab, id, row.texts[i]);
    await tap(tab, "Command2");
    assert.equal(await evaluate(tab, "document.getElementById('yuan3').value"), "");
    assert.equal(await evaluate(tab, "document.getElementById('loading').checkVisibility()"), true);
    wasm();
    assert.equal(await until(tab, "document.getElementById('yuan3').value"), row.weight);
    assert.equal(await evaluate(tab, "document.getElementById('loading').hidden"), true);
  });

  const offline = (tab) => tab.send("Network.emulateNetworkConditions",
    { offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
  const online = (tab) => tab.send("Network.emulateNetworkConditions",
    { offline: false, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
  // A release's worker that refused what a host served it: reported as the worker's error, which
  // is no fault of the page's; taken off the exceptions seen since BEFORE.
  const refusedInstalls = (before) => exceptions.splice(before)
    .filter((exception) => !/^service_worker: Error: \S+: not this release's bytes\n/.test(exception));

  test("a host that redirects index.html to the folder: the page opens again, online and offline", async () => {
    copy(`${site}/redirecting`);
    const redirect = `location = /index.html {
      if ($request_uri ~ "^/index[.]html") { return 301 /; } }`;
    const [server, tab] = await tabOn(`${site}/redirecting`,
      (folder) => nginx(folder, `${dist}/nginx.conf`, redirect));
    assert.equal((await fetch(`${server.origin}/index.html`, { redirect: "manual" })).status, 301);
    await open(tab, `${server.origin}/`);
    await controlled(tab);
    for (const visit of ["second", "third"]) {
      await open(tab, `${server.origin}/?visit=${visit}`);
      assert.equal(await weigh(tab, row), row.weight, `the ${visit} visit`);
    }
    await server.stop();
    await offline(tab);
    await open(tab, `${server.origin}/`);
    assert.equal(await weigh(tab, row), row.weight, "offline");
  });

  // The next release's worker and core on the host before its page and script: its worker is not
  // installed, the first release keeps the phone, offline too; once the deploy is whole, the next.
  test("a deploy served half-old, half-new is not installed; the whole one is", async () => {
    const root = `${site}/half`;
    copy(root);
    copy(`${site}/half-next`, "next");
    const [server, tab] = await tabOn(root, (folder) => nginx(folder, `${dist}/nginx.conf`));
    await open(tab, `${server.origin}/`);
    await controlled(tab);
    const before = exceptions.length;
    for (const file of ["sw.js", ...Object.values(coreFiles(`${site}/half-next`))])
      copyFileSync(`${site}/half-next/${file}`, `${root}/${file}`);
    // The browser's update check, as on a visit, until its install has ended.
    await evaluate(tab, "navigator.serviceWorker.getRegistration().then((r) => r.update())");
    await until(tab, "navigator.serviceWorker.getRegistration().then((r) => !r.installing)");
    await open(tab);
    await onRelease(tab, "first");
    assert.equal(await weigh(tab, row), row.weight, "online, half deployed");
    // Offline, with the browser's HTTP cache emptied: only the worker's cache holds the core.
    await tab.send("Network.clearBrowserCache");
    await offline(tab);
    await open(tab);
    await onRelease(tab, "first");
    assert.equal(await weigh(tab, row), row.weight, "offline, half deployed");
    await online(tab);
    cpSync(`${site}/half-next`, root, { recursive: true });
    await open(tab);
    await onRelease(tab, "next");
    assert.equal(await weigh(tab, row), row.weight, "the whole deploy");
    assert.deepEqual(refusedInstalls(before), []);
  });

  test("a cache the browser has evicted: the page opens from the network and keeps itself again", async () => {
    copy(`${site}/evicted`);
    const [server, tab] = await tabOn(`${site}/evicted`);
    await open(tab, `${server.origin}/`);
    await controlled(tab);
    await evaluate(tab, "caches.keys().then((names) => Promise.all(names.map((n) => caches.delete(n))))");
    await open(tab);
    assert.equal(await weigh(tab, row), row.weight, "online, from the network");
    const kept = keptFiles(dist).length;
    await until(tab, `caches.keys().then((names) => names.length === 1 && caches.open(names[0]))
      .then((cache) => cache && cache.keys()).then((keys) => keys && keys.length === ${kept})`);
    await server.stop();
    await offline(tab);
    await open(tab);
    assert.equal(await weigh(tab, row), row.weight, "offline, from the cache kept again");
  });

  test("the page at a site's root answers for its own addresses alone", async () => {
    copy(`${site}/rooted`);
    mkdirSync(`${site}/rooted/notes`);
    writeFileSync(`${site}/rooted/notes/index.html`, "<!DOCTYPE html><title>notes</title>");
    const [server, tab] = await tabOn(`${site}/rooted`);
    await open(tab, `${server.origin}/?from=link#Frame2`);
    await controlled(tab);
    await open(tab, `${server.origin}/index.html?x=1`);
    assert.equal(await weigh(tab, row), row.weight, "the page, with a query");
    await tab.send("Page.navigate", { url: `${server.origin}/notes/` });
    assert.equal(await until(tab, "document.title === 'notes' && document.title"), "notes");
  });

  test("a new release never takes typed text: it waits for 更新", async () => {
    copy(`${site}/typed/a`);
    copy(`${site}/typed/next`, "next");
    const [server, tab] = await tabOn(`${site}/typed`);
    await open(tab, `${server.origin}/a/`);
    await controlled(tab);
    await type(tab, "chang1", "1000");
    rmSync(`${site}/typed/a`, { recursive: true });
    renameSync(`${site}/typed/next`, `${site}/typed/a`);
    await evaluate(tab, "navigator.serviceWorker.getRegistration().then((r) => r.update())");
    await until(tab, "navigator.serviceWorker.getRegistration().then((r) => r.waiting !== null)");
    await until(tab, "document.getElementById('update').checkVisibility()");
    await new Promise((resolve) => setTimeout(resolve, 3000));
    assert.deepEqual(await evaluate(tab, `[document.getElementById("chang1").value,
      document.activeElement.id, document.documentElement.dataset.release ?? "first"]`),
    ["1000", "chang1", "first"], "the typed text, the focus and the release as they were");
    assert.equal(await evaluate(tab, "document.getElementById('update').textContent"), "新版本已就绪。更新");
    await tap(tab, "update-now");
    await onRelease(tab, "next");
    assert.equal(await weigh(tab, row), row.weight);
  });

  test("a browser that refuses WebAssembly is told so, without a retry", async () => {
    const [server, tab] = await tabOn(dist,
      (folder) => serve(folder, { headers: { "Content-Security-Policy": "script-src 'self'" } }));
    await tab.send("Page.navigate", { url: `${server.origin}/` });
    await until(tab, "!document.getElementById('Frame1-failure').hidden");
    assert.deepEqual(await evaluate(tab, `[document.getElementById("Frame1-failure").textContent,
      document.getElementById("loading").hidden]`),
    ["此浏览器不允许运行计算程序（WebAssembly），请关闭锁定模式或换用其他浏览器。", true]);
  });

  test("a refused service worker leaves the page working online", async () => {
    copy(`${site}/no-worker`);
    rmSync(`${site}/no-worker/sw.js`);
    const [server, tab] = await tabOn(`${site}/no-worker`);
    const before = exceptions.length;
    await open(tab, `${server.origin}/`);
    await new Promise((resolve) => setTimeout(resolve, 1000));
    assert.equal(await weigh(tab, row), row.weight);
    assert.deepEqual(exceptions.slice(before), []);
  });

  test("with scripts off, the page says why nothing computes", async () => {
    const [server, tab] = await tabOn(dist);
    await tab.send("Emulation.setScriptExecutionDisabled", { value: true });
    const loaded = tab.waitFor("Page.loadEventFired");
    await tab.send("Page.navigate", { url: `${server.origin}/` });
    await loaded;
    assert.deepEqual(await evaluate(tab, `[".notice", "#loading", "#Command1"]
      .map((selector) => document.querySelector(selector).checkVisibility())`), [true, false, false]);
  });

});

// Debian's nginx serving FOLDER on a free port of this machine, with the configuration the page
// ships (CONF) inside a server block of its own; stop() ends it.
async function nginx(folder, conf = `${folder}/nginx.conf`, more = "") {
  assert.ok(!(process.env.NGINX ?? "NOTFOUND").endsWith("NOTFOUND"), "nginx is installed");
  const prefix = mkdtempSync(join(tmpdir(), "hengtiebao-nginx-"));
  const port = await freePort();
  const temps = ["client_body", "proxy", "fastcgi", "uwsgi", "scgi"]
    .map((kind) => `${kind}_temp_path ${prefix}/${kind};`).join(" ");
  // As root, the workers too: they read the build's folder, which is root's alone.
  writeFileSync(`${prefix}/nginx.conf`, `daemon off; pid ${prefix}/nginx.pid; error_log stderr;
    ${process.getuid() === 0 ? "user root;" : ""} events {}
    http { access_log off; ${temps}
      server { listen 127.0.0.1:${port}; root ${folder}; include ${conf}; ${more} } }`);
  const child = started(process.env.NGINX, ["-e", "stderr", "-p", prefix, "-c", `${prefix}/nginx.conf`]);
  const origin = `http://127.0.0.1:${port}`;
  await answering(origin, child);
  return {
    origin,
    async stop() {
      await child.stop();
      rmSync(prefix, { recursive: true, force: true });
    },
  };
}

describe("served by nginx with the configuration the page ships", () => {
  let server;
  before(async () => (server = await nginx(dist)));
  after(() => server?.stop());

  // File, its type, whether it comes compressed to a browser that accepts it, and how long a
  // browser may keep it: the core's files, named by their content, for good; the others are asked
  // again every visit.
  const always = "no-cache";
  const forGood = "max-age=31536000, immutable";
  const served = [
    ["", "text/html; charset=utf-8", "gzip", always],
    ["app.js", "text/javascript; charset=utf-8", "gzip", always],
    ["sw.js", "text/javascript; charset=utf-8", "gzip", always],
    [core.script, "text/javascript; charset=utf-8", "gzip", forGood],
    [core.wasm, "application/wasm", "gzip", forGood],
    ["style.css", "text/css; charset=utf-8", "gzip", always],
    ["manifest.webmanifest", "application/manifest+json; charset=utf-8", "gzip", always],
    ["icon.svg", "image/svg+xml", "gzip", always],
    ["icon-192.png", "image/png", null, always],
  ];
  // The page's own policy, and framing refused, which only a header can say.
  const policy = `${readFileSync(`${dist}/index.html`, "utf8")
    .match(/<meta http-equiv="Content-Security-Policy" content="([^"]*)">/)[1]}; frame-ancestors 'none'`;
  for (const [file, type, encoding, kept] of served) {
    test(`/${file}: ${type}, ${kept}${encoding ? ", compressed" : ""}, its guards`, async () => {
      const response = await fetch(`${server.origin}/${file}`, { headers: { "Accept-Encoding": "gzip" } });
      await response.arrayBuffer();
      const header = (name) => response.headers.get(name);
      assert.deepEqual([response.status, header("content-type"), header("cache-control"),
        header("content-encoding")], [200, type, kept, encoding]);
      assert.deepEqual([header("x-content-type-options"), header("referrer-policy"),
        header("content-security-policy")], ["nosniff", "no-referrer", policy]);
    });
  }

  test("the page loads under its worker and computes", async () => {
    const row = rows.find((r) => r.frame === 7);
    const tab = await browser.newPage({ isolated: true });
    try {
      await tab.send("Page.enable");
      await open(tab, `${server.origin}/`);
      await until(tab, "navigator.serviceWorker.controller !== null");
      assert.equal(await weigh(tab, row), row.weight);
    } finally {
      await browser.closePage(tab);
    }
  });
});

test("no uncaught exception in any tab or worker", () => assert.deepEqual(exceptions, []));
