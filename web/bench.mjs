// SPDX-License-Identifier: GPL-3.0-or-later
// How soon the page answers on a mid-range phone: Debian's Chromium, headless, its processor
// slowed 4 times and its link that of a slow 4G network (150 ms, 1.6 Mbit/s down, 750 kbit/s
// up), each run a first visit with nothing cached. The page is served with gzip at its highest
// level, as a release's server would. A run types a plate's sizes as soon as the page's fields
// are there, taps 计算 and waits for the weight. Prints the medians of RUNS runs and what each
// file weighs on the wire. Run by hand (scripts/build-web.sh --bench runs it in the build's root).
//   node web/bench.mjs build-web/dist [RUNS]
import { readFileSync } from "node:fs";
import { gzipSync } from "node:zlib";
import { evaluate, launch, serve, tap } from "./browser.mjs";

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

const kbit = 1000 / 8; // bytes a second in a kilobit a second
const slow4g = { offline: false, latency: 150, downloadThroughput: 1600 * kbit,
  uploadThroughput: 750 * kbit, connectionType: "cellular4g" };
const plate = ["1000", "200", "1"]; // 长度, 宽度, 厚度; the density stays at its 7.85

// The moments the test needs from inside the page, on its own clock (0 = the navigation's
// start): the core loaded, the tap, the weight shown.
const watch = `addEventListener("DOMContentLoaded", () => {
  window.bench = {};
  new MutationObserver(() => (window.bench.ready ??= performance.now()))
    .observe(document.documentElement, { attributes: true, attributeFilter: ["data-ready"] });
  document.getElementById("Command1")
    .addEventListener("click", () => (window.bench.tap ??= performance.now()), true);
  new MutationObserver(() => (window.bench.result ??= performance.now()))
    .observe(document.getElementById("jieguo1"), { childList: true, subtree: true });
});`;

async function visit(browser, origin) {
  const page = await browser.newPage({ isolated: true });
  const sizes = new Map();
  const urls = new Map();
  page.on("Network.requestWillBeSent", ({ requestId, request }) => urls.set(requestId, request.url));
  page.on("Network.loadingFinished", ({ requestId, encodedDataLength }) =>
    sizes.set(new URL(urls.get(requestId)).pathname, encodedDataLength));
  await page.send("Page.enable");
  await page.send("Network.enable");
  await page.send("Network.setCacheDisabled", { cacheDisabled: true });
  await page.send("Network.emulateNetworkConditions", slow4g);
  await page.send("Emulation.setCPUThrottlingRate", { rate: 4 });
  await page.send("Emulation.setDeviceMetricsOverride",
    { width: 360, height: 640, deviceScaleFactor: 2, mobile: true });
  await page.send("Emulation.setTouchEmulationEnabled", { enabled: true, maxTouchPoints: 5 });
  await page.send("Page.addScriptToEvaluateOnNewDocument", { source: watch });

  const fieldsThere = page.waitFor("Page.domContentEventFired");
  await page.send("Page.navigate", { url: `${origin}/` });
  await fieldsThere;
  for (const [i, text] of plate.entries()) {
    await evaluate(page, `document.getElementById("chang${i + 1}").focus()`);
    await page.send("Input.insertText", { text });
  }
  await tap(page, "Command1");
  const times = await evaluate(page, `new Promise((resolve) => {
    const done = () => window.bench.result !== undefined && performance.getEntriesByType("paint").length === 2;
    const check = () => done() ? resolve({
      ...window.bench,
      weight: document.getElementById("jieguo1").value,
      paint: Object.fromEntries(performance.getEntriesByType("paint").map((e) => [e.name, e.startTime])),
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

const server = await serve(dist, { gzip: true });
const browser = await launch();
const visits = [];
try {
  for (let run = 0; run < runs; ++run) {
    const seen = await visit(browser, server.origin);
    if (seen.weight === "") throw new Error("no weight shown");
    visits.push(seen);
    process.stderr.write(`run ${run + 1}: first result at ${seen.result.toFixed(0)} ms\n`);
  }
} finally {
  await browser.close();
  await server.stop();
}

const ms = (pick) => median(visits.map(pick)).toFixed(0).padStart(6);
console.log(`First visits of a 360 × 640 phone, 4× slower processor, slow 4G; medians of ${runs}:`);
console.log("  what                                        ms");
console.log(`  first paint                             ${ms((v) => v.paint["first-paint"])}`);
console.log(`  first contentful paint                  ${ms((v) => v.paint["first-contentful-paint"])}`);
console.log(`  fields ready (DOMContentLoaded)         ${ms((v) => v.loaded)}`);
console.log(`  core loaded (data-ready)                ${ms((v) => v.ready)}`);
console.log(`  tap on 计算 -> weight in jieguo1        ${ms((v) => v.result - v.tap)}`);
console.log(`  opening -> first weight                 ${ms((v) => v.result)}`);

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
