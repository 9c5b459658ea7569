// The check runs here, off the page's thread, so that a key press never waits for it. This text
// follows the engine's own in the worker's source (build-web/worker-source.js): KelvaronEngine is
// defined above.
'use strict';

const engineReady = KelvaronEngine();

// One request at a time comes from the page: { id, text, alpha, wholeNumberScores, items }.
// The answer carries the check as the engine wrote it (JSON), whether alpha is a level, and the
// time the check itself took.
self.onmessage = async (event) => {
  const { id, text, alpha, wholeNumberScores, items } = event.data;
  try {
    const engine = await engineReady;
    const start = performance.now();
    const answer = engine.checkText(text, alpha, wholeNumberScores, items);
    const ms = performance.now() - start;
    self.postMessage({ id, answer, alphaIsLevel: engine.isAlphaLevel(alpha), ms });
  } catch (error) {
    self.postMessage({ id, error: String(error && error.message ? error.message : error) });
  }
};
