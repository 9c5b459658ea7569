// The two word-processor formats, .docx and .odt: ZIP archives (readers-zip.js) of XML parts.
// Paragraphs, tables' cells and text boxes in the order of the text, notes after the body; the
// deleted text of tracked changes, comments and hidden text are not read.
'use strict';
(() => {
  const readers = (self.kelvaronReaders = self.kelvaronReaders || {});
  const { attributeOf } = readers;

  const refuse = (why) => {
    throw new readers.Unreadable(why);
  };
  const xmlDamaged = (part) => `it is damaged: its part ${part} is not well-formed XML.`;

  // Builds the text paragraph by paragraph. A paragraph that opens inside another (a text box
  // anchored in it) is kept until the outer one ends and follows it, so that no sentence is cut in
  // two; a note's paragraphs go to the notes, which follow the body.
  class Paragraphs {
    constructor() {
      this.open = [];
      this.carried = '';
      this.body = [];
      this.notes = [];
    }

    start(inNote) {
      this.open.push({ text: '', deferred: '', inNote, atBlank: true, endsCollapsed: false,
        joinsNext: false });
      if (this.open.length === 1 && this.carried) {
        this.open[0].text = this.carried;
        this.open[0].atBlank = false;
        this.carried = '';
      }
    }

    append(text) {
      const paragraph = this.open[this.open.length - 1];
      if (!paragraph || !text) return;
      paragraph.text += text;
      paragraph.atBlank = paragraph.endsCollapsed = false;
    }

    // Blanks, tabs and line ends in the XML run together into one blank; none at the start.
    appendCollapsing(text) {
      const paragraph = this.open[this.open.length - 1];
      if (!paragraph) return;
      let out = '';
      for (let i = 0; i < text.length; ++i) {
        const c = text[i];
        if (c === ' ' || c === '\t' || c === '\n' || c === '\r') {
          if (!paragraph.atBlank) {
            out += ' ';
            paragraph.atBlank = paragraph.endsCollapsed = true;
          }
        } else {
          out += c;
          paragraph.atBlank = paragraph.endsCollapsed = false;
        }
      }
      paragraph.text += out;
    }

    // The paragraph's own end mark was deleted in a tracked change: it runs on into the next.
    joinWithNext() {
      if (this.open.length) this.open[this.open.length - 1].joinsNext = true;
    }

    end() {
      const paragraph = this.open.pop();
      if (!paragraph) return;
      if (paragraph.endsCollapsed) paragraph.text = paragraph.text.slice(0, -1);
      if (paragraph.joinsNext && !this.open.length && !paragraph.deferred) {
        this.carried = paragraph.text;
        return;
      }
      const lines = `${paragraph.text}\n${paragraph.deferred}`;
      const outer = this.open[this.open.length - 1];
      if (paragraph.inNote && (!outer || !outer.inNote)) this.notes.push(lines);
      else if (outer) outer.deferred += lines;
      else this.body.push(lines);
    }

    finished() {
      while (this.open.length) this.end();
      if (this.carried) this.body.push(`${this.carried}\n`), (this.carried = '');
      return this.body.join('') + this.notes.join('');
    }
  }

  // ---- .docx ----------------------------------------------------------------------------------

  const NotDocx = 'it is not a Word document (.docx).';
  const WordNamespaces = ['http://schemas.openxmlformats.org/wordprocessingml/2006/main',
    'http://purl.oclc.org/ooxml/wordprocessingml/main'];
  const MathNamespaces = ['http://schemas.openxmlformats.org/officeDocument/2006/math',
    'http://purl.oclc.org/ooxml/officeDocument/math'];
  const CompatibilityNamespace = 'http://schemas.openxmlformats.org/markup-compatibility/2006';

  // Text in the Symbol font, as Word's Insert Symbol writes it: "c" there is a χ.
  const SymbolUpper = 'ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ';
  const SymbolLower = 'αβχδεφγηιϕκλμνοπθρστυϖωξψζ';
  const SymbolOthers = { 0x2d: '\u2212', 0xa3: '\u2264', 0xb3: '\u2265', 0xb4: '\u00d7',
    0xb1: '\u00b1', 0xb9: '\u2260', 0xbb: '\u2248' };
  function fromSymbolFont(c) {
    let code = c.charCodeAt(0);
    if (code >= 0xf000 && code <= 0xf0ff) code -= 0xf000;
    if (code >= 0x41 && code <= 0x5a) return SymbolUpper[code - 0x41];
    if (code >= 0x61 && code <= 0x7a) return SymbolLower[code - 0x61];
    if (SymbolOthers[code]) return SymbolOthers[code];
    return code < 0x100 ? String.fromCharCode(code) : c;
  }
  const isSymbolFont = (font) => font.toLowerCase() === 'symbol';
  const isOn = (value) => !value || !(value === '0' || value === 'false' || value === 'off');

  // One part of the document (its body, or its footnotes or endnotes) into `paragraphs`.
  function readWordPart(bytes, part, root, notes, paragraphs) {
    const document = readers.parseXml(bytes);
    if (!document || document === 'dtd') refuse(xmlDamaged(part));
    const stack = []; // each open element: its local name, and whether it is Word's
    const parentIs = (name, up = 1) => stack.length >= up && stack[stack.length - up].word &&
      stack[stack.length - up].name === name;
    let hidden = false, symbol = false; // of the current run
    readers.walkXml(document, {
      start(element) {
        const name = element.localName;
        const word = WordNamespaces.includes(element.namespaceURI);
        if (!stack.length && (!word || name !== root)) refuse(NotDocx);
        // The same content again for older readers: a text box would be read twice.
        if (element.namespaceURI === CompatibilityNamespace && name === 'Fallback') return false;
        if ((word || MathNamespaces.includes(element.namespaceURI)) && name === 't') {
          if (!hidden) {
            let text = '';
            for (const child of element.childNodes) {
              if (child.nodeType === Node.TEXT_NODE || child.nodeType === Node.CDATA_SECTION_NODE) {
                text += child.data;
              }
            }
            if (attributeOf(element, 'space') !== 'preserve') text = readers.trimmed(text);
            text = text.replace(/[\n\r]/g, ' ');
            if (symbol) text = Array.from(text, (c) => (c.length === 1 ? fromSymbolFont(c) : c)).join('');
            paragraphs.append(text);
          }
          return false;
        }
        if (!word) {
          stack.push({ name, word: false });
          return true;
        }
        if (name === 'delText' || name === 'instrText' || name === 'delInstrText' ||
            ((name === 'del' || name === 'moveFrom') && !parentIs('rPr'))) {
          return false;
        }
        const type = attributeOf(element, 'type');
        if ((name === 'footnote' || name === 'endnote') && type && type !== 'normal') {
          return false; // the separator lines above the notes
        }
        if (name === 'p') {
          paragraphs.start(notes);
        } else if (name === 'r') {
          hidden = symbol = false;
        } else if (name === 'del' && parentIs('rPr') && parentIs('pPr', 2)) {
          paragraphs.joinWithNext();
        } else if (parentIs('rPr') && parentIs('r', 2)) {
          if (name === 'vanish') hidden = isOn(attributeOf(element, 'val'));
          else if (name === 'rFonts') symbol = isSymbolFont(attributeOf(element, 'ascii'));
        } else if (parentIs('r') && !hidden) {
          if (name === 'tab' || name === 'ptab') paragraphs.append('\t');
          else if (name === 'br' || name === 'cr') paragraphs.append('\n');
          else if (name === 'noBreakHyphen') paragraphs.append('-'); // typed to keep a minus with its figure
          else if (name === 'sym') {
            const hex = /^\s*(?:0x)?([0-9a-f]+)\s*$/i.exec(attributeOf(element, 'char'));
            const code = hex ? parseInt(hex[1], 16) : 0;
            if (code > 0 && code <= 0xffff && (code < 0xd800 || code > 0xdfff)) {
              const c = String.fromCharCode(code);
              paragraphs.append(isSymbolFont(attributeOf(element, 'font')) ? fromSymbolFont(c) : c);
            }
          }
        }
        stack.push({ name, word: true });
        return true;
      },
      end() {
        const closed = stack.pop();
        if (closed && closed.word && closed.name === 'p') paragraphs.end();
      },
      text() {},
    });
  }

  // A path as QDir::cleanPath gives it: no "." parts, ".." resolved where it can be.
  function cleanPath(path) {
    if (!path) return '';
    const absolute = path.startsWith('/');
    const parts = [];
    for (const part of path.split('/')) {
      if (part === '' || part === '.') continue;
      if (part === '..' && parts.length && parts[parts.length - 1] !== '..') parts.pop();
      else if (part !== '..' || !absolute) parts.push(part);
    }
    const joined = (absolute ? '/' : '') + parts.join('/');
    return joined || (absolute ? '/' : '.');
  }

  // The parts that the relationships part `rels` names by a type ending in `type`, as paths in
  // the archive; none when it is not well-formed.
  function related(rels, folder, type) {
    const document = readers.parseXml(rels);
    if (!document || document === 'dtd') return [];
    const targets = [];
    for (const element of document.getElementsByTagName('*')) {
      if (element.localName !== 'Relationship' || !attributeOf(element, 'Type').endsWith(type) ||
          attributeOf(element, 'TargetMode') === 'External') {
        continue;
      }
      const target = attributeOf(element, 'Target');
      const path = cleanPath(target.startsWith('/') ? target.slice(1)
        : folder ? `${folder}/${target}` : target);
      if (!path.startsWith('../') && target) targets.push(path.startsWith('./') ? path.slice(2) : path);
    }
    return targets;
  }

  const inFolder = (folder, name) => (folder ? `${folder}/${name}` : name);

  readers.readDocx = (bytes) => {
    if (readers.startsWith(bytes, 0xd0, 0xcf, 0x11, 0xe0, 0xa1, 0xb1, 0x1a, 0xe1)) {
      // Word keeps a document with a password in its older container format.
      refuse('it is protected by a password or is an older Word document (.doc); save a copy ' +
        'as .docx without a password.');
    }
    if (!readers.isZip(bytes)) refuse(NotDocx);
    const archive = new readers.Archive(bytes);
    let main = 'word/document.xml';
    if (archive.has('_rels/.rels')) {
      const targets = related(archive.read('_rels/.rels'), '', '/officeDocument');
      if (targets.length) main = targets[0];
    }
    if (!archive.has(main)) refuse(NotDocx);
    const slash = main.lastIndexOf('/');
    const folder = slash >= 0 ? main.slice(0, slash) : '';
    const fileName = main.slice(slash + 1);
    let footnotes = [inFolder(folder, 'footnotes.xml')];
    let endnotes = [inFolder(folder, 'endnotes.xml')];
    const mainRels = inFolder(folder, `_rels/${fileName}.rels`);
    if (archive.has(mainRels)) {
      const rels = archive.read(mainRels);
      footnotes = related(rels, folder, '/footnotes');
      endnotes = related(rels, folder, '/endnotes');
    }
    const paragraphs = new Paragraphs();
    readWordPart(archive.read(main), main, 'document', false, paragraphs);
    for (const [parts, root] of [[footnotes, 'footnotes'], [endnotes, 'endnotes']]) {
      for (const part of parts) {
        if (archive.has(part)) readWordPart(archive.read(part), part, root, true, paragraphs);
      }
    }
    return paragraphs.finished();
  };

  // ---- .odt -----------------------------------------------------------------------------------

  const OdfText = 'urn:oasis:names:tc:opendocument:xmlns:text:1.0';
  const OdfOffice = 'urn:oasis:names:tc:opendocument:xmlns:office:1.0';
  const NotOdt = 'it is not an OpenDocument text (.odt).';

  // Whether the manifest says that content.xml is encrypted; what it holds before a flaw counts.
  function contentEncrypted(manifest) {
    let document = readers.parseXml(manifest);
    if (document === 'dtd') return false;
    if (!document) {
      const text = new TextDecoder().decode(manifest);
      document = new DOMParser().parseFromString(text, 'application/xml');
    }
    let inContentEntry = false;
    for (const element of document.getElementsByTagName('*')) {
      if (element.namespaceURI === 'http://www.w3.org/1999/xhtml') continue; // the parser's report
      if (element.localName === 'file-entry') {
        inContentEntry = attributeOf(element, 'full-path') === 'content.xml';
      } else if (element.localName === 'encryption-data' && inContentEntry) {
        return true;
      }
    }
    return false;
  }

  function readOdfContent(bytes, paragraphs) {
    const document = readers.parseXml(bytes);
    if (!document || document === 'dtd') refuse(xmlDamaged('content.xml'));
    // Each open element, and whether character data in it is the paragraph's text.
    const stack = [];
    let notes = 0;
    let sawText = false;
    readers.walkXml(document, {
      start(element) {
        const name = element.localName;
        const text = element.namespaceURI === OdfText;
        const office = element.namespaceURI === OdfOffice;
        if (!stack.length && (!office || name !== 'document-content')) refuse(NotOdt);
        if (office && name === 'text') sawText = true;
        // Deleted text of tracked changes, comments, a note's number (the reader's own), an
        // index's templates, and pictures' titles and descriptions are not the document's text.
        if ((text && (name === 'tracked-changes' || name === 'note-citation' ||
            name.endsWith('-source'))) || (office && (name === 'annotation' || name === 'forms')) ||
            ((name === 'title' || name === 'desc') && !text && !office)) {
          return false;
        }
        const parentInParagraph = stack.length > 0 && stack[stack.length - 1].inParagraph;
        if (text && (name === 'p' || name === 'h')) {
          paragraphs.start(notes > 0);
          stack.push({ name, inParagraph: true, note: false });
          return true;
        }
        if (text && parentInParagraph) {
          if (name === 's') {
            // A run of blanks kept as typed; the count is bounded by what a page can show.
            const c = readers.trimmed(attributeOf(element, 'c')); // blanks around it allowed
            const given = /^[+-]?\d+$/.test(c) ? Number(c) : NaN;
            const count = Math.abs(given) < 2 ** 31 ? Math.min(Math.max(given, 1), 1000) : 1;
            paragraphs.append(' '.repeat(count));
          } else if (name === 'tab') {
            paragraphs.append('\t');
          } else if (name === 'line-break') {
            paragraphs.append('\n');
          }
        }
        const note = text && name === 'note';
        if (note) ++notes;
        stack.push({ name, inParagraph: text && parentInParagraph && !note, note });
        return true;
      },
      end() {
        const closed = stack.pop();
        if (!closed) return;
        if (closed.name === 'p' || closed.name === 'h') paragraphs.end();
        if (closed.note) --notes;
      },
      text(data) {
        if (stack.length && stack[stack.length - 1].inParagraph) paragraphs.appendCollapsing(data);
      },
    });
    if (!sawText) refuse(NotOdt);
  }

  readers.readOdt = (bytes) => {
    if (!readers.isZip(bytes)) refuse(NotOdt);
    const archive = new readers.Archive(bytes);
    if (archive.has('mimetype')) {
      const type = new TextDecoder('latin1').decode(archive.read('mimetype'));
      if (type.replace(/^[\t\n\v\f\r ]+|[\t\n\v\f\r ]+$/g, '') !==
          'application/vnd.oasis.opendocument.text') {
        refuse(NotOdt);
      }
    }
    if (!archive.has('content.xml')) refuse(NotOdt);
    if (archive.has('META-INF/manifest.xml') &&
        contentEncrypted(archive.read('META-INF/manifest.xml'))) {
      refuse(readers.Protected);
    }
    const paragraphs = new Paragraphs();
    readOdfContent(archive.read('content.xml'), paragraphs);
    return paragraphs.finished();
  };
})();
