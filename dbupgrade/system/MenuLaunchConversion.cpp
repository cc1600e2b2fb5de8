#include "dbupgrade/system/MenuLaunchConversion.h"

#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/dm/TDM.h"
#include "core/settings/QueryFactory.h"
#include "core/text/SplitText.h"

namespace dbupgrade {

namespace {

std::vector<TMenuListRec> emptyLayout(int pages)
{
    std::vector<TMenuListRec> rows;
    rows.reserve(size_t(pages) * 20);
    for (int page = 1; page <= pages; ++page)
        for (int menu = 0; menu < 20; ++menu) {
            TMenuListRec row;
            row.Page = page;
            row.Menu = menu;
            rows.push_back(row);
        }
    return rows;
}

struct EditionOverride {
    qint32 menu;
    const char16_t* program;
    const char16_t* option;
};

// Page 1 of the partner edition's menu.
const EditionOverride kPartnerPage1[] = {
    {15, u"VxPashtelSiwake", u"SyoriType=1"},
    {17, u"VxKobetuIchiranhyo", u""},
    {18, u"VxKobetuMeisaihyo", u""},
    {19, u"VxKobetuMotocho", u""},
};

bool findIn(const std::vector<TMenuListRec>& table, qint32 page, qint32 menu, QString& programName, QString& option)
{
    for (const TMenuListRec& row : table)
        if (row.Page == page && row.Menu == menu) {
            programName = row.ProgramName;
            option = core::GetNameValueLine(row.Params, QStringLiteral("SyoriType"));
            return true;
        }
    return false;
}

} // namespace

const std::vector<TMenuListRec>& GeneralMenuTable()
{
    static const std::vector<TMenuListRec> table = emptyLayout(10);
    return table;
}

const std::vector<TMenuListRec>& ExtendedMenuTable()
{
    static const std::vector<TMenuListRec> table = emptyLayout(12);
    return table;
}

void FindOldMenuEntry(qint32 level, qint32 page, qint32 menu, QString& programName, QString& option)
{
    programName.clear();
    option.clear();
    if (level >= 1001) {
        findIn(ExtendedMenuTable(), page, menu, programName, option);
        return;
    }
    findIn(GeneralMenuTable(), page, menu, programName, option);
    if ((core::EditionFlag == 1 || core::EditionFlag == 2) && page == 1)
        for (const EditionOverride& o : kPartnerPage1)
            if (o.menu == menu) {
                programName = QString::fromUtf16(o.program);
                option = QString::fromUtf16(o.option);
            }
}

void ConvertMenuLaunch()
{
    std::unique_ptr<core::TIBSQL> reader = core::CreateIBSQL(QStringLiteral("ACCDEF"), 0);
    std::unique_ptr<core::TIBSQL> writer = core::CreateIBSQL(QStringLiteral("ACCDEF"), 0);
    if (!reader || !writer)
        throw std::runtime_error("no statement on the system database");
    reader->setParamCheck(false);
    reader->sql() << QStringLiteral("SELECT LEVELNO,PAGENO,MENUNO FROM JOBCONTROL")
                  << QStringLiteral("ORDER BY LEVELNO,PAGENO,MENUNO");
    writer->sql() << QStringLiteral("INSERT INTO JOBCONTROL2(LEVELNO,PROC_ID,PROC_OPTION)")
                  << QStringLiteral("VALUES(:LEVELNO,:PROC_ID,:PROC_OPTION)");
    reader->execQuery();
    for (; !reader->eof(); reader->next()) {
        const qint32 level = reader->fieldByName(QStringLiteral("LEVELNO")).asInteger();
        QString programName;
        QString option;
        FindOldMenuEntry(level, reader->fieldByName(QStringLiteral("PAGENO")).asInteger(),
                         reader->fieldByName(QStringLiteral("MENUNO")).asInteger(), programName, option);
        if (programName.isEmpty())
            continue;
        writer->paramByName(QStringLiteral("LEVELNO")).setInteger(level);
        writer->paramByName(QStringLiteral("PROC_ID")).setString(programName);
        writer->paramByName(QStringLiteral("PROC_OPTION")).setString(option);
        writer->execQuery();
    }
    reader->close();
    writer->close();
}

} // namespace dbupgrade
