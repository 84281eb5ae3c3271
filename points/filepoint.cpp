#include "filepoint.h"

#include <limits>

namespace tavorin {

FilePoint::FilePoint(QStringView number, QStringView name, QStringView x, QStringView y,
    QStringView elevation, qint64 line)
    : m_line(line)
{
    // The readers keep at most 255 bytes of a field, so five fields always
    // fit the 16-bit ends; a caller that gives more has the excess of each
    // field cut.
    constexpr qsizetype FieldLimit = std::numeric_limits<quint16>::max() / 5;
    const std::array<QStringView, 5> fields { number, name, x, y, elevation };
    qsizetype total = 0;
    for (const QStringView f : fields)
        total += std::min(f.size(), FieldLimit);
    m_text.reserve(total);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        m_text += fields[i].left(FieldLimit);
        if (i < m_ends.size())
            m_ends[i] = quint16(m_text.size());
    }
}

} // namespace tavorin
