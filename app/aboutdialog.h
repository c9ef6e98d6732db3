#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutDialog;
}

// The about box: what the program is, where its pages are, its version, and the licences of
// the program and of the libraries it is built with.
class AboutDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutDialog)

public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

private:
    QString thirdPartyText() const;

    std::unique_ptr<Ui::AboutDialog> ui;
};
