// Zorv's entry among GNOME's custom shortcuts, written into a private keyfile GSettings backend.
#include "platform/GnomeCustomKeybinding.h"
#include "settings/HotKeyStateView.h"
#include "settings/SettingsViewController.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>

namespace {

const QString listSchema = QStringLiteral("org.gnome.settings-daemon.plugins.media-keys");
const QString entryPath = QStringLiteral("/org/gnome/settings-daemon/plugins/media-keys/"
                                         "custom-keybindings/");

QString gsettings(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("gsettings"), arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

class TestGnomeKeybinding : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The test's own XDG_CONFIG_HOME holds the keyfile; GNOME's real settings stay untouched.
        QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").contains("/home/tst_"));
        qputenv("GSETTINGS_BACKEND", "keyfile");
        qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
        if (!GnomeCustomKeybinding::isAvailable())
            QSKIP("GNOME's settings schemas (gnome-settings-daemon-common) are not installed");
        gsettings({"set", listSchema, "custom-keybindings", "['" + entryPath + "custom0/']"});
    }

    void cleanupTestCase() { gsettings({"reset", listSchema, "custom-keybindings"}); }

    // Added once, updated in place, removed without touching the user's own shortcuts.
    void roundTrip()
    {
        const QStringList list{"get", listSchema, "custom-keybindings"};
        const QString ours = listSchema + ".custom-keybinding:" + entryPath + "zorv/";
        QVERIFY(GnomeCustomKeybinding::install(KeyCombo(36, 0x1000)));
        QVERIFY(GnomeCustomKeybinding::install(KeyCombo(49, 0x1800)));
        QCOMPARE(gsettings(list), "['" + entryPath + "custom0/', '" + entryPath + "zorv/']");
        QCOMPARE(gsettings({"get", ours, "name"}), "'Zorv'");
        QCOMPARE(gsettings({"get", ours, "command"}), "'zorv --toggle'");
        QCOMPARE(GnomeCustomKeybinding::installedBinding(), "<Super><Alt>space");

        QVERIFY(GnomeCustomKeybinding::remove());
        QCOMPARE(gsettings(list), "['" + entryPath + "custom0/']");
        QCOMPARE(GnomeCustomKeybinding::installedBinding(), std::nullopt);
        QVERIFY(GnomeCustomKeybinding::remove());
    }

    // The label under the buttons grew to two lines but kept the height of one.
    void settingsButtonsWriteTheChosenHotkey()
    {
        SettingsViewController form;
        form.resize(440, 640);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto *view = form.findChild<HotKeyStateView *>();
        view->setChosenPreset(ToggleHotkeyPreset::controlSpace);
        auto *label = view->findChild<QLabel *>("gnomeShortcutLabel");
        QVERIFY(label);
        view->findChild<QPushButton *>("gnomeShortcutAddButton")->click();
        QCOMPARE(GnomeCustomKeybinding::installedBinding(), "<Super>space");
        QCOMPARE(label->text(),
                 "GNOME のショートカットに登録済み：Super+Space で「zorv --toggle」");
        QTRY_COMPARE(label->height(), label->heightForWidth(label->width()));
        // Zorv's own grab cannot work there, GNOME's entry does.
        QCOMPARE(view->findChild<QLabel *>("hotkeyStateLabel")->text(),
                 "有効（GNOME のショートカット：Super+Space）");
        view->findChild<QPushButton *>("gnomeShortcutRemoveButton")->click();
        QCOMPARE(GnomeCustomKeybinding::installedBinding(), std::nullopt);
    }
};

QTEST_MAIN(TestGnomeKeybinding)
#include "tst_gnomekeybinding.moc"
