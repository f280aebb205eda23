#include "windows/TitleBandNotice.h"

TitleBandNotice::TitleBandNotice(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void TitleBandNotice::setLasting(const QString &text)
{
    m_lasting = text;
    refresh();
}

void TitleBandNotice::showOnce(const QString &text)
{
    m_once = text;
    refresh();
}

void TitleBandNotice::panelDidHide()
{
    m_once.clear();
    refresh();
}

void TitleBandNotice::refresh()
{
    const bool lasting = !m_lasting.isEmpty();
    const QString text = lasting ? m_lasting : m_once;
    setText(text);
    setStyleSheet(lasting ? QStringLiteral("color: #ff6961; font-size: 11px; font-weight: 600;")
                          : QStringLiteral("color: rgba(255,255,255,170); font-size: 11px;"));
    setVisible(!text.isEmpty());
}
