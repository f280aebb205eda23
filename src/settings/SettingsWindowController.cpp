#include "settings/SettingsWindowController.h"

#include "platform/ScreenCoordinates.h"
#include "settings/SettingsViewController.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

namespace {

double maxX(const QRectF &r)
{
    return r.x() + r.width();
}

double maxY(const QRectF &r)
{
    return r.y() + r.height();
}

} // namespace

SettingsWindowController &SettingsWindowController::shared()
{
    // Deliberately leaked: its window must not outlive QApplication's destruction order.
    static auto *controller = new SettingsWindowController;
    return *controller;
}

SettingsWindowController::~SettingsWindowController()
{
    delete m_window;
}

void SettingsWindowController::setHotKeyStatus(const HotKeyStatus &status)
{
    m_hotKeyStatus = status;
    if (auto *form = m_window ? m_window->findChild<SettingsViewController *>() : nullptr)
        form->setHotKeyStatus(status);
}

void SettingsWindowController::show(QWidget *anchor)
{
    if (!m_window)
        createWindow();
    if (anchor && anchor->isVisible())
        placeBeside(anchor);
    else
        centre();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

// Above the floating panel (which stays on top too, so the later-raised window wins),
// closable and resizable, and only hidden by its close button.
void SettingsWindowController::createWindow()
{
    m_window = new QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint |
                                        Qt::WindowStaysOnTopHint);
    m_window->setObjectName(QStringLiteral("settingsWindow"));
    m_window->setWindowTitle(QStringLiteral("Zorv 設定"));
    auto *layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *form = new SettingsViewController(m_window);
    form->setHotKeyStatus(m_hotKeyStatus);
    layout->addWidget(form);
    m_window->resize(int(windowWidth), int(windowHeight));
    m_window->setMinimumSize(400, 420);
}

void SettingsWindowController::placeBeside(QWidget *anchor)
{
    const QRectF anchorFrame = ScreenCoordinates::fromQt(QRectF(anchor->frameGeometry()));
    const QRectF visible = visibleFrameForAnchor(
        anchorFrame, ScreenCoordinates::screens(), ScreenCoordinates::geometry(anchor->screen()),
        ScreenCoordinates::geometry(QGuiApplication::primaryScreen()));
    const QRectF frame =
        frameBeside(anchorFrame, QSizeF(m_window->frameGeometry().size()), visible);
    m_window->move(ScreenCoordinates::toQt(frame).topLeft().toPoint());
}

void SettingsWindowController::centre()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize size = m_window->frameGeometry().size();
    m_window->move(available.x() + (available.width() - size.width()) / 2,
                   available.y() + (available.height() - size.height()) / 2);
}

QRectF
SettingsWindowController::visibleFrameForAnchor(const QRectF &anchorFrame,
                                                const QList<ScreenGeometry> &screens,
                                                const std::optional<ScreenGeometry> &anchorScreen,
                                                const std::optional<ScreenGeometry> &mainScreen)
{
    if (const auto index = screenContaining(screens, anchorFrame.center()))
        return screens[*index].visibleFrame;
    if (anchorScreen)
        return anchorScreen->visibleFrame;
    if (mainScreen)
        return mainScreen->visibleFrame;
    return anchorFrame;
}

QRectF SettingsWindowController::frameBeside(const QRectF &anchorFrame, const QSizeF &size,
                                             const QRectF &visibleFrame)
{
    const QRectF &a = anchorFrame;
    const QRectF &v = visibleFrame;
    const double w = size.width();
    const double h = size.height();
    double x = maxX(a) + anchorGap;
    double y = a.center().y() - h / 2;
    if (x + w > maxX(v) - anchorGap)
        x = a.x() - w - anchorGap;
    if (x < v.x() + anchorGap) {
        x = a.center().x() - w / 2;
        y = maxY(a) + anchorGap;
    }
    if (y + h > maxY(v) - anchorGap)
        y = maxY(v) - h - anchorGap;
    if (y < v.y() + anchorGap)
        y = v.y() + anchorGap;
    return {x, y, w, h};
}
