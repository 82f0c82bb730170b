#include "viewer/TextPane.h"

#include "common/TextForm.h"
#include "common/WheelZoom.h"
#include "viewer/PinyinOverlay.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

TextPane::TextPane(QWidget *parent)
    : QTextEdit(parent)
{
    setReadOnly(true);
    setAcceptRichText(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setUndoRedoEnabled(false);
    // One pixel between the frame and the text: room for the focus frame to be two pixels wide.
    setViewportMargins(1, 1, 1, 1);
}

void TextPane::wheelEvent(QWheelEvent *event)
{
    if (!wheelzoom::take(event, [this](bool larger) { emit zoomRequested(larger); }))
        QTextEdit::wheelEvent(event);
}

void TextPane::setText(const QString &text)
{
    // Setting a text always shows it from its top, also when it is the text already shown.
    m_text = text;
    showText();
}

void TextPane::showText()
{
    // What is drawn is in the characters the reader chose, as long as the text itself: the
    // positions of a selection or a search hit are the same in both.
    QString shown = textform::shown(m_text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
    applyReadings();
}

void TextPane::setIncantation(bool incantation)
{
    if (incantation == m_incantation)
        return;
    m_incantation = incantation;
    applyReadings();
}

void TextPane::setPinyinShown(bool shown)
{
    if (shown == m_pinyinShown)
        return;
    m_pinyinShown = shown;
    applyReadings();
}

void TextPane::applyReadings()
{
    // The readings before, and their room, are taken away; then set again if wanted. The place the
    // reader had scrolled to is kept.
    const int scrolled = verticalScrollBar()->value();
    pinyinoverlay::clear(document());
    if (showsReadings())
        pinyinoverlay::annotate(document(), 1, font(), m_text.split(QStringLiteral("\r\n")).mid(1));
    verticalScrollBar()->setValue(scrolled);
    viewport()->update();
}

void TextPane::paintEvent(QPaintEvent *event)
{
    QTextEdit::paintEvent(event);
    if (!showsReadings())
        return;
    // The readings of the paragraphs in sight, over the text the editor has drawn.
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const QPointF offset(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    painter.translate(offset);
    pinyinoverlay::paint(&painter, document(), QRectF(event->rect()).translated(-offset), font());
}

void TextPane::changeEvent(QEvent *event)
{
    QTextEdit::changeEvent(event);
    // The room above the lines follows the text's size.
    if (event->type() == QEvent::FontChange && showsReadings())
        applyReadings();
    // The reader switched 繁體字: the same text in the other characters, at the same place.
    if (event->type() == QEvent::LanguageChange && !m_text.isEmpty()) {
        const int top = verticalScrollBar()->value();
        showText();
        verticalScrollBar()->setValue(top);
    }
}

bool TextPane::event(QEvent *event)
{
    const bool handled = QTextEdit::event(event);
    if (event->type() == QEvent::Paint) {
        // Around the text, outside the viewport: with the focus the frame and the pixel inside it
        // in the highlight colour, otherwise that pixel in the pane's own colour.
        QPainter painter(this);
        painter.setBrush(Qt::NoBrush);
        const qreal frame = frameWidth();
        if (hasFocus()) {
            const qreal width = frame + 1;
            QPen pen(palette().color(QPalette::Active, QPalette::Highlight), width);
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.drawRect(QRectF(rect()).adjusted(width / 2, width / 2, -width / 2, -width / 2));
        } else {
            painter.setPen(QPen(palette().color(QPalette::Base), 1));
            painter.drawRect(QRectF(rect()).adjusted(frame + 0.5, frame + 0.5, -frame - 0.5, -frame - 0.5));
        }
    }
    return handled;
}

void TextPane::focusInEvent(QFocusEvent *event)
{
    QTextEdit::focusInEvent(event);
    update();
}

void TextPane::focusOutEvent(QFocusEvent *event)
{
    QTextEdit::focusOutEvent(event);
    update();
}
