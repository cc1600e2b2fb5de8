// The forbidden consolidation pairs and the comparison of source and target information before
// a paste or restore.
#include "selection/DataMatchCheck.h"

#include "companydata/DataInfomation.h"
#include "controls/dialogs/DialogFont.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/dm/TDM.h"
#include "core/fileops/FileOperations.h"
#include "core/text/DateText.h"
#include "core/text/NumberText.h"
#include "core/ui/MessageService.h"


namespace selection {

using companydata::TDataInfomationRec;

namespace {

const QString kIdeographicSpace = QStringLiteral("　");

QString dateLine(const QString& text) {
    // A text that is not a date counts as the zero date.
    return core::FormatDateText(QStringLiteral("yyyy/mm/dd"), 2, core::StrToDateDefZero(text));
}

void addPair(QStringList& lines, const QString& verb, const QString& sourceText, const QString& targetText) {
    lines << QStringLiteral("　【%1元】：%2").arg(verb, sourceText);
    lines << QStringLiteral("　【%1先】：%2").arg(verb, targetText);
}

bool allEmpty(const TDataInfomationRec& rec) {
    return rec.Shougou.isEmpty() && rec.Kishu.isEmpty() && rec.Kimatu.isEmpty();
}

QDateTime dateTimeOf(const QString& text) {
    const QDate date = core::StrToDateDefZero(text);
    return date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
}

} // namespace

bool IsForbiddenKindPair(quint8 sourceKind, quint8 targetKind) {
    const bool targetConsolidated = targetKind == 1 || targetKind == 2;
    if ((sourceKind == 0 || sourceKind == 10) && targetConsolidated)
        return true;
    return (sourceKind == 1 && targetKind == 2) || (sourceKind == 2 && targetKind == 1);
}

QStringList ForbiddenPairLines() {
    return {
        QStringLiteral("以下のパターンの復元（貼付）は禁止されています。"),
        QStringLiteral(" ①通常データ       を 合算データ（合算本支店データ） へ"),
        QStringLiteral(" ②分散データ       を 合算データ（合算本支店データ） へ"),
        QStringLiteral(" ③合算データ       を 合算本支店データ へ"),
        QStringLiteral(" ④合算本支店データ を 合算データ へ"),
    };
}

QStringList DataMatchDetailLines(const QString& verb, const TDataInfomationRec& source, const TDataInfomationRec& target,
                                 bool standAlone) {
    QStringList lines;
    if (source.Shougou != target.Shougou) {
        lines << QStringLiteral("会社名に違いがありました。");
        addPair(lines, verb, source.Shougou, target.Shougou);
        lines << QString();
        if (standAlone && verb == kVerbRestore && (target.GassanKbn == 1 || target.GassanKbn == 2)) {
            lines << QStringLiteral("　注）") + verb + QStringLiteral("を続行した場合は配下の分散データは削除されます。");
            lines << QString();
        }
    }
    if (source.Kishu != target.Kishu) {
        lines << QStringLiteral("期首に違いがありました。");
        addPair(lines, verb, dateLine(source.Kishu), dateLine(target.Kishu));
        lines << QString();
    }
    if (source.Kimatu != target.Kimatu) {
        lines << QStringLiteral("期末に違いがありました。");
        addPair(lines, verb, dateLine(source.Kimatu), dateLine(target.Kimatu));
        lines << QString();
    }
    if (source.TotalSiwake < target.TotalSiwake) {
        lines << QStringLiteral("仕訳件数(修正・削除仕訳含む)が減っています。");
        addPair(lines, verb, core::IntToCommaStr(source.TotalSiwake) + QStringLiteral(" 件"),
                core::IntToCommaStr(target.TotalSiwake) + QStringLiteral(" 件"));
        lines << QString();
    }
    return lines;
}

TDataMatchCheck::TDataMatchCheck() {
    DirExists = [this](const QString& folder) {
        return core::fileops::DExist(core::RequireDM(), folder, ConnectMode);
    };
    MakeDir = [this](const QString& folder) {
        return core::fileops::MkDir(core::RequireDM(), folder, ConnectMode);
    };
    FileExists = [this](const QString& file) { return core::RequireDM().FExist(file, ConnectMode); };
    ReadTargetInfo = [this](const QString& folder, TDataInfomationRec& target) {
        companydata::TDataInfomation info;
        info.DataPlace = quint8(ConnectMode);
        info.RefreshIniFile(folder, QString());
        info.ReadIni(folder, target);
    };
    ShowDetailBox = [this](const controls::TMessageInfoRec& info) {
        controls::TMessageBox box(Owner ? Owner.data() : controls::DialogOwner());
        box.Kind = info.Kind;
        box.Caption = info.Caption;
        box.MainText = info.MainText;
        box.MainColor = info.MainColor;
        box.SetDetailLines(info.Details);
        box.AgreeCaption = info.AgreeCaption;
        box.WindowPosition = info.Position;
        box.Prepare(1);
        return controls::ShowFormModal(box);
    };
}

void TDataMatchCheck::closeProgress() {
    if (Progress && Progress->Shown())
        Progress->Close();
}

int TDataMatchCheck::CheckKindPair(const QString& verb, const TDataInfomationRec& source, const QString& targetFolder) {
    DetailLines.clear();
    SourceRecSet = false;
    if (targetFolder.isEmpty()) {
        core::showMessage(core::MessageKind::Warning, verb + QStringLiteral("先のデータパスが不正です。") + u'\r',
                          core::mbYes);
        return 0;
    }
    if (!DirExists(targetFolder)) {
        // A new folder holds nothing to compare with.
        MakeDir(targetFolder);
        return 1;
    }
    if (!FileExists(companydata::TDataInfomation::DataFileName(targetFolder)))
        return 1;

    TDataInfomationRec target;
    companydata::ClearDataInfoRec(target);
    ReadTargetInfo(targetFolder, target);

    if (IsForbiddenKindPair(source.GassanKbn, target.GassanKbn)) {
        closeProgress();
        DetailLines = ForbiddenPairLines();
        controls::TMessageInfoRec info;
        controls::InitMessageInfo(info);
        info.Kind = 1;
        info.Caption = QStringLiteral("警告");
        info.MainText = verb + QStringLiteral("先の合算データ区分が妥当ではありません。\rデータリストの空行を選んで処理を行って下さい。");
        info.Details = DetailLines;
        info.AgreeCaption.clear();
        ShowDetailBox(info);
        return 0;
    }

    const int result = CheckDataMatch(verb, source, target);
    if (result == 1 && verb == kVerbRestore) {
        SourceRec.Shougou = source.Shougou;
        SourceRec.Kishu = dateTimeOf(source.Kishu);
        SourceRec.Kimatu = dateTimeOf(source.Kimatu);
        SourceRec.VerText = source.VerName;
        SourceRec.Gassan = source.GassanKbn;
        SourceRecSet = true;
    }
    return result;
}

int TDataMatchCheck::CheckDataMatch(const QString& verb, const TDataInfomationRec& source,
                                    const TDataInfomationRec& target) {
    if (allEmpty(source)) {
        core::showMessage(core::MessageKind::Warning, verb + QStringLiteral("処理元のデータ情報が不正です。") + u'\r',
                          core::mbYes);
        return 0;
    }
    if (allEmpty(target)) {
        core::showMessage(core::MessageKind::Warning, verb + QStringLiteral("処理先のデータ情報が不正です。") + u'\r',
                          core::mbYes);
        return 0;
    }
    DetailLines = DataMatchDetailLines(verb, source, target, ConnectMode == 0);
    if (DetailLines.isEmpty())
        return 1;

    closeProgress();
    controls::TMessageInfoRec info;
    controls::InitMessageInfo(info);
    info.Kind = 2;
    info.Caption = QStringLiteral("データ照合チェックの結果");
    info.MainText = QStringLiteral("以下の項目に違いが検出されました。");
    info.AgreeCaption = QStringLiteral("データ%1処理の続行に同意します。").arg(verb);
    info.Details = DetailLines;
    return ShowDetailBox(info) == core::mrOk ? 1 : 0;
}

} // namespace selection
