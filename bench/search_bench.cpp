// The search benchmark: one query over the whole book (every entry, the 奇门遁甲 views and both
// articles, read from the installation folder the build leaves in bin/), against a plain
// QString::contains scan of the same texts for the same words. Queries of every kind are timed
// in turn: characters, several words, traditional characters, pinyin syllables and initials,
// punctuation forms, and words that are nowhere. Also the index's build on first use.
#include "Harness.h"

#include "app/SearchCommand.h"
#include "common/Module1.h"
#include "search/SearchIndex.h"

#include <QApplication>

#include <cstdio>
#include <ctime>

namespace {

double percentile(std::vector<double> samples, double fraction)
{
    std::sort(samples.begin(), samples.end());
    const std::size_t rank = std::size_t(std::ceil(fraction * double(samples.size()))) - 1;
    return samples[std::min(rank, samples.size() - 1)];
}

// The processor time of this thread: unlike the wall clock it leaves out the time the thread waited
// for a processor, which on a loaded machine dominates the slowest samples of so short a task.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Module1::setAppPath(QStringLiteral(LINGLU_BENCH_BIN_DIR));
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 400;

    std::vector<double> builds;
    std::unique_ptr<search::SearchIndex> index;
    for (int i = 0; i < 20; ++i)
        builds.push_back(bench::timeMs([&] { index = makeSearchIndex(); }));
    for (const QString &notice : index->notices())
        std::fprintf(stderr, "search: %s\n", qPrintable(notice));

    const QStringList queries = {
        QStringLiteral("符"),         QStringLiteral("灵符"),       QStringLiteral("撞客"),
        QStringLiteral("急急如律令"), QStringLiteral("朱砂 黄纸"),  QStringLiteral("井花水 狐 卯时"),
        QStringLiteral("鎮宅"),       QStringLiteral("驅邪護身"),   QStringLiteral("zhenzhai"),
        QStringLiteral("zzxj"),       QStringLiteral("z"),          QStringLiteral("nannv"),
        QStringLiteral("(室中狐狸)"), QStringLiteral("镇风,光,怪"), QStringLiteral("量子计算"),
        QStringLiteral("先须净心"),
    };
    const QStringList texts = index->texts();

    std::vector<double> found;
    std::vector<double> foundCpu;
    std::vector<double> scanned;
    std::vector<double> slowest(std::size_t(queries.size()));
    std::size_t hits = 0;
    for (int round = 0; round < rounds; ++round) {
        for (qsizetype q = 0; q < queries.size(); ++q) {
            const QString &query = queries[q];
            const double cpu = threadCpuMs();
            found.push_back(bench::timeMs([&] { hits += std::size_t(index->find(query).total); }));
            foundCpu.push_back(threadCpuMs() - cpu);
            slowest[std::size_t(q)] += found.back();
            const QStringList words = query.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            scanned.push_back(bench::timeMs([&] {
                for (const QString &text : texts) {
                    bool all = true;
                    for (const QString &word : words)
                        all = all && text.contains(word);
                    hits += all;
                }
            }));
        }
    }

    const bench::Stats query = bench::summarise(found);
    const bench::Stats scan = bench::summarise(scanned);
    const double p99 = percentile(found, 0.99);
    std::printf(
        "search: %d documents, %lld characters of text, %zu queries timed (%zu hits counted)\n", index->documentCount(),
        [&] {
            long long n = 0;
            for (const QString &text : texts)
                n += text.size();
            return n;
        }(),
        found.size(), hits);
    std::printf("query over the whole book:  median %.3f ms  p95 %.3f ms  p99 %.3f ms  max %.3f ms\n", query.median,
                query.p95, p99, query.max);
    std::printf("the same, processor time of the thread: median %.3f ms  p99 %.3f ms\n",
                bench::summarise(foundCpu).median, percentile(foundCpu, 0.99));
    const auto worst = std::max_element(slowest.begin(), slowest.end());
    std::printf("slowest query on average: \"%s\" %.3f ms\n", qPrintable(queries[worst - slowest.begin()]),
                *worst / rounds);
    std::printf("plain QString::contains scan: median %.3f ms  p95 %.3f ms  p99 %.3f ms\n", scan.median, scan.p95,
                percentile(scanned, 0.99));
    const bench::Stats build = bench::summarise(builds);
    std::printf("index built on first use: median %.1f ms  max %.1f ms\n", build.median, build.max);
    std::printf("ratio of medians %.2f; goal p99 < 2 ms: %s\n", query.median / scan.median,
                p99 < 2 ? "met" : "MISSED (wall clock)");
    return 0;
}
