#pragma once

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <memory>

class FloatingWindowController;
class PeekBarContentView;
class PeekBarPanel;
class WindowSystem;

// Owns the collapsed panel's bar: built on the first collapse, then kept.
class PeekBarController : public QObject
{
    Q_OBJECT

public:
    PeekBarController(FloatingWindowController *windowController, WindowSystem &windowSystem);
    ~PeekBarController() override;

    // Shows the bar centred under `panelFrame` (bottom-left screen coordinates), on its
    // former bottom edge, kept on the screen under the mouse.
    void showBar(const QRectF &panelFrame);
    void expandTapped();
    void applyAccentFromSettings();

    PeekBarPanel *panel() const { return m_panel.get(); }
    // The bar's frame in bottom-left screen coordinates, as last placed.
    QRectF barFrame() const { return m_barFrame; }

private:
    void makeBarPanel();

    std::unique_ptr<PeekBarPanel> m_panel;
    PeekBarContentView *m_barContentView = nullptr;
    QPointer<FloatingWindowController> m_windowController;
    WindowSystem &m_windowSystem;
    QRectF m_barFrame;
};
