#pragma once

#include <QLabel>

// A one-line label that cuts its text at the tail with "…" when it is too narrow.
// text() keeps the whole text; only the drawing is shortened.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(const QString &text = QString(), QWidget *parent = nullptr);

    // What is drawn at the current width.
    QString visibleText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
