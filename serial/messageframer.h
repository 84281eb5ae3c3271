#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace tavorin {

// Cuts the bytes arriving on the serial line into whole messages of a fixed
// number of characters. Characters are code page 932 characters: a lead byte
// and its trail byte count as one, so a message with a kanji name is longer
// than its character count in bytes. Bytes of an incomplete message wait for
// the rest; a lead byte at the very end waits to see whether a trail byte
// follows.
class MessageFramer
{
public:
    // 0 takes no messages at all (bytes are kept).
    void setCharactersPerMessage(int characters) { m_characters = characters; }
    // With null discard on, NUL bytes are dropped as they arrive.
    void setNullDiscard(bool on) { m_nullDiscard = on; }
    bool nullDiscard() const { return m_nullDiscard; }

    void append(QByteArrayView bytes);
    // The next whole message, removed from the buffer, or nothing.
    std::optional<QByteArray> takeMessage();
    void clear();
    qsizetype pendingBytes() const { return m_buffer.size() - m_start; }

private:
    QByteArray m_buffer;
    qsizetype m_start = 0; // bytes before this were handed out already
    int m_characters = 0;
    bool m_nullDiscard = false;
};

} // namespace tavorin
