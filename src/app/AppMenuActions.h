#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class FloatingWindowController;
class QAction;
class QMenu;

// The application's main menu: the application menu, "編集" and "ウィンドウ". Its actions
// live on the panel's window (their shortcuts work while the panel is shown) and the panel's
// title band opens it.
class AppMenuActions : public QObject
{
    Q_OBJECT

public:
    AppMenuActions(QPointer<FloatingWindowController> currentWindowController,
                   std::function<void()> onQuit);
    ~AppMenuActions() override;

    void installMainMenu(std::function<void()> onOpenSettings);

    void openSettings();
    void showAbout();
    void toggleWindow();
    void snapToCorner(const QAction *sender);

    // The three menus as one pop-up, in order: application menu, "編集", "ウィンドウ".
    QMenu *mainMenu() const { return m_mainMenu.get(); }
    QList<QAction *> shortcutActions() const;

    static QString aboutInformativeText(const QString &shortVersion);

private:
    void buildApplicationMenu();
    void buildEditMenu();
    void buildWindowMenu();

    std::unique_ptr<QMenu> m_mainMenu;
    QMenu *m_applicationMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_windowMenu = nullptr;
    QPointer<FloatingWindowController> m_windowController;
    std::function<void()> m_onOpenSettings;
    std::function<void()> m_onQuit;
};
