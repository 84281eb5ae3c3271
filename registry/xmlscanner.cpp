#include "xmlscanner.h"

#include <algorithm>
#include <cstring>

namespace tavorin::registry {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool endsName(char c)
{
    return isSpace(c) || c == '/' || c == '>' || c == '=' || c == '<' || c == '"' || c == '\'';
}

const char *find(const char *from, const char *end, QByteArrayView what)
{
    const char *found = std::search(from, end, what.begin(), what.end());
    return found == end ? nullptr : found;
}

QByteArrayView localPart(QByteArrayView qualified)
{
    const qsizetype colon = qualified.lastIndexOf(':');
    return colon < 0 ? qualified : qualified.sliced(colon + 1);
}

// Appends text with its references (&lt; &#65; ...) replaced; false on one
// that is not whole or not known.
bool appendText(QString &out, QByteArrayView text)
{
    qsizetype from = 0;
    while (true) {
        const qsizetype amp = text.indexOf('&', from);
        out += QString::fromUtf8(text.sliced(from, (amp < 0 ? text.size() : amp) - from));
        if (amp < 0)
            return true;
        const qsizetype semi = text.indexOf(';', amp);
        if (semi < 0)
            return false;
        const QByteArrayView entity = text.sliced(amp + 1, semi - amp - 1);
        if (entity == "lt")
            out += u'<';
        else if (entity == "gt")
            out += u'>';
        else if (entity == "amp")
            out += u'&';
        else if (entity == "quot")
            out += u'"';
        else if (entity == "apos")
            out += u'\'';
        else if (entity.startsWith('#')) {
            bool ok = false;
            const uint code = entity.startsWith("#x") ? entity.sliced(2).toUInt(&ok, 16)
                                                      : entity.sliced(1).toUInt(&ok, 10);
            if (!ok || code == 0 || code > 0x10FFFF)
                return false;
            const char32_t c = code;
            out += QString::fromUcs4(&c, 1);
        } else {
            return false;
        }
        from = semi + 1;
    }
}

} // namespace

XmlScanner::XmlScanner(QByteArrayView bytes)
    : m_begin(bytes.data())
    , m_at(bytes.data())
    , m_end(bytes.data() + bytes.size())
    , m_tokenStart(bytes.data())
    , m_linesCountedTo(bytes.data())
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        m_at += 3;
}

XmlScanner::Token XmlScanner::fail(const char *at)
{
    m_error = true;
    m_tokenStart = at;
    m_at = m_end;
    return Error;
}

qint64 XmlScanner::lineNumber()
{
    if (m_tokenStart > m_linesCountedTo) {
        m_line += std::count(m_linesCountedTo, m_tokenStart, '\n');
        m_linesCountedTo = m_tokenStart;
    }
    return m_line;
}

QByteArrayView XmlScanner::attribute(QByteArrayView name) const
{
    for (const auto &[key, value] : m_attributes) {
        if (key == name)
            return value;
    }
    return {};
}

bool XmlScanner::readTag(const char *nameBegin)
{
    const char *at = nameBegin;
    while (at < m_end && !endsName(*at))
        ++at;
    if (at == nameBegin || at == m_end)
        return false;
    const QByteArrayView qualified(nameBegin, at - nameBegin);
    m_attributes.clear();
    while (true) {
        while (at < m_end && isSpace(*at))
            ++at;
        if (at == m_end)
            return false;
        if (*at == '>' || (*at == '/' && at + 1 < m_end && at[1] == '>')) {
            m_closePending = *at == '/';
            m_at = at + (m_closePending ? 2 : 1);
            break;
        }
        const char *key = at;
        while (at < m_end && !endsName(*at))
            ++at;
        const QByteArrayView keyView(key, at - key);
        while (at < m_end && isSpace(*at))
            ++at;
        if (keyView.isEmpty() || at == m_end || *at != '=')
            return false;
        ++at;
        while (at < m_end && isSpace(*at))
            ++at;
        if (at == m_end || (*at != '"' && *at != '\''))
            return false;
        const char quote = *at++;
        const char *value = at;
        at = static_cast<const char *>(std::memchr(at, quote, std::size_t(m_end - at)));
        if (at == nullptr || std::memchr(value, '<', std::size_t(at - value)) != nullptr)
            return false;
        m_attributes.emplace_back(keyView, QByteArrayView(value, at - value));
        ++at;
    }
    m_open.push_back(qualified);
    m_name = localPart(qualified);
    m_rootSeen = true;
    return true;
}

