#include "model/powriter.h"

#include "model/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <csetjmp>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include <gettext-po.h>
#include <iconv.h>

namespace {

// libgettextpo dereferences the handler it is given, so every read, write and check gets
// one. Its fatal errors must not return into the library: the handler jumps back to the call,
// giving up what the library had allocated for it (only a file that cannot be read at all,
// such as a folder, or a write that cannot start, gets there).
struct LibraryCall
{
    std::jmp_buf jump;
    int errors = 0;
    // Where the library's errors go; a check reports nothing and only counts them.
    FileErrors *report = nullptr;
};

LibraryCall *activeCall = nullptr;

void reportProblem(int severity, const char *file, size_t line, const char *text)
{
    if (!activeCall || !activeCall->report)
        return;
    const QString where = file ? QFile::decodeName(file) : QStringLiteral("libgettextpo");
    const QString message = QString::fromUtf8(text).trimmed();
    if (severity == PO_SEVERITY_WARNING)
        qCWarning(lcModel).noquote() << where << "warning:" << message;
    else
        activeCall->report->add(where, file && line != size_t(-1) ? int(line) : 0, message);
}

// Everything with a destructor lives inside reportProblem, so nothing is skipped by the jump.
void countProblem(int severity)
{
    if (!activeCall)
        return;
    if (severity != PO_SEVERITY_WARNING)
        ++activeCall->errors;
    if (severity == PO_SEVERITY_FATAL_ERROR)
        std::longjmp(activeCall->jump, 1);
}

void onProblem(
    int severity, po_message_t, const char *file, size_t line, size_t, int, const char *text)
{
    reportProblem(severity, file, line, text);
    countProblem(severity);
}

void onProblemPair(int severity, po_message_t, const char *file1, size_t line1, size_t, int,
    const char *text1, po_message_t, const char *file2, size_t line2, size_t, int,
    const char *text2)
{
    reportProblem(severity, file1, line1, text1);
    reportProblem(severity, file2, line2, text2);
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

// What `msgfmt -c` says about a message: false when it would reject the catalogue for it.
bool passesChecks(po_message_t message, po_message_iterator_t iterator)
{
    LibraryCall call;
    activeCall = &call;
    if (setjmp(call.jump) == 0)
        po_message_check_all(message, iterator, &problemHandler);
    activeCall = nullptr;
    return call.errors == 0;
}

QString headerField(const char *header, const char *field)
{
    char *value = header ? po_header_field(header, field) : nullptr;
    const QString result = value ? QString::fromUtf8(value).trimmed() : QString();
    std::free(value);
    return result;
}

// The library hands out texts in the catalogue's own character set, the one its header
// names; the table holds Unicode.
class Charset final
{
public:
    explicit Charset(const char *header)
    {
        static const QRegularExpression charset(QStringLiteral("charset=([^\\s;]+)"));
        name = charset.match(headerField(header, "Content-Type")).captured(1).toLatin1();
        // A template's placeholder stands for ASCII, which UTF-8 reads as well.
        utf8 =
            name.isEmpty() || name.compare("UTF-8", Qt::CaseInsensitive) == 0 || name == "CHARSET";
        if (!utf8) {
            toUtf8 = iconv_open("UTF-8", name.constData());
            fromUtf8 = iconv_open(name.constData(), "UTF-8");
        }
    }
    ~Charset()
    {
        if (toUtf8 != iconv_t(-1))
            iconv_close(toUtf8);
        if (fromUtf8 != iconv_t(-1))
            iconv_close(fromUtf8);
    }
    Charset(const Charset &) = delete;
    Charset &operator=(const Charset &) = delete;

    bool isValid() const { return utf8 || (toUtf8 != iconv_t(-1) && fromUtf8 != iconv_t(-1)); }
    QString charsetName() const { return QString::fromLatin1(name.isEmpty() ? "UTF-8" : name); }

    std::optional<QString> decode(const char *text) const
    {
        const QByteArray bytes = utf8 || !text ? QByteArray(text) : convert(toUtf8, text);
        if (text && !utf8 && bytes.isNull())
            return std::nullopt;
        // A text may begin with U+FEFF on purpose; the plain conversion would drop it.
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        QString decoded = decoder.decode(bytes);
        if (decoder.hasError())
            return std::nullopt;
        return decoded;
    }
    std::optional<QByteArray> encode(const QString &text) const
    {
        const QByteArray bytes = text.toUtf8();
        if (utf8)
            return bytes;
        const QByteArray converted = convert(fromUtf8, bytes.constData());
        if (converted.isNull())
            return std::nullopt;
        return converted;
    }

private:
    // Null when some character has no place in the target character set.
    static QByteArray convert(iconv_t converter, const char *text)
    {
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        size_t inLeft = qstrlen(text);
        QByteArray out(qsizetype(inLeft) * 4 + 16, Qt::Uninitialized);
        char *in = const_cast<char *>(text);
        char *outPointer = out.data();
        size_t outLeft = size_t(out.size());
        if (iconv(converter, &in, &inLeft, &outPointer, &outLeft) == size_t(-1)
            || iconv(converter, nullptr, nullptr, &outPointer, &outLeft) == size_t(-1))
            return {};
        out.truncate(outPointer - out.constData());
        return out.isNull() ? QByteArray("") : out;
    }

    QByteArray name;
    bool utf8 = true;
    iconv_t toUtf8 = iconv_t(-1);
    iconv_t fromUtf8 = iconv_t(-1);
};

// The header entry is not a message of the table, and obsolete messages are not either.
bool isRepresented(po_message_t message)
{
    return !po_message_is_obsolete(message)
        && (po_message_msgctxt(message) || *po_message_msgid(message));
}

const char *shownMsgstr(po_message_t message)
{
    if (!po_message_msgid_plural(message))
        return po_message_msgstr(message);
    const char *first = po_message_msgstr_plural(message, 0);
    return first ? first : "";
}

// A plural message shows its first form; writing it changes that form only.
void setShownMsgstr(po_message_t message, const QByteArray &text)
{
    if (po_message_msgid_plural(message))
        po_message_set_msgstr_plural(message, 0, text.constData());
    else
        po_message_set_msgstr(message, text.constData());
}

// The key of a message in the table: its context and msgid, decoded; null when they are
// not text in the catalogue's character set.
std::optional<QPair<QString, QString>> keyOf(po_message_t message, const Charset &charset)
{
    const auto context = charset.decode(po_message_msgctxt(message));
    const auto id = charset.decode(po_message_msgid(message));
    if (!context || !id)
        return std::nullopt;
    return qMakePair(*context, *id);
}

// Comments are shown only: one that is not text in the character set shows empty.
QString comments(const Charset &charset, const char *text)
{
    QString decoded = charset.decode(text).value_or(QString());
    while (decoded.endsWith(u'\n'))
        decoded.chop(1);
    return decoded;
}

// Sums up every message of a catalogue, to tell whether a written copy holds all of it.
QPair<qsizetype, qsizetype> fingerprint(po_file_t catalogue)
{
    qsizetype messages = 0;
    qsizetype bytes = 0;
    const auto add = [&bytes](
                         const char *text) { bytes += text ? qsizetype(qstrlen(text)) + 1 : 0; };
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
        *error = PoWriter::tr("the library could not write the catalogue");
        return false;
    }
    LibraryCall call;
    po_file_t copy = guardedRead(scratchPath, call);
    const bool complete = copy && call.errors == 0 && fingerprint(copy) == fingerprint(catalogue);
    if (copy)
        po_file_free(copy);
    if (!complete) {
        *error = PoWriter::tr("the written catalogue was incomplete");
        return false;
    }
    const QByteArray bytes = scratch.readAll();
    return saveFileAtomically(path, bytes, error);
}

} // namespace

