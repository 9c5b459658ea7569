#pragma once

#include "checks/checkfigures.h"

#include <QLabel>

class ResultViewer;

// The lines the figure checks found for the report just shown, along the bottom edge inside the
// result pane; the pane's page ends above it. Empty and hidden until the first report. Its
// "Copy" link puts the effect size on the clipboard, as HTML and as plain text.
class FigureCheckStrip : public QLabel {
    Q_OBJECT
public:
    explicit FigureCheckStrip(ResultViewer *pane);

    void ShowFindings(const Findings &findings);
    void CopyEffectSize();

private:
    ResultViewer *m_pane;
    QString m_copyHtml, m_copyText;
};
