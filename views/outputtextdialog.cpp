#include "views/outputtextdialog.h"

#include "ui_outputtextdialog.h"

OutputTextDialog::OutputTextDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::OutputTextDialog>())
{
    ui->setupUi(this);
}

OutputTextDialog::~OutputTextDialog() = default;

void OutputTextDialog::setText(const QString &text)
{
    // The editor decides between plain and rich text, so an HTML answer reads as a page.
    ui->textEdit->setText(text);
}

QString OutputTextDialog::text() const
{
    return ui->textEdit->toPlainText();
}
