// SPDX-License-Identifier: GPL-3.0-or-later
// What the page's tests know of a release (a dist/ folder): the core's two files, named by the
// build for their content, the files its worker keeps, and the build's own release step run again
// on a copy of it.
//   coreFiles(dist) -> { script: "hengtiebao-0123456789abcdef.js", wasm: "hengtiebao-….wasm" }
//   release(copy, { wasm: bytes })  writes COPY's release again around another WebAssembly
//   copyRelease(dist, "site/a", "next")  the next release of DIST's page, at site/a
import { execFileSync } from "node:child_process";
import { copyFileSync, cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, utimesSync,
  writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { fileURLToPath } from "node:url";

export function coreFiles(dist) {
  const page = readFileSync(`${dist}/index.html`, "utf8");
  return {
    script: page.match(/<link rel="modulepreload" href="([^"]*)">/)[1],
    wasm: page.match(/<link rel="preload" href="([^"]*)" as="fetch"/)[1],
  };
}

// The files the worker of DIST keeps, each with the SHA-256 the build wrote for it.
export const keptDigests = (dist) =>
  JSON.parse(readFileSync(`${dist}/sw.js`, "utf8").match(/const FILES = (\{.*\});/)[1]);
export const keptFiles = (dist) => Object.keys(keptDigests(dist));

// The cache's name as the worker of DIST gives it, without its scope.
export const cacheDigest = (dist) =>
  readFileSync(`${dist}/sw.js`, "utf8").match(/const CACHE = `\$\{SCOPE\}([0-9a-f]{16})`;/)?.[1];

// A WebAssembly module with a custom section NAME added: the same code, other bytes.
export const withSection = (wasm, name) =>
  Buffer.concat([wasm, Buffer.from([0, name.length + 1, name.length]), Buffer.from(name)]);

const here = (file) => fileURLToPath(new URL(file, import.meta.url));

// The build's release step on COPY: its page, its files and its core (or the WASM given) as they
// are now, named and kept anew.
export function release(copy, { wasm } = {}) {
  const core = mkdtempSync(join(tmpdir(), "hengtiebao-core-"));
  try {
    const named = coreFiles(copy);
    copyFileSync(`${copy}/${named.script}`, `${core}/hengtiebao.js`);
    writeFileSync(`${core}/hengtiebao.wasm`, wasm ?? readFileSync(`${copy}/${named.wasm}`));
    execFileSync(process.env.CMAKE ?? "cmake", [`-DCORE=${core}`, `-DPAGE=${copy}/index.html`,
      `-DDIST=${copy}`, `-DFILES=${keptFiles(copy).join(",")}`, `-DSOURCE=${here("sw.js")}`,
      "-P", here("release.cmake")]);
  } finally {
    rmSync(core, { recursive: true, force: true });
  }
}

// A copy of DIST's page in FOLDER, put there an hour ago; with MARK, the next release, put there
// now: its script marks the page (data-release), its core has other bytes, and the build's own
// step names its files. (nginx tells a file's versions apart by time and size, and the next
// release's worker has the first's size.)
export function copyRelease(dist, folder, mark) {
  cpSync(dist, folder, { recursive: true });
  if (mark) {
    writeFileSync(`${folder}/app.js`, `${readFileSync(`${dist}/app.js`, "utf8")}` +
      `document.documentElement.dataset.release = ${JSON.stringify(mark)};\n`);
    release(folder, { wasm: withSection(readFileSync(`${dist}/${coreFiles(dist).wasm}`), mark) });
  }
  const put = new Date(Date.now() - (mark ? 0 : 3600000));
  for (const file of readdirSync(folder)) utimesSync(`${folder}/${file}`, put, put);
}
