#pragma once

#include "editor/EditorThemePalette.h"

#include <QLineF>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

// Thin dashed vertical lines through the indentation of every indented line, one per level.
// A transparent overlay on the text view's viewport that takes no input and paints only the
// lines in the area being repainted.
class PasteInputIndentGuideView : public QWidget
{
    Q_OBJECT

public:
    explicit PasteInputIndentGuideView(QWidget *parent = nullptr);

    // Puts the view over the text view's viewport and keeps it there.
    void setTextView(QPlainTextEdit *textView);
    QPlainTextEdit *textView() const { return m_textView; }

    void setPalette(const EditorThemePalette &palette);
    const EditorThemePalette &palette() const { return m_palette; }

    // The guide segments of the lines that meet area, in this view's coordinates.
    QList<QLineF> guideSegments(const QRectF &area) const;
    QList<QLineF> guideSegments() const { return guideSegments(QRectF(rect())); }

    // Indentation level of a line: spaces count 1, tabs 4, the sum divided by 4 and rounded down.
    static int indentLevel(const QString &line);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void followViewport();
    bool isAboveViewport() const;

    QPointer<QPlainTextEdit> m_textView;
    EditorThemePalette m_palette;
};
