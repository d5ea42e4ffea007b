#pragma once

#ifdef KXR_HAVE_SIMULATOR

#include "support/ServiceRig.h"
#include "support/SimHarness.h"

#include <QObject>

#include <memory>

// The pacing every transport service must show against the simulator: one
// command in flight, the 50 ms gap, release by the matching reply, timeouts
// without retry, late and unsolicited frames, pauses. A transport's test
// class derives from it, supplies its rig and adds its own cases; QtTest
// runs the inherited cases too.
class ServicePacingTests : public QObject
{
    Q_OBJECT

protected:
    virtual ServiceRig *createRig(SimHarness &sim) = 0;
    virtual SimOptions simOptions() const;

    // Called first by init(), so that a transport can reset its own set-up
    // of the case.
    virtual void prepareCase() { }

    SimHarness &sim() { return *m_sim; }
    ServiceRig &rig() { return *m_rig; }
    // A case that needs another simulator or rig set-up: both go and come
    // back with these options.
    bool restart(const SimOptions &options);

private slots:
    void init();
    void cleanup();

    void oneCommandInFlight_spacedByTheGap();
    void matchingReply_releasesTheNextAtOnce();
    void queueLockedAtTheTrigger_isSentOnceFree();
    void unsolicitedFrame_isDeliveredButReleasesNothing();
    void timeout_movesOnWithoutRetry_reportsOnlyWhenAsked();
    void lateReply_isDeliveredButSendsNothing();
    void pauseCommand_waitsItsPauseOnly_data();
    void pauseCommand_waitsItsPauseOnly();

private:
    bool startRig(const SimOptions &options);
    void stopRig();

    std::unique_ptr<SimHarness> m_sim;
    std::unique_ptr<ServiceRig> m_rig;
};

#endif
