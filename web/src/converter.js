// The page's side of its worker (worker.js): requests answered as promises,
// progress passed on, and a worker whose module broke, or that was stopped,
// replaced by a new one, so that no input leaves the page without its
// conversion.
import { workerUrl } from "./module.js";

export class Converter {
  #worker = null;
  #pending = new Map();  // id -> {resolve, reject, progress}
  #next = 0;

  // The worker starts at once, so that its module is ready for the first
  // request.
  constructor() {
    this.#start();
  }

  // Sends `request`; resolves with the worker's last answer to it, calling
  // `progress(answer)` with any before.  Rejects with an Error whose message
  // says why when the module broke or the request was stopped.
  request(request, progress = () => {}) {
    const id = ++this.#next;
    const transfer = request.bytes ? [request.bytes.buffer] : [];
    return new Promise((resolve, reject) => {
      this.#pending.set(id, { resolve, reject, progress });
      this.#start().postMessage({ ...request, id }, transfer);
    });
  }

  // Ends what the worker is doing; its requests reject with `reason`.
  stop(reason) {
    this.#end(reason);
  }

  #start() {
    if (this.#worker) return this.#worker;
    const worker = new Worker(workerUrl);
    worker.onmessage = ({ data }) => {
      const waiting = this.#pending.get(data.id);
      if (!waiting) return;
      if (data.broken) {
        this.#end(`the conversion failed (${data.broken}) and was started anew`);
      } else if (data.progress !== undefined) {
        waiting.progress(data);
      } else {
        this.#pending.delete(data.id);
        waiting.resolve(data);
      }
    };
    worker.onerror = (event) => {
      event.preventDefault();
      this.#end(`the conversion failed (${event.message}) and was started anew`);
    };
    this.#worker = worker;
    return worker;
  }

  #end(reason) {
    this.#worker?.terminate();
    this.#worker = null;
    for (const { reject } of this.#pending.values()) reject(new Error(reason));
    this.#pending.clear();
  }
}
