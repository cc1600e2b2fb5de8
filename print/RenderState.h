#pragma once
// The renderer's library-wide state: the offsets of the printable area, the paper-scale ratios
// and the page's message text. One page is drawn at a time.

#include <QSizeF>
#include <QString>
#include <QtGlobal>

namespace print {

extern qint32 LeftOffset;  // 0.1 mm
extern qint32 TopOffset;
extern qint32 EvenOffset;
extern double PaperRatioV; // per mille; 0 none
extern double PaperRatioH;
extern QString PageMessageText;
// Set once a paper number outside the known table has been met.
extern bool UnknownPaperMet;

// The ratios for the printer's paper and the document's paper (PgwDef).
void SetPaperRatios(int printerPaper);
// Width and height in mm of a paper number; unknown numbers give the printable size + 20 mm
// (printable size in mm) and mark the paper unknown.
QSizeF PaperSizeMm(int paper, const QSizeF& printableMm);

} // namespace print
