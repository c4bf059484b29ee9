// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests of the page know of the window, from its printed layout: its frames by number,
// with their input boxes in the order the reference file gives their texts, and the result box.
//   frameWriting("dj3") -> 5
export const frames = {
  1: { inputs: ["chang1", "chang2", "chang3", "Combo1"], result: "jieguo1" },
  2: { inputs: ["yuan1", "yuan2"], result: "yuan3" },
  3: { inputs: ["fang1", "fang2"], result: "fang3" },
  4: { inputs: ["liu1", "liu2"], result: "liu3" },
  5: { inputs: ["dj1", "dj2"], result: "dj3" },
  6: { inputs: ["bj1", "bj2"], result: "bj3" },
  7: { inputs: ["cg1", "cg2"], result: "cg3" },
  8: { inputs: ["gg1", "gg2"], result: "gg3" },
};

export const frameWriting = (result) =>
  Number(Object.keys(frames).find((n) => frames[n].result === result));
