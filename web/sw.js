// SPDX-License-Identifier: GPL-3.0-or-later
// The page's service worker: keeps the page's files in a cache named by their digest, written by
// the build, and serves them from there, so that after one visit the page opens and computes
// offline. A new build has a new name: its files replace the old ones whole.
// The name starts with the worker's scope: another copy of the page on the same origin (/a/ and
// /b/) has caches of its own, which this one never deletes.
const SCOPE = `hengtiebao ${registration.scope} `;
const CACHE = `${SCOPE}@DIGEST@`;
const FILES = [@FILES@];

// Fetched past the browser's HTTP cache, which may still hold an earlier release's files. A
// release whose files cannot all be had is not installed, and is tried again at the next visit.
addEventListener("install", (event) => {
  const fresh = FILES.map((file) => new Request(file, { cache: "reload" }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(fresh)));
  skipWaiting();
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

// The page itself for any address of it (with #Frame5, or the folder alone), the kept file for
// the others; what is not kept comes from the network as usual, and a request the network cannot
// answer (offline, or ended by a reload) fails as it would without the worker.
addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== location.origin) return;
  const kept = request.mode === "navigate" ? "index.html" : request;
  event.respondWith(
    caches
      .open(CACHE)
      .then((cache) => cache.match(kept, { ignoreSearch: true }))
      .then((response) => response || fetch(request))
      .catch(() => Response.error()),
  );
});
