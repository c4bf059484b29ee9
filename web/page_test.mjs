// SPDX-License-Identifier: GPL-3.0-or-later
// The page as the build wrote it (dist/): the window's frames, fields and lists with their ids,
// labels and keyboards; the frames' colours; a policy that lets nothing in from another origin;
// the manifest's icons; the service worker's files.
//   node page_test.mjs DIST reference_weights.txt
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { cpSync, existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { describe, test } from "node:test";
import { fileURLToPath } from "node:url";

const [dist, referenceFile] = process.argv.slice(2);
const read = (file) => readFileSync(`${dist}/${file}`, "utf8");
const page = read("index.html");

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
      for (const field of fields) {
        const label = elements.find((e) => e.tag === "label" && e.attrs.for === field.attrs.id);
        assert.ok(label, `${field.attrs.id} has its label`);
        assert.equal(field.attrs["aria-describedby"], `${field.attrs.id}-failure`);
        assert.equal(byId(`${field.attrs.id}-failure`).frame, name);
        assert.equal(byId(`${field.attrs.id}-failure`).attrs.role, "alert", "said as it appears");
        const typesModels = field.attrs.id === combo && combo !== "Combo1";
        assert.equal(field.attrs.inputmode, typesModels ? "text" : "decimal", field.attrs.id);
      }
      assert.equal(byId(button).tag, "button");
      assert.equal(byId(button).attrs.type, "submit");
      assert.ok("disabled" in byId(button).attrs, "not ready for a tap before the script");
      assert.equal(byId(button).frame, name);
      assert.equal(byId(result).tag, "output");
      assert.equal(byId(result).frame, name);
      assert.equal(byId(result).attrs["aria-live"], "polite");
      assert.equal(byId(`${name}-tab`).attrs["aria-controls"], name);
      assert.equal("hidden" in byId(name).attrs, name !== "Frame1");
    });
  }

  test("every id is used once", () => {
    const ids = elements.map((e) => e.attrs.id).filter(Boolean);
    assert.deepEqual(ids.filter((id, i) => ids.indexOf(id) !== i), []);
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
  const csp = elements.find((e) => e.tag === "meta" && e.attrs["http-equiv"] === "Content-Security-Policy");
  const rules = Object.fromEntries(
    csp.attrs.content.split(";").map((rule) => rule.trim().split(/\s+/)).map(([n, ...v]) => [n, v]),
  );
  test("the policy allows this origin alone", () => {
    assert.deepEqual(rules["default-src"], ["'none'"]);
    assert.deepEqual(rules["script-src"], ["'self'", "'wasm-unsafe-eval'"]);
    for (const name of ["style-src", "img-src", "connect-src", "manifest-src", "worker-src"])
      assert.deepEqual(rules[name], ["'self'"], name);
  });
  test("every address the page names is its own", () => {
    for (const file of ["index.html", "style.css", "app.js", "hengtiebao.js", "sw.js"])
      assert.doesNotMatch(read(file), /(src|href|url)\s*[=(]\s*["']?(https?:)?\/\//, file);
  });
  test("no cookie, no web storage in the scripts", () => {
    for (const file of ["app.js", "hengtiebao.js", "sw.js"])
      assert.doesNotMatch(read(file), /document\.cookie|localStorage|sessionStorage|indexedDB/, file);
  });
});

// A PNG's width and height, from its header.
function pngSize(file) {
  const bytes = readFileSync(`${dist}/${file}`);
  assert.equal(bytes.toString("latin1", 1, 4), "PNG", file);
  return [bytes.readUInt32BE(16), bytes.readUInt32BE(20)];
}

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

  const worker = read("sw.js");
  const kept = JSON.parse(worker.match(/const FILES = (\[.*\]);/)[1]);
  test("the service worker keeps every file the page loads", () => {
    const loaded = elements.flatMap((e) => [e.attrs.src, e.tag === "link" ? e.attrs.href : null]);
    const wanted = ["index.html", "app.js", "hengtiebao.js", "hengtiebao.wasm", ...loaded];
    for (const file of wanted.filter(Boolean)) assert.ok(kept.includes(file), file);
    for (const file of kept) assert.ok(existsSync(`${dist}/${file}`), file);
  });
  // The build's own step, on a copy of the files: any kept file changed gives a new name, and
  // the same files the same name.
  test("its cache is named by the digest of the files it keeps", () => {
    const copy = mkdtempSync(join(tmpdir(), "hengtiebao-worker-"));
    const nameOf = () => {
      execFileSync(process.env.CMAKE ?? "cmake", [`-DDIST=${copy}`, `-DFILES=${kept.join(",")}`,
        `-DSOURCE=${fileURLToPath(new URL("sw.js", import.meta.url))}`, "-P",
        fileURLToPath(new URL("worker.cmake", import.meta.url))]);
      return readFileSync(`${copy}/sw.js`, "utf8").match(/const CACHE = `\$\{SCOPE\}([0-9a-f]{16})`;/)?.[1];
    };
    try {
      cpSync(dist, copy, { recursive: true });
      const name = nameOf();
      assert.equal(readFileSync(`${copy}/sw.js`, "utf8"), worker, "as the build wrote it");
      for (const file of kept) {
        const bytes = readFileSync(`${dist}/${file}`);
        writeFileSync(`${copy}/${file}`, Buffer.concat([bytes, Buffer.from(" ")]));
        assert.notEqual(nameOf(), name, `${file} changed`);
        writeFileSync(`${copy}/${file}`, bytes);
      }
      assert.equal(nameOf(), name, "the same files again");
    } finally {
      rmSync(copy, { recursive: true, force: true });
    }
  });
});
