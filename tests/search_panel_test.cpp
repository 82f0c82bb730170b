// The 查找 command in the frame: its place in the menu and its shortcut, finding as it is typed,
// and each kind of hit opened where it belongs: the entry selected in its chapter with the hit
// marked in its pane, a 奇门遁甲 figure through its button, an article passage; an article file
// that is missing leaves the article out with one line in the panel and no message box.
#include "viewer_support.h"

#include "app/ChapterOpener.h"
#include "app/MDIForm1.h"
#include "app/SearchCommand.h"
#include "app/Startup.h"
#include "articles/ArticleCodec.h"
#include "articles/Fwangye.h"
#include "search/SearchIndex.h"
#include "search/SearchPanel.h"
#include "viewer/Fllhb.h"
#include "viewer/TextPane.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStringEncoder>
#include <QTest>

#include <memory>

class SearchPanelTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void command_placedInMenu_ctrlFOpensEscCloses();
    void jump_data();
    void jump();
    void qimenFigure_pressesItsButton();
    void articleHit_opensAndMarksThePassage();
    void missingArticle_lineInPanelNoMessage();
    void bookIndex_sameForPanelAndBenchmark();

  private:
    void writeArticle(const QString &name, int shift, const QString &body) const;
    SearchPanel *openPanel();
    void type(const QString &query);
    Fllhb *frontViewer() const;

    std::unique_ptr<ViewerInstallation> m_install;
    MDIForm1 *m_frame = nullptr;
    SearchPanel *m_panel = nullptr;
};

