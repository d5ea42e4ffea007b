#include "pages/wall/MyCustomScene.h"

#include "pages/wall/MultiviewMenu.h"
#include "pages/wall/MultiviewLook.h"
#include "pages/wall/MyCustomView.h"
#include "protocol/Catalogue.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"

#include <QGraphicsRectItem>
#include <QGraphicsSceneContextMenuEvent>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QMenu>

using namespace MultiviewGeometry;

namespace {

constexpr int NoHandle = -1;
constexpr quint8 CropWhole = 100; // a new window shows the whole source

bool Active()
{
    return Device().multiviewCount != 0;
}

bool Connected()
{
    return ActiveTransport.load() != TransportNone;
}

QPoint ScenePoint(const QGraphicsSceneMouseEvent *event)
{
    return event->scenePos().toPoint();
}

} // namespace

MyCustomScene::MyCustomScene(QObject *parent)
    : QGraphicsScene(parent)
    , m_items(this)
{
    setItemIndexMethod(QGraphicsScene::NoIndex);
    setBackgroundBrush(MultiviewLook::SceneBackground());
    connect(this, &QGraphicsScene::sceneRectChanged, this, &MyCustomScene::SLT_Scene_Resize_Handler);
    SetSceneSize(MyCustomView::ViewWidth, MyCustomView::ViewHeight);
}

MyCustomScene::~MyCustomScene() = default;

MultiviewRecord &MyCustomScene::record() const
{
    return Device().multiviewAt(m_record);
}

Size MyCustomScene::size() const
{
    return {int(sceneRect().width()), int(sceneRect().height())};
}

MyCustomScene::Rect MyCustomScene::windowRect(int k) const
{
    const MultiviewWindow &w = record().windowAt(quint32(k));
    return {int(w.x), int(w.y), int(w.w), int(w.h)};
}

QGraphicsRectItem *MyCustomScene::windowItem(int k) const
{
    return m_items.rectItem(k);
}

QGraphicsSimpleTextItem *MyCustomScene::numberItem(int k) const
{
    return m_items.numberItem(k);
}

QGraphicsRectItem *MyCustomScene::handleItem(int h) const
{
    return m_items.handleItem(h);
}

void MyCustomScene::SetMultiview(quint32 index)
{
    ClearWindowSelection();
    m_record = ClampMultiview(index);
}

void MyCustomScene::SetSceneSize(int width, int height)
{
    // An output not (yet) reported has no size; the view needs one.
    const int w = qMax(1, width);
    const int h = qMax(1, height);
    ClearWindowSelection();
    m_unit = Unit(w);
    m_handleSize = HandleSize(m_unit);
    setSceneRect(0, 0, w, h);
    for (QGraphicsView *view : views()) {
        const QTransform t = view->transform();
        view->setTransform(QTransform::fromTranslate(t.dx(), t.dy()));
        // The view may be shown smaller than its full size on a small screen.
        view->scale(qreal(view->width()) / w, qreal(view->height()) / h);
    }
}

void MyCustomScene::SLT_Scene_Resize_Handler(const QRectF &rect)
{
    m_items.rebuildAux(rect);
}

void MyCustomScene::Clear()
{
    ClearWindowSelection();
    m_items.removeAllWindows();
}

void MyCustomScene::ClearWindowSelection()
{
    m_items.removeHandles();
    m_items.hideMouseRect();
    m_mode = Mode::None;
    m_pressed = false;
    m_selected = NoWindow;
    m_handle = NoHandle;
    m_drawn = Rect();
}

void MyCustomScene::SyncAllWindows()
{
    const MultiviewRecord &r = record();
    if (r.windowCount > Windows)
        return;
    ClearWindowSelection();
    while (m_items.count() < r.windowCount)
        m_items.addWindow();
    while (m_items.count() > r.windowCount)
        m_items.removeLastWindow();
    for (int k = 0; k < m_items.count(); ++k)
        SyncWindow(k);
}

