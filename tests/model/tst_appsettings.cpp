#include "editor/EditorFonts.h"
#include "model/AppSettings.h"
#include "platform/PreferencesStore.h"
#include "platform/SettingsNotifier.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(ScreenGeometry)

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
        {"windowOpacityPercent", [] { return QVariant(AppSettings::windowOpacityPercent()); }},
        {"inactiveOpacityPercent", [] { return QVariant(AppSettings::inactiveOpacityPercent()); }},
        {"maxVisibleMemos", [] { return QVariant(AppSettings::maxVisibleMemos()); }},
        {"maxCards", [] { return QVariant(AppSettings::maxCards()); }},
        {"fontSize", [] { return QVariant(AppSettings::fontSize()); }},
        {"windowWidth", [] { return QVariant(AppSettings::windowWidth()); }},
        {"windowHeight", [] { return QVariant(AppSettings::windowHeight()); }},
        {"cardPreviewMaxLength", [] { return QVariant(AppSettings::cardPreviewMaxLength()); }},
        {"autoCollapseWhenInactive",
         [] { return QVariant(AppSettings::autoCollapseWhenInactive()); }},
        {"dimWhenInactive", [] { return QVariant(AppSettings::dimWhenInactive()); }},
        {"toggleHotkey", [] { return QVariant(rawValue(AppSettings::toggleHotkeyPreset())); }},
        {"confirmTrigger", [] { return QVariant(rawValue(AppSettings::confirmTrigger())); }},
        {"editorTheme", [] { return QVariant(rawValue(AppSettings::editorTheme())); }},
        {"editorLanguage", [] { return QVariant(rawValue(AppSettings::editorLanguage())); }},
        {"editorFontFamily", [] { return QVariant(rawValue(AppSettings::editorFontFamily())); }},
        {"peekBarAccent", [] { return QVariant(rawValue(AppSettings::peekBarAccent())); }},
    };
    return table;
}

ScreenGeometry screen(QRectF frame, QRectF visible)
{
    return ScreenGeometry{frame, visible};
}

// A wide main screen with a 25-point menu bar, and a smaller one to its right.
const ScreenGeometry wide = screen({0, 0, 1920, 1080}, {0, 0, 1920, 1055});
const ScreenGeometry right = screen({1920, 0, 1280, 800}, {1920, 0, 1280, 775});
const ScreenGeometry small = screen({0, 0, 800, 600}, {0, 0, 800, 575});

} // namespace

class TestAppSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { store().clear(); }

    void readRules_data();
    void readRules();
    void clampingWriters_data();
    void clampingWriters();
    void enumerationsRoundTrip();
    void afterConfirmDerivation_data();
    void afterConfirmDerivation();
    void effectiveOpacity_data();
    void effectiveOpacity();
    void savedFrame();
    void fittedFrame_data();
    void fittedFrame();
    void previewText_data();
    void previewText();
    void gutterWidthGrowsByDigits();
    void codeMode();
    void notifications();
};

