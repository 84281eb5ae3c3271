// libFuzzer target: any bytes from the pocket computer, cut into chunks of
// any size, through the message framing (with or without null discard) into
// the acknowledgement test, the ESC test and the received line. The framing
// must not depend on how the bytes were cut, and every record must give a
// line in the transfer list's columns.
#include "codepage932.h"
#include "messageframer.h"
#include "transferrules.h"

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace tavorin;

namespace {

std::vector<QByteArray> frame(
    QByteArrayView bytes, bool nullDiscard, int characters, qsizetype chunk)
{
    MessageFramer framer;
    framer.setNullDiscard(nullDiscard);
    framer.setCharactersPerMessage(characters);
    std::vector<QByteArray> messages;
    for (qsizetype at = 0; at < bytes.size(); at += chunk) {
        framer.append(bytes.sliced(at, std::min(chunk, bytes.size() - at)));
        while (auto message = framer.takeMessage())
            messages.push_back(std::move(*message));
    }
    return messages;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first byte sets null discard and the message length of a send (3)
    // or a reception (35); the second the size of the chunks.
    const bool nullDiscard = data[0] & 1;
    const int characters = data[0] & 2 ? 35 : 3;
    const qsizetype chunk = data[1] % 64 + 1;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data) + 2, qsizetype(size) - 2);

    const std::vector<QByteArray> messages = frame(bytes, nullDiscard, characters, chunk);
    if (messages != frame(bytes, nullDiscard, characters, bytes.size() + 1))
        std::abort();
    for (const QByteArray &message : messages) {
        if (nullDiscard && message.contains('\0'))
            std::abort();
        const QString text = cp932::decode(message);
        if (text.size() != characters)
            std::abort();
        if (transfer::isAcknowledgement(text) != text.startsWith(u"ST"))
            std::abort();
        if (transfer::isEndMessage(text) != (text.front() == QChar(27)))
            std::abort();
        if (characters != 35 || transfer::isEndMessage(text))
            continue;
        // Name, x in 13 columns, y in 13 or, when only the received text
        // can carry it, the 14 it came in.
        const QString line = transfer::receivedLine(text);
        if (line.left(8) != text.left(8) || line.size() < 34 || line.size() > 35)
            std::abort();
        // A negative value keeps its minus sign unless it shows as zero.
        for (const auto &[field, column] : { std::pair(text.mid(8, 13), line.mid(8, 13)),
                 std::pair(text.mid(21), line.mid(21)) }) {
            const QString value = field.trimmed();
            const QString shown = column.trimmed();
            if (value.size() > 1 && value[0] == u'-' && value[1].isDigit()
                && !shown.startsWith(u'-') && shown != u"0.000")
                std::abort();
        }
    }
    return 0;
}
