#pragma once
// The notes element of the intermediate file, ListNotesNonConsolidated: written for
// corporation data whose notes template setting names the tax-return link, from the notes
// reader's export list (stored items with their enclosing group items).

#include "link/export/NotesReader.h"
#include "link/export/XmlSaveDoc.h"

#include <QString>

namespace taxreturn {

// Company setting (ACCREG) that names the notes template, and the value that links the notes.
inline const QString kNotesSettingGroup = QStringLiteral("法人決算書");
inline const QString kNotesSettingKey = QStringLiteral("個別注記表テンプレート");
inline const QString kNotesSettingRendo = QStringLiteral("ヂル連動");
inline const QString kNoteLine = QStringLiteral("Line");

// The notes template setting of the open company ("文字", default empty; a missing row is
// inserted).
QString ReadNotesSetting();

// Reads the setting into notesSetting; when it is "ヂル連動" loads the reader's export list
// (kind 1, mode 2) and returns true. Database errors pass on.
bool LoadNotes(TChukihyoRendoIO& reader, QString& notesSetting);

// Appends ListNotesNonConsolidated under data with one element per list item, named by its
// XBRL key. A level-1 item goes under the notes element (or under the element of a stored
// root item written before it); a deeper item under the element of its nearest ancestor of a
// lower level that is written already. An item with a value holds "Line" elements: a text item
// one per line of the value, any other type one Line with the formatted value and CR LF.
void WriteNotesElement(TXmlSaveDoc& doc, IXMLNode data, const TChukihyoRendoIO& reader);

} // namespace taxreturn
