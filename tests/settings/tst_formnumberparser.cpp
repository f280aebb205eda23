#include "settings/FormNumberParser.h"

#include <QTest>

// The form's number fields take a number only when the whole text is one in plain C syntax;
// a lax parse would silently store junk. The form's own test covers the common typing slips
// (spaces, commas, full-width digits); these are the rarer shapes.
class TestFormNumberParser : public QObject
{
    Q_OBJECT
private slots:
    // An invalid value: the parser rejects the text.
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("decimal");
        QTest::addColumn<QVariant>("integer");
        const auto row = [](const char *name, QString text, QVariant decimal, QVariant integer) {
            QTest::newRow(name) << text << decimal << integer;
        };
        const qint64 largest = 9223372036854775807LL;
        row("minus sign", "-3", -3.0, qint64(-3));
        row("leading zeros", "007", 7.0, qint64(7));
        row("exponent", "1e1", 10.0, {});
        row("largest integer", "9223372036854775807", double(largest), largest);
        row("integer overflow", "9223372036854775808", 9223372036854775808.0, {});
        row("empty", "", {}, {});
        row("lone sign", "-", {}, {});
        row("bare exponent", "e1", {}, {});
        row("leading tab", "\t14", {}, {});
        row("ideographic space", QString::fromUtf8("\u300014"), {}, {});
        row("arabic-indic digit", QString::fromUtf8("٣"), {}, {});
        row("hexadecimal", "0x10", {}, {});
        row("infinity", "inf", {}, {});
        row("decimal overflow", "1e400", {}, {});
    }
    void parse()
    {
        QFETCH(QString, text);
        const auto variant = [](const auto &parsed) {
            return parsed ? QVariant::fromValue(*parsed) : QVariant();
        };
        QTEST(variant(FormNumberParser::parseDouble(text)), "decimal");
        QTEST(variant(FormNumberParser::parseInteger(text)), "integer");
    }
};

QTEST_GUILESS_MAIN(TestFormNumberParser)
#include "tst_formnumberparser.moc"
