#include "shell/Ui_Main.h"

#include "app/AppPaths.h"
#include "app/ConfigStore.h"
#include "app/ConfigTable.h"
#include "app/LanguageTable.h"
#include "app/OutputLocks.h"
#include "chrome/ImageFiles.h"
#include "chrome/MessageBox.h"
#include "chrome/MyUiLayout.h"
#include "chrome/ScreenArea.h"
#include "chrome/TabCycling.h"
#include "pages/network/Ui_System.h"
#include "pages/peripheral/Ui_Peripheral.h"
#include "pages/routing/Ui_Matrix.h"
#include "pages/routing/Ui_SignalConfig.h"
#include "pages/wall/Ui_Multiview.h"
#include "pages/wall/Ui_TVWall.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceEvents.h"
#include "protocol/DeviceState.h"
#include "protocol/ModuleDiscovery.h"
#include "protocol/ReplyDispatcher.h"
#include "protocol/ReplyTimeout.h"
#include "protocol/RequestTracker.h"
#include "shell/LinkIndicator.h"
#include "shell/LanguageSwitch.h"
#include "shell/Ui_Debug.h"
#include "transport/DeviceLink.h"
#include "transport/GatewayLockClient.h"
#include "transport/Ui_Uart_Network.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>

namespace {
constexpr int SelectorWidth = 140;
constexpr int StopSyncWidth = 100;
constexpr int CornerHeight = 30;

bool pageShown(const QString &key)
{
    return key == QLatin1String("1");
}
} // namespace

Ui_Main::Ui_Main(QWidget *parent)
    : MyFramelessWindow(parent)
    , m_content(new QWidget)
{
    setContent(m_content);
    m_tabs = new QTabWidget;
    m_tabs->setAutoFillBackground(true);
    m_contentLayout = new QGridLayout(m_content);
    // Both sit in the top-right corner of the page area, beside the tabs.
    m_languageSelector = new QComboBox(m_content);
    m_languageSelector->setView(new QListView);
    m_stopSyncButton = new QPushButton(m_content);
    // The button stays down while Stop Sync holds, so the operator sees it.
    m_stopSyncButton->setObjectName(QStringLiteral("StopSync"));
    m_stopSyncButton->setCheckable(true);
    // The selector and the button lie over the tab bar's right end; an empty
    // corner widget of their size keeps the tabs clear of them.
    auto *cornerSpace = new QWidget;
    cornerSpace->setFixedSize(SelectorWidth + StopSyncWidth, CornerHeight);
    m_tabs->setCornerWidget(cornerSpace, Qt::TopRightCorner);
    m_layout = new MyUiLayout(this);
    m_layout->hide();

    m_connection = new Ui_Uart_Network;
    m_matrix = new Ui_Matrix;
    m_locks = new OutputLocks(this);
    m_lockClient = new GatewayLockClient(this);
    m_signalConfig = new Ui_SignalConfig;
    m_tvWall = new Ui_TVWall;
    m_system = new Ui_System;
    m_multiview = new Ui_Multiview;
    m_peripheral = new Ui_Peripheral;
    m_debug = new Ui_Debug;
    m_linkStatus = new QLabel;
    m_linkIndicator = new LinkIndicator(this, m_linkStatus, m_stopSyncButton, this);

    setGeometry(InitialGeometry(CappedScreenSize()));

    setLogo(AppPath(QLatin1String(Paths::MainLogo)));

    placeCornerWidgets();
    releaseKeyboard();
    ApplyMainTexts(true);

    m_contentLayout->addWidget(m_tabs);
    m_contentLayout->addWidget(m_linkStatus);
    m_contentLayout->setContentsMargins(0, 0, 0, 0);
    m_contentLayout->setSpacing(0);

    connectPages();
    connectLink();
    connectDeviceEvents();
    connectLinkIndicator();
    connectLocks();
}

Ui_Main::~Ui_Main()
{
    if (SavePendingAtExit) {
        SavePendingAtExit = false;
        SaveAllSettings();
    }
    delete m_connection;
    delete m_matrix;
    delete m_signalConfig;
    delete m_tvWall;
    delete m_system;
    delete m_multiview;
    delete m_peripheral;
    delete m_debug;
}

