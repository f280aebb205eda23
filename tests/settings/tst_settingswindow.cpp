#include "model/AppSettings.h"
#include "platform/PreferencesStore.h"
#include "platform/SettingsNotifier.h"
#include "settings/SettingsViewController.h"
#include "settings/SettingsWindowController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QStandardPaths>
#include <QTest>

class TestSettingsWindow : public QObject
{
    Q_OBJECT

    static PreferencesStore &store() { return PreferencesStore::standard(); }

    template <typename T> static T *control(QWidget *form, const char *name)
    {
        T *found = form->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    // Distinct stored sizes, so that a rejected field is seen to leave its value alone.
    static void storeKnownSizes()
    {
        AppSettings::setFontSize(20);
        AppSettings::setMaxCards(60);
        AppSettings::setMaxVisibleMemos(6);
        AppSettings::setWindowWidth(800);
        AppSettings::setWindowHeight(500);
    }

    // Every key the form writes, in the order it writes them.
    static QStringList orderedKeys()
    {
        return {"toggleHotkey",     "confirmTrigger",         "editorTheme",
                "editorFontFamily", "editorLanguage",         "windowOpacity",
                "peekBarAccent",    "afterConfirmBehavior",   "autoCollapseWhenInactive",
                "dimWhenInactive",  "inactiveOpacityPercent", "fontSize",
                "maxCards",         "maxVisibleMemos",        "windowWidth",
                "windowHeight"};
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { store().clear(); }

    void popupsListEveryCaseInOrder_data()
    {
        QTest::addColumn<QString>("popup");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("theme") << "themePopup" << QStringList{"ライト（白）",
                                                              "Sublime（ダーク）",
                                                              "Dracula",
                                                              "Monokai",
                                                              "One Dark",
                                                              "Solarized Dark",
                                                              "ペーパー（暖色ライト）"};
        QTest::newRow("font") << "fontFamilyPopup"
                              << QStringList{"システム", "ヒラギノ", "Menlo", "SF Mono"};
        QTest::newRow("language") << "languagePopup"
                                  << QStringList{"なし（単色）", "HTML", "CSS", "JavaScript"};
        QTest::newRow("accent") << "peekBarAccentPopup"
                                << QStringList{"ネオングリーン", "シアン", "ピンク", "イエロー",
                                               "オレンジ"};
        QTest::newRow("hotkey") << "hotkeyPopup"
                                << QStringList{"⌃ + Return", "⌃ + ⌥ + Space", "⌃ + Space"};
        QTest::newRow("trigger") << "triggerPopup"
                                 << QStringList{"⌘ + Enter（推奨）",
                                                "空行で Return 2 回（上級者向け）"};
        QTest::newRow("after confirm")
            << "afterConfirmPopup"
            << QStringList{"そのまま（開いたまま）", "たたむ", "たたんで前のアプリへ"};
    }
    void popupsListEveryCaseInOrder()
    {
        QFETCH(QString, popup);
        QFETCH(QStringList, items);
        SettingsViewController form;
        auto *box = control<QComboBox>(&form, popup.toLatin1());
        QStringList shown;
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
        QCOMPARE(shown, items);
    }

    void freshFormShowsDefaults()
    {
        SettingsViewController form;
        QCOMPARE(control<QComboBox>(&form, "themePopup")->currentIndex(), 0);
        QCOMPARE(control<QComboBox>(&form, "fontFamilyPopup")->currentIndex(), 1); // hiragino
        QCOMPARE(control<QComboBox>(&form, "hotkeyPopup")->currentIndex(), 0);
        QCOMPARE(control<QComboBox>(&form, "afterConfirmPopup")->currentIndex(), 0);
        QCOMPARE(control<QLineEdit>(&form, "fontSizeField")->text(), "16");
        QCOMPARE(control<QLineEdit>(&form, "maxCardsField")->text(), "50");
        QCOMPARE(control<QLineEdit>(&form, "maxVisibleMemosField")->text(), "4");
        QCOMPARE(control<QLineEdit>(&form, "windowWidthField")->text(), "720");
        QCOMPARE(control<QLineEdit>(&form, "windowHeightField")->text(), "400");
        QCOMPARE(control<QLabel>(&form, "opacityValueLabel")->text(), "100%");
        QCOMPARE(control<QLabel>(&form, "inactiveOpacityValueLabel")->text(), "55%");
        QVERIFY(control<QCheckBox>(&form, "autoCollapseCheckbox")->isChecked());
        QVERIFY(control<QCheckBox>(&form, "dimWhenInactiveCheckbox")->isChecked());
    }

    void formShowsStoredValuesByTheirReadRules()
    {
        store().setString("editorTheme", "dark");
        store().setString("afterConfirmBehavior", "collapseOnly");
        store().setBool("dimWhenInactive", false);
        store().setDouble("fontSize", 12.5);
        store().setInt("maxVisibleMemos", 40);
        store().setDouble("windowWidth", 901.9);
        store().setDouble("windowOpacity", 0.1);
        store().setInt("inactiveOpacityPercent", 80);
        SettingsViewController form;
        QCOMPARE(control<QComboBox>(&form, "themePopup")->currentIndex(), 1); // sublime
        QCOMPARE(control<QComboBox>(&form, "afterConfirmPopup")->currentIndex(), 1);
        QVERIFY(!control<QCheckBox>(&form, "dimWhenInactiveCheckbox")->isChecked());
        QCOMPARE(control<QLineEdit>(&form, "fontSizeField")->text(), "12");
        QCOMPARE(control<QLineEdit>(&form, "maxVisibleMemosField")->text(), "12");
        QCOMPARE(control<QLineEdit>(&form, "windowWidthField")->text(), "901");
        QCOMPARE(control<QSlider>(&form, "opacitySlider")->value(), 25);
        QCOMPARE(control<QLabel>(&form, "opacityValueLabel")->text(), "25%");
        QCOMPARE(control<QLabel>(&form, "inactiveOpacityValueLabel")->text(), "80%");
    }

    // Formatting a huge stored size used to go through an integer cast.
    void hugeStoredSizeShowsWithoutOverflow()
    {
        store().setDouble("fontSize", 1e300);
        SettingsViewController form;
        const QString text = control<QLineEdit>(&form, "fontSizeField")->text();
        QCOMPARE(text.size(), 301);
        QVERIFY(text.startsWith(u'1'));
    }

    void numberFieldIsParsedAndRanged_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("stored"); // what the preference reads after saving

        QTest::newRow("size fraction") << "fontSizeField"
                                       << "12.5" << 12.5;
        QTest::newRow("size lowest") << "fontSizeField"
                                     << "10" << 10.0;
        QTest::newRow("size highest") << "fontSizeField"
                                      << "32" << 32.0;
        QTest::newRow("size exponent") << "fontSizeField"
                                       << "1.2e1" << 12.0;
        QTest::newRow("size plus") << "fontSizeField"
                                   << "+14" << 14.0;
        QTest::newRow("size 9") << "fontSizeField"
                                << "9" << 20.0;
        QTest::newRow("size 33") << "fontSizeField"
                                 << "33" << 20.0;
        QTest::newRow("size just below") << "fontSizeField"
                                         << "9.99" << 20.0;
        QTest::newRow("size just above") << "fontSizeField"
                                         << "32.01" << 20.0;
        QTest::newRow("size leading space") << "fontSizeField"
                                            << " 14" << 20.0;
        QTest::newRow("size trailing space") << "fontSizeField"
                                             << "14 " << 20.0;
        QTest::newRow("size decimal comma") << "fontSizeField"
                                            << "12,5" << 20.0;
        QTest::newRow("size negative") << "fontSizeField"
                                       << "-14" << 20.0;
        QTest::newRow("size empty") << "fontSizeField"
                                    << "" << 20.0;

        QTest::newRow("cards plus") << "maxCardsField"
                                    << "+20" << 20.0;
        QTest::newRow("cards lowest") << "maxCardsField"
                                      << "5" << 5.0;
        QTest::newRow("cards highest") << "maxCardsField"
                                       << "200" << 200.0;
        QTest::newRow("cards fraction") << "maxCardsField"
                                        << "20.0" << 60.0;
        QTest::newRow("cards 4") << "maxCardsField"
                                 << "4" << 60.0;
        QTest::newRow("cards 201") << "maxCardsField"
                                   << "201" << 60.0;
        QTest::newRow("cards negative") << "maxCardsField"
                                        << "-20" << 60.0;
        QTest::newRow("cards leading space") << "maxCardsField"
                                             << " 20" << 60.0;
        QTest::newRow("cards full-width") << "maxCardsField"
                                          << "２０" << 60.0;
        QTest::newRow("cards grouped") << "maxCardsField"
                                       << "1,00" << 60.0;

        QTest::newRow("memos 1") << "maxVisibleMemosField"
                                 << "1" << 6.0;
        QTest::newRow("memos 2") << "maxVisibleMemosField"
                                 << "2" << 2.0;
        QTest::newRow("memos 12") << "maxVisibleMemosField"
                                  << "12" << 12.0;
        QTest::newRow("memos 13") << "maxVisibleMemosField"
                                  << "13" << 6.0;
        QTest::newRow("memos plus") << "maxVisibleMemosField"
                                    << "+3" << 3.0;

        QTest::newRow("width lowest") << "windowWidthField"
                                      << "560" << 560.0;
        QTest::newRow("width highest") << "windowWidthField"
                                       << "1200" << 1200.0;
        QTest::newRow("width fraction") << "windowWidthField"
                                        << "600.5" << 600.5;
        QTest::newRow("width exponent") << "windowWidthField"
                                        << "1e3" << 1000.0;
        QTest::newRow("width 1201") << "windowWidthField"
                                    << "1201" << 800.0;
        QTest::newRow("width below") << "windowWidthField"
                                     << "559.5" << 800.0;
        QTest::newRow("height lowest") << "windowHeightField"
                                       << "320" << 320.0;
        QTest::newRow("height highest") << "windowHeightField"
                                        << "900" << 900.0;
        QTest::newRow("height 319") << "windowHeightField"
                                    << "319" << 500.0;
        QTest::newRow("height 901") << "windowHeightField"
                                    << "901" << 500.0;
        QTest::newRow("height comma") << "windowHeightField"
                                      << "450,5" << 500.0;
    }
    void numberFieldIsParsedAndRanged()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(double, stored);
        storeKnownSizes();
        SettingsViewController form;
        auto *edit = control<QLineEdit>(&form, field.toLatin1());
        edit->setText(text);
        form.save();

        const QHash<QString, double> read = {
            {"fontSizeField", AppSettings::fontSize()},
            {"maxCardsField", AppSettings::maxCards()},
            {"maxVisibleMemosField", AppSettings::maxVisibleMemos()},
            {"windowWidthField", AppSettings::windowWidth()},
            {"windowHeightField", AppSettings::windowHeight()},
        };
        QCOMPARE(read.value(field), stored);
        QCOMPARE(edit->text(), text); // a rejected text stays as typed
    }

