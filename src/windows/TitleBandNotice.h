#pragma once

#include <QLabel>

// One short line of text in the panel's title band, right of the menu button: a lasting notice
// in red, shown for as long as its cause holds (a save that keeps failing), or a one-time
// notice in the band's own colour, shown until the panel next hides. A lasting notice comes
// first; the one-time notice shows again once it is gone, if the panel has not hidden since.
class TitleBandNotice : public QLabel
{
    Q_OBJECT

public:
    explicit TitleBandNotice(QWidget *parent);

    // An empty text ends the lasting notice.
    void setLasting(const QString &text);
    void showOnce(const QString &text);
    // The panel hid: the one-time notice has been seen.
    void panelDidHide();

    QString lastingText() const { return m_lasting; }

private:
    void refresh();

    QString m_lasting;
    QString m_once;
};
