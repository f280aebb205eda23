#include "platform/GnomeCustomKeybinding.h"

#include "platform/CarbonKeySymbols.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString listSchema = QStringLiteral("org.gnome.settings-daemon.plugins.media-keys");
const QString listKey = QStringLiteral("custom-keybindings");
const QString ownPath =
    QStringLiteral("/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/zorv/");
const QString entrySchema = listSchema + QStringLiteral(".custom-keybinding:") + ownPath;

std::optional<QString> gsettings(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("gsettings"), arguments);
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// A GVariant string literal.
QString quoted(QString text)
{
    text.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + text + u'\'';
}

std::optional<QString> unquoted(const std::optional<QString> &literal)
{
    if (!literal || literal->size() < 2 || !literal->startsWith(u'\''))
        return std::nullopt;
    return literal->mid(1, literal->size() - 2);
}

} // namespace

bool GnomeCustomKeybinding::isAvailable()
{
    if (QStandardPaths::findExecutable(QStringLiteral("gsettings")).isEmpty())
        return false;
    const auto schemas = gsettings({QStringLiteral("list-schemas")});
    return schemas && schemas->split(u'\n').contains(listSchema);
}

QString GnomeCustomKeybinding::accelerator(KeyCombo combo)
{
    const std::optional<KeySymbol> symbol = keySymbolForCarbonKeyCode(combo.carbonKeyCode);
    if (!symbol)
        return {};
    QString accelerator;
    if (combo.carbonModifiers & carbonControlKey)
        accelerator += QStringLiteral("<Super>");
    if (combo.carbonModifiers & carbonCmdKey)
        accelerator += QStringLiteral("<Primary>");
    if (combo.carbonModifiers & carbonOptionKey)
        accelerator += QStringLiteral("<Alt>");
    if (combo.carbonModifiers & carbonShiftKey)
        accelerator += QStringLiteral("<Shift>");
    return accelerator + QString::fromLatin1(symbol->name);
}

std::optional<QStringList> GnomeCustomKeybinding::entries()
{
    const auto list = gsettings({QStringLiteral("get"), listSchema, listKey});
    if (!list)
        return std::nullopt;
    QStringList paths;
    static const QRegularExpression item(QStringLiteral("'([^']*)'"));
    for (const QRegularExpressionMatch &match : item.globalMatch(*list))
        paths << match.captured(1);
    return paths;
}

bool GnomeCustomKeybinding::setEntries(const QStringList &paths)
{
    QStringList items;
    for (const QString &path : paths)
        items << quoted(path);
    const QString list = QStringLiteral("[") + items.join(QStringLiteral(", ")) + u']';
    return gsettings({QStringLiteral("set"), listSchema, listKey, list}).has_value();
}

bool GnomeCustomKeybinding::install(KeyCombo combo)
{
    const QString binding = accelerator(combo);
    std::optional<QStringList> paths = entries();
    if (binding.isEmpty() || !paths)
        return false;
    const auto set = [](const char *key, const QString &value) {
        return gsettings(
                   {QStringLiteral("set"), entrySchema, QString::fromLatin1(key), quoted(value)})
            .has_value();
    };
    if (!set("name", QStringLiteral("Zorv")) || !set("command", QString::fromLatin1(command)) ||
        !set("binding", binding))
        return false;
    if (paths->contains(ownPath))
        return true;
    paths->append(ownPath);
    return setEntries(*paths);
}

bool GnomeCustomKeybinding::remove()
{
    std::optional<QStringList> paths = entries();
    if (!paths)
        return false;
    for (const char *key : {"name", "command", "binding"})
        gsettings({QStringLiteral("reset"), entrySchema, QString::fromLatin1(key)});
    return !paths->removeAll(ownPath) || setEntries(*paths);
}

std::optional<QString> GnomeCustomKeybinding::installedBinding()
{
    const std::optional<QStringList> paths = entries();
    if (!paths || !paths->contains(ownPath))
        return std::nullopt;
    return unquoted(gsettings({QStringLiteral("get"), entrySchema, QStringLiteral("binding")}));
}
