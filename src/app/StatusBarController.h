#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class FloatingWindowController;
class QMenu;
class QPainter;
class QSystemTrayIcon;
class TrayHostWatcher;

// The tray entry, present for the whole run: show or collapse the panel, settings, quit. Where no
// tray exists at start (GNOME without its AppIndicator extension) the entry appears once a
// StatusNotifierItem host does; until then the peek bar is the way back to the panel.
class StatusBarController : public QObject
{
    Q_OBJECT

public:
    StatusBarController(FloatingWindowController *windowController,
                        std::function<void()> onOpenSettings, std::function<void()> onQuit);
    ~StatusBarController() override;

    void toggleWindow();
    void openSettings();
    void quit();

    // The tooltip names the hotkey only while it works; empty names none.
    void setHotKeyText(const QString &shortcut);

    QMenu *menu() const { return m_menu.get(); }
    // Null while no tray host has appeared.
    QSystemTrayIcon *statusItem() const { return m_statusItem.get(); }

    // The logo followed by "ZORV", (ceil(text width) + 17) x 16 points, drawn in one colour.
    static QImage statusItemImage(qreal devicePixelRatio = 2);
    // The logo alone, 16 x 16 points, for trays that give every icon a square slot.
    static QImage squareStatusItemImage(qreal devicePixelRatio = 2);

private:
    void addStatusItem();
    void updateToolTip();
    static QImage templateImage(const QSizeF &size, qreal devicePixelRatio,
                                const std::function<void(QPainter &)> &draw);
    static void drawLogo(QPainter &painter, double left);

    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<QSystemTrayIcon> m_statusItem;
    std::unique_ptr<TrayHostWatcher> m_trayHostWatcher;
    QString m_toolTip = QStringLiteral("ZORV");
    QPointer<FloatingWindowController> m_windowController;
    std::function<void()> m_onOpenSettings;
    std::function<void()> m_onQuit;
};
