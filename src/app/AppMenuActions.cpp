#include "app/AppMenuActions.h"

#include "windows/FloatingWindowController.h"
#include "windows/PanelScreenCorner.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>

namespace {

// Edit commands go to whichever widget has the focus, as menu items without a target do.
void sendToFocusWidget(const char *slot)
{
    if (QWidget *focus = QApplication::focusWidget())
        QMetaObject::invokeMethod(focus, slot);
}

} // namespace

AppMenuActions::AppMenuActions(QPointer<FloatingWindowController> currentWindowController,
                               std::function<void()> onQuit)
    : m_mainMenu(std::make_unique<QMenu>())
    , m_windowController(std::move(currentWindowController))
    , m_onQuit(std::move(onQuit))
{
}

AppMenuActions::~AppMenuActions() = default;

void AppMenuActions::installMainMenu(std::function<void()> onOpenSettings)
{
    m_onOpenSettings = std::move(onOpenSettings);
    if (m_applicationMenu)
        return;
    buildApplicationMenu();
    buildEditMenu();
    buildWindowMenu();
}

void AppMenuActions::buildApplicationMenu()
{
    m_applicationMenu = m_mainMenu->addMenu(QStringLiteral("ZORV"));
    QAction *settings =
        m_applicationMenu->addAction(QStringLiteral("設定…"), this, [this] { openSettings(); });
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    m_applicationMenu->addAction(QStringLiteral("ZORV について…"), this, [this] { showAbout(); });
    m_applicationMenu->addSeparator();
    QAction *quit = m_applicationMenu->addAction(QStringLiteral("終了"), this, [this] {
        if (m_onQuit)
            m_onQuit();
    });
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void AppMenuActions::buildEditMenu()
{
    m_editMenu = m_mainMenu->addMenu(QStringLiteral("編集"));
    const auto add = [this](const char *title, const char *slot, QKeySequence shortcut) {
        QAction *action = m_editMenu->addAction(QString::fromUtf8(title), this,
                                                [slot] { sendToFocusWidget(slot); });
        action->setShortcut(shortcut);
    };
    add("取り消し", "undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    add("やり直し", "redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_editMenu->addSeparator();
    add("切り取り", "cut", QKeySequence(Qt::CTRL | Qt::Key_X));
    add("コピー", "copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    add("ペースト", "paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    add("すべて選択", "selectAll", QKeySequence(Qt::CTRL | Qt::Key_A));
}

void AppMenuActions::buildWindowMenu()
{
    m_windowMenu = m_mainMenu->addMenu(QStringLiteral("ウィンドウ"));
    m_windowMenu->addAction(QStringLiteral("ZORV を表示 / 隠す"), this, [this] { toggleWindow(); });
    m_windowMenu->addSeparator();
    for (PanelScreenCorner corner : allPanelScreenCorners()) {
        const int digit = cornerDigit(corner);
        QAction *action = m_windowMenu->addAction(QStringLiteral("移動: ") + cornerTitle(corner));
        action->setShortcut(QKeySequence(Qt::META | Qt::Key(Qt::Key_0 + digit)));
        action->setData(digit); // the item's tag
        connect(action, &QAction::triggered, this, [this, action] { snapToCorner(action); });
    }
}

QList<QAction *> AppMenuActions::shortcutActions() const
{
    QList<QAction *> actions;
    for (const QMenu *menu : {m_applicationMenu, m_editMenu, m_windowMenu}) {
        if (!menu)
            continue;
        for (QAction *action : menu->actions()) {
            if (!action->shortcut().isEmpty())
                actions.append(action);
        }
    }
    return actions;
}

void AppMenuActions::openSettings()
{
    if (m_onOpenSettings)
        m_onOpenSettings();
}

QString AppMenuActions::aboutInformativeText(const QString &shortVersion)
{
    const QString version = shortVersion.isEmpty() ? QStringLiteral("0.1") : shortVersion;
    return QStringLiteral("Version ") + version +
           QStringLiteral("\n\n書くことがそのままコピーになるデスクトップツール");
}

void AppMenuActions::showAbout()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("ZORV"), QStringLiteral("ZORV"));
    box.setInformativeText(aboutInformativeText(QApplication::applicationVersion()));
    // Qt wraps the informative text at any Japanese character, breaking the one-line
    // description in two; it is short enough to stand on one line.
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setWordWrap(false);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

void AppMenuActions::toggleWindow()
{
    if (m_windowController)
        m_windowController->toggleShown();
}

void AppMenuActions::snapToCorner(const QAction *sender)
{
    const auto corner = cornerForDigit(sender->data().toInt());
    if (corner && m_windowController)
        m_windowController->snapPanel(*corner);
}
