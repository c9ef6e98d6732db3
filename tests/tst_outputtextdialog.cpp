#include "support/memorymodel.h"
#include "views/inputrowcolumndialog.h"
#include "views/outputtextdialog.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>

class tst_OutputTextDialog : public QObject
{
    Q_OBJECT

private slots:
    void window();
    void text_data();
    void text();
    void inputRowColumn_data();
    void inputRowColumn();
};

void tst_OutputTextDialog::window()
{
    OutputTextDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Output"));
    QCOMPARE(dialog.size(), QSize(563, 207));
    auto *edit = dialog.findChild<QTextEdit *>(QStringLiteral("textEdit"));
    QVERIFY(edit);
    // The user may select, copy and change the text.
    QVERIFY(!edit->isReadOnly());
    QVERIFY(dialog.findChildren<QAbstractButton *>().isEmpty());
}

void tst_OutputTextDialog::text_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("error message")
        << "Error transferring https://api.example.com/v1/chat/completions - server replied: "
           "Unauthorized"
        << "Error transferring https://api.example.com/v1/chat/completions - server replied: "
           "Unauthorized";
    QTest::newRow("multi-line answer")
        << "[{\"id\":1,\"zh_CN\":\"你好\"},\n {\"id\":2,\"zh_CN\":\"再见\"}]"
        << "[{\"id\":1,\"zh_CN\":\"你好\"},\n {\"id\":2,\"zh_CN\":\"再见\"}]";
    QTest::newRow("rich text") << "<b>Hello</b> <i>world</i>"
                               << "Hello world";
}

void tst_OutputTextDialog::text()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);

    OutputTextDialog dialog;
    dialog.setText("a previous answer");
    dialog.setText(text);
    QCOMPARE(dialog.findChild<QTextEdit *>(QStringLiteral("textEdit"))->toPlainText(), shown);
    QCOMPARE(dialog.text(), shown);
}

void tst_OutputTextDialog::inputRowColumn_data()
{
    QTest::addColumn<bool>("rowMode");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("labels");
    QTest::addColumn<QString>("shown");
    QTest::newRow("row 3") << true << 3 << "btnOK"
                           << "Row/Source"
                           << "m2";
    QTest::newRow("column 2") << false << 2 << "btnOK"
                              << "Column/Header"
                              << "fr_FR";
    QTest::newRow("cancelled") << true << 2 << "btnCancel"
                               << "Row/Source"
                               << "m1";
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
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Row/Column"));
    QCOMPARE(dialog.size(), QSize(298, 139));
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
