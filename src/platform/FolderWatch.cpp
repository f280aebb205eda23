#include "platform/FolderWatch.h"

#include <QFile>

#include <cerrno>
#include <linux/magic.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

constexpr uint32_t entryEvents =
    IN_CREATE | IN_DELETE | IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_MOVED_FROM | IN_MOVED_TO;
constexpr uint32_t folderEvents =
    IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT | IN_IGNORED | IN_Q_OVERFLOW;

// Local file systems, where every change goes through this kernel and so reaches inotify.
// On NFS, SMB or FUSE another machine or a daemon may change files unseen.
bool isLocalFileSystem(const QByteArray &path)
{
    struct statfs info;
    if (::statfs(path.constData(), &info) != 0)
        return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case EXT4_SUPER_MAGIC: // ext2, ext3 and ext4 share it
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case F2FS_SUPER_MAGIC:
    case REISERFS_SUPER_MAGIC:
    case 0x3153464a: // JFS
    case 0x2fc12fc1: // ZFS
    case 0xca451a4e: // bcachefs
        return true;
    default:
        return false;
    }
}

} // namespace

FolderWatch::~FolderWatch()
{
    stop();
}

bool FolderWatch::watch(const QString &path)
{
    stop();
    const QByteArray native = QFile::encodeName(path);
    if (!isLocalFileSystem(native))
        return false;
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0)
        return false;
    if (::inotify_add_watch(m_fd, native.constData(), entryEvents | folderEvents | IN_ONLYDIR) <
        0) {
        stop();
        return false;
    }
    struct stat info;
    if (::stat(native.constData(), &info) != 0) {
        stop();
        return false;
    }
    m_path = path;
    m_device = info.st_dev;
    m_inode = info.st_ino;
    return true;
}

bool FolderWatch::isWatching(const QString &path) const
{
    struct stat info;
    return m_fd >= 0 && path == m_path && ::stat(QFile::encodeName(path).constData(), &info) == 0 &&
           info.st_dev == m_device && info.st_ino == m_inode;
}

void FolderWatch::stop()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

bool FolderWatch::seesEveryChangeOf(const QString &filePath)
{
    struct stat info;
    return ::lstat(QFile::encodeName(filePath).constData(), &info) == 0 && S_ISREG(info.st_mode) &&
           info.st_nlink == 1;
}

std::optional<QSet<QString>> FolderWatch::takeChangedNames()
{
    if (m_fd < 0)
        return std::nullopt;
    QSet<QString> names;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t length = ::read(m_fd, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length < 0 && errno == EAGAIN)
            return names;
        if (length <= 0) {
            stop();
            return std::nullopt;
        }
        for (ssize_t offset = 0; offset < length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & folderEvents) {
                stop();
                return std::nullopt;
            }
            if (event->len > 0)
                names.insert(QFile::decodeName(event->name));
        }
    }
}
