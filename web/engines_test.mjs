// SPDX-License-Identifier: GPL-3.0-or-later
// The page in Firefox ESR or in WebKit (engines.mjs), driven through scripts run in the page by
// its ids: every reference weight, each kind of failure beside its field, each suggestion taken,
// the page reloaded offline under its worker, the next release replacing the first whole, a
// screenshot of a phone's width, and nothing thrown in the page.
//   node engines_test.mjs firefox|webkit DIST reference_weights.txt SCREENSHOT_DIR
import assert from "node:assert/strict";
import { mkdirSync, mkdtempSync, renameSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { serve } from "./browser.mjs";
import { startEngine } from "./engines.mjs";
import { failures, frames, readFrames, referenceRows, suggestions } from "./test_frames.mjs";
import { copyRelease, coreFiles } from "./test_release.mjs";

const [engine, dist, referenceFile, screenshots] = process.argv.slice(2);
await readFrames(dist);
const rows = referenceRows(referenceFile);
const js = (value) => JSON.stringify(value);

let server = await serve(dist);
const tab = await startEngine(engine);
console.log(`# ${tab.version}`);
after(async () => {
  await tab.close();
  await server.stop();
});

// The value of EXPRESSION once it is truthy, asked again through reloads (which end the page it
// was asked of) for up to 30 s.
async function until(expression) {
  for (const end = Date.now() + 30000; ;) {
    const value = await tab.evaluate(expression).catch(() => undefined);
    if (value) return value;
    if (Date.now() > end) throw new Error(`not within 30 s: ${expression}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

// Once the page of the release MARK ("first" for the built page) has its core: from then on, what
// it throws or leaves rejected is kept.
async function ready(mark = "first") {
  await until(`document.documentElement.hasAttribute("data-ready") &&
    (document.documentElement.dataset.release ?? "first") === ${js(mark)}`);
  await tab.evaluate(`(() => {
    window.thrown = [];
    addEventListener("error", (event) => thrown.push(String(event.message)));
    addEventListener("unhandledrejection", (event) => thrown.push(String(event.reason)));
  })()`);
}
async function open(url) {
  await tab.open(url);
  await ready();
}

// Shows FRAME, types TEXTS into its boxes (null leaves one as it is), empties its result box,
// taps its button, and tells what the page then shows: the result, the frame's failure shown (its
// slot, words and button) and the field with the focus. (A script's tap moves no focus, as a
// finger's would: the page's own moves alone are seen.)
const weigh = (frame, texts) => tab.evaluate(`(async () => {
  const byId = (id) => document.getElementById(id);
  byId("${frames[frame].frame}-tab").click();
  ${js(frames[frame].inputs)}.forEach((id, i) => {
    const text = ${js(texts)}[i];
    if (text === null) return;
    byId(id).value = text;
    byId(id).dispatchEvent(new Event("input"));
  });
  byId(${js(frames[frame].result)}).value = "";
  byId("${frames[frame].button}").click();
  await new Promise((resolve) => setTimeout(resolve, 20));
  const slot = [...byId("${frames[frame].frame}").querySelectorAll(".failure")].find((slot) => !slot.hidden);
  return {
    result: byId(${js(frames[frame].result)}).value,
    failure: slot ? [slot.id, slot.firstChild?.data ?? null,
      slot.querySelector("button")?.textContent ?? null] : null,
    focus: document.activeElement?.id ?? "",
  };
})()`);

describe(`every reference weight typed and tapped (${engine})`, () => {
  before(() => open(`${server.origin}/`));
  for (const row of rows) {
    test(`${frames[row.frame].frame}: ${row.texts.join(" ")} -> ${row.weight}`, async () => {
      const { result, failure } = await weigh(row.frame, row.texts);
      assert.deepEqual([result, failure], [row.weight, null]);
    });
  }
});

describe("each kind of failure beside its field, in the window's words", () => {
  for (const [name, frame, texts, field, message, choice] of failures) {
    test(`${name}: ${field}`, async () => {
      const seen = await weigh(frame, texts);
      assert.deepEqual(seen, { result: "", failure: [`${field}-failure`, message, choice], focus: field });
      assert.deepEqual(await tab.evaluate(`["aria-invalid", "aria-describedby"]
        .map((name) => document.getElementById(${js(field)}).getAttribute(name))`),
      ["true", `${field}-failure`]);
    });
  }
});

describe("a suggestion taken", () => {
  for (const [frame, typed, listed] of suggestions) {
    test(`${typed} -> ${listed}, then weighed`, async () => {
      const [model] = frames[frame].inputs;
      const row = rows.find((r) => r.frame === frame && r.texts[0] === listed);
      assert.equal((await weigh(frame, [typed, row.texts[1]])).focus, model);
      const taken = await tab.evaluate(`(async () => {
        document.getElementById(${js(`${model}-suggestion`)}).click();
        await new Promise((resolve) => setTimeout(resolve, 20));
        return [document.getElementById(${js(model)}).value,
          document.getElementById(${js(row.result)}).value,
          document.getElementById(${js(`${model}-failure`)}).hidden];
      })()`);
      assert.deepEqual(taken, [listed, row.weight, true]);
    });
  }
});

describe("offline after one visit", () => {
  test("with the server stopped, the page reloads under its worker and computes", async () => {
    await tab.evaluate("navigator.serviceWorker.ready.then(() => true)");
    await server.stop();
    await open(`${server.origin}/#Frame3`);
    for (const frame of Object.keys(frames).map(Number)) {
      const row = rows.filter((r) => r.frame === frame).at(-1);
      assert.equal((await weigh(frame, row.texts)).result, row.weight, frames[frame].frame);
    }
  });
});

describe("over time", () => {
  const site = mkdtempSync(join(tmpdir(), "hengtiebao-site-"));
  after(() => rmSync(site, { recursive: true, force: true }));

  // Each file kept an hour by the browser, as common hosting serves it.
  test("the next release replaces the first whole", async () => {
    copyRelease(dist, `${site}/a`);
    copyRelease(dist, `${site}/next`, "next");
    server = await serve(site, { maxAge: 3600 });
    await open(`${server.origin}/a/`);
    await tab.evaluate("navigator.serviceWorker.ready.then(() => true)");
    rmSync(`${site}/a`, { recursive: true });
    renameSync(`${site}/next`, `${site}/a`);
    await tab.open(`${server.origin}/a/`);
    await ready("next");
    const next = coreFiles(`${site}/a`);
    const seen = await tab.evaluate(`performance.getEntriesByType("resource")
      .map((entry) => new URL(entry.name).pathname).filter((path) => path.includes("/hengtiebao"))`);
    assert.deepEqual([...new Set(seen)].sort(), [`/a/${next.script}`, `/a/${next.wasm}`].sort());
    const row = rows.find((r) => r.frame === 2);
    assert.equal((await weigh(2, row.texts)).result, row.weight);
  });
});

test("a phone's screenshot", async () => {
  await tab.resize(360, 640);
  mkdirSync(screenshots, { recursive: true });
  const row = rows.find((r) => r.frame === 1 && r.weight.length >= 15);
  assert.equal((await weigh(1, row.texts)).result, row.weight);
  await tab.evaluate("scrollTo(0, 0)");
  await tab.screenshot(`${screenshots}/page-${engine}.png`);
});

test("nothing thrown in the page", async () => {
  assert.deepEqual(await tab.evaluate("window.thrown"), []);
});
