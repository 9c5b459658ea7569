#pragma once

#include <QWidget>
#include <memory>

class ChiSquareTestfrm;
class TextCheckfrm;
class anovafrm;
class correlationfrm;
class ttestdepfrm;
class ttestindepfrm;

// The main menu: the window the program starts on. It opens the test windows (each made
// the first time it is shown, then only hidden and shown) and offers the feedback button.
class MainFrm : public QWidget {
    Q_OBJECT
public:
    // Shows the menu at start-up, centred with the frame the window manager gives it.
    void ShowCentred();
    explicit MainFrm(QWidget *parent = nullptr);
    ~MainFrm() override;

    void LblMainMenuLnk_Click();
    void Label9_Click();
    void Label10_Click();
    void Label11_Click();
    void Label12_Click();
    void Label13_Click();
    void Label18_Click();
    void Label19_Click();
    void Label20_Click();
    void Label21_Click();
    void CmdFeedbacks_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void buildContents();
    template <typename Form> void OpenTest(std::unique_ptr<Form> &form);
    void ShowAgain();

    std::unique_ptr<ttestindepfrm> m_ttestindepfrm;
    std::unique_ptr<ttestdepfrm> m_ttestdepfrm;
    std::unique_ptr<ChiSquareTestfrm> m_chiSquareTestfrm;
    std::unique_ptr<correlationfrm> m_correlationfrm;
    std::unique_ptr<anovafrm> m_anovafrm;
    std::unique_ptr<TextCheckfrm> m_textCheckfrm;
};

// Where "Your Feedbacks" sends the user's e-mail.
inline constexpr char FeedbackAddress[] = "feedback@kelvaron.example";
