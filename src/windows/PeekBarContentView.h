#pragma once

#include <QColor>
#include <QFont>
#include <QSizeF>
#include <QWidget>
#include <functional>

// The pill of the collapsed panel: "ZORV" glowing in the accent colour on a near-black fill.
class PeekBarContentView : public QWidget
{
    Q_OBJECT

public:
    static constexpr double barHeight = 30;
    static constexpr double horizontalPadding = 16;

    explicit PeekBarContentView(QWidget *parent = nullptr);

    void setAccentColor(const QColor &color);
    QColor accentColor() const { return m_accentColor; }

    // width = ceil(text width + 2 x 16), height = 30.
    static QSizeF barSize();
    static QFont barFont();

    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QColor m_accentColor;
};