void TestAppSettings::readRules_data()
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
    row("opacity not a number", "windowOpacity", "abc", 1.0);
    row("opacity as integer", "windowOpacity", 1, 1.0);
    row("percent below range", "windowOpacity", 0.1, 25, "windowOpacityPercent");
    row("percent rounds", "windowOpacity", 0.556, 56, "windowOpacityPercent");
    row("inactive zero", "inactiveOpacityPercent", 0, 55);
    row("inactive low is kept", "inactiveOpacityPercent", 10, 10);
    row("inactive above 100", "inactiveOpacityPercent", 150, 100);
    row("inactive wrong type", "inactiveOpacityPercent", "lots", 55);
    row("memos one", "maxVisibleMemos", 1, 2);
    row("memos forty", "maxVisibleMemos", 40, 12);
    row("memos zero", "maxVisibleMemos", 0, 4);
    row("cards zero", "maxCards", 0, 50);
    row("cards fraction", "maxCards", 12.7, 12);
    row("font zero", "fontSize", 0.0, 16.0);
    row("width zero", "windowWidth", 0.0, 720.0);
    row("height negative", "windowHeight", -1.0, 400.0);
    row("preview length zero", "cardPreviewMaxLength", 0, 18);
    row("collapse off", "autoCollapseWhenInactive", false, false);
    row("collapse wrong type", "autoCollapseWhenInactive", "no", true);
    row("theme empty", "editorTheme", "", "light");
    row("theme legacy dark", "editorTheme", "dark", "sublime");
    row("theme legacy in other case", "editorTheme", "Dark", "light");
    row("trigger exact", "confirmTrigger", "doubleNewline", "doubleNewline");
    row("trigger other case", "confirmTrigger", "DoubleNewline", "commandEnter");
    row("hotkey unknown", "toggleHotkey", "commandSpace", "controlReturn");
    row("language other case", "editorLanguage", "CSS", "plain");
    row("family absent", "editorFontFamily", absent, "hiragino");
    row("family unknown", "editorFontFamily", "Menlo", "hiragino");
    row("accent unknown", "peekBarAccent", "green", "neonGreen");
}

void TestAppSettings::readRules()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QString, reader);
    QFETCH(QVariant, expected);
    storeValue(key, stored);
    QCOMPARE(readers().value(reader)(), expected);
}

void TestAppSettings::clampingWriters_data()
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

void TestAppSettings::clampingWriters()
{
    QFETCH(int, memos);
    QFETCH(int, percent);
    QFETCH(double, opacity);
    AppSettings::setMaxVisibleMemos(memos);
    AppSettings::setInactiveOpacityPercent(percent);
    AppSettings::setWindowOpacity(opacity);
    QFETCH(int, storedMemos);
    QCOMPARE(store().intValue("maxVisibleMemos"), storedMemos);
    QFETCH(int, storedPercent);
    QCOMPARE(store().intValue("inactiveOpacityPercent"), storedPercent);
    QFETCH(double, storedOpacity);
    QCOMPARE(store().doubleValue("windowOpacity"), storedOpacity);
}

// Every case written by its setter is read back as itself, under its raw value.
void TestAppSettings::enumerationsRoundTrip()
{
    const auto check = [](const auto &cases, auto set, auto get) {
        for (const auto value : cases) {
            set(value);
            if (get() != value)
                return false;
        }
        return true;
    };
    QVERIFY(check(allToggleHotkeyPresets(), AppSettings::setToggleHotkeyPreset,
                  AppSettings::toggleHotkeyPreset));
    QVERIFY(
        check(allConfirmTriggers(), AppSettings::setConfirmTrigger, AppSettings::confirmTrigger));
    QVERIFY(check(allAfterConfirmBehaviors(), AppSettings::setAfterConfirmBehavior,
                  AppSettings::afterConfirmBehavior));
    QVERIFY(check(allEditorThemeKinds(), AppSettings::setEditorTheme, AppSettings::editorTheme));
    QVERIFY(
        check(allEditorLanguages(), AppSettings::setEditorLanguage, AppSettings::editorLanguage));
    QVERIFY(check(allEditorFontFamilies(), AppSettings::setEditorFontFamily,
                  AppSettings::editorFontFamily));
    QVERIFY(check(allPeekBarAccents(), AppSettings::setPeekBarAccent, AppSettings::peekBarAccent));
    QCOMPARE(store().stringValue("peekBarAccent"), QString("neonOrange"));
}

