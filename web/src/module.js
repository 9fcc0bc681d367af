// The WebAssembly module's script (quorvel.js, the wasm embedded) and the
// page's worker script, both carried in this bundle as text: the page runs
// the module's script itself for single answers, and starts the worker from
// a Blob URL of both scripts together.  That works opened from the file
// system, where Chromium starts no worker from a file URL and a script cannot
// fetch a file, as well as over http.
import moduleSource from "quorvel-module";
import workerSource from "quorvel-worker";
import { conversionOf } from "./conversion.js";

export const workerUrl = URL.createObjectURL(new Blob([moduleSource, "\n", workerSource], { type: "text/javascript" }));

// The module's calls (conversion.js), from a new instance of the module.
export function startConversion() {
  if (typeof createQuorvel === "undefined") {
    const script = document.createElement("script");
    script.textContent = moduleSource;
    document.head.append(script);
  }
  /* global createQuorvel */
  return createQuorvel().then(conversionOf);
}
