// The stores on real files: a confirm adds a card (history.json rewritten) and sets the
// active memo's text (one memo file written); showing the panel re-reads every memo.

#include "model/AppSettings.h"
#include "model/CardStore.h"
#include "model/DataFolder.h"
#include "model/MemoFile.h"
#include "model/MemoStore.h"
#include "model/StoredValues.h"
#include "platform/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int historyCards = 200;
constexpr int memoCount = 1000;

QString sampleText(int seed, int length)
{
    const QString line = QStringLiteral("メモ %1: the quick brown fox jumps over the lazy dog.\n");
    QString text;
    while (text.size() < length)
        text += line.arg(seed);
    text.truncate(length);
    return text;
}

// 1,000 memos of about 2 KB, written once for the memo benchmarks.
void writeMemoFolder()
{
    const QString folder = QDir(dataFolderURL()).filePath(QStringLiteral("Memos"));
    QDir().mkpath(folder);
    const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-30);
    for (int i = 0; i < memoCount; ++i) {
        const Memo memo{QUuid::createUuid(), QStringLiteral("Memo %1").arg(i), sampleText(i, 2000),
                        start.addSecs(i * 60), i % 50 == 0};
        AtomicFile::write(QDir(folder).filePath(uuidText(memo.id) + QStringLiteral(".md")),
                          memoFileContent(memo));
    }
}

void BM_CardAdd(benchmark::State &state)
{
    AppSettings::maxCards.set(historyCards);
    CardStore store;
    for (int i = 0; i < historyCards; ++i)
        store.add(sampleText(i, 120));
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(store.add(sampleText(i++, 120)));
    state.counters["cards"] = double(store.cards.size());
}
BENCHMARK(BM_CardAdd)->Unit(benchmark::kMicrosecond);

void BM_MemoSetActiveText(benchmark::State &state)
{
    MemoStore store;
    store.reload();
    const QString texts[2] = {sampleText(1, 2000), sampleText(2, 2000)};
    int i = 0;
    for (auto _ : state)
        store.setActiveText(texts[i++ % 2]);
    state.counters["memos"] = double(store.memos.size());
}
BENCHMARK(BM_MemoSetActiveText)->Unit(benchmark::kMicrosecond);

// A first reload reads every file; later ones read only the files that changed since.
void BM_MemoReload(benchmark::State &state)
{
    const bool firstRead = state.range(0) == 0;
    MemoStore kept;
    qsizetype count = 0;
    for (auto _ : state) {
        if (firstRead) {
            MemoStore store;
            store.reload();
            count = store.memos.size();
        } else {
            kept.reload();
            count = kept.memos.size();
        }
    }
    state.counters["memos"] = double(count);
}
BENCHMARK(BM_MemoReload)->ArgName("unchanged")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Everything happens in a temporary folder: never the user's data or settings.
    const auto home = std::make_unique<QTemporaryDir>();
    if (!home->isValid())
        return 1;
    qputenv("XDG_DATA_HOME", home->filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", home->filePath(QStringLiteral("config")).toUtf8());
    QCoreApplication app(argc, argv);
    if (!dataFolderURL().startsWith(home->path()))
        return 1;
    writeMemoFolder();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
