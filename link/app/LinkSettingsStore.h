#pragma once
// The round trip of the equity-statement link settings ("DkRendo.ini") through the open company
// database of the data module: after a data choice the stored text is written to the work
// folder's file, after the export the file goes back into the database. The text lives in
// ACCREG_BLOB_BINARY ("ヂル連動" / "設定情報", a memo); older data sets kept it in
// SISETUMST.XSTR7 of the facility ' ', from where it is moved on first use.

#include <QString>

namespace taxlink {

inline const QString kLinkSettingsGroup = QStringLiteral("ヂル連動");
inline const QString kLinkSettingsKey = QStringLiteral("設定情報");

// Moves old settings out of XSTR7 (the store and the emptying of XSTR7 commit together, so a
// failure leaves the old place as it was), then replaces the file at dkRendoPath (CP932) with
// the stored text, empty when nothing is stored. On a failure the error is shown, the file is
// removed (so that no other data set's settings stay behind) and the result is false.
bool LoadLinkSettings(const QString& dkRendoPath);

// Stores the text of the file at dkRendoPath in the company database. A missing or unreadable
// file stores nothing (the stored settings stay); the error is shown and the result is false.
bool StoreLinkSettings(const QString& dkRendoPath);

} // namespace taxlink
