#include "pages/routing/MatrixPaging.h"

namespace {
// A channel no builder accepts: a button of a grid that was never sized.
constexpr quint32 NoChannel = 0xFFFFFFFFu;

quint32 perPage(quint32 count)
{
    return qMin(count, MatrixPaging::PageSize);
}

// Channels left on a page: min(per page, count - first), 0 past the end.
quint32 onPage(quint32 count, quint32 first, quint32 perPageBuilt)
{
    if (count <= first)
        return 0;
    return qMin(qMin(count - first, MatrixPaging::PageSize), perPageBuilt);
}
} // namespace

namespace MatrixGeometry {

QSize RoutingGroupSize(quint32 inputsPerPage, quint32 outputsPerPage)
{
    return QSize(int(inputsPerPage) * ColumnWidth + GroupExtraWidth,
                 int(outputsPerPage) * RowHeight + GroupExtraHeight);
}

QRect CornerRect()
{
    return QRect(CornerX, CornerY, CornerWidth, CornerHeight);
}

QRect InputNameRect(quint32 column)
{
    return QRect(CornerX + CornerWidth + int(column) * ColumnWidth, CornerY, ColumnWidth, InputNameHeight);
}

QRect InputNumberRect(quint32 column)
{
    return QRect(CornerX + CornerWidth + int(column) * ColumnWidth, CornerY + InputNameHeight, ColumnWidth, RowHeight);
}

QRect OutputNameRect(quint32 row)
{
    return QRect(CornerX, CornerY + CornerHeight + int(row) * RowHeight, OutputNameWidth, RowHeight);
}

QRect OutputNumberRect(quint32 row)
{
    return QRect(CornerX + OutputNameWidth, CornerY + CornerHeight + int(row) * RowHeight, OutputNumberWidth,
                 RowHeight);
}

QRect CrosspointRect(quint32 column, quint32 row)
{
    return QRect(CornerX + CornerWidth + int(column) * ColumnWidth, CornerY + CornerHeight + int(row) * RowHeight,
                 ColumnWidth, RowHeight);
}

} // namespace MatrixGeometry

void MatrixPaging::setCounts(quint32 inputCount, quint32 outputCount)
{
    m_ipp = perPage(inputCount);
    m_opp = perPage(outputCount);
    m_inputPage = qMin(m_inputPage, lastPage(inputCount));
    m_outputPage = qMin(m_outputPage, lastPage(outputCount));
}

void MatrixPaging::setExpandCount(quint32 expandCount)
{
    if (expandCount == 0 || m_expandIndex >= expandCount)
        m_expandIndex = 0;
}

quint32 MatrixPaging::lastPage(quint32 count)
{
    return count == 0 ? 0 : (count + PageSize - 1) / PageSize - 1;
}

quint32 MatrixPaging::shownInputs(quint32 inputCount) const
{
    return onPage(inputCount, firstInput(), m_ipp);
}

quint32 MatrixPaging::shownOutputs(quint32 outputCount) const
{
    return onPage(outputCount, firstOutput(), m_opp);
}

bool MatrixPaging::nextInputPage(quint32 inputCount)
{
    if (!pagingShown(inputCount) || m_inputPage >= lastPage(inputCount))
        return false;
    ++m_inputPage;
    return true;
}

bool MatrixPaging::previousInputPage()
{
    if (m_inputPage == 0)
        return false;
    --m_inputPage;
    return true;
}

bool MatrixPaging::nextOutputPage(quint32 outputCount)
{
    if (!pagingShown(outputCount) || m_outputPage >= lastPage(outputCount))
        return false;
    ++m_outputPage;
    return true;
}

bool MatrixPaging::previousOutputPage()
{
    if (m_outputPage == 0)
        return false;
    --m_outputPage;
    return true;
}

bool MatrixPaging::nextExpand(quint32 expandCount)
{
    if (expandCount <= 1 || m_expandIndex >= expandCount - 1)
        return false;
    ++m_expandIndex;
    return true;
}

bool MatrixPaging::previousExpand()
{
    if (m_expandIndex == 0)
        return false;
    --m_expandIndex;
    return true;
}

MatrixTarget MatrixPaging::crosspoint(quint32 n) const
{
    if (m_ipp == 0)
        return {NoChannel, NoChannel};
    return {n % m_ipp + firstInput(), n / m_ipp + firstOutput()};
}

quint32 MatrixPaging::audioInput(quint32 n) const
{
    return m_ipp == 0 ? NoChannel : n % m_ipp + firstInput();
}

quint32 MatrixPaging::expandOutput(quint32 n) const
{
    return m_opp == 0 ? NoChannel : n % m_opp + firstOutput();
}

int MatrixPaging::markedColumn(quint32 routedInput, quint32 inputCount) const
{
    const quint32 first = firstInput();
    if (routedInput < first || routedInput >= first + shownInputs(inputCount))
        return -1;
    return int(routedInput - first);
}

int ButtonNumber(const QString &objectName, const QString &prefix)
{
    if (!objectName.startsWith(prefix))
        return -1;
    bool ok = false;
    const int n = objectName.midRef(prefix.size()).toInt(&ok, 10);
    return ok && n >= 0 ? n : -1;
}

quint32 AllSetInput(int index, quint32 inputCount, quint32 expandCount, quint32 expandChannel)
{
    const quint32 value = quint32(qMax(index, 0));
    if (value >= inputCount && value < inputCount + expandCount)
        return expandChannel;
    return value;
}
