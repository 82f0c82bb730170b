#pragma once
// A read-only, scrolling text pane. It keeps the text exactly as it was set (CR LF between lines);
// the editor underneath shows it with its own line breaks, in the characters the reader chose
// (繁體字), shown again when the reader switches them. A pane that holds an incantation can set
// pinyin over its characters (注音); its text stays the characters alone.

#include <QTextEdit>

class TextPane : public QTextEdit
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)

  public:
    explicit TextPane(QWidget *parent = nullptr);

    const QString &text() const { return m_text; }
    void setText(const QString &text);

    // Whether the text set holds an incantation below its first line (the heading and label), and
    // whether pinyin is wanted over incantations. Readings are drawn when both are true.
    void setIncantation(bool incantation);
    bool isIncantation() const { return m_incantation; }
    void setPinyinShown(bool shown);
    bool pinyinShown() const { return m_pinyinShown; }
    // True while readings are drawn over the text.
    bool showsReadings() const { return m_incantation && m_pinyinShown; }

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
    void paintEvent(QPaintEvent *event) override;

  private:
    void applyReadings();

    void showText();
    QString m_text;
    bool m_incantation = false;
    bool m_pinyinShown = false;
};
