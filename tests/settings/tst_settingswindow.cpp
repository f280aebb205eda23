#include "model/AppSettings.h"
#include "platform/AutostartEntry.h"
#include "platform/PreferencesStore.h"
#include "platform/SettingsNotifier.h"
#include "settings/SettingsViewController.h"
#include "settings/SettingsWindowController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

using Screen = std::optional<ScreenGeometry>;

class TestSettingsWindow : public QObject
{
    Q_OBJECT

    static PreferencesStore &store() { return PreferencesStore::standard(); }

    template <typename T> static T *control(QWidget *form, const QString &name)
    {
        T *found = form->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    // Every key the form writes, in the order it writes them.
    static QStringList orderedKeys()
    {
        return QStringLiteral("toggleHotkey confirmTrigger editorTheme editorFontFamily "
                              "editorLanguage windowOpacity peekBarAccent afterConfirmBehavior "
                              "autoCollapseWhenInactive dimWhenInactive inactiveOpacityPercent "
                              "fontSize maxCards maxVisibleMemos windowWidth windowHeight")
            .split(u' ');
    }

    QList<QUrl> m_openedUrls;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { store().clear(); }

    // Stands in for the file browser: QDesktopServices hands it the URL it would open.
    void openUrl(const QUrl &url) { m_openedUrls << url; }

    void dataFolderButtonOpensTheCreatedFolder()
    {
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Zorv";
        QDir(folder).removeRecursively();
        SettingsViewController form;
        control<QPushButton>(&form, "dataFolderButton")->click();
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(m_openedUrls, QList<QUrl>{QUrl::fromLocalFile(folder)});
        QVERIFY(QDir(folder).exists());
    }

    // The autostart entry is the setting: the box shows it, saving changes only that file.
    void loginRowFollowsTheAutostartEntry_data()
    {
        QTest::addColumn<QByteArray>("existing"); // the entry before the form opens; "-": none
        QTest::addColumn<bool>("shownChecked");
        QTest::addColumn<bool>("check");
        QTest::addColumn<bool>("entryAfter");
        QTest::newRow("checked: written") << QByteArray("-") << false << true << true;
        QTest::newRow("unchecked: removed")
            << QByteArray("[Desktop Entry]\n") << true << false << false;
        QTest::newRow("switched off outside")
            << QByteArray("[Desktop Entry]\nHidden=true\n") << false << false << true;
    }

    void loginRowFollowsTheAutostartEntry()
    {
        QFETCH(QByteArray, existing);
        QFETCH(bool, shownChecked);
        QFETCH(bool, check);
        QFETCH(bool, entryAfter);
        const QString path = AutostartEntry::filePath();
        QVERIFY(path.startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
        QDir(QFileInfo(path).path()).removeRecursively();
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile other(QFileInfo(path).path() + "/other.desktop");
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        if (existing != "-") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(existing);
        }
        SettingsViewController form;
        auto *box = control<QCheckBox>(&form, "loginItemCheckbox");
        QCOMPARE(box->isChecked(), shownChecked);
        box->setChecked(check);
        form.save();
        QCOMPARE(QFile::exists(path), entryAfter);
        QVERIFY(other.exists());
        if (check) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.readAll().contains("\nExec=zorv --background\n"));
            QCOMPARE(file.permissions() & 0x0777, QFile::ReadUser | QFile::WriteUser);
        }
    }

    void formShowsStoredValuesByTheirReadRules()
    {
        store().setString("editorTheme", "dark");
        store().setBool("dimWhenInactive", false);
        store().setDouble("fontSize", 12.5);
        store().setInt("maxVisibleMemos", 40);
        store().setDouble("windowWidth", 901.9);
        store().setDouble("windowOpacity", 0.556);
        SettingsViewController form;
        QCOMPARE(control<QComboBox>(&form, "themePopup")->currentIndex(), 1);      // sublime
        QCOMPARE(control<QComboBox>(&form, "fontFamilyPopup")->currentIndex(), 1); // hiragino
        QVERIFY(!control<QCheckBox>(&form, "dimWhenInactiveCheckbox")->isChecked());
        QCOMPARE(control<QLineEdit>(&form, "fontSizeField")->text(), "12");
        QCOMPARE(control<QLineEdit>(&form, "maxCardsField")->text(), "50");
        QCOMPARE(control<QLineEdit>(&form, "maxVisibleMemosField")->text(), "12");
        QCOMPARE(control<QLineEdit>(&form, "windowWidthField")->text(), "901");
        QCOMPARE(control<QLabel>(&form, "opacityValueLabel")->text(), "56%");
        QCOMPARE(control<QLabel>(&form, "inactiveOpacityValueLabel")->text(), "55%");
    }

    // The help named the Mac keys; it names the hotkey chosen in the pop-up, saved or not.
    void hotkeyHelpNamesTheChosenHotkey()
    {
        store().setString("toggleHotkey", "controlSpace");
        SettingsViewController form;
        const auto opens = [&form] {
            for (const QLabel *help : form.findChildren<QLabel *>("helpLabel")) {
                if (help->text().contains("で開く｜Ctrl+Enter または Super+Alt+Enter で確定"))
                    return help->text().section(u' ', 0, 0);
            }
            return QString();
        };
        QCOMPARE(opens(), "Super+Space");
        control<QComboBox>(&form, "hotkeyPopup")->setCurrentIndex(1);
        QCOMPARE(opens(), "Super+Alt+Space");
    }

    // Formatting a huge stored size used to go through an integer cast.
    void hugeStoredSizeShowsWithoutOverflow()
    {
        store().setDouble("fontSize", 1e300);
        SettingsViewController form;
        QCOMPARE(control<QLineEdit>(&form, "fontSizeField")->text().size(), 301);
    }

    void numberFieldIsParsedAndRanged_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("stored"); // the preference after saving; stored before:
        const double size = 20, cards = 60, memos = 6, height = 500;
        const auto row = [](const char *field, const char *text, double stored) {
            QTest::addRow("%s '%s'", field, text) << field << QString::fromUtf8(text) << stored;
        };
        row("fontSizeField", "12.5", 12.5);
        row("fontSizeField", "9.99", size);
        row("fontSizeField", "32.01", size);
        row("fontSizeField", " 14", size);
        row("fontSizeField", "12,5", size);
        row("maxCardsField", "20.0", cards);
        row("maxCardsField", "201", cards);
        row("maxCardsField", "２０", cards);
        row("maxVisibleMemosField", "13", memos);
        row("windowWidthField", "600.5", 600.5);
        row("windowHeightField", "319", height);
    }
    void numberFieldIsParsedAndRanged()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        AppSettings::fontSize.set(20);
        AppSettings::maxCards.set(60);
        AppSettings::maxVisibleMemos.set(6);
        AppSettings::windowWidth.set(800);
        AppSettings::windowHeight.set(500);
        SettingsViewController form;
        auto *edit = control<QLineEdit>(&form, field);
        edit->setText(text);
        form.save();

        const QHash<QString, double> read = {
            {"fontSizeField", AppSettings::fontSize()},
            {"maxCardsField", AppSettings::maxCards()},
            {"maxVisibleMemosField", AppSettings::maxVisibleMemos()},
            {"windowWidthField", AppSettings::windowWidth()},
            {"windowHeightField", AppSettings::windowHeight()},
        };
        QTEST(read.value(field), "stored");
        QCOMPARE(edit->text(), text); // a rejected text stays as typed
    }

    void rejectedFieldsLeaveTheOthersSaved()
    {
        AppSettings::windowWidth.set(800);
        AppSettings::windowHeight.set(500);
        SettingsViewController form;
        control<QLineEdit>(&form, "windowWidthField")->setText("1201");
        control<QLineEdit>(&form, "windowHeightField")->setText("319");
        control<QLineEdit>(&form, "fontSizeField")->setText("18");
        control<QComboBox>(&form, "themePopup")->setCurrentIndex(2);
        control<QCheckBox>(&form, "autoCollapseCheckbox")->setChecked(false);
        control<QSlider>(&form, "opacitySlider")->setValue(80);
        QCOMPARE(control<QLabel>(&form, "opacityValueLabel")->text(), "80%");
        QVERIFY(!store().contains("windowOpacity")); // a slider writes only on save
        form.save();
        QCOMPARE(AppSettings::windowWidth(), 800.0);
        QCOMPARE(AppSettings::windowHeight(), 500.0);
        QCOMPARE(AppSettings::fontSize(), 18.0);
        QCOMPARE(AppSettings::editorTheme(), EditorThemeKind::dracula);
        QCOMPARE(AppSettings::autoCollapseWhenInactive(), false);
        QCOMPARE(AppSettings::windowOpacity(), 0.8);
    }

    // Each announcement must follow the one value it covers, in the form's order; the last
    // covers the two sizes written without an announcement of their own.
    void saveWritesInOrderAndAnnounces_data()
    {
        QStringList keys = orderedKeys();
        keys.removeLast();
        keys.last() = "windowWidth+windowHeight";
        QTest::addColumn<QString>("badField");
        QTest::addColumn<QString>("untouchedPopup");
        QTest::addColumn<QStringList>("announced"); // the keys new at each announcement
        const auto without = [&keys](const QString &key) {
            QStringList rest = keys;
            rest.removeOne(key);
            return rest;
        };
        QTest::newRow("all valid") << ""
                                   << "" << keys;
        QTest::newRow("history size rejected") << "maxCardsField"
                                               << "" << without("maxCards");
        QTest::newRow("memo count rejected") << "maxVisibleMemosField"
                                             << "" << without("maxVisibleMemos");
        QTest::newRow("height rejected") << "windowHeightField"
                                         << "" << (keys.mid(0, 14) << "windowWidth");
        QTest::newRow("theme unselected") << ""
                                          << "themePopup" << without("editorTheme");
    }
    void saveWritesInOrderAndAnnounces()
    {
        QFETCH(QString, badField);
        QFETCH(QString, untouchedPopup);
        QFETCH(QStringList, announced);
        SettingsViewController form;
        if (!badField.isEmpty())
            control<QLineEdit>(&form, badField)->setText("x");
        if (!untouchedPopup.isEmpty())
            control<QComboBox>(&form, untouchedPopup)->setCurrentIndex(-1);

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

    void visibleFrameForAnchor_data()
    {
        const ScreenGeometry left{{0, 0, 1440, 900}, {0, 0, 1440, 875}};
        const ScreenGeometry right{{1440, 0, 1920, 1080}, {1440, 0, 1920, 1050}};
        const ScreenGeometry other{{0, 2000, 800, 600}, {0, 2000, 800, 580}};
        const QRectF away(5000, 5000, 720, 400);
        QTest::addColumn<QRectF>("anchor");
        QTest::addColumn<Screen>("anchorScreen");
        QTest::addColumn<Screen>("mainScreen");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("first") << QRectF(100, 100, 720, 400) << Screen() << Screen()
                               << left.visibleFrame;
        QTest::newRow("second") << QRectF(1600, 100, 720, 400) << Screen(left) << Screen(left)
                                << right.visibleFrame;
        QTest::newRow("centre on the shared edge")
            << QRectF(1080, 100, 720, 400) << Screen() << Screen() << right.visibleFrame;
        QTest::newRow("anchor's") << away << Screen(other) << Screen(left) << other.visibleFrame;
        QTest::newRow("main") << away << Screen() << Screen(left) << left.visibleFrame;
        QTest::newRow("none") << away << Screen() << Screen() << away;
    }
    void visibleFrameForAnchor()
    {
        QFETCH(QRectF, anchor);
        QFETCH(Screen, anchorScreen);
        QFETCH(Screen, mainScreen);
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
        QTest::addColumn<QPointF>("origin");
        const QRectF laptop(0, 0, 1440, 875);
        QTest::newRow("right") << QRectF(100, 300, 720, 400) << laptop << QPointF(832, 180);
        QTest::newRow("right, bottom margin")
            << QRectF(100, 0, 720, 100) << laptop << QPointF(832, 12);
        QTest::newRow("exactly fits right")
            << QRectF(524, 300, 440, 400) << laptop << QPointF(976, 180);
        QTest::newRow("left") << QRectF(700, 300, 720, 400) << laptop << QPointF(248, 180);
        QTest::newRow("above") << QRectF(300, 100, 900, 400) << QRectF(0, 0, 1440, 1400)
                               << QPointF(530, 512);
        QTest::newRow("above, top margin")
            << QRectF(300, 100, 900, 400) << laptop << QPointF(530, 223);
        QTest::newRow("second screen")
            << QRectF(1500, 200, 720, 400) << QRectF(1440, 0, 1920, 1050) << QPointF(2232, 80);
    }
    void frameBeside()
    {
        QFETCH(QRectF, anchor);
        QFETCH(QRectF, visible);
        QFETCH(QPointF, origin);
        QCOMPARE(SettingsWindowController::frameBeside(anchor, QSizeF(440, 640), visible),
                 QRectF(origin, QSizeF(440, 640)));
    }

    void showReusesOneWindowAndPlacesIt()
    {
        QWidget anchor;
        anchor.setGeometry(10, 10, 200, 100);
        SettingsWindowController controller;
        controller.show(&anchor); // hidden anchor: centred
        QWidget *window = controller.window();
        QCOMPARE(window->windowTitle(), "Zorv 設定");
        QCOMPARE(window->size(), QSize(440, 640));
        QCOMPARE(window->minimumSize(), QSize(400, 420));
        const QRect available = window->screen()->availableGeometry();
        QCOMPARE(window->frameGeometry().topLeft(),
                 QPoint(available.x() + (available.width() - 440) / 2,
                        available.y() + (available.height() - 640) / 2));

        control<QLineEdit>(window, "fontSizeField")->setText("27");
        control<SettingsViewController>(window, "")->save();
        QVERIFY(!window->isVisible());
        anchor.show();
        controller.show(&anchor);
        QCOMPARE(controller.window(), window);
        QCOMPARE(control<QLineEdit>(window, "fontSizeField")->text(), "27");
        QCOMPARE(window->frameGeometry().x(), anchor.frameGeometry().right() + 1 + 12);
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
