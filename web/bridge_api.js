// SPDX-License-Identifier: GPL-3.0-or-later
// The bridge's JavaScript face, appended inside the module that emscripten writes (its
// --post-js). The page and its tests call only these, once the module has loaded:
//   const core = await createHengtiebao({fields});
//       fields.getText(name) -> the text of the control named so ("chang1", "dj1"), or null;
//       fields.setText(name, text) -> true once the control shows text.
//   core.calculate(5)        -> null: the weight written to dj3
//   core.calculate(5)        -> {kind: "UnknownModel", control: "dj1", field: "dj1",
//                                message: "等边角钢规格“20x3”不在列表中。\n是否改用列表中的“20×3”计算？",
//                                suggestion: "20×3", choice: "改用“20×3”"}
//   core.acceptSuggestion(5) -> null: "20×3" written to dj1, then the weight to dj3
//   core.frames()            -> [{frame: "Frame1", button: "Command1", result: "jieguo1",
//                                 inputs: ["chang1", "chang2", "chang3", "Combo1"]}, ...]
// A failure names the control at fault (control), the one to correct and focus (field, "" for
// none), the window's message, and a suggestion with its button's words ("" for none). Frames
// are numbered in the core's order, frame N at frames()[N - 1]; another number throws a
// RangeError, and so does acceptSuggestion when the frame's last failure offered no suggestion.
// Each frame keeps its own last failure, so a suggestion left showing in one stays takeable while
// others are computed.
function handedOut(length) {
  const start = _hengtiebao_out() >> 1;
  let text = "";
  for (let i = 0; i < length; ++i) text += String.fromCharCode(HEAPU16[start + i]);
  return text;
}

const failurePart = (part) => handedOut(_hengtiebao_failure_part(part));

function outcome(status, what) {
  if (status < 0) throw new RangeError(what);
  if (status === 0) return null;
  return {
    kind: failurePart(5),
    control: failurePart(0),
    field: failurePart(1),
    message: failurePart(2),
    suggestion: failurePart(3),
    choice: failurePart(4),
  };
}

Module.calculate = (frame) =>
  outcome(_hengtiebao_calculate(frame), `no calculator in frame ${frame}`);
Module.acceptSuggestion = (frame) =>
  outcome(_hengtiebao_accept_suggestion(frame), `no suggestion offered in frame ${frame}`);

Module.frames = () =>
  handedOut(_hengtiebao_frames())
    .split("\n")
    .map((line) => {
      // No rest pattern: emscripten's optimizer of this file does not know it.
      const words = line.split(" ");
      return { frame: words[0], button: words[1], result: words[2], inputs: words.slice(3) };
    });
