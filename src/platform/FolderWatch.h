#pragma once

#include <QSet>
#include <QString>

#include <optional>

// What changed in one folder since it was last asked, told by the kernel (inotify): files
// created, written (in place too), renamed in or out, removed, or given new times. It asks
// nothing of the disk. Where the kernel can't be trusted to see every change (a network or
// FUSE folder, the watch limit reached, the queue overflowed, the folder itself moved or
// removed), it says it can't tell, and the caller reads the folder as if unwatched.
class FolderWatch
{
public:
    FolderWatch() = default;
    ~FolderWatch();
    FolderWatch(const FolderWatch &) = delete;
    FolderWatch &operator=(const FolderWatch &) = delete;

    // Starts watching path, dropping an earlier watch; false when it can't.
    bool watch(const QString &path);
    void stop();
    // True while the folder at path is the one watched: not when another folder has taken
    // its place since (its parent moved, say).
    bool isWatching(const QString &path) const;

    // False for a file whose changes may come through another folder: a symbolic link, a
    // file with more than one hard link, a file that can't be examined.
    static bool seesEveryChangeOf(const QString &filePath);

    // The names of the entries changed since the last call or since watch(); nullopt when the
    // watch can't tell (and then it stops).
    std::optional<QSet<QString>> takeChangedNames();

private:
    int m_fd = -1;
    QString m_path;
    quint64 m_device = 0;
    quint64 m_inode = 0;
};
