#include "platform/InstanceChannel.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

bool sendAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

std::string receiveLine(int fd)
{
    std::string line;
    char buffer[16];
    while ((line.empty() || line.back() != '\n') &&
           line.size() < size_t(InstanceChannel::maxRequestLength)) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        line.append(buffer, size_t(n));
    }
    return line;
}

bool isOwnSocket(const std::string &path)
{
    struct stat info
    {
    };
    return lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) && info.st_uid == getuid();
}

bool isFolder(const char *path)
{
    struct stat info
    {
    };
    return path && *path && stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::string InstanceChannel::folderPath()
{
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    if (isFolder(runtime))
        return std::string(runtime) + "/zorv";
    // The shared temporary folder: the user id keeps users apart, the ownership check honest.
    const char *temporary = std::getenv("TMPDIR");
    return std::string(isFolder(temporary) ? temporary : "/tmp") + "/zorv-" +
           std::to_string(getuid());
}

std::string InstanceChannel::lockFilePath(std::string_view key)
{
    return folderPath() + '/' + std::string(key) + ".lock";
}

std::string InstanceChannel::socketPath(std::string_view key)
{
    return folderPath() + '/' + std::string(key) + ".socket";
}

bool InstanceChannel::makeFolderPrivate(const std::string &folder)
{
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info
    {
    };
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
        return false;
    return (info.st_mode & 077) == 0 || chmod(folder.c_str(), 0700) == 0;
}

bool InstanceChannel::send(const std::string &socketPath, std::string_view line)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof address.sun_path || !isOwnSocket(socketPath))
        return false;
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const timeval timeout{requestTimeoutMs / 1000, 0};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string reply;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0 &&
        sendAll(fd, line))
        reply = receiveLine(fd);
    ::close(fd);
    return reply == acknowledgement;
}
