#include "ViewTestSupport.h"

#include "model/AppSettings.h"
#include "model/MemoStore.h"
#include "platform/Pasteboard.h"
#include "views/ElidedLabel.h"
#include "views/MemoChipView.h"
#include "views/MemoPanelViewController.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

struct EditRecorder
{
    QList<Memo> edited;
};

// Stands in for the file browser: records what the folder button opens.
class UrlRecorder : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl &url) { opened.append(url); }

public:
    QList<QUrl> opened;
};

} // namespace

class TestMemoPanel : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ViewTest::resetUserData();
        store = std::make_unique<MemoStore>();
        store->reload();
        editor.edited.clear();
        panel = std::make_unique<MemoPanelViewController>(*store);
        connect(panel.get(), &MemoPanelViewController::memoPanelDidRequestEdit, this,
                [this](const Memo &memo) { editor.edited.append(memo); });
        panel->resize(595, 112);
        panel->show();
        Pasteboard::setString(QStringLiteral("untouched"));
    }

    void cleanup()
    {
        panel.reset();
        store.reset();
    }

    // The chips are the store's visible memos in its order; a label counts the others. A new
    // limit shows at once, without an event-loop turn.
    void chipsAndHiddenCountFollowTheLimit()
    {
        createMemos({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
        for (const int limit : {4, 6, 10}) {
            if (limit != 4)
                AppSettings::setMaxVisibleMemos(limit);
            const QList<MemoChipView *> shown = chips();
            const QList<Memo> expected = store->visibleMemos(limit);
            QCOMPARE(shown.size(), limit);
            for (int i = 0; i < shown.size(); ++i) {
                QCOMPARE(shown.at(i)->memoID(), expected.at(i).id);
                QCOMPARE(shown.at(i)->isActive(), expected.at(i).id == store->activeMemoID);
            }
            QCOMPARE(hiddenCountText(),
                     limit < 10 ? QStringLiteral("他 %1 件…").arg(10 - limit) : QString());
        }
    }

    // "反映" without an active memo creates one and writes its text: two store changes in one
    // event, which used to rebuild the chip row twice.
    void changesInOneEventRebuildTheChipsOnce()
    {
        createMemos({"a"});
        ViewTest::ChildAddedCounter built(panel->stackView());
        const Memo created = store->create();
        store->setActiveText(QStringLiteral("b"));
        ViewTest::turn();
        QCOMPARE(built.count, 2); // the two chips, once each
        QCOMPARE(chips().size(), 2);
        QCOMPARE(chips().first()->memoID(), created.id);
        QVERIFY(chips().first()->isActive());
    }

    // The panel takes its colours from the dark window it lives in, chips built later included.
    void textIsLightOnADarkPanel()
    {
        QWidget backdrop;
        QPalette dark = backdrop.palette();
        dark.setColor(QPalette::Window, QColor(30, 30, 32));
        dark.setColor(QPalette::WindowText, QColor(235, 235, 240));
        backdrop.setPalette(dark);
        auto *darkPanel = new MemoPanelViewController(*store, &backdrop);
        darkPanel->resize(595, 112);
        backdrop.show();
        createMemos({"a", "b", "c", "d", "e", "f"});
        QList<QLabel *> labels;
        for (QWidget *view : darkPanel->arrangedViews()) {
            if (auto *chip = qobject_cast<MemoChipView *>(view))
                labels.append(chip->label());
            else
                labels.append(qobject_cast<QLabel *>(view));
        }
        QCOMPARE(labels.size(), 5);
        for (QLabel *label : labels) {
            const QColor ink = label->palette().color(label->foregroundRole());
            QVERIFY2(ink.lightness() > 128, qPrintable(label->text()));
        }
    }

    void clicks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("clickCount");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("edits");

        QTest::newRow("single click copies") << "older" << 1 << "older" << 0;
        QTest::newRow("empty memo is not copied") << "" << 1 << "untouched" << 0;
        QTest::newRow("double click edits") << "older" << 2 << "older" << 1;
        QTest::newRow("triple click does nothing more") << "older" << 3 << "older" << 1;
    }

    void clicks()
    {
        QFETCH(QString, text);
        QFETCH(int, clickCount);
        QFETCH(int, edits);
        createMemos({text, "newer"});
        const QUuid id = chips().at(1)->memoID();

        // Each click may rebuild the chips before the next one arrives. Only the first copies.
        const ulong start = ViewTest::newClickSeries();
        for (int click = 1; click <= clickCount; ++click) {
            ViewTest::clickInSeries(chips().at(1), click, start);
            if (click == 1) {
                QTEST(Pasteboard::string(), "clipboard");
                Pasteboard::setString(QStringLiteral("marker"));
            }
            ViewTest::turn();
        }
        QCOMPARE(store->activeMemoID, id);
        QCOMPARE(Pasteboard::string(), QStringLiteral("marker"));
        QCOMPARE(editor.edited.size(), edits);
        if (edits > 0)
            QCOMPARE(editor.edited.first(), *store->memo(id));
    }

    void menuActions_data()
    {
        QTest::addColumn<bool>("pinnedBefore");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("edits");
        QTest::addColumn<bool>("pinnedAfter");
        QTest::addColumn<int>("memoCount");

        QTest::newRow("edit") << false << "入力欄で編集" << 1 << false << 2;
        QTest::newRow("pin") << false << "固定" << 0 << true << 2;
        QTest::newRow("unpin") << true << "固定を解除" << 0 << false << 2;
        QTest::newRow("delete") << false << "削除" << 0 << false << 1;
    }

    void menuActions()
    {
        QFETCH(bool, pinnedBefore);
        QFETCH(QString, item);
        QFETCH(int, edits);
        createMemos({"older", "newer"});
        const QUuid id = store->memos.at(1).id;
        if (pinnedBefore) {
            store->togglePin(id);
            ViewTest::turn();
        }
        MemoChipView *chip = chips().at(pinnedBefore ? 0 : 1);
        QCOMPARE(chip->memoID(), id);

        QTest::mouseClick(chip, Qt::RightButton);
        QMenu *menu = ViewTest::openMenu(chip);
        QVERIFY(menu);
        const QString pinTitle =
            pinnedBefore ? QStringLiteral("固定を解除") : QStringLiteral("固定");
        QCOMPARE(ViewTest::menuTitles(menu), (QStringList{"入力欄で編集", pinTitle, "-", "削除"}));
        ViewTest::menuItem(menu, item)->trigger();
        menu->close();

        QCOMPARE(editor.edited.size(), edits);
        QTEST(int(store->memos.size()), "memoCount");
        const std::optional<Memo> after = store->memo(id);
        QTEST(after && after->isPinned, "pinnedAfter");
        if (edits > 0)
            QCOMPARE(store->activeMemoID, id); // editing makes the memo active, without a copy
        QCOMPARE(Pasteboard::string(), QStringLiteral("untouched"));
    }

    void addAndApplyButtons()
    {
        createMemos({"old"});
        QTest::mouseClick(panel->applyButton(), Qt::LeftButton); // no closure yet: nothing
        int applied = 0;
        panel->onApplyInputToMemo = [&applied] { ++applied; };
        QTest::mouseClick(panel->applyButton(), Qt::LeftButton);
        QCOMPARE(applied, 1);
        QTest::mouseClick(panel->addButton(), Qt::LeftButton);
        QCOMPARE(store->memos.size(), 2);
        QCOMPARE(editor.edited.size(), 1);
        QCOMPARE(editor.edited.first().id, store->activeMemoID);
        QVERIFY(editor.edited.first().text.isEmpty());
    }

    void saveButtonOffersTheSanitizedName()
    {
        createMemos({"exported text"});
        const Memo memo = store->memos.first(); // titled like "12.06.21:40"
        QVERIFY(memo.displayTitle().contains(QLatin1Char(':')));
        QTemporaryDir target;
        const QString path = target.filePath(QStringLiteral("out.md"));
        QString offered;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            offered = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
        });
        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);

        QCOMPARE(offered, memo.displayTitle().replace(QLatin1Char(':'), QLatin1Char('_')) + ".md");
        QFile exported(path);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(exported.readAll()), "# " + memo.title + "\n\nexported text\n");
    }

    void saveButtonWithoutActiveMemoDoesNothing()
    {
        bool dialogShown = false;
        QTimer::singleShot(0, this, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                dialogShown = true;
                dialog->reject();
            }
        });
        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(!dialogShown);
    }

    void folderButtonOpensTheMemosFolder()
    {
        UrlRecorder browser;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "openUrl");
        QTest::mouseClick(panel->folderButton(), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

        QCOMPARE(browser.opened.size(), 1);
        const QString folder = browser.opened.first().toLocalFile();
        QCOMPARE(QFileInfo(folder).fileName(), QStringLiteral("Memos"));
        QCOMPARE(QFileInfo(folder).absolutePath(), QFileInfo(dataFolderURL()).absoluteFilePath());
        QVERIFY(QFileInfo(folder).isDir());
    }

private:
    // Creates memos whose texts are texts[i]; the last one created is active and first.
    void createMemos(const QStringList &texts)
    {
        for (const QString &text : texts) {
            store->create();
            store->setActiveText(text);
        }
        ViewTest::turn();
    }

    QList<MemoChipView *> chips() const
    {
        QList<MemoChipView *> found;
        for (QWidget *view : panel->arrangedViews()) {
            if (auto *chip = qobject_cast<MemoChipView *>(view))
                found.append(chip);
        }
        return found;
    }

    // The label after the chips, or an empty string when there is none.
    QString hiddenCountText() const
    {
        const QList<QWidget *> views = panel->arrangedViews();
        auto *label = views.isEmpty() ? nullptr : qobject_cast<QLabel *>(views.last());
        return label && !qobject_cast<ElidedLabel *>(label) ? label->text() : QString();
    }

    std::unique_ptr<MemoStore> store;
    std::unique_ptr<MemoPanelViewController> panel;
    EditRecorder editor;
};

QTEST_MAIN(TestMemoPanel)
#include "tst_memopanel.moc"
