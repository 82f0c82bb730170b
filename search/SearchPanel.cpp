#include "search/SearchPanel.h"

#include "search/ResultDelegate.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

SearchPanel::SearchPanel(IndexFactory makeIndex, QWidget *parent)
    : QWidget(parent)
    , m_makeIndex(std::move(makeIndex))
{
    setObjectName(QStringLiteral("SearchPanel"));

    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("SearchField"));
    m_field->setAccessibleName(QStringLiteral("查找内容"));
    m_field->setPlaceholderText(QStringLiteral("符名、咒语、文章中的字句，或拼音"));
    m_field->setClearButtonEnabled(true);
    m_field->installEventFilter(this);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("SearchCount"));
    m_count->setTextFormat(Qt::PlainText);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("SearchResults"));
    m_list->setAccessibleName(QStringLiteral("查找结果"));
    m_list->setItemDelegate(new ResultDelegate(m_list));
    m_list->setUniformItemSizes(false);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->installEventFilter(this);

    m_notices = new QLabel(this);
    m_notices->setObjectName(QStringLiteral("SearchNotices"));
    m_notices->setTextFormat(Qt::PlainText);
    m_notices->setWordWrap(true);
    QPalette warning = m_notices->palette();
    warning.setColor(QPalette::WindowText, QColor(176, 0, 0));
    m_notices->setPalette(warning);
    m_notices->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_field);
    layout->addWidget(m_count);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_notices);

    connect(m_field, &QLineEdit::textChanged, this, &SearchPanel::runQuery);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &SearchPanel::activate);
    setFocusProxy(m_field);
    showResults();
}

SearchPanel::~SearchPanel() = default;

void SearchPanel::focusField()
{
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void SearchPanel::runQuery()
{
    const QString query = m_field->text();
    if (!m_index && !search::queryWords(query).isEmpty() && m_makeIndex) {
        m_index = m_makeIndex();
        if (m_index && !m_index->notices().isEmpty()) {
            m_notices->setText(m_index->notices().join(QLatin1Char('\n')));
            m_notices->show();
        }
    }
    m_results = m_index ? m_index->find(query) : search::Results{};
    showResults();
}

void SearchPanel::showResults()
{
    m_list->clear();
    m_jumps.clear();
    QListWidgetItem *firstHit = nullptr;
    for (const search::Group &group : m_results.groups) {
        auto *heading = new QListWidgetItem(QStringLiteral("%1（%2）").arg(group.title).arg(group.count), m_list);
        heading->setData(resultrole::Kind, int(RowKind::Group));
        heading->setFlags(Qt::ItemIsEnabled);
        for (const search::Row &row : group.rows) {
            auto *item = new QListWidgetItem(row.title + QStringLiteral("：") + row.snippet, m_list);
            item->setData(resultrole::Kind, int(RowKind::Hit));
            item->setData(resultrole::Title, row.title);
            item->setData(resultrole::Snippet, row.snippet);
            item->setData(resultrole::HitStart, row.snippetHitStart);
            item->setData(resultrole::HitLength, row.snippetHitLength);
            item->setData(resultrole::Jump, int(m_jumps.size()));
            item->setToolTip(row.title + QLatin1Char('\n') + row.snippet);
            m_jumps.push_back(row.jump);
            if (!firstHit)
                firstHit = item;
        }
    }
    if (m_results.listed < m_results.total) {
        auto *more = new QListWidgetItem(
            QStringLiteral("还有 %1 处未列出，再多输入几个字可缩小范围。").arg(m_results.total - m_results.listed),
            m_list);
        more->setData(resultrole::Kind, int(RowKind::Note));
        more->setFlags(Qt::ItemIsEnabled);
    }
    if (firstHit)
        m_list->setCurrentItem(firstHit);

    QString count;
    if (m_field->text().trimmed().isEmpty())
        count = QStringLiteral("输入要找的字句");
    else if (m_results.total == 0)
        count = QStringLiteral("没有找到");
    else if (m_results.listed < m_results.total)
        count = QStringLiteral("找到 %1 处，列出前 %2 处").arg(m_results.total).arg(m_results.listed);
    else
        count = QStringLiteral("找到 %1 处").arg(m_results.total);
    m_count->setText(count);
    m_list->setAccessibleDescription(count);
}

void SearchPanel::moveBy(int step)
{
    const int rows = m_list->count();
    for (int row = m_list->currentRow() + step; row >= 0 && row < rows; row += step) {
        QListWidgetItem *item = m_list->item(row);
        if (item->data(resultrole::Kind).toInt() == int(RowKind::Hit)) {
            m_list->setCurrentItem(item);
            m_list->scrollToItem(item);
            return;
        }
    }
    // At the first hit, Up shows its chapter's heading as well.
    if (step < 0)
        m_list->scrollToTop();
}

void SearchPanel::activateCurrent()
{
    activate(m_list->currentItem());
}

void SearchPanel::activate(QListWidgetItem *item)
{
    if (!item || item->data(resultrole::Kind).toInt() != int(RowKind::Hit))
        return;
    const int jump = item->data(resultrole::Jump).toInt();
    if (jump < 0 || jump >= int(m_jumps.size()))
        return;
    // The hit is copied: opening it may run a new query (nothing does now, but a copy is cheap).
    const search::Jump hit = m_jumps[std::size_t(jump)];
    QWidget *hadFocus = m_list->hasFocus() ? static_cast<QWidget *>(m_list) : m_field;
    emit hitActivated(hit);
    // The panel keeps the keyboard, so the next hit is one key away.
    hadFocus->setFocus(Qt::OtherFocusReason);
}

bool SearchPanel::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_field || watched == m_list) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Up:
            moveBy(-1);
            return true;
        case Qt::Key_Down:
            moveBy(1);
            return true;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            const int page = qMax(1, m_list->viewport()->height() / qMax(1, m_list->sizeHintForRow(0)) - 1);
            for (int i = 0; i < page; ++i)
                moveBy(key->key() == Qt::Key_PageUp ? -1 : 1);
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            activateCurrent();
            return true;
        case Qt::Key_Escape:
            emit closeRequested();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
