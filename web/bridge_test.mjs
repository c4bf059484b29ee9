// SPDX-License-Identifier: GPL-3.0-or-later
// The page's core as the page loads it (dist/hengtiebao-*.js and .wasm), driven through the bridge
// over fields held in memory: every reference weight to its last digit, each kind of failure in
// the window's words with the field to correct, and suggestions taken as the window takes them.
//   node bridge_test.mjs DIST reference_weights.txt
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { describe, test } from "node:test";
import { frames, frameWriting, readFrames } from "./test_frames.mjs";

const [dist, referenceFile] = process.argv.slice(2);
const core = await readFrames(dist);

// The page's fields as the bridge sees them: every read and write recorded; a control not held
// cannot be read or set, as a missing element of the page.
class Fields {
  constructor(texts) {
    this.texts = new Map(Object.entries(texts));
    this.reads = [];
    this.writes = [];
  }
  getText(name) {
    this.reads.push(name);
    return this.texts.has(name) ? this.texts.get(name) : null;
  }
  setText(name, text) {
    if (!this.texts.has(name)) return false;
    this.writes.push(name);
    this.texts.set(name, text);
    return true;
  }
}

// Frame N's boxes with the given texts, its result box showing an earlier result.
function fieldsOf(frame, texts) {
  const held = { [frames[frame].result]: "earlier" };
  frames[frame].inputs.forEach((name, i) => (held[name] = texts[i]));
  core.fields = new Fields(held);
  return core.fields;
}

// The reference file: rows of result box, input texts and result text.
const rows = readFileSync(referenceFile, "utf8")
  .split("\n")
  .filter((line) => line && !line.startsWith("#") && !line.startsWith("list "))
  .map((line) => line.split(" "));

describe("every reference weight through the bridge", () => {
  test("the file is read", () => assert.ok(rows.length > 100, `${rows.length} rows`));
  for (const row of rows) {
    const [result, ...texts] = row;
    const expected = texts.pop();
    const frame = frameWriting(result);
    test(`frame ${frame}: ${texts.join(" ")} -> ${expected}`, () => {
      const fields = fieldsOf(frame, texts);
      assert.equal(core.calculate(frame), null);
      assert.equal(fields.texts.get(result), expected);
      assert.deepEqual(fields.writes, [result]);
    });
  }
});

// Copied from a web page or a chat, a number brings invisible blanks along: read past, as in the
// window.
test("pasted blanks around the numbers", () => {
  const fields = fieldsOf(1, ["1000\u00a0", "\u200b500", "\ufeff10\u202f", "7.85"]);
  assert.equal(core.calculate(1), null);
  assert.equal(fields.texts.get("jieguo1"), "39.25");
});

const long = "x".repeat(40);
const astral = "1".repeat(29) + "\u{20000}5";
// name, frame, input texts; kind, control at fault, control to correct, message, suggestion,
// its button's words.
const failures = [
  ["empty plate length", 1, ["", "500", "10", "7.85"],
    "NotANumber", "chang1", "chang1", "请输入钢板的长度。", "", ""],
  ["blank density", 1, ["1000", "500", "10", "\u3000 "],
    "NotANumber", "Combo1", "Combo1", "请输入钢板的密度。", "", ""],
  ["letter o for zero", 2, ["20", "1ooo"], "NotANumber", "yuan2", "yuan2",
    "圆钢的长度“1ooo”不是数字。请输入数字，如 1000 或 12.5。", "", ""],
  ["square bar too heavy", 3, ["1E200", "1E200"], "FloatingPointFault", "fang3", "fang1",
    "方钢的重量太大，无法计算。请检查输入的数字。", "", ""],
  ["long text is cut", 4, [long, "1000"], "NotANumber", "liu1", "liu1",
    `六角钢的对边距离“${"x".repeat(30)}…”不是数字。请输入数字，如 1000 或 12.5。`, "", ""],
  ["cut before a pair", 4, ["20", astral], "NotANumber", "liu2", "liu2",
    `六角钢的长度“${"1".repeat(29)}…”不是数字。请输入数字，如 1000 或 12.5。`, "", ""],
  ["angle in trade notation", 5, ["20x3", "1000"], "UnknownModel", "dj1", "dj1",
    "等边角钢规格“20x3”不在列表中。\n是否改用列表中的“20×3”计算？", "20×3", "改用“20×3”"],
  ["angle length beyond doubles", 5, ["20×3", "1E400"], "FloatingPointFault", "dj3", "dj2",
    "等边角钢的重量太大，无法计算。请检查输入的数字。", "", ""],
  ["unequal angle length blank", 6, ["25×16×3", ""],
    "NotANumber", "bj2", "bj2", "请输入不等边角钢的长度。", "", ""],
  ["channel without a guess", 7, ["16b", "1000"], "UnknownModel", "cg1", "cg1",
    "槽钢型号“16b”不在列表中。请从列表中选择。", "", ""],
  ["empty I-beam model", 8, ["", "1000"], "UnknownModel", "gg1", "gg1",
    "请选择或输入工字钢的型号。", "", ""],
];

