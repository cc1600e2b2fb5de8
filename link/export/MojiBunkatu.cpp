#include "link/export/MojiBunkatu.h"

#include "core/text/MojiBunkatu.h"

namespace taxreturn {

void TMojiBunkatu::Split(const QString& text)
{
    Clear();
    core::TMojiBunkatu splitter; // mode 0: the delimited-text rules
    splitter.Delimiter = Delimiter;
    splitter.Split(text);
    for (const QString& item : splitter.Items)
        Items.append(item);
    Count = int(Items.size());
}

QString TMojiBunkatu::GetItem(int index) const
{
    return index >= 0 && index < Count ? Items.at(index) : QString();
}

void TMojiBunkatu::Clear()
{
    Items.clear();
    Count = 0;
}

} // namespace taxreturn
