#include "pages/routing/SignalOutputRows.h"

#include "app/LanguageTable.h"
#include "pages/routing/DrawnChoice.h"
#include "pages/routing/SignalRules.h"
#include "protocol/MultiviewList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

enum Column {
    PortColumn,
    TypeColumn,
    InFormatColumn,
    FormatColumn,
    MuteColumn,
    FreezeColumn,
    BlackColumn,
    ReadColumn,
    Columns
};
static_assert(Columns == SignalOutputRows::ColumnCount, "one header per column");
constexpr int FirstRowLine = 1;
constexpr int ButtonLine = FirstRowLine + int(DeviceLimits::Channels);
constexpr int TimingWidth = 110;
constexpr int TypeWidth = 100;
constexpr int FormatWidth = 130;

} // namespace

SignalOutputRows::SignalOutputRows(QWidget *parent)
    : QGroupBox(parent)
{
    buildWidgets();
    buildLayout();
    retranslate();
    for (int r = 0; r < int(DeviceLimits::Channels); ++r)
        hideRow(r);
}

void SignalOutputRows::buildWidgets()
{
    for (QLabel *&header : m_headers)
        header = new QLabel(this);
    for (int r = 0; r < int(DeviceLimits::Channels); ++r) {
        OutputRow &row = m_rows[r];
        row.number = new QLabel(this);
        row.type = new QComboBox(this);
        row.type->setObjectName(RowObjectName(SignalNames::OutputType, r));
        row.type->setMinimumWidth(TypeWidth);
        row.inputFormat = new QLineEdit(this);
        row.inputFormat->setReadOnly(true);
        row.inputFormat->setMinimumWidth(TimingWidth);
        row.format = new QComboBox(this);
        row.format->setObjectName(RowObjectName(SignalNames::OutputFormat, r));
        row.format->setMinimumWidth(FormatWidth);
        row.mute = new QCheckBox(this);
        row.mute->setObjectName(RowObjectName(SignalNames::AudioMute, r));
        row.freeze = new QCheckBox(this);
        row.freeze->setObjectName(RowObjectName(SignalNames::Freeze, r));
        row.black = new QCheckBox(this);
        row.black->setObjectName(RowObjectName(SignalNames::Black, r));
        row.read = new QPushButton(this);
        row.read->setObjectName(RowObjectName(SignalNames::OutputRead, r));
    }
    m_readAll = new QPushButton(this);
    m_up = new QPushButton(QStringLiteral("\u25B2"), this);
    m_down = new QPushButton(QStringLiteral("\u25BC"), this);
    m_more = new QPushButton(this);
}

void SignalOutputRows::buildLayout()
{
    m_grid = new QGridLayout(this);
    for (int c = 0; c < Columns; ++c)
        m_grid->addWidget(m_headers[c], 0, c, Qt::AlignCenter);
    for (int r = 0; r < int(DeviceLimits::Channels); ++r) {
        const OutputRow &row = m_rows[r];
        const int line = FirstRowLine + r;
        m_grid->addWidget(row.number, line, PortColumn, Qt::AlignCenter);
        m_grid->addWidget(row.type, line, TypeColumn);
        m_grid->addWidget(row.inputFormat, line, InFormatColumn);
        m_grid->addWidget(row.format, line, FormatColumn);
        m_grid->addWidget(row.mute, line, MuteColumn, Qt::AlignCenter);
        m_grid->addWidget(row.freeze, line, FreezeColumn, Qt::AlignCenter);
        m_grid->addWidget(row.black, line, BlackColumn, Qt::AlignCenter);
        m_grid->addWidget(row.read, line, ReadColumn);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_readAll);
    buttons->addWidget(m_more);
    buttons->addStretch();
    buttons->addWidget(m_up);
    buttons->addWidget(m_down);
    m_grid->addLayout(buttons, ButtonLine, 0, 1, Columns);
    m_grid->setRowStretch(ButtonLine + 1, 1);
}

void SignalOutputRows::retranslate()
{
    setTitle(SgroupBox_Output);
    const QString headers[Columns] = {S_Port,      S_OutputType, S_InputFormat, S_OutputFormat,
                                      S_AudioMute, S_Freeze,     S_Black,       QString()};
    for (int c = 0; c < Columns; ++c)
        m_headers[c]->setText(headers[c]);
    m_readAll->setText(SpushButton_ReadAllOutput);
    m_more->setText(SpushButton_More);
    for (const OutputRow &row : m_rows) {
        row.read->setText(S_ReadWrite[0]);
        // The one entry of an output without signal is a language text.
        if (row.format->count() == 1 && row.format->itemData(0).toUInt() == SignalLists::NoSignalFormat)
            row.format->setItemText(0, S_NoSignal);
    }
}

const OutputRow &SignalOutputRows::row(int r) const
{
    return m_rows[ClampChannel(quint32(r))];
}

void SignalOutputRows::clearRow(int r)
{
    const OutputRow &row = m_rows[ClampChannel(quint32(r))];
    row.number->clear();
    row.type->clear();
    row.type->setEnabled(false);
    row.inputFormat->clear();
    row.format->clear();
    row.format->setEnabled(false);
    for (QCheckBox *box : {row.mute, row.freeze, row.black}) {
        box->setChecked(false);
        box->setEnabled(false);
    }
}

void SignalOutputRows::hideRow(int r)
{
    clearRow(r);
    const OutputRow &row = m_rows[ClampChannel(quint32(r))];
    for (QWidget *w : std::initializer_list<QWidget *>{row.number, row.type, row.inputFormat, row.format, row.mute,
                                                       row.freeze, row.black, row.read})
        w->hide();
}

void SignalOutputRows::showEmptyRow(int r, quint32 number)
{
    clearRow(r);
    const OutputRow &row = m_rows[ClampChannel(quint32(r))];
    row.number->setText(QString::number(number));
    row.read->setText(S_ReadWrite[0]);
    for (QWidget *w : std::initializer_list<QWidget *>{row.number, row.type, row.inputFormat, row.format, row.mute,
                                                       row.freeze, row.black, row.read})
        w->show();
}

void SignalOutputRows::fillRow(int r, const OutputInfo &output)
{
    const OutputRow &row = m_rows[ClampChannel(quint32(r))];

    const QVector<quint8> types = TypeChoices(true, output.pos2, output.type);
    row.type->clear();
    for (quint8 code : types)
        row.type->addItem(SignalTypeName(code), code);
    ShowChoice(row.type, types.indexOf(quint8(output.type)));
    row.type->setEnabled(types.size() > 1);

    row.inputFormat->setText(TimingText(output.pair6, output.pair8, output.zero10 != 0, output.pos11));

    // The box's item data is the format index each entry stands for.
    const QStringList formats = FormatBoxEntries(output.pos2, output.type, output.format, S_NoSignal);
    row.format->clear();
    const bool noSignal = output.format == SignalLists::NoSignalFormat;
    for (int i = 0; i < formats.size(); ++i)
        row.format->addItem(formats.at(i), noSignal ? SignalLists::NoSignalFormat : quint32(i));
    ShowChoice(row.format, formats.isEmpty() ? -1 : noSignal ? 0 : int(output.format));
    // A single "No-Signal" entry is a state, not a choice.
    row.format->setEnabled(!formats.isEmpty() && !noSignal && !InMultiviewMode(output));

    row.mute->setChecked(output.mute != 0);
    row.freeze->setChecked(output.freeze != 0);
    row.black->setChecked(output.black != 0);
    for (QCheckBox *box : {row.mute, row.freeze, row.black})
        box->setEnabled(true);
}
