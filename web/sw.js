// The offline cache of the page. The build fills in Files (every file of the
// page, relative to this worker) and Version (a digest of their contents),
// so that a changed page replaces the whole cache at once.
const Version = "@VERSION@";
const Files = @FILES@;
const CacheName = "rnrr-password-" + Version;

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CacheName).then((cache) => cache.addAll(Files)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((n) => n.startsWith("rnrr-password-") && n !== CacheName).map((n) => caches.delete(n))))
      .then(() => self.clients.claim()),
  );
});

// The cache first, the network for anything it lacks; the page's address
// with any query is the cached index.html.
self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) return;
  const lookup = request.mode === "navigate" ? caches.match(new URL("./", self.location).href, { ignoreSearch: true }) : caches.match(request);
  event.respondWith(lookup.then((hit) => hit || fetch(request)));
});
