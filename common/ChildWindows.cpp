#include "common/ChildWindows.h"

#include "common/Module1.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace childwindows {

QList<QWidget *> all()
{
    QList<QWidget *> windows = Module1::loadedWindows();
    if (QMdiArea *area = Module1::mdiArea())
        for (QMdiSubWindow *sub : area->subWindowList(QMdiArea::CreationOrder))
            if (QWidget *form = sub->widget(); form && !windows.contains(form))
                windows.append(form);
    return windows;
}

QWidget *find(const std::function<bool(QWidget *)> &matches)
{
    for (QWidget *window : all())
        if (matches(window))
            return window;
    return nullptr;
}

QWidget *captioned(const QString &caption)
{
    return find([&caption](QWidget *window) { return Module1::captionOf(window) == caption; });
}

QList<QMdiSubWindow *> usedBefore(QMdiArea *area, const QMdiSubWindow *leftOut)
{
    QList<QMdiSubWindow *> windows;
    const QList<QMdiSubWindow *> history = area->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = history.rbegin(); it != history.rend(); ++it)
        if (*it != leftOut && !(*it)->isHidden())
            windows.append(*it);
    return windows;
}

} // namespace childwindows
