// SPDX-License-Identifier: GPL-3.0-or-later
// The page's service worker: keeps the page's files in a cache named by their digest, written by
// the build, and serves them from there, so that after one visit the page opens and computes
// offline. A new build has a new name: its files replace the old ones whole.
const CACHE = "hengtiebao-@DIGEST@";
const FILES = [@FILES@];

addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)));
  skipWaiting();
});

addEventListener("activate", (event) => {
  const old = (names) => names.filter((name) => name.startsWith("hengtiebao-") && name !== CACHE);
  event.waitUntil(
    caches
      .keys()
      .then((names) => Promise.all(old(names).map((name) => caches.delete(name))))
      .then(() => clients.claim()),
  );
});

// The page itself for any address of it (with #Frame5, or the folder alone), the kept file for
// the others; what is not kept comes from the network as usual.
addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== location.origin) return;
  const kept = request.mode === "navigate" ? "index.html" : request;
  event.respondWith(
    caches
      .open(CACHE)
      .then((cache) => cache.match(kept, { ignoreSearch: true }))
      .then((response) => response || fetch(request)),
  );
});