QRect Ui_Main::InitialGeometry(const QSize &screenSize)
{
    const int w = qMin(screenSize.width(), CappedScreenWidth);
    const int h = qMin(screenSize.height(), CappedScreenHeight);
    const int width = 29 * w / 40;
    const int height = 16 * h / 20;
    return QRect((w - width) / 2, (h - height) / 2, width, height);
}

void Ui_Main::placeCornerWidgets()
{
    MyUiLayout::place(m_languageSelector, nullptr, MyUiLayout::Absolute, width() - SelectorWidth, 0, SelectorWidth,
                      CornerHeight);
    MyUiLayout::place(m_stopSyncButton, nullptr, MyUiLayout::Absolute, m_languageSelector->x() - StopSyncWidth,
                      m_languageSelector->y(), StopSyncWidth, CornerHeight);
    m_languageSelector->raise();
    m_stopSyncButton->raise();
}

void Ui_Main::ApplyMainTexts(bool init)
{
    setTitleText(Ui_Main_AppName);

    struct Page
    {
        QWidget *widget;
        const QString &key;
        const QString &caption;
    };
    const Page pages[] = {
        {m_matrix, Key_UI_Matrix, Ui_Matrix_AppName},
        {m_signalConfig, Key_UI_SignalConfig, Ui_SignalConfig_AppName},
        {m_tvWall, Key_UI_TV_Wall, Ui_TV_Wall_AppName},
        {m_system, Key_UI_System, Ui_System_AppName},
        {m_multiview, Key_UI_Multiview, Ui_Multiview_AppName},
        {m_peripheral, Key_UI_Peripheral, Ui_Peripheral_AppName},
    };

    if (init) {
        FillLanguageSelector(m_languageSelector, true);
        m_tabs->clear();
        m_tabs->insertTab(0, m_connection, Ui_Uart_Network_AppName);
        m_connection->ApplyConnectionTexts(false, false);
        for (const Page &page : pages) {
            if (pageShown(page.key))
                m_tabs->insertTab(m_tabs->count(), page.widget, page.caption);
        }
    } else {
        FillLanguageSelector(m_languageSelector, false);
        m_tabs->setTabText(0, Ui_Uart_Network_AppName);
        m_connection->ApplyConnectionTexts(false, true);
        for (const Page &page : pages) {
            const int index = m_tabs->indexOf(page.widget);
            if (pageShown(page.key) && index >= 0)
                m_tabs->setTabText(index, page.caption);
        }
    }
    m_stopSyncButton->setText(S_StopSync);
    m_linkIndicator->retranslate();
}

