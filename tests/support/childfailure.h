#pragma once

// Files that fail to save or load as Linux makes them fail, each in a child
// process of its own: a file-size limit, permissions, a full file system in
// the child's own mount namespace (root only). Linux only.
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <string>

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavorin::test {

// A way for a file to fail: it readies the folder "disk" in the child process
// that uses it, and gives why it cannot, or nothing.
using DiskSetUp = std::function<QByteArray(const QString &disk)>;

// Nothing where a system call returned 0, else why it failed.
inline QByteArray whyFailed(int returned)
{
    return returned == 0 ? QByteArray() : QByteArray(std::strerror(errno));
}

// Root acts as the user "nobody" in the child: its files are nobody's.
inline int ownedByChild(const QString &path)
{
    return geteuid() == 0 ? chown(QFile::encodeName(path).constData(), 65534, 65534) : 0;
}

// Runs use on "disk/old", which holds "OLD CONTENT", in a child process
// after setUp, as the user "nobody" where the test runs as root (root passes
// every permission check). Gives the failure number use returns, the file's
// bytes after and the folder's files, as "57 OLD CONTENT old"; or "skip: "
// and why setUp could not ready the folder.
inline std::string failureInChild(
    const DiskSetUp &setUp, const std::function<int(const QString &path)> &use)
{
    QTemporaryDir dir;
    const QString disk = dir.filePath(QStringLiteral("disk")), path = disk + QStringLiteral("/old");
    const QString result = dir.filePath(QStringLiteral("result"));
    QDir(dir.path()).mkdir(QStringLiteral("disk"));
    writeFile(path, "OLD CONTENT");
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    if (ownedByChild(disk) + ownedByChild(path) != 0)
        return "skip: " + std::string(std::strerror(errno));
    const pid_t child = fork();
    if (child == 0) {
        QByteArray text = setUp(disk);
        if (!text.isEmpty()) {
            text.prepend("skip: ");
        } else {
            const bool root = geteuid() == 0;
            if (root
                && (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 0) != 0
                    || setresuid(65534, 65534, 0) != 0))
                _exit(1);
            const int failure = use(path);
            if (root && (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0))
                _exit(1);
            chmod(QFile::encodeName(disk).constData(), 0755);
            chmod(QFile::encodeName(path).constData(), 0644);
            text = QByteArray::number(failure) + ' ' + fileBytes(path) + ' '
                + QDir(disk).entryList(QDir::Files | QDir::Hidden).join(',').toUtf8();
        }
        writeFile(result, text);
        _exit(0);
    }
    int status = -1;
    if (waitpid(child, &status, 0) != child || status != 0)
        return "the child process failed: status " + std::to_string(status);
    return fileBytes(result).toStdString();
}

inline DiskSetUp fileSizeLimit(rlim_t bytes)
{
    return [bytes](const QString &) {
        // Writes past the limit fail with EFBIG, whoever writes.
        const rlimit limit { bytes, bytes };
        signal(SIGXFSZ, SIG_IGN);
        return whyFailed(setrlimit(RLIMIT_FSIZE, &limit));
    };
}

// The mode of the folder, or of the file name in it.
inline DiskSetUp fileMode(mode_t bits, const char *name = "")
{
    return [bits, name](const QString &disk) {
        return whyFailed(chmod(QFile::encodeName(disk + u'/' + QLatin1String(name)), bits));
    };
}

// A full 16 KiB tmpfs with room bytes free, in the child's own mount
// namespace, holding "old" with "OLD CONTENT" and the file "fill".
inline DiskSetUp fullDisk(qint64 room)
{
    return [room](const QString &disk) -> QByteArray {
        if (unshare(CLONE_NEWNS) != 0
            || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=16k") != 0)
            return QByteArray("no private tmpfs: ") + std::strerror(errno);
        writeFile(disk + QStringLiteral("/old"), "OLD CONTENT");
        QFile fill(disk + QStringLiteral("/fill"));
        fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        while (fill.write(QByteArray(512, 'f')) == 512) { }
        fill.resize(fill.size() - room);
        return whyFailed(ownedByChild(disk + QStringLiteral("/old")));
    };
}

} // namespace tavorin::test
