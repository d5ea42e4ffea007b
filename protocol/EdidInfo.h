#pragma once

#include <QString>
#include <QStringList>
#include <QList>
#include <QtGlobal>

// What an EDID says, as the decoder (EdidDecoder.h) reads it: plain data,
// filled once and read by the EDID dialog, the compatibility check and
// kxrctl. A field the EDID does not carry keeps its zero value; the
// "present" flags tell an absent block from one that says zero.

// A video format in the normalized form that formats are compared in:
// active width and height of the frame (an interlaced format counts both
// fields, 1920x1080 for 1080i), the rate in whole hertz (fields per second
// when interlaced; 59.94 reads as 60) and the scan.
struct EdidVideoFormat
{
    quint16 width = 0;
    quint16 height = 0;
    quint16 rateHz = 0;
    bool interlaced = false;
};

// Where a format of the "announced" list comes from.
enum class EdidFormatSource { Established, Standard, Detailed, Vic };

struct EdidAnnouncedFormat
{
    EdidVideoFormat format;
    EdidFormatSource source = EdidFormatSource::Detailed;
};

enum class EdidSeverity { Error, Warning };

// One finding of the checks. block: 0 for the base block, 1… for the
// extensions, -1 for the EDID as a whole.
struct EdidMessage
{
    EdidSeverity severity = EdidSeverity::Error;
    int block = -1;
    QString text;
};

enum class EdidSync { Analog, DigitalComposite, DigitalSeparate };

// A detailed timing descriptor (18 bytes), in the base block or a CTA block.
struct EdidDetailedTiming
{
    quint32 pixelClockKHz = 0;
    quint16 hActive = 0;
    quint16 hBlank = 0;
    quint16 hSyncOffset = 0;
    quint16 hSyncWidth = 0;
    quint16 vActive = 0; // lines of one field when interlaced
    quint16 vBlank = 0;
    quint16 vSyncOffset = 0;
    quint16 vSyncWidth = 0;
    quint16 hSizeMm = 0;
    quint16 vSizeMm = 0;
    quint8 hBorder = 0;
    quint8 vBorder = 0;
    bool interlaced = false;
    EdidSync sync = EdidSync::DigitalSeparate;
    bool hSyncPositive = false; // digital separate sync only
    bool vSyncPositive = false;
    double refreshHz = 0;   // fields per second when interlaced
    EdidVideoFormat format; // the normalized form of the above
};

// Display range limits descriptor (tag 0xFD).
struct EdidRangeLimits
{
    bool present = false;
    quint16 minVRateHz = 0;
    quint16 maxVRateHz = 0;
    quint16 minHRateKHz = 0;
    quint16 maxHRateKHz = 0;
    quint16 maxPixelClockMHz = 0; // 0 when the byte says "not given"
    quint8 timingSupport = 0;     // byte 10: 0 default GTF, 1 range only, 2 secondary GTF, 4 CVT
};

// Base block (EDID 1.x, 128 bytes).
struct EdidBaseBlock
{
    QString manufacturer; // three-letter PNP id, "DEL"
    quint16 productCode = 0;
    quint32 serialNumber = 0;
    quint8 week = 0;  // 0: not given; 0xFF: the year is a model year
    quint16 year = 0; // 1990 + byte 17
    bool modelYear = false;
    quint8 version = 0;
    quint8 revision = 0;
    bool digital = false;
    quint8 bitsPerColour = 0;    // 1.4 digital only; 0 undefined
    quint8 digitalInterface = 0; // 1.4 digital: 1 DVI, 2 HDMI-a, 3 HDMI-b, 4 MDDI, 5 DisplayPort
    quint8 widthCm = 0;
    quint8 heightCm = 0;
    double gamma = 0;    // 0: not given
    quint8 features = 0; // byte 24 as it stands
    bool preferredTimingIsNative = false;
    bool continuousFrequency = false;
    QString monitorName;     // descriptor 0xFC
    QString serialText;      // descriptor 0xFF
    QStringList dataStrings; // descriptors 0xFE
    EdidRangeLimits rangeLimits;
    QList<EdidVideoFormat> establishedTimings; // bytes 35-37, in bit order
    QList<EdidVideoFormat> standardTimings;    // bytes 38-53, unused slots left out
    QList<EdidDetailedTiming> detailedTimings; // in order; the first is the preferred one
    quint8 extensionCount = 0;
};

