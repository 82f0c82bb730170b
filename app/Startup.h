#pragma once

#include <QDate>
#include <QString>

#include <functional>

class MDIForm1;

namespace Module1 {

// Clock check: a year before 2004 means the computer's clock is wrong.
bool clockIsPlausible(const QDate &today);
QString clockWarningText();

// The whole start-up: clock check, AppPath, main window. Returns null when the program must end
// (the clock warning was shown and closed). The clock and the application folder are passed in so
// that tests can set them; main() passes the real ones.
MDIForm1 *Main(const std::function<QDate()> &clock, const QString &applicationDirPath);

} // namespace Module1
