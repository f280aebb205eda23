#pragma once

#include <QWidget>

class QGraphicsOpacityEffect;
class QLabel;
class ZorvLogoView;

// The faint watermark in the panel's bottom-right corner: the rabbit and "ZORV". It never takes
// a click, so the card list under it stays usable. Its drawn opacity is alpha(); setting
// watermarkAlpha alone changes nothing on screen.
class ZorvBrandMarkView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int logoSide = 28;
    static constexpr int titleSpacing = 6;

    explicit ZorvBrandMarkView(QWidget *parent = nullptr);

    double watermarkAlpha = 0.22;

    double alpha() const;
    void setAlpha(double alpha);
    ZorvLogoView *logoView() const { return m_logoView; }
    QLabel *titleLabel() const { return m_titleLabel; }

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutSubviews();

    ZorvLogoView *m_logoView;
    QLabel *m_titleLabel;
    QGraphicsOpacityEffect *m_opacity;
};
