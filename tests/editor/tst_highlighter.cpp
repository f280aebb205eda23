#include "editor/EditorThemePalette.h"
#include "editor/IcuRegex.h"
#include "editor/PasteInputViewController.h"
#include "editor/SyntaxHighlighter.h"
#include "editor/SyntaxRule.h"
#include "model/AppSettings.h"

#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QtTest>

namespace {

// One letter per role: . none, c comment, s string, k keyword, t tag, a attribute, p property,
// n number, e selector.
const char roleLetters[] = ".csktapne";

// The colouring rules applied literally: every rule of the language, in order, searched over the
// whole text, each match painted over what earlier rules painted. Slow and obviously right; the
// incremental highlighter must agree with it everywhere. Line feeds stay line feeds.
QString referenceLetters(const QString &text, EditorLanguage language)
{
    QString letters(text.size(), u'.');
    for (const SyntaxRule &rule : SyntaxRule::forLanguage(language)) {
        IcuRegex regex = rule.compiled.clone();
        regex.forEachMatch(text, [&](int start, int end) {
            for (int i = start; i < end; ++i)
                letters[i] = QLatin1Char(roleLetters[int(rule.role)]);
            return true;
        });
    }
    for (qsizetype i = text.indexOf(u'\n'); i >= 0; i = text.indexOf(u'\n', i + 1))
        letters[i] = u'\n';
    return letters;
}

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

// The colours on screen in role letters; a character on a fold badge's background is upper
// case, or # when no rule coloured it. Marked text being composed is left out.
QString shownLetters(const QPlainTextEdit &view, const EditorThemePalette &palette)
{
    const SyntaxColors &s = palette.syntax;
    const QList<QColor> colors = {palette.foldBadgeText, s.comment,  s.string, s.keyword, s.tag,
                                  s.attribute,           s.property, s.number, s.selector};
    QStringList lines;
    for (QTextBlock block = view.document()->firstBlock(); block.isValid(); block = block.next()) {
        QString line(block.text().size(), u'.');
        const QTextLayout *layout = block.layout();
        const int marked = int(layout->preeditAreaText().size());
        const int markedAt = layout->preeditAreaPosition();
        for (const QTextLayout::FormatRange &range : layout->formats()) {
            const QTextCharFormat &format = range.format;
            const qsizetype role = format.hasProperty(QTextFormat::ForegroundBrush)
                                       ? colors.indexOf(format.foreground().color())
                                       : 0;
            QChar letter = QLatin1Char(role < 0 ? '?' : roleLetters[role]);
            if (format.hasProperty(QTextFormat::BackgroundBrush) &&
                format.background().color() == palette.foldBadgeBackground)
                letter = letter == u'.' ? u'#' : letter.toUpper();
            for (int i = range.start; i < range.start + range.length; ++i) {
                const int at = marked > 0 && i >= markedAt ? i - marked : i;
                if ((marked == 0 || i < markedAt || at >= markedAt) && at < line.size())
                    line[at] = letter;
            }
        }
        lines.append(line);
    }
    return lines.join(u'\n');
}

const QString badge = QStringLiteral(" …");

int badgeOnLinesEndingInBadge(const QTextBlock &block)
{
    return block.text().endsWith(badge) ? 2 : 0;
}

// What the whole-text rules and the badges at line ends give, in the letters of shownLetters.
QString expectedLetters(const QString &text, EditorLanguage language)
{
    QString letters = referenceLetters(text, language);
    for (qsizetype i = text.indexOf(badge); i >= 0; i = text.indexOf(badge, i + 1)) {
        for (qsizetype j = i; j < i + 2 && (i + 2 == text.size() || text[i + 2] == u'\n'); ++j)
            letters[j] = letters[j] == u'.' ? u'#' : letters[j].toUpper();
    }
    return letters;
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

    EditorThemePalette palette = distinctPalette();
    QPlainTextEdit view;
    SyntaxHighlighter highlighter;
};

// Pieces the random edits are made of: the tricky characters and words of every language.
const QStringList tokens =
    QStringLiteral(
        " |  |\n|\n|\n  \n|\t|a|x1|foo|-|12|1.5|:|;|{|}|,|#|.|=|\"|'|/|*|/*|*/|//|<|>|"
        "!| …|\u2028|\u00a0|\u3000|\f|\v|\u0085|e\u0301|\U0001F600|\u200d|\u0661|`|"
        "for|let|in|return|px|%|.btn|#id|color|a {|: red|<!--|-->|<div|</div>| class=|--")
        .split(u'|');

QString randomSnippet(QRandomGenerator &random, int maxTokens)
{
    QString snippet;
    const int count = 1 + int(random.bounded(maxTokens));
    for (int i = 0; i < count; ++i)
        snippet += tokens[random.bounded(int(tokens.size()))];
    return snippet;
}

// One random edit: typing, deleting, replacing, pasting many lines, or undo/redo.
void randomEdit(QPlainTextEdit &view, QRandomGenerator &random)
{
    QTextDocument *doc = view.document();
    const int length = doc->characterCount() - 1;
    QTextCursor cursor(doc);
    const int at = int(random.bounded(length + 1));
    cursor.setPosition(at);
    const auto select = [&](int most) {
        cursor.setPosition(std::min(length, at + 1 + int(random.bounded(most))),
                           QTextCursor::KeepAnchor);
    };
    const int kind = int(random.bounded(10));
    if (kind < 3) {
        cursor.insertText(tokens[random.bounded(int(tokens.size()))]);
    } else if (kind < 5 || kind == 9) {
        select(kind == 9 ? 200 : 8);
        cursor.removeSelectedText();
    } else if (kind == 5) {
        select(30);
        cursor.insertText(randomSnippet(random, 6));
    } else if (kind == 6) {
        cursor.insertText(randomSnippet(random, 40));
    } else if (kind == 7) {
        doc->undo();
    } else {
        doc->redo();
    }
}

// Sends what an input method sends: text to commit, then the text still being composed.
void sendInputMethod(QPlainTextEdit &view, const QString &marked, const QString &commit = QString())
{
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    QInputMethodEvent event(marked,
                            {{QInputMethodEvent::TextFormat, 0, int(marked.size()), underline}});
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
        const auto row = [](EditorLanguage language, const char *name, const char *text,
                            const char *letters) {
            QTest::addRow("%s: %s", qPrintable(rawValue(language)), name)
                << language << QString::fromUtf8(text) << QString(letters);
        };
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
        row(js, "comment markers inside a string", "\"/* no */\" x = \"a//b\"",
            "ssssssssss.....ssssss");
        row(js, "line comment stops at a line separator", "a // b\u2028if", "..cccc.kk");
        row(css, "property and value", "  color: red;", "..pppppsssss.");
        row(css, "numbers with units", "10px 1.5em 50%;", "nnnn.nnnnn.nn..");
        row(css, "selector covers the blank line before it", "x;\n  \n  .a {}", "..\nee\neeee...");
        row(css, "value on the next line", "color:\n  red;", "ppppps\nsssss.");
        row(html, "tag, attribute and value", "<div class=\"a\">", "ttttaaaaaa.sss.");
        row(html, "comment across lines", "<!-- a\n\"b\" -->", "cccccc\nssscccc");
        row(html, "unclosed comment", "<!-- x <b>", ".......tt.");
        row(html, "string across lines", "<p title='a\nb'>", "ttaaaaaa.ss\nss.");
    }

