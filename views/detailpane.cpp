#include "views/detailpane.h"

#include "model/translationmodel.h"
#include "views/editordelegate.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextOption>

namespace {

QPlainTextEdit *textPane(QWidget *parent, const QString &objectName)
{
    auto *pane = new QPlainTextEdit(parent);
    pane->setObjectName(objectName);
    // Line breaks are part of a translation: they are shown, so that none goes unnoticed.
    QTextOption option = pane->document()->defaultTextOption();
    option.setFlags(option.flags() | QTextOption::ShowLineAndParagraphSeparators);
    pane->document()->setDefaultTextOption(option);
    return pane;
}

QLabel *label(QWidget *parent, const QString &objectName)
{
    auto *shown = new QLabel(parent);
    shown->setObjectName(objectName);
    shown->setWordWrap(true);
    shown->setTextFormat(Qt::PlainText);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return shown;
}

} // namespace

DetailPane::DetailPane(QWidget *parent)
    : QWidget(parent)
    , idLabel(label(this, QStringLiteral("detailMessageId")))
    , notesLabel(label(this, QStringLiteral("detailNotes")))
    , sourceView(textPane(this, QStringLiteral("detailSource")))
    , editorLabel(label(this, QStringLiteral("detailEditorLabel")))
    , editor(textPane(this, QStringLiteral("detailEditor")))
{
    sourceView->setReadOnly(true);
    editor->setTabChangesFocus(true);
    editor->installEventFilter(this);
    QFont bold = idLabel->font();
    bold.setBold(true);
    idLabel->setFont(bold);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(idLabel, 0, 0);
    layout->addWidget(notesLabel, 1, 0);
    layout->addWidget(sourceView, 2, 0);
    layout->addWidget(editorLabel, 0, 1, 2, 1, Qt::AlignBottom);
    layout->addWidget(editor, 2, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(2, 1);
    showCell(nullptr, {});
}

void DetailPane::showCell(TranslationModel *newModel, const QModelIndex &index)
{
    commit();
    if (model != newModel) {
        if (model)
            disconnect(model, nullptr, this, nullptr);
        model = newModel;
        if (model)
            connect(model, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                    const bool inRange = cell.isValid() && cell.row() >= topLeft.row()
                        && cell.row() <= bottomRight.row();
                    // A text being typed is not replaced; the row's source text may change.
                    if (inRange)
                        refresh(!editor->document()->isModified()
                            && cell.column() >= topLeft.column()
                            && cell.column() <= bottomRight.column());
                });
    }
    cell = model && index.model() == model ? QPersistentModelIndex(index) : QPersistentModelIndex();
    refresh(true);
}

void DetailPane::refresh(bool cellText)
{
    const bool shown = model && cell.isValid();
    setEnabled(shown);
    if (!shown) {
        idLabel->clear();
        notesLabel->clear();
        sourceView->clear();
        editorLabel->setText(tr("Translation"));
        editor->clear();
        return;
    }
    idLabel->setText(model->messageId(cell));
    const MessageNotes notes = model->messageNotes(cell.row());
    QStringList lines { tr("Group: %1").arg(model->groupOf(cell.row())) };
    const std::pair<QString, QString> noted[] = {
        { tr("Context: %1"), notes.context },
        { tr("Comment: %1"), notes.comment },
        { tr("Translator comment: %1"), notes.translatorComment },
    };
    for (const auto &[label, note] : noted) {
        if (!note.isEmpty())
            lines << label.arg(note);
    }
    notesLabel->setText(lines.join(QLatin1Char('\n')));
    sourceView->setPlainText(model->sourceText(cell));
    if (!cellText)
        return;
    editorLabel->setText(tr("Translation (%1)").arg(model->columnLanguage(cell, true)));
    editor->setPlainText(model->cellText(cell));
    editor->document()->setModified(false);
}

QString DetailPane::editorText() const
{
    // The raw text keeps non-breaking spaces, which the plain text turns into spaces.
    QString text = editor->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    // A text that came with Windows line ends keeps them.
    if (model && model->cellText(cell).contains(QLatin1String("\r\n")))
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void DetailPane::commit()
{
    if (!model || !cell.isValid() || !editor->document()->isModified())
        return;
    editor->document()->setModified(false);
    model->setData(cell, editorText(), Qt::EditRole);
}

bool DetailPane::eventFilter(QObject *object, QEvent *event)
{
    if (object == editor) {
        if (isWindowShortcut(event, windowShortcuts))
            return true;
        if (event->type() == QEvent::FocusOut)
            commit();
    }
    return QWidget::eventFilter(object, event);
}
