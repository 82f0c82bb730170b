#pragma once
// The catalogue page: the frame's backdrop with the twelve titles and the banner.

#include "catalogue/BannerCycle.h"
#include "common/FileStamp.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>

class PictureBox;
class QLabel;
class QTimer;

class Fmulu : public QWidget
{
    Q_OBJECT

  public:
    using ChapterOpener = std::function<void(const QString &shortTitle)>;
    using ArticleOpener = std::function<void(const QString &name, int shift)>;

    Fmulu(ChapterOpener openChapter, ArticleOpener openArticle, QWidget *parent = nullptr);

    // Timer1: shows the banner's next picture, or hides the banner for good when a picture is gone.
    void timerTick();
    int bannerStep() const { return m_banner.step(); }

    // Starts reading the background and the banner's first picture (wkpna.gif) on other threads;
    // the next catalogue page takes them from there instead of reading them itself. Nothing is
    // shown from those threads: a file that cannot be read leaves its picture empty, as it would
    // when read here.
    static void preloadBackground();

    // True while nothing of the page can be seen: hidden, minimised, or covered by a window in
    // front of it (a maximised viewer, say). Ticks then only check the four banner files.
    bool isCovered() const;

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    void createTitles();
    QLabel *title(const QString &name) const;
    void layoutPage();

    // One banner picture as last read from its file, with the file's stamp then, and a copy scaled
    // for the banner's box. A file that still has that stamp is not read again.
    struct BannerFrame {
        QImage picture;
        QImage scaled;
        FileStamp stamp;
    };

    ChapterOpener m_openChapter;
    ArticleOpener m_openArticle;
    QImage m_background;
    PictureBox *m_image1 = nullptr;
    QTimer *m_timer1 = nullptr;
    BannerCycle m_banner;
    std::array<BannerFrame, 4> m_frames;
    QString m_reportedFailure; // the banner failure last reported, until a picture loads again
};
