// SPDX-License-Identifier: GPL-3.0-or-later
// How soon the page answers on a mid-range phone: Debian's Chromium, headless, its processor
// slowed 4 times and its link that of a slow 4G network (150 ms, 1.6 Mbit/s down, 750 kbit/s
// up), each run a first visit with nothing cached. The page is served with gzip at its highest
// level, as a release's server would. A run types a plate's sizes as soon as the page's fields
// are there, taps 计算 once it is wired and waits for the weight. Prints the medians of RUNS runs
// and what each file weighs on the wire. Each run also opens the floor: the same page with no
// script and no core, whose first paint is the soonest the page's texts can show on that link;
// every time is then also given as a ratio to the floor's first paint. Run by hand
// (scripts/build-web.sh --bench runs it in the build's root).
//   node web/bench.mjs build-web/dist [RUNS]
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { gzipSync } from "node:zlib";
import { evaluate, launch, serve, tap } from "./browser.mjs";
import { frames, readFrames } from "./test_frames.mjs";

const [dist, runsText = "7"] = process.argv.slice(2);
const runs = Number(runsText);
if (!dist || !(runs >= 1 && runs <= 50)) {
  console.error("usage: node bench.mjs DIST [RUNS (1 to 50)]");
  process.exit(2);
}
// Bounded: a run that hangs ends the benchmark instead of the machine's patience.
setTimeout(() => {
  console.error("bench: still running after 10 minutes; stopped");
  process.exit(1);
}, 600000).unref();
await readFrames(dist);

const kbit = 1000 / 8; // bytes a second in a kilobit a second
const slow4g = { offline: false, latency: 150, downloadThroughput: 1600 * kbit,
  uploadThroughput: 750 * kbit, connectionType: "cellular4g" };
const plate = frames[1];
const plateSizes = ["1000", "200", "1"]; // 长度, 宽度, 厚度; the density stays at its 7.85

// The moments the test needs from inside the page, on its own clock (0 = the navigation's
// start): the core loaded, the tap, the weight shown.
const watch = `addEventListener("DOMContentLoaded", () => {
  window.bench = {};
  new MutationObserver(() => (window.bench.ready ??= performance.now()))
    .observe(document.documentElement, { attributes: true, attributeFilter: ["data-ready"] });
  document.getElementById("${plate.button}")
    .addEventListener("click", () => (window.bench.tap ??= performance.now()), true);
  new MutationObserver(() => (window.bench.result ??= performance.now()))
    .observe(document.getElementById("${plate.result}"), { childList: true, subtree: true });
});`;

// A tab as the phone's: its link, processor, screen and touch, with nothing cached.
async function phonePage(browser) {
  const page = await browser.newPage({ isolated: true });
  await page.send("Page.enable");
  await page.send("Network.enable");
  await page.send("Network.setCacheDisabled", { cacheDisabled: true });
  await page.send("Network.emulateNetworkConditions", slow4g);
  await page.send("Emulation.setCPUThrottlingRate", { rate: 4 });
  await page.send("Emulation.setDeviceMetricsOverride",
    { width: 360, height: 640, deviceScaleFactor: 2, mobile: true });
  await page.send("Emulation.setTouchEmulationEnabled", { enabled: true, maxTouchPoints: 5 });
  return page;
}

const paints = `Object.fromEntries(performance.getEntriesByType("paint").map((e) => [e.name, e.startTime]))`;

// The floor: the page's texts and style alone, read when both its paints are there.
async function visitFloor(browser, origin) {
  const page = await phonePage(browser);
  const loaded = page.waitFor("Page.loadEventFired");
  await page.send("Page.navigate", { url: `${origin}/floor.html` });
  await loaded;
  const paint = await evaluate(page, `new Promise((resolve) => {
    const check = () => performance.getEntriesByType("paint").length === 2 ? resolve(${paints}) : setTimeout(check, 10);
    check();
  })`);
  await browser.closePage(page);
  return { paint };
}

