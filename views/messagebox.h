#pragma once

#include <QList>
#include <QMessageBox>

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

    // Buttons named in `labels` show that text instead of their standard one.
    static QMessageBox::StandardButton question(QWidget *parent, const QString &title,
        const QString &text,
        QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
        const QList<QPair<QMessageBox::StandardButton, QString>> &labels = {});
    static QMessageBox::StandardButton warning(QWidget *parent, const QString &title,
        const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton information(QWidget *parent, const QString &title,
        const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton critical(QWidget *parent, const QString &title,
        const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

    static void setTestMode(bool enabled);
    static void setNextAnswer(QMessageBox::StandardButton answer);
    // The boxes "shown" in test mode, oldest first.
    static QList<Shown> &shown();
    static void clear();

private:
    static QMessageBox::StandardButton show(QMessageBox::Icon icon, QWidget *parent,
        const QString &title, const QString &text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton,
        const QList<QPair<QMessageBox::StandardButton, QString>> &labels = {});
};
