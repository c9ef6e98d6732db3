#include "app/mainwindow.h"

#include "model/translationmodel.h"
#include "settings/preferencesdialog.h"

void MainWindow::onActionPreferencesTriggered()
{
    PreferencesDialog dialog(&networkAccessManager, this);
    if (translationModel)
        dialog.setSourceLanguage(translationModel->sourceLanguageName());
    if (dialog.exec() == QDialog::Accepted && translationModel)
        translationModel->setSourceLanguage(dialog.sourceLanguage());
}
