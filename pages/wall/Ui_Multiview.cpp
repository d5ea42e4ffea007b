#include "pages/wall/Ui_Multiview.h"

#include "app/LanguageTable.h"
#include "chrome/CommandBox.h"
#include "chrome/MessageBox.h"
#include "chrome/MyUiLayout.h"
#include "pages/wall/MultiviewChecks.h"
#include "pages/wall/MultiviewGeometry.h"
#include "pages/wall/MyCustomScene.h"
#include "pages/wall/MyCustomView.h"
#include "protocol/Catalogue.h"
#include "protocol/CatalogueCodes.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceState.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

constexpr int PageMargin = 4;
constexpr qreal MinCanvasScale = 0.25;
constexpr int ColumnWidth = 250;
constexpr int SelectHeight = 24;
constexpr int ComboHeight = 26;
constexpr int ComboY = 30;
constexpr int GroupY = 64;
constexpr int GroupHeight = 400;
constexpr int DisplayGap = 8;
constexpr int DisplayLabelWidth = 300;

// Rows of the window group.
constexpr int FirstRowY = 24;
constexpr int RowStep = 28;
constexpr int RowHeight = 24;
constexpr int LabelX = 8;
constexpr int LabelWidth = 152;
constexpr int FieldX = 164;
constexpr int FieldWidth = 78;
constexpr int ButtonWidth = 92;
constexpr int ButtonHeight = 26;

constexpr int PositionDigits = 4; // x, y, width, height
constexpr int CropDigits = 3;     // percent
constexpr int FirstCropField = int(Ui_Multiview::Field::CropX);
constexpr int StatusOn = 1;
const QString NumberPattern = QStringLiteral("[0-9]+$");

bool Connected()
{
    return ActiveTransport.load() != TransportNone;
}

bool Active()
{
    return Device().multiviewCount != 0;
}

quint32 Selected()
{
    return ClampMultiview(Device().selectedMultiview);
}

void FillNumbers(QComboBox *box, int count)
{
    const int index = box->currentIndex();
    box->clear();
    for (int n = 1; n <= count; ++n)
        box->addItem(QString::number(n));
    box->setCurrentIndex(qMax(0, index));
}

} // namespace

Ui_Multiview::Ui_Multiview(QWidget *parent)
    : QWidget(parent)
{
    buildWidgets();
    buildLayout();
    connectWidgets();
    RetranslateUi();
}

MyCustomScene *Ui_Multiview::scene() const
{
    return m_view->customScene();
}

void Ui_Multiview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // On a small screen the whole canvas stays in view, scaled down with
    // its proportions kept.
    const qreal across = qreal(width() - m_view->x() - PageMargin) / MyCustomView::ViewWidth;
    const qreal down = qreal(height() - m_view->y() - PageMargin) / MyCustomView::ViewHeight;
    m_view->fitScale(qBound(MinCanvasScale, qMin(across, down), 1.0));
}

void Ui_Multiview::buildWidgets()
{
    m_selectLabel = new QLabel(this);
    m_multiview = new QComboBox(this);
    m_displayLabel = new QLabel(this);
    m_view = new MyCustomView(this);

    m_infoGroup = new QGroupBox(this);
    m_windowLabel = new QLabel(m_infoGroup);
    m_window = new QComboBox(m_infoGroup);
    m_statusLabel = new QLabel(m_infoGroup);
    m_status = new QComboBox(m_infoGroup);
    m_layerLabel = new QLabel(m_infoGroup);
    m_layer = new QComboBox(m_infoGroup);
    // One validator for the eight fields: digits only.
    auto *validator = new QRegularExpressionValidator(QRegularExpression(NumberPattern), this);
    for (int f = 0; f < FieldCount; ++f) {
        FieldRow &row = m_fields[f];
        row.label = new QLabel(m_infoGroup);
        row.edit = new QLineEdit(m_infoGroup);
        row.edit->setValidator(validator);
        row.edit->setMaxLength(f < FirstCropField ? PositionDigits : CropDigits);
    }
    m_sourceLabel = new QLabel(m_infoGroup);
    m_source = new QLineEdit(m_infoGroup);
    m_source->setEnabled(false);
    m_write = new QPushButton(m_infoGroup);
}

