#pragma once

#include <QString>

// Folders that hold the user's data: every folder created here is readable by the user only.
class PrivateFolder
{
public:
    // Creates path with every missing parent, each new folder with mode 0700.
    // An existing folder is left as it is. Returns true when path is a folder afterwards;
    // otherwise sets *error.
    static bool create(const QString &path, QString *error = nullptr);
};