void Ui_Main::connectPages()
{
    connect(this, &Ui_Main::SGL_SETUP_UI_DEBUG, m_debug, &Ui_Debug::SLT_SETUP_UI_DEBUG);
    connect(this, &Ui_Main::SGL_CLOSE_UI_DEBUG, m_debug, &Ui_Debug::SLT_CLOSE_UI_DEBUG);
    connect(this, &Ui_Main::SGL_DEBUG_SHOW_RecvText, m_debug, &Ui_Debug::SLT_Sync_Show_Recv);
    connect(this, &Ui_Main::SGL_DEBUG_SHOW_SendText, m_debug, &Ui_Debug::SLT_Sync_Show_Send);
    connect(m_tabs, &QTabWidget::tabBarClicked, this, &Ui_Main::SLT_GetFocus_tabBar);
    InstallTabCycling(m_tabs);
    connect(m_languageSelector, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        if (index >= 0)
            SLT_ReloadUILanguage(m_languageSelector->itemText(index));
    });
    connect(m_stopSyncButton, &QPushButton::clicked, this, &Ui_Main::SLT_StopSync);

    // Every page's send request reaches the three services.
    connect(m_connection, &Ui_Uart_Network::SGL_UpdateEmit, this, &Ui_Main::SGL_UnifyUpdateEmit);
    connect(m_matrix, &Ui_Matrix::SGL_UpdateEmit, this, &Ui_Main::SGL_UnifyUpdateEmit);
    connect(m_matrix, &Ui_Matrix::SGL_StatusLine, m_connection, &Ui_Uart_Network::AppendStatusLine);
    connect(m_signalConfig, &Ui_SignalConfig::SGL_UpdateEmit, this, &Ui_Main::SGL_UnifyUpdateEmit);
    connect(m_tvWall, &Ui_TVWall::SGL_UpdateEmit, this, &Ui_Main::SGL_UnifyUpdateEmit);
    connect(m_system, &Ui_System::SGL_UpdateEmit, this, &Ui_Main::SGL_UnifyUpdateEmit);
    connect(m_multiview, &Ui_Multiview::SGL_UpdateEmit, this, &Ui_Main::SGL_UnifyUpdateEmit);
    connect(m_peripheral, &Ui_Peripheral::SGL_UpdateEmit, this, &Ui_Main::SGL_UnifyUpdateEmit);
    connect(m_debug, &Ui_Debug::SGL_UpdateEmit, this, &Ui_Main::SGL_UnifyUpdateEmit);

    connect(m_system, &Ui_System::SGL_AutoTriggerDisconnect, this, &Ui_Main::SLT_AutoTriggerDisconnect);
    connect(m_connection, &Ui_Uart_Network::SGL_ClearFoundDevice, m_system, &Ui_System::SLT_ClearFoundDevice);
    connect(m_system, &Ui_System::SGL_ClearFoundDevice, m_connection, &Ui_Uart_Network::SLT_ClearFoundDevice);
    connect(m_connection, &Ui_Uart_Network::SGL_ReadSelectedDevice, m_system, &Ui_System::SLT_ReadSelectedDevice);
    connect(m_system, &Ui_System::SGL_ReadSelectedDevice, m_connection, &Ui_Uart_Network::SLT_ReadSelectedDevice);
    connect(m_connection, &Ui_Uart_Network::SGL_ConnectStatus, m_system, &Ui_System::SLT_ConnectStatus);
    connect(m_connection, &Ui_Uart_Network::SGL_ConnectStatus, m_connection, &Ui_Uart_Network::SLT_ConnectStatus);
    connect(m_signalConfig, &Ui_SignalConfig::SGL_UpdateSelect_MV, this, &Ui_Main::SLT_UpdateSelect_MV);
    connect(m_matrix, &Ui_Matrix::SGL_Refresh_DispalyWindowList, m_multiview,
            &Ui_Multiview::SLT_Refresh_DispalyWindowList);
    connect(m_signalConfig, &Ui_SignalConfig::SGL_JudgeMutex_MVAndSplicing, m_tvWall,
            &Ui_TVWall::SLT_JudgeMutex_MVAndSplicing);
}

void Ui_Main::connectLink()
{
    DeviceLink *link = m_connection->link();
    connect(this, &Ui_Main::SGL_UnifyUpdateEmit, link, &DeviceLink::requestSend);
    connect(link, &DeviceLink::frameReceived, this, &Ui_Main::showAndDispatchFrame);
    connect(link, &DeviceLink::linkRemaking, m_linkIndicator, &LinkIndicator::setRemaking);
    connect(link, &DeviceLink::datagramReceived, this, &Ui_Main::showAndHandleDatagram);
    connect(link, &DeviceLink::frameSent, this, &Ui_Main::SLT_UnifyUpdateSend);
    connect(link, &DeviceLink::replyTimedOut, this, &Ui_Main::SLT_WaitReplyTimeoutMessage);
    connect(m_system, &Ui_System::SGL_Startover_Udp, link, &DeviceLink::startOverModules);
}

