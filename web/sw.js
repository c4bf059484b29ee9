// SPDX-License-Identifier: GPL-3.0-or-later
// The page's service worker: keeps the page's files in a cache named by their digest, written by
// the build, and serves them from there, so that after one visit the page opens and computes
// offline. A new build has a new name: its files replace the old ones whole.
// The name starts with the worker's scope: another copy of the page on the same origin (/a/ and
// /b/) has caches of its own, which this one never deletes.
const SCOPE = `hengtiebao ${registration.scope} `;
const CACHE = `${SCOPE}@DIGEST@`;
// Each kept file with the SHA-256 of its bytes, as the build wrote them.
const FILES = {@FILES@};
const PAGE = new URL("index.html", registration.scope).href;
const KEPT = new Set(Object.keys(FILES).map((file) => new URL(file, registration.scope).href));

const hex = (bytes) =>
  Array.from(new Uint8Array(bytes), (byte) => byte.toString(16).padStart(2, "0")).join("");

// FILE as this release built it, fetched past the browser's HTTP cache, which may still hold an
// earlier release's. Bytes of another release (a deploy half done, a host's error page) throw.
// Kept as a response of its own address: a host may answer index.html with a redirect to the
// folder, and browsers refuse a redirected response to a navigation.
async function fetchBuilt(file) {
  const response = await fetch(new Request(file, { cache: "reload" }));
  const bytes = await response.arrayBuffer();
  const digest = hex(await crypto.subtle.digest("SHA-256", bytes));
  if (!response.ok || digest !== FILES[file]) throw new Error(`${file}: not this release's bytes`);
  const type = response.headers.get("Content-Type");
  return new Response(bytes, { headers: type ? { "Content-Type": type } : {} });
}

// Every kept file, checked, into the release's cache; none when any cannot be had, so that the
// release is not installed and is tried again at the next visit.
async function keep() {
  const files = Object.keys(FILES);
  const responses = await Promise.all(files.map(fetchBuilt));
  const cache = await caches.open(CACHE);
  await Promise.all(files.map((file, i) => cache.put(new URL(file, registration.scope).href,
    responses[i])));
}

// A new release waits until the page tells it that no typed text would be lost.
addEventListener("install", (event) => event.waitUntil(keep()));
addEventListener("message", (event) => {
  if (event.data === "take over") skipWaiting();
});

addEventListener("activate", (event) => {
  const old = (names) => names.filter((name) => name.startsWith(SCOPE) && name !== CACHE);
  event.waitUntil(
    caches
      .keys()
      .then((names) => Promise.all(old(names).map((name) => caches.delete(name))))
      .then(() => clients.claim()),
  );
});

// The kept file, or nothing where storage fails or has lost it.
const fromCache = (address) =>
  caches.open(CACHE).then((cache) => cache.match(address), () => undefined).catch(() => undefined);

// The page for its own addresses (its folder or index.html, with any query or #frame), the kept
// file for the others; what is not kept goes to the network as if there were no worker. A kept
// file the cache cannot give comes from the network, and the cache is filled again behind it.
addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET") return;
  const url = new URL(request.url);
  url.search = "";
  url.hash = "";
  const address = url.href === registration.scope ? PAGE : url.href;
  if (!KEPT.has(address)) return;
  event.respondWith(
    fromCache(address).then((kept) => {
      if (kept) return kept;
      event.waitUntil(keep().catch(() => {}));
      return fetch(request);
    }),
  );
});
