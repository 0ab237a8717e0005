// The worker that runs the viewer's core: it instantiates the WebAssembly
// module from the bytes the page hands over, loads the family file and
// answers the page's questions, so long work never freezes the page.
'use strict';

let core = null;
const PROGRESS_INTERVAL_MS = 50;

function decodeBase64(text) {
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

function answer(pointer) {
  return JSON.parse(core.UTF8ToString(pointer));
}

function withText(text, call) {
  const size = core.lengthBytesUTF8(text) + 1;
  const pointer = core._malloc(size);
  try {
    core.stringToUTF8(text, pointer, size);
    return call(pointer);
  } finally {
    core._free(pointer);
  }
}

async function load(message) {
  let last = 0;
  core = await createVellacorCore({
    wasmBinary: decodeBase64(message.wasm),
    onCoreProgress(fraction) {
      const now = performance.now();
      if (now - last < PROGRESS_INTERVAL_MS) return;
      last = now;
      postMessage({ type: 'progress', fraction });
    },
  });
  const payload = decodeBase64(message.payload);
  const at = core._vx_payload_buffer(payload.length);
  core.HEAPU8.set(payload, at);
  const started = performance.now();
  const result = answer(core._vx_load());
  core._vx_set_import_seconds((performance.now() - started) / 1000);
  return result;
}

const QUESTIONS = {
  person: (m) => answer(core._vx_person(m.n)),
  general: () => answer(core._vx_general()),
  individual: (m) => answer(core._vx_individual(m.n)),
  family: (m) => answer(core._vx_family(m.n, m.marriage || 1)),
  pedigree: (m) => answer(core._vx_pedigree(m.n, m.marriage || 1)),
  find: (m) => withText(m.text, (text) => answer(core._vx_find(m.mode, text))),
};

self.onmessage = async (event) => {
  const message = event.data;
  try {
    let result;
    if (message.what === 'load') result = await load(message);
    else if (!core || !QUESTIONS[message.what]) throw new Error('not ready: ' + message.what);
    else result = QUESTIONS[message.what](message);
    postMessage({ type: 'answer', id: message.id, result });
  } catch (error) {
    postMessage({ type: 'failed', id: message.id, message: String((error && error.message) || error) });
  }
};
