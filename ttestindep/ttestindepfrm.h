#pragma once

#include "report/resultform.h"

class QComboBox;

// The independent-samples t-test window: fifteen fields, the total sample size and degrees of
// freedom derived from the two group sizes, worded three ways.
class ttestindepfrm : public ResultForm {
    Q_OBJECT
public:
    explicit ttestindepfrm(QWidget *parent = nullptr);

    void ResetForm() override;

    void txtg1SamSize_LostFocus();
    void txtg2SamSize_LostFocus();

protected:
    bool ValidateInputs() override;
    bool ComposeReport() override;

private:
    void buildTitles();
    void UpdateTotals();

    TextBox *txtg1Name, *txtg2Name, *txtg1Mean, *txtg2Mean, *txtg1StdDev, *txtg2StdDev;
    TextBox *txtg1SamSize, *txtg2SamSize, *txtotSamSize, *txtDepVarName, *txtierrorrate;
    QComboBox *CboTail;
    TextBox *txtdegoffreedom, *txttstatistics, *txtpvalue;
};
