#pragma once

#ifdef KXR_HAVE_SIMULATOR

#include "support/ConnectedProgram.h"

#include <QString>
#include <QVector>

#include <functional>

// An operator's day in small: every tab and dialog visited and its main
// action done through the GUI, against the simulator. Each step returns an
// empty text when it did what it should, or says what went wrong. With
// checks off (faults on) the steps only act and wait, so that they can run
// while replies are lost.
class Tour
{
public:
    struct Step
    {
        QString name;
        std::function<QString()> run;
    };

    // A 16 x 16 device with mixed board kinds, two multiview-capable output
    // groups, a TV wall of four unspliced displays and one network module
    // that hears the broadcast search.
    static SimOptions DeviceOptions();
    // The faults of a bad day: a few replies dropped, spoilt or late past
    // their timeout, every one split into random pieces.
    static constexpr int LateMs = 2500; // past the usual 2000 ms and 1000 ms timeouts
    static SimFaultOptions Faults(quint32 seed);
    // The raw bytes the tour sends from the debug console (a read of the
    // audio switch): they await no reply, so losing it reports nothing.
    static QByteArray RawConsoleFrame();
    // The settings the tour needs beside the simulator's address (the
    // peripheral tab shown).
    static QList<QPair<QByteArray, QByteArray>> Settings();

    // checks: each step verifies what it did. fast: a step waits only until
    // the send queue has drained, not for the program to fall quiet (the
    // soak's pace).
    Tour(ConnectedProgram &program, bool checks, bool fast = false);

    // The steps in the order an operator takes them; the module write comes
    // last, because after it the program drops its link.
    QVector<Step> steps();

    // Clicks the link's button: connects when idle, and waits (bounded) for
    // the identification and the full read. Faults are the caller's.
    bool connectAgain();
    // Disconnects when connected, then connects: the final full read.
    bool readEverythingAgain();

private:
    QString matrixSwitch();
    QString matrixAllOutputs();
    QString matrixAudio();
    QString edidRead();
    QString edidWrite();
    QString presetSaveAndRecall();
    QString signalChange();
    QString moreSwitch();
    QString splice();
    QString multiviewMove();
    QString ioWrite();
    QString groupSend();
    QString adminRead();
    QString debugConsoleSend();
    QString moduleReadAndWrite();

    void showTab(QWidget *page);
    // Waits until the program is quiet; with checks on, false is a failure.
    bool settle();
    QString expect(bool condition, const QString &what) const;

    ConnectedProgram &m_program;
    bool m_checks;
    bool m_fast;
};

#endif