    void rejectedFieldsLeaveTheOthersSaved()
    {
        storeKnownSizes();
        SettingsViewController form;
        control<QLineEdit>(&form, "windowWidthField")->setText("1201");
        control<QLineEdit>(&form, "windowHeightField")->setText("319");
        control<QLineEdit>(&form, "fontSizeField")->setText("18");
        control<QComboBox>(&form, "themePopup")->setCurrentIndex(2);
        control<QCheckBox>(&form, "autoCollapseCheckbox")->setChecked(false);
        form.save();
        QCOMPARE(AppSettings::windowWidth(), 800.0);
        QCOMPARE(AppSettings::windowHeight(), 500.0);
        QCOMPARE(AppSettings::fontSize(), 18.0);
        QCOMPARE(AppSettings::editorTheme(), EditorThemeKind::dracula);
        QCOMPARE(AppSettings::autoCollapseWhenInactive(), false);
        QCOMPARE(control<QLineEdit>(&form, "windowWidthField")->text(), "1201");
    }

    // Each announcement must follow the one value it covers, in the form's order; the
    // last one covers the two sizes written without an announcement of their own.
    void saveWritesInOrderAndAnnounces_data()
    {
        QStringList keys = orderedKeys();
        keys.removeLast();
        keys.last() = "windowWidth+windowHeight";
        QTest::addColumn<QString>("badField");
        QTest::addColumn<QStringList>("announced"); // the keys new at each announcement
        QTest::newRow("all valid") << QString() << keys;
        QStringList withoutCards = keys;
        withoutCards.removeOne("maxCards");
        QTest::newRow("history size rejected") << "maxCardsField" << withoutCards;
        QStringList withoutMemos = keys;
        withoutMemos.removeOne("maxVisibleMemos");
        QTest::newRow("memo count rejected") << "maxVisibleMemosField" << withoutMemos;
        QStringList withoutHeight = keys;
        withoutHeight.last() = "windowWidth";
        QTest::newRow("height rejected") << "windowHeightField" << withoutHeight;
    }
    void saveWritesInOrderAndAnnounces()
    {
        QFETCH(QString, badField);
        QFETCH(QStringList, announced);
        SettingsViewController form;
        if (!badField.isEmpty())
            control<QLineEdit>(&form, badField.toLatin1())->setText("x");

        QStringList seen;
        QStringList newAtEach;
        QSignalSpy spy(SettingsNotifier::instance(), &SettingsNotifier::settingsDidChange);
        connect(SettingsNotifier::instance(), &SettingsNotifier::settingsDidChange, &form, [&] {
            QStringList fresh;
            for (const QString &key : orderedKeys()) {
                if (store().contains(key) && !seen.contains(key))
                    fresh << key;
            }
            seen << fresh;
            newAtEach << fresh.join(u'+');
        });
        form.save();
        QCOMPARE(newAtEach, announced);
        QCOMPARE(spy.count(), announced.size());
    }

