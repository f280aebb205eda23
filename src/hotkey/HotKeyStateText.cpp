#include "hotkey/HotKeyStateText.h"

#include "platform/DesktopSession.h"

namespace {

QString whatToDo()
{
    if (currentDesktopIsGnome())
        return QStringLiteral("下の「GNOME のショートカットに登録」で GNOME の設定に登録できます");
    return QStringLiteral(
        "デスクトップのショートカット設定でコマンド「zorv --toggle」を割り当ててください");
}

} // namespace

QString hotKeyStateText(const HotKeyStatus &status)
{
    switch (status.state) {
    case HotKeyState::active:
        return QStringLiteral("有効（") + status.backend +
               (status.trigger.isEmpty() ? QString() : QStringLiteral("：") + status.trigger) +
               QStringLiteral("）");
    case HotKeyState::pending:
        return QStringLiteral("デスクトップの応答を待っています…");
    case HotKeyState::taken:
        return QStringLiteral("他のアプリが使用中：別のキーを選ぶか、") + whatToDo();
    case HotKeyState::notAvailable:
        return QStringLiteral("この環境では使えません：") + whatToDo();
    case HotKeyState::failed:
        break;
    }
    return QStringLiteral("登録できませんでした：") + whatToDo();
}

QString hotKeyNoticeText(const HotKeyStatus &status, const QString &shortcut)
{
    QString state;
    switch (status.state) {
    case HotKeyState::taken:
        state = QStringLiteral("は他のアプリが使用中です");
        break;
    case HotKeyState::notAvailable:
        state = QStringLiteral("はこの環境では使えません");
        break;
    default:
        state = QStringLiteral("を登録できませんでした");
    }
    return QStringLiteral("表示ホットキー ") + shortcut + QLatin1Char(' ') + state +
           QStringLiteral("（詳しくは設定で）");
}

QString hotKeyStateLogText(const HotKeyStatus &status)
{
    switch (status.state) {
    case HotKeyState::active:
        return QStringLiteral("active (%1%2)")
            .arg(status.backend == QLatin1String("X11") ? status.backend : QStringLiteral("portal"),
                 status.trigger.isEmpty() ? QString() : QStringLiteral(": ") + status.trigger);
    case HotKeyState::pending:
        return QStringLiteral("waiting for the desktop");
    case HotKeyState::taken:
        return QStringLiteral("taken by another program");
    case HotKeyState::notAvailable:
        return QStringLiteral("not available in this session");
    case HotKeyState::failed:
        break;
    }
    return QStringLiteral("failed");
}
