// Paragraphs rebuilt from the lines of a PDF page, by the desktop program's rules. A PDF keeps no
// paragraphs, only lines placed on the page; a paragraph starts after a larger gap, at a first
// line's indent, after a short line that ends a sentence, where the font size changes, at another
// column and on another page, unless a word broken at the line end goes on.
'use strict';
(() => {
  const readers = (self.kelvaronReaders = self.kelvaronReaders || {});

  // How far a line must stray from its neighbours to start a paragraph. Lengths are in line
  // heights (the height of a line's font), so that they hold for any font size.
  const LargerGap = 1.5; // times the usual pitch from line to line on the page
  const OtherFontSize = 1.15; // a ratio of two lines' heights
  const Indent = 0.6; // a first line's indent
  const Near = 0.2; // two edges or baselines closer are one
  const Blank = 0.25; // the width of a blank
  const SingleSpacing = 1.2; // the pitch where a page shows none to go by
  const RunningText = 12; // the least width of a line of running text

  // Boxes are { left, top, right, bottom } in points from the page's top left.
  const width = (box) => box.right - box.left;
  const height = (box) => box.bottom - box.top;
  const isEmpty = (box) => width(box) === 0 && height(box) === 0;
  const united = (a, b) => {
    if (isEmpty(a)) return { ...b };
    if (isEmpty(b)) return { ...a };
    return { left: Math.min(a.left, b.left), top: Math.min(a.top, b.top),
      right: Math.max(a.right, b.right), bottom: Math.max(a.bottom, b.bottom) };
  };
  const isFiniteBox = (box) => [box.left, box.top, box.right, box.bottom].every(Number.isFinite);
  const NoBox = { left: 0, top: 0, right: 0, bottom: 0 };

  // The value below which half the weight lies; `values` holds [value, weight] pairs.
  function weightedMedian(values) {
    values.sort((a, b) => a[0] - b[0] || a[1] - b[1]);
    const total = values.reduce((sum, value) => sum + value[1], 0);
    let below = 0;
    for (const [value, weight] of values) {
      below += weight;
      if (2 * below >= total) return value;
    }
    return 0;
  }

  // The lower median: of two pitches, a line's and a gap's, the line's.
  const median = (values) => values.sort((a, b) => a - b)[(values.length - 1) >> 1];

  // The text layer parts a line where a wide blank (a formula's, a justified line's) leaves a gap;
  // the part on the same baseline close to the right of the last goes on with it.
  function goesOnAlongside(last, next) {
    const h = Math.max(last.height, next.height);
    return Math.abs(next.bottom - last.bottom) < Near * h && next.box.left >= last.box.right &&
      next.box.left < last.box.right + 2 * h;
  }

  function merge(line, part) {
    line.text += ` ${part.text}`;
    line.box = united(line.box, part.box);
    if (part.text.length > Math.floor(line.text.length / 2)) { // most letters are in the part
      line.height = part.height;
      line.bottom = part.bottom;
    }
  }

  // Words ({ text, box, spaceAfter, endsLine }) in the reading order into lines.
  function linesOf(words) {
    const lines = [];
    let line = { text: '', box: NoBox, firstWordWidth: 0 };
    let heights = [], bottoms = []; // weighed by the words' letters
    words.forEach((word, i) => {
      // A damaged file's word may lie nowhere; put in a corner, it leaves the measures numbers.
      const box = isFiniteBox(word.box) ? word.box : NoBox;
      if (!heights.length) {
        line.box = { ...box };
        line.firstWordWidth = width(box);
      } else {
        line.box = united(line.box, box);
      }
      line.text += word.text;
      const letters = Math.max(1, word.text.length);
      heights.push([height(box), letters]);
      bottoms.push([box.bottom, letters]);
      if (word.endsLine || i + 1 === words.length) {
        const h = weightedMedian(heights);
        line.height = h > 0.01 ? h : 1; // a damaged file's words may have none
        line.bottom = weightedMedian(bottoms);
        if (lines.length && goesOnAlongside(lines[lines.length - 1], line)) {
          merge(lines[lines.length - 1], line);
        } else {
          lines.push(line);
        }
        line = { text: '', box: NoBox, firstWordWidth: 0 };
        heights = [];
        bottoms = [];
      } else if (word.spaceAfter) {
        line.text += ' ';
      }
    });
    return lines;
  }

  // The reading goes on in another column or beside the text (a table's next cell, a note in the
  // margin): the next line sits higher than the last, or wholly to its side.
  const changesColumn = (last, next) => (next.box.top + next.box.bottom) / 2 < last.box.top ||
    next.box.left >= last.box.right || next.box.right <= last.box.left;

  const changesFontSize = (a, b) =>
    Math.max(a.height, b.height) > OtherFontSize * Math.min(a.height, b.height);

  // The page's usual pitch from a line to the next in its column, in line heights: the median,
  // so that the gaps before paragraphs and headings weigh little.
  function usualPitch(lines, startsColumn) {
    const pitches = [];
    for (let i = 1; i < lines.length; ++i) {
      const last = lines[i - 1], next = lines[i];
      const h = Math.max(last.height, next.height);
      // Only lines of running text: one below the other, of one size, starting together and
      // some 30 letters long or more (not a figure's labels, nor a table's rows).
      if (startsColumn[i] || changesFontSize(last, next) ||
          Math.abs(next.box.left - last.box.left) > Indent * h ||
          Math.min(width(last.box), width(next.box)) < RunningText * h) {
        continue;
      }
      const pitch = (next.bottom - last.bottom) / h;
      if (pitch > 0.8) pitches.push(pitch); // no closer than lines set solid
    }
    return pitches.length ? median(pitches) : SingleSpacing;
  }

  // The left end that most lines of the column share; a first line's indent is right of it.
  function leftEdge(lines, from, to) {
    const column = lines.slice(from, to);
    const lefts = column.map((line) => line.box.left).sort((a, b) => a - b);
    const near = Near * median(column.map((line) => line.height));
    let best = 0, most = 0;
    for (let i = 0, low = 0, high = 0; i < lefts.length; ++i) {
      while (lefts[low] < lefts[i] - near) ++low;
      while (high < lefts.length && lefts[high] <= lefts[i] + near) ++high;
      if (high - low > most) most = high - low, (best = i);
    }
    return lefts[best];
  }

  // The right end of the column around line i: the furthest that the lines near it of its size
  // reach. Near, because a column may follow a wider block (an abstract, a table) without a break.
  function rightEdge(lines, i, column) {
    let right = lines[i].box.right;
    for (let j = Math.max(column.from, i - 2); j < Math.min(column.to, i + 3); ++j) {
      if (!changesFontSize(lines[i], lines[j])) right = Math.max(right, lines[j].box.right);
    }
    return right;
  }

  // ". ? ! :", also before a closing quote or bracket.
  function endsSentence(text) {
    text = readers.trimmed(text);
    let end = text.length;
    while (end > 0 && ')]"\'\u2019\u201d'.includes(text[end - 1])) --end;
    return end > 0 && '.?!:'.includes(text[end - 1]);
  }

  function startsParagraph(lines, i, column, pitch) {
    const last = lines[i - 1], next = lines[i];
    const h = Math.max(last.height, next.height);
    if (changesFontSize(last, next)) return true; // a heading, a caption, a note
    if (next.bottom - last.bottom > LargerGap * pitch * h) return true;
    // A paragraph's last line ends a sentence or leaves room for the next line's first word:
    // one of them and an indent on the next line start a paragraph, or both of them.
    const ends = endsSentence(last.text);
    const roomLeft =
      last.box.right + Blank * h + next.firstWordWidth < rightEdge(lines, i - 1, column);
    // Indented against the column, and not as far as the line before (a block quote's lines
    // are); the line before may be a heading set in the middle. After a full line that goes on,
    // an indent is a list item's or a reference's hanging one.
    const indent = Indent * next.height;
    const indented = next.box.left > column.left + indent &&
      Math.abs(next.box.left - last.box.left) > indent;
    return (ends || roomLeft) && (indented || (ends && roomLeft));
  }

  const isLetter = (c) => c !== undefined && c.length === 1 && /\p{L}/u.test(c);
  const isLower = (c) => c !== undefined && c.length === 1 && /\p{Ll}/u.test(c);
  const isLineEndHyphen = (c) => c === '-' || c === '\u2010' || c === '\u00ad';

  // Words whose hyphen is part of the compound, not of the line's end: "one-tailed" must stay so.
  const HyphenPrefixes = ['one', 'two', 'three', 'four', 'between', 'within', 'self', 'non', 'cross',
    'post', 'pre'];
  const keepsItsHyphen = (word) =>
    word.length === 1 || HyphenPrefixes.includes(word.toLowerCase()); // "t-test", "F-test"

  const endsInAWordsHyphen = (text) => text.length >= 2 &&
    isLineEndHyphen(text[text.length - 1]) && isLetter(text[text.length - 2]);

  // The text ends in a word hyphenated at the line end that the line goes on with: only a hyphen
  // right after a letter and before a small letter counts, so that a minus ("t(38) =" + "-2.10",
  // "= -" + "2.10") stays.
  const breaksAWord = (text, line) => endsInAWordsHyphen(text) && isLower(line[0]);

  // The paragraph with the next line after one blank, or with the word broken at the line end
  // joined: "signifi-" + "cant" reads "significant", "one-" + "tailed" keeps its hyphen. A hyphen
  // after a letter before a capital or a figure stays, and the word goes on ("COVID-" + "19").
  function withLine(text, line) {
    if (breaksAWord(text, line)) {
      text = text.slice(0, -1);
      let start = text.length;
      while (start > 0 && isLetter(text[start - 1])) --start;
      if (keepsItsHyphen(text.slice(start))) text += '-';
    } else if (!endsInAWordsHyphen(text) || !line || !readers.isLetterOrNumber(line[0])) {
      text += ' ';
    }
    return text + line;
  }

  // Appends a page's words, in the reading order, to `paragraphs` (the text of the pages before,
  // one paragraph to an item): each paragraph's lines joined into one line.
  readers.appendPdfPage = (paragraphs, words) => {
    const lines = linesOf(words);
    const startsColumn = lines.map((line, i) => i === 0 || changesColumn(lines[i - 1], line));
    const pitch = usualPitch(lines, startsColumn);
    const column = { from: 0, to: 0, left: 0 };
    lines.forEach((line, i) => {
      if (startsColumn[i]) {
        column.from = i;
        column.to = i + 1;
        while (column.to < lines.length && !startsColumn[column.to]) ++column.to;
        column.left = leftEdge(lines, column.from, column.to);
      }
      const goesOn = !startsColumn[i] && !startsParagraph(lines, i, column, pitch);
      const last = paragraphs.length - 1;
      // A word broken at a column's or a page's end goes on all the same.
      if (last >= 0 && (goesOn || breaksAWord(paragraphs[last], line.text))) {
        paragraphs[last] = withLine(paragraphs[last], line.text);
      } else {
        paragraphs.push(line.text);
      }
    });
  };
})();
