#include "pages/wall/Ui_TVWall.h"

#include "app/LanguageTable.h"
#include "chrome/CommandBox.h"
#include "chrome/MyUiLayout.h"
#include "pages/wall/MyTableWidget.h"
#include "protocol/Catalogue.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"
#include "protocol/FullRead.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

constexpr int PageMargin = 4;
constexpr int GroupWidth = 212;
constexpr int ConfigGroupHeight = 140;
constexpr int BezelGroupHeight = 170;
constexpr int GroupGap = 4;
constexpr int DisplayLabelWidth = 140;
constexpr int DisplayLabelHeight = 26;
constexpr int GridSide = 640;
// A page too small for the whole grid shrinks it, square, down to this.
constexpr int MinGridSide = 160;
constexpr int DisplayGap = 8;

// Rows of the two groups.
constexpr int FirstRowY = 26;
constexpr int RowStep = 28;
constexpr int RowHeight = 24;
constexpr int LabelX = 10;
constexpr int LabelWidth = 90;
constexpr int FieldX = 104;
constexpr int FieldWidth = 98;
constexpr int ButtonHeight = 26;
constexpr int ButtonWidth = 92;
constexpr int SecondButtonX = 110;

constexpr quint32 MaxWallSide = 16;
constexpr quint32 MaxAvailable = 256;
constexpr int BezelDigits = 3;
constexpr unsigned int MaxBezel = 255;
constexpr int Decimal = 10;

const QString BezelPattern = QStringLiteral("[0-9]+$");

bool Connected()
{
    return ActiveTransport.load() != TransportNone;
}

void FillNumbers(QComboBox *box, quint32 count)
{
    box->clear();
    for (quint32 n = 1; n <= count; ++n)
        box->addItem(QString::number(n));
    box->setCurrentIndex(0);
}

} // namespace

Ui_TVWall::Ui_TVWall(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    buildWidgets();
    buildLayout();
    connectWidgets();
    RetranslateUi(true);
}

void Ui_TVWall::buildWidgets()
{
    m_configGroup = new QGroupBox(this);
    m_rowsLabel = new QLabel(m_configGroup);
    m_rows = new QComboBox(m_configGroup);
    m_columnsLabel = new QLabel(m_configGroup);
    m_columns = new QComboBox(m_configGroup);
    m_availableLabel = new QLabel(m_configGroup);
    m_available = new QComboBox(m_configGroup);
    m_available->setEnabled(false);
    m_write = new QPushButton(m_configGroup);
    m_read = new QPushButton(m_configGroup);

    m_bezelGroup = new QGroupBox(this);
    // One validator for the four fields.
    auto *validator = new QRegularExpressionValidator(QRegularExpression(BezelPattern), this);
    for (BezelRow &row : m_bezel) {
        row.label = new QLabel(m_bezelGroup);
        row.edit = new QLineEdit(m_bezelGroup);
        row.edit->setValidator(validator);
        row.edit->setMaxLength(BezelDigits);
        row.edit->setEnabled(false);
    }
    m_bezelWrite = new QPushButton(m_bezelGroup);
    m_bezelWrite->setEnabled(false);

    m_displayLabel = new QLabel(this);
    m_grid = new MyTableWidget(this);
}

