// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests of the page know of the window: its frames by number as the core exports them,
// with their input boxes in the order the reference file gives their texts, and the result box;
// the reference file's rows; and the failures and suggestions that every engine's tests try.
//   await readFrames(dist); frames[5] -> {frame: "Frame5", button: "Command5", result: "dj3",
//                                         inputs: ["dj1", "dj2"]};  frameWriting("dj3") -> 5
import { readFileSync } from "node:fs";
import { pathToFileURL } from "node:url";
import { coreFiles } from "./test_release.mjs";

// The core of the page in DIST, loaded as the page loads it.
export async function loadCore(dist) {
  const { script, wasm } = coreFiles(dist);
  const { default: createHengtiebao } = await import(pathToFileURL(`${dist}/${script}`));
  return createHengtiebao({ wasmBinary: readFileSync(`${dist}/${wasm}`) });
}

// Filled by readFrames, before any test reads it.
export let frames = {};

// The frames of the core in DIST, numbered as the page numbers them; the core loaded.
export async function readFrames(dist) {
  const core = await loadCore(dist);
  frames = Object.fromEntries(core.frames().map((frame, i) => [i + 1, frame]));
  return core;
}

export const frameWriting = (result) =>
  Number(Object.keys(frames).find((n) => frames[n].result === result));

// The reference file's rows: { frame, result box, input texts, weight }.
export const referenceRows = (file) =>
  readFileSync(file, "utf8")
    .split("\n")
    .filter((line) => line && !line.startsWith("#") && !line.startsWith("list "))
    .map((line) => {
      const [result, ...texts] = line.split(" ");
      return { frame: frameWriting(result), result, weight: texts.pop(), texts };
    });

// name, frame, typed texts, field to correct, the window's words, a suggestion's button.
const long = "x".repeat(40);
export const failures = [
  ["empty", 1, ["", "500", "10", "7.85"], "chang1", "请输入钢板的长度。", null],
  ["blank density", 1, ["1000", "500", "10", "\u3000 "], "Combo1", "请输入钢板的密度。", null],
  ["not a number", 2, ["20", "1ooo"], "yuan2",
    "圆钢的长度“1ooo”不是数字。请输入数字，如 1000 或 12.5。", null],
  ["a long text cut", 4, [long, "1000"], "liu1",
    `六角钢的对边距离“${"x".repeat(30)}…”不是数字。请输入数字，如 1000 或 12.5。`, null],
  ["overflow", 3, ["1E200", "1E200"], "fang1", "方钢的重量太大，无法计算。请检查输入的数字。", null],
  ["overflow of a length beyond doubles", 5, ["20×3", "1E400"], "dj2",
    "等边角钢的重量太大，无法计算。请检查输入的数字。", null],
  ["unknown model, with a suggestion", 5, ["20x3", "1000"], "dj1",
    "等边角钢规格“20x3”不在列表中。\n是否改用列表中的“20×3”计算？", "改用“20×3”"],
  ["unknown model, without one", 7, ["16b", "1000"], "cg1",
    "槽钢型号“16b”不在列表中。请从列表中选择。", null],
  ["no model", 8, ["", "1000"], "gg1", "请选择或输入工字钢的型号。", null],
];

// Frame, typed model, the listed model the page offers for it.
export const suggestions = [
  [5, "∠20x3", "20×3"],
  [6, "25x16x3", "25×16×3"],
  [7, "槽16a", "16a"],
  [8, "工20a", "20a"],
];
