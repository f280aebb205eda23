// libFuzzer entry point: a memo file's bytes as the memo folder reads them.
#include "model/MemoFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QUuid id(0x6f1e4a2b, 0x0c3d, 0x4e5f, 0x8a, 0x9b, 0x01, 0x23, 0x45, 0x67, 0x89, 0xab);
    // A memo written back reads back with its title and text.
    if (std::optional<Memo> memo = decodeMemoFile(bytes, id, QStringLiteral("fallback"))) {
        const std::optional<Memo> again =
            decodeMemoFile(memoFileContent(*memo), id, QStringLiteral("fallback"));
        if (!again)
            __builtin_trap();
    }
    return 0;
}
