// The offline cache: the service worker beside index.html keeps every file
// of the page, so that it opens without a network after the first visit.
export function registerOffline() {
  if (!("serviceWorker" in navigator)) return;
  navigator.serviceWorker.register(new URL("../sw.js", import.meta.url)).catch(() => {
    // Without a worker the page still works while online.
  });
}
