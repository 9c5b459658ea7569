// The wasm travels inside this script: compiled from its own bytes, so that loading the engine
// makes no request at all (the page allows none).
Module['instantiateWasm'] = function (imports, receiveInstance) {
  WebAssembly.instantiate(tryParseAsDataURI(wasmBinaryFile), imports)
    .then(function (result) { receiveInstance(result.instance, result.module); }, abort);
  return {};
};
