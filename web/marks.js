// The marks under what the check found, drawn on a backdrop behind the transparent text area:
// the same text in the same font, padding and wrapping, its colour transparent, each result and
// figure underlined in its verdict's look. The text area stays on top with its own editing, undo,
// selection and accessibility; the backdrop only follows its size and scrolling.
'use strict';

self.KelvaronMarks = class {
  // `rows` are what the page lists, each { start, end, look, message }, in the list's order.
  constructor(text, backdrop, tooltip) {
    this.text = text;
    this.backdrop = backdrop;
    this.layer = backdrop.firstElementChild;
    this.tooltip = tooltip;
    this.rows = [];
    this.current = -1;
    this.pieces = [];
    this.spans = [];
    text.addEventListener('scroll', () => {
      this.follow();
      this.hideTooltip();
    });
    new ResizeObserver(() => this.fit()).observe(text);
    this.hoverOver();
  }

  // As a document's cursors move: an edit moves the marks after it and shrinks those it cuts
  // into, so that they stay on their results until the next check.
  static move(rows, before, after) {
    const shorter = Math.min(before.length, after.length);
    let head = 0;
    while (head < shorter && before.charCodeAt(head) === after.charCodeAt(head)) ++head;
    let tail = 0;
    while (tail < shorter - head &&
      before.charCodeAt(before.length - 1 - tail) === after.charCodeAt(after.length - 1 - tail)) {
      ++tail;
    }
    const removedEnd = before.length - tail;
    const shift = after.length - before.length;
    const move = (at) => (at >= removedEnd ? at + shift : at > head ? head : at);
    for (const row of rows) {
      row.start = move(row.start);
      row.end = move(row.end);
    }
  }

  // The text cut where marks start and end: each stretch under marks takes the look of the last
  // row that covers it (as later marks are drawn over earlier ones), is tinted if a decision
  // error covers it, and answers for the innermost mark where marks nest.
  piecesOf(value) {
    const rows = this.rows;
    const edges = new Set([0, value.length]);
    const starting = new Map();
    rows.forEach((row, i) => {
      edges.add(Math.min(row.start, value.length));
      edges.add(Math.min(row.end, value.length));
      if (row.end > row.start) starting.set(row.start, [...(starting.get(row.start) || []), i]);
    });
    const points = [...edges].sort((a, b) => a - b);
    const span = (i) => rows[i].end - rows[i].start;
    const made = [];
    let open = [];
    for (let k = 0; k + 1 < points.length; ++k) {
      const [from, to] = [points[k], points[k + 1]];
      open = open.filter((i) => rows[i].end > from).concat(starting.get(from) || []);
      const piece = { text: value.slice(from, to), look: '', row: -1, open };
      if (open.length) {
        piece.look = `mark look-${rows[Math.max(...open)].look}` +
          (open.some((i) => rows[i].look === 'decision') ? ' tint' : '') +
          (open.includes(this.current) ? ' current' : '');
        piece.row = open.reduce((a, b) => (span(b) < span(a) || (span(b) === span(a) && b < a) ? b : a));
      }
      made.push(piece);
    }
    // A last line end in a text area opens a line; a blank after it does so in the backdrop.
    made.push({ text: ' ', look: '', row: -1, open: [] });
    return made;
  }

  // Only the pieces an edit changed are made anew, so that a long text is laid out again around
  // the edit rather than from its start at each key.
  draw() {
    const made = this.piecesOf(this.text.value);
    const old = this.pieces;
    const same = (a, b) => a.text === b.text && a.look === b.look && a.row === b.row;
    let head = 0;
    while (head < made.length && head < old.length && same(made[head], old[head])) ++head;
    let tail = 0;
    while (tail < made.length - head && tail < old.length - head &&
      same(made[made.length - 1 - tail], old[old.length - 1 - tail])) ++tail;
    for (let k = 0; k < head; ++k) made[k].node = old[k].node;
    for (let k = 1; k <= tail; ++k) made[made.length - k].node = old[old.length - k].node;
    const fresh = document.createDocumentFragment();
    for (const piece of made.slice(head, made.length - tail)) {
      if (piece.look) {
        piece.node = document.createElement('span');
        piece.node.className = piece.look;
        piece.node.dataset.row = piece.row;
        piece.node.textContent = piece.text;
      } else {
        piece.node = document.createTextNode(piece.text);
      }
      fresh.append(piece.node);
    }
    old.slice(head, old.length - tail).forEach((piece) => piece.node.remove());
    this.layer.insertBefore(fresh, tail ? made[made.length - tail].node : null);
    this.pieces = made;
    this.spans = this.rows.map(() => []);
    for (const piece of made) piece.open.forEach((i) => this.spans[i].push(piece.node));
    this.fit();
  }

  // The backdrop covers the text area's inside, its scroll bar left out, so lines wrap alike.
  fit() {
    const { text } = this;
    const box = this.backdrop.style;
    box.left = `${text.offsetLeft + text.clientLeft}px`;
    box.top = `${text.offsetTop + text.clientTop}px`;
    box.width = `${text.clientWidth}px`;
    box.height = `${text.clientHeight}px`;
    this.follow();
  }

  follow() {
    this.backdrop.scrollTop = this.text.scrollTop;
    this.backdrop.scrollLeft = this.text.scrollLeft;
  }

  // Scrolls the text area so that the row's mark stands in its middle.
  centre(row) {
    const first = this.spans[row] && this.spans[row][0];
    if (!first) return;
    this.text.scrollTop = first.offsetTop - (this.text.clientHeight - first.offsetHeight) / 2;
    this.follow();
  }

  // The row whose mark lies under a point of the window, the innermost where marks nest.
  rowAt(x, y) {
    for (const mark of this.layer.children) {
      for (const rect of mark.getClientRects()) {
        if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) {
          return Number(mark.dataset.row);
        }
      }
    }
    return -1;
  }

  // Hovering over a mark shows its row's message, as the window's tool tip does.
  hoverOver() {
    let frame = 0;
    this.text.addEventListener('mousemove', (event) => {
      cancelAnimationFrame(frame);
      frame = requestAnimationFrame(() => {
        const row = this.rows[this.rowAt(event.clientX, event.clientY)];
        if (!row || !row.message) return this.hideTooltip();
        const { tooltip } = this;
        tooltip.textContent = row.message;
        tooltip.hidden = false;
        const room = document.documentElement.clientWidth - tooltip.offsetWidth - 4;
        tooltip.style.left = `${Math.max(4, Math.min(event.clientX + 12, room))}px`;
        tooltip.style.top = `${event.clientY + 20}px`;
      });
    });
    this.text.addEventListener('mouseleave', () => this.hideTooltip());
    this.text.addEventListener('keydown', () => this.hideTooltip());
  }

  hideTooltip() {
    this.tooltip.hidden = true;
  }
};
