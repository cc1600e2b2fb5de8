// Field definitions, page counting and page numbers.
#include "print/Fields.h"

#include "core/ui/MessageService.h"
#include "print/ErrorLog.h"
#include "print/PageBangoFormat.h"
#include "print/PgwFile.h"
#include "print/PgwFormat.h"

#include <QFileInfo>

#include <algorithm>

namespace print {

TFieldTables MainFields;
TFieldTables SubFormFields;
bool SubFormFieldsActive = false;
int PageTotal = 1;
int ShownPage = 1;
int NumberingPage = 1;
QStringList PageNumberList;
int NumberedPageTotal = 0;

namespace {

QString upperAscii(const QString& text) {
    return RecordKind(text + u';');
}

TDataField readField(const TPgwRecord& r, int dx, int dy, const TPGWDEF& def, bool withOnce) {
    TDataField f;
    f.X = r.Number(0) + dx;
    f.Y = r.Number(1) + dy;
    f.Name = upperAscii(r.Text(2));
    f.FontName = r.Text(3).isEmpty() ? QStringLiteral("ＭＳ 明朝") : r.Text(3);
    f.Size = r.Number(4);
    if (f.Size == 0)
        f.Size = 12;
    f.Style = upperAscii(r.Text(5));
    f.Colour = ResolveColour(r.Text(6), def);
    f.Background = ResolveBackground(r.Text(7), def);
    f.Alignment = ParseAlignment(r.Text(8));
    f.Width = r.Number(9);
    if (withOnce) {
        f.Once = r.Number(10);
        f.Centring = r.Number(11);
    } else {
        f.Centring = r.Number(10);
    }
    return f;
}

} // namespace

void HensuuYomikomi(const QString& formFile, int dx, int dy, TFieldTables& tables) {
    tables = TFieldTables{};
    TPgwFile file;
    if (formFile.isEmpty() || !file.Open(formFile))
        return;
    try {
        while (!file.AtEnd()) {
            QString line = file.ReadLine();
            if (!line.endsWith(u';'))
                line += QStringLiteral(";0;");
            line.remove(u'"');
            const TPgwRecord r(line);
            if (r.Kind == u"E") {
                if (++tables.FieldSetCount >= kFieldSets)
                    break;
                continue;
            }
            TFieldSet& set = tables.Sets[size_t(tables.FieldSetCount)];
            if (r.Kind == u"&" && set.Used < kMaxFieldsPerSet) {
                const TDataField f = readField(r, dx, dy, PgwDef, true);
                if (f.Name == u"0" || f.Name == u"行間")
                    set.Slots[0] = f;
                else
                    set.Slots[size_t(++set.Used)] = f;
            } else if (r.Kind == u"$" && int(set.Totals.size()) < kMaxFieldsPerSet) {
                const TDataField f = readField(r, dx, dy, PgwDef, false);
                auto it = std::find_if(set.Totals.begin(), set.Totals.end(),
                                       [&](const TTotalField& t) { return t.Name == f.Name; });
                if (it == set.Totals.end()) {
                    set.Totals.push_back({f.Name, f.X, f.Y, false});
                } else {
                    it->Matched = true;
                    if (set.TotalStyles.size() < 10)
                        set.TotalStyles.push_back(f);
                }
            }
        }
    } catch (const std::exception& e) {
        WritePrintErrorLog(QStringLiteral("%1:%2").arg(QStringLiteral("ImageOut.HensuuYomikomi"), QString::fromUtf8(e.what())));
        throw;
    }
}

int FindField(const TFieldTables& tables, int set, const QString& name) {
    if (set < 0 || set >= kFieldSets)
        return 0;
    const QString upper = upperAscii(name);
    const TFieldSet& s = tables.Sets[size_t(set)];
    for (int i = 1; i <= s.Used; ++i)
        if (s.Slots[size_t(i)].Name == upper)
            return i;
    return 0;
}

TFieldFill FillField(int set, const QString& name, int paperHeightMm) {
    const bool sub = SubFormFieldsActive && FindField(SubFormFields, 0, name) != 0;
    TFieldTables& tables = sub ? SubFormFields : MainFields;
    const int s = sub ? 0 : set;
    TFieldFill fill;
    const int slot = FindField(tables, s, name);
    if (slot == 0)
        return fill;
    TFieldSet& fs = tables.Sets[size_t(s)];
    TDataField& f = fs.Slots[size_t(slot)];
    if (f.Name.isEmpty() || (f.Once == 1 && f.Fills > 0))
        return fill;
    fill.Blank = false;
    fill.Field = f;
    const int pitch = fs.Slots[0].Width;
    if (pitch > 0) {
        fill.Field.Y = qMin(f.Y + f.Fills * pitch, (paperHeightMm - 10) * 10);
    }
    ++f.Fills;
    return fill;
}

void ResetFieldFills(int set) {
    for (TFieldTables* t : {&MainFields, &SubFormFields}) {
        if (set < 0 || set >= kFieldSets)
            continue;
        for (TDataField& f : t->Sets[size_t(set)].Slots)
            f.Fills = 0;
    }
}

int FieldSetOfPage(int page) {
    return (page - 1) % (MainFields.FieldSetCount + 1);
}

int CountPages(const QString& path, bool numbering) {
    TPgwFile file;
    const bool opened = file.Open(path);
    const bool build = numbering && PgwDef.PageNoSettings.Switch;
    if (numbering) {
        PageNumberList.clear();
        NumberedPageTotal = 0;
    }
    if (!opened)
        return 1;
    int pages = 1;
    QStringList gathered;
    auto closePage = [&] {
        const bool unnumbered = gathered.isEmpty() ||
                                (gathered.size() == 1 && (gathered.first().contains(QStringLiteral("ORIENTATION")) ||
                                                          gathered.first().contains(QStringLiteral("LINE"))));
        PageNumberList << (unnumbered ? QStringLiteral("0") : QString::number(++NumberedPageTotal));
        gathered.clear();
    };
    while (!file.AtEnd()) {
        const QString line = file.ReadLine();
        if (IsPageEndLine(line)) {
            ++pages;
            if (build)
                closePage();
        } else if (build && !line.startsWith(u'*')) {
            gathered << line;
        }
    }
    if (build)
        closePage();
    return pages;
}

void CountDocumentPages() {
    const int f = CountPages(PgwDef.FormFile, false);
    const int d = CountPages(PgwDef.DataFile, true);
    if (f < d)
        PageTotal = d % f == 0 ? d : (d / f + 1) * f;
    else
        PageTotal = f;
    ShownPage = 1;
}

QList<int> PageOrientations(const QString& dataFile, int defaultOrientation) {
    QList<int> list;
    TPgwFile file;
    if (!file.Open(dataFile))
        return list;
    int current = defaultOrientation;
    while (!file.AtEnd()) {
        const QString line = file.ReadLine();
        if (line.startsWith(u'*'))
            continue;
        if (IsPageEndLine(line)) {
            list << current;
            current = defaultOrientation;
            continue;
        }
        const TPgwRecord r(NormalizeRecordLine(line));
        if (r.Kind == u"ORIENTATION")
            current = r.Number(0, defaultOrientation);
    }
    list << current;
    return list;
}

bool OpenPrintFile(const QString& path, TPgwFile& file) {
    if (path.isEmpty())
        return false;
    if (!QFileInfo::exists(path)) {
        core::showMessage(core::MessageKind::Error,
                          QStringLiteral("<%1> が見つかりません。").arg(QFileInfo(path).absoluteFilePath()));
        return false;
    }
    return file.Open(path);
}

QString PageNumberLine() {
    const TPAGEBANGO& p = PgwDef.PageNoSettings;
    if (!p.Switch || (p.PlaceholderCount != 1 && p.PlaceholderCount != 2))
        return QString();
    const int index = NumberingPage - 1;
    const QString entry = index >= 0 && index < PageNumberList.size() ? PageNumberList.at(index) : QStringLiteral("0");
    if (entry == u"0")
        return QStringLiteral("*");
    const int number = entry.toInt();
    const auto text = p.PlaceholderCount == 1 ? FormatPageNumber(p.Format, {number})
                                              : FormatPageNumber(p.Format, {number, NumberedPageTotal});
    return QStringLiteral("TEXT;%1;%2;%3;%4;%5;%6;%7;%8;%9;0;0;%10")
        .arg(p.Left)
        .arg(p.Top)
        .arg(text.value_or(QString()), p.FontName)
        .arg(p.FontSize)
        .arg(QString(), QStringLiteral("黒"), QStringLiteral("OFF"))
        .arg(p.Alignment)
        .arg(QStringLiteral("*AUTO*"));
}

} // namespace print
