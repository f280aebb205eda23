// libFuzzer entry point: "memos.json" of earlier versions, read by the one-time import.
#include "model/MemoFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const std::optional<QList<Memo>> memos = decodeLegacyMemos(bytes)) {
        for (const Memo &memo : *memos)
            memoFileContent(memo);
    }
    return 0;
}
