#include "views/inputrowcolumndialog.h"
#include "ui_inputrowcolumndialog.h"

#include "model/translationmodel.h"

InputRowColumnDialog::InputRowColumnDialog(TranslationModel *model, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::InputRowColumnDialog>())
    , model(model)
{
    ui->setupUi(this);
    connect(
        ui->spinBox, &QSpinBox::valueChanged, this, &InputRowColumnDialog::onSpinBoxValueChanged);
    connect(ui->btnOK, &QPushButton::clicked, this, &InputRowColumnDialog::onBtnOKClicked);
    connect(ui->btnCancel, &QPushButton::clicked, this, &InputRowColumnDialog::onBtnCancelClicked);
}

InputRowColumnDialog::~InputRowColumnDialog() = default;

void InputRowColumnDialog::setRowMode(bool rowMode)
{
    this->rowMode = rowMode;
    ui->labelRowColumn->setText(rowMode ? tr("Row") : tr("Column"));
    ui->labelSourceHeader->setText(rowMode ? tr("Source") : tr("Header"));
}

void InputRowColumnDialog::setRange(int minimum, int maximum)
{
    ui->spinBox->setRange(minimum, maximum);
}

void InputRowColumnDialog::onSpinBoxValueChanged(int value)
{
    if (!model)
        return;
    ui->lineEdit->setText(rowMode ? model->sourceText(model->index(value - 1, 0))
                                  : model->columnLanguage(model->index(0, value - 1), true));
}

void InputRowColumnDialog::onBtnOKClicked()
{
    acceptedValue = ui->spinBox->value();
    accept();
}

void InputRowColumnDialog::onBtnCancelClicked()
{
    reject();
}
