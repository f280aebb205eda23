// libFuzzer entry point: "history.json" as it is read at start.
#include "model/HistoryFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    // What reads back must write out and read back the same.
    if (const std::optional<HistorySnapshot> snapshot = decodeHistory(bytes)) {
        const std::optional<HistorySnapshot> again = decodeHistory(encodeHistory(*snapshot));
        if (!again || again->cards.size() != snapshot->cards.size() ||
            again->activeCardID != snapshot->activeCardID)
            __builtin_trap();
    }
    return 0;
}
