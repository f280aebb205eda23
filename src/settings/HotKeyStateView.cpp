#include "settings/HotKeyStateView.h"

#include "hotkey/HotKeyStateText.h"
#include "views/ViewLook.h"

#include <QLabel>
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
    setStatus(HotKeyStatus{HotKeyState::pending, {}, {}});
}

void HotKeyStateView::setStatus(const HotKeyStatus &status)
{
    m_stateLabel->setText(hotKeyStateText(status));
    QPalette palette = m_stateLabel->palette();
    palette.setColor(QPalette::WindowText, stateColor(status.state));
    m_stateLabel->setPalette(palette);
}
