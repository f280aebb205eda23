#include "platform/KeyCharacters.h"

#include <QTest>

class TestKeyCharacters : public QObject
{
    Q_OBJECT

private slots:
    void characters_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expected");
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        QTest::newRow("ctrl+p is p") << int(Qt::Key_P) << ctrl << "p";
        QTest::newRow("shift+p is P") << int(Qt::Key_P) << shift << "P";
        QTest::newRow("ctrl+shift+q is Q") << int(Qt::Key_Q) << (ctrl | shift) << "Q";
        QTest::newRow("shift+1 is !") << int(Qt::Key_Exclam) << shift << "!";
        QTest::newRow("super+9 is 9") << int(Qt::Key_9) << int(Qt::MetaModifier) << "9";
        QTest::newRow("return") << int(Qt::Key_Return) << ctrl << "\r";
        QTest::newRow("arrow has none") << int(Qt::Key_Left) << 0 << "";
        QTest::newRow("kana letter unchanged") << 0x3042 << ctrl << QString(QChar(0x3042));
    }

    void characters()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QTEST(charactersIgnoringModifiers(key, Qt::KeyboardModifiers(modifiers)), "expected");
    }
};

QTEST_GUILESS_MAIN(TestKeyCharacters)
#include "tst_keycharacters.moc"