bool readPoFile(const QString &path, const std::function<void(const PoEntry &)> &visit,
    PoHeader *header, FileErrors &errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errors.add(path, FileErrors::cannotRead(file.errorString()));
        return false;
    }
    file.close();
    LibraryCall call;
    call.report = &errors;
    po_file_t catalogue = guardedRead(QFile::encodeName(path), call);
    if (!catalogue) {
        if (call.errors == 0)
            errors.add(path, FileErrors::cannotRead(PoWriter::tr("not a PO catalogue")));
        return false;
    }
    const char *headerText = po_file_domain_header(catalogue, nullptr);
    const Charset charset(headerText);
    po_message_iterator_t iterator =
        charset.isValid() ? po_message_iterator(catalogue, nullptr) : nullptr;
    if (!iterator) {
        errors.add(path,
            PoWriter::tr("The catalogue's character set %1 is not supported.")
                .arg(charset.charsetName()));
        po_file_free(catalogue);
        return false;
    }
    if (header)
        header->pluralForms = headerField(headerText, "Plural-Forms");
    int undecodable = 0;
    while (po_message_t message = po_next_message(iterator)) {
        if (!isRepresented(message))
            continue;
        const auto key = keyOf(message, charset);
        const auto text = charset.decode(shownMsgstr(message));
        if (!key || !text) {
            ++undecodable;
            continue;
        }
        visit(PoEntry { key->second, *text, po_message_is_fuzzy(message) != 0,
            MessageNotes { key->first, comments(charset, po_message_extracted_comments(message)),
                comments(charset, po_message_comments(message)) } });
    }
    if (undecodable > 0)
        errors.add(path,
            PoWriter::tr("%n message(s) are not text in the catalogue's character set %1.", nullptr,
                undecodable)
                .arg(charset.charsetName()));
    po_message_iterator_free(iterator);
    po_file_free(catalogue);
    return call.errors == 0 && undecodable == 0;
}

