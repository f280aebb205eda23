#pragma once

#include "platform/HotKeyStatus.h"
#include "platform/ScreenGeometry.h"

#include <QList>
#include <QPointer>
#include <QRectF>
#include <QSizeF>

#include <optional>

class QWidget;

// Owns the one settings window: built on the first show() and then kept, so the form keeps
// whatever the user left in it. Frames are in Zorv's bottom-left screen convention.
class SettingsWindowController
{
public:
    static constexpr double windowWidth = 440;
    static constexpr double windowHeight = 640;
    static constexpr double anchorGap = 12;

    // The process-wide controller, made on first use and never destroyed.
    static SettingsWindowController &shared();

    SettingsWindowController() = default;
    ~SettingsWindowController();
    SettingsWindowController(const SettingsWindowController &) = delete;
    SettingsWindowController &operator=(const SettingsWindowController &) = delete;

    // Opens beside `anchor` (the floating panel) when it is visible, else centred.
    void show(QWidget *anchor);
    QWidget *window() const { return m_window; }
    // The toggle hotkey's state, shown in the form (kept for a form built later).
    void setHotKeyStatus(const HotKeyStatus &status);

    // The visible frame to keep the window in: that of the first screen containing the
    // anchor's centre, else of the anchor's screen, else of the main screen, else the
    // anchor's own frame.
    static QRectF visibleFrameForAnchor(const QRectF &anchorFrame,
                                        const QList<ScreenGeometry> &screens,
                                        const std::optional<ScreenGeometry> &anchorScreen,
                                        const std::optional<ScreenGeometry> &mainScreen);
    // Right of the anchor, else left of it, else above it; then kept 12 points inside the
    // visible frame vertically.
    static QRectF frameBeside(const QRectF &anchorFrame, const QSizeF &size,
                              const QRectF &visibleFrame);

private:
    void createWindow();
    void placeBeside(QWidget *anchor);
    void centre();

    QPointer<QWidget> m_window;
    HotKeyStatus m_hotKeyStatus{HotKeyState::pending, {}, {}};
};
