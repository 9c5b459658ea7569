#pragma once

#include "anova/anovareport.h"
#include "report/resultform.h"

#include <array>

// The one-way ANOVA window: a factor, a dependent variable and two to four groups, the total
// sample size and both degrees of freedom derived from the groups in use, worded three ways.
class anovafrm : public ResultForm {
    Q_OBJECT
public:
    explicit anovafrm(QWidget *parent = nullptr);

    void ResetForm() override;

    void txtg1SamSize_LostFocus();
    void txtg2SamSize_LostFocus();
    void txtg3SamSize_LostFocus();
    void txtg4SamSize_LostFocus();

protected:
    bool ValidateInputs() override;
    bool ComposeReport() override;

private:
    // One group's row of boxes: txtg{k}Name, txtg{k}Mean, txtg{k}StdDev, txtg{k}SamSize.
    struct GroupBoxes {
        TextBox *Name, *Mean, *StdDev, *SamSize;
    };

    void buildTitles();
    AnovaGroup GroupTexts(const GroupBoxes &group) const;
    // Groups 1 and 2 always; groups 3 and 4 when any of their boxes holds text.
    QList<const GroupBoxes *> GroupsInUse() const;
    bool ValidateGroup(const GroupBoxes &group, int number);
    void UpdateTotals();

    TextBox *txtFactorName, *txtDepVarName;
    std::array<GroupBoxes, 4> Groups;
    TextBox *txtotSamSize, *txtdfBetween, *txtdfWithin, *txtierrorrate, *txtFstatistic, *txtpvalue;
};
