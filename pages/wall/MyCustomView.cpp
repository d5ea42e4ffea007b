#include "pages/wall/MyCustomView.h"

#include "pages/wall/MyCustomScene.h"

namespace {
constexpr int HintBorder = 2;
} // namespace

MyCustomView::MyCustomView(QWidget *parent)
    : QGraphicsView(parent)
    , m_scene(new MyCustomScene(this))
{
    // No frame: the viewport is the whole 960 x 540, so the scaled output
    // fills it to the pixel.
    setFrameShape(QFrame::NoFrame);
    setFixedSize(ViewWidth, ViewHeight);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setViewportMargins(0, 0, 0, 0);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setRenderHint(QPainter::Antialiasing, false);
    setScene(m_scene);
    m_scene->SetSceneSize(ViewWidth, ViewHeight);
}

void MyCustomView::fitScale(qreal scale)
{
    const QSize size(qRound(ViewWidth * scale), qRound(ViewHeight * scale));
    const QSize before = this->size();
    if (size == before || before.isEmpty())
        return;
    setFixedSize(size);
    // The scene's own scale (its size to the view's) follows the new size.
    const QTransform t = transform();
    const qreal across = qreal(size.width()) / before.width();
    const qreal down = qreal(size.height()) / before.height();
    setTransform(QTransform(t.m11() * across, t.m12(), t.m21(), t.m22() * down, t.dx(), t.dy()));
}

QSize MyCustomView::sizeHint() const
{
    return QSize(ViewWidth + HintBorder, ViewHeight + HintBorder);
}
