#pragma once

#include <QTextBrowser>

// The viewer pane of a test window. Navigate() loads a result page from its file path; the page
// is shown as a web browser would show it, and its text can be selected and copied with its
// formatting.
class ResultViewer : public QTextBrowser {
    Q_OBJECT
public:
    explicit ResultViewer(QWidget *parent = nullptr);

    // Loads the file at this plain path (not a file: address). A file that cannot be read
    // leaves an empty page.
    void Navigate(const QString &path);
    QString currentPath() const { return m_path; }
    // Keeps this many pixels at the bottom, inside the frame, free of the page (for the strip
    // of figure checks).
    void ReserveBottom(int pixels) { setViewportMargins(0, 0, 0, pixels); }

    // Decodes a page by its byte-order mark and completes numeric character references that lack
    // their semicolon ("&#945 = .05"), which browsers accept and Qt's HTML reader does not.
    static QString PageForDisplay(const QByteArray &fileBytes);

    // How many resources (images, style sheets) the page asked for; none of them is loaded.
    int refusedResources() const { return m_refused; }

protected:
    QVariant loadResource(int type, const QUrl &name) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    QString m_path;
    int m_refused = 0;
};
