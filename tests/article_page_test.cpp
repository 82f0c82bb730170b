// Opening article pages: the window found by its caption, the article file read and decoded into
// "\tem.htm" and shown, the view's inset, and the main window's timer removing the page file. (The
// file faults are covered with every other file of the installation in robust_faults_test.)
#include "app/MDIForm1.h"
#include "articles/ArticleCodec.h"
#include "articles/ArticlePage.h"
#include "articles/Fwangye.h"
#include "common/Module1.h"
#include "common/MsgBox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

class ArticlePageTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void open_showsTheDecodedPage_data();
    void open_showsTheDecodedPage();
    void openTwice_bringsBackTheSameWindow();
    void pageTitleOtherThanName_opensAnotherWindow();
    void timerRemovesPageFile_articleStaysReadable();
    void resize_keepsViewInset();

  private:
    // Writes the article file of a page with this title and text; returns the page in GBK.
    QByteArray writeArticle(const QString &name, int shift, const QString &title, const QString &body) const;
    QList<Fwangye *> pages() const { return m_frame->findChildren<Fwangye *>(); }

    QTemporaryDir *m_dir = nullptr;
    MDIForm1 *m_frame = nullptr;
    QList<msgbox::Shown> m_shown;
};

void ArticlePageTest::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(QDir(m_dir->path()).mkpath("god"));
    Module1::setAppPath(m_dir->path());
    m_shown.clear();
    msgbox::setObserver([this](const msgbox::Shown &box) { m_shown.append(box); });
    m_frame = new MDIForm1;
    m_frame->show();
}

void ArticlePageTest::cleanup()
{
    delete m_frame;
    msgbox::setObserver({});
    delete m_dir;
}

QByteArray ArticlePageTest::writeArticle(const QString &name, int shift, const QString &title,
                                         const QString &body) const
{
    QStringEncoder gbk("GBK");
    const QByteArray page = gbk.encode(QString("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                                               "charset=gb2312\"><title>%1</title></head>\n<body><h1>%1</h1>\n<p>%2</p>"
                                               "</body></html>\n")
                                           .arg(title, body));
    const auto encoded = articlecodec::encodeArticle({page.constData(), size_t(page.size())}, shift);
    QFile file(Module1::appFile("\\god\\" + name + ".god"));
    if (!encoded.ok || !file.open(QIODevice::WriteOnly))
        qFatal("cannot write the article file");
    file.write(QByteArray::fromStdString(encoded.bytes));
    return page;
}

void ArticlePageTest::open_showsTheDecodedPage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("how");
    for (const QString how : {"call", "menu", "catalogue"}) {
        QTest::newRow(qPrintable("符咒心得 by " + how)) << "符咒心得" << 2 << how;
        QTest::newRow(qPrintable("祝由须知 by " + how)) << "祝由须知" << 3 << how;
    }
}

void ArticlePageTest::open_showsTheDecodedPage()
{
    QFETCH(QString, name);
    QFETCH(int, shift);
    QFETCH(QString, how);
    // 箓 lies outside GB2312 proper: it shows only if the page is read as GBK.
    const QByteArray page = writeArticle(name, shift, name, "灵箓汇编，朱砂黄纸。");

    if (how == "call") {
        OpenArticlePage(name, shift);
    } else if (how == "menu") {
        m_frame->menuBar()->findChild<QAction *>(name)->trigger();
    } else {
        QLabel *title = m_frame->catalogueWindow()->findChild<QLabel *>(shift == 2 ? "Label29" : "Label33");
        QTest::mouseClick(title, Qt::LeftButton);
    }

    QVERIFY(m_shown.isEmpty());
    QCOMPARE(pages().size(), 1);
    Fwangye *article = pages().first();
    QMdiSubWindow *sub = Module1::subWindowOf(article);
    QVERIFY(sub && sub->isMaximized());
    QCOMPARE(sub->windowTitle(), name);
    QCOMPARE(m_frame->area()->activeSubWindow(), sub);

    QFile written(Module1::appFile("\\tem.htm"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), page);
    QCOMPARE(article->WebBrowser1()->toPlainText().trimmed(), name + "\n灵箓汇编，朱砂黄纸。");
    QTRY_COMPARE(Module1::captionOf(article), name);
}

void ArticlePageTest::openTwice_bringsBackTheSameWindow()
{
    writeArticle("符咒心得", 2, "符咒心得", "一");
    OpenArticlePage("符咒心得", 2);
    QCoreApplication::processEvents();
    QMdiSubWindow *first = Module1::subWindowOf(pages().first());

    // The second opening neither reads the file nor writes the page file.
    QFile::remove(Module1::appFile("\\god\\符咒心得.god"));
    QFile::remove(Module1::appFile("\\tem.htm"));
    writeArticle("祝由须知", 3, "祝由须知", "二");
    OpenArticlePage("祝由须知", 3);
    QCOMPARE(m_frame->area()->activeSubWindow()->windowTitle(), "祝由须知");
    QFile::remove(Module1::appFile("\\tem.htm"));

    OpenArticlePage("符咒心得", 2);
    QVERIFY(m_shown.isEmpty());
    QCOMPARE(pages().size(), 2);
    QCOMPARE(m_frame->area()->activeSubWindow(), first);
    QVERIFY(!QFile::exists(Module1::appFile("\\tem.htm")));

    // A minimised article page is brought forward as it is.
    first->showMinimized();
    OpenArticlePage("符咒心得", 2);
    QVERIFY(first->isMinimized());
    QCOMPARE(pages().size(), 2);
}

void ArticlePageTest::pageTitleOtherThanName_opensAnotherWindow()
{
    writeArticle("符咒心得", 2, "心得篇", "一");
    OpenArticlePage("符咒心得", 2);
    QTRY_COMPARE(Module1::captionOf(pages().first()), "心得篇");
    OpenArticlePage("符咒心得", 2);
    QCOMPARE(pages().size(), 2);
}

void ArticlePageTest::timerRemovesPageFile_articleStaysReadable()
{
    writeArticle("祝由须知", 3, "祝由须知", "祝由者，祝说病由也。");
    OpenArticlePage("祝由须知", 3);
    QVERIFY(QFile::exists(Module1::appFile("\\tem.htm")));
    m_frame->timerTick();
    QVERIFY(!QFile::exists(Module1::appFile("\\tem.htm")));

    Fwangye *article = pages().first();
    Module1::subWindowOf(article)->showNormal();
    Module1::subWindowOf(article)->resize(300, 200);
    QTest::qWait(50);
    QCOMPARE(article->WebBrowser1()->toPlainText().trimmed(), "祝由须知\n祝由者，祝说病由也。");
}

void ArticlePageTest::resize_keepsViewInset()
{
    // 45 twips are 3 pixels; 100 twips less than the client area are about 7 pixels less.
    Fwangye page;
    page.show();
    page.resize(400, 300);
    QCOMPARE(page.WebBrowser1()->geometry(), QRect(3, 3, 393, 293));
    page.resize(5, 5);
    QCOMPARE(page.WebBrowser1()->geometry(), QRect(3, 3, 393, 293));
    page.resize(5, 100);
    QCOMPARE(page.WebBrowser1()->geometry(), QRect(3, 3, 393, 93));
}

QTEST_MAIN(ArticlePageTest)
#include "article_page_test.moc"
