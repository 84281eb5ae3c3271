#include "messageframer.h"

#include "codepage932.h"

#include <algorithm>

namespace tavorin {

void MessageFramer::append(QByteArrayView bytes)
{
    // Drop what was handed out once it is a good part of the buffer, so a
    // long reception neither grows the buffer nor shifts it per message.
    if (m_start > 4096 && m_start * 2 > m_buffer.size()) {
        m_buffer.remove(0, m_start);
        m_start = 0;
    }
    const qsizetype from = m_buffer.size();
    m_buffer.append(bytes);
    if (m_nullDiscard)
        m_buffer.erase(std::remove(m_buffer.begin() + from, m_buffer.end(), '\0'), m_buffer.end());
}

std::optional<QByteArray> MessageFramer::takeMessage()
{
    if (m_characters <= 0)
        return std::nullopt;
    const auto *data = reinterpret_cast<const uchar *>(m_buffer.constData());
    const qsizetype end = m_buffer.size();
    qsizetype at = m_start;
    for (int count = 0; count < m_characters; ++count) {
        if (at >= end)
            return std::nullopt;
        if (cp932::isLeadByte(data[at])) {
            if (at + 1 >= end)
                return std::nullopt; // the trail byte may still be on its way
            // A lead byte without a valid trail byte is a character of its
            // own, as the decoder reads it.
            at += cp932::isTrailByte(data[at + 1]) ? 2 : 1;
        } else {
            at += 1;
        }
    }
    QByteArray message = m_buffer.mid(m_start, at - m_start);
    m_start = at;
    if (m_start == end) {
        m_buffer.clear();
        m_start = 0;
    }
    return message;
}

void MessageFramer::clear()
{
    m_buffer.clear();
    m_start = 0;
}

} // namespace tavorin
