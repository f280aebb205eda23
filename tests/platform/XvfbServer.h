#pragma once

#include <QByteArray>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

// A private Xvfb that picks a free display itself (-displayfd), so it never collides with another
// X server on the machine. Empty display() when Xvfb is not installed.
class XvfbServer
{
public:
    XvfbServer()
    {
        int fds[2];
        if (pipe(fds) != 0 || (m_pid = fork()) < 0)
            return;
        if (m_pid == 0) {
            const int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x800x24",
                   "-nolisten", "tcp", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        pollfd readable{fds[0], POLLIN, 0};
        char c;
        while (poll(&readable, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            m_display.append(c);
        close(fds[0]);
        if (!m_display.isEmpty())
            m_display.prepend(':');
    }

    ~XvfbServer()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    QByteArray display() const { return m_display; }

private:
    pid_t m_pid = -1;
    QByteArray m_display;
};
