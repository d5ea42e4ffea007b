#pragma once

#include "pages/wall/MultiPanelRun.h"
#include "pages/wall/SpliceModel.h"

#include <QColor>
#include <QMenu>
#include <QPointer>
#include <QRectF>
#include <QTableWidget>
#include <QVector>

#include <optional>

// The TV wall's splicing grid: one cell per display. The operator drags a
// rectangle over displays and joins them into one splice, takes single
// displays out again, and sets the splice's input and options from the
// context menu. Every change is written into the TV wall part of the device
// model, drawn from it, and sent to the device.
class MyTableWidget : public QTableWidget
{
    Q_OBJECT

public:
    explicit MyTableWidget(QWidget *parent = nullptr);
    ~MyTableWidget() override;

    // Lays the grid out for rows x cols displays (at most 16 cells). Without
    // keepState the existing splices are cleared first, on the device too,
    // and every cell shows its own output; with it the model's splices are
    // drawn.
    void BuildGrid(quint32 rows, quint32 cols, bool keepState);
    // Takes a spliced output's display out of its splice (the output went
    // into multiview mode).
    void ExitOutputFromSplice(unsigned int output);

    bool isReady() const { return m_ready; }
    int cellWidth() const { return m_cellWidth; }
    int cellHeight() const { return m_cellHeight; }
    QRectF rubberBand() const { return m_band; }
    bool rubberBandHidden() const { return m_bandHidden; }
    CellSpan selectedCells() const;
    quint32 clickedCell() const { return m_clickedCell; }
    const QVector<QRectF> &spliceFrames() const { return m_spliceFrames; }
    const QVector<QRectF> &singleExitFrames() const { return m_singleExitFrames; }
    int highlightedSplice() const { return m_highlightSplice; }
    int highlightedSingleExit() const { return m_highlightSingleExit; }
    QMenu *contextMenu() const { return m_menu; }
    // Whether a multi-panel request would start a job now: none is waiting
    // for its replies, or the one waiting has been abandoned.
    bool multiPanelAccepting() const;
    // The cell's item: looks and text.
    QTableWidgetItem *cellItem(quint32 cell) const;

Q_SIGNALS:
    void SGL_UpdateEmit();
    void SGL_EnableBezel(bool enable);

public Q_SLOTS:
    void SLT_ItemClicked(int row, int column);
    void SLT_ShowContextMenu(const QPoint &pos);
    void SLT_ScreenSplicing(bool);
    void SLT_CancelSplicing(bool);
    void SLT_SingleCancelSplicing(bool);
    void SLT_CurInputSelect(bool);
    void SLT_CurOutputSelect(bool);
    void SLT_SyncLock(bool);
    void SLT_MVInputEn(bool);
    void SLT_MultiPanel(bool);
    void SLT_CurScreenAngleSelect(bool);
    void SLT_UpdateContent_TvWall();
    void SLT_SetTvWall_Bezel(unsigned int left, unsigned int right, unsigned int up, unsigned int bottom);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    enum class Look { Normal, Spliced, SingleExit };

    void setUpTable();
    void readColours();
    QSize viewportSize() const;
    // Splices, looks, frames and highlight, derived from the model.
    void redrawSplices();
    void setLook(quint32 cell, Look look);
    void clearAllSplices();
    // The cells of the splice the clicked cell names, for the menu's
    // splice options: none unless a splice is highlighted and a device is
    // connected.
    QVector<quint32> highlightedSpliceCells() const;
    void resetHighlight();
    void sendScreenWrites(const QVector<quint32> &cells);
    void sendWallWrite();

    SpliceModel m_model;
    bool m_ready = false;
    int m_cellWidth;
    int m_cellHeight;
    QPointer<QMenu> m_menu;
    bool m_dragging = false;
    QPoint m_pressPoint;
    QPoint m_currentPoint;
    QRectF m_band;
    bool m_bandHidden = true;
    QVector<QRectF> m_spliceFrames;
    QVector<QRectF> m_singleExitFrames;
    int m_highlightSplice = -1;
    int m_highlightSingleExit = -1;
    // What the highlight stands for, so that it follows a redraw.
    std::optional<WallRect> m_highlightSpliceFrame;
    std::optional<WallRect> m_highlightSingleExitFrame;
    QVector<QTableWidgetItem *> m_items;
    quint32 m_clickedCell = 0;
    MultiPanelRun m_multiPanel;

    QColor m_defaultBackground;
    QColor m_defaultText;
    QColor m_splicedBackground;
    QColor m_splicedText;
    QColor m_frameColour;
    QColor m_frameHighlight;
    QColor m_singleExitColour;
    QColor m_singleExitHighlight;
};