struct PoWriter::Catalogue
{
    QString path;
    po_file_t file = nullptr;
    po_message_iterator_t end = nullptr;
    std::unique_ptr<Charset> charset;
    QHash<Key, po_message_t> byKey;
    // Catalogues whose messages all kept their texts and marks are not rewritten, so an
    // unchanged export leaves the files byte for byte as they were.
    bool changed = false;
    // A text had no place in its character set: the catalogue is not written at all.
    bool refused = false;
    QStringList markedFuzzy;

    ~Catalogue()
    {
        if (end)
            po_message_iterator_free(end);
        if (file)
            po_file_free(file);
    }
};

void PoWriter::addGroupFile(const QString &group, const QString &path)
{
    QStringList &paths = groupFiles[group];
    if (!paths.contains(path))
        paths.append(path);
}

bool PoWriter::writeGroup(const QString &group, const Items &texts)
{
    QStringList paths = groupFiles.value(group);
    if (paths.isEmpty() && !targetDirectory.isEmpty())
        paths.append(QDir(targetDirectory).absoluteFilePath(group + QStringLiteral(".po")));
    if (paths.isEmpty()) {
        errors.add(group,
            tr("Not written: no catalogue of the language %1 holds the group %2, and there "
               "is no folder of that language to create it in.")
                .arg(language, group));
        return false;
    }
    return writeCatalogues(paths, texts);
}

bool PoWriter::openCatalogue(Catalogue &catalogue)
{
    const QString &path = catalogue.path;
    LibraryCall call;
    call.report = &errors;
    if (QFileInfo::exists(path)) {
        catalogue.file = guardedRead(QFile::encodeName(path), call);
        if (!catalogue.file && call.errors == 0)
            errors.add(path, FileErrors::cannotRead(tr("not a PO catalogue")));
    } else {
        // gettext's tools reject a catalogue without a header naming its character set, and
        // the library takes the character set of a catalogue from the header it read: a new
        // one starts as a header-only catalogue read from a scratch file.
        const auto quoted = [](const QString &value) {
            return value.toUtf8().replace('\\', "\\\\").replace('"', "\\\"");
        };
        QByteArray header = "msgid \"\"\nmsgstr \"\"\n";
        if (!language.isEmpty())
            header += "\"Language: " + quoted(language) + "\\n\"\n";
        header += "\"MIME-Version: 1.0\\n\"\n"
                  "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                  "\"Content-Transfer-Encoding: 8bit\\n\"\n";
        if (!languageHeader.pluralForms.isEmpty())
            header += "\"Plural-Forms: " + quoted(languageHeader.pluralForms) + "\\n\"\n";
        QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/parlonex-XXXXXX.po"));
        if (scratch.open() && scratch.write(header) == header.size() && scratch.flush())
            catalogue.file = guardedRead(QFile::encodeName(scratch.fileName()), call);
        if (!catalogue.file)
            errors.add(path, tr("The new catalogue could not be created."));
    }
    if (!catalogue.file)
        return false;
    // The library drops what it cannot parse, and what is not text in the character set
    // would be compared wrongly: writing such a catalogue back could lose entries.
    catalogue.charset = std::make_unique<Charset>(po_file_domain_header(catalogue.file, nullptr));
    if (!catalogue.charset->isValid()) {
        errors.add(path,
            tr("The catalogue's character set %1 is not supported.")
                .arg(catalogue.charset->charsetName()));
        return false;
    }
    catalogue.end = po_message_iterator(catalogue.file, nullptr);
    bool readable = call.errors == 0 && catalogue.end;
    while (po_message_t message = catalogue.end ? po_next_message(catalogue.end) : nullptr) {
        if (!isRepresented(message))
            continue;
        const auto key = keyOf(message, *catalogue.charset);
        if (!key || !catalogue.charset->decode(shownMsgstr(message))) {
            readable = false;
            continue;
        }
        if (!catalogue.byKey.contains(*key))
            catalogue.byKey.insert(*key, message);
    }
    if (!readable)
        errors.add(path, FileErrors::notWrittenUnreadable());
    return readable;
}