void Ui_Main::connectDeviceEvents()
{
    DeviceEvents &events = Events();
    connect(&events, &DeviceEvents::SGL_StatusLine, m_connection, &Ui_Uart_Network::AppendStatusLine);
    connect(&events, &DeviceEvents::SGL_IdentificationSucceeded, m_connection,
            [this] { m_connection->SLT_IdentificationResult(true); });
    connect(&events, &DeviceEvents::SGL_IdentificationFailed, m_connection,
            [this] { m_connection->SLT_IdentificationResult(false); });
    // The device reports only faults this way (a device of another kind).
    connect(&events, &DeviceEvents::SGL_ShowMessage, this,
            [this](const QString &text) { ShowMessage(this, text, MessageKind::Critical); });
    connect(&events, &DeviceEvents::SGL_StartFullRead, this, [this] {
        m_matrix->InitialRead();
        m_signalConfig->InitialRead();
        m_tvWall->ReadWall();
    });
    connect(&events, &DeviceEvents::SGL_SendRequest, this, &Ui_Main::SGL_UnifyUpdateEmit);
    // Both pages' lists draw from the one module model.
    connect(&events, &DeviceEvents::SGL_ModuleFound, &Modules(), &ModuleDiscovery::addOrUpdate);
    connect(&events, &DeviceEvents::SGL_ModuleConfig, m_connection, &Ui_Uart_Network::SLT_ModuleConfigRead);
    connect(&events, &DeviceEvents::SGL_DeviceInformation, m_connection, &Ui_Uart_Network::SLT_DeviceInformation);
    connect(&events, &DeviceEvents::SGL_PeripheralLines, m_peripheral, &Ui_Peripheral::ShowPeripheralLines);
    connect(&events, &DeviceEvents::SGL_IdentificationSucceeded, m_peripheral, &Ui_Peripheral::RebuildForCounts);
    connect(&events, &DeviceEvents::SGL_RebuildForCounts, m_tvWall, &Ui_TVWall::FillComboBoxes);
    connect(&events, &DeviceEvents::SGL_UpdateContent_TvWall, m_tvWall, &Ui_TVWall::SLT_WallReadFromDevice);
    connect(&events, &DeviceEvents::SGL_MultiPanelReadCompleted, m_tvWall, &Ui_TVWall::FinishMultiPanel);
    connect(&events, &DeviceEvents::SGL_RebuildForCounts, m_matrix, &Ui_Matrix::Rebuild);
    connect(&events, &DeviceEvents::SGL_RefreshMatrix, m_matrix, &Ui_Matrix::RefreshFromDevice);
    connect(&events, &DeviceEvents::SGL_Update_InEdidMode, m_matrix, &Ui_Matrix::SGL_Update_InEdidMode);
    connect(&events, &DeviceEvents::SGL_Update_EdidMessage, m_matrix, &Ui_Matrix::SGL_Update_EdidMessage);
    connect(&events, &DeviceEvents::SGL_Update_OutEdid, m_matrix, &Ui_Matrix::SGL_Update_OutEdid);
    connect(&events, &DeviceEvents::SGL_ModuleConfig, m_system, &Ui_System::ShowModuleConfig);
    connect(&events, &DeviceEvents::SGL_DeviceInformation, m_system, &Ui_System::ShowDeviceInformation);
    connect(&events, &DeviceEvents::SGL_FirmwareVersion, m_system, &Ui_System::ShowFirmwareVersion);
    connect(&events, &DeviceEvents::SGL_ModuleApplyAcknowledged, m_system, &Ui_System::ModuleWriteAcknowledged);
    connect(&events, &DeviceEvents::SGL_ModuleLoadDefault, m_system, &Ui_System::ModuleDefaultsRestored);
    connect(&events, &DeviceEvents::SGL_ModuleAtAnswer, m_system, &Ui_System::ModuleAtAnswered);
    connect(&events, &DeviceEvents::SGL_Update_FrontPanelDispaly, m_system, &Ui_System::SGL_Update_FrontPanelDispaly);
    connect(&events, &DeviceEvents::SGL_Update_SN, m_system, &Ui_System::SGL_Update_SN);
    connect(&events, &DeviceEvents::SGL_Update_DeviceName, m_system, &Ui_System::SGL_Update_DeviceName);
    connect(&events, &DeviceEvents::SGL_RefreshMultiview, m_multiview, &Ui_Multiview::SLT_RefreshMultiview);
    connect(&events, &DeviceEvents::SGL_RefreshMultiviewWindow, m_multiview, &Ui_Multiview::SLT_RefreshMultiviewWindow);
    connect(&events, &DeviceEvents::SGL_IdentificationSucceeded, m_multiview, &Ui_Multiview::NewConnection);
    connect(&events, &DeviceEvents::SGL_RefreshMatrix, m_multiview, &Ui_Multiview::SLT_Refresh_DispalyWindowList);
    connectSignalConfigEvents(events);
}

