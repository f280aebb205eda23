#pragma once

#include "editor/EditorThemePalette.h"

#include <QLineF>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

// Thin dashed vertical lines through the indentation of every indented line, one per level.
// The guides are drawn in the text view's own paint pass, right after its text: they repaint
// exactly where the text repaints and scroll with it, so asking this view for a redraw costs
// nothing. The view itself stays hidden and takes no input.
class PasteInputIndentGuideView : public QWidget
{
    Q_OBJECT

public:
    explicit PasteInputIndentGuideView(QWidget *parent = nullptr);

    void setTextView(QPlainTextEdit *textView);
    QPlainTextEdit *textView() const { return m_textView; }

    void setPalette(const EditorThemePalette &palette);
    const EditorThemePalette &palette() const { return m_palette; }

    // The guide segments of the lines that meet area, in the text view's viewport coordinates.
    QList<QLineF> guideSegments(const QRectF &area) const;
    QList<QLineF> guideSegments() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void paintTextAndGuides(QPaintEvent *event);

    QPointer<QPlainTextEdit> m_textView;
    EditorThemePalette m_palette;
};
