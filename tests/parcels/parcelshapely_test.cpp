#include "parcelarea.h"
#include "simaparcels.h"
#include "simareader.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

// The 面積 of the real files' parcels, in both forms of the 座標求積表,
// against Shapely's (Debian's python3-shapely, reading the files on its own
// through shapelyareas.py) to 1e-6 m²: the double's error and the cut to
// 6 decimals stay well inside that for areas of a few thousand m².
TEST(ParcelArea, RealFilesAgreeWithShapely)
{
    const QDir real(QStringLiteral(TAVORIN_SHARED_DATA_DIR "/sima-real"));
    const QStringList files = real.entryList({ u"*.sim"_s }, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 5);
    QStringList arguments { QStringLiteral(TAVORIN_TEST_DATA_DIR "/parcels/shapelyareas.py") };
    for (const QString &file : files)
        arguments << real.filePath(file);
    QProcess python;
    python.start(u"/usr/bin/python3"_s, arguments);
    if (!python.waitForFinished(60'000) || python.exitCode() != 0)
        GTEST_SKIP() << "no /usr/bin/python3 with Shapely (Debian: python3-shapely)";
    const QStringList oracle
        = QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(oracle.size(), 11);
    qsizetype row = 0;
    for (const QString &file : files) {
        const QByteArray bytes = test::fileBytes(real.filePath(file));
        const Result<SimaReading> reading = readSima(bytes);
        ASSERT_TRUE(reading);
        for (const Parcel &parcel : readSimaParcels(bytes, reading->records)) {
            const QStringList expected = oracle.value(row++).split(u'\t');
            ASSERT_EQ(expected.mid(0, 2), QStringList({ file, parcel.number }));
            for (const auto form :
                { parcels::AreaForm::XTimesDeltaY, parcels::AreaForm::YTimesDeltaX }) {
                const auto table = parcels::areaTable(parcel, reading->records, form);
                ASSERT_TRUE(table);
                EXPECT_NEAR(double(table->areaMicro) / 1e6, expected.value(2).toDouble(), 1e-6)
                    << file.toStdString() << ' ' << parcel.number.toStdString();
            }
        }
    }
    EXPECT_EQ(row, oracle.size());
}

} // namespace
