#include "../TestFiles.h"
#include "model/AppSettings.h"
#include "platform/AutostartEntry.h"
#include "platform/GnomeCustomKeybinding.h"
#include "settings/HotKeyStateView.h"
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
#include <QProcess>
#include <QPushButton>
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
        QTest::newRow("checked: written") << QByteArray("-") << false << true;
        QTest::newRow("unchecked: removed") << QByteArray("[Desktop Entry]\n") << true << false;
        QTest::newRow("switched off outside: kept")
            << QByteArray("[Desktop Entry]\nHidden=true\n") << false << false;
    }

    void loginRowFollowsTheAutostartEntry()
    {
        QFETCH(QByteArray, existing);
        QFETCH(bool, check);
        QFile file(AutostartEntry::filePath());
        const QDir folder = QFileInfo(file).dir();
        QVERIFY(folder.path().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
        QVERIFY(QDir(folder).removeRecursively() && folder.mkpath("."));
        writeFile(folder.filePath("other.desktop"), "");
        if (existing != "-")
            writeFile(file.fileName(), existing);
        SettingsViewController form;
        auto *box = control<QCheckBox>(&form, "loginItemCheckbox");
        QTEST(box->isChecked(), "shownChecked");
        box->setChecked(check);
        form.save();
        QCOMPARE(file.exists(), check || existing.contains("Hidden"));
        QVERIFY(QFile::exists(folder.filePath("other.desktop")));
        QVERIFY(!check || (readFile(file.fileName()).contains("\nExec=zorv --background\n") &&
                           modeOf(file.fileName()) == 0600));
    }

    // A huge size once overflowed an integer cast; the hotkey help once named the Mac keys.
    void formShowsStoredValuesByTheirReadRules()
    {
        store().setString("editorTheme", "dark");
        store().setBool("dimWhenInactive", false);
        store().setDouble("fontSize", 1e300);
        store().setDouble("windowWidth", 901.9);
        store().setDouble("windowOpacity", 0.556);
        store().setString("toggleHotkey", "controlSpace");
        SettingsViewController form;
        QCOMPARE(control<QComboBox>(&form, "themePopup")->currentIndex(), 1); // sublime
        QVERIFY(!control<QCheckBox>(&form, "dimWhenInactiveCheckbox")->isChecked());
        QCOMPARE(control<QLineEdit>(&form, "fontSizeField")->text().size(), 301);
        QCOMPARE(control<QLineEdit>(&form, "windowWidthField")->text(), "901");
        QCOMPARE(control<QLabel>(&form, "opacityValueLabel")->text(), "56%");
        QCOMPARE(control<QLabel>(&form, "inactiveOpacityValueLabel")->text(), "55%");
        const auto opens = [&form] {
            for (const QLabel *help : form.findChildren<QLabel *>("helpLabel")) {
                if (help->text().contains("で開く｜Ctrl+Enter または Super+Alt+Enter で確定"))
                    return help->text().section(u' ', 0, 0);
            }
            return QString();
        };
        QCOMPARE(opens(), "Super+Space");
        control<QComboBox>(&form, "hotkeyPopup")->setCurrentIndex(1); // chosen, not yet saved
        QCOMPARE(opens(), "Super+Alt+Space");
    }

    // Saved in the form's order, one announcement per value (one for both sizes); a field not
    // wholly a C-syntax number in range, or an empty pop-up, is skipped and keeps its text.
    void saveWritesInOrderAndAnnounces_data()
    {
        QTest::addColumn<QString>("target"); // a field given the text, or a pop-up left empty
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("skipped"); // the key not written
        const auto row = [](const char *target, const char *text, const char *skipped) {
            QTest::addRow("%s '%s'", target, text) << target << QString::fromUtf8(text) << skipped;
        };
        row("", "", ""); // all valid
        row("fontSizeField", "12.5", "");
        row("fontSizeField", "9.99", "fontSize");
        row("fontSizeField", "32.01", "fontSize");
        row("fontSizeField", " 14", "fontSize");
        row("fontSizeField", "12,5", "fontSize");
        row("maxCardsField", "20.0", "maxCards");
        row("maxCardsField", "201", "maxCards");
        row("maxCardsField", "２０", "maxCards");
        row("maxCardsField", "٣٠", "maxCards");
        row("maxCardsField", "1e1", "maxCards");
        row("maxCardsField", "", "maxCards");
        row("fontSizeField", "1e1", "");
        row("fontSizeField", "012", ""); // not octal
        row("fontSizeField", "0x10", "fontSize");
        row("fontSizeField", "\t14", "fontSize");
        row("fontSizeField", "\u300014", "fontSize");
        row("maxVisibleMemosField", "13", "maxVisibleMemos");
        row("windowWidthField", "600.5", "");
        row("windowHeightField", "319", "windowHeight");
        row("themePopup", "", "editorTheme");
    }
    void saveWritesInOrderAndAnnounces()
    {
        QFETCH(QString, target);
        QFETCH(QString, text);
        QFETCH(QString, skipped);
        SettingsViewController form;
        control<QComboBox>(&form, "themePopup")->setCurrentIndex(2);
        control<QCheckBox>(&form, "autoCollapseCheckbox")->setChecked(false);
        control<QSlider>(&form, "opacitySlider")->setValue(80);
        auto *field = form.findChild<QLineEdit *>(target);
        if (field)
            field->setText(text);
        if (auto *popup = form.findChild<QComboBox *>(target))
            popup->setCurrentIndex(-1);
        // Every key the form writes, in the order it writes them.
        const QStringList ordered =
            QString("toggleHotkey confirmTrigger editorTheme editorFontFamily editorLanguage "
                    "windowOpacity peekBarAccent afterConfirmBehavior autoCollapseWhenInactive "
                    "dimWhenInactive inactiveOpacityPercent fontSize maxCards maxVisibleMemos "
                    "windowWidth windowHeight")
                .split(u' ');
        QStringList expected = ordered.mid(0, 14), sizes{"windowWidth", "windowHeight"};
        expected.removeOne(skipped);
        sizes.removeOne(skipped);
        expected << sizes.join(u'+');

        QStringList seen, newAtEach; // the keys new at each announcement
        connect(SettingsNotifier::instance(), &SettingsNotifier::settingsDidChange, &form, [&] {
            QStringList fresh;
            for (const QString &key : ordered) {
                if (store().contains(key) && !seen.contains(key))
                    fresh << key;
            }
            seen << fresh;
            newAtEach << fresh.join(u'+');
        });
        form.save();
        QCOMPARE(newAtEach, expected);
        QCOMPARE(AppSettings::editorTheme(),
                 skipped == "editorTheme" ? EditorThemeKind::light : EditorThemeKind::dracula);
        QCOMPARE(AppSettings::autoCollapseWhenInactive(), false);
        QCOMPARE(AppSettings::windowOpacity(), 0.8);
        if (field)
            QCOMPARE(field->text(), text);
        if (field && skipped.isEmpty())
            QCOMPARE(store().doubleValue(target.chopped(5)), text.toDouble());
    }

    // Beside the panel (right, left, above) on its centre's, else its own, else the main screen.
    void placementBesideThePanel_data()
    {
        QTest::addColumn<QRectF>("anchor");
        QTest::addColumn<Screen>("anchorScreen");
        QTest::addColumn<Screen>("mainScreen");
        QTest::addColumn<QPointF>("origin");
        const ScreenGeometry left{{0, 0, 1440, 900}, {0, 0, 1440, 875}};
        const ScreenGeometry tall{{0, 2000, 1440, 1400}, {0, 2000, 1440, 1400}}; // no longer listed
        const auto row = [](const char *name, QRectF anchor, Screen anchorScreen, Screen main,
                            QPointF origin) {
            QTest::newRow(name) << anchor << anchorScreen << main << origin;
        };
        row("right, bottom margin", {100, 0, 720, 100}, {}, {}, {832, 12});
        row("exactly fits right", {524, 300, 440, 400}, {}, {}, {976, 180});
        row("left", {700, 300, 720, 400}, {}, {}, {248, 180});
        row("above, top margin", {300, 100, 900, 400}, {}, {}, {530, 223});
        row("the centre's screen first", {1600, 100, 720, 400}, left, left, {2332, 12});
        row("then the panel's screen", {300, 2100, 900, 400}, tall, left, {530, 2512});
        row("then the main screen", {300, 2100, 900, 400}, {}, tall, {530, 2512});
    }
    void placementBesideThePanel()
    {
        QFETCH(QRectF, anchor);
        QFETCH(Screen, anchorScreen);
        QFETCH(Screen, mainScreen);
        const QList<ScreenGeometry> screens{{{0, 0, 1440, 900}, {0, 0, 1440, 875}},
                                            {{1440, 0, 1920, 1080}, {1440, 0, 1920, 1050}}};
        const QRectF visible = SettingsWindowController::visibleFrameForAnchor(
            anchor, screens, anchorScreen, mainScreen);
        QTEST(SettingsWindowController::frameBeside(anchor, QSizeF(440, 640), visible).topLeft(),
              "origin");
    }

    void showReusesOneWindowAndPlacesIt()
    {
        QWidget anchor;
        anchor.setGeometry(10, 10, 200, 100);
        SettingsWindowController controller;
        controller.show(&anchor); // hidden anchor: centred
        QWidget *window = controller.window();
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
    // GNOME's custom shortcut in a private keyfile: added once, updated, removed; label height.
    void gnomeShortcutButtons()
    {
        qputenv("GSETTINGS_BACKEND", "keyfile");
        qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
        // The keyfile lies in CTest's private config folder; GNOME's real settings stay untouched.
        QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").contains("/home/tst_"));
        if (!GnomeCustomKeybinding::isAvailable())
            QSKIP("GNOME's settings schemas (gnome-settings-daemon-common) are not installed");
        const auto gsettings = [](const QStringList &arguments) {
            QProcess process;
            process.start("gsettings", arguments);
            process.waitForFinished();
            return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        };
        const QString schema = "org.gnome.settings-daemon.plugins.media-keys";
        const QString path = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/";
        const QStringList list{"get", schema, "custom-keybindings"};
        gsettings({"set", schema, "custom-keybindings", "['" + path + "custom0/']"});
        SettingsViewController form;
        form.resize(440, 640);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto *view = form.findChild<HotKeyStateView *>();
        auto *label = view->findChild<QLabel *>("gnomeShortcutLabel");
        for (auto preset :
             {ToggleHotkeyPreset::controlOptionSpace, ToggleHotkeyPreset::controlSpace}) {
            view->setChosenPreset(preset);
            view->findChild<QPushButton *>("gnomeShortcutAddButton")->click();
        }
        QCOMPARE(gsettings(list), "['" + path + "custom0/', '" + path + "zorv/']");
        const QString ours = schema + ".custom-keybinding:" + path + "zorv/";
        QCOMPARE(gsettings({"get", ours, "name"}), "'Zorv'");
        QCOMPARE(gsettings({"get", ours, "command"}), "'zorv --toggle'");
        QCOMPARE(GnomeCustomKeybinding::installedBinding(), "<Super>space");
        QCOMPARE(label->text(),
                 "GNOME のショートカットに登録済み：Super+Space で「zorv --toggle」");
        QTRY_COMPARE(label->height(), label->heightForWidth(label->width()));
        // Zorv's own grab cannot work there, GNOME's entry does.
        QCOMPARE(view->findChild<QLabel *>("hotkeyStateLabel")->text(),
                 "有効（GNOME のショートカット：Super+Space）");
        view->findChild<QPushButton *>("gnomeShortcutRemoveButton")->click();
        QCOMPARE(gsettings(list), "['" + path + "custom0/']");
        QCOMPARE(GnomeCustomKeybinding::installedBinding(), std::nullopt);
        QVERIFY(GnomeCustomKeybinding::remove());
        qunsetenv("XDG_CURRENT_DESKTOP");
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
