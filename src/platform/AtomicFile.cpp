#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A short write is not an error by itself; the next write says why it stopped.
bool writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// The rename itself is made durable too; a folder that can't be synced costs nothing else.
void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString targetOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.symLinkTarget();
    return target.isEmpty() ? path : target;
}

} // namespace

bool AtomicFile::write(const QString &path, const QByteArray &data, QString *error)
{
    const QString target = targetOf(path);
    const QFileInfo info(target);
    QByteArray tempName =
        QFile::encodeName(info.dir().filePath(QStringLiteral(".%1.XXXXXX").arg(info.fileName())));
    const auto fail = [&](const char *step, int number) {
        if (error) {
            *error =
                QStringLiteral("%1 %2: %3")
                    .arg(QLatin1String(step), target, QString::fromLocal8Bit(strerror(number)));
        }
        errno = number;
        return false;
    };

    // mkostemp makes the file with mode 0600.
    const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (fd < 0)
        return fail("could not create a temporary file for", errno);
    const char *step = nullptr;
    int number = 0;
    if (!writeAll(fd, data.constData(), data.size()) || ::fsync(fd) != 0) {
        step = "could not write";
        number = errno;
    }
    if (::close(fd) != 0 && !step) {
        step = "could not write";
        number = errno;
    }
    if (!step && ::rename(tempName.constData(), QFile::encodeName(target).constData()) != 0) {
        step = "could not replace";
        number = errno;
    }
    if (!step) {
        syncFolder(QFile::encodeName(info.absolutePath()));
        return true;
    }
    ::unlink(tempName.constData());
    return fail(step, number);
}