void TestAppSettings::afterConfirmDerivation_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("returnToPrevious");
    QTest::addColumn<QVariant>("autoCollapse");
    QTest::addColumn<AfterConfirmBehavior>("expected");
    const QVariant absent;
    using B = AfterConfirmBehavior;
    QTest::newRow("all absent") << absent << absent << absent << B::stayOpen;
    QTest::newRow("only collapse off") << absent << absent << QVariant(false) << B::stayOpen;
    QTest::newRow("only return on") << absent << QVariant(true) << absent << B::returnAndCollapse;
    QTest::newRow("only return off") << absent << QVariant(false) << absent << B::collapseOnly;
    QTest::newRow("return, collapse")
        << absent << QVariant(true) << QVariant(true) << B::returnAndCollapse;
    QTest::newRow("return, no collapse")
        << absent << QVariant(true) << QVariant(false) << B::stayOpen;
    QTest::newRow("no return, collapse")
        << absent << QVariant(false) << QVariant(true) << B::collapseOnly;
    QTest::newRow("neither") << absent << QVariant(false) << QVariant(false) << B::stayOpen;
    QTest::newRow("legacy of wrong type")
        << absent << QVariant("yes") << QVariant(2) << B::stayOpen;
    QTest::newRow("stored wins") << QVariant("collapseOnly") << QVariant(true) << QVariant(false)
                                 << B::collapseOnly;
    QTest::newRow("stored unknown derives")
        << QVariant("CollapseOnly") << QVariant(true) << absent << B::returnAndCollapse;
}

void TestAppSettings::afterConfirmDerivation()
{
    QFETCH(QVariant, stored);
    QFETCH(QVariant, returnToPrevious);
    QFETCH(QVariant, autoCollapse);
    storeValue("afterConfirmBehavior", stored);
    storeValue("returnToPreviousApp", returnToPrevious);
    storeValue("autoCollapseWhenInactive", autoCollapse);
    QFETCH(AfterConfirmBehavior, expected);
    QCOMPARE(AppSettings::afterConfirmBehavior(), expected);
    // Deriving never writes the result back.
    QCOMPARE(store().stringValue("afterConfirmBehavior"),
             stored.isValid() ? std::optional(stored.toString()) : std::nullopt);
}

void TestAppSettings::effectiveOpacity_data()
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

void TestAppSettings::effectiveOpacity()
{
    QFETCH(QVariant, opacity);
    QFETCH(bool, dim);
    QFETCH(QVariant, percent);
    QFETCH(bool, active);
    storeValue("windowOpacity", opacity);
    storeValue("inactiveOpacityPercent", percent);
    AppSettings::setDimWhenInactive(dim);
    QFETCH(double, expected);
    QCOMPARE(AppSettings::effectiveWindowOpacity(active), expected);
}

void TestAppSettings::savedFrame()
{
    store().setDouble("windowOriginX", 300);
    store().setDouble("windowOriginY", 200);
    QCOMPARE(AppSettings::savedWindowFrame(), QRectF(0, 0, 720, 400));

    AppSettings::saveWindowFrame(QRectF(-40.5, 120, 1300, 250));
    QVERIFY(AppSettings::windowOriginSaved());
    QCOMPARE(AppSettings::savedWindowFrame(), QRectF(-40.5, 120, 1300, 250));
}

