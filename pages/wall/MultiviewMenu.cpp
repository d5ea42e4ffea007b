#include "pages/wall/MultiviewMenu.h"

#include "app/LanguageTable.h"
#include "pages/wall/MultiviewGeometry.h"
#include "pages/wall/MyCustomScene.h"
#include "protocol/DeviceState.h"

#include <QAction>
#include <QMenu>

namespace MultiviewMenu {

namespace {

constexpr int AudioChoices = 5; // mute, then windows 1 … 4
constexpr int WindowDigits = 1;
const QString NameFormat = QStringLiteral("%1%2");
const QString ChoiceFormat = QStringLiteral("%1%2-%3-%4");

int ChoiceOf(const QString &name, const QString &kind)
{
    const int at = S_Window.size() + WindowDigits + 1 + kind.size() + 1;
    return name.mid(at).toInt();
}

QAction *AddChoice(QMenu *menu, const QString &text, const QString &name, bool checked)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

void AddInputs(QMenu *inputs, const MultiviewRecord &record, int k, MyCustomScene *scene)
{
    const DeviceState &device = Device();
    const quint32 routed = device.routingAt(record.output + quint32(k));
    const quint32 count = qMin(device.inputCount, DeviceLimits::Channels);
    for (quint32 in = 0; in < count; ++in) {
        QAction *entry = AddChoice(inputs, S_InputName[in], InputName(k + 1, int(in) + 1), routed == in);
        QObject::connect(entry, &QAction::triggered, scene, &MyCustomScene::SLT_Menu_CurInputSelect);
    }
    // The expand input is the input it carries.
    for (quint32 e = 0; e < device.expandInputCount; ++e) {
        const int number = int(device.expandInputChannel) + 1;
        QAction *entry =
            AddChoice(inputs, S_ExpandInputName[0], InputName(k + 1, number), routed == device.expandInputChannel);
        QObject::connect(entry, &QAction::triggered, scene, &MyCustomScene::SLT_Menu_CurInputSelect);
    }
}

} // namespace

void Build(QMenu &menu, const MultiviewRecord &record, int windows, MyCustomScene *scene)
{
    menu.clear();
    const int source = qMin<int>(record.audioSource, AudioChoices - 1);
    QMenu *audio = menu.addMenu(QStringLiteral("%1 -> %2").arg(S_AudioSource, SMenu_MV_AudioSource[source]));
    for (int s = 0; s < AudioChoices; ++s) {
        QAction *entry = AddChoice(audio, SMenu_MV_AudioSource[s], AudioName(s), s == record.audioSource);
        QObject::connect(entry, &QAction::triggered, scene, &MyCustomScene::SLT_Menu_CurAudioSelect);
    }

    const int shown = qMin(windows, MultiviewGeometry::Windows);
    for (int k = 0; k < shown; ++k) {
        const MultiviewWindow &window = record.windowAt(quint32(k));
        menu.addSeparator();
        QMenu *sub = menu.addMenu(QStringLiteral("%1-%2").arg(S_Window).arg(k + 1));
        QAction *status = sub->addAction(window.visible ? S_OnOff[1] : S_OnOff[0]);
        status->setObjectName(StatusName(k + 1));
        QObject::connect(status, &QAction::triggered, scene, &MyCustomScene::SLT_Menu_NextWindowStatus);

        sub->addSeparator();
        AddInputs(sub->addMenu(S_Input), record, k, scene);

        sub->addSeparator();
        QMenu *layers = sub->addMenu(S_Layer);
        for (int l = 0; l < MultiviewGeometry::Layers; ++l) {
            QAction *entry = AddChoice(layers, QString::number(l + 1), LayerName(k + 1, l + 1), window.layer == l);
            QObject::connect(entry, &QAction::triggered, scene, &MyCustomScene::SLT_Menu_CurLayer);
        }
    }
}

QString AudioName(int source)
{
    return NameFormat.arg(S_AudioSource).arg(source);
}

QString StatusName(int window)
{
    return NameFormat.arg(S_Window).arg(window);
}

QString InputName(int window, int input)
{
    return ChoiceFormat.arg(S_Window).arg(window).arg(S_Input).arg(input);
}

QString LayerName(int window, int layer)
{
    return ChoiceFormat.arg(S_Window).arg(window).arg(S_Layer).arg(layer);
}

int AudioOf(const QString &name)
{
    return name.mid(S_AudioSource.size()).toInt();
}

int WindowOf(const QString &name)
{
    return name.mid(S_Window.size(), WindowDigits).toInt();
}

int InputOf(const QString &name)
{
    return ChoiceOf(name, S_Input);
}

int LayerOf(const QString &name)
{
    return ChoiceOf(name, S_Layer);
}

} // namespace MultiviewMenu