void Ui_TVWall::buildLayout()
{
    MyUiLayout::place(m_configGroup, nullptr, MyUiLayout::Absolute, PageMargin, PageMargin, GroupWidth,
                      ConfigGroupHeight);
    MyUiLayout::place(m_bezelGroup, m_configGroup, MyUiLayout::LeftAlignedBelow, 0, GroupGap, GroupWidth,
                      BezelGroupHeight);
    MyUiLayout::place(m_displayLabel, m_configGroup, MyUiLayout::RightTopAligned, DisplayGap, 0, DisplayLabelWidth,
                      DisplayLabelHeight);
    MyUiLayout::place(m_grid, m_displayLabel, MyUiLayout::LeftAlignedBelow, 0, 0, GridSide, GridSide);
    m_grid->setFixedSize(GridSide, GridSide);

    const QPair<QLabel *, QComboBox *> configRows[] = {
        {m_rowsLabel, m_rows}, {m_columnsLabel, m_columns}, {m_availableLabel, m_available}};
    int y = FirstRowY;
    for (const auto &row : configRows) {
        MyUiLayout::place(row.first, nullptr, MyUiLayout::Absolute, LabelX, y, LabelWidth, RowHeight);
        MyUiLayout::place(row.second, nullptr, MyUiLayout::Absolute, FieldX, y, FieldWidth, RowHeight);
        y += RowStep;
    }
    MyUiLayout::place(m_write, nullptr, MyUiLayout::Absolute, LabelX, y, ButtonWidth, ButtonHeight);
    MyUiLayout::place(m_read, nullptr, MyUiLayout::Absolute, SecondButtonX, y, ButtonWidth, ButtonHeight);

    y = FirstRowY;
    for (const BezelRow &row : m_bezel) {
        MyUiLayout::place(row.label, nullptr, MyUiLayout::Absolute, LabelX, y, LabelWidth, RowHeight);
        MyUiLayout::place(row.edit, nullptr, MyUiLayout::Absolute, FieldX, y, FieldWidth, RowHeight);
        y += RowStep;
    }
    MyUiLayout::place(m_bezelWrite, nullptr, MyUiLayout::Absolute, SecondButtonX, y, ButtonWidth, ButtonHeight);
}

void Ui_TVWall::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // On a small screen the whole wall stays in view: the grid scales down,
    // square, to the room beside and below its caption.
    const int room = qMin(width() - m_grid->x(), height() - m_grid->y()) - PageMargin;
    m_grid->fitSide(qBound(MinGridSide, room, GridSide));
}

void Ui_TVWall::connectWidgets()
{
    GuardCommandBox(m_rows, QStringLiteral("WallRows"));
    GuardCommandBox(m_columns, QStringLiteral("WallColumns"));
    connect(m_rows, qOverload<int>(&QComboBox::activated), this, &Ui_TVWall::SLT_ModifyAvailableShow);
    connect(m_columns, qOverload<int>(&QComboBox::activated), this, &Ui_TVWall::SLT_ModifyAvailableShow);
    connect(m_write, &QPushButton::clicked, this, &Ui_TVWall::SLT_SetTvWallInfo);
    connect(m_read, &QPushButton::clicked, this, &Ui_TVWall::SLT_ReadTvWallInfo);
    connect(m_bezelWrite, &QPushButton::clicked, this, &Ui_TVWall::SLT_SetBezelInfo);
    connect(m_grid, &MyTableWidget::SGL_UpdateEmit, this, &Ui_TVWall::SGL_UpdateEmit);
    connect(m_grid, &MyTableWidget::SGL_EnableBezel, this, &Ui_TVWall::SLT_EnableBezel);
    connect(this, &Ui_TVWall::SGL_UpdateContent_TvWall, m_grid, &MyTableWidget::SLT_UpdateContent_TvWall);
    connect(this, &Ui_TVWall::SGL_SetTvWall_Bezel, m_grid, &MyTableWidget::SLT_SetTvWall_Bezel);
}

void Ui_TVWall::RetranslateUi(bool refill)
{
    setWindowTitle(Ui_TV_Wall_AppName);
    m_configGroup->setTitle(SgroupBox_TvWallConfig);
    m_rowsLabel->setText(Slabel_Row);
    m_columnsLabel->setText(Slabel_Column);
    m_availableLabel->setText(Slabel_Available);
    m_write->setText(S_ReadWrite[1]);
    m_read->setText(S_ReadWrite[0]);
    m_bezelGroup->setTitle(SgroupBox_BezelConfig);
    setBezelLabels();
    m_bezelWrite->setText(S_ReadWrite[1]);
    m_displayLabel->setText(Slabel_TvWallDisplay);
    for (BezelRow &row : m_bezel)
        row.edit->clear();
    if (refill)
        FillComboBoxes();
}

void Ui_TVWall::setBezelLabels()
{
    const QString *texts[BezelSides] = {&Slabel_EdgeLeft, &Slabel_EdgeRight, &Slabel_EdgeUp, &Slabel_EdgeBottom};
    for (int side = 0; side < BezelSides; ++side)
        m_bezel[side].label->setText(*texts[side]);
}

