#include "pages/wall/WallCellMenu.h"

#include "app/LanguageTable.h"
#include "pages/wall/MyTableWidget.h"
#include "pages/wall/WallLists.h"
#include "protocol/DeviceState.h"

#include <QAction>
#include <QMenu>

namespace {

constexpr int Decimal = 10;
const QString ChoiceName = QStringLiteral("%1-%2");
const QString MvInputText = QStringLiteral("MV");

const TvWallEntry &OutputOf(quint32 cell)
{
    const DeviceState &device = Device();
    return device.wallEntry(device.wallEntry(cell).cellOutput);
}

// The last input carries the multiview picture when the device offers one
// and the wall uses it.
bool IsMvInput(quint32 input)
{
    const DeviceState &device = Device();
    return device.mvFeature && device.inputCount > 0 && input == device.inputCount - 1 && device.tvWall.mvInputEnable;
}

QAction *AddChoice(QMenu *menu, const QString &text, const QString &prefix, int number, bool checked, bool enabled)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(ChoiceName.arg(prefix, QString::number(number)));
    action->setCheckable(true);
    action->setChecked(checked);
    action->setEnabled(enabled);
    return action;
}

void FillInputs(QMenu *inputs, MyTableWidget *grid, const TvWallEntry &output)
{
    const DeviceState &device = Device();
    for (quint32 i = 0; i < qMin(device.inputCount, DeviceLimits::Channels); ++i) {
        const QString text = IsMvInput(i) ? MvInputText : S_InputName[i];
        QAction *action = AddChoice(inputs, text, S_Input, int(i + 1), output.input == i, true);
        QObject::connect(action, &QAction::triggered, grid, &MyTableWidget::SLT_CurInputSelect);
    }
    for (quint32 e = 0; e < device.expandInputCount; ++e) {
        const quint32 channel = device.expandInputChannel;
        QAction *action =
            AddChoice(inputs, S_ExpandInputName[0], S_Input, int(channel + 1), output.input == channel, true);
        QObject::connect(action, &QAction::triggered, grid, &MyTableWidget::SLT_CurInputSelect);
    }
}

void FillOutputs(QMenu *outputs, MyTableWidget *grid, quint32 cell, bool spliced)
{
    const DeviceState &device = Device();
    const quint32 shown = device.wallEntry(cell).cellOutput;
    for (quint32 o = 0; o < qMin(device.outputCount, DeviceLimits::Channels); ++o) {
        QAction *action = AddChoice(outputs, S_OutputName[o], S_OutPut, int(o + 1), shown == o, !spliced);
        QObject::connect(action, &QAction::triggered, grid, &MyTableWidget::SLT_CurOutputSelect);
    }
}

void AddMultiPanelEntries(QMenu *menu, MyTableWidget *grid, const TvWallEntry &output, bool spliced)
{
    QAction *panel = menu->addAction(SMenu_MultiPanel);
    panel->setEnabled(spliced);
    QObject::connect(panel, &QAction::triggered, grid, &MyTableWidget::SLT_MultiPanel);

    QMenu *angles = menu->addMenu(SMenu_ScreenAngle);
    angles->setEnabled(spliced);
    for (const WallLists::AngleChoice &angle : WallLists::ScreenAngles) {
        QAction *action = AddChoice(angles, QString::fromLatin1(angle.text), S_Rotate, angle.value,
                                    output.screenAngle == angle.value, spliced);
        QObject::connect(action, &QAction::triggered, grid, &MyTableWidget::SLT_CurScreenAngleSelect);
    }
}

} // namespace

