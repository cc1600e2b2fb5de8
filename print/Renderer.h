#pragma once
// Draws one page of a print-data file, a form file or a sub-form on any QPainter device: the
// preview's paint box, the printer's page, or an image. Coordinates of the records are 0.1 mm;
// Fx, Fy are device units per 0.1 mm at zoom 10.

#include <QString>

class QPainter;

namespace print {

class TPgwFile;

struct TRenderCall {
    QString Kind;          // "DAT", "FOM" or "SUBFORM"
    int X0 = 0;            // origin in device units
    int Y0 = 0;
    int FieldSet = 0;
    bool EvenPage = false;
    int Zoom = 10;
    double Fx = 1;
    double Fy = 1;
    int Resolution = 254;  // device units per inch, for font heights
    bool PrinterCanvas = false;
};

// Draws the page at the file's position; 0 when the page ended with "E", 1 when the file ended
// first. A failure is logged ("ImageOut.(kind):message") and ends the page.
int RenderPage(TPgwFile& file, QPainter& painter, const TRenderCall& call);

} // namespace print
