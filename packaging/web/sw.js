// Keeps the site's files at the first visit and serves them from there, so that the page starts
// with no network afterwards. Each version of the site has a cache of its own; a new version
// replaces the old one.
"use strict";
const CACHE = "capacita-@VERSIONE@";
const FILE = [@FILE@];

self.addEventListener("install", (evento) => {
  evento.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILE)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (evento) => {
  evento.waitUntil(caches.keys()
    .then((nomi) => Promise.all(nomi.filter((n) => n.startsWith("capacita-") && n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (evento) => {
  if (evento.request.method !== "GET")
    return;
  evento.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(evento.request, { ignoreSearch: true }))
    .then((tenuto) => tenuto || fetch(evento.request)));
});
