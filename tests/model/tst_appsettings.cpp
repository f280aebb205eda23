#include "model/AppSettings.h"
#include "platform/PreferencesStore.h"
#include "platform/SettingsNotifier.h"
#include "windows/FloatingWindowController.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <functional>

namespace {

PreferencesStore &store()
{
    return PreferencesStore::standard();
}

// Puts a value into the store with the type the variant carries; an invalid variant removes it.
void storeValue(const QString &key, const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return store().setBool(key, value.toBool());
    case QMetaType::Int:
        return store().setInt(key, value.toInt());
    case QMetaType::Double:
        return store().setDouble(key, value.toDouble());
    case QMetaType::QString:
        return store().setString(key, value.toString());
    default:
        return store().remove(key);
    }
}

const QHash<QString, std::function<QVariant()>> &readers()
{
    static const QHash<QString, std::function<QVariant()>> table{
        {"windowOpacity", [] { return QVariant(AppSettings::windowOpacity()); }},
        {"inactiveOpacityPercent", [] { return QVariant(AppSettings::inactiveOpacityPercent()); }},
        {"maxVisibleMemos", [] { return QVariant(AppSettings::maxVisibleMemos()); }},
        {"maxCards", [] { return QVariant(AppSettings::maxCards()); }},
        {"fontSize", [] { return QVariant(AppSettings::fontSize()); }},
        {"windowHeight", [] { return QVariant(AppSettings::windowHeight()); }},
        {"cardPreviewMaxLength", [] { return QVariant(AppSettings::cardPreviewMaxLength()); }},
        {"autoCollapseWhenInactive",
         [] { return QVariant(AppSettings::autoCollapseWhenInactive()); }},
        {"dimWhenInactive", [] { return QVariant(AppSettings::dimWhenInactive()); }},
        {"confirmTrigger", [] { return QVariant(rawValue(AppSettings::confirmTrigger())); }},
        {"editorTheme", [] { return QVariant(rawValue(AppSettings::editorTheme())); }},
        {"editorLanguage", [] { return QVariant(rawValue(AppSettings::editorLanguage())); }},
        {"editorFontFamily", [] { return QVariant(rawValue(AppSettings::editorFontFamily())); }},
        {"peekBarAccent", [] { return QVariant(rawValue(AppSettings::peekBarAccent())); }},
    };
    return table;
}

} // namespace

class TestAppSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { store().clear(); }

    void readRules_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QVariant>("expected");
        const QVariant absent;
        const auto row = [](const char *name, QString key, QVariant stored, QVariant expected,
                            QString reader = {}) {
            QTest::newRow(name) << key << stored << (reader.isEmpty() ? key : reader) << expected;
        };
        row("opacity absent", "windowOpacity", absent, 1.0);
        row("opacity zero", "windowOpacity", 0.0, 1.0);
        row("opacity below range", "windowOpacity", 0.1, 0.25);
        row("opacity above range", "windowOpacity", 2.5, 1.0);
        row("opacity as integer", "windowOpacity", 1, 1.0);
        row("inactive zero", "inactiveOpacityPercent", 0, 55);
        row("inactive low is kept", "inactiveOpacityPercent", 10, 10);
        row("inactive above 100", "inactiveOpacityPercent", 150, 100);
        row("inactive wrong type", "inactiveOpacityPercent", "lots", 55);
        row("memos forty", "maxVisibleMemos", 40, 12);
        row("memos zero", "maxVisibleMemos", 0, 4);
        row("cards zero", "maxCards", 0, 50);
        row("cards fraction", "maxCards", 12.7, 12);
        row("font zero", "fontSize", 0.0, 16.0);
        row("height negative", "windowHeight", -1.0, 400.0);
        row("preview length zero", "cardPreviewMaxLength", 0, 18);
        row("collapse wrong type", "autoCollapseWhenInactive", "no", true);
        row("theme legacy dark", "editorTheme", "dark", "sublime");
        row("theme legacy in other case", "editorTheme", "Dark", "light");
        row("trigger other case", "confirmTrigger", "DoubleNewline", "commandEnter");
        row("language other case", "editorLanguage", "CSS", "plain");
        row("family absent", "editorFontFamily", absent, "hiragino");
        row("accent unknown", "peekBarAccent", "green", "neonGreen");
    }

    void readRules()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QString, reader);
        storeValue(key, stored);
        QTEST(readers().value(reader)(), "expected");
    }

    void clampingWriters_data()
    {
        QTest::addColumn<int>("memos");
        QTest::addColumn<int>("percent");
        QTest::addColumn<double>("opacity");
        QTest::addColumn<int>("storedMemos");
        QTest::addColumn<int>("storedPercent");
        QTest::addColumn<double>("storedOpacity");
        QTest::newRow("below") << 1 << 10 << 0.1 << 2 << 25 << 0.25;
        QTest::newRow("above") << 40 << 120 << 1.5 << 12 << 100 << 1.0;
        QTest::newRow("inside") << 6 << 70 << 0.8 << 6 << 70 << 0.8;
        QTest::newRow("not a number") << 6 << 70 << qQNaN() << 6 << 70 << 1.0;
    }

    void clampingWriters()
    {
        QFETCH(int, memos);
        QFETCH(int, percent);
        QFETCH(double, opacity);
        AppSettings::maxVisibleMemos.set(memos);
        AppSettings::inactiveOpacityPercent.set(percent);
        AppSettings::windowOpacity.set(opacity);
        QTEST(store().intValue("maxVisibleMemos").value_or(-1), "storedMemos");
        QTEST(store().intValue("inactiveOpacityPercent").value_or(-1), "storedPercent");
        QTEST(store().doubleValue("windowOpacity").value_or(-1), "storedOpacity");
    }

    // Legacy values: "t" true, "f" false, "-" absent, anything else a string.
    void afterConfirmDerivation_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("returnToPrevious");
        QTest::addColumn<QString>("autoCollapse");
        QTest::addColumn<AfterConfirmBehavior>("expected");
        const auto row = [](const char *name, const char *stored, const char *returnToPrevious,
                            const char *autoCollapse, AfterConfirmBehavior expected) {
            QTest::newRow(name) << QString(stored) << QString(returnToPrevious)
                                << QString(autoCollapse) << expected;
        };
        using B = AfterConfirmBehavior;
        row("all absent", "-", "-", "-", B::stayOpen);
        row("only collapse off", "-", "-", "f", B::stayOpen);
        row("only return on", "-", "t", "-", B::returnAndCollapse);
        row("only return off", "-", "f", "-", B::collapseOnly);
        row("return, collapse", "-", "t", "t", B::returnAndCollapse);
        row("return, no collapse", "-", "t", "f", B::stayOpen);
        row("no return, collapse", "-", "f", "t", B::collapseOnly);
        row("neither", "-", "f", "f", B::stayOpen);
        row("legacy of wrong type", "-", "yes", "2", B::stayOpen);
        row("stored wins", "collapseOnly", "t", "f", B::collapseOnly);
        row("stored unknown derives", "CollapseOnly", "t", "-", B::returnAndCollapse);
    }

    void afterConfirmDerivation()
    {
        const auto value = [](const QString &text) {
            return text == "-"                  ? QVariant()
                   : text == "t" || text == "f" ? QVariant(text == "t")
                                                : QVariant(text);
        };
        QFETCH(QString, stored);
        QFETCH(QString, returnToPrevious);
        QFETCH(QString, autoCollapse);
        storeValue("afterConfirmBehavior", value(stored));
        storeValue("returnToPreviousApp", value(returnToPrevious));
        storeValue("autoCollapseWhenInactive", value(autoCollapse));
        QTEST(AppSettings::afterConfirmBehavior(), "expected");
        // Deriving never writes the result back.
        QCOMPARE(store().stringValue("afterConfirmBehavior"),
                 stored == "-" ? std::nullopt : std::optional(stored));
    }

    void effectiveOpacity_data()
    {
        QTest::addColumn<QVariant>("opacity");
        QTest::addColumn<bool>("dim");
        QTest::addColumn<QVariant>("percent");
        QTest::addColumn<bool>("active");
        QTest::addColumn<double>("expected");
        QTest::newRow("dimmed") << QVariant(0.8) << true << QVariant(50) << false << 0.4;
        QTest::newRow("active") << QVariant(0.8) << true << QVariant(50) << true << 0.8;
        QTest::newRow("dimming off") << QVariant(0.8) << false << QVariant(50) << false << 0.8;
        QTest::newRow("defaults") << QVariant() << true << QVariant() << false << 0.55;
        QTest::newRow("percent unset") << QVariant(0.5) << true << QVariant(0) << false << 0.275;
        QTest::newRow("low opacity") << QVariant(0.1) << true << QVariant(200) << false << 0.25;
    }

    void effectiveOpacity()
    {
        QFETCH(QVariant, opacity);
        QFETCH(bool, dim);
        QFETCH(QVariant, percent);
        QFETCH(bool, active);
        storeValue("windowOpacity", opacity);
        storeValue("inactiveOpacityPercent", percent);
        AppSettings::dimWhenInactive.set(dim);
        QTEST(FloatingWindowController::effectiveWindowOpacity(active), "expected");
    }

    void savedFrame()
    {
        store().setDouble("windowOriginX", 300);
        store().setDouble("windowOriginY", 200);
        QCOMPARE(AppSettings::savedWindowFrame(), QRectF(0, 0, 720, 400));

        AppSettings::saveWindowFrame(QRectF(-40.5, 120, 1300, 250));
        QVERIFY(AppSettings::windowOriginSaved());
        QCOMPARE(AppSettings::savedWindowFrame(), QRectF(-40.5, 120, 1300, 250));
    }

    // Each writer of a value the running app reacts to announces it exactly once; the form's
    // values, the window frame and the readers announce nothing.
    void notifications()
    {
        using A = std::function<void()>;
        const QList<std::pair<A, int>> cases{
            {[] { AppSettings::toggleHotkeyPreset.set(ToggleHotkeyPreset::controlSpace); }, 1},
            {[] { AppSettings::confirmTrigger.set(ConfirmTrigger::doubleNewline); }, 1},
            {[] { AppSettings::afterConfirmBehavior.set(AfterConfirmBehavior::collapseOnly); }, 1},
            {[] { AppSettings::maxVisibleMemos.set(5); }, 1},
            {[] { AppSettings::inactiveOpacityPercent.set(60); }, 1},
            {[] { AppSettings::windowOpacity.set(0.7); }, 1},
            {[] { AppSettings::peekBarAccent.set(PeekBarAccent::neonCyan); }, 1},
            {[] { AppSettings::editorFontFamily.set(EditorFontFamily::menlo); }, 1},
            {[] { AppSettings::editorTheme.set(EditorThemeKind::dracula); }, 1},
            {[] { AppSettings::editorLanguage.set(EditorLanguage::html); }, 1},
            {[] { AppSettings::postSettingsDidChange(); }, 1},
            {[] { AppSettings::saveWindowFrame(QRectF(1, 2, 600, 400)); }, 0},
            {[] {
                 AppSettings::fontSize.set(20);
                 AppSettings::maxCards.set(30);
                 AppSettings::windowWidth.set(800);
                 AppSettings::windowHeight.set(500);
                 AppSettings::autoCollapseWhenInactive.set(false);
                 AppSettings::dimWhenInactive.set(false);
             },
             0},
            {[] {
                 AppSettings::afterConfirmBehavior();
                 FloatingWindowController::effectiveWindowOpacity(false);
             },
             0},
        };
        for (qsizetype i = 0; i < cases.size(); ++i) {
            QSignalSpy spy(SettingsNotifier::instance(), &SettingsNotifier::settingsDidChange);
            cases[i].first();
            QVERIFY2(spy.count() == cases[i].second, qPrintable(QString("case %1").arg(i)));
        }
    }
};

QTEST_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
