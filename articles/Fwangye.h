#pragma once
// The article page window: a child window of the frame holding one HTML view, WebBrowser1.

#include "articles/ArticleBrowser.h"

#include <QWidget>

class QAction;
class QPagedPaintDevice;

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

    // 打印… (Ctrl+P) and 导出PDF…: the whole document, on as many A4 sheets as it takes. The
    // browser's context menu offers both after its own entries.
    void printArticle();
    void exportPdf();
    // Draws the whole document onto the sheets, numbered at their foot.
    bool renderArticle(QPagedPaintDevice &sheets) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void navigationComplete();
    void showContextMenu(const QPoint &position);
    QString documentName() const;

    ArticleBrowser *m_webBrowser1 = nullptr;
    QAction *m_print = nullptr;
    QAction *m_exportPdf = nullptr;
};
