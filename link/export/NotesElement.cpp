#include "link/export/NotesElement.h"

#include "core/settings/AccReg.h"
#include "core/settings/SettingTypes.h"
#include "link/export/IntermediateLayout.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace taxreturn {

namespace {

struct WrittenNote {
    IXMLNode element = nullptr;
    int level = 0;
};

// The lines of a text as the product's string list takes them: a break is CR LF, CR or LF, and
// a break at the very end opens no further line.
QStringList splitLines(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(breaks);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Where an item's element goes: under the element of its nearest ancestor (by Id) that is
// written already and has a lower level; a level-0 item under DATA; otherwise a level-1 item
// directly under the notes element, and so would a deeper one whose ancestors are missing.
IXMLNode parentElement(const TChukihyoRendoRec& item, const QHash<QString, WrittenNote>& written, IXMLNode data,
                       IXMLNode notes)
{
    if (item.Level <= 0)
        return data;
    for (QString id = item.ParentId; !id.isEmpty(); id = NoteParentId(id)) {
        const auto found = written.constFind(id);
        if (found != written.constEnd() && found->level < item.Level)
            return found->element;
    }
    return notes;
}

void writeValueLines(TXmlSaveDoc& doc, IXMLNode element, const TChukihyoRendoRec& item, const QString& text)
{
    const QStringList lines = splitLines(text);
    if (lines.isEmpty())
        return; // a group item has no value to show
    if (item.ValueType == kNoteTypeText) {
        for (const QString& line : lines)
            doc.AddTextNode(element, kNoteLine, {}, {}, line);
        return;
    }
    // One Line with the whole value, each line closed by CR LF (written as raw bytes).
    doc.AddTextNode(element, kNoteLine, {}, {}, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

} // namespace

QString ReadNotesSetting()
{
    return core::funcGetAccReg(kNotesSettingGroup, kNotesSettingKey, core::kTypeMoji, QString()).toString();
}

bool LoadNotes(TChukihyoRendoIO& reader, QString& notesSetting)
{
    notesSetting = ReadNotesSetting();
    if (notesSetting != kNotesSettingRendo)
        return false;
    reader.LoadNotesList(1, 2);
    return true;
}

void WriteNotesElement(TXmlSaveDoc& doc, IXMLNode data, const TChukihyoRendoIO& reader)
{
    IXMLNode notes = doc.AddNode(data, kElemNotes, {}, {});
    QHash<QString, WrittenNote> written;
    for (int i = 0; i < reader.Count; ++i) {
        const TChukihyoRendoRec item = reader.GetNoteItem(i);
        if (item.XbrlKey.isEmpty())
            continue;
        IXMLNode element = doc.AddNode(parentElement(item, written, data, notes), item.XbrlKey, {}, {});
        written.insert(item.Id, WrittenNote{element, item.Level});
        if (!item.Value.isEmpty())
            writeValueLines(doc, element, item, reader.FormatValue(item));
    }
}

} // namespace taxreturn
