#include "editor/EditorFonts.h"
#include "editor/EditorThemePalette.h"
#include "editor/PeekBarAccentColor.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

// The theme table as the design gives it, one row per role; "white"/"black" are the platform
// colours, "a" an alpha. Parsed rather than restated, so a typo in either place shows up.
static const char *const themeTable[] = {
    "editorBackground|white|39,40,34|40,42,54|39,40,34|40,44,52|0,43,54|250,248,245",
    "editorText|20,20,20|248,248,242|248,248,242|248,248,242|171,178,191|131,148,150|44,44,44",
    "gutterBackground|240,240,240|33,34,32|33,34,44|30,31,28|33,37,43|7,54,66|240,236,230",
    "lineNumber|138,138,138|117,113,94|98,114,164|144,144,138|92,99,112|88,110,117|154,148,140",
    "lineNumberActive|51,51,51|248,248,242|248,248,242|248,248,242|215,218,224|147,161,161|61,61,"
    "61",
    "lineNumberActiveBackground|226,226,226|57,56,50|52,55,70|59,58,50|44,49,58|10,57,66|230,224,"
    "216",
    "foldArrow|85,85,85|166,166,142|189,147,249|166,226,46|97,175,239|42,161,152|107,101,92",
    "indentGuide|204,204,204|74,73,68 a 0.85|68,71,90|70,69,65|62,68,81|14,75,87|216,210,202",
    "caret|26,115,232|250,168,41|255,121,198|248,248,240|82,139,255|181,137,0|196,92,38",
    "foldBadgeBackground|255,235,153|252,229,102|255,184,108|230,219,116|229,192,123|181,137,0|"
    "245,215,110",
    "foldBadgeText|51,51,51|30,30,28|40,42,54|39,40,34|40,44,52|0,43,54|61,61,61",
    "containerBackground|white|39,40,34|40,42,54|39,40,34|40,44,52|0,43,54|250,248,245",
    "containerBorder|black a 0.12|white a 0.08|white a 0.1|white a 0.08|white a 0.08|white a "
    "0.1|black a 0.1",
    "counterText|136,136,136|138,135,120|98,114,164|117,113,94|92,99,112|88,110,117|154,148,140",
    "comment|107,107,107|117,113,94|98,114,164|117,113,94|92,99,112|88,110,117|154,148,140",
    "string|196,26,22|230,219,116|241,250,140|230,219,116|152,195,121|42,161,152|143,90,43",
    "keyword|31,79,168|249,38,114|255,121,198|249,38,114|198,120,221|133,153,0|47,84,150",
    "tag|154,31,122|249,38,114|255,121,198|249,38,114|224,108,117|38,139,210|139,58,98",
    "attribute|140,75,13|166,226,46|80,250,123|166,226,46|209,154,102|181,137,0|107,91,46",
    "property|13,110,158|166,226,46|139,233,253|166,226,46|97,175,239|38,139,210|42,122,143",
    "number|26,122,51|174,129,255|189,147,249|174,129,255|209,154,102|211,54,130|58,125,68",
    "selector|110,58,140|102,217,239|139,233,253|102,217,239|86,182,194|203,75,22|107,76,154",
};

static QColor parseColour(const QString &cell)
{
    const QStringList parts = cell.split(QStringLiteral(" a "));
    QColor colour;
    if (parts[0] == QLatin1String("white"))
        colour = QColor(Qt::white);
    else if (parts[0] == QLatin1String("black"))
        colour = QColor(Qt::black);
    else {
        const QStringList c = parts[0].split(QLatin1Char(','));
        colour = QColor(c[0].toInt(), c[1].toInt(), c[2].toInt());
    }
    if (parts.size() > 1)
        colour.setAlphaF(parts[1].toFloat());
    return colour;
}

static QColor role(const EditorThemePalette &p, const QString &name)
{
    const QHash<QString, QColor> colours = {
        {"editorBackground", p.editorBackground},
        {"editorText", p.editorText},
        {"gutterBackground", p.gutterBackground},
        {"lineNumber", p.lineNumber},
        {"lineNumberActive", p.lineNumberActive},
        {"lineNumberActiveBackground", p.lineNumberActiveBackground},
        {"foldArrow", p.foldArrow},
        {"indentGuide", p.indentGuide},
        {"caret", p.caret},
        {"foldBadgeBackground", p.foldBadgeBackground},
        {"foldBadgeText", p.foldBadgeText},
        {"containerBackground", p.containerBackground},
        {"containerBorder", p.containerBorder},
        {"counterText", p.counterText},
        {"comment", p.syntax.comment},
        {"string", p.syntax.string},
        {"keyword", p.syntax.keyword},
        {"tag", p.syntax.tag},
        {"attribute", p.syntax.attribute},
        {"property", p.syntax.property},
        {"number", p.syntax.number},
        {"selector", p.syntax.selector},
    };
    return colours.value(name);
}

