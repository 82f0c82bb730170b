#pragma once
// The benchmarks' own small harness: time a piece of work many times, summarise the samples as
// median and 95th percentile, and set each figure against a baseline measured in the same run.

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

template<typename Work>
double timeMs(Work &&work)
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

// One line of the report: a figure, its baseline, the ratio of their medians and the goal.
struct Line {
    QString name;
    Stats figure;
    QString unit;
    QString baselineName;
    Stats baseline;
    QString goal;
    bool met = true;
};

class Report
{
public:
    void add(const Line &line) { m_lines.push_back(line); }

    void print() const
    {
        std::printf("\n%-34s %10s %10s  %-28s %10s %7s  %-30s %s\n", "benchmark", "median", "p95", "baseline",
                    "median", "ratio", "goal", "");
        for (const Line &line : m_lines) {
            const double ratio = line.baseline.median > 0 ? line.figure.median / line.baseline.median : 0;
            std::printf("%-34s %10s %10s  %-28s %10s %7s  %-30s %s\n", qPrintable(line.name),
                        qPrintable(format(line.figure.median, line.unit)), qPrintable(format(line.figure.p95, line.unit)),
                        qPrintable(line.baselineName), qPrintable(format(line.baseline.median, line.unit)),
                        ratio > 0 ? qPrintable(QString::number(ratio, ratio < 0.1 ? 'g' : 'f', 2)) : "-", qPrintable(line.goal),
                        line.met ? "met" : "MISSED");
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
