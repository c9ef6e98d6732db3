#include "app/mainwindow.h"

void MainWindow::onActionPreferencesTriggered() { }
