#include "pages/wall/MyTableWidget.h"

#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "pages/wall/WallCellMenu.h"
#include "pages/wall/WallLists.h"
#include "protocol/Catalogue.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"

#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int UnbuiltCellSide = 100;
constexpr int NoHighlight = -1;

constexpr qreal BandPenWidth = 2.0;
const QColor BandColour(255, 255, 0, 255);
constexpr int SpliceFramePenWidth = 4;
constexpr int SingleExitPenWidth = 2;

QColor ColourOf(const QString &setting, const char *builtIn)
{
    const RgbaValue value = ColourValue(setting, builtIn);
    return QColor(value.red, value.green, value.blue, value.alpha);
}

bool Connected()
{
    return ActiveTransport.load() != TransportNone;
}

int IndexOfFrame(const QVector<QRectF> &frames, const WallRect &rect)
{
    for (int i = 0; i < frames.size(); ++i)
        if (FrameIs(frames.at(i), rect))
            return i;
    return NoHighlight;
}

} // namespace

MyTableWidget::MyTableWidget(QWidget *parent)
    : QTableWidget(parent)
    , m_model(Device())
    , m_cellWidth(UnbuiltCellSide)
    , m_cellHeight(UnbuiltCellSide)
    , m_multiPanel(Device())
{
    setUpTable();
    readColours();
}

MyTableWidget::~MyTableWidget()
{
    delete m_menu;
}

void MyTableWidget::setUpTable()
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAutoScroll(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setFrameShape(QFrame::NoFrame);
    viewport()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(viewport(), &QWidget::customContextMenuRequested, this, &MyTableWidget::SLT_ShowContextMenu);
    connect(this, &QTableWidget::cellClicked, this, &MyTableWidget::SLT_ItemClicked);
}

void MyTableWidget::readColours()
{
    m_defaultBackground = ColourOf(SItem_Default_BG, "128,128,128,255");
    m_defaultText = ColourOf(SItem_Default_FG, "255,0,0,255");
    m_splicedBackground = ColourOf(SItem_Splicing_BG, "0,255,0,255");
    m_splicedText = ColourOf(SItem_Splicing_FG, "255,255,0,255");
    m_frameColour = ColourOf(SItem_Splicing_Frame, "0,0,255,255");
    m_frameHighlight = ColourOf(SItem_Splicing_HighLight, "255,0,0,255");
    m_singleExitColour = ColourOf(SItem_Splicing_SingleExit_Frame, "0,255,255,255");
    m_singleExitHighlight = ColourOf(SItem_Splicing_SingleExit_HighLight, "255,0,0,255");
}

// The viewport's size follows the widget's only once it is shown; the
// grid may be built before that.
QSize MyTableWidget::viewportSize() const
{
    return maximumViewportSize();
}

QTableWidgetItem *MyTableWidget::cellItem(quint32 cell) const
{
    return cell < quint32(m_items.size()) ? m_items.at(int(cell)) : nullptr;
}

CellSpan MyTableWidget::selectedCells() const
{
    return CellsUnderBand(m_band, m_cellWidth, m_cellHeight, rowCount(), columnCount());
}

void MyTableWidget::BuildGrid(quint32 rows, quint32 cols, bool keepState)
{
    if (rows == 0 || cols == 0 || rows * cols > DeviceLimits::Channels)
        return;
    // A rebuilt wall has no highlighted splice until a display is clicked.
    if (keepState) {
        resetHighlight();
        Q_EMIT SGL_EnableBezel(false);
    } else {
        clearAllSplices();
    }
    m_spliceFrames.clear();
    m_singleExitFrames.clear();
    m_items.clear();
    clear();
    m_ready = false;

    const QSize viewport = viewportSize();
    m_cellWidth = viewport.width() / int(cols);
    m_cellHeight = viewport.height() / int(rows);
    setRowCount(int(rows));
    setColumnCount(int(cols));
    for (quint32 c = 0; c < rows * cols; ++c) {
        const int row = int(c / cols);
        const int col = int(c % cols);
        setColumnWidth(col, m_cellWidth);
        setRowHeight(row, m_cellHeight);
        auto *item = new QTableWidgetItem(QStringLiteral("%1").arg(c + 1));
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        setItem(row, col, item);
        m_items.append(item);
        setLook(c, Look::Normal);
    }
    m_model.layOut(rows, cols, m_cellWidth, m_cellHeight, keepState);
    m_ready = true;
    redrawSplices();
}

