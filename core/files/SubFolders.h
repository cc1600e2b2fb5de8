#pragma once
// The sub-folders of a folder.

#include <QString>
#include <QStringList>

namespace core {

// Every folder entry of the folder except "." and ".." (hidden ones and links to folders
// included), in the order the file system lists them: the name alone when namesOnly, else
// folder + "/" + name. A blank or missing folder gives an empty list.
QStringList GetSubFolderList(const QString& folder, bool namesOnly);

} // namespace core
