// libFuzzer target: any bytes from the pocket computer, in chunks of any
// size, through the message framing into the acknowledgement test, the ESC
// test and the received line. The first byte sets null discard and a send's
// (3) or a reception's (35) message length, the second the chunk size.
#include "codepage932.h"
#include "messageframer.h"
#include "transferrules.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace tavorin;

static std::vector<QByteArray> frame(QByteArrayView bytes, uint8_t setting, qsizetype chunk)
{
    MessageFramer framer;
    framer.setNullDiscard(setting & 1);
    framer.setCharactersPerMessage(setting & 2 ? 35 : 3);
    std::vector<QByteArray> messages;
    for (qsizetype at = 0; at < bytes.size(); at += chunk) {
        framer.append(bytes.sliced(at, std::min(chunk, bytes.size() - at)));
        while (auto message = framer.takeMessage())
            messages.push_back(std::move(*message));
    }
    return messages;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data) + 2, qsizetype(size) - 2);
    const std::vector<QByteArray> messages = frame(bytes, data[0], data[1] % 64 + 1);
    // How the bytes were cut must not matter.
    if (messages != frame(bytes, data[0], bytes.size() + 1))
        std::abort();
    for (const QByteArray &message : messages) {
        const QString text = cp932::decode(message);
        if (((data[0] & 1) && message.contains('\0')) || text.size() != (data[0] & 2 ? 35 : 3)
            || transfer::isAcknowledgement(text) != text.startsWith(u"ST")
            || transfer::isEndMessage(text) != (text.front() == QChar(27)))
            std::abort();
        if (text.size() != 35 || transfer::isEndMessage(text))
            continue;
        // The name as received, x in 13 columns, y in 13 or the 14 it came
        // in; a negative value keeps its minus sign unless it shows as zero.
        const QString line = transfer::receivedLine(text);
        if (line.left(8) != text.left(8) || line.size() < 34 || line.size() > 35)
            std::abort();
        for (const qsizetype column : { 8, 21 }) {
            const QString value = text.mid(column, column == 8 ? 13 : -1).trimmed();
            const QString shown = line.mid(column, column == 8 ? 13 : -1).trimmed();
            if (value.size() > 1 && value[0] == u'-' && value[1].isDigit()
                && !shown.startsWith(u'-') && shown != u"0.000")
                std::abort();
        }
    }
    return 0;
}
