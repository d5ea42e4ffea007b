#include "pages/routing/Ui_Salvos.h"

#include "app/LanguageTable.h"
#include "chrome/FileNameDialog.h"
#include "chrome/FramelessChrome.h"
#include "chrome/MessageBox.h"
#include "chrome/ScreenArea.h"
#include "pages/routing/RoutingDesk.h"
#include "protocol/DeviceState.h"
#include "protocol/RoutingSalvo.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int Width = 900;
constexpr int Height = 520;
constexpr int Margin = 10;
constexpr int PresetRole = Qt::UserRole + 1;
constexpr int NoPreset = -1;
const QString FileFilter = QStringLiteral("Salvo (*.json)");
const QString ChannelFormat = QStringLiteral("%1 %2");

enum Column { OutputColumn, FromColumn, ToColumn, ColumnCount };

QString inputText(int input)
{
    return input <= 0 ? QStringLiteral("?")
                      : ChannelFormat.arg(input).arg(S_InputName[ClampChannel(quint32(input - 1))]);
}
} // namespace

Ui_Salvos::Ui_Salvos(QWidget *parent)
    : PageDialog(parent)
    , m_content(new QWidget)
    , m_list(new QListWidget(m_content))
    , m_name(new QLineEdit(m_content))
    , m_outputs(new QListWidget(m_content))
    , m_save(new QPushButton(m_content))
    , m_recall(new QPushButton(m_content))
    , m_rename(new QPushButton(m_content))
    , m_delete(new QPushButton(m_content))
    , m_export(new QPushButton(m_content))
    , m_import(new QPushButton(m_content))
    , m_preview(new QTableWidget(0, ColumnCount, m_content))
    , m_previewLine(new QLabel(m_content))
    , m_take(new QPushButton(m_content))
    , m_cancel(new QPushButton(m_content))
{
    setTitleText(Ui_Salvos_AppName);
    m_name->setMaxLength(SalvoLimits::MaxNameLength);
    m_save->setText(SpushButton_SalvoSave);
    m_recall->setText(SpushButton_SalvoRecall);
    m_rename->setText(SpushButton_SalvoRename);
    m_delete->setText(SpushButton_SalvoDelete);
    m_export->setText(SpushButton_SalvoExport);
    m_import->setText(SpushButton_SalvoImport);
    m_take->setText(SpushButton_Take);
    m_cancel->setText(SpushButton_Cancel);
    m_preview->setHorizontalHeaderLabels({SHeader_Output, SHeader_From, SHeader_To});
    m_preview->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_preview->verticalHeader()->hide();
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    buildLayout();
    connect(m_save, &QPushButton::clicked, this, &Ui_Salvos::SLT_Save);
    connect(m_recall, &QPushButton::clicked, this, &Ui_Salvos::SLT_Recall);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &Ui_Salvos::SLT_Recall);
    connect(m_rename, &QPushButton::clicked, this, &Ui_Salvos::SLT_Rename);
    connect(m_delete, &QPushButton::clicked, this, &Ui_Salvos::SLT_Delete);
    connect(m_export, &QPushButton::clicked, this, &Ui_Salvos::SLT_Export);
    connect(m_import, &QPushButton::clicked, this, &Ui_Salvos::SLT_Import);
    connect(m_take, &QPushButton::clicked, this, &Ui_Salvos::SLT_Take);
    connect(m_cancel, &QPushButton::clicked, this, &Ui_Salvos::SLT_ClearPreview);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] {
        const bool salvo = !selectedSalvo().isEmpty();
        m_rename->setEnabled(salvo);
        m_delete->setEnabled(salvo);
        m_export->setEnabled(salvo);
        m_recall->setEnabled(m_list->currentItem() != nullptr);
    });
    fillOutputs();
    refreshList();
    SLT_ClearPreview();
}

