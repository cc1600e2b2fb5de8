#pragma once
// The binary companion of ACCREG, ACCREG_BLOB_BINARY (FGROUP, FKEY, FTYPE, FVALUE): pictures
// ("画像", "BMP", "JPG": the bytes of the picture file) and memos ("メモ": CP932 lines, each
// ended by CR LF). Transactions as in AccReg.h.

#include <QString>
#include <QVariant>

namespace core {

inline const QString kBlobTypeGazou = QStringLiteral("画像");
inline const QString kBlobTypeBmp = QStringLiteral("BMP");
inline const QString kBlobTypeJpg = QStringLiteral("JPG");
inline const QString kBlobTypeMemo = QStringLiteral("メモ");

// A picture: the name of a new file in SystemDef.WorkDir that holds it ("accreg-" + the time as
// "yyyymmddhhnnss" + a unique suffix + ".bmp" for 画像 and BMP, ".jpg" for JPG), left for the
// caller. A memo: its text, every line followed by CR LF. No row or another type: an invalid
// QVariant.
QVariant funcGetAccRegBlob(const QString& group, const QString& key);

// A picture type: value names the file to store. "メモ": value is the text. The row is updated
// (type included) or inserted. Any other type, or a picture file that cannot be read, is
// refused with core::Exception before anything is written.
void funcPutAccRegBlob(const QString& group, const QString& key, const QString& type, const QVariant& value);

} // namespace core