void Ui_Multiview::buildLayout()
{
    MyUiLayout::place(m_selectLabel, nullptr, MyUiLayout::Absolute, PageMargin, PageMargin, ColumnWidth, SelectHeight);
    MyUiLayout::place(m_multiview, nullptr, MyUiLayout::Absolute, PageMargin, ComboY, ColumnWidth, ComboHeight);
    MyUiLayout::place(m_infoGroup, nullptr, MyUiLayout::Absolute, PageMargin, GroupY, ColumnWidth, GroupHeight);
    MyUiLayout::place(m_displayLabel, nullptr, MyUiLayout::Absolute, PageMargin + ColumnWidth + DisplayGap, PageMargin,
                      DisplayLabelWidth, SelectHeight);
    MyUiLayout::place(m_view, nullptr, MyUiLayout::Absolute, PageMargin + ColumnWidth + DisplayGap, ComboY,
                      MyCustomView::ViewWidth, MyCustomView::ViewHeight);

    int y = FirstRowY;
    const auto row = [&y](QLabel *label, QWidget *field) {
        MyUiLayout::place(label, nullptr, MyUiLayout::Absolute, LabelX, y, LabelWidth, RowHeight);
        MyUiLayout::place(field, nullptr, MyUiLayout::Absolute, FieldX, y, FieldWidth, RowHeight);
        y += RowStep;
    };
    row(m_windowLabel, m_window);
    row(m_statusLabel, m_status);
    row(m_layerLabel, m_layer);
    for (const FieldRow &f : m_fields)
        row(f.label, f.edit);
    row(m_sourceLabel, m_source);
    MyUiLayout::place(m_write, nullptr, MyUiLayout::Absolute, FieldX + FieldWidth - ButtonWidth, y, ButtonWidth,
                      ButtonHeight);
}

void Ui_Multiview::connectWidgets()
{
    GuardCommandBox(m_multiview, QStringLiteral("MultiviewSelect"));
    GuardCommandBox(m_window, QStringLiteral("MultiviewWindow"));
    connect(m_multiview, qOverload<int>(&QComboBox::activated), this, &Ui_Multiview::SLT_MV_Select);
    connect(m_window, qOverload<int>(&QComboBox::activated), this, &Ui_Multiview::SLT_CurrentWindow);
    connect(scene(), &MyCustomScene::SGL_SyncMV_WinInfo, this, &Ui_Multiview::SLT_SyncMV_WinInfo);
    connect(scene(), &MyCustomScene::SGL_UpdateEmit, this, &Ui_Multiview::SGL_UpdateEmit);
    connect(m_write, &QPushButton::clicked, this, &Ui_Multiview::SLT_SetMultiview);
}

void Ui_Multiview::RetranslateUi(bool skipRefill)
{
    setWindowTitle(Ui_Multiview_AppName);
    m_selectLabel->setText(Slabel_MV_Select);
    m_displayLabel->setText(Slabel_MultiviewDisplay);
    m_infoGroup->setTitle(SgroupBox_MultiviewInfo);
    m_windowLabel->setText(Slabel_CurWin);
    m_statusLabel->setText(Slabel_WinStatus);
    m_layerLabel->setText(Slabel_WinLayerRank);
    const QString *labels[FieldCount] = {&Slabel_WinX,          &Slabel_WinY,          &Slabel_WinW,
                                         &Slabel_WinH,          &Slabel_SrcCropXRatio, &Slabel_SrcCropYRatio,
                                         &Slabel_SrcCropWRatio, &Slabel_SrcCropHRatio};
    for (int f = 0; f < FieldCount; ++f)
        m_fields[f].label->setText(*labels[f]);
    m_sourceLabel->setText(Slabel_InputSource);
    m_write->setText(S_ReadWrite[1]);

    FillNumbers(m_window, MultiviewGeometry::Windows);
    FillNumbers(m_layer, MultiviewGeometry::Layers);
    const int status = m_status->currentIndex();
    m_status->clear();
    m_status->addItems({S_OnOff[1], S_OnOff[0]});
    m_status->setCurrentIndex(qMax(0, status));

    if (!skipRefill)
        refillList();
}

void Ui_Multiview::NewConnection()
{
    m_firstRead = false;
}

void Ui_Multiview::SLT_UpdateSelect_MV()
{
    refillList();
}

void Ui_Multiview::refillList()
{
    DeviceState &device = Device();
    const quint32 count = qMin(device.multiviewCount, DeviceLimits::MultiviewRecords);
    m_multiview->clear();
    // Outputs are numbered from 1 here as everywhere else on screen; the
    // record keeps the device's 0-based port.
    for (quint32 i = 0; i < count; ++i)
        m_multiview->addItem(
            QStringLiteral("%1-%2 [%3-%4]")
                .arg(S_Multiview, QString::number(i + 1), S_OutPut, QString::number(device.multiviewAt(i).output + 1)));
    if (count == 0) {
        scene()->Clear();
        scene()->SetSceneSize(1, 1);
        // The next multiview to appear is a new one: it is read.
        m_firstRead = false;
        return;
    }
    m_multiview->setCurrentIndex(0);
    device.selectedMultiview = 0;
    showRecord(0);
    if (!m_firstRead) {
        m_firstRead = true;
        readMultiview(0);
    }
}

void Ui_Multiview::showRecord(quint32 i)
{
    MultiviewRecord &record = Device().multiviewAt(i);
    record.unit = record.width / MultiviewGeometry::UnitDivisor;
    scene()->SetMultiview(i);
    scene()->SetSceneSize(int(record.width), int(record.height));
    scene()->SyncAllWindows();
    SLT_Refresh_DispalyWindowList();
}

