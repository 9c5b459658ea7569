// The ZIP archives of .docx and .odt files, and the XML of their parts, for readers-office.js.
// The archive's directory is read here; its parts are inflated by fflate, a little at a time, so
// that a part built to fill memory is stopped as soon as it outgrows what it declared.
'use strict';
(() => {
  const readers = (self.kelvaronReaders = self.kelvaronReaders || {});

  // The most that the XML parts of one .docx or .odt may unpack to, together.
  const MostUnpackedBytes = 64 * 1024 * 1024;
  // A part that claims to unpack to more than this many times its packed size, and to more than a
  // few megabytes, is built to fill memory: text XML packs ten to twenty times.
  const MostPackingRatio = 200;
  const SmallestSuspectPart = 8 * 1024 * 1024;
  // Packed bytes inflated at a time: at most about a thousand times as many come out.
  const InflateStep = 4096;

  const Damaged = 'it is damaged: its ZIP archive is incomplete or broken.';
  const TooLarge =
    'it would unpack to more than 64 MB of text, far more than any manuscript holds.';

  const refuse = (why) => {
    throw new readers.Unreadable(why);
  };

  let crcTable = null;
  function crc32(bytes) {
    if (!crcTable) {
      crcTable = new Int32Array(256);
      for (let n = 0; n < 256; ++n) {
        let c = n;
        for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
        crcTable[n] = c;
      }
    }
    let crc = -1;
    for (let i = 0; i < bytes.length; ++i) crc = crcTable[(crc ^ bytes[i]) & 0xff] ^ (crc >>> 8);
    return (crc ^ -1) >>> 0;
  }

  // The entries of the archive's central directory, in its order; null when the archive has no
  // readable end record. A damaged entry ends the list, as an unzipper's walk stops there.
  function directory(bytes) {
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    const u16 = (at) => view.getUint16(at, true);
    const u32 = (at) => view.getUint32(at, true);
    const u64 = (at) => u32(at) + u32(at + 4) * 2 ** 32;
    let end = -1;
    for (let at = bytes.length - 22; at >= 0 && at >= bytes.length - 22 - 0xffff; --at) {
      if (u32(at) === 0x06054b50) {
        end = at;
        break;
      }
    }
    if (end < 0 || u16(end + 4) !== 0 || u16(end + 6) !== 0 || u16(end + 8) !== u16(end + 10)) {
      return null;
    }
    let count = u16(end + 10), size = u32(end + 12), offset = u32(end + 16), recordAt = end;
    const locator = end - 20;
    if (locator >= 0 && u32(locator) === 0x07064b50) {
      const at = u64(locator + 8);
      if (at + 56 > bytes.length || u32(at) !== 0x06064b50) return null;
      count = u64(at + 32), size = u64(at + 40), offset = u64(at + 48), recordAt = at;
    }
    // Bytes before the archive (a self-extractor's) shift every offset in it.
    const shift = recordAt - (offset + size);
    if (shift < 0) return null;
    const entries = [];
    for (let at = offset + shift, i = 0; i < count; ++i) {
      if (at + 46 > bytes.length || u32(at) !== 0x02014b50) break;
      const flags = u16(at + 8), nameLength = u16(at + 28), extraLength = u16(at + 30);
      const nameBytes = bytes.subarray(at + 46, at + 46 + nameLength);
      const entry = {
        name: new TextDecoder(flags & 0x800 ? 'utf-8' : 'latin1').decode(nameBytes),
        flags, method: u16(at + 10), crc: u32(at + 16),
        packed: u32(at + 20), size: u32(at + 24), offset: u32(at + 42),
      };
      // Sizes and offsets too large for their fields are in the zip64 extra field.
      for (let x = at + 46 + nameLength; x + 4 <= at + 46 + nameLength + extraLength;) {
        const id = u16(x), length = u16(x + 2);
        if (id === 1) {
          let field = x + 4;
          for (const key of ['size', 'packed', 'offset']) {
            if (entry[key] === 0xffffffff && field + 8 <= x + 4 + length) {
              entry[key] = u64(field);
              field += 8;
            }
          }
        }
        x += 4 + length;
      }
      entry.offset += shift;
      entries.push(entry);
      at += 46 + nameLength + extraLength + u16(at + 32);
    }
    return { view, entries };
  }

  // The parts of one archive, read whole within one budget of unpacked bytes for all of them.
  class Archive {
    constructor(bytes) {
      this.bytes = bytes;
      let found = null;
      try {
        found = directory(bytes);
      } catch {
        // A directory cut off midway: as damaged as one that is missing.
      }
      // The desktop's unzipper opens an archive at its first entry: one without any is broken.
      if (!found || !found.entries.length) refuse(Damaged);
      this.view = found.view;
      this.entries = found.entries;
      this.budget = MostUnpackedBytes;
    }

    // The first entry named `part`, whatever its letters' case.
    entry(part) {
      const wanted = part.toLowerCase();
      return this.entries.find((entry) => entry.name.toLowerCase() === wanted) || null;
    }

    has(part) {
      return this.entry(part) !== null;
    }

    // The part's bytes; refused when it is missing, protected, too large or damaged.
    read(part) {
      const entry = this.entry(part);
      if (!entry) refuse(Damaged);
      if (entry.flags & 1) refuse(readers.Protected);
      if (entry.size > this.budget || (entry.size > SmallestSuspectPart &&
          Math.floor(entry.size / Math.max(entry.packed, 1)) > MostPackingRatio)) {
        refuse(TooLarge);
      }
      const bytes = this.unpacked(entry);
      if (bytes.length !== entry.size || crc32(bytes) !== entry.crc) refuse(Damaged);
      this.budget -= bytes.length;
      return bytes;
    }

    // The part's bytes as unpacked, stopped one byte past what the directory declares.
    unpacked(entry) {
      const { view, bytes } = this;
      const at = entry.offset;
      if (at + 30 > bytes.length || view.getUint32(at, true) !== 0x04034b50) refuse(Damaged);
      // The local header must agree with the directory, as unzippers check.
      const local = (offset) => view.getUint32(at + offset, true);
      const agrees = (value, declared) => value === declared || value === 0xffffffff;
      if (view.getUint16(at + 8, true) !== entry.method || (entry.method !== 0 && entry.method !== 8) ||
          (!(entry.flags & 8) && (local(14) !== entry.crc || !agrees(local(18), entry.packed) ||
            !agrees(local(22), entry.size)))) {
        refuse(Damaged);
      }
      const start = at + 30 + view.getUint16(at + 26, true) + view.getUint16(at + 28, true);
      if (start + entry.packed > bytes.length) refuse(Damaged);
      const packed = bytes.subarray(start, start + entry.packed);
      if (entry.method === 0) return packed.subarray(0, entry.size + 1);
      const chunks = [];
      let length = 0;
      const outgrown = {};
      const inflater = new fflate.Inflate((chunk) => {
        length += chunk.length;
        if (length > entry.size) throw outgrown;
        chunks.push(chunk);
      });
      try {
        for (let from = 0; ; from += InflateStep) {
          const last = from + InflateStep >= packed.length;
          inflater.push(packed.subarray(from, from + InflateStep), last);
          if (last) break;
        }
      } catch {
        refuse(Damaged); // outgrown, or not a deflate stream
      }
      const whole = new Uint8Array(length);
      let offset = 0;
      for (const chunk of chunks) whole.set(chunk, offset), (offset += chunk.length);
      return whole;
    }
  }
  readers.Archive = Archive;
  readers.isZip = (bytes) =>
    readers.startsWith(bytes, 0x50, 0x4b, 3, 4) || readers.startsWith(bytes, 0x50, 0x4b, 5, 6);

  // ---- XML ------------------------------------------------------------------------------------

  // Whether the document declares a DTD before its root: none is read, so that no entity of its
  // own expands a billionfold.
  function hasDtd(text) {
    let at = text.charCodeAt(0) === 0xfeff ? 1 : 0;
    for (;;) {
      while (at < text.length && ' \t\r\n'.includes(text[at])) ++at;
      if (text.startsWith('<?', at)) at = text.indexOf('?>', at) + 2;
      else if (text.startsWith('<!--', at)) at = text.indexOf('-->', at) + 3;
      else return text.startsWith('<!DOCTYPE', at);
      if (at < 2) return false; // unclosed: the parser finds it broken
    }
  }

  // The part as text: by its byte-order mark, else the encoding its declaration names, else
  // UTF-8. Null when its bytes are not what it says.
  function decodeXml(bytes) {
    if (readers.startsWith(bytes, 0xfe, 0xff)) return readers.decodeText(bytes, 'utf-16be');
    if (readers.startsWith(bytes, 0xff, 0xfe)) return readers.decodeText(bytes, 'utf-16le');
    const head = new TextDecoder('latin1').decode(bytes.subarray(0, 200));
    const declared = /^(?:\xef\xbb\xbf)?<\?xml[^>]*encoding\s*=\s*["']([\w.:-]+)["']/.exec(head);
    const encoding = declared ? declared[1].toLowerCase() : 'utf-8';
    if (encoding === 'utf-8' || encoding === 'utf8') return readers.decodeText(bytes, 'utf-8');
    try {
      return new TextDecoder(encoding, { fatal: true }).decode(bytes);
    } catch {
      return null;
    }
  }

  // The part's document, or 'dtd' when it declares one, or null when it is not well-formed.
  readers.parseXml = (bytes) => {
    const text = decodeXml(bytes);
    if (text === null) return null;
    if (hasDtd(text)) return 'dtd';
    const document = new DOMParser().parseFromString(text, 'application/xml');
    const failed = document.getElementsByTagNameNS('http://www.w3.org/1999/xhtml', 'parsererror');
    return failed.length ? null : document;
  };

  // An attribute by its local name, whatever its prefix; '' when there is none.
  readers.attributeOf = (element, localName) => {
    for (const attribute of element.attributes) {
      if (attribute.localName === localName) return attribute.value;
    }
    return '';
  };

  // Walks the document as a stream of its parts, without recursion: visit.start(element) returns
  // whether the element's content is walked too (then visit.end(element) follows it);
  // visit.text(data) gets each piece of character data.
  readers.walkXml = (document, visit) => {
    let node = document.documentElement;
    while (node) {
      let descend = false;
      if (node.nodeType === Node.ELEMENT_NODE) {
        descend = visit.start(node);
        if (descend && node.firstChild) {
          node = node.firstChild;
          continue;
        }
        if (descend) visit.end(node);
      } else if (node.nodeType === Node.TEXT_NODE || node.nodeType === Node.CDATA_SECTION_NODE) {
        visit.text(node.data);
      }
      while (node && !node.nextSibling) {
        node = node.parentNode;
        if (!node || node.nodeType !== Node.ELEMENT_NODE) node = null;
        else visit.end(node);
      }
      if (node) node = node.nextSibling;
    }
  };
})();
