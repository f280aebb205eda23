#pragma once

#include "editor/PasteInputGutterView.h"
#include "editor/PasteInputIndentGuideView.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <memory>

// A text view with the gutter on its left and the guides over it, laid out as in the editor,
// with a fixed font so that rows and widths are the same on every machine.
struct EditorViewFixture
{
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    PasteInputGutterView *gutter = new PasteInputGutterView;
    QPlainTextEdit *text = new QPlainTextEdit;
    PasteInputIndentGuideView *guides = new PasteInputIndentGuideView(text->viewport());

    explicit EditorViewFixture(const QString &content)
    {
        auto *layout = new QHBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(gutter);
        layout->addWidget(text);
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setPixelSize(14);
        text->setFont(font);
        text->setFrameShape(QFrame::NoFrame);
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setPlainText(content);
        gutter->setTextView(text);
        guides->setTextView(text);
        window->resize(320, 240);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    std::optional<PasteInputGutterView::Row> row(int line) const
    {
        for (const PasteInputGutterView::Row &row : gutter->visibleRows())
            if (row.line == line)
                return row;
        return std::nullopt;
    }
};