void Ui_Multiview::readMultiview(quint32 i)
{
    if (!Connected())
        return;
    CMD_MultiviewRead(i);
    emit SGL_UpdateEmit();
}

void Ui_Multiview::SLT_MV_Select(int index)
{
    if (!Active() || index < 0)
        return;
    Device().selectedMultiview = ClampMultiview(quint32(index));
    showRecord(Selected());
    // The canvas is drawn again when the device's answer is stored.
    readMultiview(Selected());
}

void Ui_Multiview::SLT_CurrentWindow(int index)
{
    if (index >= 0)
        SLT_SyncMV_WinInfo(quint8(index));
}

void Ui_Multiview::SLT_Refresh_DispalyWindowList()
{
    SLT_CurrentWindow(m_window->currentIndex());
}

void Ui_Multiview::SLT_SyncMV_WinInfo(unsigned char k)
{
    if (!Active() || k >= MultiviewGeometry::Windows)
        return;
    const DeviceState &device = Device();
    const MultiviewRecord &record = device.multiviewAt(Selected());
    const MultiviewWindow &w = record.windowAt(k);
    m_window->setCurrentIndex(k);
    m_status->setCurrentIndex(w.visible ? StatusOn : 0);
    m_layer->setCurrentIndex(qMin<int>(w.layer, MultiviewGeometry::Layers - 1));
    const quint32 values[FieldCount] = {w.x, w.y, w.w, w.h, w.cropX, w.cropY, w.cropW, w.cropH};
    for (int f = 0; f < FieldCount; ++f)
        m_fields[f].edit->setText(QString::number(values[f]));
    const quint32 input = device.routingAt(record.output + k);
    m_source->setText(input < device.inputCount ? S_InputName[ClampChannel(input)] : S_ExpandInputName[0]);
}

void Ui_Multiview::SLT_SetMultiview()
{
    if (!Active())
        return;
    const int k = qBound(0, m_window->currentIndex(), MultiviewGeometry::Windows - 1);
    quint32 values[FieldCount];
    for (int f = 0; f < FieldCount; ++f)
        values[f] = m_fields[f].edit->text().toUInt(); // empty reads as 0
    const WindowNumbers n{values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7]};
    MultiviewRecord &record = Device().multiviewAt(Selected());
    record.unit = record.width / MultiviewGeometry::UnitDivisor;
    const WindowCheck check = CheckWindowNumbers(n, record.width, record.height, record.unit);
    if (check != WindowCheck::Passed) {
        ShowMessage(this, WindowCheckMessage(check, record.width, record.height, record.unit), MessageKind::Warning);
        return;
    }

    MultiviewWindow &window = record.windowAt(quint32(k));
    window.visible = m_status->currentIndex() != 0 ? 1 : 0;
    window.x = n.x;
    window.y = n.y;
    window.w = n.w;
    window.h = n.h;
    window.cropX = quint8(n.cropX);
    window.cropY = quint8(n.cropY);
    window.cropW = quint8(n.cropW);
    window.cropH = quint8(n.cropH);
    scene()->SetLayer(k, qMax(0, m_layer->currentIndex()));
    if (Connected()) {
        CMD_MultiviewWrite(Selected(), quint32(k));
        emit SGL_UpdateEmit();
    }
    // The device's answer to a write repeats it without a read flag, so
    // the canvas takes the stored window now.
    scene()->SyncWindow(k);
}

void Ui_Multiview::SLT_RefreshMultiview(unsigned int index)
{
    MultiviewRecord &record = Device().multiviewAt(index);
    record.unit = record.width / MultiviewGeometry::UnitDivisor;
    if (!Active() || ClampMultiview(index) != Selected())
        return;
    const QRectF shown = scene()->sceneRect();
    if (int(shown.width()) != int(qMax(1u, record.width)) || int(shown.height()) != int(qMax(1u, record.height)))
        scene()->SetSceneSize(int(record.width), int(record.height));
    scene()->RequestSyncAll();
    SLT_Refresh_DispalyWindowList();
}

void Ui_Multiview::SLT_RefreshMultiviewWindow(unsigned int index, unsigned int k, unsigned int code)
{
    if (!Active() || ClampMultiview(index) != Selected() || k >= MultiviewGeometry::Windows)
        return;
    MyCustomScene *canvas = scene();
    if (canvas->dragging()) {
        canvas->RequestSyncAll();
        return;
    }
    const MultiviewWindow &w = Device().multiviewAt(index).windowAt(k);
    switch (code) {
    case Cmd::MvGeometry:
        canvas->SetGeometry(int(k), int(w.x), int(w.y), int(w.w), int(w.h));
        break;
    case Cmd::MvLayer:
        canvas->SetLayer(int(k), w.layer);
        break;
    case Cmd::MvStatus:
        canvas->SetVisibility(int(k), w.visible != 0);
        break;
    default:
        if (int(k) == m_window->currentIndex())
            SLT_SyncMV_WinInfo(quint8(k));
        break;
    }
}