class TestEditorTheme : public QObject
{
    Q_OBJECT

private slots:
    void paletteColours_data();
    void paletteColours();
    void palettesAreShared();
    void accentColours_data();
    void accentColours();
    void fontRule_data();
    void fontRule();
};

void TestEditorTheme::paletteColours_data()
{
    QTest::addColumn<QString>("roleName");
    QTest::addColumn<int>("theme");
    QTest::addColumn<QColor>("expected");
    for (const char *row : themeTable) {
        const QStringList cells = QString::fromUtf8(row).split(QLatin1Char('|'));
        QCOMPARE(cells.size(), 8);
        for (int theme = 0; theme < 7; ++theme) {
            const QString tag =
                cells[0] + QLatin1Char('/') + rawValue(allEditorThemeKinds().at(theme));
            QTest::newRow(qPrintable(tag)) << cells[0] << theme << parseColour(cells[theme + 1]);
        }
    }
}

void TestEditorTheme::paletteColours()
{
    QFETCH(QString, roleName);
    QFETCH(int, theme);
    QFETCH(QColor, expected);
    const QColor actual =
        role(EditorThemePalette::forKind(allEditorThemeKinds().at(theme)), roleName);
    QVERIFY(actual.isValid());
    QCOMPARE(actual.rgb(), expected.rgb());
    QCOMPARE(qRound(actual.alphaF() * 100), qRound(expected.alphaF() * 100));
}

void TestEditorTheme::palettesAreShared()
{
    QCOMPARE(&EditorThemePalette::forKind(EditorThemeKind::dracula),
             &EditorThemePalette::forKind(EditorThemeKind::dracula));
}

void TestEditorTheme::accentColours_data()
{
    QTest::addColumn<PeekBarAccent>("accent");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("neonGreen") << PeekBarAccent::neonGreen << QColor(57, 255, 20);
    QTest::newRow("neonCyan") << PeekBarAccent::neonCyan << QColor(0, 245, 255);
    QTest::newRow("neonPink") << PeekBarAccent::neonPink << QColor(255, 43, 214);
    QTest::newRow("neonYellow") << PeekBarAccent::neonYellow << QColor(255, 240, 31);
    QTest::newRow("neonOrange") << PeekBarAccent::neonOrange << QColor(255, 107, 26);
}

void TestEditorTheme::accentColours()
{
    QFETCH(PeekBarAccent, accent);
    QFETCH(QColor, expected);
    QCOMPARE(accentColor(accent), expected);
}

void TestEditorTheme::fontRule_data()
{
    const QFont general = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const bool hasHiragino = QFontDatabase::hasFamily(QStringLiteral("Hiragino Sans"));
    const bool hasMenlo = QFontDatabase::hasFamily(QStringLiteral("Menlo"));
    const QString hiraginoPlain = hasHiragino ? QStringLiteral("Hiragino Sans") : general.family();
    const QString hiraginoCode = hasHiragino ? QStringLiteral("Hiragino Sans") : fixed.family();
    const QString menloPlain = hasMenlo ? QStringLiteral("Menlo") : general.family();
    const QString menloCode = hasMenlo ? QStringLiteral("Menlo") : fixed.family();

    QTest::addColumn<bool>("codeMode");
    QTest::addColumn<EditorFontFamily>("family");
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("expectedFamily");
    QTest::addColumn<int>("expectedSize");
    using F = EditorFontFamily;
    QTest::newRow("system plain") << false << F::system << 14.0 << general.family() << 14;
    QTest::newRow("system code") << true << F::system << 14.0 << fixed.family() << 14;
    QTest::newRow("hiragino plain") << false << F::hiragino << 16.0 << hiraginoPlain << 16;
    QTest::newRow("hiragino code") << true << F::hiragino << 16.0 << hiraginoCode << 16;
    QTest::newRow("menlo plain") << false << F::menlo << 20.0 << menloPlain << 20;
    QTest::newRow("menlo code") << true << F::menlo << 20.0 << menloCode << 20;
    QTest::newRow("sfMono plain") << false << F::sfMono << 12.0 << fixed.family() << 12;
    QTest::newRow("sfMono code") << true << F::sfMono << 12.0 << fixed.family() << 12;
    QTest::newRow("size 0 is 16") << false << F::hiragino << 0.0 << hiraginoPlain << 16;
}

void TestEditorTheme::fontRule()
{
    QFETCH(bool, codeMode);
    QFETCH(EditorFontFamily, family);
    QFETCH(double, size);
    QFETCH(QString, expectedFamily);
    QFETCH(int, expectedSize);
    const QFont font = editorFont(codeMode, family, size);
    QCOMPARE(font.family(), expectedFamily);
    QCOMPARE(font.pixelSize(), expectedSize);
    QCOMPARE(font.weight(), QFont::Normal);
}

QTEST_MAIN(TestEditorTheme)
#include "tst_editortheme.moc"