void TestAppSettings::fittedFrame_data()
{
    QTest::addColumn<bool>("originSaved");
    QTest::addColumn<QRectF>("proposed");
    QTest::addColumn<QList<ScreenGeometry>>("screens");
    QTest::addColumn<QVariant>("preferred");
    QTest::addColumn<QVariant>("main");
    QTest::addColumn<QRectF>("expected");
    const QList<ScreenGeometry> two{wide, right};
    const QVariant none;
    const QVariant onRight = QVariant::fromValue(right);

    QTest::newRow("centred on main")
        << false << QRectF(0, 0, 720, 400) << two << none << none << QRectF(600, 327.5, 720, 400);
    QTest::newRow("centred on preferred") << false << QRectF(0, 0, 720, 400) << two << onRight
                                          << none << QRectF(2200, 187.5, 720, 400);
    QTest::newRow("centred on given main") << false << QRectF(0, 0, 720, 400) << two << none
                                           << onRight << QRectF(2200, 187.5, 720, 400);
    QTest::newRow("size clamped, not reduced") << false << QRectF(0, 0, 100, 2000) << QList{small}
                                               << none << none << QRectF(120, -162.5, 560, 900);
    QTest::newRow("no screens") << false << QRectF(5, 6, 100, 100) << QList<ScreenGeometry>{}
                                << none << none << QRectF(5, 6, 560, 320);
    QTest::newRow("inside its screen") << true << QRectF(2000, 100, 720, 400) << two << none << none
                                       << QRectF(2000, 100, 720, 400);
    QTest::newRow("off-screen to preferred") << true << QRectF(5000, 5000, 720, 400) << two
                                             << onRight << none << QRectF(2472, 367, 720, 400);
    QTest::newRow("off-screen to main") << true << QRectF(5000, 5000, 720, 400) << two << none
                                        << none << QRectF(1192, 647, 720, 400);
    QTest::newRow("screen of the centre wins over preferred")
        << true << QRectF(100, 100, 720, 400) << two << onRight << none
        << QRectF(100, 100, 720, 400);
    QTest::newRow("centre on shared edge belongs to right screen")
        << true << QRectF(1560, 100, 720, 400) << two << none << none
        << QRectF(1928, 100, 720, 400);
    QTest::newRow("too big for screen") << true << QRectF(0, 0, 1200, 900) << QList{small} << none
                                        << none << QRectF(8, 8, 768, 543);
    QTest::newRow("past bottom left")
        << true << QRectF(-300, -100, 720, 400) << two << none << none << QRectF(8, 8, 720, 400);
    QTest::newRow("saved, no screens")
        << true << QRectF(-300, 7, 2000, 100) << QList<ScreenGeometry>{} << none << none
        << QRectF(-300, 7, 1200, 320);
}

void TestAppSettings::fittedFrame()
{
    QFETCH(bool, originSaved);
    QFETCH(QRectF, proposed);
    QFETCH(QList<ScreenGeometry>, screens);
    QFETCH(QVariant, preferred);
    QFETCH(QVariant, main);
    store().setBool("windowOriginSaved", originSaved);
    const auto optionalScreen = [](const QVariant &v) {
        return v.isValid() ? std::optional(v.value<ScreenGeometry>()) : std::nullopt;
    };
    QFETCH(QRectF, expected);
    QCOMPARE(AppSettings::fittedWindowFrame(proposed, screens, optionalScreen(preferred),
                                            optionalScreen(main)),
             expected);
}

void TestAppSettings::previewText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("expected");
    const QString thumb = QStringLiteral("👍🏽"); // a skin-tone modifier: one character
    const QString family = QStringLiteral("👩‍👩‍👧"); // joined by ZWJ: one character
    QTest::newRow("line feeds") << "  alpha\nbeta  " << 0 << "alpha beta";
    QTest::newRow("each line feed a space") << "a\n\nb" << 0 << "a  b";
    QTest::newRow("empty") << "" << 0 << " ";
    QTest::newRow("19 characters") << "abcdefghijklmnopqrs" << 0 << "abcdefghijklmnopqr…";
    QTest::newRow("18 emoji") << thumb.repeated(18) << 0 << thumb.repeated(18);
    QTest::newRow("19 emoji") << thumb.repeated(19) << 0 << thumb.repeated(18) + "…";
    QTest::newRow("joined emoji") << family.repeated(4) << 3 << family.repeated(3) + "…";
    QTest::newRow("combining accent")
        << QStringLiteral("e\u0301e\u0301e\u0301") << 2 << QStringLiteral("e\u0301e\u0301…");
    QTest::newRow("japanese") << QStringLiteral("書くことがそのままコピー") << 5
                              << QStringLiteral("書くことが…");
}

void TestAppSettings::previewText()
{
    QFETCH(QString, text);
    QFETCH(int, maxLength);
    if (maxLength > 0)
        store().setInt("cardPreviewMaxLength", maxLength);
    QFETCH(QString, expected);
    QCOMPARE(AppSettings::cardPreviewText(text), expected);
}

