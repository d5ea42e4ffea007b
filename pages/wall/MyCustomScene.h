#pragma once

#include "pages/wall/MultiviewGeometry.h"
#include "pages/wall/MultiviewItems.h"

#include <QGraphicsScene>

#include <functional>
#include <memory>

class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
class QMenu;
struct MultiviewRecord;

// The multiview canvas: the windows of one multiview record drawn in the
// output's own pixels. The operator draws, moves and resizes windows with
// the mouse and sets their input, layer and on/off state and the audio
// source from the context menu. Every change goes into the record of the
// device model and, while a link is up, to the device.
class MyCustomScene : public QGraphicsScene
{
    Q_OBJECT

public:
    enum class Mode { None, Selected, Drawing, Resizing, Moving };

    explicit MyCustomScene(QObject *parent = nullptr);
    ~MyCustomScene() override;

    // The record shown (clamped to the model's records).
    void SetMultiview(quint32 record);
    quint32 multiview() const { return m_record; }

    // The output's size: scene rectangle, unit and handle size, and every
    // view scaled so that the whole output fills it.
    void SetSceneSize(int width, int height);
    // Items for the record's windows (none when it claims more than four),
    // each placed from the model.
    void SyncAllWindows();
    // Window k placed from the model; the page is told.
    void SyncWindow(int k);
    // The same, or, while the mouse holds a window, once it lets go: a
    // device answer must not pull a window from under the mouse.
    void RequestSyncAll();
    // Window k to layer (0 … 3); the others close the gap.
    void SetLayer(int k, int layer);
    void SetVisibility(int k, bool on);
    void SetGeometry(int k, int x, int y, int w, int h);
    // Removes every window item.
    void Clear();
    // Drops the handles and any mouse action under way.
    void ClearWindowSelection();

    int unit() const { return m_unit; }
    int handleSize() const { return m_handleSize; }
    Mode mode() const { return m_mode; }
    // The mouse holds a window it moves or resizes.
    bool dragging() const { return m_pressed && (m_mode == Mode::Moving || m_mode == Mode::Resizing); }
    int selectedWindow() const { return m_selected; }
    int windowItemCount() const { return m_items.count(); }
    QGraphicsRectItem *windowItem(int k) const;
    QGraphicsSimpleTextItem *numberItem(int k) const;
    QGraphicsRectItem *handleItem(int h) const;
    QMenu *contextMenu() const { return m_menu.get(); }

Q_SIGNALS:
    void SGL_UpdateEmit();
    // Window k's geometry, layer or state changed.
    void SGL_SyncMV_WinInfo(unsigned char window);

public Q_SLOTS:
    void SLT_Scene_Resize_Handler(const QRectF &rect);
    void SLT_Menu_CurAudioSelect(bool);
    void SLT_Menu_NextWindowStatus(bool);
    void SLT_Menu_CurInputSelect(bool);
    void SLT_Menu_CurLayer(bool);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
    void contextMenuEvent(QGraphicsSceneContextMenuEvent *event) override;

private:
    using Rect = MultiviewGeometry::Rect;

    MultiviewRecord &record() const;
    MultiviewGeometry::Size size() const;
    Rect windowRect(int k) const;
    void selectAt(const QPoint &p);
    void startDrawing(const QPoint &p);
    void updateMouseRect(const QPoint &p);
    void addDrawnWindow();
    void moveStep(const QPoint &p);
    void resizeStep(const QPoint &p);
    void finishDrag();
    void toggleRegion(int k);
    // Builds and queues a command, and asks for it to be sent, only while
    // a link is up.
    void send(const std::function<bool()> &build);
    void buildMenu();
    int senderWindow() const;

    quint32 m_record = 0;
    MultiviewItems m_items;
    QPoint m_drawAnchor;
    Rect m_drawn;

    Mode m_mode = Mode::None;
    bool m_pressed = false;
    bool m_syncDue = false;
    int m_selected = MultiviewGeometry::NoWindow;
    int m_handle = -1;
    QPoint m_pressPoint;
    QPoint m_lastPoint;
    int m_unit = 0;
    int m_handleSize = 0;

    bool m_restoreSet = false;
    Rect m_restore[MultiviewGeometry::Windows];

    std::unique_ptr<QMenu> m_menu;
};