    void popupWithoutSelectionIsSkipped()
    {
        SettingsViewController form;
        control<QComboBox>(&form, "themePopup")->setCurrentIndex(-1);
        QSignalSpy spy(SettingsNotifier::instance(), &SettingsNotifier::settingsDidChange);
        form.save();
        QVERIFY(!store().contains("editorTheme"));
        QCOMPARE(spy.count(), 14);
    }

    void slidersShowPercentAndWriteOnlyOnSave()
    {
        SettingsViewController form;
        auto *opacity = control<QSlider>(&form, "opacitySlider");
        auto *inactive = control<QSlider>(&form, "inactiveOpacitySlider");
        opacity->setValue(80);
        inactive->setValue(30);
        QCOMPARE(control<QLabel>(&form, "opacityValueLabel")->text(), "80%");
        QCOMPARE(control<QLabel>(&form, "inactiveOpacityValueLabel")->text(), "30%");
        QVERIFY(!store().contains("windowOpacity"));
        form.save();
        QCOMPARE(AppSettings::windowOpacity(), 0.8);
        QCOMPARE(AppSettings::inactiveOpacityPercent(), 30);
    }

    void visibleFrameForAnchor_data()
    {
        const ScreenGeometry left{{0, 0, 1440, 900}, {0, 0, 1440, 875}};
        const ScreenGeometry right{{1440, 0, 1920, 1080}, {1440, 0, 1920, 1050}};
        const ScreenGeometry other{{0, 2000, 800, 600}, {0, 2000, 800, 580}};
        using Screen = std::optional<ScreenGeometry>;
        QTest::addColumn<QRectF>("anchor");
        QTest::addColumn<Screen>("anchorScreen");
        QTest::addColumn<Screen>("mainScreen");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("first screen")
            << QRectF(100, 100, 720, 400) << Screen() << Screen() << left.visibleFrame;
        QTest::newRow("second screen")
            << QRectF(1600, 100, 720, 400) << Screen(left) << Screen(left) << right.visibleFrame;
        QTest::newRow("centre on shared edge")
            << QRectF(1080, 100, 720, 400) << Screen() << Screen() << right.visibleFrame;
        QTest::newRow("off screen, anchor's")
            << QRectF(5000, 5000, 720, 400) << Screen(other) << Screen(left) << other.visibleFrame;
        QTest::newRow("off screen, main")
            << QRectF(5000, 5000, 720, 400) << Screen() << Screen(left) << left.visibleFrame;
        QTest::newRow("no screen at all")
            << QRectF(5000, 5000, 720, 400) << Screen() << Screen() << QRectF(5000, 5000, 720, 400);
    }
    void visibleFrameForAnchor()
    {
        QFETCH(QRectF, anchor);
        QFETCH(std::optional<ScreenGeometry>, anchorScreen);
        QFETCH(std::optional<ScreenGeometry>, mainScreen);
        QFETCH(QRectF, expected);
        const QList<ScreenGeometry> screens = {{{0, 0, 1440, 900}, {0, 0, 1440, 875}},
                                               {{1440, 0, 1920, 1080}, {1440, 0, 1920, 1050}}};
        QCOMPARE(SettingsWindowController::visibleFrameForAnchor(anchor, screens, anchorScreen,
                                                                 mainScreen),
                 expected);
    }

