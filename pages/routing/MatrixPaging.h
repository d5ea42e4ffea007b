#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QtGlobal>

// Where the routing group's widgets sit: a corner label, a row of input
// columns (name over number), a column of output rows (name beside number)
// and one crosspoint button per input and output of the page.
namespace MatrixGeometry {
constexpr int CornerX = 4;
constexpr int CornerY = 20;
constexpr int CornerWidth = 128;
constexpr int CornerHeight = 60;
constexpr int ColumnWidth = 66;
constexpr int InputNameHeight = 38;
constexpr int RowHeight = 22;
constexpr int OutputNameWidth = 98;
constexpr int OutputNumberWidth = 30;
constexpr int GroupExtraWidth = 136;
constexpr int GroupExtraHeight = 84;

QSize RoutingGroupSize(quint32 inputsPerPage, quint32 outputsPerPage);
QRect CornerRect();
QRect InputNameRect(quint32 column);
QRect InputNumberRect(quint32 column);
QRect OutputNameRect(quint32 row);
QRect OutputNumberRect(quint32 row);
QRect CrosspointRect(quint32 column, quint32 row);
} // namespace MatrixGeometry

struct MatrixTarget
{
    quint32 input;
    quint32 output;
};

// Which slice of the device the matrix page shows. Channels come in pages
// of 16; the grid is built for inputsPerPage x outputsPerPage buttons and
// the page indexes pick the slice. The counts are passed in, since the
// device's counts may change between two builds.
class MatrixPaging
{
public:
    static constexpr quint32 PageSize = 16;

    // A new grid: per-page sizes from the counts. The page indexes are kept
    // but never left beyond the last page, where the grid would be empty.
    void setCounts(quint32 inputCount, quint32 outputCount);
    void setExpandCount(quint32 expandCount);

    quint32 inputsPerPage() const { return m_ipp; }
    quint32 outputsPerPage() const { return m_opp; }
    quint32 inputPage() const { return m_inputPage; }
    quint32 outputPage() const { return m_outputPage; }
    quint32 expandIndex() const { return m_expandIndex; }

    static quint32 lastPage(quint32 count);
    // Channels of the current page that exist, never more than were built.
    quint32 shownInputs(quint32 inputCount) const;
    quint32 shownOutputs(quint32 outputCount) const;
    // The first channel of the current page.
    quint32 firstInput() const { return m_inputPage * m_ipp; }
    quint32 firstOutput() const { return m_outputPage * m_opp; }

    // The paging buttons; false when the move is not allowed.
    bool nextInputPage(quint32 inputCount);
    bool previousInputPage();
    bool nextOutputPage(quint32 outputCount);
    bool previousOutputPage();
    bool nextExpand(quint32 expandCount);
    bool previousExpand();

    // Button numbers (from the object names) to channels.
    MatrixTarget crosspoint(quint32 n) const;
    quint32 audioInput(quint32 n) const;
    quint32 expandOutput(quint32 n) const;
    // The button of an output row that marks the routed input, or -1 when
    // that input is not on the current input page.
    int markedColumn(quint32 routedInput, quint32 inputCount) const;

    static bool pagingShown(quint32 count) { return count > PageSize; }

private:
    quint32 m_ipp = 0;
    quint32 m_opp = 0;
    quint32 m_inputPage = 0;
    quint32 m_outputPage = 0;
    quint32 m_expandIndex = 0;
};

// The decimal number after prefix in an object name ("MatrixButton-12" ->
// 12), or -1 when the name does not have that form.
int ButtonNumber(const QString &objectName, const QString &prefix);

// The input an "Allset:" entry routes: inputs first, then the expand inputs,
// which all carry the expand input's channel.
quint32 AllSetInput(int index, quint32 inputCount, quint32 expandCount, quint32 expandChannel);
