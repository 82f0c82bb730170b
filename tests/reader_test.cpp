// The reader's tools without a window: the history of the pages shown, the settings file that keeps
// favourites, recent pages and the text size (whatever lies in its place), and the contents rows
// against the book.
#include "content/Catalogue.h"
#include "reader/ContentsTree.h"
#include "reader/History.h"
#include "reader/ReaderSettings.h"
#include "reader/TextSize.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using content::PageAddress;
using reader::ReaderSettings;

class ReaderTest : public QObject
{
    Q_OBJECT

  private slots:
    void history_data();
    void history();
    void settings_keptAcrossRuns();
    void settings_whateverLiesInPlace_data();
    void settings_whateverLiesInPlace();
    void textSize_steps();
    void contents_holdEveryPage();
};

namespace {

PageAddress entry(const char *name)
{
    return PageAddress::entry("日常琐事", name);
}

// Bytes no settings file holds: a NUL, bytes that are no UTF-8, half a group.
const char kDamaged[] = "\x00\xff[reader\n\x01"
                        "favourites=\xfe\xff";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

void ReaderTest::history_data()
{
    // Steps: a page name records it, < goes back, > goes forward. Then: the page stood on, and
    // whether back and forward are possible.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("back");
    QTest::addColumn<bool>("forward");
    QTest::newRow("nothing") << ""
                             << "" << false << false;
    QTest::newRow("one page") << "镇刑克法"
                              << "镇刑克法" << false << false;
    QTest::newRow("back to the first") << "镇刑克法 镇食井不利灵符 <"
                                       << "镇刑克法" << false << true;
    QTest::newRow("back past the start") << "镇刑克法 镇食井不利灵符 < < <"
                                         << "镇刑克法" << false << true;
    QTest::newRow("back and forward") << "镇刑克法 镇食井不利灵符 < >"
                                      << "镇食井不利灵符" << true << false;
    QTest::newRow("the same page twice is one step") << "镇刑克法 镇刑克法 <"
                                                     << "镇刑克法" << false << false;
    QTest::newRow("a new page drops what was ahead") << "镇刑克法 镇食井不利灵符 镇舟车不利灵符 < < 压恶鬼为害法"
                                                     << "压恶鬼为害法" << true << false;
    QTest::newRow("the page stood on again after going back") << "镇刑克法 镇食井不利灵符 < 镇刑克法"
                                                              << "镇刑克法" << false << true;
}

void ReaderTest::history()
{
    QFETCH(QString, steps);
    reader::History history;
    for (const QString &step : steps.split(' ', Qt::SkipEmptyParts)) {
        if (step == "<")
            history.back();
        else if (step == ">")
            history.forward();
        else
            history.record(entry(step.toUtf8().constData()));
    }
    QFETCH(QString, current);
    QCOMPARE(history.current() ? history.current()->entryName() : QString(), current);
    QTEST(history.canGoBack(), "back");
    QTEST(history.canGoForward(), "forward");

    // At most a hundred pages: the oldest go first.
    reader::History long_;
    const QStringList names =
        content::Catalogue::entryNames(*content::Catalogue::instance().chapterByShortTitle("镇宅兴家"));
    for (int i = 0; i < 150; ++i)
        long_.record(PageAddress::entry("镇宅兴家", names.at(i % names.size())));
    QCOMPARE(long_.pages().size(), reader::History::kMaxPages);
    QCOMPARE(long_.pages().first().entryName(), names.at(50 % names.size()));
}

void ReaderTest::settings_keptAcrossRuns()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("config/linglu/linglu.ini"); // its folders made on the first save
    {
        ReaderSettings settings(file);
        QVERIFY(settings.isWritable());
        settings.toggleFavourite(entry("镇刑克法"));
        settings.toggleFavourite(PageAddress::dayChart(2));
        settings.toggleFavourite(PageAddress::article("祝由须知"));
        settings.toggleFavourite(entry("镇食井不利灵符"));
        settings.toggleFavourite(entry("镇食井不利灵符")); // taken out again
        for (int i = 0; i < 25; ++i)
            settings.addRecent(i % 2 ? entry("镇刑克法") : PageAddress::figure(i % 5));
        settings.setTextPercent(205);
        settings.setContentsShown(true);
        QCOMPARE(settings.characterForm(), "臺灣"); // the default form
        settings.setTraditional(true);
        settings.setCharacterForm("香港");
        QVERIFY(settings.save());
    }
    // A page the book no longer holds is left out without a word.
    QString text = QString::fromUtf8(readAll(file));
    QVERIFY(text.contains("镇刑克法"));
    QFile edit(file);
    QVERIFY(edit.open(QIODevice::WriteOnly | QIODevice::Truncate));
    edit.write(text.replace("日常琐事/镇刑克法", "日常琐事/已删去的条目").toUtf8());
    edit.close();

    QElapsedTimer clock;
    clock.start();
    const ReaderSettings again(file);
    QVERIFY2(clock.nsecsElapsed() < 5'000'000, "reading the settings takes milliseconds"); // < 1 ms on a quiet machine
    QCOMPARE(again.favourites(), (QList<PageAddress>{PageAddress::dayChart(2), PageAddress::article("祝由须知")}));
    QCOMPARE(again.recent(), (QList<PageAddress>{PageAddress::figure(4), PageAddress::figure(2), PageAddress::figure(0),
                                                 PageAddress::figure(3), PageAddress::figure(1)}));
    QCOMPARE(again.textPercent(), 200);
    QVERIFY(again.contentsShown());
    QVERIFY(again.traditional());
    QCOMPARE(again.characterForm(), "香港");
}

