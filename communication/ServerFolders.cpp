// Deleting relay folders, cloud-share lines and cash-book folders; releasing and checking out
// cloud-share lines.
#include "communication/DataTusinCtl.h"
#include "communication/RelayReply.h"
#include "communication/RelayRequest.h"
#include "core/Globals.h"
#include "core/ui/MessageService.h"

#include <optional>

namespace communication {

namespace {

const QString kNoData = QStringLiteral("選択したフォルダには、データは存在しません。");
const QString kDeleted = QStringLiteral("中継サーバーのデータを削除しました。");

void NetError(const QString& text)
{
    core::showMessage(core::MessageKind::Error, Framed(text));
}

} // namespace

void TDataTusinCtl::DeleteServerData()
{
    const int row = view_.SelectedRow();
    if (row < 0 || row > 9)
        return;
    const QString folder = FolderText(row + 1);
    if (IsCloud()) {
        if (Cells[row][2].trimmed().isEmpty())
            return;
        if (ServerInfo[140 + row] == QStringLiteral("2")) {
            const QString who = ServerInfo[150 + row];
            if (who.isEmpty()) {
                core::showMessage(core::MessageKind::Information, QStringLiteral("現在使用中のため削除できません。 "));
            } else {
                bool number = false;
                const int code = who.left(4).trimmed().toInt(&number);
                core::showMessage(core::MessageKind::Information,
                                  QStringLiteral("現在使用中のため削除できません。\r\nオペレータコード: [ ")
                                      + (number ? QString::number(code) : QString()) + QStringLiteral(" ]\r\n")
                                      + QStringLiteral("オペレータ名:     [ ") + who.mid(4) + QStringLiteral(" ]\r\n")
                                      + QStringLiteral("コンピュータ名:   [ ") + ServerInfo[160 + row] + QStringLiteral(" ]"));
            }
            return;
        }
        if (!view_.ConfirmPassword(QString(), QString(), QString(), ServerInfo[120 + row]))
            return;
    } else {
        if (Cells[row][1].trimmed().isEmpty()) {
            core::showMessage(core::MessageKind::Information, Framed(kNoData), core::mbYes);
            return;
        }
        if (core::showMessage(core::MessageKind::Confirmation,
                              Framed(QStringLiteral("選択した中継サーバーのデータを削除します。実行しますか？")),
                              core::mbYesNo) != core::mrYes)
            return;
    }

    view_.BusyShow(QStringLiteral("削除中"), QStringLiteral("データ削除中…"));
    view_.SetBusyCursor(true);
    try {
        TRelayRequest request(IsCloud() ? QStringLiteral("1753") : QStringLiteral("1750"), ServerInfo[kServerInfoSerial],
                              CommunicationId());
        request.Plain("fSname", folder);
        const QString code = ResultCode(Exchange(request.Target()).Line(5));
        view_.BusyClose();
        if (code == QStringLiteral("000")) {
            const int lastCell = IsCloud() ? 7 : 6;
            for (int c = 1; c <= lastCell; ++c)
                Cells[row][c].clear();
            view_.SetNotTopmost(false);
            if (IsCloud()) {
                view_.SetExecuteKeysEnabled(true, false);
                core::showMessage(core::MessageKind::Information, Framed(QStringLiteral("クラウドシェアのデータを削除しました。")),
                                  core::mbYes);
                if (row + 1 == core::AccInf.CLOUD_LINE)
                    OwnLineDataName.clear();
            } else {
                core::showMessage(core::MessageKind::Information, Framed(kDeleted), core::mbYes);
            }
        } else {
            NetError(QStringLiteral("サーバーエラー(") + code + QLatin1Char(')'));
        }
    } catch (const std::exception&) {
        view_.BusyClose();
        NetError(QStringLiteral("サーバーに接続出来ません。"));
    }
    view_.SetBusyCursor(false);
}

void TDataTusinCtl::DeleteCashBookFolder(int kind)
{
    if (SyoriType == stServerCheck) {
        const int row = view_.SelectedRow();
        if (row < 0 || row > 9 || Cells[row][1].trimmed().isEmpty()) {
            core::showMessage(core::MessageKind::Information, Framed(kNoData), core::mbYes);
            return;
        }
    }
    view_.BusyShow(QStringLiteral("削除中"), QStringLiteral("データ削除中…"));
    view_.SetBusyCursor(true);
    try {
        TRelayRequest request(QStringLiteral("1750"), ServerInfo[kServerInfoSerial], CashBookId());
        request.Plain("fSname", FolderText(kind + 1));
        const QString code = ResultCode(Exchange(request.Target()).Line(5));
        view_.BusyClose();
        if (code == QStringLiteral("000")) {
            if (SyoriType == stServerCheck) {
                const int row = view_.SelectedRow();
                for (int c = 1; c <= 6; ++c)
                    Cells[row][c].clear();
                view_.SetNotTopmost(false);
                core::showMessage(core::MessageKind::Information, Framed(kDeleted), core::mbYes);
            }
        } else {
            NetError(QStringLiteral("サーバーエラー(") + code + QLatin1Char(')'));
        }
    } catch (const std::exception&) {
        view_.BusyClose();
        NetError(QStringLiteral("サーバーに接続出来ません。"));
    }
    view_.SetBusyCursor(false);
}

bool TDataTusinCtl::SetCloudShareFlag(int line, int share)
{
    TRelayRequest request(QStringLiteral("1730"), ServerInfo[kServerInfoSerial], CommunicationId());
    request.Plain("fSname", FolderText(line)).Plain("fShare", QString::number(share));
    request.Encoded("fOpName", OpNameEnc).Encoded("fPcName", PcNameEnc);
    const QString code = ResultCode(Exchange(request.Target()).Line(5)); // connection failures pass on
    if (code == QStringLiteral("000"))
        return true;
    if (code == QStringLiteral("920"))
        NetError(QStringLiteral("サーバーに接続出来ません、通信IDを確認して下さい。"));
    else
        NetError(QStringLiteral("サーバーエラー(") + code + QLatin1Char(')'));
    return false;
}

bool TDataTusinCtl::CloudShareCheckOut()
{
    TRelayRequest request(QStringLiteral("1833"), ServerInfo[kServerInfoSerial], CommunicationId());
    request.Plain("fSname", FolderText(core::AccInf.CLOUD_LINE));
    request.Encoded("fOpName", OpNameEnc).Encoded("fPcName", PcNameEnc);
    std::optional<TRelayReply> reply;
    try {
        reply.emplace(Exchange(request.Target()));
    } catch (const std::exception&) {
        view_.BusyClose();
        NetError(QStringLiteral("サーバーに接続出来ません。(完了処理)"));
        return false;
    }
    try {
        LineTime[0] = SeparatedTimeText(ValueFrom(reply->Line(5), 8));
        SrvTime = TimeOfText(LineTime[0]);
        const QString code = ResultCode(reply->Line(6));
        if (code != QStringLiteral("000")) {
            view_.BusyClose();
            NetError(QStringLiteral("完了処理サーバーエラー(") + code + QLatin1Char(')'));
            return false;
        }
        if (!SetCloudTime(SrvTime))
            core::showMessage(core::MessageKind::Error, QStringLiteral("ローカルデータの最終更新日付更新エラー"));
        return true;
    } catch (const std::exception&) {
        view_.BusyClose();
        NetError(QStringLiteral("受信完了処理エラー"));
        return false;
    }
}

} // namespace communication
