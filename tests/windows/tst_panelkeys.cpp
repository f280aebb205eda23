#include "platform/KeyCharacters.h"
#include "windows/PanelKeyChord.h"
#include "windows/PanelKeyMonitor.h"
#include "windows/ZorvBrandMarkView.h"
#include "windows/ZorvLogoView.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

Q_DECLARE_METATYPE(PanelKeyChord)
Q_DECLARE_METATYPE(std::optional<PanelScreenCorner>)

namespace {

const Qt::KeyboardModifiers command = Qt::ControlModifier;
const Qt::KeyboardModifiers control = Qt::MetaModifier;
const Qt::KeyboardModifiers option = Qt::AltModifier;
const Qt::KeyboardModifiers shift = Qt::ShiftModifier;

// A window with a text field and a window shortcut on Super+1, watched by a monitor that
// claims Super+1 and Ctrl+Return.
struct WatchedWindow
{
    QWidget window;
    QLineEdit *field = new QLineEdit(&window);
    QAction *shortcutAction = new QAction(&window);
    QList<int> handled;
    std::unique_ptr<PanelKeyMonitor> monitor;

    WatchedWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        shortcutAction->setShortcut(QKeySequence(Qt::META | Qt::Key_1));
        window.addAction(shortcutAction);
        monitor = std::make_unique<PanelKeyMonitor>(field, [this](const QKeyEvent &event) {
            const bool claimed = (event.key() == Qt::Key_1 && event.modifiers() == control) ||
                                 (event.key() == Qt::Key_Return && event.modifiers() == command);
            if (claimed)
                handled.append(event.key());
            return claimed;
        });
    }

    bool show()
    {
        window.show();
        window.activateWindow();
        field->setFocus();
        return QTest::qWaitForWindowActive(&window);
    }
};

} // namespace

class TestPanelKeys : public QObject
{
    Q_OBJECT

private slots:
    void chords_data();
    void chords();
    void snapCorners_data();
    void snapCorners();
    void monitorConsumesOnceAndBeatsShortcuts();
    void monitorLetsOtherKeysThrough();
    void monitorIgnoresOtherWindows();
    void monitorStopsWhenDestroyed();
    void brandMarkLooksAndPassesClicksThrough();
};

void TestPanelKeys::chords_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<PanelKeyChord>("expected");
    const int ret = Qt::Key_Return;
    QTest::newRow("Ctrl+Return") << ret << command << PanelKeyChord::confirm;
    QTest::newRow("Ctrl+Shift+Return") << ret << (command | shift) << PanelKeyChord::confirm;
    QTest::newRow("Ctrl+Alt+Return") << ret << (command | option) << PanelKeyChord::confirm;
    QTest::newRow("Super+Alt+Return") << ret << (control | option) << PanelKeyChord::confirm;
    QTest::newRow("Super+Alt+Shift+Return")
        << ret << (control | option | shift) << PanelKeyChord::confirm;
    QTest::newRow("Ctrl+Super+Return") << ret << (command | control) << PanelKeyChord::none;
    QTest::newRow("Ctrl+Super+Alt+Return")
        << ret << (command | control | option) << PanelKeyChord::none;
    QTest::newRow("Super+Return (the global hotkey)") << ret << control << PanelKeyChord::none;
    QTest::newRow("Alt+Return") << ret << option << PanelKeyChord::none;
    QTest::newRow("Return") << ret << Qt::KeyboardModifiers() << PanelKeyChord::none;
    QTest::newRow("Ctrl+keypad Enter")
        << int(Qt::Key_Enter) << (command | Qt::KeypadModifier) << PanelKeyChord::none;
    QTest::newRow("Super+Alt+keypad Enter")
        << int(Qt::Key_Enter) << (control | option) << PanelKeyChord::none;
    QTest::newRow("Ctrl+Escape") << int(Qt::Key_Escape) << command << PanelKeyChord::clearEditor;
    QTest::newRow("Ctrl+Super+Escape")
        << int(Qt::Key_Escape) << (command | control) << PanelKeyChord::clearEditor;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers()
                            << PanelKeyChord::none;
    QTest::newRow("Super+Escape") << int(Qt::Key_Escape) << control << PanelKeyChord::none;
    QTest::newRow("Ctrl+Shift+U") << int(Qt::Key_U) << (command | shift)
                                  << PanelKeyChord::unfoldAll;
    QTest::newRow("Ctrl+Alt+Shift+U")
        << int(Qt::Key_U) << (command | option | shift) << PanelKeyChord::unfoldAll;
    QTest::newRow("Ctrl+U") << int(Qt::Key_U) << command << PanelKeyChord::none;
    QTest::newRow("Super+Shift+U") << int(Qt::Key_U) << (control | shift) << PanelKeyChord::none;
}

void TestPanelKeys::chords()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(PanelKeyChord, expected);
    QCOMPARE(panelKeyChord(key, modifiers, charactersIgnoringModifiers(key, modifiers)), expected);
}

