#pragma once
// The Qt dialogs of the ShellDialogs service. Header-only on purpose: the core library links
// Qt Core alone, so this is compiled by the program, which links Qt Widgets and calls
// InstallQtOsServices() once at start-up.

#include "core/os/DpiScale.h"
#include "core/os/ShellDialogs.h"
#include "core/os/WindowHelpers.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QStringList>

namespace core {

class QtShellDialogs : public ShellDialogs {
public:
    // Qt's folder dialog cannot be confined to a root as the shell browser was; the root is
    // where it opens when there is no initial folder.
    std::optional<QString> browseFolder(const TFolderBrowseRequest& request) override {
        const QString start = request.InitialFolder.isEmpty() ? request.Root : request.InitialFolder;
        const QString folder = QFileDialog::getExistingDirectory(QApplication::activeWindow(), request.Title, start,
                                                                 QFileDialog::ShowDirsOnly);
        if (folder.isEmpty())
            return std::nullopt;
        return folder;
    }

    // No network neighbourhood to browse: the user types the computer's name.
    std::optional<QString> browseComputer(const QString& title) override {
        bool ok = false;
        const QString name =
            QInputDialog::getText(QApplication::activeWindow(), QString(), title, QLineEdit::Normal, QString(), &ok);
        if (!ok || name.trimmed().isEmpty())
            return std::nullopt;
        return name.trimmed();
    }

    std::optional<QString> runSaveDialog(const TSaveDialog& settings) override {
        QFileDialog dialog(QApplication::activeWindow(), settings.Title, settings.InitialDir);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        const QStringList filters = nameFilters(settings.Filter);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
            dialog.selectNameFilter(filters.value(settings.FilterIndex - 1, filters.first()));
        }
        dialog.setDefaultSuffix(settings.DefaultExt);
        if (!settings.FileName.isEmpty())
            dialog.selectFile(settings.FileName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().first();
    }

    // "Text|*.txt;*.csv|All|*.*" → "Text (*.txt *.csv)", "All (*.*)".
    static QStringList nameFilters(const QString& filter) {
        const QStringList fields = filter.split(u'|');
        QStringList filters;
        for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
            QString patterns = fields.at(i + 1);
            patterns.replace(u';', u' ');
            filters << fields.at(i) + QStringLiteral(" (") + patterns + u')';
        }
        return filters;
    }
};

// Installs the Qt dialogs and the density of the main window's screen for the whole run.
inline void InstallQtOsServices() {
    static QtShellDialogs dialogs;
    setShellDialogs(&dialogs);
    SetPixelsPerInchSource(&QtMainFormPixelsPerInch);
}

} // namespace core