void Ui_TVWall::FillComboBoxes()
{
    const quint32 outputs = Device().outputCount;
    FillNumbers(m_rows, qMin(outputs, MaxWallSide));
    FillNumbers(m_columns, qMin(outputs, MaxWallSide));
    FillNumbers(m_available, qMin(outputs, MaxAvailable));
    m_available->setEnabled(false);
    setBezelLabels();
}

void Ui_TVWall::ReadWall()
{
    QueueFullReadStep(FullReadStep::TvWall);
    Q_EMIT SGL_UpdateEmit();
}

void Ui_TVWall::SetWallSize(unsigned int rows, unsigned int cols)
{
    const quint32 outputs = Device().outputCount;
    if (rows >= 1 && rows <= outputs && int(rows) <= m_rows->count())
        m_rows->setCurrentIndex(int(rows) - 1);
    if (cols >= 1 && cols <= outputs && int(cols) <= m_columns->count())
        m_columns->setCurrentIndex(int(cols) - 1);
    SLT_ModifyAvailableShow(0);
}

void Ui_TVWall::SLT_WallReadFromDevice(unsigned int rows, unsigned int cols)
{
    SetWallSize(rows, cols);
    Q_EMIT SGL_UpdateContent_TvWall();
}

void Ui_TVWall::SLT_ModifyAvailableShow(int)
{
    const int rows = m_rows->currentIndex();
    const int cols = m_columns->currentIndex();
    if (rows < 0 || cols < 0)
        return;
    const int k = (rows + 1) * (cols + 1) - 1;
    if (k >= m_available->count()) {
        m_rows->setCurrentIndex(0);
        m_columns->setCurrentIndex(0);
        m_available->setCurrentIndex(0);
    } else {
        m_available->setCurrentIndex(k);
    }
}

void Ui_TVWall::SLT_SetTvWallInfo(bool)
{
    const int rows = m_rows->currentIndex();
    const int cols = m_columns->currentIndex();
    if (!Connected() || rows < 0 || cols < 0)
        return;
    m_grid->BuildGrid(quint32(rows + 1), quint32(cols + 1), false);
}

void Ui_TVWall::SLT_ReadTvWallInfo(bool)
{
    if (Connected())
        ReadWall();
}

void Ui_TVWall::SLT_SetBezelInfo(bool)
{
    if (!Connected())
        return;
    unsigned int values[BezelSides] = {};
    for (int side = 0; side < BezelSides; ++side) {
        QLineEdit *edit = m_bezel[side].edit;
        const unsigned int value = edit->text().toUInt(nullptr, Decimal);
        values[side] = value;
        if (value > MaxBezel) {
            values[side] = MaxBezel;
            edit->setText(QString::number(MaxBezel));
        }
    }
    Q_EMIT SGL_SetTvWall_Bezel(values[0], values[1], values[2], values[3]);
}

void Ui_TVWall::SLT_EnableBezel(bool enable)
{
    for (BezelRow &row : m_bezel)
        row.edit->setEnabled(enable);
    m_bezelWrite->setEnabled(enable);
}

void Ui_TVWall::SLT_JudgeMutex_MVAndSplicing(unsigned int output)
{
    m_grid->ExitOutputFromSplice(output);
}

void Ui_TVWall::FinishMultiPanel(unsigned int count)
{
    MultiPanelJob &job = Device().multiPanel;
    const quint32 panels = qMin<quint32>(count, DeviceLimits::Channels);
    QVector<quint32> outputs;
    for (quint32 k = 0; k < panels; ++k)
        outputs.append(job.outputs[k]);
    CMD_PanelResolutionWrite(outputs);
    Q_EMIT SGL_UpdateEmit();
    job.count = 0;
    job.received = 0;
    job.busy = 0;
}

void Ui_TVWall::keyPressEvent(QKeyEvent *event)
{
    // The multi-panel (LED) entries of the grid's menu are a hidden
    // feature: Alt+Q or Alt+E shows or hides them while a device is
    // connected.
    const bool hiddenKey = event->key() == Qt::Key_Q || event->key() == Qt::Key_E;
    if (event->modifiers() == Qt::AltModifier && hiddenKey && Connected()) {
        quint8 &feature = Device().multiPanelFeature;
        feature = feature ? 0 : 1;
    }
    QWidget::keyPressEvent(event);
}
