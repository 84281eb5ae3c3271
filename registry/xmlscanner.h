#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

namespace tavorin::registry {

// A pull reader of XML in UTF-8, made for the registry's maps: a few times
// faster than QXmlStreamReader, which decodes every byte into UTF-16 and
// checks every name against XML's character classes. It checks that tags
// nest and close, quotes and references are whole, and nothing but blanks
// stands outside the root element; it skips comments, processing
// instructions and a document type declaration (without an internal subset)
// and takes CDATA sections as text. Names are bytes, compared as such;
// namespaces are not resolved, name() is the part after the prefix.
// Attribute values are given as written, entities not replaced.
class XmlScanner
{
public:
    enum Token { StartElement, EndElement, Text, End, Error };

    explicit XmlScanner(QByteArrayView bytes);

    Token readNext();
    // The local name of the element a StartElement or EndElement is of.
    QByteArrayView name() const { return m_name; }
    // The value of the current StartElement's attribute of that name (as
    // written, prefix included); empty when it has none.
    QByteArrayView attribute(QByteArrayView name) const;
    // Reads on to the current element's end tag: its text and that of the
    // elements inside it, references replaced, without the blanks round it.
    QString readElementText();
    // Reads on to the current element's end tag.
    void skipCurrentElement();

    bool hasError() const { return m_error; }
    // True once the root element has started.
    bool rootSeen() const { return m_rootSeen; }
    // The line (from 1) where the current token begins, or where the XML
    // stopped being readable.
    qint64 lineNumber();

private:
    Token fail(const char *at);
    bool readTag(const char *nameBegin);

    const char *m_begin;
    const char *m_at;
    const char *m_end;
    const char *m_tokenStart;
    const char *m_linesCountedTo;
    qint64 m_line = 1;
    QByteArrayView m_name;
    QByteArrayView m_text;
    bool m_cdata = false;
    bool m_closePending = false; // after "<a/>": its EndElement comes next
    bool m_rootSeen = false;
    bool m_error = false;
    std::vector<QByteArrayView> m_open; // qualified names of the open elements
    std::vector<std::pair<QByteArrayView, QByteArrayView>> m_attributes;
};

} // namespace tavorin::registry
