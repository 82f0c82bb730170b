#include "common/MsgBox.h"

#include "common/Module1.h"

#include <QApplication>
#include <QMessageBox>

namespace msgbox {

namespace {
Observer g_observer;
int g_openCount = 0;

struct OpenGuard {
    OpenGuard() { ++g_openCount; }
    ~OpenGuard() { --g_openCount; }
};
} // namespace

void show(const QString &text, const QString &caption)
{
    const QString title = caption.isEmpty() ? Module1::appTitle() : caption;
    const OpenGuard guard;
    if (g_observer) {
        g_observer({title, text});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool isOpen()
{
    return g_openCount > 0;
}

void setObserver(Observer observer)
{
    g_observer = std::move(observer);
}

} // namespace msgbox