void MyTableWidget::setLook(quint32 cell, Look look)
{
    QTableWidgetItem *item = cellItem(cell);
    if (!item)
        return;
    const bool spliced = look == Look::Spliced;
    item->setFlags(spliced ? Qt::ItemIsEnabled : Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setBackground(spliced ? m_splicedBackground : m_defaultBackground);
    item->setForeground(spliced ? m_splicedText : m_defaultText);
}

void MyTableWidget::redrawSplices()
{
    if (!m_ready)
        return;
    const SpliceModel::Frames frames = m_model.derive();
    m_spliceFrames.clear();
    for (const WallRect &frame : frames.splices)
        m_spliceFrames.append(ToRectF(frame));
    m_singleExitFrames.clear();
    for (const WallRect &frame : frames.singleExits)
        m_singleExitFrames.append(ToRectF(frame));

    for (quint32 c = 0; c < m_model.cellCount(); ++c) {
        const TvWallEntry &output = m_model.outputOf(c);
        Look look = Look::Normal;
        if (output.spliced && output.spliceRows != 0)
            look = output.singleExit ? Look::SingleExit : Look::Spliced;
        setLook(c, look);
    }

    m_highlightSplice = m_highlightSpliceFrame ? IndexOfFrame(m_spliceFrames, *m_highlightSpliceFrame) : NoHighlight;
    m_highlightSingleExit =
        m_highlightSingleExitFrame ? IndexOfFrame(m_singleExitFrames, *m_highlightSingleExitFrame) : NoHighlight;
    if (m_highlightSpliceFrame && m_highlightSplice == NoHighlight) {
        // The highlighted splice is gone (cancelled here or by the device).
        resetHighlight();
        Q_EMIT SGL_EnableBezel(false);
    }
    viewport()->update();
}

void MyTableWidget::resetHighlight()
{
    m_highlightSplice = NoHighlight;
    m_highlightSingleExit = NoHighlight;
    m_highlightSpliceFrame.reset();
    m_highlightSingleExitFrame.reset();
}

void MyTableWidget::clearAllSplices()
{
    if (!m_spliceFrames.isEmpty()) {
        sendScreenWrites(m_model.clearAll());
        sendWallWrite();
    }
    resetHighlight();
    Q_EMIT SGL_EnableBezel(false);
}

void MyTableWidget::sendScreenWrites(const QVector<quint32> &cells)
{
    for (quint32 cell : cells) {
        CMD_TvWallScreenWrite(cell);
        Q_EMIT SGL_UpdateEmit();
    }
}

void MyTableWidget::sendWallWrite()
{
    CMD_TvWallWrite();
    Q_EMIT SGL_UpdateEmit();
}

QVector<quint32> MyTableWidget::highlightedSpliceCells() const
{
    if (m_highlightSplice == NoHighlight || !Connected())
        return {};
    return m_model.cellsOfSplice(m_clickedCell);
}

void MyTableWidget::SLT_ItemClicked(int row, int column)
{
    if (!m_ready || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return;
    m_clickedCell = quint32(row * columnCount() + column);
    const TvWallEntry &output = m_model.outputOf(m_clickedCell);
    if (!output.spliced) {
        resetHighlight();
    } else {
        m_highlightSplice = IndexOfFrame(m_spliceFrames, output.spliceFrame);
        m_highlightSpliceFrame = output.spliceFrame;
        if (m_highlightSplice == NoHighlight)
            m_highlightSpliceFrame.reset();
        if (output.singleExit) {
            const int index = IndexOfFrame(m_singleExitFrames, output.singleExitFrame);
            if (index != NoHighlight) {
                m_highlightSingleExit = index;
                m_highlightSingleExitFrame = output.singleExitFrame;
            }
        } else {
            m_highlightSingleExit = NoHighlight;
            m_highlightSingleExitFrame.reset();
        }
    }
    Q_EMIT SGL_EnableBezel(m_highlightSplice != NoHighlight);
    QToolTip::showText(QCursor::pos(), WallCellSummary(m_clickedCell), this);
    viewport()->update();
}

void MyTableWidget::SLT_ShowContextMenu(const QPoint &pos)
{
    // The press handler asks first; the window system's own request for
    // the same click finds the menu open.
    if (!m_menu || m_menu->isVisible())
        return;
    m_menu->popup(viewport()->mapToGlobal(pos));
}

void MyTableWidget::mousePressEvent(QMouseEvent *event)
{
    if (!m_ready) {
        event->accept();
        return;
    }
    const QPoint pos = ClampToViewport(event->pos(), viewport()->rect());
    if (event->button() == Qt::LeftButton) {
        m_pressPoint = pos;
        m_currentPoint = pos;
        m_bandHidden = RubberBandHidden(RubberBand(m_pressPoint, m_currentPoint));
        m_dragging = true;
        viewport()->update();
    } else if (event->button() == Qt::RightButton && !m_dragging) {
        const CellPosition cell = CellUnder(pos, viewport()->size(), rowCount(), columnCount());
        Q_EMIT cellClicked(cell.row, cell.col);
        if (m_menu)
            m_menu->deleteLater();
        m_menu.clear();
        if (Connected()) {
            m_menu = BuildWallCellMenu(this, m_clickedCell, selectedCells().multiple());
            Q_EMIT viewport()->customContextMenuRequested(pos);
        }
    }
    QTableWidget::mousePressEvent(event);
}

void MyTableWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_ready) {
        event->accept();
        return;
    }
    if (m_dragging) {
        m_currentPoint = ClampToViewport(event->pos(), viewport()->rect());
        m_band = RubberBand(m_pressPoint, m_currentPoint);
        m_bandHidden = RubberBandHidden(m_band);
        viewport()->update();
    }
    QTableWidget::mouseMoveEvent(event);
}

void MyTableWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_ready) {
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
        m_currentPoint = ClampToViewport(event->pos(), viewport()->rect());
        m_band = RubberBand(m_pressPoint, m_currentPoint);
        m_bandHidden = RubberBandHidden(m_band);
        viewport()->update();
    }
    QTableWidget::mouseReleaseEvent(event);
}

void MyTableWidget::paintEvent(QPaintEvent *event)
{
    QTableWidget::paintEvent(event);
    QPainter painter(viewport());
    painter.setBrush(Qt::NoBrush);
    if (!m_bandHidden) {
        painter.setPen(QPen(BandColour, BandPenWidth, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
        painter.drawRect(m_band);
    }
    for (int i = 0; i < m_spliceFrames.size(); ++i) {
        const QColor &colour = i == m_highlightSplice ? m_frameHighlight : m_frameColour;
        painter.setPen(QPen(colour, SpliceFramePenWidth, Qt::SolidLine));
        painter.drawRect(m_spliceFrames.at(i));
    }
    for (int i = 0; i < m_singleExitFrames.size(); ++i) {
        const QColor &colour = i == m_highlightSingleExit ? m_singleExitHighlight : m_singleExitColour;
        painter.setPen(QPen(colour, SingleExitPenWidth, Qt::DotLine));
        painter.drawRect(m_singleExitFrames.at(i));
    }
}

void MyTableWidget::SLT_UpdateContent_TvWall()
{
    const TvWallState &wall = Device().tvWall;
    BuildGrid(wall.rows, wall.cols, true);
}

void MyTableWidget::SLT_ScreenSplicing(bool)
{
    if (!m_ready || !Connected())
        return;
    const QVector<quint32> cells = m_model.splice(selectedCells());
    if (cells.isEmpty())
        return;
    QVector<quint32> outputs;
    for (quint32 cell : cells)
        outputs.append(Device().wallEntry(cell).cellOutput);
    CMD_TvWallInputSelect(m_model.outputOf(cells.first()).input, outputs);
    Q_EMIT SGL_UpdateEmit();
    sendScreenWrites(cells);
    redrawSplices();
    sendWallWrite();
}

void MyTableWidget::SLT_CancelSplicing(bool)
{
    if (highlightedSpliceCells().isEmpty())
        return;
    const QVector<quint32> cells = m_model.cancel(m_clickedCell);
    sendScreenWrites(cells);
    redrawSplices();
    sendWallWrite();
    resetHighlight();
    Q_EMIT SGL_EnableBezel(false);
}

void MyTableWidget::SLT_SingleCancelSplicing(bool)
{
    if (highlightedSpliceCells().isEmpty())
        return;
    m_model.toggleSingleExit(m_clickedCell);
    redrawSplices();
    sendScreenWrites({m_clickedCell});
    sendWallWrite();
}

void MyTableWidget::ExitOutputFromSplice(unsigned int output)
{
    const TvWallEntry &entry = Device().wallEntry(output);
    if (!m_ready || !entry.spliced || entry.singleExit)
        return;
    for (quint32 c = 0; c < m_model.cellCount(); ++c) {
        if (Device().wallEntry(c).cellOutput != output)
            continue;
        SLT_ItemClicked(int(c) / columnCount(), int(c) % columnCount());
        SLT_SingleCancelSplicing(false);
        return;
    }
}

void MyTableWidget::SLT_CurInputSelect(bool)
{
    const int number = WallChoiceOf(sender());
    if (number < 1 || highlightedSpliceCells().isEmpty())
        return;
    const quint32 input = quint32(number - 1);
    // The model takes the input only when the device is asked for it.
    if (m_model.isSingleExit(m_clickedCell)) {
        if (CMD_SwitchInput(input, Device().wallEntry(m_clickedCell).cellOutput))
            m_model.outputOf(m_clickedCell).input = input;
    } else {
        const QVector<quint32> outputs = m_model.inputFollowers(m_clickedCell);
        if (CMD_TvWallInputSelect(input, outputs))
            for (quint32 output : outputs)
                Device().wallEntry(output).input = input;
    }
    Q_EMIT SGL_UpdateEmit();
}

void MyTableWidget::SLT_CurOutputSelect(bool)
{
    // Only the model changes; the next wall write carries the new mapping.
    const int number = WallChoiceOf(sender());
    if (number < 1 || quint32(number) > Device().outputCount || !Connected() || !m_ready
        || m_model.isSpliced(m_clickedCell))
        return;
    Device().wallEntry(m_clickedCell).cellOutput = quint32(number - 1);
}

void MyTableWidget::SLT_SyncLock(bool)
{
    const QVector<quint32> cells = highlightedSpliceCells();
    if (cells.isEmpty())
        return;
    for (quint32 cell : cells) {
        TvWallEntry &output = m_model.outputOf(cell);
        output.syncLock = output.syncLock ? 0 : 1;
        CMD_TvWallScreenModeWrite(cell);
        Q_EMIT SGL_UpdateEmit();
    }
    sendWallWrite();
}

void MyTableWidget::SLT_MVInputEn(bool)
{
    if (highlightedSpliceCells().isEmpty())
        return;
    quint8 &enable = Device().tvWall.mvInputEnable;
    enable = enable ? 0 : 1;
    CMD_TvWallApply();
    Q_EMIT SGL_UpdateEmit();
    sendWallWrite();
}

void MyTableWidget::SLT_CurScreenAngleSelect(bool)
{
    const int angle = WallChoiceOf(sender());
    const QVector<quint32> cells = highlightedSpliceCells();
    if (angle < 0 || angle >= WallLists::ScreenAngleCount || cells.isEmpty())
        return;
    for (quint32 cell : cells) {
        m_model.outputOf(cell).screenAngle = quint8(angle);
        CMD_TvWallAngleWrite(cell);
        Q_EMIT SGL_UpdateEmit();
    }
    sendWallWrite();
}

void MyTableWidget::SLT_SetTvWall_Bezel(unsigned int left, unsigned int right, unsigned int up, unsigned int bottom)
{
    const QVector<quint32> cells = highlightedSpliceCells();
    if (cells.isEmpty())
        return;
    for (quint32 cell : cells) {
        TvWallEntry &output = m_model.outputOf(cell);
        output.bezelLeft = left;
        output.bezelRight = right;
        output.bezelUp = up;
        output.bezelBottom = bottom;
        CMD_TvWallBezelWrite(cell);
        Q_EMIT SGL_UpdateEmit();
    }
    sendWallWrite();
}

bool MyTableWidget::multiPanelAccepting() const
{
    return m_multiPanel.accepting();
}

void MyTableWidget::SLT_MultiPanel(bool)
{
    if (!m_multiPanel.accepting())
        return;
    const QVector<quint32> cells = highlightedSpliceCells();
    if (cells.isEmpty())
        return;
    CommandChannel *channel = ActiveDeviceChannel();
    const int ahead = channel ? ChannelQueueSize(*channel, QueueSide::Send) : 0;
    QVector<quint32> outputs;
    for (quint32 cell : cells)
        outputs.append(quint8(Device().wallEntry(cell).cellOutput));
    m_multiPanel.start(outputs, ahead);
    for (quint32 output : qAsConst(outputs)) {
        CMD_OutputResolutionRead(output);
        Q_EMIT SGL_UpdateEmit();
    }
}
