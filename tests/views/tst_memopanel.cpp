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
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <memory>

// Stands in for the file browser: records what the folder button opens.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    Q_SLOT void openUrl(const QUrl &url) { opened.append(url); }
    QList<QUrl> opened;
};

class TestMemoPanel : public QObject
{
    Q_OBJECT

    std::unique_ptr<MemoStore> store;
    std::unique_ptr<QWidget> backdrop; // the dark panel
    MemoPanelViewController *panel = nullptr;
    std::unique_ptr<QSignalSpy> edits;

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

private slots:
    void init()
    {
        ViewTest::resetUserData();
        store = std::make_unique<MemoStore>();
        store->reload();
        backdrop = std::make_unique<QWidget>();
        ViewTest::makeDark(backdrop.get());
        panel = new MemoPanelViewController(*store, backdrop.get());
        edits =
            std::make_unique<QSignalSpy>(panel, &MemoPanelViewController::memoPanelDidRequestEdit);
        panel->resize(595, 112);
        backdrop->show();
        Pasteboard::setString("untouched");
    }

    void cleanup()
    {
        backdrop.reset();
        store.reset();
    }

    // The chips are the store's visible memos in its order, light on the dark panel; a label
    // counts the others. A new limit shows at once, without an event-loop turn.
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
                const QLabel *label = shown.at(i)->label();
                QVERIFY(label->palette().color(label->foregroundRole()).lightness() > 128);
            }
            QCOMPARE(hiddenCountText(), limit < 10 ? QString("他 %1 件…").arg(10 - limit) : "");
        }
    }

    // Regression: "反映" without an active memo makes two store changes in one event (create,
    // write), which rebuilt the chip row twice.
    void changesInOneEventRebuildTheChipsOnce()
    {
        createMemos({"a"});
        ViewTest::ChildAddedCounter built(panel->stackView());
        const Memo created = store->create();
        store->setActiveText("b");
        ViewTest::turn();
        QCOMPARE(built.count, 2); // the two chips, once each
        QCOMPARE(chips().size(), 2);
        QCOMPARE(chips().first()->memoID(), created.id);
        QVERIFY(chips().first()->isActive());
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

    // Each click may rebuild the chips before the next one arrives. Only the first copies.
    void clicks()
    {
        QFETCH(QString, text);
        QFETCH(int, clickCount);
        createMemos({text, "newer"});
        const QUuid id = chips().at(1)->memoID();
        ViewTest::clickSeries([this] { return chips().at(1); }, clickCount,
                              [] {
                                  QTEST(Pasteboard::string(), "clipboard");
                                  Pasteboard::setString("marker");
                              });
        QCOMPARE(store->activeMemoID, id);
        QCOMPARE(Pasteboard::string(), "marker");
        QTEST(int(edits->size()), "edits");
        if (!edits->isEmpty())
            QCOMPARE(edits->first().first().value<Memo>(), *store->memo(id));
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
        createMemos({"older", "newer"});
        const QUuid id = store->memos.at(1).id;
        if (pinnedBefore) {
            store->togglePin(id);
            ViewTest::turn();
        }
        MemoChipView *chip = chips().at(pinnedBefore ? 0 : 1);
        QCOMPARE(chip->memoID(), id);
        QVERIFY(ViewTest::pickFromMenu(chip, panel, item));
        QTEST(int(edits->size()), "edits");
        QTEST(int(store->memos.size()), "memoCount");
        const std::optional<Memo> after = store->memo(id);
        QTEST(after && after->isPinned, "pinnedAfter");
        if (!edits->isEmpty())
            QCOMPARE(store->activeMemoID, id); // editing makes the memo active, without a copy
        QCOMPARE(Pasteboard::string(), "untouched");
    }

    // Without an active memo the save button shows no dialog; with one it offers the memo's
    // title made safe for a file name and writes the memo there.
    void saveButtonOffersTheSanitizedName()
    {
        QTemporaryDir target;
        const QString path = target.filePath("out.md");
        QStringList offered;
        const auto answerDialog = [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                offered << dialog->findChild<QLineEdit *>("fileNameEdit")->text();
                dialog->selectFile(path);
                static_cast<QDialog *>(dialog)->accept();
            }
        };
        QTimer::singleShot(0, this, answerDialog);
        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(offered.isEmpty());

        createMemos({"exported text"});
        const Memo memo = store->memos.first(); // titled like "12.06.21:40"
        QTimer::singleShot(0, this, answerDialog);
        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        QCOMPARE(offered, QStringList{QString(memo.displayTitle()).replace(':', '_') + ".md"});
        QFile exported(path);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QCOMPARE(exported.readAll(), "# " + memo.title.toUtf8() + "\n\nexported text\n");
    }

    void folderButtonOpensTheMemosFolder()
    {
        UrlRecorder browser;
        QDesktopServices::setUrlHandler("file", &browser, "openUrl");
        QTest::mouseClick(panel->folderButton(), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(browser.opened.size(), 1);
        const QFileInfo folder(browser.opened.first().toLocalFile());
        QVERIFY(folder.isDir());
        QCOMPARE(folder.absoluteFilePath(), QDir(dataFolderURL()).absoluteFilePath("Memos"));
    }
};

QTEST_MAIN(TestMemoPanel)
#include "tst_memopanel.moc"
