#include "views/messagebox.h"

#include <QAbstractButton>

namespace {

struct TestState
{
    bool enabled = false;
    QList<QMessageBox::StandardButton> answers;
    QList<MessageBox::Shown> shown;
};

TestState &testState()
{
    static TestState state;
    return state;
}

} // namespace

QMessageBox::StandardButton MessageBox::show(QMessageBox::Icon icon, QWidget *parent,
    const QString &title, const QString &text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton,
    const QList<QPair<QMessageBox::StandardButton, QString>> &labels)
{
    TestState &state = testState();
    if (state.enabled) {
        state.shown.append(Shown { icon, title, text });
        if (!state.answers.isEmpty())
            return state.answers.takeFirst();
        return defaultButton != QMessageBox::NoButton ? defaultButton : QMessageBox::Ok;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    for (const auto &[button, label] : labels) {
        if (QAbstractButton *shown = box.button(button))
            shown->setText(label);
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton MessageBox::question(QWidget *parent, const QString &title,
    const QString &text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton,
    const QList<QPair<QMessageBox::StandardButton, QString>> &labels)
{
    return show(QMessageBox::Question, parent, title, text, buttons, defaultButton, labels);
}

QMessageBox::StandardButton MessageBox::warning(QWidget *parent, const QString &title,
    const QString &text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton)
{
    return show(QMessageBox::Warning, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton MessageBox::information(QWidget *parent, const QString &title,
    const QString &text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton)
{
    return show(QMessageBox::Information, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton MessageBox::critical(QWidget *parent, const QString &title,
    const QString &text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton)
{
    return show(QMessageBox::Critical, parent, title, text, buttons, defaultButton);
}

void MessageBox::setTestMode(bool enabled)
{
    testState().enabled = enabled;
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    testState().answers.append(answer);
}

QList<MessageBox::Shown> &MessageBox::shown()
{
    return testState().shown;
}

void MessageBox::clear()
{
    testState().answers.clear();
    testState().shown.clear();
}
