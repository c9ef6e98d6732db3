#include "views/filterbar.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

FilterBar::FilterBar(QWidget *parent)
    : QWidget(parent)
    , textEdit(new QLineEdit(this))
    , regexButton(new QToolButton(this))
    , quickButton(new QToolButton(this))
    , quickGroup(new QActionGroup(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    textEdit->setObjectName(QStringLiteral("filterEdit"));
    textEdit->setPlaceholderText(tr("Filter by message ID, group or text (Ctrl+F)"));
    textEdit->setClearButtonEnabled(true);
    textEdit->installEventFilter(this);
    regexButton->setObjectName(QStringLiteral("regexButton"));
    regexButton->setText(QStringLiteral(".*"));
    regexButton->setToolTip(tr("Regular expression"));
    regexButton->setCheckable(true);
    quickButton->setObjectName(QStringLiteral("quickFilterButton"));
    quickButton->setPopupMode(QToolButton::InstantPopup);
    quickButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(textEdit, 1);
    layout->addWidget(regexButton);
    layout->addWidget(quickButton);

    auto *menu = new QMenu(quickButton);
    const std::pair<RowFilterCriteria::Quick, QString> quickFilters[] = {
        { RowFilterCriteria::Quick::None, tr("All Rows") },
        { RowFilterCriteria::Quick::EmptyInAnyColumn, tr("Empty in Any Column") },
        { RowFilterCriteria::Quick::EmptyInColumn, tr("Empty in Current Column") },
        { RowFilterCriteria::Quick::UnfinishedOrReview, tr("Unfinished or Marked for Review") },
        { RowFilterCriteria::Quick::ChangedSinceOpened, tr("Changed Since Opened") },
        { RowFilterCriteria::Quick::ProblemNoted, tr("Failed Placeholder Check or Translation") },
    };
    for (const auto &[quick, text] : quickFilters) {
        QAction *action = menu->addAction(text);
        action->setCheckable(true);
        action->setData(int(quick));
        action->setChecked(quick == RowFilterCriteria::Quick::None);
        quickGroup->addAction(action);
    }
    quickButton->setMenu(menu);
    updateQuickButton();

    connect(textEdit, &QLineEdit::textChanged, this, &FilterBar::criteriaChanged);
    connect(regexButton, &QToolButton::toggled, this, &FilterBar::criteriaChanged);
    connect(quickGroup, &QActionGroup::triggered, this, [this] {
        updateQuickButton();
        emit criteriaChanged();
    });
}

QString FilterBar::text() const
{
    return textEdit->text();
}

bool FilterBar::isRegularExpression() const
{
    return regexButton->isChecked();
}

RowFilterCriteria::Quick FilterBar::quickFilter() const
{
    const QAction *checked = quickGroup->checkedAction();
    return checked ? RowFilterCriteria::Quick(checked->data().toInt())
                   : RowFilterCriteria::Quick::None;
}

void FilterBar::clear()
{
    const QSignalBlocker blockText(textEdit);
    const QSignalBlocker blockRegex(regexButton);
    textEdit->clear();
    regexButton->setChecked(false);
    quickGroup->actions().constFirst()->setChecked(true);
    updateQuickButton();
    setError(QString());
}

void FilterBar::focusText()
{
    textEdit->setFocus(Qt::ShortcutFocusReason);
    textEdit->selectAll();
}

void FilterBar::setError(const QString &error)
{
    textEdit->setToolTip(error);
    textEdit->setStyleSheet(error.isEmpty() ? QString() : QStringLiteral("color: red"));
}

bool FilterBar::eventFilter(QObject *object, QEvent *event)
{
    if (object == textEdit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit findNextRequested();
            return true;
        }
        if (key == Qt::Key_Escape && !textEdit->text().isEmpty()) {
            textEdit->clear();
            return true;
        }
    }
    return QWidget::eventFilter(object, event);
}

void FilterBar::updateQuickButton()
{
    const QAction *checked = quickGroup->checkedAction();
    quickButton->setText(checked ? checked->text() : QString());
}
