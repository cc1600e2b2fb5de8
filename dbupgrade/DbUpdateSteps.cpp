#include "dbupgrade/DbUpdateSteps.h"

#include "dbupgrade/company/CompanySteps.h"
#include "dbupgrade/system/SystemSteps.h"

#include <QStringList>

#include <initializer_list>

namespace dbupgrade {
namespace {

// The lines of a description, separated by CR.
QString lines(std::initializer_list<QString> parts)
{
    return QStringList(parts).join(QLatin1Char('\r'));
}

bool isPartnerEdition(const StepTextContext& context)
{
    return context.editionFlag == 1 || context.editionFlag == 2;
}

void add(TArrayDbUpdateListRec& steps, qint32 major, qint32 minor1, qint32 minor2, qint32 backupFlag,
         const QString& title, const QString& description)
{
    TDbUpdateListRec step;
    step.Major = major;
    step.Minor1 = minor1;
    step.Minor2 = minor2;
    step.BackupFlag = backupFlag;
    step.Title = title;
    step.Description = description;
    steps.push_back(std::move(step));
}

// The texts the partner edition shows for its later steps instead of the standard ones.
const QString kPartnerTitle = QStringLiteral(u"機能強化および不具合修正");
const QString kPartnerDescription = QStringLiteral(u"１）機能強化および不具合の修正（詳しくはＨＰで確認ください）");

} // namespace

TArrayDbUpdateListRec BuildSystemSteps(const StepTextContext& context)
{
    const bool partner = isPartnerEdition(context);
    const QString& product = context.productTitle;
    TArrayDbUpdateListRec steps;
    steps.reserve(kSystemStepCount);

    add(steps, 0, 3, 1, 1, QStringLiteral(u"共有サーバー機能の追加"), QStringLiteral(u"共有サーバー機能を追加します。"));
    add(steps, 0, 3, 2, 0, QStringLiteral(u"電子帳簿用ユーザーの追加"), QStringLiteral(u"電子帳簿用ユーザーを追加します。"));
    add(steps, 0, 3, 3, 0, QStringLiteral(u"経営ゼブリクユーザーの追加"),
        QStringLiteral(u"経営ゼブリクユーザーを追加します。"));
    add(steps, 1, 0, 1, 0, QStringLiteral(u"データリスト上のデータフォルダ名を大文字に統一"),
        QStringLiteral(u"データリスト上のデータフォルダ名が大文字と小文字の混在表記のため全て大文字に統一します。"));
    add(steps, 3, 0, 0, 0, QStringLiteral(u"旧バージョンデータの更新を禁止する機能を追加"),
        QStringLiteral(u"旧バージョンデータの更新を設定により禁止することが可能になります。"));
    add(steps, 3, 0, 5, 0, QStringLiteral(u"データ合算機能の追加"), QStringLiteral(u"データの合算処理が可能になります。"));
    add(steps, 3, 0, 7, 0, QStringLiteral(u"処理コントロールデータの改修"),
        QStringLiteral(u"処理レベルによる処理コントロールのデータ関連性を改修します。"));
    add(steps, 4, 0, 0, 1, QStringLiteral(u"データ選択に会社コード列を追加 他"),
        lines({QStringLiteral(u"１）データ選択で会社コードをキーとした検索機能が利用可能となります。"),
               QStringLiteral(u"２）コード体系保存件数が20件へ拡張となります。")}));
    add(steps, 4, 0, 2, 1, QStringLiteral(u"データ選択でデータの破損検証"),
        QStringLiteral(u"１）データ選択でデータの破損を検証する機能が追加されます。"));
    add(steps, 5, 0, 0, 1, QStringLiteral(u"Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加"),
        QStringLiteral(u"１）Ｃ／Ｓ版でフォルダ毎にデータを管理する機能を追加する。"));
    if (partner)
        add(steps, 7, 0, 0, 0, QStringLiteral(u"個別原価管理機能の追加"), QStringLiteral(u"１）個別原価管理機能を追加する。"));
    else
        add(steps, 7, 0, 0, 0, product + QStringLiteral(u"１５のデータ形式に変換"),
            QStringLiteral(u"１）") + product + QStringLiteral(u"１５のデータ形式に変換する。"));
    add(steps, 7, 0, 4, 0, QStringLiteral(u"消費税・特定課税仕入れ に対応"),
        QStringLiteral(u"１）特定課税仕入れの取引 に対応します。"));
    add(steps, 8, 0, 0, 1, QStringLiteral(u"マイナンバー制度に対応"), QStringLiteral(u"１）マイナンバー制度に対応しました。"));
    add(steps, 8, 0, 2, 1, QStringLiteral(u"メニューの起動管理方法を変更"),
        QStringLiteral(u"１）メニューの起動管理方法を変更しました。"));
    add(steps, 9, 0, 4, 1, QStringLiteral(u"仕訳帳、元帳の入力方法の管理項目を変更"),
        QStringLiteral(u"１）仕訳帳、元帳の入力方法の管理項目を変更しました。"));
    if (partner) {
        add(steps, 10, 0, 4, 1, kPartnerTitle, kPartnerDescription);
        add(steps, 11, 0, 1, 1, kPartnerTitle, kPartnerDescription);
        add(steps, 12, 0, 0, 1, kPartnerTitle, kPartnerDescription);
    } else {
        add(steps, 10, 0, 4, 1, QStringLiteral(u"オペレータの種類に承認者を追加"),
            QStringLiteral(u"１）オペレータの種類に承認者を追加しました。"));
        add(steps, 11, 0, 1, 1, QStringLiteral(u"新元号対応 他"),
            lines({QStringLiteral(u"１）新元号「令和」を追加しました。"), QStringLiteral(u"２）クラウドシェア機能を追加しました。")}));
        add(steps, 12, 0, 0, 1, QStringLiteral(u"仕訳入力の禁止設定"),
            QStringLiteral(u"１）仕訳入力を禁止にする設定を追加しました。※対象製品：タレック財務"));
    }
    for (TDbUpdateListRec& step : steps)
        step.UpdateProc = SystemStepProc({step.Major, step.Minor1, step.Minor2});
    return steps;
}

namespace {

// 0.1.1 to 2.0.4: texts the same in every edition.
void addEarlyDataSteps(TArrayDbUpdateListRec& steps)
{
    add(steps, 0, 1, 1, 1, QStringLiteral(u"減価償却処理を追加　他"),
        lines({QStringLiteral(u"1)減価償却処理用のテーブルを作成します。"),
               QStringLiteral(u"2)３期比較経営分析用のプロシジャーを作成します。")}));
    add(steps, 0, 1, 2, 1, QStringLiteral(u"当座残高調整表を追加"), QStringLiteral(u"当座残高調整表用のプロシジャーを作成します。"));
    add(steps, 0, 1, 3, 1, QStringLiteral(u"監査処理機能を追加"), QStringLiteral(u"監査処理用のテーブルを作成します。"));
    add(steps, 0, 1, 4, 1, QStringLiteral(u"キャッシュ・フロー計算書を追加"),
        QStringLiteral(u"キャッシュ・フロー計算書用のテーブルを作成します。"));
    add(steps, 0, 1, 5, 1, QStringLiteral(u"ページ辞書機能の仕様変更 他"),
        lines({QStringLiteral(u"1)補助または部門を削除したときに、削除対象の補助または部門がページ辞書仕訳に使用されていた場合に削除されないように仕様を変更しました。"),
               QStringLiteral(u"2)決算書の注記表「タイトルと会計期間を印刷する」のフィールドを追加しました。"),
               QStringLiteral(u"3)青色申告書用テーブルを作成します。")}));
    add(steps, 0, 2, 0, 0, QStringLiteral(u"タレック財務０９評価版 Ver0.2.0"),
        QStringLiteral(u"タレック財務０９評価版 Ver0.2.0データへ更新します。"));
    add(steps, 0, 2, 1, 1, QStringLiteral(u"過年度残高の修復 "), QStringLiteral(u"過年度残高を修復します。"));
    add(steps, 0, 2, 2, 1, QStringLiteral(u"科目マスタの構造変更 他"),
        lines({QStringLiteral(u"1)科目マスタの構造を変更します。"), QStringLiteral(u"2)キャッシュフロー項目を再作成します。"),
               QStringLiteral(u"3)青色申告決算書で上書入力に対応します。"), QStringLiteral(u"4)内訳書用テーブルを作成します。")}));
    add(steps, 0, 3, 0, 0, QStringLiteral(u"タレック財務０９評価版 Ver0.3.0"),
        QStringLiteral(u"タレック財務０９評価版 Ver0.3.0データへ更新します。"));
    add(steps, 0, 3, 1, 1, QStringLiteral(u"３期比較集計プログラムの更新 他"),
        lines({QStringLiteral(u"３期比較集計プログラムを更新します。"), QStringLiteral(u"基本情報に通信フォルダー列を追加します。")}));
    add(steps, 0, 3, 2, 0, QStringLiteral(u"電子帳簿用ユーザーの追加"), QStringLiteral(u"電子帳簿用ユーザーを追加します。"));
    add(steps, 0, 3, 3, 1, QStringLiteral(u"経営ゼブリク機能の追加 他"),
        lines({QStringLiteral(u"比較経営分析表の初期値を設定します。"), QStringLiteral(u"元入金の繰り入れ計算を更新します。")}));
    add(steps, 0, 3, 4, 1, QStringLiteral(u"特定科目コード取得プログラムの変更 他"),
        lines({QStringLiteral(u"特定科目コード取得プログラムを変更します。"), QStringLiteral(u"試算表用の当座資産分類コードを変更します。")}));
    add(steps, 0, 4, 0, 0, QStringLiteral(u"タレック財務０９評価版 Ver0.4.0"),
        QStringLiteral(u"タレック財務０９評価版 Ver0.4.0データへ更新します。"));
    add(steps, 0, 4, 1, 1, QStringLiteral(u"監査処理項目の変更"), QStringLiteral(u"監査処理の規定項目を変更します。"));
    add(steps, 1, 0, 0, 1, QStringLiteral(u"タレック財務０９ Ver1.0.0"), QStringLiteral(u"タレック財務０９ Ver1.0.0データへ更新します。"));
    add(steps, 1, 0, 1, 1, QStringLiteral(u"財務分析で期中開始データが適正に集計されない不具合を修正 他"),
        lines({QStringLiteral(u"１）財務分析で期中開始データが適正に集計されるように修正します。"),
               QStringLiteral(u"２）比較経営分析の科目内訳表示範囲を修正します。（経営ゼブリク）")}));
    add(steps, 1, 0, 2, 1, QStringLiteral(u"コンバートデータの減価償却資産の修復 他"),
        lines({QStringLiteral(u"１）コンバートデータの減価償却資産を修復します。"),
               QStringLiteral(u"２）前期末残高が正しいか評価し、異常があった場合は修復します。")}));
    add(steps, 1, 0, 3, 1, QStringLiteral(u"本・支店管理データの予算または過年度残高を調整 他"),
        lines({QStringLiteral(u"１）本・支店管理データの予算または過年度残高を調整します。"),
               QStringLiteral(u"２）定形試算表の共通部門集計を適正に処理出来るように修正します。")}));
    add(steps, 1, 0, 5, 1, QStringLiteral(u"合計残高試算表の集計項目名称の変更機能を追加"),
        QStringLiteral(u"１）合計残高試算表の集計項目名称の変更機能を追加します。"));
    add(steps, 2, 0, 0, 1, QStringLiteral(u"タレック財務１０のデータ形式に変換"),
        QStringLiteral(u"１）タレック財務１０のデータ形式に変換します。"));
    add(steps, 2, 0, 4, 1, QStringLiteral(u"出納帳スペシャル機能の追加"), QStringLiteral(u"１）出納帳スペシャル機能を追加します。"));
}

// 3.0.0 to 8.0.2: some titles name the product, a few texts differ in the partner edition.
void addMiddleDataSteps(TArrayDbUpdateListRec& steps, const StepTextContext& context)
{
    const bool partner = isPartnerEdition(context);
    const QString& product = context.productTitle;

    add(steps, 3, 0, 0, 1, QStringLiteral(u"タレック財務１１のデータ形式に変換"),
        QStringLiteral(u"１）タレック財務１１のデータ形式に変換します。"));
    add(steps, 3, 0, 1, 1, QStringLiteral(u"仕訳更新プログラムの改修"), QStringLiteral(u"１）仕訳の更新プログラムを改修します。"));
    add(steps, 3, 0, 3, 1, QStringLiteral(u"科目設定プログラムの改修 他"),
        lines({QStringLiteral(u"１）医療法人用の科目設定の更新プログラムを改修します。"),
               QStringLiteral(u"２）医療法人用の残高集計プログラムを改修します。")}));
    add(steps, 3, 0, 4, 1, QStringLiteral(u"現金出納帳の送受信処理の改修"),
        QStringLiteral(u"１）現金出納帳の送受信処理の更新プログラムを改修します。"));
    add(steps, 3, 0, 6, 1, QStringLiteral(u"医療法人データの既定科目数の増加 他"),
        QStringLiteral(u"１）医療法人データの既定の科目数を増やします。"));
    add(steps, 3, 0, 7, 1, QStringLiteral(u"医療法人データの施設グループ集計を追加 他"),
        lines({QStringLiteral(u"１）医療法人データの施設グループ集計を追加します。"), QStringLiteral(u"２）窓口日報の参照キーを変更します。"),
               QStringLiteral(u"３）支店比較パターンの保持情報を変更します。")}));

    add(steps, 4, 0, 0, 1, product + QStringLiteral(u"１２のデータ形式に変換"),
        lines({QStringLiteral(u"１）") + product + QStringLiteral(u"１２のデータ形式に変換します。"),
               QStringLiteral(u"２）過年度残高集計処理を高速化します。")}));
    add(steps, 4, 0, 2, 1, QStringLiteral(u"消費税の仕入税額控除制度における追加要件に対応 他"),
        lines({QStringLiteral(u"１）消費税の仕入税額控除制度における追加要件に対応します。"),
               QStringLiteral(u"２）還付申告書への「消費税の還付申告に関する明細書」に対応します。"),
               QStringLiteral(u"３）減価償却制度の平成23年12月改正に対応します。")}));
    add(steps, 5, 0, 0, 1, product + QStringLiteral(u"１３のデータ形式に変換"),
        QStringLiteral(u"１）") + product + QStringLiteral(u"１３のデータ形式に変換します。\r"));
    add(steps, 5, 0, 2, 1, QStringLiteral(u"法人・個人データの日報入力に対応 他"),
        QStringLiteral(u"１）法人・個人データの日報入力に対応します。"));
    add(steps, 5, 0, 5, 1, QStringLiteral(u"法人決算書の手形相殺機能に対応"), QStringLiteral(u"１）法人決算書の手形相殺機能に対応します。"));
    add(steps, 6, 0, 0, 1, product + QStringLiteral(u"１４のデータ形式に変換 他"),
        lines({QStringLiteral(u"１）") + product + QStringLiteral(u"１４のデータ形式に変換します。"),
               QStringLiteral(u"２）過年度残高に税込・税抜額の記録が可能になります。"),
               QStringLiteral(u"３）法人・個人データの製造原価報告書に外注費ブロックを追加します。")}));
    add(steps, 6, 1, 0, 1, product + QStringLiteral(u"１４ 消費税改正版のデータ形式に変換 他"),
        QStringLiteral(u"１）２０１４年４月の消費税改正 に対応します。\r"));
    add(steps, 6, 1, 3, 1, QStringLiteral(u"仕訳変更時の並び順の調整 他"),
        lines({QStringLiteral(u"１）決算同日仕訳変更時の並び順を調整します。"),
               QStringLiteral(u"２）定形試算表の販売費及び一般管理費の集計項目名称（縦）の入力文字数を拡張します。")}));

    QString description700 = lines({QStringLiteral(u"１）") + product + QStringLiteral(u"１５のデータ形式に変換します。"),
                                    QStringLiteral(u"２）「個人／農業」体系を新たに追加し、青色申告決算書（農業所得用）を作成します。")});
    if (partner)
        description700 += QStringLiteral(u"\r３）個別原価管理機能を新たに追加します。");
    add(steps, 7, 0, 0, 1, product + QStringLiteral(u"１５のデータ形式に変換 他"), description700);
    add(steps, 7, 0, 2, 1, QStringLiteral(u"簡易課税制度のみなし仕入率の見直し"),
        QStringLiteral(u"１）簡易課税制度のみなし仕入率の見直しに対応します。\r"));
    if (partner)
        add(steps, 7, 0, 3, 1, QStringLiteral(u"消費税試算表の仕訳帳ジャンプ機能の仕様変更"),
            QStringLiteral(u"１）消費税試算表の仕訳帳ジャンプ機能の仕様を変更しました。\r"));
    else
        add(steps, 7, 0, 3, 1, QStringLiteral(u"医療法人データの決算書レイアウトを変更"),
            QStringLiteral(u"１）医療法人データの決算書レイアウトを変更しました。\r"));
    add(steps, 7, 0, 4, 1, QStringLiteral(u"消費税・特定課税仕入れ に対応"),
        QStringLiteral(u"１）消費税申告書・付表の新様式に対応します。\r"));
    add(steps, 8, 0, 0, 1, product + QStringLiteral(u"１６のデータ形式に変換 他"),
        lines({QStringLiteral(u"１）") + product + QStringLiteral(u"１６のデータ形式に変換する。"),
               QStringLiteral(u"２）マイナンバー制度に対応する。")}));
    if (partner)
        add(steps, 8, 0, 2, 1, QStringLiteral(u"不具合修正"), QStringLiteral(u"１）不具合を修正（詳しくはＨＰで確認ください）"));
    else
        add(steps, 8, 0, 2, 1, QStringLiteral(u"予算管理機能強化"), QStringLiteral(u"１）法人データの予算管理を強化します。"));
}

// 8.0.3 to 15.0.0: the partner edition shows one common text for every one of them.
void addLateDataSteps(TArrayDbUpdateListRec& steps, const StepTextContext& context)
{
    const bool partner = isPartnerEdition(context);
    const QString& product = context.productTitle;
    auto addLate = [&](qint32 major, qint32 minor1, qint32 minor2, const QString& title, const QString& description) {
        if (partner)
            add(steps, major, minor1, minor2, 1, kPartnerTitle, kPartnerDescription);
        else
            add(steps, major, minor1, minor2, 1, title, description);
    };

    addLate(8, 0, 3, QStringLiteral(u"個人データの予算管理機能強化 他"),
            lines({QStringLiteral(u"１）個人データの予算管理を強化します。"),
                   QStringLiteral(u"２）決算書の個別注記表項目を「法人税のヂル」へ連動可能にします。")}));
    addLate(9, 0, 0, product + QStringLiteral(u"１７のデータ形式に変換"),
            QStringLiteral(u"１）") + product + QStringLiteral(u"１７のデータ形式に変換する。"));
    addLate(9, 0, 1, QStringLiteral(u"補助の削除処理障害に対応"), QStringLiteral(u"１）補助の削除処理が適正におこなえるように対応します。"));
    addLate(9, 0, 2, QStringLiteral(u"仕訳帳の法人全体参照時の機能強化 他"),
            lines({QStringLiteral(u"１）仕訳帳の法人全体参照時に仕訳登録や他支店への訂正が可能となります。"),
                   QStringLiteral(u"２）総勘定元帳の法人全体参照時に仕訳登録や他支店への訂正が可能となります。"),
                   QStringLiteral(u"３）仕訳モニターで法人全体の参照が可能となります。")}));
    addLate(9, 0, 3, QStringLiteral(u"法人全体試算表の科目内訳の取得方法を変更 他"),
            QStringLiteral(u"１）法人全体試算表の科目内訳の取得方法を変更しました。"));
    addLate(9, 0, 4, QStringLiteral(u"中期予算作成時の実績額の調整機能 他"),
            lines({QStringLiteral(u"１）中期予算作成時に実績額の調整が可能となります。"),
                   QStringLiteral(u"２）汎用仕訳データのインポートが可能となります。"),
                   QStringLiteral(u"３）フリーウェイ仕訳データのインポートが可能となります。"),
                   QStringLiteral(u"４）ページ辞書からの仕訳追加時にグループ化し登録します。")}));
    addLate(9, 0, 5, QStringLiteral(u"中期予算作成の一括調整機能の不具合修正"),
            QStringLiteral(u"１）中期予算作成の実績調整の一括調整機能の不具合を修正しました。"));

    addLate(10, 0, 0, QStringLiteral(u"試算表、分析表の印刷で出力科目の設定機能を追加 他"),
            lines({QStringLiteral(u"１）試算表、分析表の印刷で出力する科目が設定可能となりました。"),
                   QStringLiteral(u"２）法人決算書の製造原価報告書に当期製造費用行を追加しました。"),
                   QStringLiteral(u"３）繰越残高調整で前期データの内訳書を移行する機能を追加しました。"),
                   QStringLiteral(u"４）総勘定元帳の印刷時に総計行の出力の有無が選択可能となりました。")}));
    addLate(10, 0, 1, QStringLiteral(u"「取引明細ファイルのインポート」の追加 他"),
            lines({QStringLiteral(u"１）取引明細ファイルのインポートを日常処理に追加しました。"),
                   QStringLiteral(u"２）返済予定表を拡張機能に追加しました。"),
                   QStringLiteral(u"３）法人事業概況書の新様式に対応しました。（平成30年4月1日以後終了事業分）"),
                   QStringLiteral(u"４）資金繰実績表の機能を強化しました。（内訳の表示、印刷 他）"),
                   QStringLiteral(u"５）他社仕訳データのインポートで「ソリマチ会計王」に対応しました。"),
                   QStringLiteral(u"６）他社仕訳データのインポートで「エプソン財務応援」に対応しました。")}));
    addLate(10, 0, 3, QStringLiteral(u"「医療法人用決算届の新様式」に対応 他"),
            lines({QStringLiteral(u"１）医療法人用決算届の新様式に対応しました。"),
                   QStringLiteral(u"２）取引明細ファイルのインポートのマッピング項目を強化しました。"), QString()}));
    addLate(10, 0, 4, QStringLiteral(u"仕訳の承認機能の追加 他"),
            lines({QStringLiteral(u"１）日常処理に仕訳の承認機能を追加しました。"),
                   QStringLiteral(u"２）取引明細ファイルのインポートのマッピング項目を強化しました。"), QString()}));
    addLate(10, 0, 5, QStringLiteral(u"過去仕訳の検索時の不具合修正"), QStringLiteral(u"１）過去仕訳の検索時の不具合を修正しました。\r"));
    addLate(11, 0, 0, QStringLiteral(u"取引明細ファイルのインポートの強化 他"),
            lines({QStringLiteral(u"１）取引明細ファイルのインポートで設定条件に応じた仕訳が作成可能となりました。"),
                   QStringLiteral(u"２）取引明細ファイルのインポートで割り当てのない取引でも設定に応じて仕訳が作成可能となりました。"),
                   QStringLiteral(u"３）取引明細ファイルのインポートで全銀協規定フォーマット（改行なし）に対応しました。"),
                   QStringLiteral(u"４）総合比較損益計算書で棚卸の洗替設定が可能となりました。")}));
    addLate(11, 0, 1, QStringLiteral(u"「Pelmaro」データ送信の追加 他"),
            lines({QStringLiteral(u"１）「Pelmaro」へ過去データ、仕訳データが送信できるようになりました。"),
                   QStringLiteral(u"２）クラウドシェア機能を追加しました。"),
                   QStringLiteral(u"３）科目内訳書の新様式（平成31年4月以降終了事業年度）に対応しました。"),
                   QStringLiteral(u"４）月次監査報告書の仕訳重複の確認で対象項目が選択できるようになりました。"),
                   QStringLiteral(u"５）仕訳帳、元帳で選択行の合計金額が確認できるようになりました。。")}));
    // The one conversion step whose title does not start with the product title.
    addLate(11, 1, 0, QStringLiteral(u"１９ 消費税改正版のデータ形式に変換"), QStringLiteral(u"１）２０１９年１０月の消費税改正 に対応しました。"));
    addLate(12, 0, 0, QStringLiteral(u"販売管理ファイルの取り込み対応 他"),
            lines({QStringLiteral(u"１）取引明細ファイルのインポートで販売管理ファイルの取り込みが可能となりました。"),
                   QStringLiteral(u"２）青色申告決算書（一般用）の税制改正に対応しました。")}));
    addLate(13, 0, 0, QStringLiteral(u"青色申告決算書の改正 他"),
            lines({QStringLiteral(u"１）青色申告決算書の青色申告特別控除額の改正に対応しました。"),
                   QStringLiteral(u"２）取引明細ファイルのインポートの現金出納帳の取り込み設定を改善しました。"),
                   QStringLiteral(u"３）他社仕訳データのインポートでＯＢＣ勘定奉行の取り込みに対応しました。"),
                   QStringLiteral(u"４）消費税申告書内で金額割合を求める計算式を見直しました。"),
                   QStringLiteral(u"（他、詳しくはＨＰで確認ください）")}));
    addLate(13, 0, 3, QStringLiteral(u"「振替入力」画面を作成 他"),
            lines({QStringLiteral(u"１）振替伝票形式の入力画面を新たに作成しました。"),
                   QStringLiteral(u"２）一括入力画面の金額入力時に税額を即時に計算する様に変更しました。"),
                   QStringLiteral(u"３）仕訳帳、元帳の印刷で行見出しの年情報の出力形式を変更しました。"),
                   QStringLiteral(u"（他、詳しくはＨＰで確認ください）")}));
    addLate(14, 0, 0, QStringLiteral(u"摘要下段の文字制限を全角２０文字へ拡張 他"),
            lines({QStringLiteral(u"１）摘要下段の文字制限を全角２０文字へ拡張しました。"),
                   QStringLiteral(u"２）一括入力辞書の登録可能な分類数を100分類へ拡張しました。"),
                   QStringLiteral(u"３）日報入力の登録可能な摘要数を100摘要へ拡張しました。"),
                   QStringLiteral(u"４）部門データに限り、日報入力で摘要の表示非表示が設定可能となりました。"),
                   QStringLiteral(u"（他、詳しくはＨＰで確認ください）")}));
    addLate(15, 0, 0, QStringLiteral(u"【個人事業者用】消費税申告書の様式変更 他"),
            lines({QStringLiteral(u"１）【個人事業者用】消費税申告書の第一表、第二表の様式変更に対応しました。"),
                   QStringLiteral(u"２）法人全体かつ部門選択時の残高集計で使用科目列の作成方法を見直しました。"),
                   QStringLiteral(u"（他、詳しくはＨＰで確認ください）")}));
}

} // namespace

TArrayDbUpdateListRec BuildDataSteps(const StepTextContext& context)
{
    TArrayDbUpdateListRec steps;
    steps.reserve(kDataStepCount);
    addEarlyDataSteps(steps);
    addMiddleDataSteps(steps, context);
    addLateDataSteps(steps, context);
    for (TDbUpdateListRec& step : steps)
        step.UpdateProc = CompanyStepProc({step.Major, step.Minor1, step.Minor2});
    return steps;
}

} // namespace dbupgrade
