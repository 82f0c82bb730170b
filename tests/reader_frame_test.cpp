// The reader's tools in the frame: the 阅读 menu, a contents row opening its page, back and forward
// across windows (a closed one opened again), a favourite kept across a restart, and the text size
// applied to panes and article pages, 繁體字 shown everywhere while every lookup keeps working.
#include "frame_support.h"

#include "about/FrmAbout1.h"
#include "app/ReaderTools.h"
#include "app/SearchCommand.h"
#include "articles/ArticleCodec.h"
#include "articles/Fwangye.h"
#include "common/MsgBox.h"
#include "common/TextForm.h"
#include "common/TextFormWidgets.h"
#include "content/Catalogue.h"
#include "reader/ContentsPanel.h"
#include "search/SearchIndex.h"
#include "viewer/TextPane.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStringEncoder>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

using content::PageAddress;

namespace {

// Beneath 繁體字's style: every text the widgets hand to the style to draw, as it reaches the
// desktop's style.
class DrawnTexts : public QProxyStyle
{
  public:
    using QProxyStyle::QProxyStyle;
    mutable QStringList texts;

    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                      const QString &text, QPalette::ColorRole role) const override
    {
        texts << text;
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, role);
    }
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        if (const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option))
            texts << item->text;
        else if (const auto *row = qstyleoption_cast<const QStyleOptionViewItem *>(option))
            texts << row->text;
        else if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option))
            texts << button->text;
        else if (const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option))
            texts << combo->currentText;
        else if (const auto *dock = qstyleoption_cast<const QStyleOptionDockWidget *>(option))
            texts << dock->title;
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

class ReaderFrameTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void menu_placedWithItsKeys();
    void contentsRow_opensItsPage_andFollowsTheReader();
    void backAndForward_acrossWindows();
    void favourite_keptAcrossRestart();
    void textSize_appliedEverywhere();
    void pinyin_overIncantations_keptAcrossRestart();
    void traditional_shownEverywhere_keysKept();
    void traditional_keptAcrossRestart_inItsForm();
    void traditional_withoutOpenCCData_disabledAndSaysWhy();
    void traditional_everyWidgetDrawsConverted();

  private:
    void start();
    void stop();
    QAction *action(const char *name) const { return m_frame->findChild<QAction *>(name); }
    ReaderTools *tools() const { return m_frame->readerTools(); }
    QWidget *front() const;
    QTreeWidgetItem *row(const QStringList &path) const;

    QTemporaryDir m_config;
    std::unique_ptr<ViewerInstallation> m_install;
    MDIForm1 *m_frame = nullptr;
};

void ReaderFrameTest::init()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    QFile::remove(reader::ReaderSettings::defaultFileName());
    m_install.reset();
    m_install = std::make_unique<ViewerInstallation>();
    // An article of several sections, long enough to scroll.
    QString body = "<h1>符咒心得</h1>";
    for (const QString section : {"一、由来", "二、备物", "三、结构"}) {
        body += "<h2>" + section + "</h2>";
        for (int i = 0; i < 40; ++i)
            body += QString("<p>%1第%2段。</p>").arg(section).arg(i);
    }
    const QByteArray page =
        QStringEncoder("GBK").encode("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                                     "charset=gb2312\"><title>符咒心得</title></head><body>" +
                                     body + "</body></html>");
    const articlecodec::Encoded encoded = articlecodec::encodeArticle(std::string_view(page.data(), page.size()), 2);
    QVERIFY(writeFile(QDir(m_install->root()).filePath("god/符咒心得.god"),
                      QByteArray(encoded.bytes.data(), qsizetype(encoded.bytes.size()))));
    start();
}

