#pragma once
// A read-only, scrolling text pane. It keeps the text exactly as it was set (CR LF between lines);
// the editor underneath shows it with its own line breaks, in the characters the reader chose
// (繁體字), shown again when the reader switches them.

#include <QPlainTextEdit>

class TextPane : public QPlainTextEdit
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)

  public:
    explicit TextPane(QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
    void setText(const QString &text);

  signals:
    // Ctrl and the wheel over the pane ask for larger or smaller text; the reader's text size
    // decides, for every pane at once.
    void zoomRequested(bool larger);

  protected:
    // With the keyboard in the pane its frame is drawn in the highlight colour.
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

  private:
    void showText();
    QString m_text;
};
