#pragma once

#include "report/resultform.h"

class QComboBox;

// The dependent-samples t-test window: two levels measured on the same people, the degrees of
// freedom derived from the total sample size, three wordings.
class ttestdepfrm : public ResultForm {
    Q_OBJECT
public:
    explicit ttestdepfrm(QWidget *parent = nullptr);

    void ResetForm() override;
    // Writes N - 1 into the read-only box; an empty or non-numeric N leaves the box as it was,
    // and the checks then report the total sample size.
    void UpdateDegreesOfFreedom();
    void txtotSamSize_LostFocus();

protected:
    bool ValidateInputs() override;
    bool ComposeReport() override;

private:
    void buildTitles();

    TextBox *txtg1Name, *txtg2Name, *txtg1Mean, *txtg2Mean, *txtg1StdDev, *txtg2StdDev;
    TextBox *txtotSamSize, *txtDepVarName, *txtierrorrate, *txtdegoffreedom, *txttstatistics;
    TextBox *txtpvalue;
    QComboBox *CboTail;
};
