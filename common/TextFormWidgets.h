#pragma once
// The windows' side of the characters shown (TextForm): a style that draws every label, button,
// list row, menu item and child window's title bar in the current form, and the captions of the
// top-level windows shown converted while the windows are still found by their own caption.

#include <QProxyStyle>
#include <QString>

class QTextBlock;
class QTextDocument;
class QWidget;

namespace textform {

// Draws the texts that widgets hand to the style in the current form. The text the widget holds
// is untouched, so every lookup of a label's, a list's or a button's text reads the book's own.
class Style : public QProxyStyle
{
    Q_OBJECT

  public:
    explicit Style(QStyle *base = nullptr);

    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                      const QString &text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;

  private:
    // Set while a control whose text was converted already is drawn: its inner drawItemText
    // draws the text as given.
    mutable int m_converted = 0;
};

// Installs the Style over the application's style, once.
void installStyle();
// The name of the style the Style draws with (the desktop's), for a widget's own style made from it.
QString baseStyleName();

// Shows a top-level window's caption in the current form where the desktop shows it (its native
// window's title); in the simplified form gives back the caption exactly as it was set. The widget's
// windowTitle() stays the caption its code set, the one the window is found by.
void showCaption(QWidget *window);

// Shows a rich text document's text (never its markup, its formats or its pictures) in the
// current form, character for character in place; in the simplified form gives back the text it
// was loaded with. Each converted block keeps its own text for keyText.
void showDocument(QTextDocument *document);
// A block's own text, also while it shows converted: what headings and sections are found by.
QString keyText(const QTextBlock &block);

// After the form changed: every window's caption in the new form, every widget drawn again, and
// every widget told (QEvent::LanguageChange) to show its texts again.
void refreshWidgets();

} // namespace textform