void ReaderFrameTest::start()
{
    m_frame = startFrame(*m_install);
    QVERIFY(m_frame);
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

void ReaderFrameTest::stop()
{
    delete m_frame; // the settings are written as the frame goes
    m_frame = nullptr;
}

void ReaderFrameTest::cleanup()
{
    stop();
    textform::uninstall(); // a test that stopped half-way leaves the next one the book's own text
    m_install.reset();
}

QWidget *ReaderFrameTest::front() const
{
    QMdiSubWindow *active = m_frame->area()->activeSubWindow();
    return active ? active->widget() : nullptr;
}

QTreeWidgetItem *ReaderFrameTest::row(const QStringList &path) const
{
    auto *tree = m_frame->findChild<reader::ContentsPanel *>();
    QTreeWidgetItem *item = nullptr;
    for (const QString &text : path) {
        QTreeWidgetItem *parent = item;
        item = nullptr;
        const int count = parent ? parent->childCount() : tree->topLevelItemCount();
        for (int i = 0; i < count && !item; ++i) {
            QTreeWidgetItem *candidate = parent ? parent->child(i) : tree->topLevelItem(i);
            if (candidate->text(0) == text)
                item = candidate;
        }
        if (!item)
            return nullptr;
    }
    return item;
}

void ReaderFrameTest::menu_placedWithItsKeys()
{
    QMenu *menu = m_frame->menuBar()->findChild<QMenu *>("阅读");
    QVERIFY(menu);
    QStringList items;
    for (QAction *item : menu->actions())
        if (!item->isSeparator())
            items << item->text() + " " + item->shortcut().toString();
    QCOMPARE(items, (QStringList{"章节目录(&T) ", "繁體字(&Z) ", "臺灣(&W) ", "香港(&G) ", "后退(&B) Alt+Left",
                                 "前进(&F) Alt+Right", "加入收藏(&A) Ctrl+D", "放大(&I) Ctrl+=", "缩小(&O) Ctrl+-",
                                 "原始大小(&R) Ctrl+0", "注音(&P) "}));
    QVERIFY(action("注音")->isCheckable());
    QVERIFY(!action("注音")->isChecked());
    QVERIFY(action("放大")->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Plus)));
    // 繁體字 switches; 臺灣 is the form it writes unless the reader chose 香港.
    QVERIFY(action("繁體字")->isCheckable() && !action("繁體字")->isChecked() && action("繁體字")->isEnabled());
    QVERIFY(action("臺灣")->isChecked() && !action("香港")->isChecked());
    QVERIFY(action("臺灣")->actionGroup() && action("臺灣")->actionGroup() == action("香港")->actionGroup());
    // Nothing read yet: nothing to go back to, no page to keep. Start-up opens no window.
    QVERIFY(!action("后退")->isEnabled());
    QVERIFY(!action("前进")->isEnabled());
    QVERIFY(!action("加入收藏")->isEnabled());
    QCOMPARE(openViewers().size(), 0);
}

