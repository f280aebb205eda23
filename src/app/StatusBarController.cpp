#include "app/StatusBarController.h"

#include "platform/SaveStatus.h"
#include "platform/TrayHost.h"
#include "platform/TrayHostWatcher.h"
#include "windows/FloatingWindowController.h"
#include "windows/ZorvLogoView.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>
#include <cmath>

namespace {

// Linux trays do not tint template images as the Mac menu bar does, and panels are light or
// dark: draw the template in white over a one-pixel dark outline, readable on either.
QIcon trayIcon(const QImage &templateImage)
{
    const auto tinted = [&](const QColor &color) {
        QImage image = templateImage;
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color);
        return image;
    };
    const QImage outline = tinted(QColor(0, 0, 0, 170));
    const QImage glyphs = tinted(QColor(250, 250, 250));
    QImage icon(templateImage.size(), QImage::Format_ARGB32_Premultiplied);
    icon.setDevicePixelRatio(templateImage.devicePixelRatio());
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    const qreal step = 1.0 / templateImage.devicePixelRatio();
    for (const QPointF offset :
         {QPointF(-step, 0), QPointF(step, 0), QPointF(0, -step), QPointF(0, step)})
        painter.drawImage(offset, outline);
    painter.drawImage(QPointF(0, 0), glyphs);
    painter.end();
    return QIcon(QPixmap::fromImage(icon));
}

} // namespace

StatusBarController::StatusBarController(FloatingWindowController *windowController,
                                         std::function<void()> onOpenSettings,
                                         std::function<void()> onQuit)
    : m_menu(std::make_unique<QMenu>())
    , m_windowController(windowController)
    , m_onOpenSettings(std::move(onOpenSettings))
    , m_onQuit(std::move(onQuit))
{
    m_menu->addAction(QStringLiteral("ウィンドウを表示 / 隠す"), this, [this] { toggleWindow(); });
    QAction *settings =
        m_menu->addAction(QStringLiteral("設定…"), this, [this] { openSettings(); });
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    m_menu->addSeparator();
    QAction *quitAction = m_menu->addAction(QStringLiteral("終了"), this, [this] { quit(); });
    quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    if (trayHostPresent()) {
        addStatusItem();
        return;
    }
    m_trayHostWatcher = std::make_unique<TrayHostWatcher>();
    connect(m_trayHostWatcher.get(), &TrayHostWatcher::hostAppeared, this,
            &StatusBarController::addStatusItem);
}

void StatusBarController::addStatusItem()
{
    if (m_statusItem)
        return;
    m_statusItem = std::make_unique<QSystemTrayIcon>();
    m_statusItem->setIcon(
        trayIcon(trayShowsWideIcons() ? statusItemImage() : squareStatusItemImage()));
    updateToolTip();
    connect(&SaveStatus::shared(), &SaveStatus::changed, this, [this] { updateToolTip(); });
    m_statusItem->setContextMenu(m_menu.get());
    // A left click opens the menu as well, as the menu is the item's only content.
    connect(m_statusItem.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    m_menu->popup(QCursor::pos());
            });
    m_statusItem->show();
}

StatusBarController::~StatusBarController() = default;

void StatusBarController::setHotKeyText(const QString &shortcut)
{
    m_toolTip = shortcut.isEmpty()
                    ? QStringLiteral("ZORV")
                    : QStringLiteral("ZORV — ") + shortcut + QStringLiteral(" で表示");
    updateToolTip();
}

// While a save fails, a second line says so as the panel's title band does; the hotkey stays.
void StatusBarController::updateToolTip()
{
    if (!m_statusItem)
        return;
    const QString problem = SaveStatus::shared().message();
    m_statusItem->setToolTip(problem.isEmpty() ? m_toolTip : m_toolTip + u'\n' + problem);
}

void StatusBarController::toggleWindow()
{
    if (m_windowController)
        m_windowController->toggleShown();
}

void StatusBarController::openSettings()
{
    if (m_onOpenSettings)
        m_onOpenSettings();
}

void StatusBarController::quit()
{
    if (m_onQuit)
        m_onQuit();
}

QImage StatusBarController::statusItemImage(qreal devicePixelRatio)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(11);
    font.setWeight(QFont::DemiBold);
    const QFontMetricsF metrics(font);
    const double textWidth = metrics.horizontalAdvance(QStringLiteral("ZORV"));
    const QSizeF size(std::ceil(textWidth) + 17, 16);
    return templateImage(size, devicePixelRatio, [&](QPainter &painter) {
        drawLogo(painter, 0);
        painter.setFont(font);
        painter.setPen(Qt::black);
        // The cap height's bottom-up baseline placement turned into a top-down baseline.
        const double baselineFromBottom = (16 - metrics.capHeight()) / 2 - 1;
        painter.drawText(QPointF(17, 16 - baselineFromBottom), QStringLiteral("ZORV"));
    });
}

QImage StatusBarController::squareStatusItemImage(qreal devicePixelRatio)
{
    return templateImage(QSizeF(16, 16), devicePixelRatio,
                         [](QPainter &painter) { drawLogo(painter, 1); });
}

QImage StatusBarController::templateImage(const QSizeF &size, qreal devicePixelRatio,
                                          const std::function<void(QPainter &)> &draw)
{
    QImage image((size * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    draw(painter);
    // A template image: one colour with alpha, so the tray can tint it like its own icons.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::black);
    return image;
}

void StatusBarController::drawLogo(QPainter &painter, double left)
{
    const QImage logo = logoImage().toImage();
    if (logo.isNull())
        return;
    const double s = std::min(14.0 / logo.width(), 16.0 / logo.height());
    const QSizeF drawn(logo.width() * s, logo.height() * s);
    // Bottom-up placement (16 - h) / 2 is symmetric, so it reads the same top-down.
    painter.drawImage(QRectF(QPointF(left, (16 - drawn.height()) / 2), drawn), logo);
}
