#include "pages/peripheral/Ui_Peripheral.h"

#include "app/LanguageTable.h"
#include "pages/peripheral/IoGroupBox.h"
#include "pages/peripheral/UserCmdLines.h"
#include "protocol/Catalogue.h"
#include "protocol/CommandChannel.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int PageMargin = 10;
constexpr int GroupSpacing = 12;
// IO commands await the device's reply; no pause follows them.
constexpr quint32 NoPauseMs = 0;
} // namespace

Ui_Peripheral::Ui_Peripheral(QWidget *parent)
    : QWidget(parent)
{
    buildWidgets();
    buildLayout();
    connectWidgets();
    RetranslateUi();
}

void Ui_Peripheral::buildWidgets()
{
    m_ioIn = new IoGroupBox(PeripheralIo::Group::IoInputs, this);
    m_ioOut = new IoGroupBox(PeripheralIo::Group::IoOutputs, this);
    m_relays = new IoGroupBox(PeripheralIo::Group::Relays, this);
    m_cmdLines = new UserCmdLines(this);
}

void Ui_Peripheral::buildLayout()
{
    auto *io = new QHBoxLayout;
    io->setSpacing(GroupSpacing);
    io->addWidget(m_ioIn);
    io->addWidget(m_ioOut);
    io->addWidget(m_relays);
    io->addStretch(1);
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(PageMargin, PageMargin, PageMargin, PageMargin);
    page->setSpacing(GroupSpacing);
    page->addLayout(io);
    page->addWidget(m_cmdLines, 1);
}

void Ui_Peripheral::connectWidgets()
{
    connect(&Tracker(), &RequestTracker::SGL_RowsChanged, this, [this] {
        for (IoGroupBox *box : {m_ioIn, m_ioOut, m_relays})
            box->showFreshness(Tracker().rowState(RequestTracker::RowKind::Peripheral, quint32(box->group())));
    });
    connect(m_ioIn->readButton(), &QPushButton::clicked, this, &Ui_Peripheral::SLT_IO_IN_Read);
    connect(m_ioOut->readButton(), &QPushButton::clicked, this, &Ui_Peripheral::SLT_IO_OUT_Read);
    connect(m_ioOut->writeButton(), &QPushButton::clicked, this, &Ui_Peripheral::SLT_IO_OUT_Write);
    connect(m_relays->readButton(), &QPushButton::clicked, this, &Ui_Peripheral::SLT_Relay_Read);
    connect(m_relays->writeButton(), &QPushButton::clicked, this, &Ui_Peripheral::SLT_Relay_Write);
    connect(m_cmdLines, &UserCmdLines::SGL_UpdateEmit, this, &Ui_Peripheral::SGL_UpdateEmit);
}

void Ui_Peripheral::RetranslateUi()
{
    setWindowTitle(Ui_Peripheral_AppName);
    m_ioIn->retranslate();
    m_ioOut->retranslate();
    m_relays->retranslate();
    m_cmdLines->retranslate();
}

void Ui_Peripheral::RebuildForCounts()
{
    m_cmdLines->RebuildForCounts();
}

void Ui_Peripheral::ShowPeripheralLines(unsigned int group, unsigned int states)
{
    const quint8 state = quint8(states & PeripheralIo::StateMask);
    switch (PeripheralIo::Group(group)) {
    case PeripheralIo::Group::IoInputs:
        ShowIoInputs(state);
        break;
    case PeripheralIo::Group::IoOutputs:
        ShowIoOutputs(state);
        break;
    case PeripheralIo::Group::Relays:
        ShowRelays(state);
        break;
    }
}

void Ui_Peripheral::ShowIoInputs(quint8 state)
{
    m_ioIn->showState(state);
}

void Ui_Peripheral::ShowIoOutputs(quint8 state)
{
    m_ioOut->showState(state);
}

void Ui_Peripheral::ShowRelays(quint8 state)
{
    m_relays->showState(state);
}

void Ui_Peripheral::sendIo(quint8 mode, PeripheralIo::Group group, quint8 data)
{
    if (ActiveTransport.load() == TransportNone)
        return;
    CMD_PeripheralIo(PeripheralIo::Lead, mode, quint8(group), QByteArray(1, char(data)), NoPauseMs);
    emit SGL_UpdateEmit();
}

void Ui_Peripheral::SLT_IO_IN_Read()
{
    sendIo(PeripheralIo::Read, PeripheralIo::Group::IoInputs, PeripheralIo::ReadData);
}

void Ui_Peripheral::SLT_IO_OUT_Read()
{
    sendIo(PeripheralIo::Read, PeripheralIo::Group::IoOutputs, PeripheralIo::ReadData);
}

void Ui_Peripheral::SLT_IO_OUT_Write()
{
    sendIo(PeripheralIo::Write, PeripheralIo::Group::IoOutputs, m_ioOut->stateByte());
}

void Ui_Peripheral::SLT_Relay_Read()
{
    sendIo(PeripheralIo::Read, PeripheralIo::Group::Relays, PeripheralIo::ReadData);
}

void Ui_Peripheral::SLT_Relay_Write()
{
    sendIo(PeripheralIo::Write, PeripheralIo::Group::Relays, m_relays->stateByte());
}
