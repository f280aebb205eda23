#include "../TestFiles.h"
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
#include <QTimer>
#include <memory>

class TestMemoPanel : public QObject
{
    Q_OBJECT

    std::unique_ptr<MemoStore> store;
    std::unique_ptr<QWidget> backdrop; // the dark panel
    MemoPanelViewController *panel = nullptr;
    std::unique_ptr<QSignalSpy> edits;
    QList<QUrl> opened; // by the file browser, which openUrl stands in for

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

    // Each chip's text (*: pinned, <: active), then the count label; "(dark)": not drawn light.
    QString shown() const
    {
        QStringList shown;
        for (QWidget *view : panel->arrangedViews()) {
            auto *chip = qobject_cast<MemoChipView *>(view);
            QLabel *label =
                chip ? static_cast<QLabel *>(chip->label()) : qobject_cast<QLabel *>(view);
            shown << (chip ? store->memo(chip->memoID())->text + (chip->isPinned() ? "*" : "") +
                                 (chip->isActive() ? "<" : "")
                           : label->text());
            if (label->palette().color(label->foregroundRole()).lightness() < 128)
                shown.last() += "(dark)";
        }
        return shown.join(' ');
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

    // Chips show the visible memos, pinned first, and count the others; a new limit shows at once.
    void chipsAndHiddenCountFollowTheLimit()
    {
        createMemos({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
        store->togglePin(store->memos.last().id);
        ViewTest::turn();
        QCOMPARE(shown(), "a* j< i h 他 6 件…");
        AppSettings::maxVisibleMemos.set(6);
        QCOMPARE(shown(), "a* j< i h g f 他 4 件…");
        AppSettings::maxVisibleMemos.set(10);
        QCOMPARE(shown(), "a* j< i h g f e d c b");
    }

    // Regression: "反映" without an active memo (create, then write) rebuilt the chips twice.
    void changesInOneEventRebuildTheChipsOnce()
    {
        createMemos({"a"});
        ViewTest::ChildAddedCounter built(panel->stackView());
        store->create();
        store->setActiveText("b");
        ViewTest::turn();
        QCOMPARE(built.count, 2); // the two chips, once each
        QCOMPARE(shown(), "b< a");
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
        QTest::addColumn<QString>("shownAfter");
        const auto row = [](const char *name, bool pinnedBefore, const char *item,
                            const char *after) {
            QTest::newRow(name) << pinnedBefore << QString(item) << QString(after);
        };
        row("edit makes it active, without a copy", false, "入力欄で編集", "newer older<");
        row("pin", false, "固定", "older* newer<");
        row("unpin", true, "固定を解除", "older newer<");
        row("delete", false, "削除", "newer<");
    }

    void menuActions()
    {
        QFETCH(bool, pinnedBefore);
        QFETCH(QString, item);
        createMemos({"older", "newer"});
        if (pinnedBefore) {
            store->togglePin(store->memos.at(1).id);
            ViewTest::turn();
        }
        QVERIFY(ViewTest::pickFromMenu(chips().at(pinnedBefore ? 0 : 1), panel, item));
        ViewTest::turn();
        QTEST(shown(), "shownAfter");
        QCOMPARE(edits->size(), int(item == "入力欄で編集"));
        if (!edits->isEmpty())
            QCOMPARE(edits->first().first().value<Memo>().text, "older");
        QCOMPARE(Pasteboard::string(), "untouched");
    }

    // Add makes a memo and hands it to the editor; apply does nothing before it has an owner.
    void addAndApplyButtons()
    {
        createMemos({"old"});
        QTest::mouseClick(panel->applyButton(), Qt::LeftButton);
        QTest::mouseClick(panel->addButton(), Qt::LeftButton);
        ViewTest::turn();
        QCOMPARE(shown(), "< old");
        QCOMPARE(edits->size(), 1);
        QCOMPARE(edits->first().first().value<Memo>().id, store->activeMemoID);
    }

    // Save offers the memo's title made safe for a file name; without an active memo, nothing.
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
        QCOMPARE(readFile(path), "# " + memo.title.toUtf8() + "\n\nexported text\n");
    }

    void openUrl(const QUrl &url) { opened.append(url); }

    void folderButtonOpensTheMemosFolder()
    {
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        QTest::mouseClick(panel->folderButton(), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(opened.size(), 1);
        const QFileInfo folder(opened.first().toLocalFile());
        QVERIFY(folder.isDir());
        QCOMPARE(folder.absoluteFilePath(), QDir(dataFolderURL()).absoluteFilePath("Memos"));
    }
};

QTEST_MAIN(TestMemoPanel)
#include "tst_memopanel.moc"
