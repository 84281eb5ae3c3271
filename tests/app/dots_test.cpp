// The decimal point in the lists' font: drawn by the lists and by the plan's
// names, it sits on the line of the digits, where a comma hangs its tail
// below it, and every other pixel stays where it was.
#include "raiseddots.h"
#include "windowfixture.h"

#include <QPainter>

using namespace tavorin;
using namespace tavorin::test;
using namespace Qt::StringLiterals;

namespace {

// The lowest row with ink darker than mid grey, among the columns first to
// last; -1 for none.
int foot(const QImage &image, int first = 0, int last = -1)
{
    last = last < 0 ? image.width() - 1 : last;
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = first; x <= last; ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return y;
    return -1;
}

// The pixels where two drawings differ.
QList<QPoint> differingPixels(const QImage &a, const QImage &b)
{
    QList<QPoint> pixels;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                pixels.append({ x, y });
    return pixels;
}

// The first and last columns where two drawings differ; {-1, -1} for none.
std::pair<int, int> differingColumns(const QImage &a, const QImage &b)
{
    int first = -1, last = -1;
    for (const QPoint &pixel : differingPixels(a, b)) {
        first = first < 0 ? pixel.x() : std::min(first, pixel.x());
        last = std::max(last, pixel.x());
    }
    return { first, last };
}

// The same text drawn with a blank, a point and a comma after a digit: the
// point and the comma change that character's cell only, the same cell; the
// point's foot is the digit's foot, the comma's tail reaches below it.
void expectAPointOnTheDigitsLine(const QImage &blank, const QImage &point, const QImage &comma,
    const QFont &font, const std::string &what)
{
    ASSERT_EQ(blank.size(), point.size()) << what;
    ASSERT_EQ(blank.size(), comma.size()) << what;
    const int cell = qRound(QFontMetricsF(font).horizontalAdvance(u'.') * point.devicePixelRatio());
    const auto [pointFirst, pointLast] = differingColumns(blank, point);
    const auto [commaFirst, commaLast] = differingColumns(blank, comma);
    ASSERT_GE(pointFirst, cell) << what << ": no point, or no digit before it";
    ASSERT_GE(commaFirst, 0) << what << ": no comma";
    // The digit before the point.
    const int digits = foot(blank, pointFirst - cell, pointFirst - 1);
    ASSERT_GE(digits, 0) << what;
    EXPECT_LT(pointLast - pointFirst, cell) << what;
    EXPECT_LT(commaLast - commaFirst, cell) << what;
    EXPECT_LT(std::abs(pointFirst - commaFirst), cell) << what;
    EXPECT_EQ(foot(point, pointFirst, pointLast), digits) << what;
    EXPECT_GT(foot(comma, commaFirst, commaLast), digits) << what;
}

class Dots : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // A Windows Qt's offscreen platform has no fonts and draws every
        // character as a box; DotsOnTheWindowsPlatform runs these there.
        if (QFontInfo(list(1)->font()).family().isEmpty())
            GTEST_SKIP() << "this platform has no fonts";
    }
};

TEST_F(Dots, BothListsDrawAPointOnTheDigitsLineAndMoveNoOtherPixel)
{
    // The list, and a text with a blank, a point and a comma after a digit.
    const std::tuple<int, QString, QString, QString> cases[] = {
        { 1, u"1 2"_s, u"1.2"_s, u"1,2"_s },
        { 2, u"K1          -35120 412"_s, u"K1          -35120.412"_s,
            u"K1          -35120,412"_s },
        { 2, u"基準点1     -35120 412"_s, u"基準点1     -35120.412"_s,
            u"基準点1     -35120,412"_s },
    };
    for (const auto &[number, blank, point, comma] : cases) {
        ListBox *box = list(number);
        box->clear();
        for (const QString &line : { blank, point, comma })
            box->addItem(line);
        const auto rows = [&] {
            QList<QImage> images;
            for (const QString &line : { blank, point, comma }) {
                const QModelIndex index = box->model()->index(box->lines().indexOf(line), 0);
                images.append(box->viewport()->grab(box->visualRect(index)).toImage());
            }
            return images;
        };
        const std::string what = "List" + std::to_string(number) + " " + point.toStdString();
        const QList<QImage> plain = rows();
        expectAPointOnTheDigitsLine(plain[0], plain[1], plain[2], box->font(), what);
        // Selected, the point takes the same pixels, in the selection's colours.
        for (int p = 0; p < 3; ++p)
            box->setSelected(p, true);
        const QList<QImage> selected = rows();
        EXPECT_NE(selected[0], plain[0]) << what;
        EXPECT_EQ(differingPixels(selected[0], selected[1]), differingPixels(plain[0], plain[1]))
            << what;
    }
}

// On the screen's scale and on another, as when the plan's window moves to
// a screen of another density: the drop is the one measured at that scale.
TEST_F(Dots, ThePlansNamesDrawAPointOnTheDigitsLine)
{
    const QFont font = list(1)->font();
    for (const qreal ratio : { form->devicePixelRatioF(), 4 * form->devicePixelRatioF() }) {
        QList<QImage> drawings;
        for (const QString &name : { u"No 12"_s, u"No.12"_s, u"No,12"_s }) {
            QImage image(QSize(80, 30) * ratio, QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(Qt::black);
            drawTextRaisingDots(painter, QPointF(4, 18), name);
            painter.end();
            drawings.append(image);
        }
        expectAPointOnTheDigitsLine(
            drawings[0], drawings[1], drawings[2], font, "plan at " + std::to_string(ratio));
    }
}

} // namespace
