#include "controls/dialogs/MessageCatalogue.h"

#include <initializer_list>

namespace controls {

namespace {

struct Line {
    const char16_t* text;
    bool red = false;
};

void fill(TMessage2InfoRec& info, quint8 kind, const QString& caption, std::initializer_list<Line> lines,
          bool okCancel = false) {
    info.Kind = kind;
    info.Caption = caption;
    info.Buttons = okCancel ? core::mbOKCancel : core::MessageButtons(core::mbOK);
    size_t i = 0;
    for (const Line& line : lines) {
        info.Lines[i].Text = QString::fromUtf16(line.text);
        info.Lines[i].Color = line.red ? kColorRed : 0;
        ++i;
    }
}

// The three deletion confirmations differ in one word of their second line.
void fillDeletion(TMessage2InfoRec& info, const QString& itemWord) {
    fill(info, 3, QStringLiteral("内訳書の削除"),
         {{u"選択行の内訳を削除します、よろしいですか？"},
          {u"", true},
          {u"一時的に内訳書より削除したい場合は、残高を0円に訂正して印刷方法の[0円の明細を省略する]にチェックを", true},
          {u"入れてください。", true}},
         true);
    info.Lines[1].Text = QStringLiteral("注意）削除を行うと、内訳に記述してある%1などの情報は科目情報を取り込んでも記述されません。")
                             .arg(itemWord);
}

} // namespace

void ApplyMessageCatalogue(qint32 msgNo, TMessage2InfoRec& info) {
    InitMessage2Info(2, info);
    info.MsgNo = msgNo;
    const QString kakunin = QStringLiteral("確認");
    const QString jouhou = QStringLiteral("情報");
    switch (msgNo) {
    // Conditions of a data set.
    case 4112:
        fill(info, 3, kakunin,
             {{u"このデータはお使いのプログラムより新しいプログラムでデータ更新が行われています。"},
              {u"データを使用するにはプログラムのバージョンアップが必要となります。"},
              {u"続行してもよろしいですか？"},
              {u"（ウィルス対策ソフトをご利用中の場合は、該当ソフトを終了してください。）"}},
             true);
        break;
    case 4113:
        fill(info, 2, jouhou,
             {{u"このデータは「データの更新」処理を行うことが禁止されています。"},
              {u"データを選択したい場合は、「データ選択」画面の[情報]ボタンを押し「データの詳細情報」画面を開き"},
              {u"[データの更新: 禁止する]項目のチェックを外してください。"},
              {u"または、過去バージョンのプログラムを起動し選択してください。"}});
        break;
    case 4114:
        fill(info, 2, jouhou,
             {{u"このデータは「仕訳の入力」が禁止されています。"},
              {u"仕訳を入力するには、「データ選択」画面の[情報]ボタンを押し「データの詳細情報」画面を開き"},
              {u"[仕訳の入力: 禁止する]項目のチェックを外してください。"}});
        break;
    case 4128:
        fill(info, 2, jouhou,
             {{u"このデータは現金出納帳システムと通信しています。マスター情報の変更は、事前に現金出納帳システムから"},
              {u"送られた最新のデータを受信し、現金出納帳システム側の処理をストップさせてから行ってください。"},
              {u"マスター情報の変更後には必ず「現金出納帳マスター送信」を実行してください。"}});
        break;
    case 4144:
        fill(info, 3, QStringLiteral("エラー"),
             {{u"データ使用後検証の結果、このデータは破損している恐れがあります。"},
              {u"データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。"},
              {u"ご不明な点がございましたら、お問い合わせ先をご確認の上ご連絡下さい。"}});
        break;
    // Carried-forward details.
    case 8212:
        fill(info, 2, jouhou,
             {{u"過年度明細の取り込みが行われていません。"},
              {u"このデータに対して過年度明細を取り込むには以下の方法があります。"},
              {u"１）「過年度残高登録」の[仕訳取込]より過年度明細を取り込みます。"},
              {u"２）「繰越残高調整」で過年度明細を繰り越します。（前期のみ）"}});
        break;
    // Journal entries.
    case 268439568:
        fill(info, 2, jouhou, {{u"振替形式で作成された仕訳のため、訂正・削除を行うことはできません。"}});
        break;
    case 268439569:
        fill(info, 2, jouhou, {{u"この仕訳は他処理で作成された自動仕訳のため、自科目訂正を行うことはできません。"}});
        break;
    case 268439570:
        fill(info, 2, jouhou, {{u"振替形式で作成された仕訳が含まれているため、訂正・削除を行うことはできません。"}});
        break;
    // Linked items.
    case 268443664:
        fill(info, 3, kakunin,
             {{u"会計データと連動する項目を「上書き入力」に切り替えます。"}, {u"よろしいですか？"}}, true);
        break;
    case 268443665:
        fill(info, 3, kakunin,
             {{u"会計データと連動する項目を「自動取得」に切り替えます。"},
              {u"よろしいですか？"},
              {u"注意）上書き入力した項目は、会計データの集計値により書き換えられます。", true}},
             true);
        break;
    // Deletion of statement details.
    case 268447760: fillDeletion(info, QStringLiteral("名称")); break;
    case 268447761: fillDeletion(info, QStringLiteral("金融機関名")); break;
    case 268447762: fillDeletion(info, QStringLiteral("借入先")); break;
    // Consumption tax.
    case 268451856:
        fill(info, 2, jouhou,
             {{u"「基本設定」の「消費税＞一括税抜処理区分」に[処理する]が選択されているため、消費税処理区分を[税込]へは変更出来ません。"}});
        break;
    default: break;
    }
}

} // namespace controls
