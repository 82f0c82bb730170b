#pragma once
// The picture viewer: one page's picture at full resolution in a child window of its own, at its
// true proportions. It opens fitted to the window; Ctrl+wheel, Ctrl++ and Ctrl+- zoom, Ctrl+0 shows
// it 1:1 and Ctrl+9 fits it again; a drag or the arrow keys move it; Esc closes the window.

#include "viewer/PictureZoom.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

class PictureViewer : public QWidget
{
    Q_OBJECT

  public:
    // fileName says which file the picture came from, so that an open viewer is found again.
    PictureViewer(const QImage &picture, const QString &fileName, const QString &title, QWidget *parent = nullptr);

    const QString &fileName() const { return m_fileName; }
    const QImage &picture() const { return m_picture; }
    const viewer::PictureZoom &zoom() const { return m_zoom; }

    void zoomIn();
    void zoomOut();
    void actualSize();
    void fitToWindow();
    // Closes the child window that holds the viewer, or the viewer standing alone.
    void closeViewer();

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

  private:
    void createActions();
    void changed();

    QImage m_picture;
    QString m_fileName;
    viewer::PictureZoom m_zoom;
    // The whole picture scaled to the current scale, kept while the scale stays; used at scales up to
    // 1:1, where the copy is never larger than the picture itself.
    QPixmap m_scaled;
    double m_scaledFor = 0;
    QPoint m_dragFrom;
    bool m_dragging = false;
};
