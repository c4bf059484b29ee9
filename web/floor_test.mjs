// SPDX-License-Identifier: GPL-3.0-or-later
// The page's style against the oldest browsers it serves (.browserslistrc, or BROWSERSLIST_CONFIG):
// doiuse names every feature that one of them lacks, in whole or in part, and each fails the test.
// (doiuse's own command line stops reading at an apostrophe in a comment, and then finds nothing.)
//   node floor_test.mjs dist/style.css
import { readFileSync } from "node:fs";
import doiuse from "doiuse";
import postcss from "postcss";

// Features whose absence leaves the page as it should be: the text's size on a turned phone (the
// older browsers size it as they would anyway), and the ring's withdrawal from a tapped button
// (the older browsers then keep it).
const harmless = ["text-size-adjust", "css-focus-visible"];

// doiuse names the overflow property whole for its newer values (clip, two values); hidden has
// been in every browser for decades.
const hidden = (usage) => usage.feature === "css-overflow" && usage.usage?.value === "hidden";

const [file] = process.argv.slice(2);
const found = [];
const seen = (usage) => hidden(usage) || found.push(usage.message);
await postcss([doiuse({ ignore: harmless, onFeatureUsage: seen })])
  .process(readFileSync(file, "utf8"), { from: file });
for (const message of found) console.error(message);
console.log(`${file}: ${found.length} features beyond the oldest browsers`);
process.exitCode = found.length ? 1 : 0;
