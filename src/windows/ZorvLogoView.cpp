#include "windows/ZorvLogoView.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>

// The resources live in the static core library; a program that links it may never name them.
// (Q_INIT_RESOURCE must not be used inside a namespace.)
static void registerResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

QPixmap logoImage()
{
    registerResources();
    QPixmap image(QStringLiteral(":/images/ZorvRabbit.png"));
    if (!image.isNull())
        return image;
    // A build without the compiled-in resources still finds the artwork next to the program.
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ZorvRabbit.png"));
    image.load(beside);
    return image;
}

ZorvLogoView::ZorvLogoView(QWidget *parent)
    : QWidget(parent)
    , m_image(logoImage())
    , m_alpha(watermarkAlpha)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void ZorvLogoView::setAlpha(double alpha)
{
    if (alpha == m_alpha)
        return;
    m_alpha = alpha;
    update();
}

void ZorvLogoView::paintEvent(QPaintEvent *)
{
    if (m_image.isNull() || width() <= 0 || height() <= 0)
        return;
    QSizeF drawn = QSizeF(m_image.size()).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - drawn.width()) / 2, (height() - drawn.height()) / 2),
                        drawn);
    QPainter painter(this);
    painter.setOpacity(m_alpha);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, m_image, QRectF(m_image.rect()));
}
