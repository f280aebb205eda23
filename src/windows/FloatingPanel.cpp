#include "windows/FloatingPanel.h"

#include "windows/RoundedWindowMask.h"
#include "windows/TitleBandNotice.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QWindow>

// The red close dot of the title band: a click collapses the panel.
class PanelCloseButton : public QWidget
{
public:
    explicit PanelCloseButton(QWidget *parent)
        : QWidget(parent)
    {
        setFixedSize(14, 14);
        setCursor(Qt::ArrowCursor);
        setToolTip(QStringLiteral("たたむ"));
        setAttribute(Qt::WA_Hover);
    }

    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0xE0, 0x44, 0x3E), 0.5));
        painter.setBrush(QColor(0xFF, 0x5F, 0x57));
        painter.drawEllipse(QRectF(1, 1, 12, 12));
        if (underMouse()) {
            painter.setPen(QPen(QColor(0x4D, 0x00, 0x00), 1.2));
            painter.drawLine(QPointF(4.5, 4.5), QPointF(9.5, 9.5));
            painter.drawLine(QPointF(9.5, 4.5), QPointF(4.5, 9.5));
        }
    }
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (rect().contains(event->position().toPoint()) && onClick)
            onClick();
    }
};

namespace {

constexpr int resizeMargin = 6;

// The backdrop is always dark, whatever the desktop's theme: labels and controls inside take
// the light colours of a dark appearance.
QPalette hudPalette()
{
    QPalette palette;
    const QColor text(255, 255, 255, 217);
    const QColor secondary(255, 255, 255, 140);
    palette.setColor(QPalette::Window, QColor(30, 30, 32));
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Button, QColor(60, 60, 64));
    palette.setColor(QPalette::Base, QColor(30, 30, 32));
    palette.setColor(QPalette::AlternateBase, QColor(40, 40, 44));
    palette.setColor(QPalette::PlaceholderText, secondary);
    palette.setColor(QPalette::ToolTipBase, QColor(40, 40, 44));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Light, QColor(90, 90, 96));
    palette.setColor(QPalette::Midlight, QColor(70, 70, 76));
    palette.setColor(QPalette::Mid, QColor(50, 50, 54));
    palette.setColor(QPalette::Dark, QColor(20, 20, 22));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(10, 132, 255));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, secondary);
    palette.setColor(QPalette::Disabled, QPalette::Text, secondary);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, secondary);
    return palette;
}

} // namespace

FloatingPanel::FloatingPanel()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("Zorv"));
    setAttribute(Qt::WA_TranslucentBackground);
    setPalette(hudPalette());
    setMinimumSize(560, 320);
    setMaximumSize(1200, 900);
    m_closeButton = new PanelCloseButton(this);
    m_closeButton->move(13, 7);
    m_closeButton->onClick = [this] { close(); };
    m_notice = new TitleBandNotice(this);
}

void FloatingPanel::setContentWidget(QWidget *content)
{
    m_content = content;
    content->setParent(this);
    content->setGeometry(rect());
    content->show();
    m_closeButton->raise();
    if (m_menuButton)
        m_menuButton->raise();
    m_notice->raise();
}

void FloatingPanel::setMainMenu(QMenu *menu, const QList<QAction *> &shortcutActions)
{
    if (!m_menuButton) {
        m_menuButton = new QToolButton(this);
        m_menuButton->setAutoRaise(true);
        m_menuButton->setPopupMode(QToolButton::InstantPopup);
        m_menuButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
        m_menuButton->setText(QStringLiteral("ZORV ▾"));
        m_menuButton->setStyleSheet(QStringLiteral(
            "QToolButton { color: rgba(255,255,255,150); font-size: 11px; border: none;"
            " padding: 0 4px; }"
            "QToolButton:hover { color: rgba(255,255,255,230); }"
            "QToolButton::menu-indicator { image: none; width: 0; }"));
        m_menuButton->move(34, 5);
        m_menuButton->resize(m_menuButton->sizeHint().width(), 17);
    }
    m_menuButton->setMenu(menu);
    for (QAction *action : shortcutActions) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    m_menuButton->raise();
    layoutTitleBand();
}

void FloatingPanel::layoutTitleBand()
{
    const int left = m_menuButton ? m_menuButton->geometry().right() + 8 : 34;
    m_notice->setGeometry(left, 5, qMax(0, width() - left - cornerRadius), 17);
    m_notice->raise();
}

void FloatingPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    // A dark heads-up backdrop: translucent where a compositor blends it with what lies behind.
    painter.fillPath(shape, QColor(30, 30, 32, 232));
    painter.setPen(QPen(QColor(255, 255, 255, 30), 1));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius - 0.5,
                            cornerRadius - 0.5);
}

void FloatingPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_content)
        m_content->setGeometry(rect());
    applyRoundedWindowMask(*this, cornerRadius);
    layoutTitleBand();
    emit resized();
}

void FloatingPanel::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    emit moved();
}

void FloatingPanel::closeEvent(QCloseEvent *event)
{
    // The panel is never closed; the controller collapses it instead.
    event->ignore();
    emit closeRequested();
}

void FloatingPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        emit activeChanged();
}

void FloatingPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window handle exists from the first show on; it sees every mouse event first, so
    // the edges stay resizable although the content covers them.
    if (QWindow *window = windowHandle()) {
        window->removeEventFilter(this);
        window->installEventFilter(this);
    }
}

void FloatingPanel::mousePressEvent(QMouseEvent *event)
{
    // Clicks no child took land on the background: drag the panel.
    if (event->button() == Qt::LeftButton && windowHandle()) {
        windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void FloatingPanel::updateEdgeCursor(Qt::Edges edges, const QPointF &position)
{
    if (!edges) {
        // Hand the cursor back to the widget under the mouse only when leaving an edge, so the
        // text view keeps its own cursor.
        if (m_edgeCursor) {
            const QWidget *under = childAt(position.toPoint());
            windowHandle()->setCursor(under ? under->cursor() : cursor());
            m_edgeCursor = false;
        }
        return;
    }
    Qt::CursorShape shape = Qt::SizeVerCursor;
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        shape = Qt::SizeFDiagCursor;
    else if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        shape = Qt::SizeBDiagCursor;
    else if (edges & (Qt::LeftEdge | Qt::RightEdge))
        shape = Qt::SizeHorCursor;
    windowHandle()->setCursor(shape);
    m_edgeCursor = true;
}

Qt::Edges FloatingPanel::edgesAt(const QPointF &position) const
{
    Qt::Edges edges;
    if (position.x() < resizeMargin)
        edges |= Qt::LeftEdge;
    if (position.x() >= width() - resizeMargin)
        edges |= Qt::RightEdge;
    if (position.y() < resizeMargin)
        edges |= Qt::TopEdge;
    if (position.y() >= height() - resizeMargin)
        edges |= Qt::BottomEdge;
    return edges;
}

bool FloatingPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != windowHandle())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseMove) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->buttons() != Qt::NoButton)
            return false;
        updateEdgeCursor(edgesAt(mouse->position()), mouse->position());
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const Qt::Edges edges = edgesAt(mouse->position());
        if (mouse->button() == Qt::LeftButton && edges)
            return windowHandle()->startSystemResize(edges);
    }
    return false;
}
