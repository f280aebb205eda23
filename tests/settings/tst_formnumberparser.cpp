#include "settings/FormNumberParser.h"

#include <QTest>

// The form's number fields take a number only when the whole text is one in plain C syntax;
// a lax parse would silently store junk. The form's own test covers the common typing slips
// (spaces, commas, full-width digits); these are the rarer shapes.
class TestFormNumberParser : public QObject
{
    Q_OBJECT
private slots:
    void parseDouble_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("value");
        QTest::newRow("minus sign") << "-3" << true << -3.0;
        QTest::newRow("exponent") << "1e1" << true << 10.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("leading tab") << "\t14" << false << 0.0;
        QTest::newRow("ideographic space") << QString::fromUtf8("\u300014") << false << 0.0;
        QTest::newRow("hexadecimal") << "0x10" << false << 0.0;
        QTest::newRow("infinity") << "inf" << false << 0.0;
        QTest::newRow("overflow") << "1e400" << false << 0.0;
        QTest::newRow("bare exponent") << "e1" << false << 0.0;
    }
    void parseDouble()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        const auto parsed = FormNumberParser::parseDouble(text);
        QCOMPARE(parsed.has_value(), accepted);
        if (accepted)
            QTEST(*parsed, "value");
    }

    void parseInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint64>("value");
        QTest::newRow("minus sign") << "-5" << true << qint64(-5);
        QTest::newRow("leading zeros") << "007" << true << qint64(7);
        QTest::newRow("largest") << "9223372036854775807" << true << qint64(9223372036854775807LL);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("exponent") << "2e1" << false << qint64(0);
        QTest::newRow("lone sign") << "-" << false << qint64(0);
        QTest::newRow("hexadecimal") << "0x14" << false << qint64(0);
        QTest::newRow("arabic-indic digit") << QString::fromUtf8("٣") << false << qint64(0);
        QTest::newRow("overflow") << "9223372036854775808" << false << qint64(0);
    }
    void parseInteger()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        const auto parsed = FormNumberParser::parseInteger(text);
        QCOMPARE(parsed.has_value(), accepted);
        if (accepted)
            QTEST(*parsed, "value");
    }
};

QTEST_GUILESS_MAIN(TestFormNumberParser)
#include "tst_formnumberparser.moc"
