#include "views/messagebox.h"

#include <QPushButton>

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
    QMessageBox::StandardButton defaultButton, const QList<Choice> &choices)
{
    TestState &state = testState();
    if (state.enabled) {
        state.shown.append(Shown { icon, title, text });
        if (!state.answers.isEmpty())
            return state.answers.takeFirst();
        return defaultButton != QMessageBox::NoButton ? defaultButton : QMessageBox::Ok;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    for (const auto &[button, label] : choices)
        box.addButton(button)->setText(label);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton MessageBox::question(QWidget *parent, const QString &title,
    const QString &text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton)
{
    return show(QMessageBox::Question, parent, title, text, buttons, defaultButton);
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

QMessageBox::StandardButton MessageBox::choose(QWidget *parent, const QString &title,
    const QString &text, const QList<Choice> &choices, QMessageBox::StandardButton defaultButton)
{
    return show(
        QMessageBox::Question, parent, title, text, QMessageBox::NoButton, defaultButton, choices);
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
