#pragma once

#include <QKeySequence>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class TranslationModel;

// The pane under the tables: the current row's message ID, group and notes (context, the
// developers' and the translators' comments), its source text, and the current cell's text
// in a multi-line editor that shows its line breaks. Edits are written through the model's
// setData when the editor loses the focus, when another cell becomes current, or when the
// window commits them before a command.
class DetailPane final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DetailPane)

public:
    explicit DetailPane(QWidget *parent = nullptr);

    // `index` is a cell of `model` (not of a view); an invalid one empties the pane.
    void showCell(TranslationModel *model, const QModelIndex &index);
    // Writes the editor's text into the cell when the user changed it.
    void commit();
    // Window shortcuts that reach the window while the editor has the focus.
    void setWindowShortcuts(const QList<QKeySequence> &shortcuts) { windowShortcuts = shortcuts; }

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void refresh(bool cellText);
    QString editorText() const;

    QPointer<TranslationModel> model;
    QPersistentModelIndex cell;
    QLabel *idLabel;
    QLabel *notesLabel;
    QPlainTextEdit *sourceView;
    QLabel *editorLabel;
    QPlainTextEdit *editor;
    QList<QKeySequence> windowShortcuts;
};
