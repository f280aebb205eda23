#pragma once

#include <string>
#include <string_view>

// The way to a running Zorv: a socket file in a private folder of the user's runtime folder,
// and the one line a later start sends there. Plain C++ and sockets, no Qt: the launcher
// reaches a running Zorv without loading any library beyond the C++ runtime.
class InstanceChannel
{
public:
    // $XDG_RUNTIME_DIR/zorv, or zorv-<uid> in the temporary folder.
    static std::string folderPath();
    static std::string lockFilePath(std::string_view key);
    static std::string socketPath(std::string_view key);
    // Creates the folder 0700 when missing. An existing one must be a real folder (not a link)
    // of this user; if it was open to others it is closed again.
    static bool makeFolderPrivate(const std::string &folder);
    // One attempt: connects, sends `line` and waits for the acknowledgement, each step for
    // two seconds at most. Only a socket of this user is spoken to.
    static bool send(const std::string &socketPath, std::string_view line);

    static constexpr int requestTimeoutMs = 2000;
    static constexpr int maxRequestLength = 64;
    static constexpr std::string_view acknowledgement = "ok\n";
};
