#include "reader/ContentsPanel.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace reader {

namespace {

constexpr int kAddressRole = Qt::UserRole;

} // namespace

ContentsPanel::ContentsPanel(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("ContentsTree"));
    setAccessibleName(QStringLiteral("章节目录"));
    setAccessibleDescription(QStringLiteral("收藏、最近阅读、各章的条目和两篇文章；按回车键或空格键打开"));
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    m_favourites = addRow(nullptr, {kFavouritesRow, std::nullopt, {}}, false);
    m_recent = addRow(nullptr, {kRecentRow, std::nullopt, {}}, false);
    connect(this, &QTreeWidget::itemActivated, this, &ContentsPanel::activate);
}

QTreeWidgetItem *ContentsPanel::addRow(QTreeWidgetItem *parent, const ContentsRow &row, bool book)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, row.text);
    item->setToolTip(0, row.text);
    if (row.page) {
        const QString address = row.page->toText();
        item->setData(0, kAddressRole, address);
        if (book && !m_bookRows.contains(address))
            m_bookRows.insert(address, item);
    }
    for (const ContentsRow &child : row.children)
        addRow(item, child, book);
    return item;
}

void ContentsPanel::setBook(const std::vector<ContentsRow> &rows)
{
    if (hasBook())
        return;
    for (const ContentsRow &row : rows)
        addRow(nullptr, row, true);
}

void ContentsPanel::setKeptPages(const QList<content::PageAddress> &favourites,
                                 const QList<content::PageAddress> &recent)
{
    for (auto [head, pages] : {std::pair{m_favourites, &favourites}, std::pair{m_recent, &recent}}) {
        qDeleteAll(head->takeChildren());
        for (const content::PageAddress &page : *pages)
            addRow(head, keptPageRow(page), false);
        head->setExpanded(true);
    }
}

void ContentsPanel::showCurrent(const content::PageAddress &page)
{
    QTreeWidgetItem *row = m_bookRows.value(page.toText());
    if (!row && page.isArticle())
        row = m_bookRows.value(page.withoutSection().toText());
    if (!row || row == currentItem())
        return;
    for (QTreeWidgetItem *parent = row->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    const QSignalBlocker quiet(this);
    setCurrentItem(row);
    scrollToItem(row);
}

void ContentsPanel::activate(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const std::optional<content::PageAddress> page =
        content::PageAddress::fromText(item->data(0, kAddressRole).toString());
    if (page)
        emit pageActivated(*page);
    else
        item->setExpanded(!item->isExpanded()); // a heading row opens or closes
}

void ContentsPanel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        activate(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace reader
