// The words of a PDF page put in reading order, as the desktop program's PDF library (Poppler)
// orders them: grown into blocks of text (a column's paragraph, a heading, a table's cell), each
// block's words set into lines, and the blocks sorted by the two rules of Breuel's layout
// analysis over boxes widened into the free space below them, a table's cells row by row.
'use strict';
(() => {
  const readers = (self.kelvaronReaders = self.kelvaronReaders || {});

  // Lengths as fractions of a font size, as that library takes them.
  const PoolStep = 4; // points: baselines are pooled in bands this high
  const LineSpacing = 1.5; // the most from one line's baseline to the next within a block
  const IntraLine = 0.5; // baselines closer are one line's (a superscript's, a subscript's)
  const ColumnSpacing1 = 0.7; // a word this close beside a block joins it (as the desktop's Poppler has it)
  const ColumnSpacing2 = 1.0; // up to three words this close beside a block join it
  const WordSpacing = 1.5; // a wider gap parts a line
  const CharOverlap = -0.5; // a word further back than this ends the line
  const SizeDeltaAbove = 0.05, SizeDeltaBeside = 0.6, SizeDeltaOutlier = 0.2;
  // Pages with more blocks than this (a table of thousands of cells) keep them as they grew.
  const MostSortedBlocks = 300;

  const band = (word) => Math.floor(word.base / PoolStep);
  const overlapsX = (a, b) => a.xMin < b.xMax && a.xMax > b.xMin;

  // Words pooled by band of baseline, each band's from the left; `used` marks those taken.
  class Pool {
    constructor(words, used) {
      this.used = used;
      this.bands = new Map();
      for (const word of words) {
        if (!this.bands.has(band(word))) this.bands.set(band(word), []);
        this.bands.get(band(word)).push(word);
      }
      for (const list of this.bands.values()) list.sort((a, b) => a.xMin - b.xMin);
      this.keys = [...this.bands.keys()].sort((a, b) => a - b);
      this.top = 0;
    }

    // The words left in the bands from `from` to `to` (downwards when to < from), in order.
    *within(from, to) {
      const step = from <= to ? 1 : -1;
      const lo = Math.min(from, to), hi = Math.max(from, to);
      let i = step > 0 ? this.firstKeyAtLeast(lo) : this.firstKeyAtLeast(hi + 1) - 1;
      for (; i >= 0 && i < this.keys.length && this.keys[i] >= lo && this.keys[i] <= hi; i += step) {
        const list = this.bands.get(this.keys[i]);
        for (const word of list) if (!word[this.used]) yield word;
      }
    }

    firstKeyAtLeast(key) {
      let lo = 0, hi = this.keys.length;
      while (lo < hi) {
        const mid = (lo + hi) >> 1;
        if (this.keys[mid] < key) lo = mid + 1;
        else hi = mid;
      }
      return lo;
    }

    firstLeft(key) {
      return this.bands.get(key).find((word) => !word[this.used]);
    }

    // The left-most word of the first four bands with words left: not a superscript.
    seed() {
      while (this.top < this.keys.length && !this.firstLeft(this.keys[this.top])) ++this.top;
      let best = null;
      for (let i = this.top; i < this.keys.length && this.keys[i] < this.keys[this.top] + 4; ++i) {
        const word = this.firstLeft(this.keys[i]);
        if (word && (!best || word.xMin < best.xMin)) best = word;
      }
      return best;
    }
  }

  function addWord(block, word) {
    word.taken = true;
    block.words.push(word);
    block.xMin = Math.min(block.xMin, word.xMin);
    block.xMax = Math.max(block.xMax, word.xMax);
    block.yMin = Math.min(block.yMin, word.yMin);
    block.yMax = Math.max(block.yMax, word.yMax);
  }

  // The blocks grown from the page's words.
  function blocksOf(words) {
    const pool = new Pool(words, 'taken');
    const blocks = [];
    for (let seed = pool.seed(); seed; seed = pool.seed()) {
      const block = { words: [], size: seed.size, xMin: Infinity, xMax: -Infinity,
        yMin: Infinity, yMax: -Infinity, tableId: -1, rot: 0 };
      addWord(block, seed);
      let minBase = seed.base, maxBase = seed.base;
      const lineSpace = LineSpacing * seed.size, intraLine = IntraLine * seed.size;
      const bandOf = (base) => Math.floor(base / PoolStep);
      const similar = (word, delta) => Math.abs(word.size - seed.size) < delta * seed.size;
      for (let found = true; found;) {
        found = false;
        // The line above the block's top, then the line below its bottom.
        let newMin = minBase;
        for (const word of pool.within(bandOf(minBase), bandOf(minBase - lineSpace))) {
          if (word.base < minBase && word.base >= minBase - lineSpace && overlapsX(word, block) &&
              similar(word, SizeDeltaAbove)) {
            addWord(block, word);
            found = true;
            newMin = word.base;
          }
        }
        minBase = newMin;
        let newMax = maxBase;
        for (const word of pool.within(bandOf(maxBase), bandOf(maxBase + lineSpace))) {
          if (word.base > maxBase && word.base <= maxBase + lineSpace && overlapsX(word, block) &&
              similar(word, SizeDeltaAbove)) {
            addWord(block, word);
            found = true;
            newMax = word.base;
          }
        }
        maxBase = newMax;
        // Words on the block's lines that overlap it, or nearly.
        const near = ColumnSpacing1 * seed.size;
        const onLines = (word) => word.base >= minBase - intraLine && word.base <= maxBase + intraLine;
        for (const word of pool.within(bandOf(minBase - intraLine), bandOf(maxBase + intraLine))) {
          if (onLines(word) && word.xMin < block.xMax + near && word.xMax > block.xMin - near &&
              similar(word, SizeDeltaBeside)) {
            addWord(block, word);
            found = true;
          }
        }
        if (found) continue;
        // Up to three words just beside the block, one to a band, join it: left, then right.
        const far = ColumnSpacing2 * seed.size;
        for (const beside of [(word) => word.xMax <= block.xMin && word.xMax > block.xMin - far,
          (word) => word.xMin >= block.xMax && word.xMin < block.xMax + far]) {
          const first = new Map();
          for (const word of pool.within(bandOf(minBase - intraLine), bandOf(maxBase + intraLine))) {
            if (onLines(word) && beside(word) && similar(word, SizeDeltaOutlier) && !first.has(band(word))) {
              first.set(band(word), word);
            }
          }
          if (first.size === 0 || first.size > 3) continue;
          for (const word of first.values()) {
            addWord(block, word);
            minBase = Math.min(minBase, word.base);
            maxBase = Math.max(maxBase, word.base);
          }
          found = true;
        }
      }
      block.lines = linesOf(block.words);
      blocks.push(block);
    }
    return blocks;
  }

  // A block's words into lines: each from the left-most word of the first bands on, taking the
  // nearest word to its right on that baseline while the gap stays narrow.
  function linesOf(words) {
    const pool = new Pool(words, 'inLine');
    const lines = [];
    for (let seed = pool.seed(); seed; seed = pool.seed()) {
      seed.inLine = true;
      const line = { words: [seed], base: seed.base, xMin: seed.xMin };
      const [minBase, maxBase] = [seed.base - IntraLine * seed.size, seed.base + IntraLine * seed.size];
      const [minBand, maxBand] = [Math.floor(minBase / PoolStep), Math.floor(maxBase / PoolStep)];
      for (let last = seed; ;) {
        // The first word in each band on the line's baseline is the one looked at.
        let best = null;
        let overlap = false;
        const looked = new Set();
        for (const word of pool.within(minBand, maxBand)) {
          if (looked.has(band(word)) || word.base < minBase || word.base > maxBase) continue;
          looked.add(band(word));
          const delta = word.xMin - last.xMax;
          if (delta < CharOverlap * seed.size) {
            overlap = true;
            break;
          }
          if (delta < WordSpacing * seed.size && (!best || word.xMin < best.xMin)) best = word;
        }
        if (overlap || !best) break;
        best.inLine = true;
        line.words.push(best);
        last = best;
      }
      lines.push(line);
    }
    return lines.sort((a, b) => a.base - b.base || a.xMin - b.xMin);
  }

  const overlap = (aMin, aMax, bMin, bMax) => aMin <= bMax && aMax >= bMin;

  // Cells of tables: a block, its nearest neighbours to the right and below and the one
  // diagonally between them that line up as a table's cells share a table.
  function findTables(blocks) {
    let tables = 0;
    for (const block of blocks) {
      let right = null, below = null, diagonal = null;
      let rightX = Infinity, belowY = Infinity, diagonalX = Infinity, diagonalY = Infinity;
      for (const other of blocks) {
        if (other === block) continue;
        if (other.yMin <= block.yMax && other.yMax >= block.yMin && other.xMin > block.xMax &&
            other.xMin < rightX) {
          rightX = other.xMin;
          right = other;
        } else if (other.xMin <= block.xMax && other.xMax >= block.xMin && other.yMin > block.yMax &&
            other.yMin < belowY) {
          belowY = other.yMin;
          below = other;
        } else if (other.xMin > block.xMax && other.xMin < diagonalX && other.yMin > block.yMax &&
            other.yMin < diagonalY) {
          diagonalX = other.xMin;
          diagonalY = other.yMin;
          diagonal = other;
        }
      }
      if (!right || !below || !diagonal) continue;
      if (overlap(below.xMin, below.xMax, diagonal.xMin, diagonal.xMax) ||
          overlap(right.yMin, right.yMax, diagonal.yMin, diagonal.yMax) ||
          overlap(right.xMin, right.xMax, below.xMin, below.xMax) ||
          overlap(right.yMin, right.yMax, below.yMin, below.yMax) ||
          !(overlap(diagonal.xMin, diagonal.xMax, right.xMin, right.xMax) &&
            overlap(diagonal.yMin, diagonal.yMax, below.yMin, below.yMax))) {
        continue;
      }
      const cells = [block, right, below, diagonal];
      const size = Math.min(...cells.map((cell) => cell.lines[0].words[0].size));
      const [dx, dy] = [size * ColumnSpacing1, size * IntraLine];
      const middleX = (cell) => (cell.xMin + cell.xMax) / 2, middleY = (cell) => (cell.yMin + cell.yMax) / 2;
      const pairs = (a, b, c, d, of, delta) => Math.abs(of(a) - of(b)) <= delta && Math.abs(of(c) - of(d)) <= delta;
      const alignedX = pairs(block, below, right, diagonal, middleX, dx) ||
        pairs(block, below, right, diagonal, (cell) => cell.xMin, dx) ||
        pairs(block, below, right, diagonal, (cell) => cell.xMax, dx);
      const alignedY = pairs(block, right, below, diagonal, middleY, dy) ||
        pairs(block, right, below, diagonal, (cell) => cell.yMin, dy) ||
        pairs(block, right, below, diagonal, (cell) => cell.yMax, dy);
      if (!alignedX || !alignedY) continue;
      let id = Math.max(...cells.map((cell) => cell.tableId));
      if (id < 0) id = tables++;
      for (const cell of cells) cell.tableId = id;
    }
  }

  // Each block's box widened: a table's cells to the whole table; another block sideways over
  // the blocks below it, as far as its neighbours beside it allow.
  function widen(blocks) {
    for (const block of blocks) {
      [block.ExMin, block.ExMax, block.EyMin, block.EyMax] = [block.xMin, block.xMax, block.yMin, block.yMax];
    }
    findTables(blocks);
    const envelopes = new Map();
    for (const block of blocks.filter((b) => b.tableId >= 0)) {
      const e = envelopes.get(block.tableId) || { x1: Infinity, x2: -Infinity, y1: Infinity, y2: -Infinity };
      envelopes.set(block.tableId, { x1: Math.min(e.x1, block.ExMin), x2: Math.max(e.x2, block.ExMax),
        y1: Math.min(e.y1, block.EyMin), y2: Math.max(e.y2, block.EyMax) });
    }
    for (const block of blocks) {
      const e = envelopes.get(block.tableId);
      if (e) [block.ExMin, block.ExMax, block.EyMin, block.EyMax] = [e.x1, e.x2, e.y1, e.y2];
    }
    for (const block of blocks.filter((b) => b.tableId < 0)) {
      let limitMax = Infinity, limitMin = 0;
      for (const other of blocks) {
        if (other === block || !(block.yMin <= other.yMax && block.yMax >= other.yMin)) continue;
        if (other.xMin < limitMax && other.xMin > block.xMax) limitMax = other.xMin;
        if (other.xMax > limitMin && other.xMax < block.xMin) limitMin = other.xMax;
      }
      for (const other of blocks) {
        if (other === block || other.yMin < block.yMax) continue;
        if (other.xMax > block.ExMax && other.xMax <= limitMax) block.ExMax = other.xMax;
        if (other.xMin < block.ExMin && other.xMin >= limitMin) block.ExMin = other.xMin;
      }
    }
  }

  // Rule 1: a is above b and overlaps it from side to side. Rule 2: a is wholly left of b.
  const aboveOf = (a, b) => overlap(a.ExMin, a.ExMax, b.ExMin, b.ExMax) && a.EyMin < b.EyMin;
  // "Left" as the text of `a` runs: a turned block's reading goes up or down the page.
  const leftOf = (a, b) => [a.ExMax - b.ExMin, a.EyMin - b.EyMax, b.ExMax - a.ExMin,
    b.EyMin - a.EyMax][a.rot] <= 0;

  function before(a, b, blocks) {
    if (b.tableId >= 0 && b.tableId === a.tableId) {
      return (a.xMax <= b.xMin && a.yMin <= b.yMax && a.yMax >= b.yMin) || a.yMax <= b.yMin;
    }
    if (aboveOf(a, b)) return true;
    // Left of it, unless a block between them is below the one and above the other.
    return leftOf(a, b) && !blocks.some((c) => c !== a && c !== b && aboveOf(b, c) && aboveOf(c, a));
  }

  function sorted(blocks) {
    if (blocks.length > MostSortedBlocks) return blocks;
    widen(blocks);
    const order = [];
    const visited = new Set();
    // Depth first: whatever comes before a block goes in ahead of it.
    const visit = (block) => {
      visited.add(block);
      for (const other of blocks) {
        if (!visited.has(other) && before(other, block, blocks)) visit(other);
      }
      order.push(block);
    };
    for (const block of blocks) if (!visited.has(block)) visit(block);
    return order;
  }

  // The page's lines in reading order; `words` hold their text, box (xMin, xMax, yMin, yMax),
  // baseline and font size. Turned words stand in lines of their own after the others.
  readers.pdfLinesInOrder = (words) => {
    const blocks = blocksOf(words.filter((word) => !word.turned));
    for (const word of words) {
      if (word.turned) {
        blocks.push({ lines: [{ words: [word] }], xMin: word.xMin, xMax: word.xMax, yMin: word.yMin,
          yMax: word.yMax, tableId: -1, size: word.size, rot: word.rot });
      }
    }
    return sorted(blocks).flatMap((block) => block.lines);
  };
})();