void ReaderTest::settings_whateverLiesInPlace_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("writable");
    QTest::newRow("empty file") << "empty" << true;
    QTest::newRow("damaged bytes") << "damaged" << false;
    QTest::newRow("another program's file") << "foreign" << false;
    QTest::newRow("too large") << "huge" << false;
    QTest::newRow("a folder") << "folder" << false;
    QTest::newRow("a pipe") << "pipe" << false;
    QTest::newRow("a link to a good file") << "link" << false;
    QTest::newRow("a dangling link") << "dangling" << false;
    QTest::newRow("unreadable") << "unreadable" << false;
    QTest::newRow("read-only") << "readonly" << false;
}

void ReaderTest::settings_whateverLiesInPlace()
{
    QFETCH(QString, kind);
    QFETCH(bool, writable);
    if ((kind == "unreadable" || kind == "readonly") && geteuid() == 0)
        QSKIP("permission bits do not stop root; scripts/test runs this as an unprivileged user");
    QTemporaryDir dir;
    const QString file = dir.filePath("linglu.ini");
    const QString good = dir.filePath("good.ini");
    {
        ReaderSettings kept(good);
        kept.toggleFavourite(entry("镇刑克法"));
        QVERIFY(kept.save());
    }
    const auto write = [&](const QByteArray &bytes) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    };
    if (kind == "empty")
        write({});
    else if (kind == "damaged")
        write(QByteArray(kDamaged, sizeof kDamaged - 1));
    else if (kind == "foreign")
        write("[General]\ncolour=blue\n");
    else if (kind == "huge")
        write(QByteArray(ReaderSettings::kMaxFileBytes + 1, 'x'));
    else if (kind == "folder")
        QVERIFY(QDir(dir.path()).mkdir("linglu.ini"));
    else if (kind == "pipe")
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else if (kind == "link")
        QVERIFY(QFile::link(good, file));
    else if (kind == "dangling")
        QVERIFY(QFile::link(dir.filePath("nowhere.ini"), file));
    else if (kind == "unreadable" || kind == "readonly") {
        QVERIFY(QFile::copy(good, file));
        QVERIFY(QFile::setPermissions(file, kind == "readonly" ? QFile::ReadOwner : QFile::WriteOwner));
    }
    const QByteArray before = kind == "pipe" || kind == "folder" ? QByteArray() : readAll(file);

    // Read without blocking or a word; then whatever the reader does is kept only where it may be.
    ReaderSettings settings(file);
    QCOMPARE(settings.isWritable(), writable);
    if (kind == "readonly")
        QCOMPARE(settings.favourites(), QList<PageAddress>{entry("镇刑克法")});
    else
        QVERIFY(settings.favourites().isEmpty());
    QCOMPARE(settings.textPercent(), 100);
    settings.toggleFavourite(PageAddress::figure(1));
    settings.setTextPercent(150);
    QCOMPARE(settings.save(), writable);
    if (!writable) {
        if (kind == "link" || kind == "dangling")
            QVERIFY(QFileInfo(file).isSymLink());
        if (!before.isEmpty())
            QCOMPARE(readAll(file), before);
        QCOMPARE(ReaderSettings(good).favourites(), QList<PageAddress>{entry("镇刑克法")}); // a link's target too
        QVERIFY(!QFile::exists(dir.filePath("nowhere.ini")));
    } else {
        QCOMPARE(ReaderSettings(file).textPercent(), 150);
    }
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).filter(".ini.").size(), 0);
}

void ReaderTest::textSize_steps()
{
    using reader::TextSize;
    QCOMPARE(TextSize::steps().first(), 50);
    QCOMPARE(TextSize::steps().last(), 300);
    QCOMPARE(TextSize::larger(100), 110);
    QCOMPARE(TextSize::larger(300), 300);
    QCOMPARE(TextSize::smaller(100), 90);
    QCOMPARE(TextSize::smaller(50), 50);
    QCOMPARE(TextSize::nearestStep(1000), 300);
    QCOMPARE(TextSize::nearestStep(-5), 50);
    int percent = 100;
    for (int i = 0; i < 5; ++i)
        percent = TextSize::larger(percent);
    QCOMPARE(percent, 200); // twice the size within five steps
}

void ReaderTest::contents_holdEveryPage()
{
    const std::vector<reader::ContentsRow> rows = reader::bookRows([](const QString &article) {
        return QStringList{article + "一", article + "二"};
    });
    QList<PageAddress> pages;
    std::function<void(const reader::ContentsRow &)> collect = [&](const reader::ContentsRow &row) {
        if (row.page && !pages.contains(*row.page))
            pages.append(*row.page);
        for (const reader::ContentsRow &child : row.children)
            collect(child);
    };
    for (const reader::ContentsRow &row : rows)
        collect(row);

    // Every list entry in book order, the twelve views of 玉女反闭诀 (its overview is its entry),
    // both articles and their headings.
    QList<PageAddress> expected;
    for (const content::Chapter &chapter : content::Catalogue::instance().chapters())
        for (const content::Entry &item : chapter.entries)
            expected.append(PageAddress::entry(chapter.shortTitle, item.name));
    for (int day = 0; day < 6; ++day)
        expected.insert(2 + day, PageAddress::dayChart(day));
    for (int figure = 0; figure < 5; ++figure)
        expected.insert(8 + figure, PageAddress::figure(figure));
    for (const QString article : {"符咒心得", "祝由须知"})
        expected << PageAddress::article(article) << PageAddress::article(article, article + "一")
                 << PageAddress::article(article, article + "二");
    QCOMPARE(pages, expected);
    QCOMPARE(rows.size(), std::size_t(12));
    QCOMPARE(rows[0].children[1].children.size(), std::size_t(12)); // 总览, six charts, five figures
}

QTEST_GUILESS_MAIN(ReaderTest)
#include "reader_test.moc"