void TestAppSettings::gutterWidthGrowsByDigits()
{
    const double one = AppSettings::gutterWidth(1);
    QCOMPARE(AppSettings::gutterWidth(0), one);
    QCOMPARE(AppSettings::gutterWidth(99), one);
    const double hundred = AppSettings::gutterWidth(100);
    const double thousand = AppSettings::gutterWidth(1000);
    QVERIFY(hundred - one >= 4 && hundred - one <= 10);         // one digit of a ~11-pixel font
    QVERIFY(qAbs((thousand - hundred) - (hundred - one)) <= 1); // one digit each, whole points
    QCOMPARE(one, std::ceil(one));
    QVERIFY(one > 26);

    store().setDouble("fontSize", 16);
    QCOMPARE(AppSettings::gutterWidth(1), one); // unset reads as 16
    store().setDouble("fontSize", 40);
    QVERIFY(AppSettings::gutterWidth(1) > one);
}

void TestAppSettings::codeMode()
{
    QVERIFY(!AppSettings::editorFontCodeMode());
    QCOMPARE(AppSettings::editorFont(), editorFont(false, EditorFontFamily::hiragino, 16));
    AppSettings::setEditorLanguage(EditorLanguage::css);
    AppSettings::setEditorFontFamily(EditorFontFamily::system);
    AppSettings::setFontSize(20);
    QVERIFY(AppSettings::editorFontCodeMode());
    QCOMPARE(AppSettings::editorFont(), editorFont(true, EditorFontFamily::system, 20));
    store().setString("editorLanguage", "CSS");
    QVERIFY(!AppSettings::editorFontCodeMode());
    QCOMPARE(AppSettings::editorFont(), editorFont(false, EditorFontFamily::system, 20));
}

// Each writer of a value the running app reacts to announces it exactly once; the form's
// values, the window frame and the readers announce nothing.
void TestAppSettings::notifications()
{
    using A = std::function<void()>;
    const QList<std::pair<A, int>> cases{
        {[] { AppSettings::setToggleHotkeyPreset(ToggleHotkeyPreset::controlSpace); }, 1},
        {[] { AppSettings::setConfirmTrigger(ConfirmTrigger::doubleNewline); }, 1},
        {[] { AppSettings::setAfterConfirmBehavior(AfterConfirmBehavior::collapseOnly); }, 1},
        {[] { AppSettings::setMaxVisibleMemos(5); }, 1},
        {[] { AppSettings::setInactiveOpacityPercent(60); }, 1},
        {[] { AppSettings::setWindowOpacity(0.7); }, 1},
        {[] { AppSettings::setPeekBarAccent(PeekBarAccent::neonCyan); }, 1},
        {[] { AppSettings::setEditorFontFamily(EditorFontFamily::menlo); }, 1},
        {[] { AppSettings::setEditorTheme(EditorThemeKind::dracula); }, 1},
        {[] { AppSettings::setEditorLanguage(EditorLanguage::html); }, 1},
        {[] { AppSettings::postSettingsDidChange(); }, 1},
        {[] { AppSettings::saveWindowFrame(QRectF(1, 2, 600, 400)); }, 0},
        {[] {
             AppSettings::setFontSize(20);
             AppSettings::setMaxCards(30);
             AppSettings::setWindowWidth(800);
             AppSettings::setWindowHeight(500);
             AppSettings::setAutoCollapseWhenInactive(false);
             AppSettings::setDimWhenInactive(false);
         },
         0},
        {[] {
             AppSettings::afterConfirmBehavior();
             AppSettings::effectiveWindowOpacity(false);
             AppSettings::fittedWindowFrame(QRectF(0, 0, 1, 1), {wide});
         },
         0},
    };
    for (qsizetype i = 0; i < cases.size(); ++i) {
        QSignalSpy spy(SettingsNotifier::instance(), &SettingsNotifier::settingsDidChange);
        cases[i].first();
        QVERIFY2(spy.count() == cases[i].second, qPrintable(QString("case %1").arg(i)));
    }
}

QTEST_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
