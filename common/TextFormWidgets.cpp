#include "common/TextFormWidgets.h"

#include "common/TextForm.h"

#include <QApplication>
#include <QEvent>
#include <QStyleFactory>
#include <QStyleOption>
#include <QVariant>
#include <QWidget>

namespace textform {

namespace {

// The caption as the window's code set it, and the converted one shown in its place.
constexpr const char *kKeyCaption = "textform.keyCaption";
constexpr const char *kShownCaption = "textform.shownCaption";

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

void Style::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                        const QWidget *widget) const
{
    if (current() == Form::Simplified)
        return QProxyStyle::drawControl(element, option, painter, widget);
    ++m_converted;
    if (const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option)) {
        QStyleOptionMenuItem copy(*item);
        copy.text = shown(copy.text);
        QProxyStyle::drawControl(element, &copy, painter, widget);
    } else if (const auto *row = qstyleoption_cast<const QStyleOptionViewItem *>(option)) {
        QStyleOptionViewItem copy(*row);
        copy.text = shown(copy.text);
        QProxyStyle::drawControl(element, &copy, painter, widget);
    } else if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option)) {
        QStyleOptionButton copy(*button);
        copy.text = shown(copy.text);
        QProxyStyle::drawControl(element, &copy, painter, widget);
    } else if (const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option)) {
        QStyleOptionComboBox copy(*combo);
        copy.currentText = shown(copy.currentText);
        QProxyStyle::drawControl(element, &copy, painter, widget);
    } else if (const auto *tab = qstyleoption_cast<const QStyleOptionTab *>(option)) {
        QStyleOptionTab copy(*tab);
        copy.text = shown(copy.text);
        QProxyStyle::drawControl(element, &copy, painter, widget);
    } else if (const auto *header = qstyleoption_cast<const QStyleOptionHeader *>(option)) {
        QStyleOptionHeader copy(*header);
        copy.text = shown(copy.text);
        QProxyStyle::drawControl(element, &copy, painter, widget);
    } else if (const auto *tool = qstyleoption_cast<const QStyleOptionToolButton *>(option)) {
        QStyleOptionToolButton copy(*tool);
        copy.text = shown(copy.text);
        QProxyStyle::drawControl(element, &copy, painter, widget);
    } else if (const auto *dock = qstyleoption_cast<const QStyleOptionDockWidget *>(option)) {
        QStyleOptionDockWidget copy(*dock);
        copy.title = shown(copy.title);
        QProxyStyle::drawControl(element, &copy, painter, widget);
    } else {
        // Any other control draws its texts through drawItemText, converted there.
        --m_converted;
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    --m_converted;
}

void Style::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                               const QWidget *widget) const
{
    if (current() != Form::Simplified) {
        if (const auto *title = qstyleoption_cast<const QStyleOptionTitleBar *>(option)) {
            // A child window's title bar: its caption stays the key, what is drawn is converted.
            QStyleOptionTitleBar copy(*title);
            copy.text = shown(copy.text);
            ++m_converted;
            QProxyStyle::drawComplexControl(control, &copy, painter, widget);
            --m_converted;
            return;
        }
        if (const auto *group = qstyleoption_cast<const QStyleOptionGroupBox *>(option)) {
            QStyleOptionGroupBox copy(*group);
            copy.text = shown(copy.text);
            ++m_converted;
            QProxyStyle::drawComplexControl(control, &copy, painter, widget);
            --m_converted;
            return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

void installStyle()
{
    // The desktop's style stays underneath: only the texts handed to it change.
    if (!qobject_cast<Style *>(QApplication::style()))
        QApplication::setStyle(new Style(QStyleFactory::create(QApplication::style()->name())));
}

QString baseStyleName()
{
    const QStyle *style = QApplication::style();
    if (const auto *proxy = qobject_cast<const Style *>(style))
        style = proxy->baseStyle();
    return style->name();
}

QString keyCaption(const QWidget *window)
{
    const QString title = window->windowTitle();
    const QVariant shownCaption = window->property(kShownCaption);
    // A caption set by the window's code after the last conversion is its new key.
    if (shownCaption.isValid() && shownCaption.toString() == title)
        return window->property(kKeyCaption).toString();
    return title;
}

void showCaption(QWidget *window)
{
    const QString key = keyCaption(window);
    const QString converted = shown(key);
    if (converted == key) {
        window->setProperty(kKeyCaption, QVariant());
        window->setProperty(kShownCaption, QVariant());
        if (window->windowTitle() != key)
            window->setWindowTitle(key);
        return;
    }
    window->setProperty(kKeyCaption, key);
    window->setProperty(kShownCaption, converted);
    window->setWindowTitle(converted);
}

void refreshWidgets()
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        // Child windows keep their captions (the keys they are found by); their title bars are
        // drawn converted by the Style.
        showCaption(top);
    }
    for (QWidget *widget : QApplication::allWidgets()) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(widget, &change);
        widget->update();
    }
}

} // namespace textform
