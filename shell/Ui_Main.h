#pragma once

#include "chrome/MyFramelessWindow.h"

#include <QByteArray>
#include <QRect>
#include <QString>

class DeviceEvents;
class GatewayLockClient;
class LinkIndicator;
class MyUiLayout;
class OutputLocks;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QTabWidget;
class Ui_Debug;
class Ui_Matrix;
class Ui_Multiview;
class Ui_Peripheral;
class Ui_SignalConfig;
class Ui_System;
class Ui_TVWall;
class Ui_Uart_Network;

// The program's main window: a tab widget holding the pages, with the
// language selector and the "Stop Sync" button in its top-right corner. It
// owns every page and the debug console, relays every page's send request to
// the three transport services, and feeds received frames to the debug
// console and the reply dispatcher.
class Ui_Main : public MyFramelessWindow
{
    Q_OBJECT

public:
    explicit Ui_Main(QWidget *parent = nullptr);
    ~Ui_Main() override;

    // Builds (init) or refreshes the tab set, the title and the captions.
    void ApplyMainTexts(bool init);

    // The window's size and position on a screen of the given size: 29/40
    // by 16/20 of the screen capped at 1920 by 1080, centred in that area.
    static QRect InitialGeometry(const QSize &screenSize);

    QTabWidget *tabWidget() const { return m_tabs; }
    QComboBox *languageSelector() const { return m_languageSelector; }
    QPushButton *stopSyncButton() const { return m_stopSyncButton; }
    Ui_Uart_Network *connectionPage() const { return m_connection; }
    Ui_Matrix *matrixPage() const { return m_matrix; }
    Ui_SignalConfig *signalConfigPage() const { return m_signalConfig; }
    Ui_TVWall *tvWallPage() const { return m_tvWall; }
    Ui_System *systemPage() const { return m_system; }
    Ui_Multiview *multiviewPage() const { return m_multiview; }
    Ui_Peripheral *peripheralPage() const { return m_peripheral; }
    Ui_Debug *debugConsole() const { return m_debug; }
    QLabel *linkStatusLine() const { return m_linkStatus; }
    LinkIndicator *linkIndicator() const { return m_linkIndicator; }
    OutputLocks *outputLocks() const { return m_locks; }
    GatewayLockClient *gatewayLockClient() const { return m_lockClient; }

Q_SIGNALS:
    void SGL_SETUP_UI_DEBUG();
    void SGL_CLOSE_UI_DEBUG();
    void SGL_DEBUG_SHOW_RecvText(QByteArray bytes);
    void SGL_DEBUG_SHOW_SendText(QByteArray bytes);
    void SGL_UnifyUpdateEmit();

public Q_SLOTS:
    void SLT_GetFocus_tabBar(int index);
    void SLT_WaitReplyTimeoutMessage(QByteArray sent);
    void SLT_AutoTriggerDisconnect();
    void SLT_SyncInputSourceName();
    void SLT_SETUP_UI_MAIN();
    void SLT_ReloadUILanguage(QString text);
    void SLT_StopSync(bool checked);
    void SLT_UnifyUpdateRecv();
    void SLT_UpdateRecv_NetworkModule();
    void SLT_UnifyUpdateSend(QByteArray bytes);
    void SLT_UpdateSelect_MV();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeCornerWidgets();
    void connectPages();
    void connectLink();
    void showAndDispatchFrame(const QByteArray &frame);
    void showAndHandleDatagram(const QByteArray &datagram);
    void connectDeviceEvents();
    void connectSignalConfigEvents(DeviceEvents &events);
    void connectLinkIndicator();
    void connectLocks();
    // The device's locks are its own: remembered ones on a plain device,
    // the gateway's when one answers on the TCP link's host.
    void deviceIdentified();

    QWidget *m_content;
    QTabWidget *m_tabs;
    QGridLayout *m_contentLayout;
    QComboBox *m_languageSelector;
    QPushButton *m_stopSyncButton;
    MyUiLayout *m_layout;
    Ui_Uart_Network *m_connection;
    Ui_Matrix *m_matrix;
    Ui_SignalConfig *m_signalConfig;
    Ui_TVWall *m_tvWall;
    Ui_System *m_system;
    Ui_Multiview *m_multiview;
    Ui_Peripheral *m_peripheral;
    Ui_Debug *m_debug;
    QLabel *m_linkStatus;
    LinkIndicator *m_linkIndicator;
    OutputLocks *m_locks;
    GatewayLockClient *m_lockClient;
};
