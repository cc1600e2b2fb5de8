#pragma once
// The messages of the date and time edit, shown in its error box as they stand.

#include <QString>

namespace controls::datemsg {

inline const QString kMsgAllBlank = QStringLiteral("入力欄が全て空白です．　　");
inline const QString kMsgSomeBlank = QStringLiteral("空白の入力欄があります．　　");
inline const QString kMsgTime12 = QStringLiteral("時刻の入力可能な値は11時59分59秒までです．　　");
inline const QString kMsgTime24 = QStringLiteral("時刻の入力可能な値は23時59分59秒までです．　　");
inline const QString kMsgBadTime = QStringLiteral("時刻が正しくありません．　　");
inline const QString kMsgBefore1873 = QStringLiteral("1873年01月01日(明治6年01月01日)より前の日付は処理できません．　　");
inline const QString kMsgFrom2999 = QStringLiteral("2999年以降は元号に変換できません．　　");
inline const QString kMsgBadDate = QStringLiteral("日付が正しくありません（変換できません）．　　");
inline const QString kMsgBadValue = QStringLiteral("日付または時刻が正しくありません．　　");
inline const QString kMsgBadSetValue = QStringLiteral("正しくない日付時刻型の値がセットされました．　　");

} // namespace controls::datemsg
