#include "search/ResultDelegate.h"

#include "common/TextForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

namespace {

const QColor kGroupBackground(224, 232, 248);
const QColor kGroupText(0, 0, 160);
const QColor kTitleText(0, 0, 192);
const QColor kHitBackground(255, 230, 90);
const QColor kHitText(176, 0, 0);
constexpr int kPadding = 6;

} // namespace

QSize ResultDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QFontMetrics metrics(option.font);
    const int extra = index.data(resultrole::Kind).toInt() == int(RowKind::Group) ? 8 : 6;
    return QSize(option.rect.width(), metrics.height() + extra);
}

void ResultDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    // Drawn in the characters the reader chose; a converted text is as long as its own, so the
    // hit's place in the snippet stays.
    item.text = textform::shown(item.text);
    const RowKind kind = RowKind(index.data(resultrole::Kind).toInt());
    painter->save();
    QRect rect = option.rect.adjusted(kPadding, 0, -kPadding, 0);

    if (kind == RowKind::Group) {
        painter->fillRect(option.rect, kGroupBackground);
        QFont bold = option.font;
        bold.setBold(true);
        painter->setFont(bold);
        painter->setPen(kGroupText);
        painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, item.text);
        painter->restore();
        return;
    }
    if (kind == RowKind::Note) {
        painter->setPen(option.palette.color(QPalette::Disabled, QPalette::Text));
        painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(option.font).elidedText(item.text, Qt::ElideRight, rect.width()));
        painter->restore();
        return;
    }

    // The selection as the style draws it, then the row's own texts on top.
    item.text.clear();
    QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
    const bool selected = option.state & QStyle::State_Selected;
    const QColor plain = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);

    rect.adjust(kPadding, 0, 0, 0); // hits stand in from their chapter's heading
    QFont bold = option.font;
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    const QFontMetrics metrics(option.font);
    const QString title = textform::shown(index.data(resultrole::Title).toString());
    const int titleWidth = qMin(boldMetrics.horizontalAdvance(title), rect.width() * 2 / 5);
    painter->setFont(bold);
    painter->setPen(selected ? plain : kTitleText);
    painter->drawText(QRect(rect.left(), rect.top(), titleWidth, rect.height()), Qt::AlignLeft | Qt::AlignVCenter,
                      boldMetrics.elidedText(title, Qt::ElideRight, titleWidth));

    // The snippet: before the hit, the hit on its mark, after it; cut off at the right edge.
    const QString snippet = textform::shown(index.data(resultrole::Snippet).toString());
    const int hitStart = index.data(resultrole::HitStart).toInt();
    const int hitLength = index.data(resultrole::HitLength).toInt();
    const QString parts[3] = {snippet.left(hitStart), snippet.mid(hitStart, hitLength),
                              snippet.mid(hitStart + hitLength)};
    int x = rect.left() + titleWidth + metrics.horizontalAdvance(QLatin1Char(' ')) * 2;
    const int right = rect.right();
    for (int part = 0; part < 3 && x < right; ++part) {
        const QFont &font = part == 1 ? bold : option.font;
        const QFontMetrics &partMetrics = part == 1 ? boldMetrics : metrics;
        const QString text = partMetrics.elidedText(parts[part], Qt::ElideRight, right - x);
        const int width = partMetrics.horizontalAdvance(text);
        const QRect box(x, rect.top() + 2, width, rect.height() - 4);
        if (part == 1)
            painter->fillRect(box, kHitBackground);
        painter->setFont(font);
        painter->setPen(part == 1 ? kHitText : plain);
        painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
        x += width;
        if (text != parts[part])
            break;
    }
    painter->restore();
}
