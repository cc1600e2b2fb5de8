#include "cloudexchange/analysis/WebDbSqlDump.h"

#include "cloudexchange/analysis/WebDumpCatalogue.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/files/FolderTree.h"
#include "core/settings/AccReg.h"
#include "core/settings/SettingTypes.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTime>

namespace cloudexchange {

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");
const QString kSeparator = QStringLiteral("-- ") + QString(46, QLatin1Char('='));
const QString kWebMeetingGroup = QStringLiteral("ＷＥＢ会議設定");

// The six budget rules a company without any gets before its rules are sent.
const char* const kDefaultKihonRules[] = {
    "INSERT INTO DADUD_YOSAN_KIHONRULE(FKOMOKU,FROW,FKBN,FWARIAI,FSITE,FMEMO,FHIZUKE,FKINGAKU) VALUES('売上債権',1,'現金',100.0,0,'','1899/12/31',0)",
    "INSERT INTO DADUD_YOSAN_KIHONRULE(FKOMOKU,FROW,FKBN,FWARIAI,FSITE,FMEMO,FHIZUKE,FKINGAKU) VALUES('売上債権',2,'掛',0.0,2,'','1899/12/31',0)",
    "INSERT INTO DADUD_YOSAN_KIHONRULE(FKOMOKU,FROW,FKBN,FWARIAI,FSITE,FMEMO,FHIZUKE,FKINGAKU) VALUES('売上債権',3,'手形',0.0,2,'','1899/12/31',0)",
    "INSERT INTO DADUD_YOSAN_KIHONRULE(FKOMOKU,FROW,FKBN,FWARIAI,FSITE,FMEMO,FHIZUKE,FKINGAKU) VALUES('仕入債務',1,'現金',100,0.0,'','1899/12/31',0)",
    "INSERT INTO DADUD_YOSAN_KIHONRULE(FKOMOKU,FROW,FKBN,FWARIAI,FSITE,FMEMO,FHIZUKE,FKINGAKU) VALUES('仕入債務',2,'掛',0.0,2,'','1899/12/31',0)",
    "INSERT INTO DADUD_YOSAN_KIHONRULE(FKOMOKU,FROW,FKBN,FWARIAI,FSITE,FMEMO,FHIZUKE,FKINGAKU) VALUES('仕入債務',3,'手形',0.0,2,'','1899/12/31',0)",
};

const char* const kKihonRuleColumns = "SELECT FKOMOKU,FROW,FKBN,FWARIAI,FSITE,FMEMO,FHIZUKE,FKINGAKU FROM DADUD_YOSAN_KIHONRULE ";

// One operator-setting row after ACCREG: group, code, and the value (a number or a text).
struct OperatorRow {
    const char* group;
    const char* code;
    bool isText;
    qint32 number;
    QString text;
};

int bit(qint32 word, int n) { return (word >> n) & 1; }

QString quoted(const QString& text) { return QLatin1Char('\'') + text + QLatin1Char('\''); }

QString elapsedText(qint64 ms) { return QTime(0, 0).addMSecs(ms % 86400000).toString(QStringLiteral("hh:mm:ss")); }

} // namespace

TWebDbSqlDump::TWebDbSqlDump() {
    if (core::DM) {
        IBSQL.setDatabase(&core::DM->IBDatabaseDAT);
        IBSQL.setTransaction(&core::DM->IBTransactionDAT);
    }
    DataVersionText = core::SystemDef.DataBaseVersion;
    if (DataVersionText.isEmpty())
        DataVersionText = QStringLiteral("%1.%2.%3")
                              .arg(core::AccInf.DataMajor)
                              .arg(core::AccInf.DataMinor1)
                              .arg(core::AccInf.DataMinor2);
    DataTemplate = core::SystemDef.ProgramRoot + QStringLiteral("/init/zebrik_empty_data.sql");
    IndexTemplate = core::SystemDef.ProgramRoot + QStringLiteral("/init/zebrik_empty_index.sql");
    DumpPath = core::SystemDef.TempDir + QStringLiteral("/TallekZebrik_Sql/") + DumpFileName;
    JobLevel = core::AccInf.DATATYPE == 3 ? 1200 : 200;
}

