#include "viewer/PictureViewer.h"

#include "common/Module1.h"
#include "common/Pictures.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QWheelEvent>

namespace {

// An arrow key moves the picture by this share of the window, and at least this many pixels.
constexpr double kArrowShare = 0.1;
constexpr double kLeastArrowStep = 24;
// One notch of a mouse wheel (120 eighths of a degree) moves the picture this far.
constexpr double kWheelNotchPixels = 60;
constexpr int kWheelNotch = 120;

QAction *makeAction(QWidget *owner, const QString &text, const QList<QKeySequence> &keys)
{
    auto *action = new QAction(text, owner);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    owner->addAction(action);
    return action;
}

} // namespace

PictureViewer::PictureViewer(const QImage &picture, const QString &fileName, const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_picture(picture)
    , m_fileName(fileName)
{
    setObjectName(QStringLiteral("PictureViewer"));
    setWindowTitle(title);
    setWindowIcon(pictures::appIcon());
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(96, 96, 96));
    setPalette(background);
    m_zoom.setPicture(m_picture.size());
    createActions();
}

void PictureViewer::createActions()
{
    connect(makeAction(this, QStringLiteral("放大"), {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}),
            &QAction::triggered, this, &PictureViewer::zoomIn);
    connect(makeAction(this, QStringLiteral("缩小"), {QKeySequence::ZoomOut}), &QAction::triggered, this,
            &PictureViewer::zoomOut);
    connect(makeAction(this, QStringLiteral("原始大小 1:1"), {QKeySequence(Qt::CTRL | Qt::Key_0)}), &QAction::triggered,
            this, &PictureViewer::actualSize);
    connect(makeAction(this, QStringLiteral("适合窗口"), {QKeySequence(Qt::CTRL | Qt::Key_9)}), &QAction::triggered,
            this, &PictureViewer::fitToWindow);
    connect(makeAction(this, QStringLiteral("复制图片"), {}), &QAction::triggered, this,
            [this] { QApplication::clipboard()->setImage(m_picture); });
    connect(makeAction(this, QStringLiteral("关闭"), {QKeySequence(Qt::Key_Escape)}), &QAction::triggered, this,
            &PictureViewer::closeViewer);
}

QSize PictureViewer::sizeHint() const
{
    return m_picture.size().scaled(720, 720, Qt::KeepAspectRatio).expandedTo(QSize(160, 160));
}

void PictureViewer::zoomIn()
{
    m_zoom.zoomIn();
    changed();
}

void PictureViewer::zoomOut()
{
    m_zoom.zoomOut();
    changed();
}

void PictureViewer::actualSize()
{
    m_zoom.actualSize();
    changed();
}

void PictureViewer::fitToWindow()
{
    m_zoom.fit();
    changed();
}

void PictureViewer::closeViewer()
{
    if (QMdiSubWindow *sub = Module1::subWindowOf(this))
        sub->close();
    else
        close();
}

void PictureViewer::changed()
{
    // The hand says the picture can be moved: it is larger than the window.
    const QRectF shown = m_zoom.pictureRect();
    const bool movable = shown.width() > width() + 0.5 || shown.height() > height() + 0.5;
    setCursor(m_dragging ? Qt::ClosedHandCursor : movable ? Qt::OpenHandCursor : Qt::ArrowCursor);
    update();
}

void PictureViewer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_zoom.setDevicePixelRatio(devicePixelRatioF());
    m_zoom.setWindow(size());
    changed();
}

void PictureViewer::paintEvent(QPaintEvent *)
{
    const QRectF target = m_zoom.pictureRect();
    if (target.isEmpty())
        return;
    QPainter painter(this);
    const double ratio = devicePixelRatioF();
    const double scale = m_zoom.scale();
    if (scale * ratio <= 1 + 1e-9) {
        // Reduced: one smooth copy of the whole picture, made once per scale.
        const QSize pixels = (target.size() * ratio).toSize().expandedTo(QSize(1, 1));
        if (m_scaled.isNull() || m_scaledFor != scale || m_scaled.size() != pixels) {
            m_scaled = QPixmap::fromImage(m_picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            m_scaled.setDevicePixelRatio(ratio);
            m_scaledFor = scale;
        }
        painter.drawPixmap(target.topLeft(), m_scaled);
        return;
    }
    // Enlarged: only the part of the picture that the window shows is scaled.
    m_scaled = QPixmap();
    const QRectF visible = target.intersected(QRectF(rect()));
    const QRectF source((visible.topLeft() - target.topLeft()) / scale, visible.size() / scale);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(visible, m_picture, source);
}

void PictureViewer::wheelEvent(QWheelEvent *event)
{
    const QPoint angle = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        // Each notch is one step, about the point under the mouse.
        const int notches = angle.y() / kWheelNotch;
        for (int i = 0; i < qAbs(notches); ++i)
            notches > 0 ? m_zoom.zoomIn(event->position()) : m_zoom.zoomOut(event->position());
        if (notches == 0 && angle.y() != 0) // a fine-grained wheel: one step per gesture event
            angle.y() > 0 ? m_zoom.zoomIn(event->position()) : m_zoom.zoomOut(event->position());
    } else {
        QPointF delta = QPointF(angle) * (kWheelNotchPixels / kWheelNotch);
        if (event->modifiers() & Qt::ShiftModifier)
            delta = QPointF(delta.y(), delta.x());
        m_zoom.panBy(delta);
    }
    changed();
    event->accept();
}

void PictureViewer::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_dragging = true;
    m_dragFrom = event->position().toPoint();
    changed();
}

void PictureViewer::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return QWidget::mouseMoveEvent(event);
    const QPoint here = event->position().toPoint();
    m_zoom.panBy(here - m_dragFrom);
    m_dragFrom = here;
    changed();
}

void PictureViewer::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_dragging = false;
    changed();
}

void PictureViewer::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Fitted, a double click shows that spot 1:1; otherwise it fits the picture again.
    if (m_zoom.isFitted())
        m_zoom.zoomTo(m_zoom.actualSizeScale(), event->position());
    else
        m_zoom.fit();
    changed();
}

void PictureViewer::keyPressEvent(QKeyEvent *event)
{
    const double across = std::max(kLeastArrowStep, kArrowShare * width());
    const double down = std::max(kLeastArrowStep, kArrowShare * height());
    switch (event->key()) {
    case Qt::Key_Left:
        m_zoom.panBy(QPointF(across, 0));
        break;
    case Qt::Key_Right:
        m_zoom.panBy(QPointF(-across, 0));
        break;
    case Qt::Key_Up:
        m_zoom.panBy(QPointF(0, down));
        break;
    case Qt::Key_Down:
        m_zoom.panBy(QPointF(0, -down));
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    changed();
}

void PictureViewer::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    const QList<QAction *> all = actions();
    for (int i = 0; i < all.size(); ++i) {
        if (i == 4 || i == 5)
            menu.addSeparator();
        menu.addAction(all.at(i));
    }
    menu.exec(event->globalPos());
}
