// SPDX-License-Identifier: GPL-3.0-or-later
// The page as the build wrote it (dist/): the window's frames, fields and lists with their ids,
// labels and keyboards; the frames' colours; nothing named from another origin; the release's names;
// the manifest's icons; the service worker's files.
//   node page_test.mjs DIST reference_weights.txt
import assert from "node:assert/strict";
import { createHash } from "node:crypto";
import { cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync }
  from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { describe, test } from "node:test";
import { gzipSync } from "node:zlib";
import { cacheDigest, coreFiles, keptDigests, keptFiles, release, withSection } from "./test_release.mjs";

const [dist, referenceFile] = process.argv.slice(2);
const read = (file) => readFileSync(`${dist}/${file}`, "utf8");
const page = read("index.html");
const core = coreFiles(dist);

// The page's elements in order, each with its tag, attributes and the frame it lies in; the
// text of each element whose id is asked for.
const elements = [];
let frame = null;
for (const [, close, tag, attributes] of page.matchAll(/<(\/?)([a-z0-9]+)([^>]*)>/g)) {
  if (close) {
    if (tag === "section") frame = null;
    continue;
  }
  const attrs = Object.fromEntries(
    [...attributes.matchAll(/([a-z-]+)(?:="([^"]*)")?/g)].map(([, n, v]) => [n, v ?? ""]),
  );
  if (tag === "section") frame = attrs.id;
  elements.push({ tag, attrs, frame });
}
const byId = (id) => elements.find((e) => e.attrs.id === id);
const textOf = (id) => page.match(new RegExp(`id="${id}"[^>]*>([^<]*)<`))?.[1];

// The window's frames: caption, input boxes, combo box, button and result box, from its printed
// layout.
const frames = [
  ["Frame1", "普通钢板", ["chang1", "chang2", "chang3", "Combo1"], "Combo1", "Command1", "jieguo1"],
  ["Frame2", "普通圆钢", ["yuan1", "yuan2"], null, "Command2", "yuan3"],
  ["Frame3", "普通方钢", ["fang1", "fang2"], null, "Command3", "fang3"],
  ["Frame4", "普通六角钢", ["liu1", "liu2"], null, "Command4", "liu3"],
  ["Frame5", "热轧等边角钢（GB9787-88）", ["dj1", "dj2"], "dj1", "Command5", "dj3"],
  ["Frame6", "热轧不等边角钢（GB9788-88）", ["bj1", "bj2"], "bj1", "Command6", "bj3"],
  ["Frame7", "热轧槽钢（GB707-88）", ["cg1", "cg2"], "cg1", "Command7", "cg3"],
  ["Frame8", "热轧工字钢（GB706-88）", ["gg1", "gg2"], "gg1", "Command8", "gg3"],
];

describe("the window's frames, one in view", () => {
  for (const [name, caption, inputs, combo, button, result] of frames) {
    test(`${name}: ${caption}`, () => {
      assert.equal(byId(name).tag, "section");
      assert.equal(byId(name).attrs.role, "tabpanel");
      assert.equal(elements.filter((e) => e.frame === name && e.tag === "form").length, 1,
        "one form, so that Enter computes the frame");
      assert.equal(textOf(`${name}-caption`), caption);
      const fields = elements.filter((e) => e.frame === name && e.tag === "input");
      assert.deepEqual(fields.map((e) => e.attrs.id), inputs, "the boxes in reading order");
      for (const [i, field] of fields.entries()) {
        const label = elements.find((e) => e.tag === "label" && e.attrs.for === field.attrs.id);
        assert.ok(label, `${field.attrs.id} has its label`);
        // What is seen is in what is heard: "d" in "d 圆钢直径".
        const seen = textOf(label.attrs.id).replace(/[\s：]/g, "");
        assert.ok(field.attrs["aria-label"].includes(seen), `"${seen}" in ${field.attrs["aria-label"]}`);
        assert.equal(field.attrs.enterkeyhint, i === fields.length - 1 ? "go" : "next");
        assert.equal(field.attrs["aria-describedby"], `${field.attrs.id}-failure`);
        assert.equal(byId(`${field.attrs.id}-failure`).frame, name);
        assert.equal(byId(`${field.attrs.id}-failure`).attrs.role, undefined, "said by the page's live region");
        const typesModels = field.attrs.id === combo && combo !== "Combo1";
        assert.equal(field.attrs.inputmode, typesModels ? "text" : "decimal", field.attrs.id);
      }
      assert.equal(byId(button).tag, "button");
      assert.equal(byId(button).attrs.type, "submit");
      assert.ok("disabled" in byId(button).attrs, "not ready for a tap before the script");
      assert.equal(byId(button).frame, name);
      assert.equal(byId(result).tag, "output");
      assert.equal(byId(result).frame, name);
      assert.equal(byId(result).attrs["aria-live"], undefined, "said by the page's live region");
      assert.equal(byId(`${name}-tab`).attrs["aria-controls"], name);
      assert.equal("hidden" in byId(name).attrs, name !== "Frame1");
    });
  }

  test("one live region says every result and failure", () => {
    const live = elements.filter((e) => "aria-live" in e.attrs || ["alert", "status"].includes(e.attrs.role));
    assert.deepEqual(live.map((e) => [e.attrs.id, e.attrs["aria-live"]]), [["spoken", "assertive"]]);
  });

  test("every id is used once", () => {
    const ids = elements.map((e) => e.attrs.id).filter(Boolean);
    assert.deepEqual(ids.filter((id, i) => ids.indexOf(id) !== i), []);
  });

  // An async script runs as soon as it has arrived, parsed or not: only its place after every
  // frame and field makes them there when it runs.
  test("the page's script, async, comes after every frame and field", () => {
    const scripts = elements.filter((e) => e.tag === "script");
    assert.deepEqual(scripts.map((e) => e.attrs), [{ type: "module", async: "", src: "app.js" }]);
    const parts = ["section", "form", "input", "select", "button", "output"];
    assert.ok(elements.indexOf(scripts[0]) > elements.findLastIndex((e) => parts.includes(e.tag)));
  });

  test("the notes frame", () => {
    assert.equal(textOf("Label20"), "重量为按国家标准计算的理论值，仅供参考。");
    assert.equal(textOf("Label23"), "衡铁宝");
    assert.match(page, /<title>衡铁宝<\/title>/);
  });

  test("the window's start texts", () => {
    const starts = { Combo1: "7.85", dj1: "20×3", bj1: "25×16×3", cg1: "16a", gg1: "10", chang1: "" };
    for (const [id, text] of Object.entries(starts)) assert.equal(byId(id).attrs.value, text, id);
  });
});

// The combo boxes' lists, in their printed order: the reference file's "list" rows.
const lists = readFileSync(referenceFile, "utf8")
  .split("\n")
  .filter((line) => line.startsWith("list "))
  .map((line) => line.split(" ").slice(1));
// A combo box's list beside it: its items, and the one marked.
const listOf = (combo) => {
  const [, options] = page.match(new RegExp(`<select id="${combo}-list"[^>]*>(.*?)</select>`));
  const items = [...options.matchAll(/<option( selected)?>([^<]*)<\/option>/g)];
  return { items: items.map(([, , item]) => item), marked: items.filter(([, on]) => on).map(([, , item]) => item) };
};

describe("the lists the combo boxes offer", () => {
  test("four model lists are read", () => assert.equal(lists.length, 4));
  for (const [combo, ...models] of lists) {
    test(`${combo}: ${models.length} models in printed order, the start text marked`, () => {
      assert.deepEqual(listOf(combo).items, models);
      assert.deepEqual(listOf(combo).marked, [byId(combo).attrs.value]);
    });
  }
  test("Combo1: the densities, 7.85 marked", () => {
    assert.deepEqual(listOf("Combo1"), { items: ["7.8", "7.85", "7.87", "7.9"], marked: ["7.85"] });
  });
});

describe("the frames' colours", () => {
  const style = read("style.css");
  const colours = [
    ["Frame1", "255 192 128"],
    ["Frame2", "192 0 192"],
    ["Frame3", "255 192 255"],
    ["Frame4", "128 128 255"],
    ["Frame5", "192 255 192"],
    ["Frame7", "255 255 192"],
  ];
  for (const [name, rgb] of colours) {
    test(`${name} in rgb(${rgb})`, () => {
      assert.match(style, new RegExp(`#${name}, #${name}-tab \\{ --frame: rgb\\(${rgb}\\);`));
    });
  }
  test("the magenta frame's caption in white, the lighter ones' in black", () => {
    assert.match(style, /#Frame2, #Frame2-tab \{[^}]*--ink: #fff;/);
    assert.match(style, /#Frame1, #Frame1-tab \{[^}]*--ink: #000;/);
  });
  test("frames the window leaves uncoloured keep the face", () => {
    assert.doesNotMatch(style, /#Frame6|#Frame8/);
  });
});

describe("nothing from another origin, nothing stored", () => {
  test("every address the page names is its own", () => {
    for (const file of ["index.html", "style.css", "app.js", core.script, "sw.js"])
      assert.doesNotMatch(read(file), /(src|href|url)\s*[=(]\s*["']?(https?:)?\/\//, file);
  });
  test("no cookie, no web storage in the scripts", () => {
    for (const file of ["app.js", core.script, "sw.js"])
      assert.doesNotMatch(read(file), /document\.cookie|localStorage|sessionStorage|indexedDB/, file);
  });
});

// A PNG's width and height, from its header.
function pngSize(file) {
  const bytes = readFileSync(`${dist}/${file}`);
  assert.equal(bytes.toString("latin1", 1, 4), "PNG", file);
  return [bytes.readUInt32BE(16), bytes.readUInt32BE(20)];
}

// What the page loads, each file as gzip -9 sends it, and the pictures that only installing
// fetches: within their budgets, so that the first visit of a phone on a slow network stays short.
test("what the page loads within 150 kB compressed, the install icons within 120 kB", () => {
  const loaded = keptFiles(dist).map((file) => gzipSync(readFileSync(`${dist}/${file}`), { level: 9 }).length);
  const total = loaded.reduce((sum, size) => sum + size);
  assert.ok(total <= 150000, `${total} bytes`);
  const icons = JSON.parse(read("manifest.webmanifest")).icons.map((icon) => readFileSync(`${dist}/${icon.src}`).length);
  const iconBytes = icons.reduce((sum, size) => sum + size);
  assert.ok(iconBytes <= 120000, `${iconBytes} bytes`);
});

// The core is most of a first visit: its two files within 16.5 kB as gzip -9 sends them, a
// little above the 16.0 kB they are, so that growth fails here rather than on a phone.
test("the core's two files within 16.5 kB compressed", () => {
  const bytes = [core.script, core.wasm].map((file) => gzipSync(readFileSync(`${dist}/${file}`), { level: 9 }).length);
  const total = bytes[0] + bytes[1];
  assert.ok(total <= 16500, `${total} bytes`);
});

describe("installable and offline", () => {
  const manifest = JSON.parse(read("manifest.webmanifest"));
  test("the manifest names the program and its icons", () => {
    assert.equal(manifest.name, "衡铁宝");
    assert.equal(manifest.start_url, "./");
    for (const icon of manifest.icons) {
      const [side] = icon.sizes.split("x").map(Number);
      assert.deepEqual(pngSize(icon.src), [side, side], icon.src);
    }
    const purposes = manifest.icons.map((icon) => `${icon.sizes} ${icon.purpose}`);
    assert.deepEqual(purposes, ["192x192 any", "512x512 any", "512x512 maskable"]);
  });

  // But the style for scripts off, where no worker runs.
  test("the service worker keeps every file the page loads, and knows its bytes", () => {
    const loaded = elements.flatMap((e) => [e.attrs.src, e.tag === "link" ? e.attrs.href : null]);
    const wanted = ["index.html", "app.js", core.script, core.wasm, ...loaded];
    for (const file of wanted.filter((file) => file && file !== "noscript.css"))
      assert.ok(kept.includes(file), file);
    for (const [file, digest] of Object.entries(keptDigests(dist)))
      assert.equal(createHash("sha256").update(readFileSync(`${dist}/${file}`)).digest("hex"), digest, file);
  });
});

// A file's digest as the build names files: the first 16 hex digits of its SHA-256.
const digestOf = (bytes) => createHash("sha256").update(bytes).digest("hex").slice(0, 16);
const coreIn = (folder) => readdirSync(folder).filter((file) => /^hengtiebao.*\.(js|wasm)$/.test(file));

const kept = keptFiles(dist);
describe("a release's names", () => {
  test("the core's script and WebAssembly are named by their content, the script naming the other", () => {
    for (const file of [core.script, core.wasm])
      assert.equal(file.match(/^hengtiebao-([0-9a-f]{16})\.(js|wasm)$/)?.[1], digestOf(readFileSync(`${dist}/${file}`)), file);
    const named = read(core.script).match(/hengtiebao[-0-9a-f]*\.wasm/g);
    assert.ok(named.length > 0 && named.every((name) => name === core.wasm), named.join(" "));
    assert.deepEqual(coreIn(dist).sort(), [core.script, core.wasm].sort(), "no other core beside it");
  });

  // The build's own step, on a copy of the release: any file changed gives the cache a new name,
  // a changed core new names for both its files and no file of the earlier core left beside them,
  // and the same files the same names.
  test("the next release's core and cache are named anew, the same release's the same", () => {
    const copy = mkdtempSync(join(tmpdir(), "hengtiebao-release-"));
    try {
      cpSync(dist, copy, { recursive: true });
      release(copy);
      for (const file of ["index.html", "sw.js", core.script])
        assert.equal(readFileSync(`${copy}/${file}`, "utf8"), read(file), `${file} as the build wrote it`);
      const name = cacheDigest(dist);
      for (const file of kept.filter((file) => !file.startsWith("hengtiebao"))) {
        const bytes = readFileSync(`${dist}/${file}`);
        writeFileSync(`${copy}/${file}`, Buffer.concat([bytes, Buffer.from(" ")]));
        release(copy);
        assert.notEqual(cacheDigest(copy), name, `${file} changed`);
        writeFileSync(`${copy}/${file}`, bytes);
      }
      release(copy, { wasm: withSection(readFileSync(`${dist}/${core.wasm}`), "next") });
      const next = coreFiles(copy);
      assert.notEqual(next.wasm, core.wasm);
      assert.notEqual(next.script, core.script, "the script names the new WebAssembly");
      assert.deepEqual(coreIn(copy).sort(), [next.script, next.wasm].sort());
      assert.deepEqual(keptFiles(copy).filter((file) => file.startsWith("hengtiebao")), [next.script, next.wasm]);
      assert.notEqual(cacheDigest(copy), name);
      release(copy, { wasm: readFileSync(`${dist}/${core.wasm}`) });
      assert.deepEqual([coreFiles(copy), cacheDigest(copy)], [core, name], "the same files again");
    } finally {
      rmSync(copy, { recursive: true, force: true });
    }
  });
});
