#pragma once
// The article page window: a child window of the frame holding one HTML view, WebBrowser1.

#include <QTextBrowser>
#include <QWidget>

// The HTML view of an article page. Article pages are GBK text; a page that declares "gb2312"
// means GBK by it, as the platform's browsers read it, so it is read with the GBK converter.
// (Qt's converter of that name knows only GB2312 proper and garbles characters outside it, among
// them the 箓 of the book's own name.)
class ArticleBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl &name) override;

    // The text of an article page's bytes, read as the view reads them.
    static QString decodePage(const QByteArray &page);
};

class Fwangye : public QWidget
{
    Q_OBJECT

public:
    explicit Fwangye(QWidget *parent = nullptr);

    QTextBrowser *WebBrowser1() const { return m_webBrowser1; }

    // The caption the window is found by: the form's title and its sub-window's.
    void setCaption(const QString &caption);

    // Loads a page file into WebBrowser1. Once it has loaded, the caption becomes the page's title.
    void navigate(const QString &fileName);

    // The restored client size: what a cascaded or restored article page is given.
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void navigationComplete();

    ArticleBrowser *m_webBrowser1 = nullptr;
};
