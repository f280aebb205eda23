#include "settings/HotKeyStateView.h"

#include "hotkey/HotKeyStateText.h"
#include "platform/DesktopSession.h"
#include "platform/GnomeCustomKeybinding.h"
#include "views/ViewLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Green when the hotkey works, amber while the desktop answers, red otherwise.
QColor stateColor(HotKeyState state)
{
    switch (state) {
    case HotKeyState::active:
        return QColor(40, 150, 70);
    case HotKeyState::pending:
        return QColor(190, 130, 20);
    default:
        return QColor(200, 60, 50);
    }
}

// "<Super><Alt>space" as the user reads keys: "Super+Alt+Space".
QString readableAccelerator(QString accelerator)
{
    accelerator.replace(QStringLiteral("<Primary>"), QStringLiteral("<Ctrl>"));
    accelerator.replace(u'<', QString()).replace(u'>', u'+');
    const qsizetype key = accelerator.lastIndexOf(u'+') + 1;
    if (key < accelerator.size())
        accelerator[key] = accelerator[key].toUpper();
    return accelerator;
}

} // namespace

HotKeyStateView::HotKeyStateView(QWidget *parent)
    : QWidget(parent)
    , m_stateLabel(new QLabel(this))
{
    m_stateLabel->setObjectName(QStringLiteral("hotkeyStateLabel"));
    m_stateLabel->setFont(ViewLook::systemFont(12));
    m_stateLabel->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_stateLabel);
    if (currentDesktopIsGnome() && GnomeCustomKeybinding::isAvailable())
        layout->addWidget(gnomeRow());
    setStatus(HotKeyStatus{HotKeyState::pending, {}, {}});
}

QWidget *HotKeyStateView::gnomeRow()
{
    auto *row = new QWidget(this);
    auto *buttons = new QHBoxLayout;
    auto *add = new QPushButton(QStringLiteral("GNOME のショートカットに登録"), row);
    add->setObjectName(QStringLiteral("gnomeShortcutAddButton"));
    connect(add, &QPushButton::clicked, this, &HotKeyStateView::installGnomeShortcut);
    auto *remove = new QPushButton(QStringLiteral("登録を外す"), row);
    remove->setObjectName(QStringLiteral("gnomeShortcutRemoveButton"));
    connect(remove, &QPushButton::clicked, this, &HotKeyStateView::removeGnomeShortcut);
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    m_gnomeLabel = new QLabel(row);
    m_gnomeLabel->setObjectName(QStringLiteral("gnomeShortcutLabel"));
    m_gnomeLabel->setFont(ViewLook::systemFont(11));
    m_gnomeLabel->setWordWrap(true);
    QPalette palette = m_gnomeLabel->palette();
    palette.setColor(QPalette::WindowText, ViewLook::secondaryLabelColor(palette));
    m_gnomeLabel->setPalette(palette);
    auto *layout = new QVBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(buttons);
    layout->addWidget(m_gnomeLabel);
    showGnomeShortcut();
    return row;
}

void HotKeyStateView::setStatus(const HotKeyStatus &status)
{
    m_status = status;
    showState();
}

// Where Zorv's own grab does not work, GNOME's shortcut entry does the same.
void HotKeyStateView::showState()
{
    const bool throughGnome = m_gnomeBinding && m_status.state != HotKeyState::active;
    m_stateLabel->setText(throughGnome ? QStringLiteral("有効（GNOME のショートカット：") +
                                             *m_gnomeBinding + QStringLiteral("）")
                                       : hotKeyStateText(m_status));
    QPalette palette = m_stateLabel->palette();
    palette.setColor(QPalette::WindowText,
                     stateColor(throughGnome ? HotKeyState::active : m_status.state));
    m_stateLabel->setPalette(palette);
}

void HotKeyStateView::installGnomeShortcut()
{
    showGnomeShortcut(GnomeCustomKeybinding::install(keyCombo(m_preset))
                          ? QString()
                          : QStringLiteral("GNOME の設定に書き込めませんでした"));
}

void HotKeyStateView::removeGnomeShortcut()
{
    showGnomeShortcut(GnomeCustomKeybinding::remove()
                          ? QString()
                          : QStringLiteral("GNOME の設定に書き込めませんでした"));
}

void HotKeyStateView::showGnomeShortcut(const QString &failure)
{
    if (!m_gnomeLabel)
        return;
    const std::optional<QString> binding = GnomeCustomKeybinding::installedBinding();
    m_gnomeBinding = binding ? std::optional(readableAccelerator(*binding)) : std::nullopt;
    QString text = m_gnomeBinding ? QStringLiteral("GNOME のショートカットに登録済み：") +
                                        *m_gnomeBinding + QStringLiteral(" で「zorv --toggle」")
                                  : QStringLiteral("GNOME のショートカットには未登録");
    m_gnomeLabel->setText(failure.isEmpty() ? text : failure);
    showState();
}
