#pragma once
// The article page window: a child window of the frame holding one HTML view, WebBrowser1.

#include "articles/ArticleBrowser.h"
#include "common/Printing.h"
#include "content/PageAddress.h"

#include <QWidget>

class QPagedPaintDevice;

class QTextDocument;

class Fwangye : public QWidget
{
    Q_OBJECT

  public:
    explicit Fwangye(QWidget *parent = nullptr);

    QTextBrowser *WebBrowser1() const { return m_webBrowser1; }

    // The caption the window is found by: the form's title and its sub-window's.
    void setCaption(const QString &caption);

    // The article shown, as it was opened (its name); and the address of what is in view: the
    // article at the last section heading scrolled past the top of the view.
    void setArticleName(const QString &name) { m_articleName = name; }
    QString articleName() const { return m_articleName; }
    content::PageAddress address() const;

    // The page's section headings, in order, and scrolling one to the top of the view (false when
    // the page has no such heading).
    QStringList sectionHeadings() const;
    // The section headings of an article page's document, as the book writes them.
    static QStringList sectionHeadings(const QTextDocument *document);
    bool scrollToSection(const QString &heading);

    // The text size of the page, as a share of its own (1 for 100 %); kept for the pages loaded
    // later too.
    void setTextScale(double scale);

    // Loads a page file into WebBrowser1. Once it has loaded, the caption becomes the page's title.
    void navigate(const QString &fileName);

    // The restored client size: what a cascaded or restored article page is given.
    QSize sizeHint() const override;

    // 打印… (Ctrl+P) and 导出PDF…: the whole document, on as many A4 sheets as it takes. The
    // browser's context menu offers both after its own entries.
    void printArticle();
    void exportPdf();
    // Draws the whole document onto the sheets, numbered at their foot.
    bool renderArticle(QPagedPaintDevice &sheets) const;

  signals:
    // Another section came into view, or the page was loaded.
    void addressChanged(const content::PageAddress &address);
    // Ctrl and the wheel over the page ask for larger or smaller text.
    void textZoomRequested(bool larger);

  protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void navigationComplete();
    void showContextMenu(const QPoint &position);
    QString documentName() const;
    void reportAddress();

    ArticleBrowser *m_webBrowser1 = nullptr;
    printing::Actions m_printing;
    QString m_articleName;
    content::PageAddress m_reported;
    double m_textScale = 1;    // what the reader asked for
    double m_appliedScale = 1; // what the document's text is set to now
};
