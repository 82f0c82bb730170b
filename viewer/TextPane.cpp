#include "viewer/TextPane.h"

#include <QPainter>
#include <QWheelEvent>

TextPane::TextPane(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setUndoRedoEnabled(false);
    // One pixel between the frame and the text: room for the focus frame to be two pixels wide.
    setViewportMargins(1, 1, 1, 1);
}

void TextPane::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->angleDelta().y() != 0)
            emit zoomRequested(event->angleDelta().y() > 0);
        event->accept();
        return;
    }
    QPlainTextEdit::wheelEvent(event);
}

void TextPane::setText(const QString &text)
{
    // Setting a text always shows it from its top, also when it is the text already shown.
    m_text = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
}

bool TextPane::event(QEvent *event)
{
    const bool handled = QPlainTextEdit::event(event);
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
    QPlainTextEdit::focusInEvent(event);
    update();
}

void TextPane::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    update();
}
