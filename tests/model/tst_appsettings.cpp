#include "model/AppSettings.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <functional>

namespace {

// Stores a value as the preferences file holds it, as text; "-" removes it.
void put(const QString &key, const QString &text)
{
    if (text == "-")
        PreferencesStore::standard().remove(key);
    else
        PreferencesStore::standard().setString(key, text);
}

// The preference's value as read, under the key its declaration gives; enumerations by raw value.
template <typename T> std::pair<QString, std::function<QVariant()>> reader(const Preference<T> &p)
{
    if constexpr (std::is_enum_v<T>)
        return {p.key, [p] { return QVariant(rawValue(p())); }};
    else
        return {p.key, [p] { return QVariant(p()); }};
}

} // namespace

class TestAppSettings : public QObject
{
    Q_OBJECT

    static PreferencesStore &store() { return PreferencesStore::standard(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { store().clear(); }

    // "-": absent; legacy: the older returnToPreviousApp and autoCollapseWhenInactive.
    void readRules_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<QString>("legacy");
        const auto row = [](const char *name, QString key, QString stored, QVariant expected,
                            QString legacy = {}) {
            QTest::newRow(name) << key << stored << expected << legacy;
        };
        row("opacity zero is unset", "windowOpacity", "0", 1.0);
        row("opacity below range", "windowOpacity", "0.1", 0.25);
        row("opacity above range", "windowOpacity", "2.5", 1.0);
        row("inactive low is kept", "inactiveOpacityPercent", "10", 10);
        row("inactive above 100", "inactiveOpacityPercent", "150", 100);
        row("inactive wrong type", "inactiveOpacityPercent", "lots", 55);
        row("memos forty", "maxVisibleMemos", "40", 12);
        row("cards fraction", "maxCards", "12.7", 12);
        row("height negative", "windowHeight", "-1.0", 400.0);
        row("collapse wrong type", "autoCollapseWhenInactive", "no", true);
        row("theme legacy dark", "editorTheme", "dark", "sublime");
        row("theme legacy in other case", "editorTheme", "Dark", "light");
        row("trigger other case", "confirmTrigger", "DoubleNewline", "commandEnter");
        row("family absent", "editorFontFamily", "-", "hiragino");
        const QString after = "afterConfirmBehavior";
        row("after: nothing stored", after, "-", "stayOpen", "- -");
        row("after: collapse off", after, "-", "stayOpen", "- false");
        row("after: return on", after, "-", "returnAndCollapse", "true -");
        row("after: return off", after, "-", "collapseOnly", "false -");
        row("after: return, no collapse", after, "-", "stayOpen", "true false");
        row("after: no return, collapse", after, "-", "collapseOnly", "false true");
        row("after: legacy of wrong type", after, "-", "stayOpen", "yes 2");
        row("after: stored wins", after, "collapseOnly", "collapseOnly", "true false");
        row("after: stored in other case", after, "CollapseOnly", "returnAndCollapse", "true -");
    }

    void readRules()
    {
        using namespace AppSettings;
        const QHash<QString, std::function<QVariant()>> readers{
            reader(windowOpacity),    reader(inactiveOpacityPercent),
            reader(maxVisibleMemos),  reader(maxCards),
            reader(windowHeight),     reader(autoCollapseWhenInactive),
            reader(editorTheme),      reader(confirmTrigger),
            reader(editorFontFamily), reader(afterConfirmBehavior)};
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, legacy);
        QVERIFY2(readers.contains(key), qPrintable(key));
        put(key, stored);
        if (!legacy.isEmpty()) {
            put("returnToPreviousApp", legacy.section(u' ', 0, 0));
            put("autoCollapseWhenInactive", legacy.section(u' ', 1, 1));
        }
        QTEST(readers.value(key)(), "expected");
        // Reading never writes a value back.
        QCOMPARE(store().stringValue(key), stored == "-" ? std::nullopt : std::optional(stored));
    }

    // Writers hold a value to its range; a NaN, which no range holds, stores the default.
    void clampingWriters()
    {
        using namespace AppSettings;
        const auto stored = [] {
            return QStringList{store().stringValue("maxVisibleMemos").value_or("-"),
                               store().stringValue("inactiveOpacityPercent").value_or("-"),
                               store().stringValue("windowOpacity").value_or("-")};
        };
        maxVisibleMemos.set(1), inactiveOpacityPercent.set(10), windowOpacity.set(0.1);
        QCOMPARE(stored(), QStringList({"2", "25", "0.25"}));
        maxVisibleMemos.set(40), inactiveOpacityPercent.set(120), windowOpacity.set(1.5);
        QCOMPARE(stored(), QStringList({"12", "100", "1"}));
        windowOpacity.set(0.7), windowOpacity.set(qQNaN());
        QCOMPARE(stored().last(), "1");
    }

    // The origin counts only once saved, and may be negative; storing a frame announces nothing.
    void savedFrame()
    {
        store().setDouble("windowOriginX", 300);
        store().setDouble("windowOriginY", 200);
        QCOMPARE(AppSettings::savedWindowFrame(), QRectF(0, 0, 720, 400));

        QSignalSpy spy(SettingsNotifier::instance(), &SettingsNotifier::settingsDidChange);
        AppSettings::saveWindowFrame(QRectF(-40.5, 120, 1300, 250));
        QCOMPARE(AppSettings::savedWindowFrame(), QRectF(-40.5, 120, 1300, 250));
        QCOMPARE(spy.count(), 0);
        // The stored key names are what earlier versions wrote and read.
        QCOMPARE(store().boolValue("windowOriginSaved"), true);
        QCOMPARE(QList({store().doubleValue("windowOriginX"), store().doubleValue("windowOriginY"),
                        store().doubleValue("windowWidth"), store().doubleValue("windowHeight")}),
                 QList<std::optional<double>>({-40.5, 120, 1300, 250}));
    }
};

QTEST_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
