// Tests of the syntax colouring: each language's tricky cases, fold badges, input-method
// composition, and the incremental colouring against a whole-text pass after random edits.
#include "ReferenceColouring.h"

#include "editor/EditorThemePalette.h"
#include "editor/PasteInputViewController.h"
#include "editor/SyntaxHighlighter.h"
#include "model/AppSettings.h"

#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

namespace {

// A palette whose syntax colours are all different, so colours read back as roles.
EditorThemePalette distinctPalette(int shade = 0)
{
    EditorThemePalette palette = EditorThemePalette::forKind(EditorThemeKind::light);
    palette.syntax = {QColor(1, shade, 1), QColor(2, shade, 2), QColor(3, shade, 3),
                      QColor(4, shade, 4), QColor(5, shade, 5), QColor(6, shade, 6),
                      QColor(7, shade, 7), QColor(8, shade, 8)};
    palette.foldBadgeBackground = QColor(200, 200, shade);
    palette.foldBadgeText = QColor(9, shade, 9);
    return palette;
}

QList<QColor> roleColors(const EditorThemePalette &palette)
{
    const SyntaxColors &s = palette.syntax;
    return {QColor(),    s.comment,  s.string, s.keyword, s.tag,
            s.attribute, s.property, s.number, s.selector};
}

// The colours on screen, one letter per character (see roleLetters); a character on a fold
// badge's background is upper case, or # when no rule coloured it.
QString shownLetters(const QPlainTextEdit &view, const EditorThemePalette &palette)
{
    static const char letters[] = ".csktapne";
    const QList<QColor> colors = roleColors(palette);
    QStringList lines;
    for (QTextBlock block = view.document()->firstBlock(); block.isValid(); block = block.next()) {
        QString line(block.text().size(), QLatin1Char('.'));
        const QTextLayout *layout = block.layout();
        const int marked = layout->preeditAreaText().size();
        for (const QTextLayout::FormatRange &range : layout->formats()) {
            for (int i = range.start; i < range.start + range.length; ++i) {
                int at = i;
                if (marked > 0 && i >= layout->preeditAreaPosition()) {
                    at = i - marked;
                    if (i < layout->preeditAreaPosition() + marked)
                        continue; // the marked text itself
                }
                const bool badge =
                    range.format.background().color() == palette.foldBadgeBackground &&
                    range.format.hasProperty(QTextFormat::BackgroundBrush);
                const QColor fg = range.format.foreground().color();
                int role = range.format.hasProperty(QTextFormat::ForegroundBrush)
                               ? int(colors.indexOf(fg))
                               : 0;
                if (badge && fg == palette.foldBadgeText)
                    role = 0;
                QChar letter = role < 0 ? QLatin1Char('?') : QLatin1Char(letters[role]);
                if (badge)
                    letter = role == 0 ? QLatin1Char('#') : letter.toUpper();
                if (at < line.size())
                    line[at] = letter;
            }
        }
        lines.append(line);
    }
    return lines.join(QLatin1Char('\n'));
}

QString documentLines(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines.join(QLatin1Char('\n'));
}

const QString badge = QStringLiteral(" …");

int badgeOnLinesEndingInBadge(const QTextBlock &block)
{
    return block.text().endsWith(badge) ? 2 : 0;
}

// What the whole-text rules and the badges give, in the letters of shownLetters.
QString expectedLetters(const QString &text, EditorLanguage language, bool badges)
{
    QString letters = roleLetters(text, referenceRoles(text, language));
    if (!badges)
        return letters;
    qsizetype lineStart = 0;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(badge)) {
            for (qsizetype i = lineStart + line.size() - 2; i < lineStart + line.size(); ++i)
                letters[i] =
                    letters[i] == QLatin1Char('.') ? QLatin1Char('#') : letters[i].toUpper();
        }
        lineStart += line.size() + 1;
    }
    return letters;
}

