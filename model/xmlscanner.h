#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

// A pull scanner for XML documents without namespaces or entity declarations, such as TS
// files. It checks that the document is well-formed and gives the exact position of every
// tag and text, so that a writer can replace parts of the document and copy the rest.
// Several times faster than QXmlStreamReader, which TS sets of tens of thousands of
// messages notice.
class XmlScanner final
{
    Q_DECLARE_TR_FUNCTIONS(XmlScanner)

public:
    enum Token { StartTag, EndTag, Text, End, Invalid };

    struct Attribute
    {
        QStringView name;
        qsizetype spanStart; // the white space before the name
        qsizetype valueStart; // inside the quotes
        qsizetype valueEnd;
    };

    explicit XmlScanner(const QString &text);

    // The next tag or text; an empty-element tag gives a StartTag and then its EndTag, both
    // spanning the whole tag and both isEmptyElement(). Comments, processing instructions and the document type are
    // skipped. Invalid ends the scan, with a reason in errorString().
    Token next();

    // The current token: its range in the text, and a tag's name.
    qsizetype start() const { return tokenStart; }
    qsizetype end() const { return tokenEnd; }
    QStringView name() const { return tagName; }
    bool isEmptyElement() const { return emptyElement; }
    const QList<Attribute> &attributes() const { return tagAttributes; }
    // The value of a start tag's attribute, references resolved; null when absent.
    QString attribute(QLatin1String name) const;
    // Appends the characters of the current text, references resolved.
    void appendText(QString &out) const;

    QString errorString() const { return error; }
    int errorLine() const;

private:
    Token fail(const QString &reason, qsizetype at);
    bool skipPast(QLatin1String terminator);
    // Checks the references in [from, to); false at the first bad one.
    bool checkReferences(qsizetype from, qsizetype to);
    void appendResolved(QString &out, qsizetype from, qsizetype to) const;
    Token scanStartTag();
    Token scanEndTag();

    const QString &text;
    qsizetype position = 0;
    qsizetype tokenStart = 0;
    qsizetype tokenEnd = 0;
    QStringView tagName;
    QList<Attribute> tagAttributes;
    QList<QStringView> open;
    bool emptyElement = false;
    bool pendingEnd = false;
    bool rootSeen = false;
    bool cdata = false;
    QString error;
    qsizetype errorPosition = 0;
};
