// `zorv`, the command users and desktops run. A second start (`zorv`, `zorv --show`,
// `zorv --toggle`, `zorv --settings`) hands its request to the running Zorv and ends; everything
// else, and a start with no Zorv running, becomes the application (zorv-app), which reads the
// whole command line. The launcher links no Qt at all, so a hand-over loads no widgets, no fonts
// and no display connection: it is as quick as starting a process can be.
#include "platform/InstanceChannel.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// The application's command line says the same; only these forms are answered here.
const char *handOverLine(int argc, char *argv[])
{
    if (argc == 1)
        return "show\n";
    if (argc != 2)
        return nullptr;
    const std::string_view option = argv[1];
    if (option == "--show")
        return "show\n";
    if (option == "--toggle")
        return "toggle\n";
    if (option == "--settings")
        return "settings\n";
    return nullptr;
}

// Beside the launcher in a build folder; in the libexec folder once installed.
std::string applicationPath()
{
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string path = length > 0 ? std::string(self, size_t(length)) : std::string("/");
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    const std::string sibling = folder + "zorv-app";
    return access(sibling.c_str(), X_OK) == 0 ? sibling : folder + ZORV_APP_FROM_BINDIR;
}

} // namespace

int main(int argc, char *argv[])
{
    // One quick try; when nothing answers, the application claims the lock itself and waits
    // for an instance that is just starting.
    const char *line = handOverLine(argc, argv);
    if (line && InstanceChannel::send(InstanceChannel::socketPath("zorv"), line))
        return 0;
    const std::string application = applicationPath();
    execv(application.c_str(), argv);
    std::fprintf(stderr, "zorv: %s: %s\n", application.c_str(), std::strerror(errno));
    return 1;
}
