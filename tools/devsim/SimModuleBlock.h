#pragma once

#include "tools/devsim/SimModuleLayout.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The factory block of module number index (each module a MAC and an
// address of its own); the device listens on tcpPort.
QByteArray MakeModuleBlock(int index, quint16 tcpPort, const quint8 (&firstIp)[4]);
QByteArray ModuleBlockMac(const QByteArray &block);
// "a.b.c.d" of an address field (stored last octet first).
QString ModuleBlockAddress(const QByteArray &block, int offset);
// Stores a dotted address last octet first; false when it does not parse.
bool SetModuleBlockAddress(QByteArray &block, int offset, const QString &address);
QByteArray ModuleBlockName(const QByteArray &block);
bool ModuleBlockStatic(const QByteArray &block);
void SetModuleBlockStatic(QByteArray &block, bool isStatic);
// The login name and password the module expects (6 bytes each, NUL-padded).
void SetModuleBlockCredentials(QByteArray &block, const QByteArray &user, const QByteArray &password);
QByteArray ModuleBlockUser(const QByteArray &block);
QByteArray ModuleBlockPassword(const QByteArray &block);

// The search answer of a module with this block and firmware version.
QByteArray MakeModuleSearchRecord(const QByteArray &block, quint16 version);
