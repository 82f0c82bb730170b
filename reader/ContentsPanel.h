#pragma once
// The contents panel's tree: the reader's favourites and recent pages, then the whole book. Enter,
// a double click or Space on a row opens its page; the row of the page in front is selected as
// the reader moves. Each row's text is its accessible name.

#include "content/PageAddress.h"
#include "reader/ContentsTree.h"

#include <QHash>
#include <QTreeWidget>

namespace reader {

class ContentsPanel : public QTreeWidget
{
    Q_OBJECT

  public:
    explicit ContentsPanel(QWidget *parent = nullptr);

    // The book's rows, below the reader's own; set once.
    void setBook(const std::vector<ContentsRow> &rows);
    bool hasBook() const { return !m_bookRows.isEmpty(); }
    // The favourites and the recent pages, set again whenever they change.
    void setKeptPages(const QList<content::PageAddress> &favourites, const QList<content::PageAddress> &recent);

    // Selects the book's row of this page (an article's own row where its section has none),
    // opening its chapter; nothing is opened.
    void showCurrent(const content::PageAddress &page);

  signals:
    void pageActivated(const content::PageAddress &page);

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void activate(QTreeWidgetItem *item);
    QTreeWidgetItem *addRow(QTreeWidgetItem *parent, const ContentsRow &row, bool book);

    QTreeWidgetItem *m_favourites = nullptr;
    QTreeWidgetItem *m_recent = nullptr;
    QHash<QString, QTreeWidgetItem *> m_bookRows; // by the address's text form, the first row of each
};

} // namespace reader