describe("failures in the window's words", () => {
  for (const [name, frame, texts, kind, control, field, message, suggestion, choice] of failures) {
    test(name, () => {
      const fields = fieldsOf(frame, texts);
      assert.deepEqual(core.calculate(frame), {
        kind, control, field, message, suggestion, choice,
      });
      assert.deepEqual(fields.writes, [], "nothing is written on a failure");
      assert.equal(fields.texts.get(frames[frame].result), "earlier");
    });
  }

  test("a box the page lacks is the toolkit's failure, with no field to correct", () => {
    core.fields = new Fields({ bj1: "25×16×3", bj3: "earlier" });
    assert.deepEqual(core.calculate(6), {
      kind: "ToolkitError", control: "bj2", field: "",
      message: "界面错误：无法读取或写入不等边角钢长度框的文字。", suggestion: "", choice: "",
    });
  });

  test("a result box that cannot be set is the toolkit's failure", () => {
    core.fields = new Fields({ fang1: "20", fang2: "1000" });
    assert.equal(core.calculate(3).kind, "ToolkitError");
    assert.equal(core.fields.texts.has("fang3"), false);
  });

  test("an unknown model is reported before its length is read", () => {
    const fields = fieldsOf(7, ["16b", "not read"]);
    core.calculate(7);
    assert.deepEqual(fields.reads, ["cg1"]);
  });

  test("a text of 100000 units is read whole, to its last letter", () => {
    fieldsOf(2, ["1".repeat(99999) + "a", "1000"]);
    const failure = core.calculate(2);
    assert.equal(failure.kind, "NotANumber");
    assert.equal(failure.message,
      `圆钢的直径“${"1".repeat(30)}…”不是数字。请输入数字，如 1000 或 12.5。`);
  });
});

// Frame, typed model, the listed model suggested for it.
const suggestions = [
  [5, "∠20x3", "20×3"],
  [5, "Ｌ２０＊３", "20×3"],
  [6, "25x16x3", "25×16×3"],
  [7, "槽16a", "16a"],
  [7, "16#", "16"],
  [8, "工20a", "20a"],
  [8, "I10#", "10"],
];

// The reference row of a frame's model: its length and weight.
function referenceFor(frame, model) {
  const row = rows.find((r) => r[0] === frames[frame].result && r[1] === model);
  assert.ok(row, `a reference row for ${model}`);
  return { length: row[2], weight: row[3] };
}

describe("suggestions taken as the window takes them", () => {
  for (const [frame, typed, listed] of suggestions) {
    test(`${typed} -> ${listed}, then weighed`, () => {
      const { length, weight } = referenceFor(frame, listed);
      const fields = fieldsOf(frame, [typed, length]);
      const failure = core.calculate(frame);
      assert.equal(failure.suggestion, listed);
      assert.equal(core.acceptSuggestion(frame), null);
      const [model] = frames[frame].inputs;
      assert.equal(fields.texts.get(model), listed);
      assert.equal(fields.texts.get(frames[frame].result), weight);
      assert.deepEqual(fields.writes, [model, frames[frame].result]);
    });
  }

  test("only the frame that offered it can take it", () => {
    fieldsOf(5, ["20x3", "1000"]);
    core.calculate(5);
    assert.throws(() => core.acceptSuggestion(7), RangeError);
  });

  test("a failure without a suggestion offers none to take", () => {
    fieldsOf(7, ["16b", "1000"]);
    core.calculate(7);
    assert.throws(() => core.acceptSuggestion(7), RangeError);
  });

  test("a success in its own frame withdraws it", () => {
    const fields = fieldsOf(5, ["20x3", "1000"]);
    core.calculate(5);
    fields.texts.set("dj1", "20×3");
    assert.equal(core.calculate(5), null);
    assert.throws(() => core.acceptSuggestion(5), RangeError);
  });

  test("it stays takeable while other frames are computed, failing or not", () => {
    const angle = fieldsOf(5, ["20x3", "1000"]);
    core.calculate(5);
    fieldsOf(6, ["25×16×3", "1000"]);
    assert.equal(core.calculate(6), null);
    fieldsOf(7, ["16b", "1000"]);
    assert.equal(core.calculate(7).kind, "UnknownModel");
    core.fields = angle;
    assert.equal(core.acceptSuggestion(5), null);
    assert.equal(angle.texts.get("dj1"), "20×3");
    assert.equal(angle.texts.get("dj3"), "0.889");
  });

  test("a model box that cannot be set fails as the toolkit's, writing nothing", () => {
    fieldsOf(5, ["20x3", "1000"]);
    core.calculate(5);
    core.fields.texts.delete("dj1");
    assert.equal(core.acceptSuggestion(5).kind, "ToolkitError");
    assert.equal(core.fields.texts.get("dj3"), "earlier");
  });
});

describe("frames are numbered in the core's order", () => {
  test("the page's frames stand in that order, each with the core's boxes", () => {
    const ids = (html, tag) => [...html.matchAll(new RegExp(`<${tag} id="([^"]+)"`, "g"))].map((m) => m[1]);
    const page = readFileSync(`${dist}/index.html`, "utf8");
    const written = [...page.matchAll(/<section id="(\w+)"[^]*?<\/section>/g)].map(([html, frame]) =>
      ({ frame, button: ids(html, "button")[0], result: ids(html, "output")[0], inputs: ids(html, "input") }));
    assert.deepEqual(written, core.frames());
  });

  for (const frame of [0, core.frames().length + 1, -1]) {
    test(`frame ${frame} has no calculator`, () => {
      assert.throws(() => core.calculate(frame), RangeError);
    });
  }
});
