// The offline cache: the service worker beside index.html keeps every file
// of the page, so that it opens without a network after the first visit.
// The one-file page opened from disk needs none.
export function registerOffline() {
  if (!("serviceWorker" in navigator) || location.protocol === "file:") return;
  navigator.serviceWorker.register(new URL("../sw.js", import.meta.url)).catch(() => {
    // Without a worker the page still works while online.
  });
}