void ReaderFrameTest::contentsRow_opensItsPage_andFollowsTheReader()
{
    action("章节目录")->trigger();
    auto *dock = m_frame->findChild<QDockWidget *>("ContentsDock");
    QVERIFY(dock && dock->isVisible());
    QCOMPARE(m_frame->dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    auto *tree = m_frame->findChild<reader::ContentsPanel *>();
    QTRY_VERIFY(tree->hasBook());
    QCOMPARE(tree->focusWidget(), tree);

    // Enter on an entry's row, Space on a day chart's, a double click on an article's section.
    tree->setCurrentItem(row({"日常琐事", "镇舟车不利灵符"}));
    QTest::keyClick(tree, Qt::Key_Return);
    auto *viewer = qobject_cast<Fllhb *>(front());
    QVERIFY(viewer);
    QCOMPARE(viewer->address(), PageAddress::entry("日常琐事", "镇舟车不利灵符"));
    QCOMPARE(viewer->currentEntry(), QString("镇舟车不利灵符"));

    tree->setCurrentItem(row({"奇门遁甲", "玉女反闭诀", "每日布局速成图（申酉日）"}));
    QTest::keyClick(tree, Qt::Key_Space);
    auto *qimen = qobject_cast<Fllhb *>(front());
    QVERIFY(qimen && qimen != viewer);
    QCOMPARE(qimen->address(), PageAddress::dayChart(4));
    QCOMPARE(pictureNumberOf(qimen->pictureBox()), 83);

    QTreeWidgetItem *section = row({"符咒心得", "三、结构"});
    QVERIFY(section);
    emit tree->itemActivated(section, 0);
    auto *article = qobject_cast<Fwangye *>(front());
    QVERIFY(article);
    QCOMPARE(article->address(), PageAddress::article("符咒心得", "三、结构"));

    // The reader moves in a viewer: the panel's row follows, and the page is among the recent ones.
    m_frame->area()->setActiveSubWindow(Module1::subWindowOf(viewer));
    viewer->chooseEntry(0);
    QCOMPARE(tree->currentItem(), row({"日常琐事", "镇刑克法"}));
    QCOMPARE(row({"最近阅读"})->child(0)->text(0), QString("镇刑克法 · 日常琐事"));
    QCOMPARE(m_install->boxes.size(), 0);

    // Closed from its own box, the panel is unchecked; its state is kept for the next run.
    dock->close();
    QTRY_VERIFY(!action("章节目录")->isChecked());
    action("章节目录")->trigger();
    stop();
    start();
    QVERIFY(action("章节目录")->isChecked());
    QVERIFY(m_frame->findChild<QDockWidget *>("ContentsDock")->isVisible());
    QCOMPARE(openViewers().size(), 0); // no window opened again
}

void ReaderFrameTest::backAndForward_acrossWindows()
{
    tools()->open(PageAddress::entry("日常琐事", "镇刑克法"));
    auto *viewer = qobject_cast<Fllhb *>(front());
    QVERIFY(viewer);
    viewer->chooseEntry(2);                // a selection in the list
    tools()->open(PageAddress::figure(3)); // another window
    tools()->open(PageAddress::article("符咒心得"));
    QCOMPARE(tools()->history().pages().size(), 4);

    action("后退")->trigger();
    QCOMPARE(qobject_cast<Fllhb *>(front())->address(), PageAddress::figure(3));
    // The mouse's back button does the same, wherever it is pressed in the frame.
    QTest::mouseClick(front(), Qt::BackButton);
    QCOMPARE(front(), viewer);
    QCOMPARE(viewer->address(), PageAddress::entry("日常琐事", "镇舟车不利灵符"));
    action("后退")->trigger();
    QCOMPARE(viewer->address(), PageAddress::entry("日常琐事", "镇刑克法"));
    QVERIFY(!action("后退")->isEnabled());
    QVERIFY(action("前进")->isEnabled());

    // A window closed meanwhile is opened again through the opener.
    Module1::subWindowOf(viewer)->close();
    QTRY_COMPARE(openViewers().size(), 1);
    QTest::keyClick(m_frame, Qt::Key_Right, Qt::AltModifier);
    auto *again = qobject_cast<Fllhb *>(front());
    QVERIFY(again);
    QCOMPARE(again->address(), PageAddress::entry("日常琐事", "镇舟车不利灵符"));
    QCOMPARE(openViewers().size(), 2);
    action("前进")->trigger();
    action("前进")->trigger();
    QVERIFY(qobject_cast<Fwangye *>(front()));
    QVERIFY(!action("前进")->isEnabled());
    QCOMPARE(tools()->history().pages().size(), 4); // going back and forth records nothing
    QCOMPARE(m_install->boxes.size(), 0);
}

void ReaderFrameTest::favourite_keptAcrossRestart()
{
    tools()->open(PageAddress::dayChart(1));
    QCOMPARE(action("加入收藏")->text(), QString("加入收藏(&A)"));
    QTest::keyClick(front(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(action("加入收藏")->text(), QString("移出收藏(&A)"));
    tools()->open(PageAddress::entry("隐身飞升", "诸葛隐身法"));
    QCOMPARE(action("加入收藏")->text(), QString("加入收藏(&A)"));

    stop();
    start();
    QCOMPARE(tools()->settings().favourites(), QList<PageAddress>{PageAddress::dayChart(1)});
    QCOMPARE(tools()->settings().recent().first(), PageAddress::entry("隐身飞升", "诸葛隐身法"));
    action("章节目录")->trigger();
    QCOMPARE(row({"收藏"})->childCount(), 1);
    emit m_frame->findChild<reader::ContentsPanel *>()->itemActivated(row({"收藏"})->child(0), 0);
    QCOMPARE(qobject_cast<Fllhb *>(front())->address(), PageAddress::dayChart(1));
    QCOMPARE(action("加入收藏")->text(), QString("移出收藏(&A)"));
}

void ReaderFrameTest::textSize_appliedEverywhere()
{
    tools()->open(PageAddress::entry("日常琐事", "镇刑克法"));
    auto *viewer = qobject_cast<Fllhb *>(front());
    const QRect upperBox = viewer->upperPane()->geometry();
    const double upper = viewer->upperPane()->font().pointSizeF();
    const double lower = viewer->lowerPane()->font().pointSizeF();

    for (int i = 0; i < 5; ++i)
        QTest::keyClick(viewer->upperPane(), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(tools()->settings().textPercent(), 200);
    QCOMPARE(viewer->upperPane()->font().pointSizeF(), upper * 2);
    QCOMPARE(viewer->lowerPane()->font().pointSizeF(), lower * 2);
    QCOMPARE(viewer->upperPane()->geometry(), upperBox); // the boxes stay as they are

    // A window opened later, an article too, takes the same size.
    tools()->open(PageAddress::article("符咒心得"));
    auto *article = qobject_cast<Fwangye *>(front());
    QVERIFY(article);
    QTextCursor cursor(article->WebBrowser1()->document());
    cursor.movePosition(QTextCursor::End);
    const double articleLarge = cursor.charFormat().font().pointSizeF();
    QCOMPARE(article->WebBrowser1()->document()->defaultFont().pointSizeF(), 22.0); // 11 pt, twice
    QTest::keyClick(article->WebBrowser1(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(viewer->upperPane()->font().pointSizeF(), upper);
    QCOMPARE(cursor.charFormat().font().pointSizeF(), articleLarge / 2);

    // Ctrl and the wheel over a pane: one step.
    QWheelEvent wheel(QPointF(10, 10), viewer->upperPane()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewer->upperPane()->viewport(), &wheel);
    QCOMPARE(tools()->settings().textPercent(), 110);
    stop();
    start();
    QCOMPARE(tools()->settings().textPercent(), 110);
}

void ReaderFrameTest::pinyin_overIncantations_keptAcrossRestart()
{
    tools()->open(PageAddress::entry("奇门遁甲", "真人步斗法"));
    auto *viewer = qobject_cast<Fllhb *>(front());
    QVERIFY(viewer);
    TextPane *pane = viewer->lowerPane();
    QVERIFY(pane->isIncantation());
    const QString text = pane->text();
    const double height = pane->document()->size().height();
    const QImage plain = pane->viewport()->grab().toImage();

    // On: the lines make room for the readings, which are drawn; the text stays the characters.
    action("注音")->trigger();
    QVERIFY(action("注音")->isChecked());
    QVERIFY(pane->showsReadings());
    QCOMPARE(pane->text(), text);
    QCOMPARE(pane->toPlainText(), QString(text).replace("\r\n", "\n"));
    QVERIFY2(pane->document()->size().height() > height * 1.3,
             qPrintable(QString("%1 -> %2").arg(height).arg(pane->document()->size().height())));
    QVERIFY(pane->viewport()->grab().toImage() != plain);
    QVERIFY(!viewer->upperPane()->showsReadings()); // the upper pane holds no incantation
    // A page whose lower section is commentary shows none; a page of incantations does.
    tools()->open(PageAddress::entry("日常琐事", "镇刑克法"));
    auto *daily = qobject_cast<Fllhb *>(front());
    QVERIFY(!daily->lowerPane()->isIncantation());
    QVERIFY(!daily->lowerPane()->showsReadings());
    daily->chooseEntry(daily->findChild<QComboBox *>("Combo1")->findText("除臭虫夜出灵符"));
    QVERIFY(daily->lowerPane()->showsReadings());
    tools()->open(PageAddress::entry("奇门遁甲", "玉女反闭诀"));
    QVERIFY(pane->showsReadings());

    // Kept for the next run, and set on the viewers opened then.
    stop();
    start();
    QVERIFY(tools()->settings().pinyinShown());
    QVERIFY(action("注音")->isChecked());
    tools()->open(PageAddress::entry("奇门遁甲", "真人步斗法"));
    viewer = qobject_cast<Fllhb *>(front());
    pane = viewer->lowerPane();
    QVERIFY(pane->showsReadings());

    // Off: exactly the plain pane again.
    action("注音")->trigger();
    QVERIFY(!pane->showsReadings());
    QCOMPARE(pane->text(), text);
    QCOMPARE(pane->document()->size().height(), height);
    QCOMPARE(pane->viewport()->grab().toImage(), plain);
    stop();
    start();
    QVERIFY(!action("注音")->isChecked());
}

void ReaderFrameTest::traditional_shownEverywhere_keysKept()
{
    tools()->open(PageAddress::entry("日常琐事", "镇刑克法"));
    auto *viewer = qobject_cast<Fllhb *>(front());
    QVERIFY(viewer);
    auto *label1 = viewer->findChild<QLabel *>("Label1");
    QVERIFY(label1);
    TextPane *pane = viewer->upperPane();
    const QString paneText = pane->text();
    const QString paneShown = pane->toPlainText();
    const QImage labelDrawn = label1->grab().toImage();
    tools()->open(PageAddress::article("符咒心得"));
    auto *article = qobject_cast<Fwangye *>(front());
    QVERIFY(article);
    auto *browser = article->findChild<QTextBrowser *>("WebBrowser1");
    QTRY_VERIFY(browser->toPlainText().contains("三、结构"));
    const QString articleHtml = browser->toHtml();
    const QString articleCaption = Module1::captionOf(article);

    action("繁體字")->trigger();
    QTRY_COMPARE(textform::current(), textform::Form::Taiwan);
    QVERIFY(tools()->settings().traditional());
    // What is drawn is converted; what the windows hold, and find each other by, is the book's own.
    QVERIFY(m_frame->windowHandle()->title().startsWith("靈籙彙編"));
    QVERIFY(Module1::captionOf(m_frame).startsWith("灵箓汇编"));
    QVERIFY(browser->toPlainText().contains("三、結構"));
    QCOMPARE(article->sectionHeadings(), (QStringList{"一、由来", "二、备物", "三、结构"}));
    QVERIFY(article->scrollToSection("三、结构"));
    QCOMPARE(article->address(), PageAddress::article("符咒心得", "三、结构"));
    QCOMPARE(Module1::captionOf(article), articleCaption);
    QCOMPARE(pane->text(), paneText);
    QCOMPARE(pane->toPlainText(), textform::shown(paneShown));
    QCOMPARE(pane->toPlainText().size(), paneShown.size());
    QVERIFY(pane->toPlainText() != paneShown);
    QCOMPARE(label1->text(), QString("日常琐事符咒："));
    QVERIFY(label1->grab().toImage() != labelDrawn);

    // Every chapter opens once, its list selects by the entries' own names.
    for (const content::Chapter &chapter : content::Catalogue::instance().chapters()) {
        tools()->open(PageAddress::entry(chapter.shortTitle, chapter.entries.front().name));
        auto *opened = qobject_cast<Fllhb *>(front());
        QVERIFY2(opened, qPrintable(chapter.shortTitle));
        QCOMPARE(opened->chapter(), &chapter);
        opened->chooseEntry(1);
        QCOMPARE(opened->currentEntry(), chapter.entries.at(1).name);
    }
    QCOMPARE(openViewers().size(), 10);
    tools()->open(PageAddress::entry("日常琐事", "镇刑克法"));
    QCOMPARE(front(), viewer);
    QCOMPARE(openViewers().size(), 10);
    // Back and forward.
    const QList<PageAddress> pages = tools()->history().pages();
    action("后退")->trigger();
    QCOMPARE(qobject_cast<Fllhb *>(front())->address(), pages.at(pages.size() - 2));
    action("前进")->trigger();
    QCOMPARE(viewer->address(), PageAddress::entry("日常琐事", "镇刑克法"));
    // The desktop shows the frame's title converted; the frame's own joins the viewer's caption once.
    QCOMPARE(m_frame->windowHandle()->title(), textform::shown(m_frame->windowTitle()));
    QCOMPARE(m_frame->windowTitle().count(" - ["), m_frame->windowTitle().contains(Module1::captionOf(viewer)) ? 1 : 0);
    // A search hit is marked where it stands, in the characters shown.
    const int start = paneText.indexOf("镇");
    QVERIFY(start >= 0);
    tools()->openSearchHit(search::Jump{viewer->address(), search::Pane::Upper, start, 2, paneText.mid(start, 2)});
    QCOMPARE(pane->textCursor().selectedText(), textform::shown(paneText.mid(start, 2)));
    QVERIFY(pane->textCursor().selectedText() != paneText.mid(start, 2));

    // Off again: every text exactly as before.
    action("繁體字")->trigger();
    QTRY_COMPARE(textform::current(), textform::Form::Simplified);
    QVERIFY(!tools()->settings().traditional());
    QCOMPARE(pane->toPlainText(), paneShown);
    QCOMPARE(label1->grab().toImage(), labelDrawn);
    QCOMPARE(browser->toHtml(), articleHtml);
    QCOMPARE(m_frame->windowHandle()->title(), m_frame->windowTitle());
    QVERIFY(m_frame->windowTitle().startsWith("灵箓汇编"));
    QVERIFY(m_frame->windowTitle().count(" - [") <= 1);
    QCOMPARE(m_install->boxes.size(), 0);
}

void ReaderFrameTest::traditional_keptAcrossRestart_inItsForm()
{
    action("香港")->trigger();
    QCOMPARE(textform::current(), textform::Form::Simplified); // the form alone switches nothing on
    action("繁體字")->trigger();
    QTRY_COMPARE(textform::current(), textform::Form::HongKong);
    stop();
    textform::uninstall();
    start();
    QVERIFY(action("繁體字")->isChecked());
    QVERIFY(action("香港")->isChecked() && !action("臺灣")->isChecked());
    QTRY_COMPARE(textform::current(), textform::Form::HongKong);
    action("臺灣")->trigger();
    QTRY_COMPARE(textform::current(), textform::Form::Taiwan);
    QCOMPARE(tools()->settings().characterForm(), QString("臺灣"));
    action("繁體字")->trigger();
    QTRY_COMPARE(textform::current(), textform::Form::Simplified);
    QCOMPARE(m_install->boxes.size(), 0);
}

void ReaderFrameTest::traditional_withoutOpenCCData_disabledAndSaysWhy()
{
    stop();
    QTemporaryDir empty;
    qputenv("LINGLU_OPENCC_DATA", QFile::encodeName(empty.path()));
    start();
    qunsetenv("LINGLU_OPENCC_DATA");
    for (const char *name : {"繁體字", "臺灣", "香港"}) {
        QVERIFY(!action(name)->isEnabled());
        QVERIFY(action(name)->toolTip().contains("libopencc-data"));
    }
    // Asked for all the same (a settings file from another machine): nothing changes, no box.
    tools()->setTraditional(true);
    tools()->open(PageAddress::entry("日常琐事", "镇刑克法"));
    QTest::qWait(100);
    QCOMPARE(textform::current(), textform::Form::Simplified);
    QCOMPARE(m_install->boxes.size(), 0);
}

void ReaderFrameTest::traditional_everyWidgetDrawsConverted()
{
    // Every text any widget draws through the style, with 繁體字 on: the menus, the list and its
    // popup, the panel's buttons, the contents panel and its title, the search panel, the About box.
    // Each is already in traditional characters; the message boxes say theirs so too.
    stop();
    auto *drawn = new DrawnTexts(QStyleFactory::create(textform::baseStyleName()));
    QApplication::setStyle(new textform::Style(drawn));
    start();
    action("繁體字")->trigger();
    QTRY_COMPARE(textform::current(), textform::Form::Taiwan);
    tools()->open(PageAddress::entry("奇门遁甲", "玉女反闭诀"));
    auto *viewer = qobject_cast<Fllhb *>(front());
    QVERIFY(viewer);
    action("章节目录")->trigger();
    showSearchPanel(m_frame, tools());
    auto *query = m_frame->findChild<QLineEdit *>();
    QVERIFY(query);
    query->setText("镇");
    QTest::qWait(300);

    drawn->texts.clear();
    m_frame->grab();
    for (QMenu *menu : m_frame->menuBar()->findChildren<QMenu *>())
        menu->grab();
    auto *list = viewer->findChild<QComboBox *>("Combo1");
    list->showPopup();
    list->view()->grab();
    list->hidePopup();
    FrmAbout1 about(m_frame);
    about.show();
    about.grab();
    QStringList unconverted;
    for (const QString &text : std::as_const(drawn->texts))
        if (textform::shown(text) != text && !unconverted.contains(text))
            unconverted << text;
    QVERIFY2(unconverted.isEmpty(), qPrintable(unconverted.join(" | ")));
    for (const QString wanted : {"章節目錄(&T)", "玉女反閉訣", "隱藏圖形", "鎮宅興家", "章節目錄", "確定"})
        QVERIFY2(drawn->texts.contains(wanted), qPrintable(wanted));

    msgbox::show("此时系统信息无效");
    QCOMPARE(m_install->boxes.last().text, QString("此時系統信息無效"));
    QCOMPARE(m_install->boxes.last().caption, QString("靈籙彙編"));
    m_install->boxes.clear();
    action("繁體字")->trigger();
    QTRY_COMPARE(textform::current(), textform::Form::Simplified);
    drawn->texts.clear();
}

QTEST_MAIN(ReaderFrameTest)
#include "reader_frame_test.moc"
