#pragma once
// The benchmarks' own small harness: time a piece of work many times, summarise the samples as
// median and 95th percentile, and set each figure against a baseline measured in the same run.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Work> double timeMs(Work &&work)
{
    const Clock::time_point start = Clock::now();
    work();
    return millisecondsSince(start);
}

struct Stats {
    int count = 0;
    double median = 0;
    double p95 = 0;
    double min = 0;
    double max = 0;
};

// Nearest-rank percentiles of the samples.
inline Stats summarise(std::vector<double> samples)
{
    Stats stats;
    if (samples.empty())
        return stats;
    std::sort(samples.begin(), samples.end());
    const auto rank = [&](double fraction) {
        const std::size_t index = std::size_t(std::ceil(fraction * double(samples.size()))) - 1;
        return samples[std::min(index, samples.size() - 1)];
    };
    stats.count = int(samples.size());
    stats.median = samples.size() % 2 ? samples[samples.size() / 2]
                                      : (samples[samples.size() / 2 - 1] + samples[samples.size() / 2]) / 2;
    stats.p95 = rank(0.95);
    stats.min = samples.front();
    stats.max = samples.back();
    return stats;
}

// One line of the report: a figure, its baseline, the ratio of their medians and the goal. The
// figures the issue of each benchmark names are written to the JSON file too; breakdown lines
// (json false) only to the table.
struct Line {
    Line(QString name, Stats figure, QString unit, QString baselineName, Stats baseline, QString goal, bool met)
        : name(std::move(name))
        , figure(figure)
        , unit(std::move(unit))
        , baselineName(std::move(baselineName))
        , baseline(baseline)
        , goal(std::move(goal))
        , met(met)
    {
    }

    QString name;
    Stats figure;
    QString unit;
    QString baselineName;
    Stats baseline;
    QString goal;
    bool met = true;
    bool json = true;
    // Extra fields of the JSON object, such as peak_mb or cpu_percent.
    QJsonObject extra;
};

class Report
{
  public:
    void add(const Line &line) { m_lines.push_back(line); }

    // One object per figure: name, median_ms, p95_ms, baseline_median_ms, ratio and the extras.
    bool writeJson(const QString &fileName) const
    {
        QJsonArray figures;
        for (const Line &line : m_lines) {
            if (!line.json)
                continue;
            QJsonObject object = line.extra;
            object.insert(QStringLiteral("name"), line.name);
            if (line.unit == QStringLiteral("ms")) {
                object.insert(QStringLiteral("median_ms"), line.figure.median);
                object.insert(QStringLiteral("p95_ms"), line.figure.p95);
                object.insert(QStringLiteral("baseline_median_ms"), line.baseline.median);
            }
            object.insert(QStringLiteral("baseline"), line.baselineName);
            object.insert(QStringLiteral("samples"), line.figure.count);
            if (line.baseline.median > 0)
                object.insert(QStringLiteral("ratio"), line.figure.median / line.baseline.median);
            object.insert(QStringLiteral("goal"), line.goal);
            object.insert(QStringLiteral("met"), line.met);
            figures.append(object);
        }
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        return file.write(QJsonDocument(figures).toJson()) > 0;
    }

    void print() const
    {
        std::printf("\n%-36s %10s %10s  %-28s %10s %7s  %-30s %s\n", "benchmark", "median", "p95", "baseline", "median",
                    "ratio", "goal", "");
        for (const Line &line : m_lines) {
            const double ratio = line.baseline.median > 0 ? line.figure.median / line.baseline.median : 0;
            std::printf("%-36s %10s %10s  %-28s %10s %7s  %-30s %s\n", qPrintable(line.name),
                        qPrintable(format(line.figure.median, line.unit)),
                        qPrintable(format(line.figure.p95, line.unit)), qPrintable(line.baselineName),
                        qPrintable(format(line.baseline.median, line.unit)),
                        ratio > 0 ? qPrintable(QString::number(ratio, ratio < 0.1 ? 'g' : 'f', 2)) : "-",
                        qPrintable(line.goal), line.met ? "met" : "MISSED");
        }
        std::fflush(stdout);
    }

  private:
    static QString format(double value, const QString &unit)
    {
        if (value <= 0)
            return QStringLiteral("-");
        return QString::number(value, 'f', value < 10 ? 2 : value < 100 ? 1 : 0) + QLatin1Char(' ') + unit;
    }

    std::vector<Line> m_lines;
};

} // namespace bench
