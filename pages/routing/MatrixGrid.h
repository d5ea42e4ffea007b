#pragma once

#include "pages/routing/RoutingJob.h"

#include <QGroupBox>
#include <QVector>

class MatrixPaging;
class OutputLocks;
class QLabel;
class QPushButton;

// The routing group of the matrix page: a corner label, input columns (name
// over number), output rows (name beside number) and one crosspoint button
// per input and output of the page. Button k of a grid of ipp columns is the
// crosspoint of column k mod ipp and row k div ipp.
class MatrixGrid : public QGroupBox
{
    Q_OBJECT

public:
    // What the page adds to the device's routing: changes staged for a take
    // (and why a taken one failed), the keyboard's cursor (a column and row
    // of the page; -1 when hidden) and the output locks.
    struct Overlay
    {
        const RouteMap *staged = nullptr;
        const QMap<quint32, QString> *stageFailures = nullptr;
        int cursorColumn = -1;
        int cursorRow = -1;
        const OutputLocks *locks = nullptr;
    };

    static constexpr char ButtonPrefix[] = "MatrixButton-";

    explicit MatrixGrid(QWidget *parent = nullptr);

    // Deletes the widgets of an earlier build, creates ipp x opp buttons and
    // their labels, and resizes the group.
    void build(quint32 inputsPerPage, quint32 outputsPerPage);
    // Texts, marks and visibility from the device model: the input half,
    // the output half, or both. Crosspoints are always redrawn.
    void redraw(const MatrixPaging &paging, bool inputs, bool outputs);
    // Takes every pending outline away and leaves the rest as it is.
    void clearPending();
    // Read by every redraw; the page keeps it up to date.
    Overlay &overlay() { return m_overlay; }

    enum class LabelKind { None, InputName, InputNumber, OutputName, OutputNumber };
    struct LabelRef
    {
        LabelKind kind;
        quint32 local; // column or row on the page
    };
    // What a watched label is; None for anything else.
    LabelRef labelOf(const QObject *object) const;

    QLabel *cornerLabel() const { return m_corner; }
    int columnCount() const { return m_columns.size(); }
    int rowCount() const { return m_rows.size(); }
    QLabel *inputNameLabel(int column) const { return m_columns.at(column).name; }
    QLabel *inputNumberLabel(int column) const { return m_columns.at(column).number; }
    QLabel *outputNameLabel(int row) const { return m_rows.at(row).name; }
    QLabel *outputNumberLabel(int row) const { return m_rows.at(row).number; }
    const QVector<QPushButton *> &crosspoints() const { return m_crosspoints; }
    QPushButton *crosspoint(int column, int row) const;

private:
    struct ChannelLabels
    {
        QLabel *name;
        QLabel *number;
    };

    void clear();
    QLabel *newLabel(const QRect &geometry);
    void relabelShown(const MatrixPaging &paging, bool inputs, bool outputs);

    QLabel *m_corner;
    QVector<ChannelLabels> m_columns;
    QVector<ChannelLabels> m_rows;
    QVector<QPushButton *> m_crosspoints;
    // The crosspoints show what an identified device reported.
    bool m_showsDevice = false;
    Overlay m_overlay;
};