void Ui_Main::connectSignalConfigEvents(DeviceEvents &events)
{
    Ui_SignalConfig *page = m_signalConfig;
    connect(&events, &DeviceEvents::SGL_RebuildForCounts, page,
            [page] { page->RebuildRows(Device().inputCount, Device().outputCount); });
    connect(&events, &DeviceEvents::SGL_RefreshInput, page, &Ui_SignalConfig::SLT_RefreshInput);
    connect(&events, &DeviceEvents::SGL_RefreshOutput, page, &Ui_SignalConfig::SLT_RefreshOutput);
    connect(&events, &DeviceEvents::SGL_RefreshBinds, page, &Ui_SignalConfig::SLT_RefreshBinds);
    connect(&events, &DeviceEvents::SGL_OutputChanged, page, &Ui_SignalConfig::SLT_OutputChanged);
    connect(&events, &DeviceEvents::SGL_Update_AllBind, page, &Ui_SignalConfig::SGL_Update_AllBind);
    connect(&events, &DeviceEvents::SGL_Update_ReportOn, page, &Ui_SignalConfig::SGL_Update_ReportOn);
    connect(&events, &DeviceEvents::SGL_Update_IR, page, &Ui_SignalConfig::SGL_Update_IR);
    connect(&events, &DeviceEvents::SGL_Update_NAdd1Backup, page, &Ui_SignalConfig::SGL_Update_NAdd1Backup);
    connect(&events, &DeviceEvents::SGL_Update_OutputRotate, page, &Ui_SignalConfig::SGL_Update_OutputRotate);
    connect(&events, &DeviceEvents::SGL_Update_UserResolution, page, &Ui_SignalConfig::SGL_Update_UserResolution);
    connect(&events, &DeviceEvents::SGL_Update_OutputMode, page, &Ui_SignalConfig::SGL_Update_OutputMode);
}

void Ui_Main::connectLocks()
{
    OutputLocks *locks = m_locks;
    GatewayLockClient *client = m_lockClient;
    m_matrix->SetOutputLocks(locks);
    connect(&Events(), &DeviceEvents::SGL_IdentificationSucceeded, this, &Ui_Main::deviceIdentified);
    connect(m_connection, &Ui_Uart_Network::SGL_ConnectStatus, this, [locks, client](bool on) {
        if (on)
            return;
        client->stop();
        locks->setShared(false);
        locks->setDevice(QString());
    });
    connect(client, &GatewayLockClient::gatewayFound, locks, [locks] { locks->setShared(true); });
    connect(client, &GatewayLockClient::gatewayLost, locks, [locks] { locks->setShared(false); });
    connect(client, &GatewayLockClient::locksTold, locks, &OutputLocks::applyShared);
    // Opening another client's lock is the operator's explicit choice: forced.
    connect(locks, &OutputLocks::lockRequested, client, [locks, client](int output, bool locked) {
        client->requestLock(output, locked, !locked && locks->holderOf(output) == OutputLocks::Holder::OtherClient);
    });
}

void Ui_Main::deviceIdentified()
{
    const DeviceState &d = Device();
    const bool tcp = ActiveTransport == TransportTcp;
    const QString host = SP_RemoteIp.trimmed();
    const QString address = tcp ? host + QLatin1Char(':') + SP_RemotePort.trimmed() : SP_Name;
    m_locks->setDevice(OutputLocks::DeviceIdentity(d.model3, d.model4, d.inputCount, d.outputCount, address));
    if (!tcp) {
        m_lockClient->stop();
        return;
    }
    m_lockClient->start(host, quint16(qBound(1, SizeValue(Key_GatewayRouterPort, 9990), 65535)));
}