void MyCustomScene::SyncWindow(int k)
{
    if (k < 0 || k >= m_items.count())
        return;
    ClearWindowSelection();
    m_items.place(k, record().windowAt(quint32(k)));
    emit SGL_SyncMV_WinInfo(quint8(k));
}

void MyCustomScene::RequestSyncAll()
{
    if (dragging())
        m_syncDue = true;
    else
        SyncAllWindows();
}

void MyCustomScene::SetLayer(int k, int layer)
{
    if (layer < 0 || layer >= Layers || k < 0 || k >= Windows)
        return;
    ClearWindowSelection();
    MultiviewRecord &r = record();
    // The stack as drawn: the model may already hold a layer the device
    // reported, whose old place the others must close.
    const int count = qMax(m_items.count(), k + 1);
    quint8 layers[Windows];
    for (int j = 0; j < count; ++j)
        layers[j] = j < m_items.count() ? quint8(m_items.stackedLayer(j)) : r.windowAt(quint32(j)).layer;
    Restack(layers, count, k, layer);
    for (int j = 0; j < count; ++j) {
        r.windowAt(quint32(j)).layer = layers[j];
        m_items.place(j, r.windowAt(quint32(j)));
    }
    emit SGL_SyncMV_WinInfo(quint8(k));
}

void MyCustomScene::SetVisibility(int k, bool on)
{
    if (k < 0 || k >= Windows)
        return;
    record().windowAt(quint32(k)).visible = on ? 1 : 0;
    m_items.place(k, record().windowAt(quint32(k)));
    emit SGL_SyncMV_WinInfo(quint8(k));
}

void MyCustomScene::SetGeometry(int k, int x, int y, int w, int h)
{
    if (k < 0 || k >= Windows)
        return;
    MultiviewWindow &window = record().windowAt(quint32(k));
    window.x = quint32(qMax(0, x));
    window.y = quint32(qMax(0, y));
    window.w = quint32(qMax(0, w));
    window.h = quint32(qMax(0, h));
    m_items.place(k, window);
    if (k == m_selected)
        m_items.showHandles(windowRect(k), window.layer, m_handleSize);
    emit SGL_SyncMV_WinInfo(quint8(k));
}

void MyCustomScene::send(const std::function<bool()> &build)
{
    if (!Connected())
        return;
    build();
    emit SGL_UpdateEmit();
}

// Mouse ------------------------------------------------------------------

void MyCustomScene::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    QGraphicsScene::mousePressEvent(event);
    if (!Active())
        return;
    event->accept();
    if (event->button() == Qt::RightButton) {
        if (!m_pressed)
            buildMenu();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = ScenePoint(event);
    m_pressed = true;
    m_pressPoint = m_lastPoint = p;
    if (m_mode == Mode::Selected) {
        const int handle = m_items.handleAt(p.x(), p.y());
        if (handle != NoHandle) {
            m_mode = Mode::Resizing;
            m_handle = handle;
        } else if (record().windowAt(quint32(m_selected)).visible && windowRect(m_selected).contains(p.x(), p.y())) {
            m_mode = Mode::Moving;
        }
    }
    if (m_mode != Mode::Resizing && m_mode != Mode::Moving)
        selectAt(p);
}

void MyCustomScene::selectAt(const QPoint &p)
{
    const int count = m_items.count();
    Rect rects[Windows];
    quint8 layers[Windows];
    bool shown[Windows];
    for (int k = 0; k < count; ++k) {
        rects[k] = windowRect(k);
        layers[k] = record().windowAt(quint32(k)).layer;
        shown[k] = record().windowAt(quint32(k)).visible != 0;
    }
    const int k = TopmostAt(rects, layers, shown, count, p.x(), p.y());
    if (k == NoWindow) {
        startDrawing(p);
        return;
    }
    const int top = TopLayer(layers, count);
    if (layers[k] < top) {
        SetLayer(k, top);
        send([this, k] { return CMD_MvWindowLayerWrite(m_record, quint32(k)); });
    }
    m_pressed = true;
    m_mode = Mode::Selected;
    m_selected = k;
    emit SGL_SyncMV_WinInfo(quint8(k));
    m_items.showHandles(windowRect(k), record().windowAt(quint32(k)).layer, m_handleSize);
}

