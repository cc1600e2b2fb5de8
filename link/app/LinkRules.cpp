#include "link/app/LinkRules.h"

#include "core/dates/Periods.h"
#include "core/text/DelphiDateFormat.h"
#include "link/export/MojiBunkatu.h"

#include <QDir>

#include <array>
#include <optional>

namespace taxlink {

namespace {

constexpr int kLastSlot = 15;       // the slot that closes the year
constexpr int kHalfYearSlot = 7;    // the slot that closes the first half-year

// A whole decimal number of the text, nothing else (blanks around it are allowed).
std::optional<qint64> strictInt64(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

std::optional<quint32> strictUInt32(const QString& text)
{
    bool ok = false;
    const quint32 value = text.trimmed().toUInt(&ok, 10);
    return ok ? std::optional<quint32>(value) : std::nullopt;
}

// The number of a version part; a part that is not a number counts 0.
int versionPart(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

// "p1[.p2[.p3]]" as the integer of "%.2d%.2d%.2d"; any other number of parts gives 0.
qint64 versionKey(const QString& version)
{
    taxreturn::TMojiBunkatu parts;
    parts.Delimiter = u'.';
    parts.Split(version);
    std::array<int, 3> numbers{0, 0, 0};
    if (parts.Count >= 1 && parts.Count <= 3)
        for (int i = 0; i < parts.Count; ++i)
            numbers[size_t(i)] = versionPart(parts.GetItem(i));
    const QString key = QString::asprintf("%.2d%.2d%.2d", numbers[0], numbers[1], numbers[2]);
    bool ok = false;
    const qint64 value = key.toLongLong(&ok, 10);
    return ok ? value : 0;
}

// The file name part of a path: what follows its last "/".
QString fileNamePart(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// Native paths only: a name beginning with ":" is a file name here, not a Qt resource.
bool isAbsolute(const QString& path)
{
    return path.startsWith(u'/');
}

} // namespace

TCallerArgument ParseCallerArgument(const QString& argument)
{
    // Only the first three commas separate: the output path may hold commas of its own.
    QStringList fields = argument.split(u',');
    while (fields.size() < 4)
        fields.append(QString());
    TCallerArgument result;
    const std::optional<qint64> wnd = strictInt64(fields.at(0));
    const std::optional<quint32> msg = strictUInt32(fields.at(1));
    const std::optional<quint32> param = strictUInt32(fields.at(2));
    result.Wnd = wnd.value_or(0);
    result.Msg = msg.value_or(0);
    result.Param = param.value_or(0);
    result.Path = fields.mid(3).join(u',');
    result.MsgValid = wnd && msg;
    result.Valid = wnd && msg && param;
    return result;
}

bool CompareVersion(const QString& a, const QString& b)
{
    const qint64 keyA = versionKey(a);
    return keyA > 0 && keyA >= versionKey(b);
}

TPeriodSelection ApplyPeriodRules(int defaultFirst, int kaisiNo, int first, int last)
{
    TPeriodSelection selection{defaultFirst, last, false};
    if (kaisiNo == 1) {
        selection.Last = last <= kHalfYearSlot ? kHalfYearSlot : kLastSlot;
    } else if (kaisiNo >= 2) {
        // A data set that starts in the middle of the year is always calculated for the whole year.
        selection.Last = kLastSlot;
        selection.MidYearNotice = first != defaultFirst || last != kLastSlot;
    }
    return selection;
}

int SlotMonthNo(int slot)
{
    static constexpr std::array<int, 16> months{1, 2, 3, 3, 4, 5, 6, 6, 7, 8, 9, 9, 10, 11, 12, 12};
    return slot >= 0 && slot < int(months.size()) ? months[size_t(slot)] : 0;
}

QDate PeriodDate(const QString& which, const QDate& periodStart, int closingDay, int first, int last,
                 int lastSelectable)
{
    int slot = 0;
    if (which == QLatin1String("START")) {
        slot = first;
    } else if (which == QLatin1String("END")) {
        // A short year's last selectable slot closes it; its month is that of the slot before.
        slot = (lastSelectable != kLastSlot && last == lastSelectable && last > 0) ? last - 1 : last;
    } else {
        return QDate();
    }
    const int monthNo = SlotMonthNo(slot);
    if (monthNo == 0)
        return QDate();
    return core::GetSimeDate(monthNo - 1, closingDay, periodStart);
}

QStringList BuildSummaryLines(const TSummaryInput& input)
{
    QStringList lines;
    lines << QStringLiteral("【連動元情報】");
    lines << QStringLiteral(" 会社名        : %1").arg(input.CompanyName);
    if (input.Nendo > 0)
        lines << QStringLiteral(" 会計年度      : %1 期").arg(input.Nendo);
    else
        lines << QStringLiteral(" 会計年度      : %1 期").arg(QStringLiteral("-"));
    lines << QStringLiteral(" 会計期間      : %1 ～ %2").arg(input.PeriodStartText, input.PeriodEndText);

    lines << QString() << QStringLiteral("【計算条件】");
    QString period = QStringLiteral(" 計算対象期間  : ")
                     + core::formatDateTime(QStringLiteral("yyyy年m月"), input.FirstMonth);
    if (!input.SameSlot)
        period += QStringLiteral(" ～ ") + core::formatDateTime(QStringLiteral("yy年m月"), input.LastMonth);
    lines << period;
    lines << (input.TaxMode == 1 ? QStringLiteral(" 消費税計算区分: 税抜き") : QStringLiteral(" 消費税計算区分: 税込み"));

    lines << QString() << QStringLiteral("【中間ファイル】") << QStringLiteral(" ") + input.ExportFile;

    lines << QString() << QStringLiteral("【制約事項】")
          << QStringLiteral(" １）法人決算書＞個別注記表タブ＞テンプレートで「ヂル連動」選択時に限り、")
          << QStringLiteral(" 　　個別注記表の連動を行います。");
    return lines;
}

TOutputFileCheck CheckOutputFile(const QString& text)
{
    if (text.trimmed().isEmpty())
        return TOutputFileCheck::Empty;
    const QString name = fileNamePart(text);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return TOutputFileCheck::Empty;
    // The root of the Windows system drive is the root folder here.
    if (isAbsolute(text) && QDir::cleanPath(text.left(text.size() - name.size())) == QLatin1String("/"))
        return TOutputFileCheck::InRoot;
    return TOutputFileCheck::Ok;
}

QString ResolveExportFile(const QString& text, const QString& documentsDir)
{
    if (text.isEmpty() || isAbsolute(text) || documentsDir.isEmpty())
        return text;
    // Relative to the documents folder, where the summary says it goes, not to the current folder.
    QString folder = documentsDir;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder.endsWith(u'/') ? folder + text : folder + u'/' + text;
}

} // namespace taxlink
