// Strings pass to the engine as UTF-16, the code units every place in its answer counts.
function kelvaronText(text) {
  const pointer = Module._malloc(2 * (text.length + 1));
  const units = new Uint16Array(HEAPU16.buffer, pointer, text.length);
  for (let i = 0; i < text.length; ++i) units[i] = text.charCodeAt(i);
  return pointer;
}

const kelvaronDecoder = new TextDecoder();

// `figures`: whether each result carries its numbers (df, N, the computed p and its range),
// which the page does not show and the tests compare.
Module.checkText = function (text, alpha, wholeNumberScores, items, figures = false) {
  const textAt = kelvaronText(text);
  const alphaAt = kelvaronText(alpha);
  try {
    const answer = Module._kelvaron_check(textAt, text.length, alphaAt, alpha.length,
      wholeNumberScores ? 1 : 0, items | 0, figures ? 1 : 0);
    return kelvaronDecoder.decode(HEAPU8.subarray(answer, answer + Module._kelvaron_answer_length()));
  } finally {
    Module._free(textAt);
    Module._free(alphaAt);
  }
};

Module.isAlphaLevel = function (alpha) {
  const alphaAt = kelvaronText(alpha);
  try {
    return Module._kelvaron_is_alpha(alphaAt, alpha.length) === 1;
  } finally {
    Module._free(alphaAt);
  }
};
