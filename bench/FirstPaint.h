#pragma once
// For the start-up benchmark: once the watched widget has painted for the first time, print
// "painted <peak resident KiB>" and end the process at once. The line is written after the paint
// has finished (the next turn of the event loop), and both the program and the baseline use this
// same hook, so the two measure the same thing.

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace bench {

inline long long peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

class FirstPaint : public QObject
{
  public:
    // Watches every widget whose object name is this one.
    explicit FirstPaint(QString objectName)
        : m_objectName(std::move(objectName))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->objectName() == m_objectName) {
            m_seen = true;
            QTimer::singleShot(0, [] {
                std::printf("painted %lld\n", peakResidentKiB());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

  private:
    QString m_objectName;
    bool m_seen = false;
};

} // namespace bench
