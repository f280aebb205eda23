#include "model/RescueCopy.h"

#include "model/HistoryFile.h"
#include "model/MemoFile.h"
#include "model/StoredValues.h"
#include "platform/AtomicFile.h"
#include "platform/PrivateFolder.h"

#include <QDir>

namespace {

QString stateHome()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    return QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
}

} // namespace

QString writeRescueCopy(const QList<Card> &cards, const std::optional<QUuid> &activeCardID,
                        const QList<Memo> &memos, QString *error)
{
    const QString folder =
        QDir(stateHome()).filePath(QStringLiteral("Zorv/rescue-") + asideTimeStamp());
    if (!PrivateFolder::create(folder, error))
        return QString();
    const QDir dir(folder);
    if (!AtomicFile::write(dir.filePath(QStringLiteral("history.json")),
                           encodeHistory(HistorySnapshot{cards, activeCardID}), error))
        return QString();
    for (const Memo &memo : memos) {
        if (!writeMemoFile(memo, dir.filePath(uuidText(memo.id) + QStringLiteral(".md")), error))
            return QString();
    }
    return folder;
}
