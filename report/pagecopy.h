#pragma once

class QMimeData;
class QTextDocumentFragment;

// What a copy from the pane puts on the clipboard, in the forms word processors and editors
// read: HTML with only <i>, <u>, <b>, <sup>, <sub> and <br> (a word processor ignores a raised
// span but reads <sup>), ending where the text ends, so that no empty paragraph follows a paste;
// plain text; Markdown, one line of source for each line shown, which renders to the same text;
// and OpenDocument text. None holds the word joiners that keep figures whole on screen.
QMimeData *PageCopy(const QTextDocumentFragment &selection);
