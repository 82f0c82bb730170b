#include "common/MsgBox.h"

#include "common/Module1.h"
#include "common/TextForm.h"

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
    // In the characters the reader chose (繁體字): the box's label draws its text through a text
    // document of its own, which the style that converts the other widgets' texts never sees.
    const QString title = textform::shown(caption.isEmpty() ? Module1::appTitle() : caption);
    const QString shownText = textform::shown(text);
    const OpenGuard guard;
    if (g_observer) {
        g_observer({title, shownText});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, shownText, QMessageBox::Ok, QApplication::activeWindow());
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
