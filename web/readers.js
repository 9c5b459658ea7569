// Reads a manuscript file into the text the check reads, in the browser: the formats, the text
// and the refusals of the desktop program's readers. Plain text, Markdown and HTML are read here;
// .docx and .odt in readers-office.js (over readers-zip.js), .pdf in readers-pdf.js (over
// readers-layout.js). A classic script, so that the page works from file://.
'use strict';
(() => {
  const readers = (self.kelvaronReaders = self.kelvaronReaders || {});

  // A refusal: its message is worded to follow "NAME could not be read: ".
  class Unreadable extends Error {}
  readers.Unreadable = Unreadable;
  readers.Protected = 'it is protected by a password; save a copy without one.';

  const Extensions = ['txt', 'md', 'html', 'htm', 'docx', 'odt', 'pdf'];
  // A manuscript, even a PDF full of figures, stays far below this.
  const MostFileBytes = 256 * 1024 * 1024;

  // The blanks that Qt's trimmed() takes off: ASCII ones, U+0085 and the Unicode separators.
  const blanks = '[\\t\\n\\v\\f\\r \\u0085\\p{Zs}\\u2028\\u2029]';
  const edgeBlanks = new RegExp(`^${blanks}+|${blanks}+$`, 'gu');
  readers.trimmed = (text) => text.replace(edgeBlanks, '');
  const letterOrNumber = /[\p{L}\p{N}]/u;
  // One UTF-16 unit at a time, as the desktop tests its characters: a surrogate is neither.
  readers.isLetterOrNumber = (c) => c !== undefined && c.length === 1 && letterOrNumber.test(c);

  function extensionOf(name) {
    const fileName = name.slice(name.lastIndexOf('/') + 1);
    const dot = fileName.lastIndexOf('.');
    return dot <= 0 ? '' : fileName.slice(dot + 1).toLowerCase();
  }

  // ".txt, .md, … and .pdf"
  function extensionsInWords() {
    const dotted = Extensions.map((extension) => `.${extension}`);
    const last = dotted.pop();
    return `${dotted.join(', ')} and ${last}`;
  }

  function startsWith(bytes, ...prefix) {
    return bytes.length >= prefix.length && prefix.every((byte, i) => bytes[i] === byte);
  }
  readers.startsWith = startsWith;

  function looksBinary(bytes) {
    return startsWith(bytes, 0x25, 0x50, 0x44, 0x46, 0x2d) || startsWith(bytes, 0x50, 0x4b, 3, 4) ||
      startsWith(bytes, 0xd0, 0xcf, 0x11, 0xe0, 0xa1, 0xb1, 0x1a, 0xe1);
  }

  // The encoding a byte-order mark names, as Qt reads it (UTF-32 before UTF-16).
  function encodingByMark(bytes) {
    if (bytes.length > 3 && startsWith(bytes, 0, 0, 0xfe, 0xff)) return 'utf-32be';
    if (bytes.length > 3 && startsWith(bytes, 0xff, 0xfe, 0, 0)) return 'utf-32le';
    if (bytes.length > 2 && startsWith(bytes, 0xef, 0xbb, 0xbf)) return 'utf-8';
    if (bytes.length > 1 && startsWith(bytes, 0xfe, 0xff)) return 'utf-16be';
    if (bytes.length > 1 && startsWith(bytes, 0xff, 0xfe)) return 'utf-16le';
    return null;
  }

  // As the desktop decodes it: a code that is no character, and bytes left over at the end, stand
  // for what is missing rather than refuse the text.
  function decodeUtf32(bytes, bigEndian) {
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    const parts = [];
    let units = [];
    for (let at = 0; at < bytes.length; at += 4) {
      const code = at + 4 <= bytes.length ? view.getUint32(at, !bigEndian) : 0xfffd;
      units.push(code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff) ? 0xfffd : code);
      if (units.length === 8192) parts.push(String.fromCodePoint(...units)), (units = []);
    }
    return parts.join('') + String.fromCodePoint(...units);
  }

  // UTF-8 unless a byte-order mark says UTF-16 (or UTF-32); the mark itself is not text (it goes
  // with the other invisible characters once the text is read). Returns null when the bytes are
  // not UTF-8; a UTF-16 text's odd last byte stands for a character cut off, as on the desktop.
  function decodeText(bytes, encoding) {
    if (encoding === 'utf-32be' || encoding === 'utf-32le') {
      return decodeUtf32(bytes, encoding === 'utf-32be');
    }
    try {
      return new TextDecoder(encoding, { fatal: encoding === 'utf-8', ignoreBOM: true }).decode(bytes);
    } catch {
      return null;
    }
  }
  readers.decodeText = decodeText;

  function readPlainText(bytes) {
    const marked = encodingByMark(bytes);
    if (!marked && looksBinary(bytes)) throw new Unreadable('it is not plain text.');
    const text = decodeText(bytes, marked || 'utf-8');
    if (text === null) {
      throw new Unreadable('its text is neither UTF-8 nor UTF-16; save it as UTF-8 and try again.');
    }
    if (text.includes('\0')) throw new Unreadable('it is not plain text.');
    return text;
  }

  // Markdown is read as its text. Only emphasis marks go, so that "*p* = .04" reads "p = .04": a
  // run of one to three '*' or '_' that opens (after a blank, a bracket or the line's start, before
  // a letter or digit) and the same run that closes it later on the line (after a letter, digit,
  // ')' or '.'). A lone '*' ("p < .05*", "2 * 3") and snake_case stay. One pass: each kind of run
  // keeps only its latest opener.
  function withoutEmphasis(text) {
    const isWord = readers.isLetterOrNumber;
    return text.split('\n').map((line) => {
      const drop = new Uint8Array(line.length);
      const openers = [[-1, -1, -1], [-1, -1, -1]]; // [mark][length - 1]
      for (let i = 0; i < line.length;) {
        const c = line[i];
        if (c !== '*' && c !== '_') {
          ++i;
          continue;
        }
        let end = i;
        while (end < line.length && line[end] === c) ++end;
        const length = end - i;
        const before = i > 0 ? line[i - 1] : ' ';
        const after = end < line.length ? line[end] : ' ';
        if (length <= 3) {
          const mark = c === '*' ? 0 : 1;
          const opener = openers[mark][length - 1];
          // A star may close inside a word ("*p*s"), an underscore may not ("snake_case").
          const closes = (isWord(before) || before === ')' || before === '.') &&
            (c === '*' || !isWord(after)) && opener >= 0;
          if (closes) {
            drop.fill(1, opener, opener + length);
            drop.fill(1, i, end);
            openers[mark][length - 1] = -1;
          } else if (!isWord(before) && isWord(after)) {
            openers[mark][length - 1] = i;
          }
        }
        i = end;
      }
      let kept = '';
      for (let i = 0; i < line.length; ++i) if (!drop[i]) kept += line[i];
      return kept;
    }).join('\n');
  }

  // ---- HTML -----------------------------------------------------------------------------------

  // Elements whose content a reader of the page never sees as text.
  const Unread = new Set(['head', 'script', 'style', 'template', 'title', 'noscript', 'select',
    'button', 'textarea']);
  // Elements that stand on lines of their own; all others run on with the text around them.
  const Blocks = new Set(['address', 'article', 'aside', 'blockquote', 'body', 'caption', 'center',
    'dd', 'details', 'dialog', 'dir', 'div', 'dl', 'dt', 'fieldset', 'figcaption', 'figure',
    'footer', 'form', 'h1', 'h2', 'h3', 'h4', 'h5', 'h6', 'header', 'hgroup', 'hr', 'html',
    'legend', 'li', 'main', 'menu', 'nav', 'ol', 'p', 'pre', 'section', 'summary', 'table',
    'tbody', 'td', 'tfoot', 'th', 'thead', 'tr', 'ul', 'frameset']);

  // The page's encoding: its byte-order mark, else the charset its <meta> names, else UTF-8 if
  // it is valid UTF-8 and Latin-1 if not.
  function decodePage(bytes) {
    const marked = encodingByMark(bytes);
    if (marked === 'utf-8' || marked === 'utf-16le' || marked === 'utf-16be') {
      // The mark is not the page's: left in, it would stand as text before the first block.
      const text = decodeText(bytes, marked);
      if (text !== null) return text.slice(1);
    }
    const head = new TextDecoder('latin1').decode(bytes.subarray(0, 1024));
    const declared = /<meta[^>]+charset\s*=\s*["']?\s*([\w.:-]+)/i.exec(head);
    if (declared && !/^utf-?(16|32)/i.test(declared[1])) {
      try {
        return new TextDecoder(declared[1]).decode(bytes);
      } catch {
        // A charset no browser knows: guessed as below.
      }
    }
    return decodeText(bytes, 'utf-8') ?? new TextDecoder('latin1').decode(bytes);
  }

  // The page's text, lines as a browser lays them out: blanks run together, none at a line's
  // start or end, a line end for each block and each <br>; <pre> keeps its blanks.
  function pageText(document) {
    const parts = [];
    let atLineStart = true;
    let pendingBlank = false;
    const blockEdge = () => {
      pendingBlank = false;
      if (!atLineStart) parts.push('\n'), (atLineStart = true);
    };
    const add = (content, preformatted) => {
      if (preformatted) {
        if (pendingBlank && !atLineStart) parts.push(' ');
        pendingBlank = false;
        if (content) parts.push(content), (atLineStart = content.endsWith('\n'));
        return;
      }
      let out = '';
      for (let i = 0; i < content.length; ++i) {
        const c = content[i];
        if (c === ' ' || c === '\t' || c === '\n' || c === '\r' || c === '\f') {
          pendingBlank = true;
          continue;
        }
        if (pendingBlank && !atLineStart) out += ' ';
        pendingBlank = atLineStart = false;
        out += c;
      }
      if (out) parts.push(out);
    };
    const nameOf = (element) => element.localName.toLowerCase();
    let preformatted = 0;
    const leave = (element) => {
      if (Blocks.has(nameOf(element))) blockEdge();
      if (nameOf(element) === 'pre') --preformatted;
    };
    // Walked without recursion: a hostile page may nest its elements deep.
    let node = document.firstChild;
    while (node) {
      if (node.nodeType === Node.ELEMENT_NODE) {
        const name = nameOf(node);
        if (!Unread.has(name) && !node.hasAttribute('hidden')) {
          if (name === 'br') parts.push('\n'), (atLineStart = true), (pendingBlank = false);
          else if (Blocks.has(name)) blockEdge();
          if (name === 'pre') ++preformatted;
          if (node.firstChild) {
            node = node.firstChild;
            continue;
          }
          leave(node);
        }
      } else if (node.nodeType === Node.TEXT_NODE || node.nodeType === Node.CDATA_SECTION_NODE) {
        add(node.data, preformatted > 0);
      }
      // On to the next sibling, leaving each element whose last child this was.
      while (node && !node.nextSibling) {
        node = node.parentNode;
        if (!node || node.nodeType !== Node.ELEMENT_NODE) node = null;
        else leave(node);
      }
      if (node) node = node.nextSibling;
    }
    blockEdge();
    return parts.join('');
  }

  // The browser checks a parsed page's inline styles and event handlers against this page's own
  // security policy, though it never applies or runs them, and complains of each on the console:
  // their attributes are renamed and style sheets left out (neither is text) before the page is
  // parsed. Comments and scripts are passed over whole, so that nothing in them is taken for a tag.
  const markup = new RegExp([
    '<!--(?:>|->|[\\s\\S]*?(?:--!?>|$))',
    '<(script|style)\\b((?:[^>"\']|"[^"]*"|\'[^\']*\')*)>([\\s\\S]*?)(?:</\\1\\s*>|$)',
    '<[a-z][^\\s/>]*(?:[^>"\']|"[^"]*"|\'[^\']*\')*>',
  ].join('|'), 'gi');
  const activeAttribute = /([\s"'/])(style|on[a-z]+)(?=\s*=)/gi;
  function defused(html) {
    return html.replace(markup, (found, raw, attributes, content) => {
      if (found.startsWith('<!--')) return found;
      if (raw && raw.toLowerCase() === 'style') return '';
      if (raw) return `<${raw}${attributes.replace(activeAttribute, '$1data-$2')}>${content}</${raw}>`;
      return found.replace(activeAttribute, '$1data-$2');
    });
  }

  function readHtml(bytes) {
    // A page holds no NUL bytes unless it is UTF-16, which then starts with its mark.
    const utf16 = startsWith(bytes, 0xff, 0xfe) || startsWith(bytes, 0xfe, 0xff);
    if (looksBinary(bytes) || (!utf16 && bytes.subarray(0, 4096).includes(0))) {
      throw new Unreadable('it is not an HTML page (.html).');
    }
    // Parsed as the browser parses a page, with its scripts off: nothing runs, nothing loads.
    return pageText(new DOMParser().parseFromString(defused(decodePage(bytes)), 'text/html'));
  }

  // Leaves out the characters that show nothing and never part words (soft hyphens, zero-width
  // spaces, word joiners, byte-order marks inside the text), so that "t(38)\u200B= 2.10" reads as
  // it looks; and whatever a format lets through, lines end in "\n" alone.
  function cleaned(text) {
    text = text.replace(/[\u00ad\u200b\u2060\ufeff]/g, '');
    return text.includes('\r') ? text.replace(/\r\n?/g, '\n') : text;
  }

  function reader(extension) {
    if (extension === '' || extension === 'txt') return readPlainText;
    if (extension === 'md') return (bytes) => withoutEmphasis(readPlainText(bytes));
    if (extension === 'html' || extension === 'htm') return readHtml;
    const named = { docx: 'readDocx', odt: 'readOdt', pdf: 'readPdf' }[extension];
    if (!readers[named]) throw new Error(`the page's reader of .${extension} files is missing.`);
    return readers[named];
  }

  // The text of the file `name` whose contents are `bytes` (a Uint8Array), paragraphs ended by
  // "\n"; or an Error whose message names the file and says why it cannot be read.
  self.readDocument = async function readDocument(name, bytes) {
    const extension = extensionOf(name);
    try {
      if (extension !== '' && !Extensions.includes(extension)) {
        throw new Unreadable(`files ending in .${extension} are not read; the text check reads ` +
          `${extensionsInWords()}.`);
      }
      if (bytes.length > MostFileBytes) {
        throw new Unreadable('it is larger than 256 MB, too large for a manuscript.');
      }
      return cleaned(await reader(extension)(bytes));
    } catch (error) {
      throw new Error(`${name} could not be read: ${error instanceof Error ? error.message : error}`);
    }
  };
})();