XmlScanner::Token XmlScanner::readNext()
{
    if (m_error)
        return Error;
    if (m_closePending) {
        m_closePending = false;
        m_open.pop_back();
        return EndElement;
    }
    while (true) {
        m_tokenStart = m_at;
        if (m_at == m_end)
            return m_open.empty() && m_rootSeen ? End : fail(m_at);
        if (*m_at != '<') {
            const void *lt = std::memchr(m_at, '<', std::size_t(m_end - m_at));
            const char *textEnd = lt ? static_cast<const char *>(lt) : m_end;
            m_text = QByteArrayView(m_at, textEnd - m_at);
            m_cdata = false;
            if (m_open.empty()
                && !std::all_of(m_text.begin(), m_text.end(), [](char c) { return isSpace(c); }))
                return fail(m_at);
            m_at = textEnd;
            return Text;
        }
        const QByteArrayView rest(m_at, m_end - m_at);
        if (rest.startsWith("<!--") || rest.startsWith("<?")) {
            const bool comment = rest.startsWith("<!--");
            const char *close = find(m_at + 2, m_end, comment ? "-->" : "?>");
            if (close == nullptr)
                return fail(m_at);
            m_at = close + (comment ? 3 : 2);
            continue;
        }
        if (rest.startsWith("<![CDATA[")) {
            const char *close = find(m_at + 9, m_end, "]]>");
            if (close == nullptr || m_open.empty())
                return fail(m_at);
            m_text = QByteArrayView(m_at + 9, close - (m_at + 9));
            m_cdata = true;
            m_at = close + 3;
            return Text;
        }
        if (rest.startsWith("<!")) {
            const void *close = std::memchr(m_at, '>', std::size_t(m_end - m_at));
            if (close == nullptr || m_rootSeen)
                return fail(m_at);
            m_at = static_cast<const char *>(close) + 1;
            continue;
        }
        if (rest.startsWith("</")) {
            const char *at = m_at + 2;
            while (at < m_end && !endsName(*at))
                ++at;
            const QByteArrayView qualified(m_at + 2, at - (m_at + 2));
            while (at < m_end && isSpace(*at))
                ++at;
            if (at == m_end || *at != '>' || m_open.empty() || m_open.back() != qualified)
                return fail(m_tokenStart);
            m_open.pop_back();
            m_name = localPart(qualified);
            m_at = at + 1;
            return EndElement;
        }
        if (m_open.empty() && m_rootSeen)
            return fail(m_at);
        if (!readTag(m_at + 1))
            return fail(m_tokenStart);
        return StartElement;
    }
}

QString XmlScanner::readElementText()
{
    QString text;
    int depth = 0;
    while (true) {
        switch (readNext()) {
        case StartElement:
            ++depth;
            break;
        case EndElement:
            if (depth-- == 0)
                return text.trimmed();
            break;
        case Text:
            if (m_cdata)
                text += QString::fromUtf8(m_text);
            else if (!appendText(text, m_text))
                fail(m_text.data());
            break;
        case End:
        case Error:
            return {};
        }
    }
}

void XmlScanner::skipCurrentElement()
{
    int depth = 0;
    while (true) {
        switch (readNext()) {
        case StartElement:
            ++depth;
            break;
        case EndElement:
            if (depth-- == 0)
                return;
            break;
        case Text:
            break;
        case End:
        case Error:
            return;
        }
    }
}

} // namespace tavorin::registry
