#include "common/Module1.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace Module1 {

namespace {
QString g_appPath;
QString g_currentChapter;
QPointer<QMdiArea> g_mdiArea;
QList<QPointer<QWidget>> g_loaded;
} // namespace

QString appTitle()
{
    return QStringLiteral("灵箓汇编");
}

const QString &AppPath()
{
    return g_appPath;
}

void setAppPath(const QString &path)
{
    QString clean = QDir::cleanPath(path);
    while (clean.size() > 1 && clean.endsWith(QLatin1Char('/')))
        clean.chop(1);
    g_appPath = clean;
}

QString appFile(const QString &backslashRelativeName)
{
    QString relative = backslashRelativeName;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return g_appPath + relative;
}

QString chapterCaption(const QString &shortTitle)
{
    return appTitle() + QLatin1Char('-') + shortTitle;
}

QString articleFile(const QString &name)
{
    return appFile(QStringLiteral("\\god\\") + name + QStringLiteral(".god"));
}

QString bannerStartFileName()
{
    return QStringLiteral("wkpna.gif");
}

QStringList bannerFileNames()
{
    return {QStringLiteral("llhba.bmp"), QStringLiteral("llhbb.bmp"), QStringLiteral("llhbc.bmp"),
            QStringLiteral("llhbd.bmp")};
}

QString &CurrentChapter()
{
    return g_currentChapter;
}

void registerLoadedWindow(QWidget *window)
{
    g_loaded.append(QPointer<QWidget>(window));
}

QList<QWidget *> loadedWindows()
{
    QList<QWidget *> windows;
    for (const QPointer<QWidget> &window : std::as_const(g_loaded))
        if (window)
            windows.append(window.data());
    g_loaded.removeAll(QPointer<QWidget>());
    return windows;
}

QString captionOf(QWidget *window)
{
    if (QMdiSubWindow *sub = subWindowOf(window))
        return sub->windowTitle();
    return window->windowTitle();
}

QMdiArea *mdiArea()
{
    return g_mdiArea.data();
}

void setMdiArea(QMdiArea *area)
{
    g_mdiArea = area;
}

QMdiSubWindow *addChildWindow(QWidget *form)
{
    if (!g_mdiArea)
        return nullptr;
    QMdiSubWindow *sub = g_mdiArea->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(form->windowIcon());
    return sub;
}

QMdiSubWindow *subWindowOf(QWidget *form)
{
    for (QWidget *w = form ? form->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto *sub = qobject_cast<QMdiSubWindow *>(w))
            return sub;
    return nullptr;
}

} // namespace Module1