void TestPanelKeys::snapCorners_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<std::optional<PanelScreenCorner>>("expected");
    using C = std::optional<PanelScreenCorner>;
    QTest::newRow("Super+1") << int(Qt::Key_1) << control << C(PanelScreenCorner::topLeft);
    QTest::newRow("Super+0") << int(Qt::Key_0) << control << C(PanelScreenCorner::topRight);
    QTest::newRow("Super+2") << int(Qt::Key_2) << control << C(PanelScreenCorner::bottomLeft);
    QTest::newRow("Super+9") << int(Qt::Key_9) << control << C(PanelScreenCorner::bottomRight);
    QTest::newRow("Super+keypad 9")
        << int(Qt::Key_9) << (control | Qt::KeypadModifier) << C(PanelScreenCorner::bottomRight);
    QTest::newRow("Super+5") << int(Qt::Key_5) << control << C();
    QTest::newRow("Super+Alt+1") << int(Qt::Key_1) << (control | option) << C();
    QTest::newRow("Ctrl+Super+1") << int(Qt::Key_1) << (control | command) << C();
    QTest::newRow("Super+Shift+1 is !") << int(Qt::Key_Exclam) << (control | shift) << C();
    QTest::newRow("Super+A") << int(Qt::Key_A) << control << C();
    QTest::newRow("1 alone") << int(Qt::Key_1) << Qt::KeyboardModifiers() << C();
    QTest::newRow("Ctrl+1") << int(Qt::Key_1) << command << C();
}

void TestPanelKeys::snapCorners()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(std::optional<PanelScreenCorner>, expected);
    QCOMPARE(panelSnapCorner(modifiers, charactersIgnoringModifiers(key, modifiers)), expected);
}

void TestPanelKeys::monitorConsumesOnceAndBeatsShortcuts()
{
    WatchedWindow watched;
    QVERIFY(watched.show());
    QSignalSpy triggered(watched.shortcutAction, &QAction::triggered);

    QTest::keyClick(watched.field, Qt::Key_1, control);
    QTest::keyClick(watched.field, Qt::Key_Return, command);

    QCOMPARE(watched.handled, (QList<int>{Qt::Key_1, Qt::Key_Return}));
    QCOMPARE(triggered.count(), 0);
    QCOMPARE(watched.field->text(), QString());
}

void TestPanelKeys::monitorLetsOtherKeysThrough()
{
    WatchedWindow watched;
    QVERIFY(watched.show());
    QSignalSpy triggered(watched.shortcutAction, &QAction::triggered);

    QTest::keyClicks(watched.field, QStringLiteral("ab"));

    QCOMPARE(watched.field->text(), QStringLiteral("ab"));
    QVERIFY(watched.handled.isEmpty());
}

void TestPanelKeys::monitorIgnoresOtherWindows()
{
    WatchedWindow watched;
    QVERIFY(watched.show());
    QWidget other;
    auto *otherField = new QLineEdit(&other);
    other.show();
    other.activateWindow();
    otherField->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&other));

    QTest::keyClick(otherField, Qt::Key_Return, command);
    QTest::keyClick(otherField, Qt::Key_1, control);

    QVERIFY(watched.handled.isEmpty());
}

void TestPanelKeys::monitorStopsWhenDestroyed()
{
    WatchedWindow watched;
    QVERIFY(watched.show());
    QSignalSpy triggered(watched.shortcutAction, &QAction::triggered);
    watched.monitor.reset();

    QTest::keyClick(watched.field, Qt::Key_1, control);

    QVERIFY(watched.handled.isEmpty());
    QCOMPARE(triggered.count(), 1);
}

void TestPanelKeys::brandMarkLooksAndPassesClicksThrough()
{
    QWidget window;
    window.resize(300, 200);
    auto *button = new QPushButton(QStringLiteral("under"), &window);
    button->setGeometry(0, 0, 300, 200);
    auto *mark = new ZorvBrandMarkView(&window);
    mark->move(100, 80);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY(!logoImage().isNull());
    QCOMPARE(mark->watermarkAlpha, 0.22);
    QCOMPARE(mark->alpha(), 0.22);
    QCOMPARE(mark->logoView()->alpha(), 1.0);
    QCOMPARE(mark->titleLabel()->text(), QStringLiteral("ZORV"));
    QVERIFY(mark->titleLabel()->font().bold());
    QCOMPARE(mark->titleLabel()->font().pointSizeF(), 15.0);
    QCOMPARE(mark->logoView()->geometry(), QRect(0, 0, 28, 28));
    QCOMPARE(mark->height(), 28);
    QCOMPARE(mark->titleLabel()->x(), 34);
    QCOMPARE(mark->titleLabel()->geometry().bottom() + 1, 29);

    mark->watermarkAlpha = 0.28;
    QCOMPARE(mark->alpha(), 0.22); // the field alone does not change the drawn alpha
    mark->setAlpha(0.28);
    QCOMPARE(mark->alpha(), 0.28);

    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, mark->geometry().center());
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                      mark->mapTo(&window, mark->titleLabel()->geometry().center()));
    QCOMPARE(clicked.count(), 2);
}

QTEST_MAIN(TestPanelKeys)
#include "tst_panelkeys.moc"