// Audio short descriptor of a CTA audio data block.
struct EdidAudioFormat
{
    quint8 formatCode = 0;   // 1 LPCM, 2 AC-3, … 15 extended
    quint8 extendedCode = 0; // when formatCode is 15
    QString name;            // "LPCM", "AC-3", …
    quint8 channels = 0;
    quint8 sampleRates = 0;     // bit 0 32 kHz, 1 44.1, 2 48, 3 88.2, 4 96, 5 176.4, 6 192
    quint8 bitDepths = 0;       // LPCM: bit 0 16, 1 20, 2 24
    quint16 maxBitrateKbps = 0; // formats 2-8
};

// A short video descriptor of a CTA video data block.
struct EdidVic
{
    quint8 vic = 0;
    bool native = false;
    bool known = false; // false: a code the table does not hold
    EdidVideoFormat format;
};

// HDMI Licensing vendor-specific data block (IEEE OUI 00-0C-03).
struct EdidHdmiVsdb
{
    bool present = false;
    quint16 physicalAddress = 0; // a.b.c.d as 0xabcd
    bool supportsAi = false;
    bool deepColour48 = false;
    bool deepColour36 = false;
    bool deepColour30 = false;
    bool deepColourY444 = false;
    bool dviDual = false;
    quint16 maxTmdsMHz = 0; // 0 when the block does not say
};

// HDMI Forum vendor-specific data block (IEEE OUI C4-5D-D8).
struct EdidHdmiForumVsdb
{
    bool present = false;
    quint8 version = 0;
    quint16 maxTmdsCharacterRateMHz = 0; // 0: not above 340 MHz
    bool scdcPresent = false;
    bool deepColour420_48 = false;
    bool deepColour420_36 = false;
    bool deepColour420_30 = false;
};

// HDR static metadata data block (extended tag 6).
struct EdidHdrStatic
{
    bool present = false;
    quint8 eotfs = 0; // bit 0 SDR, 1 HDR, 2 SMPTE ST 2084, 3 HLG
    quint8 metadataTypes = 0;
    quint8 maxLuminance = 0; // the coded values, 0 when absent
    quint8 maxFrameAverage = 0;
    quint8 minLuminance = 0;
};

// A CTA-861 extension block.
struct EdidCtaBlock
{
    int block = 0; // index of the block in the EDID (1…)
    quint8 revision = 0;
    bool underscan = false;
    bool basicAudio = false;
    bool ycbcr444 = false;
    bool ycbcr422 = false;
    quint8 nativeDetailedCount = 0;
    QList<EdidVic> vics;
    QList<EdidAudioFormat> audio;
    bool speakerAllocationPresent = false;
    quint32 speakerAllocation = 0; // the three payload bytes, first byte lowest
    QStringList speakers;          // "FL/FR", "LFE", …
    EdidHdmiVsdb hdmi;
    EdidHdmiForumVsdb hdmiForum;
    EdidHdrStatic hdr;
    QList<EdidDetailedTiming> detailedTimings;
};

// The whole EDID.
struct EdidInfo
{
    int size = 0; // bytes given to the decoder
    bool headerValid = false;
    QList<bool> checksumValid; // per 128-byte block present in the bytes
    EdidBaseBlock base;
    QList<EdidCtaBlock> cta;
    QList<quint8> extensionTags; // tag of each extension block present
    // Every video format announced anywhere (established, standard,
    // detailed, VICs), in that order, without repeats.
    QList<EdidAnnouncedFormat> formats;
    QList<EdidMessage> messages; // errors first, in the order found
};

// "1080p60", "1080i60", "1280x1024p75": the height alone when the width is
// the 16:9 width of that height, else width x height.
QString EdidFormatName(const EdidVideoFormat &format);
bool operator==(const EdidVideoFormat &a, const EdidVideoFormat &b);
bool operator!=(const EdidVideoFormat &a, const EdidVideoFormat &b);

// True when the checks found no error (warnings allowed).
bool EdidIsValid(const EdidInfo &info);
int EdidErrorCount(const EdidInfo &info);