TWebDbSqlDump::~TWebDbSqlDump() = default;

bool TWebDbSqlDump::from802() const {
    const core::TACCINF& a = core::AccInf;
    return a.DataMajor > 8 || (a.DataMajor == 8 && a.DataMinor1 != 0) ||
           (a.DataMajor == 8 && a.DataMinor1 == 0 && a.DataMinor2 >= 2);
}

bool TWebDbSqlDump::medical() const { return core::AccInf.DATATYPE == 3; }

bool TWebDbSqlDump::MakeDump() {
    if (DatabaseName.isEmpty())
        return false;
    if (QFileInfo::exists(DumpPath))
        QFile::remove(DumpPath);
    core::ForceFolder(QFileInfo(DumpPath).absolutePath());
    file_ = std::make_unique<QFile>(DumpPath);
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const QString reason = file_->errorString();
        file_.reset();
        throw core::Exception(reason + QStringLiteral("\r\n\"") + DumpPath + QStringLiteral("\"が使用中です。"));
    }
    bool written = false;
    try {
        writeFile();
        written = file_->flush();
        if (!written)
            throw core::Exception(file_->errorString());
    } catch (const std::exception& e) {
        const auto* ours = dynamic_cast<const core::Exception*>(&e);
        file_->close();
        file_.reset();
        core::ShowMessageWithDetail(QStringLiteral("SQLDumpファイルの作成に失敗しました。"),
                                    ours ? ours->message() : QString::fromUtf8(e.what()),
                                    core::MessageKind::Error);
        return false;
    }
    file_->close();
    file_.reset();
    return written;
}

void TWebDbSqlDump::writeText(const QString& text) {
    const QByteArray bytes = EncodeDumpLine(text);
    if (file_->write(bytes) != bytes.size())
        throw core::Exception(file_->errorString());
}

void TWebDbSqlDump::writeLine(const QString& text) { writeText(text + QString::fromLatin1(kCrLf)); }

void TWebDbSqlDump::writeSeparatorBlock(const QString& title) {
    writeLine(kSeparator);
    writeLine(title);
    writeLine(kSeparator);
    writeLine(QString());
}

void TWebDbSqlDump::writeTemplate(const QString& path) {
    QFile templ(path);
    if (!templ.open(QIODevice::ReadOnly))
        throw core::Exception(QStringLiteral("テンプレートファイル\"%1\"を開けません。\r\n%2").arg(path, templ.errorString()));
    QByteArray content = templ.readAll();
    content.replace("\r\n", "\n");
    if (content.endsWith('\n'))
        content.chop(1);
    TemplateList = content.isEmpty() ? QStringList() : QString::fromUtf8(content).split(QLatin1Char('\n'));
    // The template's bytes are copied as they are; only the line ends become CR LF.
    for (const QByteArray& line : content.isEmpty() ? QList<QByteArray>() : content.split('\n')) {
        if (file_->write(line + kCrLf) != line.size() + 2)
            throw core::Exception(file_->errorString());
    }
    writeLine(QString());
}

