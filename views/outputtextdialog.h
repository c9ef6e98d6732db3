#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class OutputTextDialog;
}

// Shows a piece of text, such as the answer to a prompt test, in a resizable window the
// user can copy from.
class OutputTextDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OutputTextDialog)

public:
    explicit OutputTextDialog(QWidget *parent = nullptr);
    ~OutputTextDialog() override;

    void setText(const QString &text);
    QString text() const;

private:
    std::unique_ptr<Ui::OutputTextDialog> ui;
};
