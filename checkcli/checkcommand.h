#pragma once

#include <QStringList>

class QIODevice;

// kelvaron-check: checks the results sections of the files named, many at once, and prints what
// it found in the order the files were given.
struct CheckCommandStreams {
    QIODevice *input = nullptr;  // read for "-"
    QIODevice *output = nullptr; // results, as UTF-8 whatever the locale
    QIODevice *errors = nullptr; // usage errors, unread files and the progress line
    // A line of progress, rewritten in place and cleared at the end: for a terminal only.
    bool showProgress = false;
};

// `arguments` without the program's name; returns the exit status: 0 when nothing is
// inconsistent, 1 when something is, 2 when a file could not be read or the usage is wrong.
int RunCheckCommand(const QStringList &arguments, const CheckCommandStreams &streams);

// The whole program over the process's own streams, for main().
int CheckCommandMain(int argc, char *argv[]);
