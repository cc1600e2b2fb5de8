#include "platform/Unlha.h"

#include "platform/lha/LhaReader.h"
#include "platform/lha/LhaWriter.h"

#include <QDir>
#include <QSaveFile>
#include <QStringList>

#include <memory>
#include <vector>

namespace platform {

namespace {

// Splits a command line at blanks; double quotes group a path that holds blanks.
QStringList splitCommandLine(const QString& commandLine) {
    QStringList words;
    QString word;
    bool quoted = false, inWord = false;
    for (const QChar c : commandLine) {
        if (c == u'"') {
            quoted = !quoted;
            inWord = true;
        } else if (c.isSpace() && !quoted) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

int failed(QString* output, const QString& text) {
    if (output)
        *output = text;
    return 1;
}

// Writes every file member under its stored name into the folder; each through a scratch file
// beside its target that takes the target's place only once the whole archive, down to its end
// mark, was read and every length and CRC matched.
int extract(const QString& archivePath, QString folder, QString* output) {
    while (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')))
        folder.chop(1);
    if (!QDir(folder).exists())
        return failed(output, QStringLiteral("folder not found: %1").arg(folder));

    lha::LhaReader reader(archivePath);
    if (!reader.open())
        return failed(output, reader.error());
    std::vector<std::unique_ptr<QSaveFile>> files;
    for (;;) {
        lha::Member member;
        const auto next = reader.next(member);
        if (next == lha::LhaReader::Next::Damaged)
            return failed(output, reader.error());
        if (next == lha::LhaReader::Next::End)
            break;
        if (member.isDirectory)
            continue;
        auto file = std::make_unique<QSaveFile>(QDir(folder).filePath(QFile::decodeName(member.fileName)));
        if (!file->open(QIODevice::WriteOnly))
            return failed(output, QStringLiteral("cannot write %1: %2").arg(file->fileName(), file->errorString()));
        const bool ok = reader.decode(member, [&file](const char* data, qint64 size) {
            return file->write(data, size) == size;
        });
        if (!ok)
            return failed(output, reader.error());
        files.push_back(std::move(file));
    }
    if (files.empty())
        return failed(output, QStringLiteral("no file in %1").arg(archivePath));
    QStringList written;
    for (auto& file : files) {
        if (!file->commit())
            return failed(output, QStringLiteral("cannot write %1: %2").arg(file->fileName(), file->errorString()));
        written << file->fileName();
    }
    if (output)
        *output = QStringLiteral("extracted: %1").arg(written.join(QStringLiteral(", ")));
    return 0;
}

} // namespace

int Unlha(const QString& commandLine, QString* output) {
    const QStringList words = splitCommandLine(commandLine);
    if (words.size() == 3 && words[0] == QStringLiteral("a"))
        return lha::packFile(words[1], words[2], output) ? 0 : 1;
    if (words.size() == 3 && words[0] == QStringLiteral("e"))
        return extract(words[1], words[2], output);
    return failed(output, QStringLiteral("unknown command: %1").arg(commandLine));
}

int UnlhaCheckArchive(const QString& archivePath, int /*mode*/) {
    // Every mode checks fully: each member decoded and its CRC compared, nothing written.
    lha::LhaReader reader(archivePath);
    if (!reader.open())
        return 0;
    int members = 0;
    for (;;) {
        lha::Member member;
        const auto next = reader.next(member);
        if (next == lha::LhaReader::Next::Damaged)
            return 0;
        if (next == lha::LhaReader::Next::End)
            return members > 0 ? 1 : 0;
        if (member.isDirectory)
            continue;
        if (!reader.decode(member, [](const char*, qint64) { return true; }))
            return 0;
        ++members;
    }
}

} // namespace platform
