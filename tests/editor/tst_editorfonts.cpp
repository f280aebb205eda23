#include "editor/EditorFonts.h"

#include <QFontDatabase>
#include <QtTest>

// A named family when the machine has it, else the system's general font for prose and its
// fixed font for code; never bold, 16 pixels when no size is set.
class TestEditorFonts : public QObject
{
    Q_OBJECT

private slots:
    void fontRule_data()
    {
        const QString general = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        const QString fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        const QString cjkMono = QStringLiteral("Noto Sans Mono CJK JP");
        QTest::addColumn<bool>("codeMode");
        QTest::addColumn<EditorFontFamily>("family");
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("expectedFamily");
        QTest::addColumn<int>("expectedSize");
        using F = EditorFontFamily;
        QTest::newRow("system plain") << false << F::system << 14.0 << general << 14;
        QTest::newRow("system code") << true << F::system << 14.0 << fixed << 14;
        QTest::newRow("monospaced family for prose")
            << false << F::sfMono << 12.0 << (QFontDatabase::hasFamily(cjkMono) ? cjkMono : fixed)
            << 12;
        QTest::newRow("size 0 is 16") << false << F::system << 0.0 << general << 16;
    }

    void fontRule()
    {
        QFETCH(bool, codeMode);
        QFETCH(EditorFontFamily, family);
        QFETCH(double, size);
        const QFont font = editorFont(codeMode, family, size);
        QTEST(font.family(), "expectedFamily");
        QTEST(font.pixelSize(), "expectedSize");
        QCOMPARE(font.weight(), QFont::Normal);
    }
};

QTEST_MAIN(TestEditorFonts)
#include "tst_editorfonts.moc"
