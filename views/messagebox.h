#pragma once

#include <QList>
#include <QMessageBox>

#include <utility>

// Every message box of the program goes through here. Tests switch on the test mode: then
// nothing is shown, each box is recorded and answered from a queue of next answers (or its
// default button).
class MessageBox final
{
public:
    struct Shown
    {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };

    static QMessageBox::StandardButton question(QWidget *parent, const QString &title,
        const QString &text,
        QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton warning(QWidget *parent, const QString &title,
        const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton information(QWidget *parent, const QString &title,
        const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton critical(QWidget *parent, const QString &title,
        const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

    // A question whose buttons read the caller's own words; the answer is the standard
    // button each of them stands in for.
    using Choice = std::pair<QMessageBox::StandardButton, QString>;
    static QMessageBox::StandardButton choose(QWidget *parent, const QString &title,
        const QString &text, const QList<Choice> &choices,
        QMessageBox::StandardButton defaultButton);

    static void setTestMode(bool enabled);
    static void setNextAnswer(QMessageBox::StandardButton answer);
    // The boxes "shown" in test mode, oldest first.
    static QList<Shown> &shown();
    static void clear();

private:
    static QMessageBox::StandardButton show(QMessageBox::Icon icon, QWidget *parent,
        const QString &title, const QString &text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton, const QList<Choice> &choices = {});
};
