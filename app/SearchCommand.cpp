#include "app/SearchCommand.h"

#include "app/ReaderTools.h"
#include "articles/ArticlePage.h"
#include "common/Module1.h"
#include "content/Catalogue.h"
#include "content/TableOfContents.h"
#include "search/SearchPanel.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// The panel's share of the frame's width: enough for a name and a line of text.
int panelWidth(const QMainWindow *frame)
{
    return qBound(300, frame->width() / 4, 480);
}

} // namespace

std::unique_ptr<search::SearchIndex> makeSearchIndex()
{
    std::vector<search::ArticleSource> articles;
    for (const content::Article &article : content::TableOfContents::instance().articles()) {
        const QString name = article.name;
        const int shift = article.shift;
        articles.push_back(
            {name, shift, [name, shift](QString *error) { return readArticlePage(name, shift, error); }});
    }
    return std::make_unique<search::SearchIndex>(content::Catalogue::instance(), articles);
}

void showSearchPanel(QMainWindow *frame, ReaderTools *reader)
{
    auto *dock = frame->findChild<QDockWidget *>(QStringLiteral("SearchDock"));
    if (!dock) {
        dock = new QDockWidget(QStringLiteral("查找"), frame);
        dock->setObjectName(QStringLiteral("SearchDock"));
        dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
        dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
        auto *panel = new SearchPanel(&makeSearchIndex, dock);
        dock->setWidget(panel);
        frame->addDockWidget(Qt::RightDockWidgetArea, dock);
        frame->resizeDocks({dock}, {panelWidth(frame)}, Qt::Horizontal);
        QObject::connect(panel, &SearchPanel::hitActivated, reader, &ReaderTools::openSearchHit);
        QObject::connect(panel, &SearchPanel::closeRequested, dock, [dock] {
            dock->hide();
            // The keyboard goes back to the window in front.
            if (QMdiArea *area = Module1::mdiArea(); area && area->activeSubWindow())
                area->activeSubWindow()->widget()->setFocus();
        });
    }
    dock->show();
    dock->raise();
    if (auto *panel = qobject_cast<SearchPanel *>(dock->widget()))
        panel->focusField();
}
