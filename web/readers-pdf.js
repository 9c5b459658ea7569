// A PDF's text layer through pdf.js, which runs in the page (its worker script is loaded as a
// classic script, since no worker starts from file://). pdf.js gives runs of text in the order
// they are drawn; they are cut into words here, put in reading order by readers-blocks.js, and
// their paragraphs rebuilt by readers-layout.js.
'use strict';
(() => {
  const readers = (self.kelvaronReaders = self.kelvaronReaders || {});

  // Lengths as fractions of the font size.
  const WordBreak = 0.1; // a wider gap between two runs of letters parts them into two words
  const Overlap = 0.2; // runs that overlap by more are not one word

  const refuse = (why) => {
    throw new readers.Unreadable(why);
  };

  function withoutLigatures(text) {
    return text.replace(/[\ufb00-\ufb06]/g, (c) =>
      ['ff', 'fi', 'fl', 'ffi', 'ffl', 'st', 'st'][c.charCodeAt(0) - 0xfb00]);
  }

  // The words of one run of text, with their boxes on the page (in points from its top left),
  // baselines and font sizes. The run's width is shared among its letters evenly: pdf.js gives
  // no letter's own width.
  function runWords(item, viewport, styles) {
    const tx = pdfjsLib.Util.transform(viewport.transform, item.transform);
    const size = Math.hypot(tx[2], tx[3]);
    const style = styles[item.fontName] || {};
    const ascent = style.ascent > 0 && style.ascent < 3 ? style.ascent : 0.95;
    const descent = style.descent < 0 && style.descent > -3 ? style.descent : -0.35;
    const [x, base] = [tx[4], tx[5]];
    if (!(tx[0] > 0 && Math.abs(tx[1]) <= 0.1 * tx[0])) {
      // Turned text (a margin's stamp, a table's turned heading) is a line of its own.
      const scale = Math.hypot(tx[0], tx[1]) || 1;
      const [cos, sin] = [tx[0] / scale, tx[1] / scale];
      const corners = [[0, ascent], [0, descent], [item.width, ascent], [item.width, descent]].map(
        ([along, up]) => [x + along * cos + up * size * sin, base + along * sin - up * size * cos]);
      const xs = corners.map((c) => c[0]), ys = corners.map((c) => c[1]);
      // Which way it runs, as the desktop's library tells: down the page (1), upside down (2), up (3).
      const rot = Math.abs(tx[0] * tx[3]) > Math.abs(tx[1] * tx[2]) ? 2 : tx[2] > 0 ? 1 : 3;
      return [{ text: readers.trimmed(item.str), turned: true, rot, size, base, xMin: Math.min(...xs),
        xMax: Math.max(...xs), yMin: Math.min(...ys), yMax: Math.max(...ys) }];
    }
    const perLetter = item.str.length ? item.width / item.str.length : 0;
    const words = [];
    for (const match of item.str.matchAll(/\S+/g)) {
      const xMin = x + match.index * perLetter;
      words.push({
        text: match[0], size, base, xMin, xMax: xMin + match[0].length * perLetter,
        yMin: base - ascent * size, yMax: base - descent * size,
        // Whether nothing parts the word from the run before or after it in the text itself.
        openStart: match.index === 0, openEnd: match.index + match[0].length === item.str.length,
      });
    }
    return words;
  }

  // One word drawn in two runs, one after the other (an italic letter and what follows it).
  function goesOn(last, word) {
    const gap = word.xMin - last.xMax;
    return !last.turned && !word.turned && last.openEnd && word.openStart &&
      gap <= WordBreak * last.size && gap >= -Overlap * last.size &&
      Math.abs(last.size - word.size) <= 0.05 * last.size && Math.abs(last.base - word.base) <= 0.5;
  }

  async function pageWords(page) {
    const viewport = page.getViewport({ scale: 1 });
    const content = await page.getTextContent({ disableNormalization: true });
    const words = [];
    for (const item of content.items) {
      if (!item.str || !/\S/.test(item.str)) continue;
      for (const word of runWords(item, viewport, content.styles)) {
        const last = words[words.length - 1];
        if (last && goesOn(last, word)) {
          last.text += word.text;
          [last.xMax, last.openEnd] = [Math.max(last.xMax, word.xMax), word.openEnd];
        } else if (word.text) {
          words.push(word);
        }
      }
    }
    const ordered = [];
    for (const line of readers.pdfLinesInOrder(words)) {
      line.words.forEach((word, i) => {
        const next = line.words[i + 1];
        ordered.push({
          text: withoutLigatures(word.text),
          box: { left: word.xMin, top: word.yMin, right: word.xMax, bottom: word.yMax },
          spaceAfter: Boolean(next) && (!(word.openEnd && next.openStart) ||
            next.xMin - word.xMax > WordBreak * word.size),
          endsLine: !next,
        });
      });
    }
    return ordered;
  }

  readers.pageWordsForDebug = pageWords;
  readers.readPdf = async (bytes) => {
    // The header may follow some bytes of junk, as readers allow, but not many.
    if (!new TextDecoder('latin1').decode(bytes.subarray(0, 1024)).includes('%PDF-')) {
      refuse('it is not a PDF document (.pdf).');
    }
    if (!self.pdfjsLib || !self.pdfjsWorker) throw new Error("the page's PDF library is missing.");
    // Nothing from the file is run as code, no font is installed, nothing is fetched.
    const task = pdfjsLib.getDocument({
      data: bytes.slice(), isEvalSupported: false, disableFontFace: true, useSystemFonts: false,
      verbosity: pdfjsLib.VerbosityLevel.ERRORS, disableAutoFetch: true, disableStream: true,
      disableRange: true, useWorkerFetch: false, isOffscreenCanvasSupported: false,
    });
    try {
      let document;
      try {
        document = await task.promise;
      } catch (error) {
        if (error && error.name === 'PasswordException') refuse(readers.Protected);
        refuse('it is damaged: its PDF structure cannot be read.');
      }
      const permissions = await document.getPermissions();
      if (permissions && !permissions.includes(pdfjsLib.PermissionFlag.COPY)) {
        refuse('its author does not allow its text to be copied.');
      }
      const paragraphs = [];
      for (let number = 1; number <= document.numPages; ++number) {
        let words;
        try {
          const page = await document.getPage(number);
          words = await pageWords(page);
          page.cleanup();
        } catch {
          continue; // a page that cannot be read is left out, as the desktop program does
        }
        readers.appendPdfPage(paragraphs, words);
      }
      const text = paragraphs.map((paragraph) => `${paragraph}\n`).join('');
      if (document.numPages > 0 && !readers.trimmed(text)) {
        refuse('it has no text to read; a scanned page holds only a picture of its text.');
      }
      return text;
    } finally {
      await task.destroy();
    }
  };
})();
