#include "support/examplewindows.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// A screen reader names each input box by the caption beside it.
class TestAccessibility : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyFieldIsNamedByItsCaption_data() { EachWindow(); }

    void everyFieldIsNamedByItsCaption()
    {
        QFETCH(int, window);
        const std::unique_ptr<ResultForm> form = ExampleWindows().at(window).create();
        const qsizetype fields = ExampleWindows().at(window).tabOrder.size();

        QList<QWidget *> inputs;
        for (QLineEdit *box : form->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly))
            inputs << box;
        for (QComboBox *box : form->findChildren<QComboBox *>(Qt::FindDirectChildrenOnly))
            inputs << box;
        QCOMPARE(inputs.size(), fields);

        int named = 0;
        for (QLabel *label : form->findChildren<QLabel *>()) {
            QWidget *field = label->buddy();
            if (!field)
                continue;
            QVERIFY(inputs.contains(field));
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(field);
            QVERIFY(accessible);
            QCOMPARE(field->accessibleName(), label->text());
            // Qt on this platform names a combo box by its text and announces its caption
            // through the label relation; a text box is named by its caption outright.
            if (qobject_cast<QLineEdit *>(field))
                QCOMPARE(accessible->text(QAccessible::Name), label->text());
            bool labelled = false;
            for (const auto &relation : accessible->relations(QAccessible::Label))
                labelled = labelled || relation.first->object() == label;
            QVERIFY2(labelled, qPrintable(label->text()));
            ++named;
        }
        QCOMPARE(named, fields);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
