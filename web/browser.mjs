// SPDX-License-Identifier: GPL-3.0-or-later
// What the browser tests and the benchmark share: the built page served on this machine's own
// address, and Debian's Chromium, headless, driven through the DevTools protocol over a pipe
// (no WebSocket, no port of its own, no driver program); and the servers and drivers that tests
// start: a free port, a program ended by stop(), a wait until it answers.
//   const server = await serve(dist, { gzip: true });  server.origin -> "http://127.0.0.1:41234"
//   const browser = await launch();  const page = await browser.newPage();
//   await page.send("Page.navigate", { url: server.origin + "/" });
import { spawn } from "node:child_process";
import { once } from "node:events";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { createServer } from "node:http";
import { createServer as createListener } from "node:net";
import { tmpdir } from "node:os";
import { extname, join, normalize } from "node:path";
import { gzipSync } from "node:zlib";

const types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".wasm": "application/wasm",
  ".webmanifest": "application/manifest+json; charset=utf-8",
  ".svg": "image/svg+xml",
  ".png": "image/png",
};

// The files of DIST as any static web server gives them; with gzip, compressed at its highest
// level for a client that accepts it, as a server set up for a release would; with maxAge, each
// kept by the browser's HTTP cache for that many seconds, as common hosting gives them; HEADERS
// sent with every file. Every request's path is kept in `requests`; `dist` may be changed to
// serve another release;
// hold(path) keeps that file back until the function it returns is called; stop() closes the
// server and every connection to it.
export async function serve(dist, { gzip = false, maxAge = 0, headers: sent = {} } = {}) {
  const requests = [];
  const held = new Map();
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, "http://x").pathname);
    requests.push(path);
    await held.get(path);
    const file = join(served.dist, normalize(path.endsWith("/") ? `${path}index.html` : path));
    let body;
    try {
      body = readFileSync(file);
    } catch {
      response.writeHead(404).end();
      return;
    }
    const headers = { ...sent, "Content-Type": types[extname(file)] ?? "application/octet-stream" };
    if (maxAge) headers["Cache-Control"] = `max-age=${maxAge}`;
    if (gzip && /\bgzip\b/.test(request.headers["accept-encoding"] ?? "")) {
      body = gzipSync(body, { level: 9 });
      headers["Content-Encoding"] = "gzip";
    }
    headers["Content-Length"] = body.length;
    response.writeHead(200, headers).end(body);
  });
  server.listen(0, "127.0.0.1");
  await once(server, "listening");
  const served = {
    dist,
    origin: `http://127.0.0.1:${server.address().port}`,
    requests,
    hold(path) {
      let release;
      held.set(path, new Promise((resolve) => (release = resolve)));
      return () => {
        held.delete(path);
        release();
      };
    },
    stop() {
      server.closeAllConnections();
      return new Promise((resolve) => server.close(resolve));
    },
  };
  return served;
}

// One DevTools session: a page's, a worker's, or (no id) the browser's own.
class Session {
  constructor(browser, id) {
    this.browser = browser;
    this.id = id;
    this.handlers = new Map();
  }
  send(method, params = {}) {
    return this.browser.command(this.id, method, params);
  }
  on(method, handler) {
    if (!this.handlers.has(method)) this.handlers.set(method, []);
    this.handlers.get(method).push(handler);
  }
  // The next METHOD event for which TEST holds, within MS milliseconds.
  waitFor(method, test = () => true, ms = 30000) {
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error(`no ${method} within ${ms} ms`)), ms);
      this.on(method, (params) => {
        if (!test(params)) return false;
        clearTimeout(timer);
        resolve(params);
        return true;
      });
    });
  }
  emit(method, params) {
    const handlers = this.handlers.get(method) ?? [];
    // A handler that returns true has had what it waited for.
    this.handlers.set(method, handlers.filter((handler) => handler(params) !== true));
  }
}

