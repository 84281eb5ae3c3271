#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <gtest/gtest.h>
#include <zip.h>

#include <utility>

namespace tavorin::test {

// Writes a zip file at path holding entries (name, bytes) with libzip.
inline void writeZip(const QString &path, const QList<std::pair<QString, QByteArray>> &entries)
{
    int error = 0;
    zip_t *archive
        = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto &[name, bytes] : entries) {
        zip_source_t *source
            = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        ASSERT_GE(zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

} // namespace tavorin::test