void Ui_Salvos::buildLayout()
{
    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {m_save, m_recall, m_rename, m_delete, m_export, m_import})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *layout = new QGridLayout(m_content);
    layout->setContentsMargins(Margin, Margin, Margin, Margin);
    layout->addWidget(new QLabel(Slabel_SalvoName, m_content), 0, 0);
    layout->addWidget(m_name, 0, 1);
    layout->addWidget(new QLabel(Slabel_SalvoOutputs, m_content), 0, 2);
    layout->addWidget(m_list, 1, 0, 2, 2);
    layout->addWidget(m_outputs, 1, 2, 2, 1);
    layout->addLayout(buttons, 1, 3, 2, 1);
    layout->addWidget(m_previewLine, 0, 4, 1, 2);
    layout->addWidget(m_preview, 1, 4, 1, 2);
    layout->addWidget(m_take, 2, 4);
    layout->addWidget(m_cancel, 2, 5);
    layout->setColumnStretch(4, 1);
    setContent(m_content);
    resize(Width, Height + FramelessChrome::ContentTop);
    CentreInCappedScreen(this);
}

void Ui_Salvos::setDesk(RoutingDesk *desk)
{
    m_desk = desk;
    refreshList();
}

void Ui_Salvos::fillOutputs()
{
    m_outputs->clear();
    for (quint32 out = 0; out < Device().outputCount; ++out) {
        auto *item = new QListWidgetItem(ChannelFormat.arg(out + 1).arg(S_OutputName[ClampChannel(out)]), m_outputs);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(Qt::Checked);
    }
}

void Ui_Salvos::refreshList()
{
    const QString current = m_list->currentItem() ? m_list->currentItem()->text() : QString();
    m_list->clear();
    for (const QString &name : SalvoStore().names())
        (new QListWidgetItem(name, m_list))->setData(PresetRole, NoPreset);
    RouteMap content;
    for (quint32 preset = 0; m_desk && preset < Device().layoutCount; ++preset) {
        if (m_desk->presetContent(int(preset), &content))
            (new QListWidgetItem(SList_DevicePreset.arg(preset + 1), m_list))->setData(PresetRole, int(preset));
    }
    if (!select(current) && m_list->count() > 0)
        m_list->setCurrentRow(0);
    Q_EMIT m_list->currentRowChanged(m_list->currentRow());
}

bool Ui_Salvos::select(const QString &text)
{
    const QList<QListWidgetItem *> found = m_list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    m_list->setCurrentItem(found.first());
    return true;
}

QString Ui_Salvos::selectedSalvo() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item && item->data(PresetRole).toInt() == NoPreset ? item->text() : QString();
}

int Ui_Salvos::selectedPreset() const
{
    const QListWidgetItem *item = m_list->currentItem();
    return item ? item->data(PresetRole).toInt() : NoPreset;
}

void Ui_Salvos::fail(const QString &text)
{
    ShowMessage(this, text, MessageKind::Warning);
}

void Ui_Salvos::SLT_Save()
{
    RoutingSalvo salvo;
    salvo.name = m_name->text().trimmed();
    QString error;
    if (!SalvoNameIsValid(salvo.name, &error))
        return fail(error);
    const DeviceState &device = Device();
    salvo.outputCount = int(device.outputCount);
    salvo.inputCount = int(device.inputCount);
    for (int row = 0; row < m_outputs->count(); ++row) {
        if (m_outputs->item(row)->checkState() == Qt::Checked)
            salvo.routes.insert(row + 1, int(device.routingAt(quint32(row))) + 1);
    }
    if (salvo.routes.isEmpty())
        return fail(SMSG_SalvoNoOutputs);
    if (!SalvoStore().save(salvo, &error))
        return fail(error);
    refreshList();
    select(salvo.name);
    ShowMessage(this, SMSG_SalvoSaved.arg(salvo.name).arg(salvo.routes.size()));
}

void Ui_Salvos::SLT_Recall()
{
    const int preset = selectedPreset();
    RouteMap wanted;
    if (preset != NoPreset) {
        if (!m_desk || !m_desk->presetContent(preset, &wanted))
            return;
        showPreview(wanted, QString(), preset);
        return;
    }
    const QString name = selectedSalvo();
    if (name.isEmpty())
        return;
    RoutingSalvo salvo;
    QString error;
    const DeviceState &device = Device();
    if (!SalvoStore().load(name, &salvo, &error)
        || !SalvoFitsDevice(salvo, int(device.inputCount), int(device.outputCount), &error))
        return fail(error);
    for (auto it = salvo.routes.constBegin(); it != salvo.routes.constEnd(); ++it)
        wanted.insert(quint32(it.key() - 1), quint32(it.value() - 1));
    showPreview(wanted, name, NoPreset);
}

