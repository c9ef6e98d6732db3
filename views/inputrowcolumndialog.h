#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class InputRowColumnDialog;
}

class TranslationModel;

// Asks for a 1-based row or column number of the open set and shows, as the number changes,
// the row's source text or the column's language code.
class InputRowColumnDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InputRowColumnDialog)

public:
    InputRowColumnDialog(TranslationModel *model, QWidget *parent = nullptr);
    ~InputRowColumnDialog() override;

    void setRowMode(bool rowMode);
    void setRange(int minimum, int maximum);
    int value() const { return acceptedValue; }

private slots:
    void onSpinBoxValueChanged(int value);
    void onBtnOKClicked();
    void onBtnCancelClicked();

private:
    std::unique_ptr<Ui::InputRowColumnDialog> ui;
    TranslationModel *model = nullptr;
    int acceptedValue = 0;
    bool rowMode = false;
};
