#pragma once
// Draws the rows of the result list: a chapter's heading with its count, or a hit as the entry
// name followed by one line of text with the hit emphasised.

#include <QStyledItemDelegate>

namespace resultrole {
enum : int {
    Kind = Qt::UserRole + 1, // RowKind
    Title,
    Snippet,
    HitStart,
    HitLength,
    Jump, // index of the hit in the panel's list of hits
};
}

enum class RowKind { Group, Hit, Note };

class ResultDelegate : public QStyledItemDelegate
{
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
