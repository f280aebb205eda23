#pragma once

#include <QPixmap>
#include <QWidget>

// The rabbit artwork, or a null pixmap when neither the built-in resource nor the copy beside
// the executable can be read.
QPixmap logoImage();

// The rabbit, scaled to fit its rectangle with its aspect ratio kept. Its drawn opacity is
// alpha(); watermarkAlpha only records the strength the owner chose.
class ZorvLogoView : public QWidget
{
    Q_OBJECT

public:
    explicit ZorvLogoView(QWidget *parent = nullptr);

    double watermarkAlpha = 0.22;

    double alpha() const { return m_alpha; }
    void setAlpha(double alpha);
    const QPixmap &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_image;
    double m_alpha;
};