// Chromium as root in a build root needs no sandbox of its own (the root is one); the flags keep
// it from asking anything of the network by itself.
const flags = [
  "--headless",
  "--no-sandbox",
  "--disable-dev-shm-usage",
  "--disable-gpu",
  "--remote-debugging-pipe",
  "--no-first-run",
  "--no-default-browser-check",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
  "--disable-extensions",
  "--metrics-recording-only",
  "--password-store=basic",
  "--use-mock-keychain",
  "--hide-scrollbars",
  "--lang=zh-CN",
];

// Debian's Chromium (or $CHROMIUM, or EXECUTABLE with FLAGS and ENV of its own) with a profile of
// its own, removed by close().
export async function launch({ executable, flags: own = [], env = {} } = {}) {
  const profile = mkdtempSync(join(tmpdir(), "hengtiebao-chromium-"));
  // A process group of its own, so that close() ends its helpers too.
  const child = spawn(executable ?? process.env.CHROMIUM ?? "chromium", [...flags, ...own,
    `--user-data-dir=${profile}`, "about:blank"],
  { stdio: ["ignore", "ignore", "pipe", "pipe", "pipe"], detached: true, env: { ...process.env, ...env } });
  let log = "";
  child.stderr.on("data", (chunk) => (log = (log + chunk).slice(-4000)));
  const browser = new Browser(child, profile);
  child.on("exit", (code) => browser.fail(new Error(`Chromium exited (${code}):\n${log}`)));
  // Every tab and worker is attached as it starts, held until what it asks of the network is
  // watched (see attached()).
  await browser.session.send("Target.setAutoAttach",
    { autoAttach: true, waitForDebuggerOnStart: true, flatten: true });
  return browser;
}

