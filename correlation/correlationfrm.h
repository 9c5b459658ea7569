#pragma once

#include "report/resultform.h"

class QComboBox;

// The Pearson correlation window: two variables measured on the same cases, the degrees of
// freedom derived from the total sample size, three wordings.
class correlationfrm : public ResultForm {
    Q_OBJECT
public:
    explicit correlationfrm(QWidget *parent = nullptr);

    void ResetForm() override;
    // Writes N - 2 into the read-only box; an empty or non-numeric N leaves the box as it was,
    // and the checks then report the total sample size.
    void UpdateDegreesOfFreedom();
    void txtotSamSize_LostFocus();

protected:
    bool ValidateInputs() override;
    bool ComposeReport() override;

private:
    TextBox *txtv1Name, *txtv2Name, *txtotSamSize, *txtierrorrate, *txtdegoffreedom, *txtrcoef;
    TextBox *txtpvalue;
    QComboBox *CboTail;
};
