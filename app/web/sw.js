// Keeps the page playable offline. Each build caches under its own name, and the page asks for
// every file with the build's name in its address: a page of one build is never given another
// build's files, and a new build's worker deletes every older cache once it takes over.
"use strict";
const BUILD = "@BUILD@";
const CACHE = "vintalem-" + BUILD;
const SMALL = ["manifest.webmanifest", "favicon.ico", "icona-192.png", "icona-512.png", "qrcode.js"];

self.addEventListener("install", (event) => {
  // The page and the small files now; the code is kept as the page fetches it, so that it is
  // downloaded once.
  const files = ["index.html", ...["pagina.js", ...SMALL].map((f) => f + "?build=" + BUILD)];
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(files.map((f) => new Request(f, { cache: "reload" }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith("vintalem-") && n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== "GET" || url.origin !== location.origin) return;
  if (request.mode === "navigate") {
    // The page from the network while there is one, asked again of the server rather than taken
    // from the browser's cache, so that a new build is found at once.
    event.respondWith(fetch(request.url, { cache: "no-cache", credentials: "same-origin" }).catch(() => caches.open(CACHE).then((cache) => cache.match("index.html")))
      .then((response) => response || Response.error()));
    return;
  }
  if (url.searchParams.get("build") !== BUILD) return;
  event.respondWith(caches.open(CACHE).then((cache) => cache.match(request).then((hit) => hit || fetch(request).then((response) => {
    if (response.ok) cache.put(request, response.clone());
    return response;
  }))));
});