class Browser {
  constructor(child, profile) {
    this.child = child;
    this.profile = profile;
    this.next = 1;
    this.pending = new Map();
    this.sessions = new Map();
    this.session = new Session(this, undefined);
    let buffered = "";
    // Messages are JSON, each ended by a NUL byte.
    child.stdio[4].on("data", (chunk) => {
      const parts = (buffered + chunk.toString("utf8")).split("\0");
      buffered = parts.pop();
      for (const part of parts) this.receive(JSON.parse(part));
    });
    this.watchers = [];
    this.targets = new Map();
    this.session.on("Target.attachedToTarget", async ({ sessionId, targetInfo }) => {
      const session = new Session(this, sessionId);
      session.target = targetInfo;
      this.sessions.set(sessionId, session);
      try {
        for (const watch of this.watchers) await watch(session);
        await session.send("Runtime.runIfWaitingForDebugger");
      } catch {
        // A target closed before it ran.
      }
      this.targets.set(targetInfo.targetId, session);
      this.session.emit("attached", session);
    });
  }
  // WATCH(session) runs for each tab and worker attached from now on, before it runs.
  attached(watch) {
    this.watchers.push(watch);
  }
  receive(message) {
    if (message.id !== undefined) {
      const { resolve, reject, method } = this.pending.get(message.id);
      this.pending.delete(message.id);
      if (message.error) reject(new Error(`${method}: ${message.error.message}`));
      else resolve(message.result);
      return;
    }
    const session = message.sessionId ? this.sessions.get(message.sessionId) : this.session;
    session?.emit(message.method, message.params);
  }
  command(sessionId, method, params) {
    const id = this.next++;
    this.child.stdio[3].write(`${JSON.stringify({ id, sessionId, method, params })}\0`);
    return new Promise((resolve, reject) => this.pending.set(id, { resolve, reject, method }));
  }
  fail(error) {
    for (const { reject } of this.pending.values()) reject(error);
    this.pending.clear();
  }
  // A new tab (in a context of its own, with nothing kept from another, if asked), attached.
  async newPage({ isolated = false } = {}) {
    const context = isolated
      ? (await this.session.send("Target.createBrowserContext")).browserContextId
      : undefined;
    const { targetId } = await this.session.send("Target.createTarget",
      { url: "about:blank", browserContextId: context });
    const page = this.targets.get(targetId) ??
      (await this.session.waitFor("attached", (session) => session.target.targetId === targetId));
    page.context = context;
    page.targetId = targetId;
    return page;
  }
  async closePage(page) {
    await this.session.send("Target.closeTarget", { targetId: page.targetId });
    if (page.context)
      await this.session.send("Target.disposeBrowserContext", { browserContextId: page.context });
  }
  async close() {
    this.child.removeAllListeners("exit");
    const exited = this.child.exitCode !== null || this.child.signalCode !== null;
    const exit = exited ? Promise.resolve() : once(this.child, "exit");
    // Chromium's helpers write to the profile until they end, which under load may take seconds
    // after Chromium itself has: the whole group ends at once.
    try {
      process.kill(-this.child.pid, "SIGKILL");
    } catch {
      // The group has ended already.
    }
    await exit;
    rmSync(this.profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
  }
}

// The value of EXPRESSION in the page (awaited when it is a promise); its exception thrown here.
export async function evaluate(page, expression) {
  const { result, exceptionDetails } = await page.send("Runtime.evaluate",
    { expression, awaitPromise: true, returnByValue: true });
  if (exceptionDetails)
    throw new Error(`${expression}: ${exceptionDetails.exception?.description ?? exceptionDetails.text}`);
  return result.value;
}

// Navigates to URL (or reloads) and waits until the core has loaded (<html data-ready>).
export async function open(page, url) {
  const loaded = page.waitFor("Page.loadEventFired");
  if (url) await page.send("Page.navigate", { url });
  else await page.send("Page.reload");
  await loaded;
  await evaluate(page, `new Promise((resolve, reject) => {
    const end = Date.now() + 30000;
    const check = () => document.documentElement.hasAttribute("data-ready") ? resolve(true)
      : Date.now() > end ? reject(new Error("the core not loaded within 30 s"))
      : setTimeout(check, 5);
    check();
  })`);
}

// A finger's tap in the middle of the element with ID, scrolled into view first: the touch goes
// to whatever is drawn there, so an element covered by another is not tapped.
export async function tap(page, id) {
  const { x, y } = await evaluate(page, `(() => {
    const element = document.getElementById(${JSON.stringify(id)});
    element.scrollIntoView({ block: "center", inline: "center" });
    const box = element.getBoundingClientRect();
    return { x: box.left + box.width / 2, y: box.top + box.height / 2 };
  })()`);
  const point = [{ x, y, radiusX: 4, radiusY: 4, force: 1, id: 0 }];
  await page.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: point });
  await page.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
}

// Types TEXT into the field with ID as a keyboard would, in place of what it held: tapped to
// focus it, its text selected, then the text inserted.
export async function type(page, id, text) {
  await tap(page, id);
  await evaluate(page, `document.getElementById(${JSON.stringify(id)}).select()`);
  if (text) await page.send("Input.insertText", { text });
  else await page.send("Input.dispatchKeyEvent", { type: "keyDown", key: "Delete", code: "Delete",
    windowsVirtualKeyCode: 46 });
}

// A port of this machine that no one listens on.
export async function freePort() {
  const probe = createListener().listen(0, "127.0.0.1");
  await once(probe, "listening");
  const { port } = probe.address();
  probe.close();
  return port;
}

// A program that stop() ends, with its standard error kept for a failure's report.
export function started(program, args, options = {}) {
  const child = spawn(program, args, { stdio: ["ignore", "ignore", "pipe"], ...options });
  const exited = once(child, "exit");
  child.log = "";
  child.stderr.on("data", (chunk) => (child.log += chunk));
  child.stop = async () => {
    child.kill();
    await exited;
  };
  return child;
}

// Once URL answers; CHILD, the program that serves it, ending first or 10 s passing throw with
// its standard error.
export async function answering(url, child) {
  for (const end = Date.now() + 10000; !(await fetch(url).then(() => true, () => false));) {
    if (Date.now() > end || child.exitCode !== null) throw new Error(`${url} did not answer:\n${child.log}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}