void MyCustomScene::startDrawing(const QPoint &p)
{
    ClearWindowSelection();
    m_pressed = true;
    m_mode = Mode::Drawing;
    m_drawAnchor = p;
    m_drawn = Rect{p.x(), p.y(), 0, 0};
    m_items.showMouseRect(m_drawn);
}

void MyCustomScene::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    QGraphicsScene::mouseMoveEvent(event);
    if (!Active() || !m_pressed)
        return;
    const QPoint p = ScenePoint(event);
    switch (m_mode) {
    case Mode::Drawing:
        updateMouseRect(p);
        break;
    case Mode::Resizing:
        resizeStep(p);
        break;
    case Mode::Moving:
        moveStep(p);
        break;
    case Mode::None:
    case Mode::Selected:
        break;
    }
}

void MyCustomScene::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    QGraphicsScene::mouseReleaseEvent(event);
    if (!Active() || event->button() != Qt::LeftButton || !m_pressed)
        return;
    const QPoint p = ScenePoint(event);
    m_pressed = false;
    switch (m_mode) {
    case Mode::Drawing:
        updateMouseRect(p);
        addDrawnWindow();
        break;
    case Mode::Resizing:
        resizeStep(p);
        finishDrag();
        break;
    case Mode::Moving:
        moveStep(p);
        finishDrag();
        break;
    case Mode::None:
    case Mode::Selected:
        break;
    }
    if (m_syncDue) {
        m_syncDue = false;
        SyncAllWindows();
    }
}

void MyCustomScene::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event)
{
    QGraphicsScene::mouseDoubleClickEvent(event);
    if (!Active() || event->button() != Qt::LeftButton || m_mode != Mode::Selected)
        return;
    event->accept();
    toggleRegion(m_selected);
}

void MyCustomScene::contextMenuEvent(QGraphicsSceneContextMenuEvent *event)
{
    QGraphicsScene::contextMenuEvent(event);
    if (!Active())
        return;
    // A menu asked for from the keyboard has had no right press to build it.
    if (!m_menu || event->reason() != QGraphicsSceneContextMenuEvent::Mouse)
        buildMenu();
    event->accept();
    m_menu->popup(event->screenPos());
}

void MyCustomScene::updateMouseRect(const QPoint &p)
{
    m_drawn = Normalised(m_drawAnchor.x(), m_drawAnchor.y(), p.x(), p.y());
    m_items.showMouseRect(m_drawn);
}

void MyCustomScene::addDrawnWindow()
{
    const Rect drawn = m_drawn;
    ClearWindowSelection();
    if (!MakesWindow(drawn, m_unit) || m_pressed)
        return;
    bool shown[Windows] = {};
    for (int k = 0; k < m_items.count(); ++k)
        shown[k] = m_items.shown(k);
    const int k = NextWindowIndex(shown, m_items.count());
    if (k == NoWindow)
        return;

    MultiviewRecord &r = record();
    MultiviewWindow &window = r.windowAt(quint32(k));
    window.slot = quint8(k);
    window.cropX = window.cropY = 0;
    window.cropW = window.cropH = CropWhole;
    if (k < m_items.count()) {
        SetGeometry(k, drawn.x, drawn.y, drawn.w, drawn.h);
        SetLayer(k, k);
        SetVisibility(k, true);
    } else {
        m_items.addWindow();
        r.windowCount = quint8(m_items.count());
        window.layer = quint8(k);
        window.visible = 1;
        SetGeometry(k, drawn.x, drawn.y, drawn.w, drawn.h);
    }
    send([this, k] { return CMD_MultiviewWrite(m_record, quint32(k)); });
}

