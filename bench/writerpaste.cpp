// Copies each test window's report the way a user does (select all in the pane, copy) and keeps
// it on the clipboard until told to go on, for bench/writerpaste.py to paste into a word
// processor. Prints "copied <window>" and waits for a line on its standard input.
#include "report/resultviewer.h"
#include "support/examplewindows.h"

#include <QApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The clipboard is answered from the event loop, so the wait for the next line runs it.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QEventLoop waiting;
    QObject::connect(&input, &QSocketNotifier::activated, &waiting, [&waiting] {
        char line[64];
        if (!fgets(line, sizeof line, stdin))
            QCoreApplication::exit(1);
        waiting.quit();
    });
    for (const ExampleWindow &example : ExampleWindows()) {
        const std::unique_ptr<ResultForm> form = example.create();
        ShowAndActivate(form.get());
        // A name with markup a browser shows as text, and p with the pane's word joiner.
        TypeFields(form.get(), With(example.example(), {{example.tabOrder.at(0), u"Age <30"_s},
                                                        {u"txtpvalue"_s, u".002"_s}}));
        ClickShowResult(form.get());
        Pane(form.get())->selectAll();
        Pane(form.get())->copy();
        printf("copied %s\n", qPrintable(example.title));
        fflush(stdout);
        waiting.exec();
    }
    return 0;
}
