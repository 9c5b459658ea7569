#pragma once

#include <QObject>
#include <QProcess>
#include <QTimer>

class QMimeData;

// Reads a manuscript file for the window through `kelvaron-check --text`, in a process of its
// own: a file that makes a reader crash or hang costs that process, never the user's text, and
// the program itself does not load the readers' libraries (Poppler alone is 3 MB at start-up).
class DocumentLoader : public QObject {
    Q_OBJECT
public:
    explicit DocumentLoader(QObject *parent = nullptr);

    // Starts reading `path`, leaving any file still being read; the answer comes as a signal.
    void Load(const QString &path);
    bool IsLoading() const { return m_process.state() != QProcess::NotRunning; }

    // The reading program: kelvaron-check beside the executable, else on the PATH; tests name
    // the one they built.
    static void SetProgram(const QString &program);
    // The first local file among what is dragged, or nothing: dragged text goes into the editor.
    static QString DraggedFile(const QMimeData *dragged);

Q_SIGNALS:
    void Loaded(const QString &text);
    // One sentence that names the file and says why.
    void Failed(const QString &message);

private:
    // Ends a reading whose answer is no longer wanted, without a word.
    void Abandon();
    void Finished(int exitCode, QProcess::ExitStatus status);
    void Fail(const QString &reason);

    QProcess m_process;
    QTimer m_patience;
    QString m_path;
    bool m_abandoning = false;
};
