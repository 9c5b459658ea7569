#pragma once

#include "report/resultform.h"

class QLabel;

// The 2 x 2 chi-square window: fourteen fields, checked in tab order, worded two ways.
class ChiSquareTestfrm : public ResultForm {
    Q_OBJECT
public:
    explicit ChiSquareTestfrm(QWidget *parent = nullptr);

    void ResetForm() override;

protected:
    bool ValidateInputs() override;
    bool ComposeReport() override;

private:
    void buildTitles();

    TextBox *txtC1Name, *txtC2Name, *txtC1L1, *txtC1L2, *txtC2L1, *txtC2L2, *txtotSamSize;
    TextBox *txtC1L1Cnt, *txtC1L2Cnt, *txtC2L1Cnt, *txtC2L2Cnt, *txtalpha, *txtChiSq, *txtpvalue;
};