void SearchPanelTest::writeArticle(const QString &name, int shift, const QString &body) const
{
    const QString page = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"><title>" +
                         name + "</title></head><body>" + body + "</body></html>";
    QStringEncoder gbk("GBK");
    const QByteArray bytes = gbk.encode(page);
    const articlecodec::Encoded encoded =
        articlecodec::encodeArticle(std::string_view(bytes.data(), bytes.size()), shift);
    QVERIFY(encoded.ok);
    QDir(m_install->root()).mkpath("god");
    QFile file(QDir(m_install->root()).filePath("god/" + name + ".god"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(encoded.bytes.data(), qint64(encoded.bytes.size()));
}

void SearchPanelTest::init()
{
    m_install.reset(); // its destructor removes the box observer: drop it before the next one
    m_install = std::make_unique<ViewerInstallation>();
    // A long article, so that a passage near its end must be scrolled to.
    QString body = "<h1>符咒心得</h1>";
    for (int i = 0; i < 80; ++i)
        body += QString("<p>第%1段：画符之前，先须净心。</p>").arg(i);
    body += "<p>末段：心不净则符不灵，此为要诀。</p>";
    writeArticle("符咒心得", 2, body);
    m_frame = Module1::Main([] { return QDate(2026, 5, 1); }, m_install->root());
    m_frame->showNormal();
    m_frame->resize(1366, 768);
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

void SearchPanelTest::cleanup()
{
    delete m_frame;
    m_frame = nullptr;
    m_panel = nullptr;
    m_install.reset();
}

SearchPanel *SearchPanelTest::openPanel()
{
    m_frame->findChild<QAction *>("查找")->trigger();
    m_panel = m_frame->findChild<SearchPanel *>();
    return m_panel;
}

void SearchPanelTest::type(const QString &query)
{
    // One key at a time, as typed; the characters come as the text of key events.
    m_panel->field()->clear();
    for (const QChar c : query) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(m_panel->field(), &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(m_panel->field(), &release);
    }
    QCOMPARE(m_panel->field()->text(), query);
}

Fllhb *SearchPanelTest::frontViewer() const
{
    QMdiSubWindow *active = m_frame->area()->activeSubWindow();
    return active ? qobject_cast<Fllhb *>(active->widget()) : nullptr;
}

void SearchPanelTest::command_placedInMenu_ctrlFOpensEscCloses()
{
    QStringList captions;
    for (QAction *action : m_frame->menuBar()->actions())
        captions.append(action->text());
    QCOMPARE(captions,
             QStringList({"符咒心得", "祝由须知", "灵箓汇编", "阅读(&R)", "窗口", "查找(&F)", "关于(&I)", "退出"}));

    // Ctrl+F from a viewer's pane, deep inside the frame.
    OpenChapterWindow("日常琐事");
    Fllhb *viewer = frontViewer();
    QVERIFY(viewer);
    auto *pane = viewer->findChild<TextPane *>("Text3");
    pane->setFocus();
    QVERIFY(!m_frame->findChild<SearchPanel *>());
    QTest::keyClick(pane, Qt::Key_F, Qt::ControlModifier);
    m_panel = m_frame->findChild<SearchPanel *>();
    QVERIFY(m_panel);
    auto *dock = m_frame->findChild<QDockWidget *>("SearchDock");
    QVERIFY(dock->isVisible());
    QTRY_VERIFY(m_panel->field()->hasFocus());
    QVERIFY(!m_panel->indexBuilt()); // nothing is prepared before the first word

    // The catalogue still covers the narrower client area.
    QTRY_COMPARE(m_frame->catalogueWindow()->size(), m_frame->area()->viewport()->size());

    QCOMPARE(m_panel->field()->accessibleName(), "查找内容");
    QCOMPARE(m_panel->list()->accessibleName(), "查找结果");
    type("符");
    QVERIFY(m_panel->indexBuilt());
    const search::Results &results = m_panel->results();
    QVERIFY(results.total > search::SearchIndex::kMaxRows);
    QCOMPARE(results.listed, search::SearchIndex::kMaxRows);
    QCOMPARE(m_panel->list()->accessibleDescription(),
             QString("找到 %1 处，列出前 %2 处").arg(results.total).arg(results.listed));
    QVERIFY(m_panel->list()->count() <= search::SearchIndex::kMaxRows + 13);
    type("灵符");
    QCOMPARE(m_panel->list()->accessibleDescription(), QString("找到 %1 处").arg(m_panel->results().total));
    type("量子");
    QCOMPARE(m_panel->list()->accessibleDescription(), "没有找到");
    QCOMPARE(m_panel->list()->count(), 0);
    type("灵符");

    QTest::keyClick(m_panel->field(), Qt::Key_Escape);
    QVERIFY(!dock->isVisible());
    // Opened again: the text and the hits are still there.
    m_frame->findChild<QAction *>("查找")->trigger();
    QVERIFY(dock->isVisible());
    QCOMPARE(m_panel->field()->text(), "灵符");
    QCOMPARE(m_panel->field()->selectedText(), "灵符");
    QVERIFY(m_panel->list()->count() > 100);
    // Up at the first hit stays there; a double click opens a hit as Enter does.
    QListWidgetItem *first = m_panel->list()->currentItem();
    QTest::keyClick(m_panel->field(), Qt::Key_Up);
    QCOMPARE(m_panel->list()->currentItem(), first);
    QTest::keyClick(m_panel->field(), Qt::Key_Down);
    QVERIFY(m_panel->list()->currentItem() != first);
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    QCoreApplication::processEvents();
    const QRect box = m_panel->list()->visualItemRect(m_panel->list()->currentItem());
    QTest::mouseClick(m_panel->list()->viewport(), Qt::LeftButton, {}, box.center());
    QTest::mouseDClick(m_panel->list()->viewport(), Qt::LeftButton, {}, box.center());
    QVERIFY(frontViewer());
    QCOMPARE(frontViewer()->findChild<QLabel *>("Label2")->text(),
             m_panel->list()->currentItem()->data(Qt::UserRole + 2).toString());
}

void SearchPanelTest::jump_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("pane");
    QTest::addColumn<QString>("marked");

    QTest::newRow("lower pane, first entry") << "撞客"
                                             << "灵箓汇编-夜行护身"
                                             << "压鬼怪祟人法"
                                             << "Text2"
                                             << "撞客";
    QTest::newRow("upper pane, later entry") << "冲井花水"
                                             << "灵箓汇编-夜行护身"
                                             << "禳狐祟迷人灵符"
                                             << "Text3"
                                             << "冲井花水";
    QTest::newRow("by pinyin") << "zgysf"
                               << "灵箓汇编-隐身飞升"
                               << "诸葛隐身法"
                               << "Text3"
                               << "诸葛隐身法";
    QTest::newRow("traditional, first page") << "數術功"
                                             << "灵箓汇编-祝由秘字"
                                             << "数术功治病"
                                             << "Text3"
                                             << "数术功";
    QTest::newRow("two words, shared page") << "镇不详 兆"
                                            << "灵箓汇编-日常琐事"
                                            << "镇不详之兆法"
                                            << "Text3"
                                            << "镇不详";
}

void SearchPanelTest::jump()
{
    QFETCH(QString, query);
    QFETCH(QString, caption);
    QFETCH(QString, entry);
    QFETCH(QString, pane);
    QFETCH(QString, marked);

    QVERIFY(openPanel());
    type(query);
    QVERIFY(m_panel->results().total > 0);
    // Down from the field through the hits (chapter headings are passed over) to the wanted row.
    const QString group = caption.mid(QString("灵箓汇编-").size());
    auto current = [this] { return m_panel->list()->currentItem(); };
    auto groupOf = [this](QListWidgetItem *item) {
        for (int row = m_panel->list()->row(item); row >= 0; --row)
            if (m_panel->list()->item(row)->data(Qt::UserRole + 1).toInt() == 0)
                return m_panel->list()->item(row)->text();
        return QString();
    };
    for (int presses = 0; presses < 400; ++presses) {
        QVERIFY(current()->data(Qt::UserRole + 1).toInt() == 1); // a hit, never a heading
        if (current()->data(Qt::UserRole + 2).toString() == entry && groupOf(current()).startsWith(group))
            break;
        QTest::keyClick(m_panel->field(), Qt::Key_Down);
    }
    QCOMPARE(current()->data(Qt::UserRole + 2).toString(), entry);
    QTest::keyClick(m_panel->field(), Qt::Key_Return);

    Fllhb *viewer = frontViewer();
    QVERIFY(viewer);
    QCOMPARE(Module1::captionOf(viewer), caption);
    QCOMPARE(viewer->findChild<QComboBox *>("Combo1")->currentText(), entry);
    QCOMPARE(viewer->findChild<QLabel *>("Label2")->text(), entry);
    auto *text = viewer->findChild<TextPane *>(pane);
    QCOMPARE(text->textCursor().selectedText(), marked);
    QCOMPARE(text->extraSelections().size(), 1);
    QVERIFY(text->viewport()->rect().contains(text->cursorRect()));
    // The keyboard stays in the panel for the next hit.
    QTRY_VERIFY(m_panel->field()->hasFocus());
    QVERIFY(m_install->boxes.isEmpty());
}

void SearchPanelTest::qimenFigure_pressesItsButton()
{
    QVERIFY(openPanel());
    type("禹罡式");
    QList<QListWidgetItem *> rows = m_panel->list()->findItems("玉女反闭诀·禹罡式", Qt::MatchStartsWith);
    QCOMPARE(rows.size(), 1);
    m_panel->list()->setCurrentItem(rows.front());
    m_panel->activateCurrent();

    Fllhb *viewer = frontViewer();
    QVERIFY(viewer);
    QCOMPARE(Module1::captionOf(viewer), "灵箓汇编-奇门遁甲");
    QCOMPARE(viewer->findChild<QComboBox *>("Combo1")->currentText(), "玉女反闭诀");
    QVERIFY(viewer->findChild<QWidget *>("Frame1")->isVisible());
    QCOMPARE(pictureNumberOf(viewer->findChild<PictureBox *>("Image1")), 73);
    auto *text3 = viewer->findChild<TextPane *>("Text3");
    QVERIFY(text3->text().startsWith("禹罡式[用法]:"));
    QCOMPARE(text3->textCursor().selectedText(), "禹罡式");
}

void SearchPanelTest::articleHit_opensAndMarksThePassage()
{
    QVERIFY(openPanel());
    type("此为要诀");
    QCOMPARE(m_panel->results().total, 1);
    QCOMPARE(m_panel->results().groups.front().title, "符咒心得");
    QTest::keyClick(m_panel->field(), Qt::Key_Enter);

    QMdiSubWindow *active = m_frame->area()->activeSubWindow();
    auto *page = active ? qobject_cast<Fwangye *>(active->widget()) : nullptr;
    QVERIFY(page);
    QTextBrowser *browser = page->WebBrowser1();
    QCOMPARE(browser->textCursor().selectedText(), "此为要诀");
    QCOMPARE(browser->extraSelections().size(), 1);
    QVERIFY(browser->verticalScrollBar()->value() > 0);
    QVERIFY(browser->viewport()->rect().contains(browser->cursorRect()));

    // A second hit in the open article: the same window, marked again.
    type("第3段");
    QTest::keyClick(m_panel->field(), Qt::Key_Enter);
    QCOMPARE(m_frame->findChildren<Fwangye *>().size(), 1);
    QCOMPARE(browser->textCursor().selectedText(), "第3段");
    QVERIFY(m_install->boxes.isEmpty());
}

void SearchPanelTest::missingArticle_lineInPanelNoMessage()
{
    // 祝由须知's file is gone; 符咒心得 is there. Type a query one key at a time.
    const QString missing = m_install->path(articleName("祝由须知"));
    QVERIFY(!QFile::exists(missing) || QFile::remove(missing));
    QVERIFY(openPanel());
    auto *notices = m_panel->findChild<QLabel *>("SearchNotices");
    QVERIFY(!notices->isVisible());
    type("先须净心");
    QVERIFY(notices->isVisible());
    QVERIFY(notices->text().contains("祝由须知"));
    QVERIFY(!notices->text().contains("符咒心得"));
    QVERIFY(m_panel->results().total > 0);
    type("撞客");
    QVERIFY(m_install->boxes.isEmpty());
    // Nothing was written while searching.
    QVERIFY(!QFile::exists(QDir(m_install->root()).filePath("tem.htm")));
}

void SearchPanelTest::bookIndex_sameForPanelAndBenchmark()
{
    // The index the panel builds (and the search benchmark with it) holds the catalogue and the
    // article that is there, and names the one that is missing.
    const QString missing = m_install->path(articleName("祝由须知"));
    QVERIFY(!QFile::exists(missing) || QFile::remove(missing));
    const std::unique_ptr<search::SearchIndex> index = makeSearchIndex();
    QVERIFY(index);
    QCOMPARE(index->notices().size(), 1);
    QVERIFY(index->notices().first().contains("祝由须知"));
    QVERIFY(index->texts().join('\n').contains("心不净则符不灵"));
    QVERIFY(index->find("撞客").total > 0);
    QVERIFY(index->find("量子计算").total == 0);
    QVERIFY(m_install->boxes.isEmpty());
}

QTEST_MAIN(SearchPanelTest)
#include "search_panel_test.moc"
