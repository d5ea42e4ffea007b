#include "pages/peripheral/UserCmdRow.h"

#include "app/LanguageTable.h"
#include "pages/peripheral/PeripheralLists.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr char MsCaption[] = "(ms)";
constexpr int TargetWidth = 110;
constexpr int PortWidth = 64;
constexpr int BaudWidth = 84;
constexpr int PayloadMinWidth = 240;
constexpr int NoteWidth = 120;
constexpr int EditWidth = 56;
constexpr int OrderWidth = 48;
constexpr int DelayWidth = 64;
constexpr int Decimal = 10;
} // namespace

QString UserCmdObjectName(const char *prefix, int index)
{
    return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(index);
}

int UserCmdRowOf(const QObject *widget, const char *prefix)
{
    if (!widget)
        return -1;
    const QString name = widget->objectName();
    const QLatin1String head(prefix);
    if (!name.startsWith(head))
        return -1;
    bool ok = false;
    const int index = name.mid(head.size()).toInt(&ok, Decimal);
    return ok && index >= 0 ? index : -1;
}

void UserCmdRow::create(int index, QWidget *parent)
{
    target = new QComboBox(parent);
    for (const QString &name : ScomboBox_Peripheral)
        target->addItem(name);
    port = new QComboBox(parent);
    baud = new QComboBox(parent);
    for (const char *rate : UserCmd::BaudRates)
        baud->addItem(QLatin1String(rate));
    hex = new QCheckBox(parent);
    payload = new QLineEdit(parent);
    note = new QPushButton(S_Send, parent);
    edit = new QPushButton(S_Edit, parent);
    order = new QLineEdit(QString::number(index + 1), parent);
    delay = new QLineEdit(QLatin1String(UserCmd::DefaultDelay), parent);
    ms = new QLabel(QLatin1String(MsCaption), parent);

    target->setObjectName(UserCmdObjectName(UserCmdNames::Target, index));
    port->setObjectName(UserCmdObjectName(UserCmdNames::Port, index));
    baud->setObjectName(UserCmdObjectName(UserCmdNames::Baud, index));
    hex->setObjectName(UserCmdObjectName(UserCmdNames::Hex, index));
    payload->setObjectName(UserCmdObjectName(UserCmdNames::Payload, index));
    note->setObjectName(UserCmdObjectName(UserCmdNames::Note, index));
    edit->setObjectName(UserCmdObjectName(UserCmdNames::Edit, index));
    order->setObjectName(UserCmdObjectName(UserCmdNames::Order, index));
    delay->setObjectName(UserCmdObjectName(UserCmdNames::Delay, index));

    target->setFixedWidth(TargetWidth);
    port->setFixedWidth(PortWidth);
    baud->setFixedWidth(BaudWidth);
    payload->setMinimumWidth(PayloadMinWidth);
    note->setFixedWidth(NoteWidth);
    edit->setFixedWidth(EditWidth);
    order->setFixedWidth(OrderWidth);
    delay->setFixedWidth(DelayWidth);
    fillPorts(0, 0);
}

void UserCmdRow::destroy()
{
    for (QWidget *w : widgets())
        delete w;
    *this = UserCmdRow();
}

QList<QWidget *> UserCmdRow::widgets() const
{
    if (!exists())
        return {};
    return {target, port, baud, hex, payload, note, edit, order, delay, ms};
}

void UserCmdRow::fillPorts(int inputCount, int outputCount)
{
    const int kind = target->currentIndex();
    const int kept = port->currentIndex();
    port->clear();
    port->setEnabled(kind != UserCmd::PeripheralTarget);
    if (kind == UserCmd::PeripheralTarget)
        return;
    const int count = kind == UserCmd::InputTarget ? inputCount : outputCount;
    for (int p = 1; p <= count; ++p)
        port->addItem(QString::number(p));
    port->addItem(S_All);
    port->setCurrentIndex(kept >= 0 && kept < port->count() ? kept : 0);
}

UserCmdLine UserCmdRow::value() const
{
    UserCmdLine line;
    line.target = target->currentIndex();
    line.port = port->count() == 0 ? -1 : port->currentIndex();
    line.baud = baud->currentIndex();
    line.hex = hex->isChecked();
    line.payload = payload->text();
    line.note = note->text();
    line.order = order->text();
    line.delay = delay->text();
    return line;
}

void UserCmdRow::load(const UserCmdLine &line, int inputCount, int outputCount)
{
    target->setCurrentIndex(line.target);
    port->setCurrentIndex(-1);
    fillPorts(inputCount, outputCount);
    if (line.target != UserCmd::PeripheralTarget)
        port->setCurrentIndex(line.port);
    baud->setCurrentIndex(line.baud);
    hex->setChecked(line.hex);
    payload->setText(line.payload);
    note->setText(line.note);
    order->setText(line.order);
    delay->setText(line.delay);
}

void UserCmdRow::retranslate(const QString &oldSendCaption)
{
    for (int t = 0; t < target->count(); ++t)
        target->setItemText(t, ScomboBox_Peripheral[t]);
    if (port->count() > 0)
        port->setItemText(port->count() - 1, S_All);
    edit->setText(S_Edit);
    if (note->text() == oldSendCaption)
        note->setText(S_Send);
}
