#pragma once

#include <QString>

// The per-user folder that holds "history.json" and "Memos": "Zorv" in the user's data
// directory. The folder of an earlier version, "ZORVE" beside it, is moved into place
// once. Every call resolves it anew and creates it (mode 0700) when it is missing.
// Returns its absolute path, or an empty string when the user has no data directory.
QString dataFolderURL();