// A data row of the language, the text and the letters its colours read as.
void colourRow(EditorLanguage language, const char *name, const char *text, const char *letters)
{
    QTest::addRow("%s: %s", qPrintable(rawValue(language)), name)
        << language << QString::fromUtf8(text) << QString(letters);
}

struct Editor
{
    explicit Editor(EditorLanguage language, const QString &text = QString())
        : highlighter(&view)
    {
        highlighter.setLanguage(language);
        highlighter.setColors(palette);
        view.setPlainText(text);
        highlighter.restyle();
    }
    QString shown() const { return shownLetters(view, palette); }
    void placeCaret(int at)
    {
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(at);
        view.setTextCursor(cursor);
    }

    EditorThemePalette palette = distinctPalette();
    QPlainTextEdit view;
    SyntaxHighlighter highlighter;
};

// Pieces the random edits are made of, separated by "|": the tricky characters of every
// language, then the language's own.
QStringList tokensFor(EditorLanguage language)
{
    QString tokens =
        QStringLiteral(" |  |\n|\n|\n  \n|\t|a|x1|foo|-|12|1.5|:|;|{|}|,|#|.|=|\"|'|/|*|"
                       "/*|*/|//|<|>|!| …|\u2028|\u00a0|\u3000|\f|\v|\u0085|e\u0301|"
                       "\U0001F600|\u200d|\u0661");
    if (language == EditorLanguage::javascript)
        tokens += QStringLiteral("|`|for|let|in|return");
    else if (language == EditorLanguage::css)
        tokens += QStringLiteral("|px|%|.btn|#id|color|a {|: red");
    else if (language == EditorLanguage::html)
        tokens += QStringLiteral("|<!--|-->|<div|</div>| class=|--");
    return tokens.split(QLatin1Char('|'));
}

QString randomSnippet(QRandomGenerator &random, const QStringList &tokens, int maxTokens)
{
    QString snippet;
    const int count = 1 + int(random.bounded(maxTokens));
    for (int i = 0; i < count; ++i)
        snippet += tokens[random.bounded(int(tokens.size()))];
    return snippet;
}