// Several catalogues of one language can share a group name (an application's domains in
// <lang>/LC_MESSAGES of several components): each takes the messages it has.
bool PoWriter::writeCatalogues(const QStringList &paths, const Items &texts)
{
    bool written = true;
    std::vector<std::unique_ptr<Catalogue>> catalogues;
    for (const QString &path : paths) {
        auto catalogue = std::make_unique<Catalogue>();
        catalogue->path = path;
        catalogue->changed = !QFileInfo::exists(path);
        if (openCatalogue(*catalogue))
            catalogues.push_back(std::move(catalogue));
        else
            written = false;
    }
    const bool hasFirst = !catalogues.empty() && catalogues.front()->path == paths.first();

    // A changed text is checked as msgfmt -c would; one it would reject is written as fuzzy,
    // which gettext ignores at run time and translators see for review.
    const auto setMark = [](Catalogue &catalogue, po_message_t message, const Key &key,
                             bool finished, bool check) {
        po_message_set_fuzzy(message, !finished);
        if (finished && check && !passesChecks(message, catalogue.end)) {
            po_message_set_fuzzy(message, 1);
            catalogue.markedFuzzy.append(key.second);
        }
        catalogue.changed = true;
    };
    const auto encoded = [this](Catalogue &catalogue, const QString &text, const Key &key) {
        const auto bytes = catalogue.charset->encode(text);
        if (!bytes && !catalogue.refused) {
            catalogue.refused = true;
            errors.add(catalogue.path,
                tr("Not written: the translation of \"%1\" cannot be written in the catalogue's "
                   "character set %2.")
                    .arg(key.second, catalogue.charset->charsetName()));
        }
        return bytes;
    };

    for (auto item = texts.cbegin(); item != texts.cend(); ++item) {
        // The table shows the first catalogue's text; another catalogue's copy of the message
        // follows it only where the two agreed, a text of its own was never shown.
        QString shown;
        bool found = false;
        for (const auto &catalogue : catalogues) {
            po_message_t message = catalogue->byKey.value(item.key());
            if (!message)
                continue;
            const QString current =
                catalogue->charset->decode(shownMsgstr(message)).value_or(QString());
            const bool first = !found;
            if (first)
                shown = current;
            found = true;
            const bool newText = current != item->text && (first || current == shown);
            const bool newMark = first && (po_message_is_fuzzy(message) != 0) == item->finished;
            if (!newText && !newMark)
                continue;
            if (newText) {
                const auto bytes = encoded(*catalogue, item->text, item.key());
                if (!bytes)
                    continue;
                setShownMsgstr(message, *bytes);
            }
            setMark(*catalogue, message, item.key(), item->finished, true);
        }
        // A refused first catalogue has been reported already.
        if (found || !hasFirst)
            continue;
        Catalogue &first = *catalogues.front();
        const auto context = encoded(first, item.key().first, item.key());
        const auto id = encoded(first, item.key().second, item.key());
        const auto text = encoded(first, item->text, item.key());
        po_message_t message = context && id && text && first.end ? po_message_create() : nullptr;
        if (!message)
            continue;
        if (!item.key().first.isEmpty())
            po_message_set_msgctxt(message, context->constData());
        po_message_set_msgid(message, id->constData());
        po_message_set_msgstr(message, text->constData());
        po_message_insert(first.end, message);
        setMark(first, message, item.key(), item->finished, true);
    }

    for (const auto &catalogue : catalogues) {
        QString error;
        if (catalogue->refused) {
            written = false;
            continue;
        }
        if (catalogue->changed && !writeCatalogue(catalogue->file, catalogue->path, &error)) {
            errors.add(catalogue->path, FileErrors::cannotWrite(error));
            written = false;
            continue;
        }
        const QStringList &marked = catalogue->markedFuzzy;
        if (!marked.isEmpty())
            errors.add(catalogue->path,
                tr("%n translation(s) written as fuzzy, as gettext would reject them: %1", nullptr,
                    int(marked.size()))
                    .arg(QLatin1Char('"') + marked.mid(0, 5).join(QStringLiteral("\", \""))
                        + QLatin1Char('"')
                        + (marked.size() > 5 ? QStringLiteral(", …") : QString())));
    }
    return written;
}
