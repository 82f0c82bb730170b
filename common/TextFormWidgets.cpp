#include "common/TextFormWidgets.h"

#include "common/TextForm.h"

#include <QApplication>
#include <QEvent>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace textform {

namespace {

constexpr const char *kWatched = "textform.captionWatched";

// Every top-level window's title, as the desktop shows it, in the current form, whenever the window
// sets its caption or gets its native window. The widget's own caption stays the book's: windows are
// found by it, and a maximised child's caption is joined to the frame's by it.
class CaptionWatch : public QObject
{
  public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::WindowTitleChange || type == QEvent::Show || type == QEvent::WinIdChange) {
            auto *window = qobject_cast<QWidget *>(watched);
            if (window && window->isWindow())
                showCaption(window);
        }
        return QObject::eventFilter(watched, event);
    }
};

// The text a block was loaded with, kept while it shows a converted one.
class OwnText : public QTextBlockUserData
{
  public:
    explicit OwnText(QString text)
        : text(std::move(text))
    {
    }
    const QString text;
};

} // namespace

Style::Style(QStyle *base)
    : QProxyStyle(base)
{
}

void Style::drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                         const QString &text, QPalette::ColorRole textRole) const
{
    QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, m_converted ? text : shown(text), textRole);
}

namespace {

// Draws a copy of the option with its text (the member named) converted, if the option is of that
// type; false if it is not.
template <typename Option, typename Draw>
bool drawConverted(const QStyleOption *option, QString Option::*text, Draw &&draw)
{
    const auto *typed = qstyleoption_cast<const Option *>(option);
    if (!typed)
        return false;
    Option copy(*typed);
    copy.*text = shown(copy.*text);
    draw(&copy);
    return true;
}

} // namespace

void Style::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                        const QWidget *widget) const
{
    const auto draw = [&](const QStyleOption *converted) {
        QProxyStyle::drawControl(element, converted, painter, widget);
    };
    if (current() != Form::Simplified) {
        ++m_converted;
        const bool drawn = drawConverted(option, &QStyleOptionMenuItem::text, draw) ||
                           drawConverted(option, &QStyleOptionViewItem::text, draw) ||
                           drawConverted(option, &QStyleOptionButton::text, draw) ||
                           drawConverted(option, &QStyleOptionComboBox::currentText, draw) ||
                           drawConverted(option, &QStyleOptionTab::text, draw) ||
                           drawConverted(option, &QStyleOptionHeader::text, draw) ||
                           drawConverted(option, &QStyleOptionToolButton::text, draw) ||
                           drawConverted(option, &QStyleOptionDockWidget::title, draw);
        --m_converted;
        if (drawn)
            return;
    }
    // Any other control draws its texts through drawItemText, converted there.
    draw(option);
}

void Style::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                               const QWidget *widget) const
{
    const auto draw = [&](const QStyleOption *converted) {
        QProxyStyle::drawComplexControl(control, static_cast<const QStyleOptionComplex *>(converted), painter, widget);
    };
    if (current() != Form::Simplified) {
        // A child window's title bar: its caption stays the key, what is drawn is converted.
        ++m_converted;
        const bool drawn = drawConverted(option, &QStyleOptionTitleBar::text, draw) ||
                           drawConverted(option, &QStyleOptionGroupBox::text, draw);
        --m_converted;
        if (drawn)
            return;
    }
    draw(option);
}

void installStyle()
{
    // The desktop's style stays underneath: only the texts handed to it change.
    if (qobject_cast<Style *>(QApplication::style()))
        return;
    QApplication::setStyle(new Style(QStyleFactory::create(QApplication::style()->name())));
    qApp->installEventFilter(new CaptionWatch(qApp));
}

QString baseStyleName()
{
    const QStyle *style = QApplication::style();
    if (const auto *proxy = qobject_cast<const Style *>(style))
        style = proxy->baseStyle();
    return style->name();
}

void showCaption(QWidget *window)
{
    QWindow *handle = window->windowHandle();
    if (!handle)
        return;
    // Qt sets the native title from the caption on more occasions than it says so to the widget:
    // whenever it does, the title is shown converted again.
    if (!handle->property(kWatched).toBool()) {
        handle->setProperty(kWatched, true);
        QObject::connect(handle, &QWindow::windowTitleChanged, window, [window] { showCaption(window); });
    }
    const QString caption = window->windowTitle();
    if (caption.isEmpty())
        return; // without a caption the desktop shows the program's name, as Qt gives it
    const QString wanted = shown(caption);
    if (handle->title() != wanted)
        handle->setTitle(wanted);
}

QString keyText(const QTextBlock &block)
{
    if (const auto *own = dynamic_cast<const OwnText *>(block.userData()))
        return own->text;
    return block.text();
}

void showDocument(QTextDocument *document)
{
    struct Run {
        int start;
        QString text;
        QTextCharFormat format;
    };
    std::vector<Run> runs;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString own = keyText(block);
        const QString wanted = shown(own);
        const QString now = block.text();
        // A conversion that would change the block's length is not shown: every position stays.
        if (wanted == now || wanted.size() != now.size())
            continue;
        if (!block.userData())
            block.setUserData(new OwnText(own));
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.charFormat().isImageFormat())
                continue;
            const int offset = fragment.position() - block.position();
            const QString text = wanted.mid(offset, fragment.length());
            if (text != fragment.text())
                runs.push_back({fragment.position(), text, fragment.charFormat()});
        }
    }
    if (runs.empty())
        return;
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const Run &run : runs) {
        cursor.setPosition(run.start);
        cursor.setPosition(run.start + int(run.text.size()), QTextCursor::KeepAnchor);
        cursor.insertText(run.text, run.format);
    }
    cursor.endEditBlock();
    document->setUndoRedoEnabled(undo);
}

void refreshWidgets()
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        // Child windows' title bars are drawn converted by the Style.
        showCaption(top);
    }
    for (QWidget *widget : QApplication::allWidgets()) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(widget, &change);
        widget->update();
    }
}

} // namespace textform