async function visit(browser, origin) {
  const page = await phonePage(browser);
  const sizes = new Map();
  const urls = new Map();
  page.on("Network.requestWillBeSent", ({ requestId, request }) => urls.set(requestId, request.url));
  page.on("Network.loadingFinished", ({ requestId, encodedDataLength }) =>
    sizes.set(new URL(urls.get(requestId)).pathname, encodedDataLength));
  await page.send("Page.addScriptToEvaluateOnNewDocument", { source: watch });

  const fieldsThere = page.waitFor("Page.domContentEventFired");
  await page.send("Page.navigate", { url: `${origin}/` });
  await fieldsThere;
  for (const [i, text] of plateSizes.entries()) {
    await evaluate(page, `document.getElementById("${plate.inputs[i]}").focus()`);
    await page.send("Input.insertText", { text });
  }
  // The button takes taps once the page's script has wired it; a tap before is lost, as a
  // person's would be.
  await evaluate(page, `new Promise((resolve) => {
    const check = () => document.getElementById("${plate.button}").disabled ? setTimeout(check, 10) : resolve();
    check();
  })`);
  await tap(page, plate.button);
  const times = await evaluate(page, `new Promise((resolve) => {
    const done = () => window.bench.result !== undefined && performance.getEntriesByType("paint").length === 2;
    const check = () => done() ? resolve({
      ...window.bench,
      weight: document.getElementById("${plate.result}").value,
      paint: ${paints},
      loaded: performance.getEntriesByType("navigation")[0].domContentLoadedEventEnd,
    }) : setTimeout(check, 10);
    check();
  })`);
  await browser.closePage(page);
  return { ...times, sizes };
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

// The floor beside the page's files, served alike: the page without its scripts and the core's
// links.
const served = mkdtempSync(join(tmpdir(), "hengtiebao-bench-"));
cpSync(dist, served, { recursive: true });
writeFileSync(join(served, "floor.html"), readFileSync(join(dist, "index.html"), "utf8")
  .replace(/<script\b[^>]*><\/script>/g, "").replace(/<link rel="(module)?preload"[^>]*>/g, ""));
const server = await serve(served, { gzip: true });
const browser = await launch();
const visits = [];
const floors = [];
try {
  for (let run = 0; run < runs; ++run) {
    const seen = await visit(browser, server.origin);
    if (seen.weight === "") throw new Error("no weight shown");
    visits.push(seen);
    floors.push(await visitFloor(browser, server.origin));
    process.stderr.write(`run ${run + 1}: first result at ${seen.result.toFixed(0)} ms\n`);
  }
} finally {
  await browser.close();
  await server.stop();
  rmSync(served, { recursive: true, force: true });
}

// Each line: the median, the runs' spread (fastest to slowest) and the median's ratio to the
// floor's first paint.
const floorPaint = median(floors.map((v) => v.paint["first-paint"]));
const line = (what, runsSeen, pick) => {
  const times = runsSeen.map(pick);
  const cells = [median(times), Math.min(...times), Math.max(...times)].map((t) => t.toFixed(0).padStart(6));
  console.log(`  ${what.padEnd(38)}${cells[0]} ${cells[1]}–${cells[2].trim().padEnd(6)} ${(median(times) / floorPaint).toFixed(2)}×`);
};
console.log(`First visits of a 360 × 640 phone, 4× slower processor, slow 4G; ${runs} runs:`);
console.log("  what                                  median  spread    to the floor");
line("floor: first paint (no script, no core)", floors, (v) => v.paint["first-paint"]);
line("floor: first contentful paint", floors, (v) => v.paint["first-contentful-paint"]);
line("first paint", visits, (v) => v.paint["first-paint"]);
line("first contentful paint", visits, (v) => v.paint["first-contentful-paint"]);
line("fields ready (DOMContentLoaded)", visits, (v) => v.loaded);
line("core loaded (data-ready)", visits, (v) => v.ready);
line("tap on 计算 -> weight in jieguo1", visits, (v) => v.result - v.tap);
line("opening -> first weight", visits, (v) => v.result);

// The first visit's files: as they came over the wire (gzip -9 by this server, with HTTP's
// headers) and, for comparison with any server, their own size and gzip -9's.
console.log("\nWhat the page loads on a first visit, in bytes:");
console.log("  file                    size    gzip -9   on the wire");
let total = [0, 0, 0];
for (const [path, wire] of [...visits[0].sizes].sort()) {
  const file = readFileSync(`${dist}/${path === "/" ? "index.html" : path.slice(1)}`);
  const packed = gzipSync(file, { level: 9 }).length;
  total = [total[0] + file.length, total[1] + packed, total[2] + wire];
  console.log(`  ${path.padEnd(20)} ${String(file.length).padStart(8)} ${String(packed).padStart(10)} ${String(wire).padStart(13)}`);
}
console.log(`  ${"all".padEnd(20)} ${String(total[0]).padStart(8)} ${String(total[1]).padStart(10)} ${String(total[2]).padStart(13)}`);
