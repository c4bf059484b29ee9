// SPDX-License-Identifier: GPL-3.0-or-later
// The page's other engines behind the same few calls, for tests that drive the page through
// scripts run in it: Firefox ESR through WebDriver BiDi (puppeteer-core, from npm); WebKit, the
// engine of every iPhone browser, through WebKitWebDriver (Debian's webkit2gtk-driver) and its
// MiniBrowser on an X server of its own; and Chromium 86, the oldest Chrome the page serves, as
// npm's chrome-aws-lambda ships it, through the DevTools protocol as browser.mjs drives Debian's.
//   const tab = await startEngine("webkit");  await tab.open(url);
//   await tab.evaluate("document.title");  await tab.screenshot(png);  await tab.close();
import { existsSync, mkdirSync, readFileSync, renameSync, rmSync, writeFileSync } from "node:fs";
import { execFileSync } from "node:child_process";
import { brotliDecompressSync } from "node:zlib";
import puppeteer from "puppeteer-core";
import { answering, evaluate, freePort, launch, started } from "./browser.mjs";

export function startEngine(name) {
  if (name === "firefox") return firefox();
  if (name === "webkit") return webkit();
  if (name === "chromium86") return chromium86();
  throw new Error(`no engine ${name}`);
}

async function firefox() {
  const browser = await puppeteer.launch({
    browser: "firefox",
    executablePath: process.env.FIREFOX,
    headless: true,
  });
  const page = await browser.newPage();
  return {
    version: `Firefox ${await browser.version()}`,
    open: (url) => page.goto(url, { waitUntil: "load" }),
    evaluate: (expression) => page.evaluate(expression),
    resize: (width, height) => page.setViewport({ width, height }),
    screenshot: (path) => page.screenshot({ path }),
    close: () => browser.close(),
  };
}

// Xvfb on a display it picks itself (-displayfd), never a fixed number that another run holds.
async function xServer() {
  const x = started("Xvfb", ["-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
    { stdio: ["ignore", "ignore", "pipe", "pipe"] });
  let number = "";
  for await (const chunk of x.stdio[3]) {
    number += chunk;
    if (number.endsWith("\n")) break;
  }
  if (!number.trim()) throw new Error(`Xvfb gave no display:\n${x.log}`);
  x.display = `:${number.trim()}`;
  return x;
}

async function webkit() {
  const x = await xServer();
  const port = await freePort();
  const driver = started(process.env.WEBKIT_DRIVER, [`--port=${port}`, "--host=127.0.0.1"],
    { env: { ...process.env, DISPLAY: x.display } });
  const base = `http://127.0.0.1:${port}`;
  const call = async (method, path, body) => {
    const response = await fetch(`${base}${path}`, {
      method,
      headers: { "Content-Type": "application/json" },
      body: body && JSON.stringify(body),
    });
    const { value } = await response.json();
    if (value?.error) throw new Error(`${value.error}: ${value.message}`);
    return value;
  };
  await answering(`${base}/status`, driver);
  const { sessionId, capabilities } = await call("POST", "/session", {
    capabilities: {
      alwaysMatch: {
        "webkitgtk:browserOptions": { binary: process.env.MINIBROWSER, args: ["--automation"] },
      },
    },
  });
  const session = `/session/${sessionId}`;
  return {
    version: `WebKit ${capabilities.browserVersion}`,
    open: (url) => call("POST", `${session}/url`, { url }),
    // The expression's value, once settled; a throw or a rejection in the page throws here.
    async evaluate(expression) {
      const { value, error } = await call("POST", `${session}/execute/async`, {
        script: `const done = arguments[0];
          Promise.resolve().then(() => (${expression}))
            .then((value) => done({ value }), (error) => done({ error: String(error) }));`,
        args: [],
      });
      if (error) throw new Error(error);
      return value;
    },
    resize: (width, height) => call("POST", `${session}/window/rect`, { width, height }),
    async screenshot(path) {
      writeFileSync(path, Buffer.from(await call("GET", `${session}/screenshot`), "base64"));
    },
    async close() {
      await call("DELETE", session).catch(() => {});
      await driver.stop();
      await x.stop();
    },
  };
}

// chrome-aws-lambda's Chromium, its libraries and its software GL, unpacked once into FOLDER
// (brotli, which Node's zlib reads).
function unpackChromium86(folder) {
  if (existsSync(`${folder}/chromium`)) return;
  const packed = new URL("node_modules/chrome-aws-lambda/bin/", import.meta.url);
  const unpack = (file) => brotliDecompressSync(readFileSync(new URL(file, packed)));
  const partial = `${folder}.partial`;
  rmSync(partial, { recursive: true, force: true });
  mkdirSync(`${partial}/swiftshader`, { recursive: true });
  writeFileSync(`${partial}/aws.tar`, unpack("aws.tar.br"));
  writeFileSync(`${partial}/swiftshader.tar`, unpack("swiftshader.tar.br"));
  execFileSync("tar", ["-xf", "aws.tar"], { cwd: partial });
  execFileSync("tar", ["-xf", "../swiftshader.tar"], { cwd: `${partial}/swiftshader` });
  writeFileSync(`${partial}/chromium`, unpack("chromium.br"), { mode: 0o755 });
  renameSync(partial, folder);
}

async function chromium86() {
  const folder = process.env.CHROMIUM86;
  unpackChromium86(folder);
  // Built to run alone in a cloud function: one process, no zygote.
  const browser = await launch({ executable: `${folder}/chromium`,
    flags: ["--no-zygote", "--single-process"],
    env: { LD_LIBRARY_PATH: `${folder}/lib:${folder}/swiftshader` } });
  const page = await browser.newPage();
  await page.send("Page.enable");
  const phone = (width, height) => page.send("Emulation.setDeviceMetricsOverride",
    { width, height, deviceScaleFactor: 1, mobile: true });
  return {
    version: (await browser.session.send("Browser.getVersion")).product,
    open: (url) => page.send("Page.navigate", { url }),
    evaluate: (expression) => evaluate(page, expression),
    resize: phone,
    async screenshot(path) {
      const { data } = await page.send("Page.captureScreenshot", { format: "png" });
      writeFileSync(path, Buffer.from(data, "base64"));
    },
    close: () => browser.close(),
  };
}
