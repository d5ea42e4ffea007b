#pragma once

#include "support/MessageRecorder.h"
#include "support/TestSupport.h"

#include <memory>

class Ui_Main;

// A main window over a scratch application directory, with every message
// box caught. The transport threads are stopped and the services deleted
// when it goes, so each test starts from fresh services.
class MainWindowFixture
{
public:
    // Writes the given config.ini (with the built-in English file beside
    // it), or nothing for a first start, then runs the start-up settings
    // step and builds the window, as the program does.
    explicit MainWindowFixture(const QByteArray &configIni = QByteArray(), bool copyResources = true);
    ~MainWindowFixture();

    Ui_Main *window() const { return m_window.get(); }
    ScratchAppDir &dir() { return m_dir; }
    MessageRecorder &messages() { return m_messages; }

    // config.ini text with some keys changed.
    static QByteArray configWith(const QList<QPair<QByteArray, QByteArray>> &values);

private:
    ScratchAppDir m_dir;
    MessageRecorder m_messages;
    std::unique_ptr<Ui_Main> m_window;
};
