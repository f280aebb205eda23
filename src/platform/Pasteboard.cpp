#include "platform/Pasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QClipboard *systemClipboard()
{
    // Without a GUI application there is no clipboard to talk to.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return nullptr;
    return QGuiApplication::clipboard();
}

} // namespace

void Pasteboard::setString(const QString &text)
{
    QClipboard *clipboard = systemClipboard();
    if (!clipboard)
        return;
    clipboard->clear(QClipboard::Clipboard);
    auto *data = new QMimeData;
    data->setText(text);
    clipboard->setMimeData(data, QClipboard::Clipboard);
}

QString Pasteboard::string()
{
    QClipboard *clipboard = systemClipboard();
    if (!clipboard)
        return {};
    const QMimeData *data = clipboard->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText())
        return {};
    return data->text();
}
