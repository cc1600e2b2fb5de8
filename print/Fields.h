#pragma once
// Named fields of form files ("&" definitions filled by "@" records), total fields ("$"), the
// page structure the preview and printing share, and the automatic page numbers.

#include "print/PgwDef.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <vector>

namespace print {

class TPgwFile;

struct TDataField {
    qint32 Fills = 0;
    QString Name;
    qint32 X = 0;
    qint32 Y = 0;
    QString FontName = QStringLiteral("ＭＳ 明朝");
    qint32 Size = 10;
    QString Style;
    qint32 Colour = 0;
    qint32 Background = 0;
    qint32 Alignment = 0;
    qint32 Width = 0;
    qint32 Once = 0;
    qint32 Centring = 0;
};

struct TTotalField {
    QString Name;
    qint32 X = 0;
    qint32 Y = 0;
    bool Matched = false;
};

inline constexpr int kFieldSets = 5;
inline constexpr int kFieldSlots = 202; // slot 0 the pitch, fields from slot 1
inline constexpr int kMaxFieldsPerSet = 200;

// One form page's definitions.
struct TFieldSet {
    std::array<TDataField, kFieldSlots> Slots{};
    int Used = 0; // fields in slots 1..Used
    std::vector<TTotalField> Totals;
    std::vector<TDataField> TotalStyles; // at most 10
};

struct TFieldTables {
    std::array<TFieldSet, kFieldSets> Sets{};
    int FieldSetCount = 0; // page ends met while reading (0 to 5)
};

// The main form's fields, and while a sub-form with definitions is drawn, the sub-form's fields
// for the rest of that page.
extern TFieldTables MainFields;
extern TFieldTables SubFormFields;
extern bool SubFormFieldsActive;
inline int& FieldSetCount = MainFields.FieldSetCount;

// Page state shared by the preview, printing and the renderer.
extern int PageTotal;
extern int ShownPage;
extern int NumberingPage;
extern QStringList PageNumberList;
extern int NumberedPageTotal;

// Reads the definitions of a form file into the tables, x and y shifted by dx, dy.
void HensuuYomikomi(const QString& formFile, int dx, int dy, TFieldTables& tables = MainFields);

// The slot (from 1) of the upper-cased name among every defined field of the set; 0 when none.
int FindField(const TFieldTables& tables, int set, const QString& name);

// A field filled by an "@" record: where and how its text goes.
struct TFieldFill {
    bool Blank = true; // nothing to draw
    TDataField Field;  // position already moved down by the pitch
};
// Finds the field of the set (the sub-form's first while it is active), moves it down by the
// set's pitch for each earlier fill on this page (capped 10 mm above the paper's bottom edge)
// and counts the fill.
TFieldFill FillField(int set, const QString& name, int paperHeightMm);
// Resets the fills of every slot of the set at the start of a page.
void ResetFieldFills(int set);
// The field set of a data page.
int FieldSetOfPage(int page);

// The page count of a file; with numbering, rebuilds PageNumberList and NumberedPageTotal.
int CountPages(const QString& file, bool numbering);
// PageTotal from the form and data files of PgwDef; ShownPage := 1.
void CountDocumentPages();
// The orientation of every page of the data file (one entry per page end and one after).
QList<int> PageOrientations(const QString& dataFile, int defaultOrientation);
// Opens the file for reading; a non-empty name that does not exist shows a message.
bool OpenPrintFile(const QString& path, TPgwFile& file);

// The page-number line of data page NumberingPage ("*" when the page gets no number), or
// empty when page numbers are off.
QString PageNumberLine();

} // namespace print
