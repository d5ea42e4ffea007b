#pragma once

#include <QString>
#include <QtGlobal>

class DispatchFrame;

// The per-code handlers of the device reply dispatcher. Each one checks that
// the frame holds every byte it reads.
namespace Dispatch {

void Routing(const DispatchFrame &f);
void Peripheral(const DispatchFrame &f);
void FrontPanelText(const DispatchFrame &f);
void InputBind(const DispatchFrame &f);
void NameSerial(const DispatchFrame &f);
void FeatureSwitch(const DispatchFrame &f);
void LRInput(const DispatchFrame &f);
void Error(const DispatchFrame &f);

void DeviceType(const DispatchFrame &f);
void FirmwareVersion(const DispatchFrame &f);
void DeviceInfo(const DispatchFrame &f);
void ModuleAt(const DispatchFrame &f);

void SignalInfo(const DispatchFrame &f);
void OutputMode(const DispatchFrame &f);
void AllOutputModes(const DispatchFrame &f);
void OutputResolution(const DispatchFrame &f);
void SignalType(const DispatchFrame &f);
void SignalFormat(const DispatchFrame &f);
void Rotate(const DispatchFrame &f);
void InputEdidMode(const DispatchFrame &f);

void TvWall(const DispatchFrame &f);
void Multiview(const DispatchFrame &f);
void MultiviewWindowAck(const DispatchFrame &f);
void MultiviewAudio(const DispatchFrame &f);

void Edid(const DispatchFrame &f);

// Status lines of the connection page's log.
void StatusItem(const QString &item);                                             // "%1 %2 %3."
void StatusChannel(const QString &item, const QString &channel);                  // "%1 %2-%3 %4."
void StatusFeature(const QString &item, quint32 channel, const QString &feature); // "%1 %2-%3 <%4>%5."

// Latin-1 text of the bytes up to the first NUL.
QString TextUpToNul(const QByteArray &bytes);

} // namespace Dispatch
