#include "model/powriter.h"

#include "model/savefile.h"
#include "model/translationmodel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryFile>

#include <csetjmp>

#include <gettext-po.h>

namespace {

// libgettextpo dereferences the handler it is given, so every read and write gets one.
// Its fatal errors must not return into the library: the handler jumps back to the call,
// giving up what the library had allocated for it (only a file that cannot be read at all,
// such as a folder, or a write that cannot start, gets there).
struct LibraryCall
{
    std::jmp_buf jump;
    int errors = 0;
};

LibraryCall *activeCall = nullptr;

void logProblem(int severity, const char *file, size_t line, const char *text)
{
    QString where = file ? QFile::decodeName(file) : QStringLiteral("libgettextpo");
    if (file && line != size_t(-1))
        where += QLatin1Char(':') + QString::number(line);
    const QString message = QString::fromUtf8(text).trimmed();
    if (severity == PO_SEVERITY_WARNING)
        qCWarning(lcModel).noquote() << where << "warning:" << message;
    else
        qCCritical(lcModel).noquote() << where << "error:" << message;
}

// Everything with a destructor lives inside logProblem, so nothing is skipped by the jump.
void countProblem(int severity)
{
    if (!activeCall)
        return;
    if (severity != PO_SEVERITY_WARNING)
        ++activeCall->errors;
    if (severity == PO_SEVERITY_FATAL_ERROR)
        std::longjmp(activeCall->jump, 1);
}

void onProblem(int severity, po_message_t, const char *file, size_t line, size_t, int,
               const char *text)
{
    logProblem(severity, file, line, text);
    countProblem(severity);
}

void onProblemPair(int severity, po_message_t, const char *file1, size_t line1, size_t, int,
                   const char *text1, po_message_t, const char *file2, size_t line2, size_t,
                   int, const char *text2)
{
    logProblem(severity, file1, line1, text1);
    logProblem(severity, file2, line2, text2);
    countProblem(severity);
}

const po_xerror_handler problemHandler = { onProblem, onProblemPair };

po_file_t guardedRead(const QByteArray &path, LibraryCall &call)
{
    po_file_t volatile result = nullptr;
    activeCall = &call;
    if (setjmp(call.jump) == 0)
        result = po_file_read(path.constData(), &problemHandler);
    activeCall = nullptr;
    return result;
}

bool guardedWrite(po_file_t catalogue, const QByteArray &path)
{
    LibraryCall call;
    bool volatile written = false;
    activeCall = &call;
    if (setjmp(call.jump) == 0)
        written = po_file_write(catalogue, path.constData(), &problemHandler) != nullptr;
    activeCall = nullptr;
    return written && call.errors == 0;
}

// Sums up every message of a catalogue, to tell whether a written copy holds all of it.
QPair<qsizetype, qsizetype> fingerprint(po_file_t catalogue)
{
    qsizetype messages = 0;
    qsizetype bytes = 0;
    const auto add = [&bytes](const char *text) { bytes += text ? qsizetype(qstrlen(text)) + 1 : 0; };
    po_message_iterator_t iterator = po_message_iterator(catalogue, nullptr);
    if (!iterator)
        return { -1, -1 };
    while (po_message_t message = po_next_message(iterator)) {
        ++messages;
        add(po_message_msgctxt(message));
        add(po_message_msgid(message));
        add(po_message_msgid_plural(message));
        if (!po_message_msgid_plural(message))
            add(po_message_msgstr(message));
        for (int form = 0; po_message_msgid_plural(message); ++form) {
            const char *text = po_message_msgstr_plural(message, form);
            if (!text)
                break;
            add(text);
        }
    }
    po_message_iterator_free(iterator);
    return { messages, bytes };
}

// The library writes only to a path, and it does not notice when its writes fail: a full
// disk gives a truncated file and a success. It writes a scratch file that is read back and
// compared before the target is replaced from it atomically.
bool writeCatalogue(po_file_t catalogue, const QString &path, QString *error)
{
    QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/parlonex-XXXXXX.po"));
    if (!scratch.open()) {
        *error = scratch.errorString();
        return false;
    }
    const QByteArray scratchPath = QFile::encodeName(scratch.fileName());
    if (!guardedWrite(catalogue, scratchPath)) {
        *error = QStringLiteral("the catalogue could not be written");
        return false;
    }
    LibraryCall call;
    po_file_t copy = guardedRead(scratchPath, call);
    const bool complete = copy && call.errors == 0 && fingerprint(copy) == fingerprint(catalogue);
    if (copy)
        po_file_free(copy);
    if (!complete) {
        *error = QStringLiteral("the written catalogue was incomplete");
        return false;
    }
    const QByteArray bytes = scratch.readAll();
    // QSaveFile commits even after its buffer failed to reach the disk; check the flush.
    return saveFileAtomically(path, [&bytes](QIODevice &device) {
        auto *file = qobject_cast<QFileDevice *>(&device);
        return device.write(bytes) == bytes.size() && (!file || file->flush());
    }, error);
}

// Messages with a context and obsolete ones have no row in the table and are never touched.
bool isRepresented(po_message_t message)
{
    return !po_message_msgctxt(message) && !po_message_is_obsolete(message);
}

const char *shownMsgstr(po_message_t message)
{
    if (!po_message_msgid_plural(message))
        return po_message_msgstr(message);
    const char *first = po_message_msgstr_plural(message, 0);
    return first ? first : "";
}

// A plural message shows its first form; writing it changes that form only. False when the
// message already held the text.
bool setShownMsgstr(po_message_t message, const QByteArray &text)
{
    if (text == shownMsgstr(message))
        return false;
    if (po_message_msgid_plural(message))
        po_message_set_msgstr_plural(message, 0, text.constData());
    else
        po_message_set_msgstr(message, text.constData());
    return true;
}

bool appendAt(po_message_iterator_t end, const QByteArray &id, const QByteArray &text)
{
    po_message_t message = po_message_create();
    if (!message)
        return false;
    po_message_set_msgid(message, id.constData());
    po_message_set_msgstr(message, text.constData());
    po_message_insert(end, message);
    return true;
}

} // namespace

