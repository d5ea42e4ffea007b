#include "pages/routing/SignalInputRows.h"

#include "app/LanguageTable.h"
#include "pages/routing/DrawnChoice.h"
#include "pages/routing/SignalRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

enum Column { PortColumn, TypeColumn, InFormatColumn, OutFormatColumn, AudioColumn, BindColumn, ReadColumn, Columns };
static_assert(Columns == SignalInputRows::ColumnCount, "one header per column");
constexpr int FirstRowLine = 1;
constexpr int ButtonLine = FirstRowLine + int(DeviceLimits::Channels);
constexpr int Embedded = 0;
constexpr int LeftRight = 1;
constexpr int TimingWidth = 110;
constexpr int TypeWidth = 100;

} // namespace

SignalInputRows::SignalInputRows(QWidget *parent)
    : QGroupBox(parent)
{
    buildWidgets();
    buildLayout();
    retranslate();
    for (int r = 0; r < int(DeviceLimits::Channels); ++r)
        hideRow(r);
}

void SignalInputRows::buildWidgets()
{
    for (QLabel *&header : m_headers)
        header = new QLabel(this);
    for (int r = 0; r < int(DeviceLimits::Channels); ++r) {
        InputRow &row = m_rows[r];
        row.number = new QLabel(this);
        row.type = new QComboBox(this);
        row.type->setObjectName(RowObjectName(SignalNames::InputType, r));
        row.type->setMinimumWidth(TypeWidth);
        row.inputFormat = new QLineEdit(this);
        row.outputFormat = new QLineEdit(this);
        for (QLineEdit *timing : {row.inputFormat, row.outputFormat}) {
            timing->setReadOnly(true);
            timing->setMinimumWidth(TimingWidth);
        }
        row.audio = new QComboBox(this);
        row.audio->setObjectName(RowObjectName(SignalNames::AudioSelect, r));
        row.bind = new QCheckBox(this);
        row.bind->setObjectName(RowObjectName(SignalNames::Bind, r));
        row.read = new QPushButton(this);
        row.read->setObjectName(RowObjectName(SignalNames::InputRead, r));
    }
    m_readAll = new QPushButton(this);
    m_up = new QPushButton(QStringLiteral("\u25B2"), this);
    m_down = new QPushButton(QStringLiteral("\u25BC"), this);
}

void SignalInputRows::buildLayout()
{
    m_grid = new QGridLayout(this);
    for (int c = 0; c < Columns; ++c)
        m_grid->addWidget(m_headers[c], 0, c, Qt::AlignCenter);
    for (int r = 0; r < int(DeviceLimits::Channels); ++r) {
        const InputRow &row = m_rows[r];
        const int line = FirstRowLine + r;
        m_grid->addWidget(row.number, line, PortColumn, Qt::AlignCenter);
        m_grid->addWidget(row.type, line, TypeColumn);
        m_grid->addWidget(row.inputFormat, line, InFormatColumn);
        m_grid->addWidget(row.outputFormat, line, OutFormatColumn);
        m_grid->addWidget(row.audio, line, AudioColumn);
        m_grid->addWidget(row.bind, line, BindColumn, Qt::AlignCenter);
        m_grid->addWidget(row.read, line, ReadColumn);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_readAll);
    buttons->addStretch();
    buttons->addWidget(m_up);
    buttons->addWidget(m_down);
    m_grid->addLayout(buttons, ButtonLine, 0, 1, Columns);
    m_grid->setRowStretch(ButtonLine + 1, 1);
}

void SignalInputRows::retranslate()
{
    setTitle(SgroupBox_Input);
    const QString headers[Columns] = {S_Port,        S_InputType, S_InputFormat, S_OutputFormat,
                                      S_AudioSelect, S_Bind,      QString()};
    for (int c = 0; c < Columns; ++c)
        m_headers[c]->setText(headers[c]);
    m_readAll->setText(SpushButton_ReadAllInput);
    for (const InputRow &row : m_rows) {
        row.read->setText(S_ReadWrite[0]);
        // The audio names follow the language; a filled box keeps its choice.
        for (int i = 0; i < row.audio->count(); ++i)
            row.audio->setItemText(i, ScomboBox_I_AudioSelect[row.audio->itemData(i).toInt()]);
    }
}

const InputRow &SignalInputRows::row(int r) const
{
    return m_rows[ClampChannel(quint32(r))];
}

void SignalInputRows::clearRow(int r)
{
    const InputRow &row = m_rows[ClampChannel(quint32(r))];
    row.number->clear();
    row.type->clear();
    row.type->setEnabled(false);
    row.inputFormat->clear();
    row.outputFormat->clear();
    row.audio->clear();
    row.audio->setEnabled(false);
    row.bind->setChecked(false);
    row.bind->setEnabled(false);
}

void SignalInputRows::hideRow(int r)
{
    clearRow(r);
    const InputRow &row = m_rows[ClampChannel(quint32(r))];
    for (QWidget *w : std::initializer_list<QWidget *>{row.number, row.type, row.inputFormat, row.outputFormat,
                                                       row.audio, row.bind, row.read})
        w->hide();
}

void SignalInputRows::showEmptyRow(int r, quint32 number)
{
    clearRow(r);
    const InputRow &row = m_rows[ClampChannel(quint32(r))];
    row.number->setText(QString::number(number));
    row.read->setText(S_ReadWrite[0]);
    for (QWidget *w : std::initializer_list<QWidget *>{row.number, row.type, row.inputFormat, row.outputFormat,
                                                       row.audio, row.bind, row.read})
        w->show();
}

void SignalInputRows::fillRow(int r, const InputInfo &input)
{
    const InputRow &row = m_rows[ClampChannel(quint32(r))];

    const QVector<quint8> types = TypeChoices(false, input.pos2, input.type);
    row.type->clear();
    for (quint8 code : types)
        row.type->addItem(SignalTypeName(code), code);
    ShowChoice(row.type, types.indexOf(quint8(input.type)));
    row.type->setEnabled(types.size() > 1);

    // An input the device reports no timing for has no source signal.
    const QString timing = TimingText(input.pair7, input.pair9, input.zero11 != 0, input.pos12);
    row.inputFormat->setText(timing.isEmpty() ? S_NoSignal : timing);
    row.outputFormat->setText(TimingText(input.pair13, input.pair15, input.zero17 != 0, input.pos18));

    row.audio->clear();
    switch (InputAudioChoice(input.pos2, input.type)) {
    case AudioChoice::EmbeddedOnly:
        row.audio->addItem(ScomboBox_I_AudioSelect[Embedded], Embedded);
        ShowChoice(row.audio, 0);
        row.audio->setEnabled(false);
        break;
    case AudioChoice::LrOnly:
        row.audio->addItem(ScomboBox_I_AudioSelect[LeftRight], LeftRight);
        ShowChoice(row.audio, 0);
        row.audio->setEnabled(false);
        break;
    case AudioChoice::Both:
        row.audio->addItem(ScomboBox_I_AudioSelect[Embedded], Embedded);
        row.audio->addItem(ScomboBox_I_AudioSelect[LeftRight], LeftRight);
        ShowChoice(row.audio, input.pos6 <= quint32(LeftRight) ? int(input.pos6) : -1);
        row.audio->setEnabled(true);
        break;
    }

    row.bind->setEnabled(true);
    row.bind->setChecked(input.bind != 0);
}

void SignalInputRows::setBindBox(int r, bool on)
{
    m_rows[ClampChannel(quint32(r))].bind->setChecked(on);
}
