#include "support/memorymodel.h"
#include "views/inputrowcolumndialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

class tst_OutputTextDialog : public QObject
{
    Q_OBJECT

private slots:
    void inputRowColumn_data();
    void inputRowColumn();
};

void tst_OutputTextDialog::inputRowColumn_data()
{
    QTest::addColumn<bool>("rowMode");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("labels");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("row 3")     << true  << 3 << "btnOK"     << "Row/Source"    << "m2";
    QTest::newRow("column 2")  << false << 2 << "btnOK"     << "Column/Header" << "fr_FR";
    QTest::newRow("cancelled") << true  << 2 << "btnCancel" << "Row/Source"    << "m1";
    // clang-format on
}

void tst_OutputTextDialog::inputRowColumn()
{
    QFETCH(bool, rowMode);
    QFETCH(int, value);
    QFETCH(QString, button);
    QFETCH(QString, labels);
    QFETCH(QString, shown);
    MemoryModel model({ "de", "fr_FR" });
    for (int row = 0; row < 5; ++row)
        model.add("g", "de", QStringLiteral("m%1").arg(row), "text");
    model.finish();
    InputRowColumnDialog dialog(&model);
    dialog.setRowMode(rowMode);
    dialog.setRange(1, rowMode ? 5 : 2);
    // Setting the range shows the first row or column at once.
    auto *line = dialog.findChild<QLineEdit *>("lineEdit");
    QCOMPARE(line->text(), rowMode ? "m0" : "de");
    dialog.findChild<QSpinBox *>("spinBox")->setValue(value);
    QCOMPARE(dialog.findChild<QLabel *>("labelRowColumn")->text() + "/"
            + dialog.findChild<QLabel *>("labelSourceHeader")->text(),
        labels);
    QCOMPARE(line->text(), shown);
    dialog.findChild<QPushButton *>(button)->click();
    QCOMPARE(dialog.result(), button == "btnOK" ? QDialog::Accepted : QDialog::Rejected);
    QCOMPARE(dialog.value(), button == "btnOK" ? value : 0);
}

QTEST_MAIN(tst_OutputTextDialog)
#include "tst_outputtextdialog.moc"
