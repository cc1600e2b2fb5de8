#include "link/export/EquitySettings.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/ExceptionText.h"
#include "core/settings/QueryFactory.h"
#include "core/ui/MessageService.h"
#include "link/export/ComDataExport.h"
#include "platform/IniFile.h"

#include <QDir>

namespace taxreturn {

const QStringList& EquityItemNames() {
    static const QStringList names = {
        QStringLiteral("資本金"), QStringLiteral("資本剰余金"), QStringLiteral("資本準備金"),
        QStringLiteral("その他資本剰余金"), QStringLiteral("利益剰余金"), QStringLiteral("利益準備金"),
        QStringLiteral("その他利益剰余金"), QStringLiteral("金属鉱業等鉱害防止準備金"),
        QStringLiteral("特定災害防止準備金"), QStringLiteral("特定都市鉄道整備準備金"),
        QStringLiteral("使用済核燃料再処理準備金"), QStringLiteral("原子力発電施設解体準備金"),
        QStringLiteral("異常危険準備金"), QStringLiteral("特別修繕準備金"), QStringLiteral("固定資産圧縮積立金"),
        QStringLiteral("特別償却準備金"), QStringLiteral("海外投資等損失準備金"), QStringLiteral("繰越利益剰余金"),
        QStringLiteral("自己株式"), QStringLiteral("評価・換算差額等"), QStringLiteral("その他有価証券評価差額金"),
        QStringLiteral("繰延ヘッジ損益"), QStringLiteral("土地再評価差額金"), QStringLiteral("新株予約権"),
        QStringLiteral("非支配株主持分"), kOwnEquityItem,
    };
    return names;
}

const QStringList& ChangeReasonNames() {
    static const QStringList names = {
        QStringLiteral("新株の発行"), QStringLiteral("自己株式の取得"), QStringLiteral("自己株式の処分"),
        QStringLiteral("自己株式の消却"), QStringLiteral("株主資本以外の項目の当期変動額（純額）"),
        QStringLiteral("特別償却準備金の積立"), QStringLiteral("特別償却準備金の取崩"), QStringLiteral("当期純利益"),
        QStringLiteral("剰余金の配当"), QStringLiteral("剰余金（その他資本剰余金）の配当"),
        QStringLiteral("固定資産圧縮積立金の積立"), QStringLiteral("固定資産圧縮積立金の取崩"),
        QStringLiteral("海外投資等損失準備金の積立"), QStringLiteral("海外投資等損失準備金の取崩"), kOwnChangeReason,
    };
    return names;
}

int IndexOfName(const QStringList& names, const QString& name) {
    return int(names.indexOf(name));
}

namespace {

// The error box of the two loads: the kind of failure, its text and two line breaks.
void ShowLoadError(const std::exception& e) {
    QString text;
    if (const auto* db = dynamic_cast<const core::EIBError*>(&e))
        text = QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽ ｴﾗｰ\r") + db->message() + QStringLiteral("\r\r");
    else
        text = QStringLiteral("例外エラー\r") + core::exceptionText(e) + QStringLiteral("\r\r");
    core::MessageRequest request;
    request.kind = core::MessageKind::Error;
    request.text = text;
    request.buttons = core::mbOK;
    core::messageService().showMessage(request);
}

// Runs a load on the company transaction: started only when none is active and then committed,
// also after an error; the error is shown and the load answers false.
template <typename Load>
bool RunLoad(Load load) {
    try {
        core::TransactionScope scope(core::RequireDM().IBTransactionDAT);
        try {
            load();
        } catch (...) {
            try {
                scope.commit();
            } catch (...) {
            }
            throw;
        }
        scope.commit();
        return true;
    } catch (const std::exception& e) {
        ShowLoadError(e);
        return false;
    }
}

std::unique_ptr<core::TIBQuery> CompanyQuery() {
    auto query = core::CreateIBQuery(QStringLiteral("ACCDAT"), false);
    if (!query)
        throw std::runtime_error("company database query unavailable");
    return query;
}

} // namespace

THojinZeiKabunusiSihonHendouKeisansyo::THojinZeiKabunusiSihonHendouKeisansyo(const QString& settingsFile)
    : settingsFile_(settingsFile) {}

QString THojinZeiKabunusiSihonHendouKeisansyo::SettingsFile() const {
    return settingsFile_.isEmpty() ? QDir(core::SystemDef.WorkDir).filePath(kDkRendoIni) : settingsFile_;
}

bool THojinZeiKabunusiSihonHendouKeisansyo::LoadAccounts() {
    KamokuItems.clear();
    const bool ok = RunLoad([this] {
        auto groups = CompanyQuery();
        auto names = CompanyQuery();
        groups->sql() << QStringLiteral("SELECT DISTINCT KS.KGROUP,KS.SUBREC,KS.KNAME1 FROM KAMOKUMST K")
                      << QStringLiteral("INNER JOIN EXTERKS KS ON (K.EXT1_KS = KS.REC)")
                      << QStringLiteral("WHERE (KS.KGROUP>='3000' AND KS.KGROUP<'4000') AND (K.USE=1)")
                      << QStringLiteral("ORDER BY KS.KGROUP,KS.SUBREC");
        names->sql() << QStringLiteral("SELECT K.KNAME FROM KAMOKUMST K")
                     << QStringLiteral("INNER JOIN EXTERKS KS ON (K.EXT1_KS = KS.REC)")
                     << QStringLiteral("WHERE (KS.KGROUP=:KGROUP AND KS.SUBREC=:SUBREC)");
        QString currentGroup;
        int runningNumber = 1;
        // The list grows with the data: a company may have any number of net-assets lines.
        for (groups->open(); !groups->eof(); groups->next()) {
            const QString kgroup = groups->fieldByName(QStringLiteral("KGROUP")).asString();
            const int subRec = groups->fieldByName(QStringLiteral("SUBREC")).asInteger();
            QString name = TComDataExport::RemoveBlanks(groups->fieldByName(QStringLiteral("KNAME1")).asString());
            if (name.isEmpty()) {
                names->paramByName(QStringLiteral("KGROUP")).setString(kgroup);
                names->paramByName(QStringLiteral("SUBREC")).setInteger(subRec);
                for (names->open(); !names->eof() && name.isEmpty(); names->next())
                    name = TComDataExport::RemoveBlanks(names->fieldByName(QStringLiteral("KNAME")).asString());
                names->close();
            }
            if (name.isEmpty())
                continue;
            if (kgroup != currentGroup) {
                currentGroup = kgroup;
                runningNumber = 1;
            }
            THojinZeiWariateItem item;
            item.Key = kgroup + QString::number(subRec);
            item.GroupKey = kgroup + QString::number(runningNumber);
            item.Name = name;
            item.KGroup = kgroup;
            item.SubRec = subRec;
            KamokuItems.append(item);
            ++runningNumber;
        }
        groups->close();
    });
    if (!ok)
        KamokuItems.clear();
    return ok;
}

bool THojinZeiKabunusiSihonHendouKeisansyo::LoadReasons() {
    JiyuuItems.clear();
    const bool ok = RunLoad([this] {
        auto query = CompanyQuery();
        query->sql() << QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM KES_HENDOUKEISAN")
                     << QStringLiteral("WHERE (JIYUU<>'')");
        query->open();
        JiyuuItems.reserve(query->fieldByName(QStringLiteral("RECCNT")).asInteger());
        query->close();
        query->sql().clear();
        query->sql() << QStringLiteral("SELECT REC,SORTKEY,JIYUU FROM KES_HENDOUKEISAN")
                     << QStringLiteral("WHERE (JIYUU<>'')") << QStringLiteral("ORDER BY SORTKEY");
        for (query->open(); !query->eof(); query->next()) {
            THojinZeiWariateItem item;
            item.Key = QString::number(query->fieldByName(QStringLiteral("REC")).asInteger());
            item.Name = query->fieldByName(QStringLiteral("JIYUU")).asString();
            JiyuuItems.append(item);
        }
        query->close();
    });
    if (!ok)
        JiyuuItems.clear();
    return ok;
}

void THojinZeiKabunusiSihonHendouKeisansyo::LoadSettings() {
    const platform::TIniFile ini(SettingsFile());
    SakuseiKubun = ini.ReadInteger(kSectionEquity, kKeySakuseiKubun, 1);
    for (auto& item : KamokuItems) {
        const QString value = ini.ReadString(kSectionEquity, kKeyKamokuPrefix + item.Key, QString());
        const int index = IndexOfName(EquityItemNames(), value);
        if (index >= 0) {
            item.WariateIndex = index;
            item.WariateName = value;
        }
    }
    for (auto& item : JiyuuItems) {
        const QString value = ini.ReadString(kSectionEquity, kKeyJiyuuPrefix + item.Key, QString());
        const int index = IndexOfName(ChangeReasonNames(), value);
        if (index >= 0) {
            item.WariateIndex = index;
            item.WariateName = value;
        }
    }
    MotochoKubun = ini.ReadInteger(kSectionLedger, kKeySakuseiKubun, 1);
}

void THojinZeiKabunusiSihonHendouKeisansyo::SaveSettings() {
    platform::TIniFile ini(SettingsFile());
    ini.WriteInteger(kSectionEquity, kKeySakuseiKubun, SakuseiKubun);
    // A line without an assignment loses its key, so that an assignment the operator cleared
    // does not come back from the file at the next load.
    for (const auto& item : KamokuItems) {
        if (item.WariateIndex >= 0 && item.WariateIndex < kEquityItemCount)
            ini.WriteString(kSectionEquity, kKeyKamokuPrefix + item.Key, EquityItemNames().at(item.WariateIndex));
        else
            ini.DeleteKey(kSectionEquity, kKeyKamokuPrefix + item.Key);
    }
    for (const auto& item : JiyuuItems) {
        if (item.WariateIndex >= 0 && item.WariateIndex < kChangeReasonCount)
            ini.WriteString(kSectionEquity, kKeyJiyuuPrefix + item.Key, ChangeReasonNames().at(item.WariateIndex));
        else
            ini.DeleteKey(kSectionEquity, kKeyJiyuuPrefix + item.Key);
    }
    ini.WriteInteger(kSectionLedger, kKeySakuseiKubun, MotochoKubun);
}

} // namespace taxreturn