void Ui_Salvos::showPreview(const RouteMap &wanted, const QString &salvoName, int preset)
{
    RoutingSalvo salvo;
    for (auto it = wanted.constBegin(); it != wanted.constEnd(); ++it)
        salvo.routes.insert(int(it.key()) + 1, int(it.value()) + 1);
    QVector<int> current;
    for (quint32 out = 0; out < Device().outputCount; ++out)
        current.append(int(Device().routingAt(out)) + 1);
    const QVector<SalvoChange> changes = SalvoDiff(salvo, current);
    m_previewRoutes.clear();
    m_preview->setUpdatesEnabled(false);
    m_preview->setRowCount(changes.size());
    for (int row = 0; row < changes.size(); ++row) {
        const SalvoChange &change = changes.at(row);
        m_previewRoutes.insert(quint32(change.output - 1), quint32(change.to - 1));
        const QString output =
            ChannelFormat.arg(change.output).arg(S_OutputName[ClampChannel(quint32(change.output - 1))]);
        m_preview->setItem(row, OutputColumn, new QTableWidgetItem(output));
        m_preview->setItem(row, FromColumn, new QTableWidgetItem(inputText(change.from)));
        m_preview->setItem(row, ToColumn, new QTableWidgetItem(inputText(change.to)));
    }
    m_preview->setUpdatesEnabled(true);
    m_salvoName = salvoName;
    m_previewPreset = preset;
    m_previewLine->setText(changes.isEmpty() ? SMSG_PreviewNone : SMSG_TakeStaged.arg(changes.size()));
    m_take->setEnabled(!changes.isEmpty());
    m_cancel->setEnabled(true);
}

void Ui_Salvos::SLT_Take()
{
    if (!m_desk || m_previewRoutes.isEmpty())
        return;
    m_desk->apply(m_previewRoutes,
                  m_previewPreset != NoPreset ? STEP_Preset.arg(m_previewPreset + 1)
                                              : STEP_Salvo.arg(m_salvoName).arg(m_previewRoutes.size()));
    SLT_ClearPreview();
}

void Ui_Salvos::SLT_ClearPreview()
{
    m_previewRoutes.clear();
    m_preview->setRowCount(0);
    m_previewLine->clear();
    m_salvoName.clear();
    m_previewPreset = NoPreset;
    m_take->setEnabled(false);
    m_cancel->setEnabled(false);
}

void Ui_Salvos::SLT_Rename()
{
    const QString from = selectedSalvo();
    const QString to = m_name->text().trimmed();
    QString error;
    if (from.isEmpty())
        return;
    if (!SalvoStore().rename(from, to, &error))
        return fail(error);
    refreshList();
    select(to);
}

void Ui_Salvos::SLT_Delete()
{
    const QString name = selectedSalvo();
    QString error;
    if (name.isEmpty() || !ConfirmDestructive(this, SMSG_ConfirmSalvoDelete.arg(name)))
        return;
    if (!SalvoStore().remove(name, &error))
        return fail(error);
    refreshList();
}

void Ui_Salvos::SLT_Export()
{
    const QString name = selectedSalvo();
    if (name.isEmpty())
        return;
    const QString path = AskSaveFileName(this, SpushButton_SalvoExport, name, FileFilter);
    QString error;
    if (!path.isEmpty() && !SalvoStore().exportTo(name, path, &error))
        fail(error);
}

void Ui_Salvos::SLT_Import()
{
    const QString path = AskOpenFileName(this, SpushButton_SalvoImport, QString(), FileFilter);
    if (path.isEmpty())
        return;
    QString name;
    QString error;
    if (!SalvoStore().importFrom(path, &name, &error))
        return fail(SMSG_SalvoNotImported.arg(error));
    refreshList();
    select(name);
    ShowMessage(this, SMSG_SalvoImported.arg(name));
}