// One random edit: typing, deleting, replacing, pasting many lines, or undo/redo.
void randomEdit(QPlainTextEdit &view, QRandomGenerator &random, const QStringList &tokens)
{
    QTextDocument *doc = view.document();
    const int length = doc->characterCount() - 1;
    QTextCursor cursor(doc);
    const int at = int(random.bounded(length + 1));
    cursor.setPosition(at);
    switch (random.bounded(10)) {
    case 0:
    case 1:
    case 2:
        cursor.insertText(tokens[random.bounded(int(tokens.size()))]);
        break;
    case 3:
    case 4:
        cursor.setPosition(std::min(length, at + 1 + int(random.bounded(8))),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        break;
    case 5:
        cursor.setPosition(std::min(length, at + int(random.bounded(30))), QTextCursor::KeepAnchor);
        cursor.insertText(randomSnippet(random, tokens, 6));
        break;
    case 6:
        cursor.insertText(randomSnippet(random, tokens, 40));
        break;
    case 7:
        doc->undo();
        break;
    case 8:
        doc->redo();
        break;
    default:
        cursor.setPosition(std::min(length, at + int(random.bounded(200))),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        break;
    }
}

// Sends what an input method sends: text to commit, then the text still being composed.
void sendInputMethod(QPlainTextEdit &view, const QString &marked, const QString &commit = QString())
{
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    QList<QInputMethodEvent::Attribute> attributes;
    if (!marked.isEmpty()) {
        attributes = {{QInputMethodEvent::TextFormat, 0, int(marked.size()), underline},
                      {QInputMethodEvent::Cursor, int(marked.size()), 1, QVariant()}};
    }
    QInputMethodEvent event(marked, attributes);
    event.setCommitString(commit);
    QCoreApplication::sendEvent(&view, &event);
}

} // namespace

class TestHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void colours_data()
    {
        QTest::addColumn<EditorLanguage>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("letters");
        const auto row = colourRow;
        const auto js = EditorLanguage::javascript;
        const auto css = EditorLanguage::css;
        const auto html = EditorLanguage::html;
        row(EditorLanguage::plain, "uncoloured", "let x = \"for\"; // 1", "...................");
        row(js, "keyword inside a string", "let s = \"for\";", "kkk.....skkks.");
        row(js, "number and keyword in comments", "// 42 x\n/* if */", "cccnncc\nccckkccc");
        row(js, "decimal is one number, none in an identifier", "12.5 x1 3", "nnnn....n");
        row(js, "block comment across lines", "a /* \"x\"\n return */ b", "..cccsss\nckkkkkkccc..");
        row(js, "template literal across lines", "`a\nb` 'c'", "ss\nss.sss");
        row(js, "unclosed quote starts no string", "\"abc 'd'", ".....sss");
        row(js, "unclosed block comment is no comment", "/* open\nlet x", ".......\nkkk..");
        row(js, "comment markers inside a string", "\"/* no */\" x = \"a//b\"",
            "ssssssssss.....ssssss");
        row(js, "regex-like text with quotes", "x = /\"a/; y = \"b\"", ".....ssssssssss..");
        row(js, "line comment stops at a line separator", "a // b\u2028if", "..cccc.kk");
        row(css, "class selector before a comma", ".btn, a {", "eeee.....");
        row(css, "property and value", "  color: red;", "..pppppsssss.");
        row(css, "numbers with units", "10px 1.5em 50%;", "nnnn.nnnnn.nn..");
        row(css, "selectors on two lines", "a,\nb {\n}", "e.\ne..\n.");
        row(css, "selector covers the blank line before it", "x;\n  \n  .a {}", "..\nee\neeee...");
        row(css, "value on the next line", "color:\n  red;", "ppppps\nsssss.");
        row(css, "colon on the next line", "color\n: red", "ppppp\nsssss");
        row(css, "at-rule", "@media (max-width: 600px) {", "........pppppppppssnnnnn...");
        row(css, "comment inside a string", "content: \"/* x */\";", "ppppppp..sssssssss.");
        row(html, "tag, attribute and value", "<div class=\"a\">", "ttttaaaaaa.sss.");
        row(html, "closing tag", "</div>", "ttttt.");
        row(html, "comment across lines", "<!-- a\n\"b\" -->", "cccccc\nssscccc");
        row(html, "attribute at the start of a line", "<a\nhref=\"x\">", "tt\naaaa.sss.");
        row(html, "unclosed comment", "<!-- x <b>", ".......tt.");
        row(html, "apostrophe opens no string", "it's <i>ok</i>", ".....tt...ttt.");
        row(html, "string across lines", "<p title='a\nb'>", "ttaaaaaa.ss\nss.");
    }

    void colours()
    {
        QFETCH(EditorLanguage, language);
        QFETCH(QString, text);
        QFETCH(QString, letters);
        QCOMPARE(roleLetters(text, referenceRoles(text, language)), letters);
        Editor editor(language, text);
        QCOMPARE(editor.shown(), letters);
    }

    void foldBadges_data()
    {
        QTest::addColumn<EditorLanguage>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("letters");
        colourRow(EditorLanguage::plain, "badge", "a …\n    b …", ".##\n.......");
        colourRow(EditorLanguage::javascript, "badge after code", "if (a) { …\nb", "kk......##\n.");
        colourRow(EditorLanguage::javascript, "comment over the badge", "// x …", "ccccCC");
    }

    void foldBadges()
    {
        QFETCH(EditorLanguage, language);
        QFETCH(QString, text);
        Editor editor(language);
        // Only the first line counts as folded here: a badge elsewhere is ordinary text.
        editor.highlighter.setFoldBadgeProbe([](const QTextBlock &block) {
            return block.blockNumber() == 0 ? badgeOnLinesEndingInBadge(block) : 0;
        });
        editor.view.setPlainText(text);
        editor.highlighter.restyle();
        QTEST(editor.shown(), "letters");
    }

    void followsEditsLikeTheWholeText_data()
    {
        QTest::addColumn<EditorLanguage>("language");
        QTest::addColumn<quint32>("seed");
        for (EditorLanguage language : allCases<EditorLanguage>()) {
            for (quint32 seed = 1; seed <= 6; ++seed)
                QTest::addRow("%s seed %u", qPrintable(rawValue(language)), seed)
                    << language << seed;
        }
    }

    void followsEditsLikeTheWholeText()
    {
        QFETCH(EditorLanguage, language);
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        const QStringList tokens = tokensFor(language);
        Editor editor(language);
        editor.highlighter.setFoldBadgeProbe(badgeOnLinesEndingInBadge);
        editor.view.setPlainText(randomSnippet(random, tokens, 120));
        editor.highlighter.restyle();
        for (int step = 0; step < 250; ++step) {
            const QString before = documentLines(*editor.view.document());
            randomEdit(editor.view, random, tokens);
            editor.highlighter.restyle();
            const QString text = documentLines(*editor.view.document());
            const QString shown = editor.shown();
            const QString expected = expectedLetters(text, language, true);
            if (shown != expected) {
                qWarning().noquote() << "step" << step << "before:" << before << "\nafter:" << text;
                QCOMPARE(shown, expected);
            }
        }
    }

    void editFarBelowRecoloursFarAbove_data()
    {
        QTest::addColumn<EditorLanguage>("language");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("typed");
        QTest::newRow("closing quote") << EditorLanguage::javascript << "a = `x" << QString("`");
        QTest::newRow("closing comment") << EditorLanguage::css << "/* x" << QString("*/");
        QTest::newRow("closing html comment") << EditorLanguage::html << "<!-- x" << QString("-->");
    }

    // A closer typed at the end of a long text turns the unclosed opener at its top into a match.
    void editFarBelowRecoloursFarAbove()
    {
        QFETCH(EditorLanguage, language);
        QFETCH(QString, top);
        QFETCH(QString, typed);
        QString text = top;
        for (int i = 0; i < 300; ++i)
            text += QStringLiteral("\nline %1").arg(i);
        Editor editor(language, text);
        const QString uncoloured = editor.shown();
        QCOMPARE(uncoloured, expectedLetters(text, language, false));
        QTextCursor cursor(editor.view.document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(typed);
        editor.highlighter.restyle();
        QCOMPARE(editor.shown(), expectedLetters(text + typed, language, false));
        QVERIFY(editor.shown() != uncoloured);
        cursor.deletePreviousChar();
        editor.highlighter.restyle();
        QCOMPARE(editor.shown(),
                 expectedLetters(documentLines(*editor.view.document()), language, false));
    }

    void compositionKeepsMarkedTextAndColours()
    {
        Editor editor(EditorLanguage::javascript, QStringLiteral("let a = 1;"));
        editor.placeCaret(4);
        sendInputMethod(editor.view, QStringLiteral("かな"));
        QVERIFY(editor.highlighter.isComposing());
        const QTextLayout *layout = editor.view.document()->firstBlock().layout();
        QCOMPARE(layout->preeditAreaText(), QStringLiteral("かな"));
        // The input method's underline is still on the marked text...
        bool underlined = false;
        for (const QTextLayout::FormatRange &range : layout->formats())
            underlined = underlined ||
                         (range.start == 4 && range.length == 2 && range.format.fontUnderline());
        QVERIFY(underlined);
        // ...and the line keeps its colours around it, and after a cancelled composition.
        QCOMPARE(editor.shown(), QStringLiteral("kkk.....n."));
        sendInputMethod(editor.view, QString());
        QVERIFY(!editor.highlighter.isComposing());
        QCOMPARE(editor.view.toPlainText(), QStringLiteral("let a = 1;"));
        QCOMPARE(editor.shown(), QStringLiteral("kkk.....n."));
    }

    void compositionDefersRecolouringUntilItEnds()
    {
        Editor editor(EditorLanguage::javascript, QStringLiteral("x = 1;"));
        // The editor recolours after each change unless a composition is in progress.
        QObject::connect(&editor.view, &QPlainTextEdit::textChanged, &editor.view, [&] {
            if (!editor.highlighter.isComposing())
                editor.highlighter.restyle();
        });
        editor.placeCaret(0);
        sendInputMethod(editor.view, QStringLiteral("も"));
        // An input method that commits part of its text and goes on composing.
        sendInputMethod(editor.view, QStringLiteral("じ"), QStringLiteral("for "));
        QVERIFY(editor.highlighter.isComposing());
        editor.highlighter.restyle(); // deferred
        QCOMPARE(editor.view.document()->firstBlock().layout()->preeditAreaText(),
                 QStringLiteral("じ"));
        QCOMPARE(editor.shown(), QStringLiteral(".........."));
        sendInputMethod(editor.view, QString(), QStringLiteral("字"));
        QVERIFY(!editor.highlighter.isComposing());
        QCOMPARE(editor.view.toPlainText(), QStringLiteral("for 字x = 1;"));
        QCOMPARE(editor.shown(), QStringLiteral("kkk......n."));
    }

    void themeAndLanguageChangesApplyAtRestyle()
    {
        Editor editor(EditorLanguage::javascript, QStringLiteral("a {\n  color: red; // 1\n}"));
        QCOMPARE(editor.shown(), QStringLiteral("...\n..............cccn\n."));
        editor.highlighter.setLanguage(EditorLanguage::css);
        editor.palette = distinctPalette(40);
        editor.highlighter.setColors(editor.palette);
        QCOMPARE(editor.shown(), QStringLiteral("...\n..............????\n.")); // not yet
        editor.highlighter.restyle();
        QCOMPARE(editor.shown(), QStringLiteral("e..\n..pppppsssss..cccn\n."));
        editor.highlighter.setLanguage(EditorLanguage::plain);
        editor.highlighter.restyle();
        QCOMPARE(editor.shown(), QStringLiteral("...\n..................\n."));
    }

    // The real editor: loading does not colour, the next edit does, and a folded line's badge
    // takes the badge colours.
    void editorColoursAfterEditsAndFolds()
    {
        AppSettings::editorLanguage.set(EditorLanguage::javascript);
        AppSettings::editorTheme.set(EditorThemeKind::sublime);
        const EditorThemePalette &palette = EditorThemePalette::forKind(EditorThemeKind::sublime);
        PasteInputViewController editor;
        editor.resize(480, 320);
        editor.show();
        editor.loadText(QStringLiteral("if (a) {\n    return 1;\n}"));
        const auto colourAt = [&](int line, int column) {
            const QTextBlock block = editor.textView()->document()->findBlockByNumber(line);
            for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
                if (column >= range.start && column < range.start + range.length)
                    return std::pair(range.format.foreground().color(),
                                     range.format.background().color());
            }
            return std::pair(QColor(), QColor());
        };
        QCOMPARE(colourAt(1, 4).first, QColor());
        QTextCursor cursor(editor.textView()->document());
        cursor.movePosition(QTextCursor::End);
        editor.textView()->setTextCursor(cursor);
        QTest::keyClick(editor.textView(), Qt::Key_Space);
        QCOMPARE(colourAt(0, 0).first, palette.syntax.keyword);
        QCOMPARE(colourAt(1, 4).first, palette.syntax.keyword);
        QCOMPARE(colourAt(1, 11).first, palette.syntax.number);
        editor.foldLine(0);
        QCOMPARE(editor.textView()->document()->firstBlock().text(), QStringLiteral("if (a) { …"));
        QCOMPARE(colourAt(0, 9), std::pair(palette.foldBadgeText, palette.foldBadgeBackground));
        QCOMPARE(colourAt(0, 0).first, palette.syntax.keyword);
        editor.unfoldLine(0);
        QCOMPARE(colourAt(0, 7), std::pair(QColor(), QColor()));
        QCOMPARE(colourAt(1, 4).first, palette.syntax.keyword);
    }
};

QTEST_MAIN(TestHighlighter)
#include "tst_highlighter.moc"