QMenu *BuildWallCellMenu(MyTableWidget *grid, quint32 cell, bool selectionSpansCells)
{
    const DeviceState &device = Device();
    const TvWallEntry &output = OutputOf(cell);
    const bool spliced = output.spliced != 0;
    QMenu *menu = new QMenu(grid);

    QAction *splice = menu->addAction(SMenu_ScreenSplicing);
    splice->setCheckable(true);
    splice->setChecked(spliced);
    splice->setEnabled(selectionSpansCells && !spliced);
    QObject::connect(splice, &QAction::triggered, grid, &MyTableWidget::SLT_ScreenSplicing);

    QAction *cancel = menu->addAction(SMenu_CancelSplicing);
    cancel->setEnabled(spliced);
    QObject::connect(cancel, &QAction::triggered, grid, &MyTableWidget::SLT_CancelSplicing);

    QAction *single = menu->addAction(QStringLiteral("%1 - %2").arg(QString::number(cell + 1), SMenu_CancelSplicing));
    single->setCheckable(true);
    single->setChecked(output.singleExit != 0);
    single->setEnabled(spliced);
    QObject::connect(single, &QAction::triggered, grid, &MyTableWidget::SLT_SingleCancelSplicing);

    menu->addSeparator();
    QMenu *inputs = menu->addMenu(SMenu_InputSelect);
    inputs->setEnabled(spliced);
    if (spliced)
        FillInputs(inputs, grid, output);
    QMenu *outputs = menu->addMenu(SMenu_OutputSelect);
    FillOutputs(outputs, grid, cell, spliced);

    menu->addSeparator();
    QAction *sync = menu->addAction(SMenu_SyncLock);
    sync->setCheckable(true);
    sync->setChecked(output.syncLock != 0);
    sync->setEnabled(spliced);
    QObject::connect(sync, &QAction::triggered, grid, &MyTableWidget::SLT_SyncLock);

    if (device.mvFeature) {
        QAction *mv = menu->addAction(SMenu_MVInputEn);
        mv->setCheckable(true);
        mv->setChecked(device.tvWall.mvInputEnable != 0);
        mv->setEnabled(spliced);
        QObject::connect(mv, &QAction::triggered, grid, &MyTableWidget::SLT_MVInputEn);
    }
    if (device.multiPanelFeature)
        AddMultiPanelEntries(menu, grid, output, spliced);
    return menu;
}

QString WallCellSummary(quint32 cell)
{
    const TvWallEntry &output = OutputOf(cell);
    const quint32 shown = Device().wallEntry(cell).cellOutput;
    const auto number = [](quint32 value) { return QString::number(value); };
    const QString yesNo = output.spliced && !output.singleExit ? QStringLiteral("Yes") : QStringLiteral("No");
    QString text = QStringLiteral("%1: \r\n").arg(cell + 1);
    text += QStringLiteral("%1 -> %2 \r\n").arg(SMenu_ScreenSplicing, yesNo);
    if (IsMvInput(output.input))
        text += QStringLiteral("%1 -> MV \r\n").arg(SMenu_InputSelect);
    else
        text += QStringLiteral("%1 -> %2 \r\n").arg(SMenu_InputSelect, number(output.input + 1));
    text += QStringLiteral("%1 -> %2 \r\n").arg(SMenu_OutputSelect, number(shown + 1));
    text += QStringLiteral("\r\n%1 -> %2 %3 \r\n").arg(Slabel_EdgeLeft, number(output.bezelLeft), S_Pixel);
    text += QStringLiteral("%1 -> %2 %3 \r\n").arg(Slabel_EdgeRight, number(output.bezelRight), S_Pixel);
    text += QStringLiteral("%1 -> %2 %3 \r\n").arg(Slabel_EdgeUp, number(output.bezelUp), S_Pixel);
    text += QStringLiteral("%1 -> %2 %3").arg(Slabel_EdgeBottom, number(output.bezelBottom), S_Pixel);
    return text;
}

int WallChoiceOf(const QObject *entry)
{
    if (!entry)
        return -1;
    const QString name = entry->objectName();
    const int dash = name.lastIndexOf(QLatin1Char('-'));
    if (dash < 0)
        return -1;
    bool ok = false;
    const int number = name.mid(dash + 1).toInt(&ok, Decimal);
    return ok ? number : -1;
}
