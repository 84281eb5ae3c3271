#include "raiseddots.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPointF>

namespace tavorin {

namespace {

// The lowest row of the image with ink darker than mid grey; -1 for none.
int lowestInkRow(const QImage &image)
{
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(line[x]) < 128)
                return y;
        }
    }
    return -1;
}

int lowestInkRow(const QFont &font, qreal devicePixelRatio, const QString &text)
{
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(text) + 4, metrics.height() * 2);
    QImage image((size * devicePixelRatio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(2, qRound(metrics.ascent()) + 2), text);
    painter.end();
    return lowestInkRow(image);
}

} // namespace

int dotDrop(const QFont &font, qreal devicePixelRatio)
{
    // Fonts are drawn in the window's thread only.
    static QHash<QString, int> measured;
    const QString key = font.key() + u'@' + QString::number(devicePixelRatio);
    const auto known = measured.constFind(key);
    if (known != measured.constEnd())
        return *known;
    const int digits = lowestInkRow(font, devicePixelRatio, QStringLiteral("0123456789"));
    const int dot = lowestInkRow(font, devicePixelRatio, QStringLiteral("."));
    const int drop = digits >= 0 && dot > digits ? dot - digits : 0;
    measured.insert(key, drop);
    return drop;
}

QString dotsOnly(const QString &text, const QFont &font)
{
    const QFontMetricsF metrics(font);
    const qreal half = metrics.horizontalAdvance(u' ');
    const qreal full = metrics.horizontalAdvance(QChar(0x3000));
    QString dots(text.size(), u' ');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'.')
            dots[i] = c;
        else if (const qreal width = metrics.horizontalAdvance(c); width == full && width != half)
            dots[i] = QChar(0x3000);
        else if (width != half)
            return {};
    }
    return dots;
}

void drawTextRaisingDots(QPainter &painter, const QPointF &position, const QString &text)
{
    const int drop = text.contains(u'.')
        ? dotDrop(painter.font(), painter.device() ? painter.device()->devicePixelRatioF() : 1.0)
        : 0;
    const QString dots = drop ? dotsOnly(text, painter.font()) : QString();
    if (dots.isEmpty()) {
        painter.drawText(position, text);
        return;
    }
    QString rest = text;
    rest.replace(u'.', u' ');
    painter.drawText(position, rest);
    const qreal ratio = painter.device()->devicePixelRatioF();
    painter.drawText(position - QPointF(0, drop / ratio), dots);
}

} // namespace tavorin