void Ui_Main::connectLinkIndicator()
{
    LinkIndicator *link = m_linkIndicator;
    link->setDevicePages({m_matrix, m_signalConfig, m_tvWall, m_multiview, m_peripheral});
    connect(m_connection, &Ui_Uart_Network::SGL_ConnectStatus, link, &LinkIndicator::refresh, Qt::QueuedConnection);
    connect(&Events(), &DeviceEvents::SGL_IdentificationSucceeded, link, &LinkIndicator::refresh);
    connect(&Events(), &DeviceEvents::SGL_IdentificationFailed, link, &LinkIndicator::refresh, Qt::QueuedConnection);
    connect(&Events(), &DeviceEvents::SGL_StartFullRead, link, &LinkIndicator::valuesRead);
    connect(&Events(), &DeviceEvents::SGL_RefreshMatrix, link, &LinkIndicator::valuesRead);
    connect(link, &LinkIndicator::SGL_StatusLine, m_connection, &Ui_Uart_Network::AppendStatusLine);
    // Frames as they leave tell the tracker which read or switch is in
    // flight; its summary of unanswered reads goes to the status log.
    connect(this, &Ui_Main::SGL_DEBUG_SHOW_SendText, &Tracker(), &RequestTracker::frameSent);
    connect(&Tracker(), &RequestTracker::SGL_Unanswered, m_connection, &Ui_Uart_Network::AppendStatusLine);
}

void Ui_Main::SLT_GetFocus_tabBar(int index)
{
    if (index < 0)
        return;
    if (QWidget *page = m_tabs->widget(index))
        page->setFocus(Qt::OtherFocusReason);
}

void Ui_Main::SLT_WaitReplyTimeoutMessage(QByteArray sent)
{
    const ReplyTimeoutResult result = HandleReplyTimeout(sent);
    if (result.identificationFailed)
        m_connection->SLT_IdentificationResult(false);
    ShowMessage(this, result.message, MessageKind::Critical);
}

void Ui_Main::SLT_AutoTriggerDisconnect()
{
    m_connection->DropActiveLink();
}

void Ui_Main::SLT_SyncInputSourceName()
{
    m_tvWall->RetranslateUi(true);
}

void Ui_Main::SLT_SETUP_UI_MAIN()
{
    ApplyMainTexts(false);
    SLT_ReloadUILanguage(m_languageSelector->currentText());
    show();
}

void Ui_Main::SLT_ReloadUILanguage(QString text)
{
    SwitchLanguageTo(text);
    ApplyMainTexts(false);
    if (pageShown(Key_UI_Matrix))
        m_matrix->RetranslateUi();
    if (pageShown(Key_UI_SignalConfig))
        m_signalConfig->RetranslateUi();
    if (pageShown(Key_UI_TV_Wall))
        m_tvWall->RetranslateUi(false);
    if (pageShown(Key_UI_System))
        m_system->RetranslateUi();
    if (pageShown(Key_UI_Multiview))
        m_multiview->RetranslateUi();
    if (pageShown(Key_UI_Peripheral))
        m_peripheral->RetranslateUi();
    m_connection->ReadDeviceType();
}

void Ui_Main::SLT_StopSync(bool checked)
{
    // The button toggles, so a second press lets the next connection read
    // the device again.
    Device().stopSync = checked ? 1 : 0;
}

void Ui_Main::SLT_UnifyUpdateRecv()
{
    m_connection->link()->drainDevice();
}

void Ui_Main::SLT_UpdateRecv_NetworkModule()
{
    m_connection->link()->drainModule();
}

void Ui_Main::showAndDispatchFrame(const QByteArray &frame)
{
    // The console shows each frame before the dispatcher acts on it.
    Q_EMIT SGL_DEBUG_SHOW_RecvText(frame);
    DispatchDeviceReply(frame);
}

void Ui_Main::showAndHandleDatagram(const QByteArray &datagram)
{
    Q_EMIT SGL_DEBUG_SHOW_RecvText(datagram);
    HandleModuleReply(datagram);
}

void Ui_Main::SLT_UnifyUpdateSend(QByteArray bytes)
{
    Q_EMIT SGL_DEBUG_SHOW_SendText(bytes);
}

void Ui_Main::SLT_UpdateSelect_MV()
{
    m_multiview->SLT_UpdateSelect_MV();
}

void Ui_Main::closeEvent(QCloseEvent *event)
{
    event->accept();
    QCoreApplication::exit(0);
}

void Ui_Main::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() == Qt::AltModifier && event->key() == Qt::Key_Z && ActiveTransport != TransportNone)
        Q_EMIT SGL_SETUP_UI_DEBUG();
    MyFramelessWindow::keyPressEvent(event);
}

void Ui_Main::resizeEvent(QResizeEvent *event)
{
    MyFramelessWindow::resizeEvent(event);
    event->accept();
    placeCornerWidgets();
}