    void frameBeside_data()
    {
        QTest::addColumn<QRectF>("anchor");
        QTest::addColumn<QRectF>("visible");
        QTest::addColumn<QRectF>("expected");
        const QRectF laptop(0, 0, 1440, 875);
        QTest::newRow("right, centred on the panel")
            << QRectF(100, 300, 720, 400) << laptop << QRectF(832, 180, 440, 640);
        QTest::newRow("right, lifted to the bottom margin")
            << QRectF(100, 0, 720, 100) << laptop << QRectF(832, 12, 440, 640);
        QTest::newRow("left near the right edge")
            << QRectF(700, 300, 720, 400) << laptop << QRectF(248, 180, 440, 640);
        QTest::newRow("exactly fits on the right")
            << QRectF(524, 300, 440, 400) << laptop << QRectF(976, 180, 440, 640);
        QTest::newRow("above when neither side has room")
            << QRectF(300, 100, 900, 400) << QRectF(0, 0, 1440, 1400) << QRectF(530, 512, 440, 640);
        QTest::newRow("above, pushed down under the top margin")
            << QRectF(300, 100, 900, 400) << laptop << QRectF(530, 223, 440, 640);
        QTest::newRow("second screen") << QRectF(1500, 200, 720, 400) << QRectF(1440, 0, 1920, 1050)
                                       << QRectF(2232, 80, 440, 640);
    }
    void frameBeside()
    {
        QFETCH(QRectF, anchor);
        QFETCH(QRectF, visible);
        QFETCH(QRectF, expected);
        QCOMPARE(SettingsWindowController::frameBeside(anchor, QSizeF(440, 640), visible),
                 expected);
    }