void TWebDbSqlDump::writeFile() {
    QElapsedTimer elapsed;
    elapsed.start();
    const QDateTime started = QDateTime::currentDateTime();
    writeLine(QStringLiteral("-- "));
    writeLine(QStringLiteral("-- Web Zebrik DataBase Dump"));
    writeLine(QStringLiteral("--   Application     : %1 (%2)").arg(core::SystemDef.AppName, core::SystemDef.AppVersion));
    writeLine(QStringLiteral("--   DataBase Version: ") + DataVersionText);
    writeLine(QStringLiteral("--   Creation File   : ") + DumpPath);
    writeLine(QStringLiteral("--   Creation Date   : ") + started.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")));
    writeLine(QStringLiteral("--   mysql importline: mysql.exe -u root < \"") + DumpPath + QLatin1Char('"'));
    writeLine(QStringLiteral("-- "));
    writeLine(QString());
    const QString name = QLatin1Char('`') + DatabaseName + QLatin1Char('`');
    writeLine(QStringLiteral("DROP DATABASE /*!32312 IF EXISTS*/ ") + name + QLatin1Char(';'));
    writeLine(QStringLiteral("CREATE DATABASE /*!32312 IF NOT EXISTS*/ ") + name +
              QStringLiteral(" /*!40100 DEFAULT CHARACTER SET utf8 COLLATE utf8_unicode_ci */;"));
    writeLine(QStringLiteral("USE ") + name + QLatin1Char(';'));
    writeLine(QString());
    writeSeparatorBlock(QStringLiteral("--  Table Create"));
    writeTemplate(DataTemplate);
    writeSeparatorBlock(QStringLiteral("--  ZaimuData Area"));

    core::TIBTransaction& transaction = core::DM->IBTransactionDAT;
    TransactionWasActive = transaction.inTransaction();
    // Leaving the scope on a failure rolls back what the dump started; the default budget rules
    // were committed on their own and stay.
    core::TransactionScope scope(transaction);
    for (const DumpSection& section : dumpSections())
        writeSection(section);
    scope.commit();

    writeSeparatorBlock(QStringLiteral("--  Index Create"));
    writeTemplate(IndexTemplate);
    writeLine(QString());
    writeLine(QStringLiteral("--   Created Time: ") + elapsedText(elapsed.elapsed()));
}

void TWebDbSqlDump::writeSection(const DumpSection& section) {
    switch (section.special) {
    case DumpSpecial::AccVersion: writeAccVersion(); return;
    case DumpSpecial::ChartInf: writeChartInf(section); return;
    case DumpSpecial::KihonRule: writeKihonRule(section); return;
    case DumpSpecial::KoseiGroup: writeKoseiGroup(section); return;
    case DumpSpecial::AccReg:
    case DumpSpecial::None: writePlainSection(section); return;
    }
}

void TWebDbSqlDump::writePlainSection(const DumpSection& section) {
    const QString table = QString::fromUtf8(section.table);
    writeLine(QStringLiteral("DELETE FROM ") + table + QLatin1Char(';'));
    const bool hasRows = !((section.flags & kFrom802) && !from802()) && !((section.flags & kMedicalOnly) && !medical());
    if (hasRows) {
        QString sql = sectionQuery(section, medical(), from802());
        if (section.special == DumpSpecial::AccReg &&
            core::funcGetAccReg(kWebMeetingGroup, QStringLiteral("ＷＥＢ会議を行う"), core::kTypeSeisuu,
                                QStringLiteral("0")).toInt() == 0)
            sql.replace(QStringLiteral(" ORDER BY "), QStringLiteral(" WHERE AGROUP<>'ＷＥＢ会議設定' ORDER BY "));
        IBSQL.close();
        IBSQL.sql() = QStringList{sql};
        if (IBSQL.paramCount() > 0)
            IBSQL.paramByName(QStringLiteral("LEVELNO")).setInteger(JobLevel);
        IBSQL.execQuery();
        int counter = 0;
        writeRows(sectionHead(section), parseDumpValues(section.values),
                  (section.flags & kHundredRows) ? RowsPerStatement : 0, 0, counter);
        IBSQL.close();
    }
    writeText(QString::fromLatin1(kCrLf));
    if (section.special == DumpSpecial::AccReg)
        writeAccRegOperatorRows();
}

int TWebDbSqlDump::writeRows(const QStringList& head, const std::vector<DumpValue>& values, int rowsPerStatement,
                             int maxRows, int& counter) {
    int written = 0;
    int inStatement = 0;
    while (!IBSQL.eof()) {
        if (inStatement == 0)
            for (const QString& line : head)
                writeLine(line);
        ++counter;
        const QString row = rowText(values, counter);
        ++written;
        ++inStatement;
        IBSQL.next();
        if (IBSQL.eof() || (maxRows > 0 && written == maxRows)) {
            writeText(row + QLatin1Char(';'));
            break;
        }
        if (rowsPerStatement > 0 && inStatement == rowsPerStatement) {
            writeLine(row + QLatin1Char(';'));
            inStatement = 0;
        } else {
            writeText(row + QLatin1Char(','));
        }
    }
    return written;
}

QString TWebDbSqlDump::rowText(const std::vector<DumpValue>& values, int counter) {
    QStringList parts;
    parts.reserve(int(values.size()));
    int fieldIndex = 0;
    for (const DumpValue& value : values) {
        switch (value.kind) {
        case DumpValueKind::Counter: parts << QString::number(counter); break;
        case DumpValueKind::Constant: parts << value.literal; break;
        case DumpValueKind::PrevPrevYearStart:
            parts << quoted(core::AccInf.PrevPrevYearStart.toString(QStringLiteral("yyyy/MM/dd")));
            break;
        case DumpValueKind::PrevYearStart:
            parts << quoted(core::AccInf.PrevYearStart.toString(QStringLiteral("yyyy/MM/dd")));
            break;
        default:
            // The query selects the read columns in the order of the value list.
            parts << FormatDumpValue(IBSQL.fields(fieldIndex++), value.kind, value.byteLength);
        }
    }
    return QLatin1Char('(') + parts.join(QLatin1Char(',')) + QLatin1Char(')');
}

void TWebDbSqlDump::writeAccRegOperatorRows() {
    const core::TSystemDef& d = core::SystemDef;
    const char* env = "環境設定";
    const char* kessan = "決算書";
    const OperatorRow rows[] = {
        {env, "証憑列表示区分", false, bit(d.Reserve4, 2), {}},
        {env, "支店毎連番表示区分", false, bit(d.Reserve4, 3), {}},
        {env, "３期比較年度出力順区分", false, bit(d.Reserve4, 10), {}},
        {env, "部門帳票２行印刷区分", false, d.SwkLine, {}},
        {env, "税額参考印刷区分", false, d.Reserve1, {}},
        {env, "元帳最終取引残高印刷区分", false, d.Reserve4Switch6, {}},
        {env, "元帳タイトル科目名称出力区分", false, d.LedgerTitleOut, {}},
        {env, "両面印刷罫線出力区分", false, d.BackRuling, {}},
        {env, "インデックス出力区分", false, d.LedgerTagMark, {}},
        {env, "名称金額出力区分", false, d.KingakuPlus, {}},
        {env, "試算表集計区分印刷区分", false, d.TrialTotalOut, {}},
        {env, "貸借対照表集計期間印刷区分", false, d.TrialPeriodOut, {}},
        {env, "負債の部改ページ区分", false, d.BsPageBreak, {}},
        {env, "試算表タイトル変更区分", false, d.TrialTitleOut, {}},
        {env, "試算表タイトル", true, 0, d.TrialTitle},
        {env, "２期試算表タイトル", true, 0, d.TrialTitle2},
        {env, "試算表貸借対照表", true, 0, d.BsTitles[0]},
        {env, "試算表資産の部", true, 0, d.AssetTitles[0]},
        {env, "試算表負債・純資産の部", true, 0, d.LiabilityTitles[0]},
        {env, "試算表損益計算書", true, 0, d.PlTitles[0]},
        {env, "試算表販売費・一般管理費", true, 0, QString()},
        {kessan, "損失金額△区分", false, d.SankakuPlus, {}},
        {kessan, "残高０円科目出力区分", false, d.ZeroPrint, {}},
        {kessan, "負債の部改ページ区分", false, bit(d.Reserve2, 0), {}},
        {kessan, "外枠可変区分", false, bit(d.Reserve2, 1), {}},
        {env, "試算表製造集計行出区", false, d.MakeTotalRow, {}},
    };
    for (const OperatorRow& row : rows) {
        const QString type = row.isText ? core::kTypeMoji : core::kTypeSeisuu;
        const QString value = row.isText ? quoted(EscapeSqlText(row.text)) : QString::number(row.number);
        writeLine(QStringLiteral("INSERT INTO ACCREG VALUES('%1','%2','%3',%4,'');")
                      .arg(QString::fromUtf8(row.group), QString::fromUtf8(row.code), type, value));
    }
}

void TWebDbSqlDump::writeAccVersion() {
    const core::TVersionTriple& v = core::WebDumpVersion;
    writeLine(QStringLiteral("DELETE FROM ACCVERSION;"));
    writeLine(QStringLiteral("INSERT INTO ACCVERSION(MAJOR,MINOR,REV,MEMO) VALUES"));
    writeLine(QStringLiteral("(%1,%2,%3,%4);")
                  .arg(v.Major)
                  .arg(v.Minor1)
                  .arg(v.Minor2)
                  .arg(FormatDumpDate(DumpValueKind::DateTime, QDateTime::currentDateTime())));
}

void TWebDbSqlDump::writeChartInf(const DumpSection& section) {
    writeLine(QStringLiteral("DELETE FROM CHARTINF;"));
    IBSQL.close();
    IBSQL.sql() = QStringList{sectionQuery(section, medical(), from802())};
    IBSQL.execQuery();
    if (IBSQL.eof()) {
        // The settings of a company that never stored its own chart settings.
        writeLine(QStringLiteral("INSERT INTO CHARTINF VALUES(100009999,0,0,0,0,16777215,0,3,2,255,16776960,16711680,65535,20,0,0,0,0,0,0);"));
        IBSQL.close();
        return;
    }
    int counter = 0;
    writeRows(sectionHead(section), parseDumpValues(section.values), 0, 0, counter);
    IBSQL.close();
    writeText(QString::fromLatin1(kCrLf));
}

void TWebDbSqlDump::writeKihonRule(const DumpSection& section) {
    writeLine(QStringLiteral("DELETE FROM DADUD_YOSAN_KIHONRULE;"));
    if (from802()) {
        IBSQL.close();
        IBSQL.sql() = QStringList{QStringLiteral("SELECT COUNT(FKOMOKU) AS RECCNT FROM DADUD_YOSAN_KIHONRULE")};
        IBSQL.execQuery();
        const qint64 count = IBSQL.fieldByName(QStringLiteral("RECCNT")).asInt64();
        IBSQL.close();
        if (count == 0) {
            for (const char* insert : kDefaultKihonRules) {
                IBSQL.sql() = QStringList{QString::fromUtf8(insert)};
                IBSQL.execSQL();
            }
            IBSQL.close();
            IBSQL.transaction()->commitRetaining();
        }
        const QStringList head = sectionHead(section);
        const std::vector<DumpValue> values = parseDumpValues(section.values);
        int fid = 0;
        const auto part = [&](const QString& where, const QString& order, int maxRows) {
            IBSQL.close();
            IBSQL.sql() = QStringList{QString::fromUtf8(kKihonRuleColumns) + where + QStringLiteral(" ORDER BY ") + order};
            IBSQL.execQuery();
            if (writeRows(head, values, 0, maxRows, fid) > 0)
                writeText(QString::fromLatin1(kCrLf));
            IBSQL.close();
        };
        part(QStringLiteral("WHERE (FKOMOKU<>'納税')AND(FKOMOKU<>'その他')"), QStringLiteral("FKOMOKU,FROW"), 0);
        writeLine(QStringLiteral("DELETE FROM DADUD_YOSAN_KIHONRULE WHERE (FKOMOKU='売上債権') AND (FKBN='設定単位');"));
        writeLine(QStringLiteral("DELETE FROM DADUD_YOSAN_KIHONRULE WHERE (FKOMOKU='仕入債務') AND (FKBN='設定単位');"));
        writeLine(QStringLiteral("DELETE FROM DADUD_YOSAN_KIHONRULE WHERE (FKOMOKU='未払金／未払費用');"));
        part(QStringLiteral("WHERE FKOMOKU='納税'"), QStringLiteral("FKOMOKU,FHIZUKE,FROW"), 10);
        part(QStringLiteral("WHERE FKOMOKU='その他'"), QStringLiteral("FKOMOKU,FHIZUKE,FROW"), 10);
    }
    writeText(QString::fromLatin1(kCrLf));
}

void TWebDbSqlDump::writeKoseiGroup(const DumpSection& section) {
    writeLine(QStringLiteral("DELETE FROM KAMOKU_KOSEI_GROUP;"));
    writeLine(QString());
    if (from802()) {
        IBSQL.close();
        IBSQL.sql() = QStringList{sectionQuery(section, medical(), true)};
        IBSQL.execQuery();
        int counter = 0;
        writeRows(sectionHead(section), parseDumpValues(section.values), 0, 0, counter);
        IBSQL.close();
    }
    writeLine(QStringLiteral("DELETE FROM KAMOKU_KOSEI_GROUP WHERE (FGNAME='未払金／未払費用');"));
}

} // namespace cloudexchange