void MyCustomScene::moveStep(const QPoint &p)
{
    const Rect r = Moved(windowRect(m_selected), p.x() - m_lastPoint.x(), p.y() - m_lastPoint.y(), size());
    SetGeometry(m_selected, r.x, r.y, r.w, r.h);
    m_lastPoint = p;
}

void MyCustomScene::resizeStep(const QPoint &p)
{
    const Rect r = Resized(windowRect(m_selected), Handle(m_handle), p.x() - m_lastPoint.x(), p.y() - m_lastPoint.y(),
                           size(), m_unit);
    SetGeometry(m_selected, r.x, r.y, r.w, r.h);
    m_lastPoint = p;
}

void MyCustomScene::finishDrag()
{
    m_mode = Mode::Selected;
    m_handle = NoHandle;
    if (m_lastPoint == m_pressPoint)
        return;
    const int k = m_selected;
    send([this, k] { return CMD_MvWindowGeometryWrite(m_record, quint32(k)); });
}

void MyCustomScene::toggleRegion(int k)
{
    const Size s = size();
    if (!m_restoreSet) {
        for (int w = 0; w < Windows; ++w)
            m_restore[w] = FirstRestore(w, s);
        m_restoreSet = true;
    }
    const Rect current = windowRect(k);
    Rect next;
    if (IsStandardRegion(current, s)) {
        next = FitIntoScene(m_restore[k], s, m_unit);
    } else {
        m_restore[k] = current;
        next = SmallestRegion(current, s);
    }
    SetGeometry(k, next.x, next.y, next.w, next.h);
    send([this, k] { return CMD_MvWindowGeometryWrite(m_record, quint32(k)); });
}

// Context menu ------------------------------------------------------------

void MyCustomScene::buildMenu()
{
    if (m_menu)
        m_menu->close();
    m_menu = std::make_unique<QMenu>();
    MultiviewMenu::Build(*m_menu, record(), m_items.count(), this);
}

int MyCustomScene::senderWindow() const
{
    const int window = MultiviewMenu::WindowOf(sender()->objectName());
    return window >= 1 && window <= m_items.count() ? window - 1 : NoWindow;
}

void MyCustomScene::SLT_Menu_CurAudioSelect(bool)
{
    if (!Active() || !sender())
        return;
    const int source = MultiviewMenu::AudioOf(sender()->objectName());
    record().audioSource = quint8(qBound(0, source, Windows));
    send([this] { return CMD_MvAudioSelectWrite(m_record); });
}

void MyCustomScene::SLT_Menu_NextWindowStatus(bool)
{
    if (!Active() || !sender())
        return;
    const int k = senderWindow();
    if (k == NoWindow)
        return;
    if (k == m_selected)
        ClearWindowSelection();
    SetVisibility(k, record().windowAt(quint32(k)).visible == 0);
    send([this, k] { return CMD_MvWindowStatusWrite(m_record, quint32(k)); });
}

void MyCustomScene::SLT_Menu_CurInputSelect(bool)
{
    if (!Active() || !sender())
        return;
    const int k = senderWindow();
    const int input = MultiviewMenu::InputOf(sender()->objectName());
    if (k == NoWindow || input < 1)
        return;
    // The routing table follows when the device answers.
    const quint32 output = record().output + quint32(k);
    send([input, output] { return CMD_SwitchInput(quint32(input - 1), output); });
}

void MyCustomScene::SLT_Menu_CurLayer(bool)
{
    if (!Active() || !sender())
        return;
    const int k = senderWindow();
    const int layer = MultiviewMenu::LayerOf(sender()->objectName());
    if (k == NoWindow || layer < 1 || layer > Layers)
        return;
    SetLayer(k, layer - 1);
    send([this, k] { return CMD_MvWindowLayerWrite(m_record, quint32(k)); });
}
