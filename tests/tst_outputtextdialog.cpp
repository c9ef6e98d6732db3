#include "views/outputtextdialog.h"

#include <QAbstractButton>
#include <QTest>
#include <QTextEdit>

class tst_OutputTextDialog : public QObject
{
    Q_OBJECT

private slots:
    void window();
    void text_data();
    void text();
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

QTEST_MAIN(tst_OutputTextDialog)
#include "tst_outputtextdialog.moc"