    void colours()
    {
        QFETCH(EditorLanguage, language);
        QFETCH(QString, text);
        QFETCH(QString, letters);
        QCOMPARE(referenceLetters(text, language), letters);
        Editor editor(language, text);
        QCOMPARE(editor.shown(), letters);
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

    // Several edits may come between two recolourings (while an input method composes, for one).
    void followsEditsLikeTheWholeText()
    {
        QFETCH(EditorLanguage, language);
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        Editor editor(language);
        editor.highlighter.setFoldBadgeProbe(badgeOnLinesEndingInBadge);
        editor.view.setPlainText(randomSnippet(random, 120));
        editor.highlighter.restyle();
        for (int step = 0; step < 250; ++step) {
            for (int edits = random.bounded(4) == 0 ? 3 : 1; edits > 0; --edits)
                randomEdit(editor.view, random);
            editor.highlighter.restyle();
            const QString text =
                editor.view.document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
            const QString expected = expectedLetters(text, language);
            if (editor.shown() != expected)
                qWarning().noquote() << "step" << step << "text:" << text;
            QCOMPARE(editor.shown(), expected);
        }
    }

    // A closer typed at the end of a long text turns the unclosed opener at its top into a match.
    void editFarBelowRecoloursFarAbove_data()
    {
        QTest::addColumn<EditorLanguage>("language");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("typed");
        QTest::newRow("closing quote") << EditorLanguage::javascript << "a = `x" << QString("`");
        QTest::newRow("closing comment") << EditorLanguage::css << "/* x" << QString("*/");
        QTest::newRow("closing html comment") << EditorLanguage::html << "<!-- x" << QString("-->");
    }

    void editFarBelowRecoloursFarAbove()
    {
        QFETCH(EditorLanguage, language);
        QFETCH(QString, top);
        QFETCH(QString, typed);
        const QString text = top + QStringLiteral("\nline").repeated(300);
        Editor editor(language, text);
        const QString uncoloured = editor.shown();
        editor.view.moveCursor(QTextCursor::End);
        editor.view.insertPlainText(typed);
        editor.highlighter.restyle();
        QCOMPARE(editor.shown(), expectedLetters(text + typed, language));
        QVERIFY(editor.shown().left(top.size()) != uncoloured.left(top.size()));
        editor.view.undo();
        editor.highlighter.restyle();
        QCOMPARE(editor.shown(), uncoloured);
    }

    // Marked text keeps its underline and the line its colours; recolouring waits for the
    // composition to end, committed or cancelled.
    void compositionDefersRecolouringUntilItEnds()
    {
        Editor editor(EditorLanguage::javascript, QStringLiteral("x = 1;"));
        // The editor recolours after each change unless a composition is in progress.
        QObject::connect(&editor.view, &QPlainTextEdit::textChanged, &editor.view, [&] {
            if (!editor.highlighter.isComposing())
                editor.highlighter.restyle();
        });
        editor.view.moveCursor(QTextCursor::Start);
        sendInputMethod(editor.view, QStringLiteral("も"));
        const QTextLayout *layout = editor.view.document()->firstBlock().layout();
        const QList<QTextLayout::FormatRange> formats = layout->formats();
        QVERIFY(std::any_of(formats.cbegin(), formats.cend(), [](const auto &range) {
            return range.start == 0 && range.length == 1 && range.format.fontUnderline();
        }));
        QCOMPARE(editor.shown(), QStringLiteral("....n."));
        // An input method that commits part of its text and goes on composing.
        sendInputMethod(editor.view, QStringLiteral("じ"), QStringLiteral("for "));
        editor.highlighter.restyle(); // deferred
        QCOMPARE(layout->preeditAreaText(), QStringLiteral("じ"));
        QCOMPARE(editor.shown(), QStringLiteral(".........."));
        sendInputMethod(editor.view, QString()); // cancelled: the deferred recolouring runs now
        QVERIFY(!editor.highlighter.isComposing());
        QCOMPARE(editor.view.toPlainText(), QStringLiteral("for x = 1;"));
        QCOMPARE(editor.shown(), QStringLiteral("kkk.....n."));
    }

    // The real editor colours its text in the theme's colours, a folded line's badge in the badge
    // colours until it is unfolded, and follows a change of theme or language.
    void editorColoursEditsFoldsAndSettings()
    {
        AppSettings::editorLanguage.set(EditorLanguage::javascript);
        AppSettings::editorTheme.set(EditorThemeKind::sublime);
        PasteInputViewController editor;
        editor.show();
        editor.loadText(QStringLiteral("if (a) {\n    return 1;\n}"));
        editor.textView()->moveCursor(QTextCursor::End);
        QTest::keyClick(editor.textView(), Qt::Key_Space);
        const auto shown = [&](EditorThemeKind theme) {
            return shownLetters(*editor.textView(), EditorThemePalette::forKind(theme));
        };
        const QString open = QStringLiteral("kk......\n....kkkkkk.n.\n..");
        QCOMPARE(shown(EditorThemeKind::sublime), open);
        editor.foldLine(0);
        QCOMPARE(shown(EditorThemeKind::sublime), QStringLiteral("kk......##\n.."));
        AppSettings::editorTheme.set(EditorThemeKind::dracula);
        QCOMPARE(shown(EditorThemeKind::dracula), QStringLiteral("kk......##\n.."));
        editor.unfoldLine(0);
        QCOMPARE(shown(EditorThemeKind::dracula), open);
        AppSettings::editorLanguage.set(EditorLanguage::plain);
        QCOMPARE(shown(EditorThemeKind::dracula), QStringLiteral("........\n.............\n.."));
    }
};

QTEST_MAIN(TestHighlighter)
#include "tst_highlighter.moc"
