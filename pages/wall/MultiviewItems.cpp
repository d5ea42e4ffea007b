#include "pages/wall/MultiviewItems.h"

#include "pages/wall/MultiviewLook.h"
#include "protocol/DeviceState.h"

#include <QBrush>
#include <QCursor>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QPen>

using namespace MultiviewGeometry;

namespace {

constexpr int LayerZStep = 2;  // a window of layer L: rectangle 2L + 1, number 2L + 2
constexpr qreal HandleZ = 1.5; // handles sit above their window's number, below the next layer
constexpr qreal AuxZ = 100;    // centre lines and coordinates above every window
constexpr qreal MouseRectZ = 101;
constexpr int AuxLineWidth = 2;
constexpr int Half = 2;
constexpr int NoHandle = -1;

qreal RectZ(int layer)
{
    return LayerZStep * layer + 1;
}

const Qt::CursorShape HandleCursors[HandleCount] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor,  Qt::SizeBDiagCursor,
                                                    Qt::SizeHorCursor,   Qt::SizeHorCursor,  Qt::SizeBDiagCursor,
                                                    Qt::SizeVerCursor,   Qt::SizeFDiagCursor};

} // namespace

MultiviewItems::MultiviewItems(QGraphicsScene *scene)
    : m_scene(scene)
{
    m_mouseRect = m_scene->addRect(QRectF(), QPen(MultiviewLook::MouseRectColour()));
    m_mouseRect->setZValue(MouseRectZ);
    m_mouseRect->hide();
}

void MultiviewItems::addWindow()
{
    const int k = m_windows.size();
    const QColor colour = MultiviewLook::WindowColour(k);
    Window items;
    items.rect = m_scene->addRect(QRectF(), QPen(colour, 1, Qt::DashLine), QBrush(colour));
    items.number = m_scene->addSimpleText(QStringLiteral("%1").arg(k + 1), MultiviewLook::WindowNumberFont());
    items.number->setBrush(MultiviewLook::WindowNumberColour());
    m_windows.append(items);
}

void MultiviewItems::removeLastWindow()
{
    if (m_windows.isEmpty())
        return;
    const Window items = m_windows.takeLast();
    delete items.rect;
    delete items.number;
}

void MultiviewItems::removeAllWindows()
{
    while (!m_windows.isEmpty())
        removeLastWindow();
}

void MultiviewItems::place(int k, const MultiviewWindow &window)
{
    if (k < 0 || k >= m_windows.size())
        return;
    const Window &items = m_windows[k];
    const qreal z = RectZ(window.layer);
    const bool visible = window.visible != 0;
    items.rect->setRect(window.x, window.y, window.w, window.h);
    items.rect->setZValue(z);
    items.rect->setVisible(visible);
    const QRectF text = items.number->boundingRect();
    items.number->setPos(window.x + (qreal(window.w) - text.width()) / Half,
                         window.y + (qreal(window.h) - text.height()) / Half);
    items.number->setZValue(z + 1);
    items.number->setVisible(visible);
}

bool MultiviewItems::shown(int k) const
{
    return k >= 0 && k < m_windows.size() && m_windows[k].rect->isVisible();
}

int MultiviewItems::stackedLayer(int k) const
{
    if (k < 0 || k >= m_windows.size())
        return 0;
    return int(m_windows[k].rect->zValue() - 1) / LayerZStep;
}

QGraphicsRectItem *MultiviewItems::rectItem(int k) const
{
    return k >= 0 && k < m_windows.size() ? m_windows[k].rect : nullptr;
}

QGraphicsSimpleTextItem *MultiviewItems::numberItem(int k) const
{
    return k >= 0 && k < m_windows.size() ? m_windows[k].number : nullptr;
}

void MultiviewItems::showHandles(const Rect &window, int layer, int size)
{
    for (int h = 0; h < HandleCount; ++h) {
        if (!m_handles[h]) {
            m_handles[h] = m_scene->addRect(QRectF(), QPen(Qt::NoPen), QBrush(MultiviewLook::HandleColour()));
            m_handles[h]->setCursor(HandleCursors[h]);
        }
        const Rect r = HandleRect(window, Handle(h), size);
        m_handles[h]->setRect(r.x, r.y, r.w, r.h);
        m_handles[h]->setZValue(RectZ(layer) + HandleZ);
    }
}

void MultiviewItems::removeHandles()
{
    for (QGraphicsRectItem *&handle : m_handles) {
        delete handle;
        handle = nullptr;
    }
}

int MultiviewItems::handleAt(int x, int y) const
{
    for (int h = 0; h < HandleCount; ++h) {
        if (!m_handles[h] || !m_handles[h]->isVisible())
            continue;
        const QRectF r = m_handles[h]->rect();
        if (Rect{int(r.x()), int(r.y()), int(r.width()), int(r.height())}.contains(x, y))
            return h;
    }
    return NoHandle;
}

QGraphicsRectItem *MultiviewItems::handleItem(int h) const
{
    return h >= 0 && h < HandleCount ? m_handles[h] : nullptr;
}

void MultiviewItems::rebuildAux(const QRectF &sceneRect)
{
    qDeleteAll(m_aux);
    m_aux.clear();
    const qreal w = sceneRect.width();
    const qreal h = sceneRect.height();
    QPen line(MultiviewLook::AuxLineColour(), AuxLineWidth);
    line.setCosmetic(true);
    m_aux << m_scene->addLine(0, h / Half, w, h / Half, line) << m_scene->addLine(w / Half, 0, w / Half, h, line);

    const QFont font = MultiviewLook::AuxCoordinateFont();
    const QBrush brush(MultiviewLook::AuxCoordinateColour());
    const auto text = [&](const QString &s) {
        QGraphicsSimpleTextItem *item = m_scene->addSimpleText(s, font);
        item->setBrush(brush);
        m_aux << item;
        return item;
    };
    // "0" at the origin, the width at the top-right corner, the height at
    // the bottom-left one.
    text(QStringLiteral("0"))->setPos(0, 0);
    QGraphicsSimpleTextItem *right = text(QString::number(qint64(w)));
    right->setPos(w - right->boundingRect().width(), 0);
    QGraphicsSimpleTextItem *bottom = text(QString::number(qint64(h)));
    bottom->setPos(0, h - bottom->boundingRect().height());
    for (QGraphicsItem *item : qAsConst(m_aux))
        item->setZValue(AuxZ);
}

void MultiviewItems::showMouseRect(const Rect &r)
{
    m_mouseRect->setRect(r.x, r.y, r.w, r.h);
    m_mouseRect->show();
}

void MultiviewItems::hideMouseRect()
{
    m_mouseRect->setRect(QRectF());
    m_mouseRect->hide();
}
