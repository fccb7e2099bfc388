#pragma once

#include "c64/CbmFile.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

namespace demotest {

// The first channel of a 16-bit PCM WAV file sidplayfp made of the tune, `seconds` long; empty, with the reason
// in *why, when sidplayfp failed or wrote no such file.
struct Recording
{
    QList<qint16> samples;
    int sampleRate = 0;
};
Recording playWithSidplayfp(const QString& sidPath, int seconds, QString* why);

int peakLevel(const QList<qint16>& samples);

// Sign changes of each window of windowSize samples: a measure of the pitch sounding in it.
QList<int> zeroCrossings(const QList<qint16>& samples, int windowSize);

// How many clearly different pitches the windows show (crossing counts more than 10% apart from each other).
int distinctPitches(const QList<int>& crossings);

// The native files cbmconvert writes for Commodore files: lower-case name plus ".prg", ".seq", ".usr" or ".del".
QMap<QString, QByteArray> asNativeFiles(const c64::CbmFileList& files);

} // namespace demotest