bool readPoFile(const QString &path,
                const std::function<void(const QString &, const QString &)> &visit,
                bool *hadErrors)
{
    LibraryCall call;
    po_file_t catalogue = guardedRead(QFile::encodeName(path), call);
    if (hadErrors)
        *hadErrors = call.errors > 0;
    if (!catalogue)
        return false;
    po_message_iterator_t iterator = po_message_iterator(catalogue, nullptr);
    if (!iterator) {
        po_file_free(catalogue);
        return false;
    }
    while (po_message_t message = po_next_message(iterator)) {
        if (isRepresented(message))
            visit(QString::fromUtf8(po_message_msgid(message)),
                  QString::fromUtf8(shownMsgstr(message)));
    }
    po_message_iterator_free(iterator);
    po_file_free(catalogue);
    return true;
}

bool appendPoMessage(po_file_t catalogue, const QString &id, const QString &text)
{
    po_message_iterator_t end = po_message_iterator(catalogue, nullptr);
    if (!end)
        return false;
    while (po_next_message(end)) { }
    const bool appended = appendAt(end, id.toUtf8(), text.toUtf8());
    po_message_iterator_free(end);
    return appended;
}

PoWriter::PoWriter(const QString &targetDirectory)
    : targetDirectory(targetDirectory)
{
}

PoWriter::~PoWriter()
{
    flush();
}

void PoWriter::addGroupFile(const QString &group, const QString &path)
{
    QStringList &paths = groupFiles[group];
    if (!paths.contains(path))
        paths.append(path);
}

bool PoWriter::add(const QString &group, const QString &id, const QString &text)
{
    items[group].insert(id, text);
    return true;
}

bool PoWriter::flush()
{
    bool written = true;
    for (auto group = items.cbegin(); group != items.cend(); ++group) {
        QStringList paths = groupFiles.value(group.key());
        if (paths.isEmpty() && !targetDirectory.isEmpty())
            paths.append(QDir(targetDirectory).absoluteFilePath(group.key() + QStringLiteral(".po")));
        if (paths.isEmpty()) {
            qCCritical(lcModel) << "Failed to write PO file: no catalogue of this language holds"
                                << "the group" << group.key();
            written = false;
            continue;
        }
        written = writeGroup(paths, group.value()) && written;
    }
    items.clear();
    return written;
}