    void showBuildsOneWindowAndKeepsTheForm()
    {
        SettingsWindowController controller;
        controller.show(nullptr);
        QWidget *window = controller.window();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), "Zorv 設定");
        QCOMPARE(window->size(), QSize(440, 640));
        QCOMPARE(window->minimumSize(), QSize(400, 420));
        QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);

        control<QLineEdit>(window, "fontSizeField")->setText("27");
        window->close();
        controller.show(nullptr);
        QCOMPARE(controller.window(), window);
        QCOMPARE(control<QLineEdit>(window, "fontSizeField")->text(), "27");
    }

    void saveClosesTheWindow()
    {
        SettingsWindowController controller;
        controller.show(nullptr);
        control<SettingsViewController>(controller.window(), "")->save();
        QVERIFY(!controller.window()->isVisible());
    }

    void opensBesideAVisibleAnchorElseCentred()
    {
        QWidget anchor;
        anchor.setGeometry(10, 10, 200, 100);
        SettingsWindowController controller;
        controller.show(&anchor); // hidden anchor: centred
        const QRect available = controller.window()->screen()->availableGeometry();
        QCOMPARE(controller.window()->frameGeometry().topLeft(),
                 QPoint(available.x() + (available.width() - 440) / 2,
                        available.y() + (available.height() - 640) / 2));

        anchor.show();
        controller.show(&anchor);
        QCOMPARE(controller.window()->frameGeometry().x(), anchor.frameGeometry().right() + 1 + 12);
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
