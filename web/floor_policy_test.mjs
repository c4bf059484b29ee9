// SPDX-License-Identifier: GPL-3.0-or-later
// The page's policy against the oldest browsers it serves (.browserslistrc, or BROWSERSLIST_CONFIG),
// as browser-compat-data (npm's @mdn/browser-compat-data) knows them: the policy of the page's
// <meta> and of each header in the shipped nginx.conf. A keyword one of them lacks fails: there it
// refuses what the page needs (Chrome 86 knows no 'wasm-unsafe-eval', and compiles no
// WebAssembly under it). So does a directive one of them lacks, unless the directive it falls
// back to there allows the same sources.
//   node floor_policy_test.mjs dist
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import browserslist from "browserslist";

const bcd = createRequire(import.meta.url)("@mdn/browser-compat-data");
const csp = bcd.http.headers["Content-Security-Policy"];

// browserslist's names for the browsers, browser-compat-data's for the same.
const names = {
  chrome: "chrome", and_chr: "chrome_android", safari: "safari", ios_saf: "safari_ios",
  firefox: "firefox", and_ff: "firefox_android", edge: "edge", samsung: "samsunginternet_android",
  opera: "opera", op_mob: "opera_android",
};

// The oldest version of each browser the floor names: { chrome: "86", safari_ios: "14.5", ... }.
function floor() {
  const oldest = {};
  for (const entry of browserslist()) {
    const [name, versions] = entry.split(" ");
    const version = versions.split("-")[0];
    const browser = names[name];
    if (browser && (!oldest[browser] || Number.parseFloat(version) < Number.parseFloat(oldest[browser])))
      oldest[browser] = version;
  }
  return oldest;
}

const older = (a, b) => {
  const [x, y] = [a, b].map((v) => String(v).replace("≤", "").split(".").map(Number));
  for (let i = 0; i < Math.max(x.length, y.length); ++i)
    if ((x[i] ?? 0) !== (y[i] ?? 0)) return (x[i] ?? 0) < (y[i] ?? 0);
  return false;
};

// Whether COMPAT's feature works in BROWSER at VERSION without a flag or a prefix.
function supports(compat, browser, version) {
  return [compat.support[browser] ?? []].flat().some((entry) => {
    if (entry.flags || entry.prefix || entry.alternative_name) return false;
    const added = entry.version_added;
    if (added === true) return true;
    if (typeof added !== "string" || added === "preview") return false;
    const removed = entry.version_removed;
    return !older(version, added) && !(typeof removed === "string" && !older(version, removed));
  });
}

// Where a directive a browser lacks falls back to, in the order browsers use.
const fallbacks = {
  "script-src-elem": ["script-src", "default-src"],
  "style-src-elem": ["style-src", "default-src"],
  "worker-src": ["child-src", "script-src", "default-src"],
  "frame-src": ["child-src", "default-src"],
  "child-src": ["default-src"],
  "connect-src": ["default-src"],
  "img-src": ["default-src"],
  "manifest-src": ["default-src"],
  "style-src": ["default-src"],
  "script-src": ["default-src"],
  "font-src": ["default-src"],
  "media-src": ["default-src"],
  "object-src": ["default-src"],
};

// What POLICY (a policy's text) does that one of the BROWSERS lacks, in words.
export function beyondFloor(policy, browsers) {
  const directives = new Map(policy.split(";").map((part) => part.trim().split(/\s+/))
    .filter(([name]) => name).map(([name, ...sources]) => [name, sources.join(" ")]));
  const found = [];
  for (const [browser, version] of Object.entries(browsers)) {
    const at = `${browser} ${version}`;
    for (const [name, sources] of directives) {
      const compat = csp[name]?.__compat;
      if (!compat) found.push(`${name}: unknown to browser-compat-data`);
      else if (!supports(compat, browser, version)) {
        const instead = (fallbacks[name] ?? []).find((other) => directives.has(other));
        if (directives.get(instead) !== sources)
          found.push(`${at} lacks ${name}, and falls back to ${instead ?? "nothing"}`);
      }
      for (const keyword of sources.split(" ").filter((source) => source.startsWith("'"))) {
        const bare = keyword.slice(1, -1);
        const known = csp[name]?.[bare]?.__compat ?? csp[bare]?.__compat;
        if (known && !supports(known, browser, version)) found.push(`${at} lacks ${name} ${keyword}`);
      }
    }
  }
  return [...new Set(found)];
}

if (process.argv[1] === new URL(import.meta.url).pathname) {
  const [dist] = process.argv.slice(2);
  const page = readFileSync(`${dist}/index.html`, "utf8");
  const policies = [page.match(/<meta http-equiv="Content-Security-Policy" content="([^"]*)">/)[1]];
  for (const [, header] of readFileSync(`${dist}/nginx.conf`, "utf8")
    .matchAll(/add_header Content-Security-Policy "([^"]*)"/g)) policies.push(header);
  const browsers = floor();
  const found = policies.flatMap((policy) => beyondFloor(policy, browsers));
  for (const message of new Set(found)) console.error(message);
  console.log(`${policies.length} policies against ${Object.entries(browsers).map((b) => b.join(" "))
    .join(", ")}: ${new Set(found).size} findings`);
  process.exitCode = found.length || policies.length < 2 ? 1 : 0;
}