po_file_t PoWriter::openCatalogue(const QString &path) const
{
    if (QFileInfo::exists(path)) {
        LibraryCall call;
        po_file_t catalogue = guardedRead(QFile::encodeName(path), call);
        if (!catalogue) {
            qCCritical(lcModel) << "Failed to read PO file:" << path;
            return nullptr;
        }
        if (call.errors > 0) {
            // The library drops what it cannot parse; writing its catalogue back would lose
            // those entries.
            qCCritical(lcModel) << "Failed to write PO file, it has errors and is left as it is:"
                                << path;
            po_file_free(catalogue);
            return nullptr;
        }
        return catalogue;
    }
    // gettext's tools reject a catalogue without a header naming its character set, and the
    // library takes the character set of a catalogue from the header it read: a new one
    // starts as a header-only catalogue read from a scratch file.
    QByteArray code = language.toUtf8();
    code.replace('\\', "\\\\").replace('"', "\\\"");
    QByteArray header = "msgid \"\"\nmsgstr \"\"\n";
    if (!code.isEmpty())
        header += "\"Language: " + code + "\\n\"\n";
    header += "\"MIME-Version: 1.0\\n\"\n"
              "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
              "\"Content-Transfer-Encoding: 8bit\\n\"\n";
    po_file_t catalogue = nullptr;
    QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/parlonex-XXXXXX.po"));
    if (scratch.open() && scratch.write(header) == header.size() && scratch.flush()) {
        LibraryCall call;
        catalogue = guardedRead(QFile::encodeName(scratch.fileName()), call);
    }
    if (!catalogue)
        qCCritical(lcModel) << "Failed to create PO file:" << path;
    return catalogue;
}

namespace {

struct OpenCatalogue
{
    QString path;
    po_file_t file = nullptr;
    po_message_iterator_t end = nullptr;
    QHash<QByteArray, po_message_t> byId;
    // Catalogues whose messages all kept their texts are not rewritten, so an unchanged
    // export leaves the files byte for byte as they were.
    bool changed = false;
};

} // namespace

// Several catalogues of one language can share a group name (an application's domains in
// <lang>/LC_MESSAGES of several components): each takes the messages it has.
bool PoWriter::writeGroup(const QStringList &paths, const QMap<QString, QString> &texts)
{
    bool written = true;
    QList<OpenCatalogue> catalogues;
    for (const QString &path : paths) {
        OpenCatalogue catalogue{ path, openCatalogue(path), nullptr, {}, !QFileInfo::exists(path) };
        if (!catalogue.file) {
            written = false;
            continue;
        }
        catalogue.end = po_message_iterator(catalogue.file, nullptr);
        while (po_message_t message = catalogue.end ? po_next_message(catalogue.end) : nullptr) {
            if (!isRepresented(message))
                continue;
            const QByteArray id(po_message_msgid(message));
            if (!catalogue.byId.contains(id))
                catalogue.byId.insert(id, message);
        }
        catalogues.append(catalogue);
    }
    const bool hasFirst = !catalogues.isEmpty() && catalogues.first().path == paths.first();

    for (auto item = texts.cbegin(); item != texts.cend(); ++item) {
        const QByteArray id = item.key().toUtf8();
        const QByteArray text = item.value().toUtf8();
        // The table shows the first catalogue's text; another catalogue's copy of the message
        // follows it only where the two agreed, a text of its own was never shown.
        QByteArray shown;
        bool found = false;
        for (OpenCatalogue &catalogue : catalogues) {
            po_message_t message = catalogue.byId.value(id);
            if (!message)
                continue;
            if (!found)
                shown = shownMsgstr(message);
            if ((!found || shown == shownMsgstr(message)) && setShownMsgstr(message, text))
                catalogue.changed = true;
            found = true;
        }
        // A refused first catalogue has been reported already.
        if (!found && hasFirst) {
            if (catalogues.first().end && appendAt(catalogues.first().end, id, text)) {
                catalogues.first().changed = true;
            } else {
                qCCritical(lcModel) << "Failed to append message to PO file:" << paths.first();
                written = false;
            }
        }
    }

    for (const OpenCatalogue &catalogue : std::as_const(catalogues)) {
        if (catalogue.end)
            po_message_iterator_free(catalogue.end);
        QString error;
        if (catalogue.changed && !writeCatalogue(catalogue.file, catalogue.path, &error)) {
            qCCritical(lcModel) << "Failed to write PO file:" << catalogue.path << error;
            written = false;
        }
        po_file_free(catalogue.file);
    }
    return written;
}
