#pragma once

#include "model/rowfilter.h"

#include <QWidget>

class QActionGroup;
class QLineEdit;
class QToolButton;

// The bar above the tables that narrows their rows: a text or regular expression, and a
// quick filter chosen from a menu.
class FilterBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FilterBar)

public:
    explicit FilterBar(QWidget *parent = nullptr);

    QString text() const;
    bool isRegularExpression() const;
    RowFilterCriteria::Quick quickFilter() const;
    // Back to every row, without announcing it.
    void clear();
    void focusText();
    // Shown on the text field while the regular expression cannot be used.
    void setError(const QString &error);

signals:
    void criteriaChanged();
    // Return in the text field: go to the next match.
    void findNextRequested();

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void updateQuickButton();

    QLineEdit *textEdit;
    QToolButton *regexButton;
    QToolButton *quickButton;
    QActionGroup *quickGroup;
};
