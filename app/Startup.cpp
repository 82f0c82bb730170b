#include "app/Startup.h"

#include "app/MDIForm1.h"
#include "app/Module1.h"
#include "app/MsgBox.h"

namespace Module1 {

MDIForm1 *Main(const std::function<QDate()> &clock, const QString &applicationDirPath)
{
    if (!clockIsPlausible(clock())) {
        MsgBox::show(clockWarningText(), appTitle(), MsgBox::Plain);
        return nullptr;
    }
    setAppPath(applicationDirPath);
    auto *frame = new MDIForm1;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->show();
    return frame;
}

} // namespace Module1
