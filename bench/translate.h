#pragma once

#include <QStringList>

// parlonex-bench translate KIND (--import DIR | FILE...) --service NAME --url URL --key KEY
//     --model MODEL [--parallel P] [--dump OUT.tsv]
// Runs the real translation queue, without a window, over every empty cell of the set.
int benchTranslate(const QStringList &arguments);
