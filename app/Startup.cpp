#include "app/Startup.h"

#include "app/MDIForm1.h"
#include "common/Module1.h"
#include "common/MsgBox.h"

namespace Module1 {

bool clockIsPlausible(const QDate &today)
{
    return today.toString(QStringLiteral("yyyy")).toInt() >= 2004;
}

QString clockWarningText()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("******** 警告 ********") + crlf + crlf + QStringLiteral("计算机系统时钟错误！！！") + crlf +
           crlf + QStringLiteral("请将计算机的日期恢复到当前日期后再重新启动本程序！！！");
}

MDIForm1 *Main(const std::function<QDate()> &clock, const QString &applicationDirPath)
{
    if (!clockIsPlausible(clock())) {
        msgbox::show(clockWarningText(), appTitle());
        return nullptr;
    }
    setAppPath(applicationDirPath);
    auto *frame = new MDIForm1;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->show();
    return frame;
}

} // namespace Module1
