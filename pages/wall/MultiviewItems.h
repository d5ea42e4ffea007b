#pragma once

#include "pages/wall/MultiviewGeometry.h"

#include <QVector>

class QGraphicsItem;
class QGraphicsRectItem;
class QGraphicsScene;
class QGraphicsSimpleTextItem;
class QRectF;
struct MultiviewWindow;

// What the multiview canvas draws, kept in its scene: one rectangle and one
// number per window, the eight stretch handles of the selected window, the
// centre lines and coordinates, and the rectangle being drawn. Items belong
// to the scene; this class creates, places and deletes them.
class MultiviewItems
{
public:
    using Rect = MultiviewGeometry::Rect;

    explicit MultiviewItems(QGraphicsScene *scene);

    int count() const { return m_windows.size(); }
    void addWindow();
    void removeLastWindow();
    void removeAllWindows();
    // Window k's items follow the model's window: geometry, stacking and
    // visibility.
    void place(int k, const MultiviewWindow &window);
    bool shown(int k) const;
    // The layer window k is stacked at now.
    int stackedLayer(int k) const;
    QGraphicsRectItem *rectItem(int k) const;
    QGraphicsSimpleTextItem *numberItem(int k) const;

    void showHandles(const Rect &window, int layer, int size);
    void removeHandles();
    // The handle under the point, -1 when none.
    int handleAt(int x, int y) const;
    QGraphicsRectItem *handleItem(int h) const;

    // Centre lines and the coordinates of the corners, for a new scene size.
    void rebuildAux(const QRectF &sceneRect);

    void showMouseRect(const Rect &r);
    void hideMouseRect();

private:
    struct Window
    {
        QGraphicsRectItem *rect;
        QGraphicsSimpleTextItem *number;
    };

    QGraphicsScene *m_scene;
    QVector<Window> m_windows;
    QGraphicsRectItem *m_handles[MultiviewGeometry::HandleCount] = {};
    QVector<QGraphicsItem *> m_aux;
    QGraphicsRectItem *m_mouseRect;
};
