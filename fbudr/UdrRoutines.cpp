// The server routines of the plugin, as the schema declares them (ENGINE UDR, module
// "taxlink_udr"). Every routine answers a refusal or a failure with its "no" value (WBOOL 0,
// 0 or NULL) and never with a database error: everything that could throw is caught here, at
// the boundary to the engine, and the engine's own status is never touched. The file test
// "FEXIST" alone answers a refusal (-1) and a failure (-2) apart from "no file" (0).

#include "ServerFiles.h"
#include "UdrFramework.h"

#include <cctype>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

using taxlink_udr::ReplacingFile;
using taxlink_udr::ServerFiles;
using taxlink_udr::Status;
using taxlink_udr::VarChar;

constexpr unsigned kPathBytes = 4096; // VARCHAR(1024) CHARACTER SET UTF8
constexpr unsigned kWordBytes = 64;   // VARCHAR(16) CHARACTER SET UTF8
constexpr unsigned kChunk = 32 * 1024;

std::string upper(std::string word) {
    for (char& c : word)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return word;
}

// A status of our own for the engine calls of a routine, so that their failures stay ours.
class OwnStatus {
public:
    explicit OwnStatus(Firebird::IExternalContext* context) : wrapper_(context->getMaster()->getStatus()) {}
    ~OwnStatus() { wrapper_.dispose(); }
    OwnStatus(const OwnStatus&) = delete;
    OwnStatus& operator=(const OwnStatus&) = delete;
    Status* get() { return &wrapper_; }

private:
    Status wrapper_;
};

// The attachment and transaction the routine runs in, released at the end.
class Session {
public:
    Session(Firebird::IExternalContext* context, Status* status)
        : attachment(context->getAttachment(status)), transaction(context->getTransaction(status)) {}
    ~Session() {
        if (transaction)
            transaction->release();
        if (attachment)
            attachment->release();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Firebird::IAttachment* attachment;
    Firebird::ITransaction* transaction;
};

// An open blob: closed by close(), else cancelled (a new one) or closed quietly.
class BlobHandle {
public:
    BlobHandle(Status* status, Firebird::IBlob* blob) : status_(status), blob_(blob) {}
    ~BlobHandle() {
        if (!blob_)
            return;
        try {
            blob_->cancel(status_);
        } catch (...) {
        }
    }
    BlobHandle(const BlobHandle&) = delete;
    BlobHandle& operator=(const BlobHandle&) = delete;
    Firebird::IBlob* operator->() const { return blob_; }
    void close() {
        blob_->close(status_);
        blob_ = nullptr;
    }

private:
    Status* status_;
    Firebird::IBlob* blob_;
};

// The bytes of the file into a new blob; false when refused or failed (no blob then).
bool fileToBlob(Firebird::IExternalContext* context, const std::string& path, ISC_QUAD* id) {
    const int fd = ServerFiles::fromConfig().openForReading(path);
    if (fd < 0)
        return false;
    bool ok = false;
    try {
        OwnStatus status(context);
        Session session(context, status.get());
        BlobHandle blob(status.get(), session.attachment->createBlob(status.get(), session.transaction, id, 0, nullptr));
        char buffer[kChunk];
        ssize_t got;
        while ((got = read(fd, buffer, sizeof buffer)) > 0)
            blob->putSegment(status.get(), unsigned(got), buffer);
        if (got == 0) {
            blob.close();
            ok = true;
        }
    } catch (...) {
        ok = false;
    }
    close(fd);
    return ok;
}

// The blob into the file (written beside it and renamed into place when complete).
bool blobToFile(Firebird::IExternalContext* context, const std::string& path, ISC_QUAD id) {
    const auto target = ServerFiles::fromConfig().writeTarget(path);
    if (!target)
        return false;
    OwnStatus status(context);
    Session session(context, status.get());
    BlobHandle blob(status.get(), session.attachment->openBlob(status.get(), session.transaction, &id, 0, nullptr));
    ReplacingFile out(*target);
    if (!out.isOpen())
        return false;
    char buffer[kChunk];
    for (;;) {
        unsigned length = 0;
        const int result = blob->getSegment(status.get(), sizeof buffer, buffer, &length);
        if (result == Firebird::IStatus::RESULT_NO_DATA)
            break;
        if (result != Firebird::IStatus::RESULT_OK && result != Firebird::IStatus::RESULT_SEGMENT)
            return false;
        if (!out.write(buffer, length))
            return false;
    }
    blob.close();
    return out.commit();
}

struct WboolOut {
    ISC_LONG wbool;
    ISC_SHORT wboolNull;

    // Sets the answer; anything that goes wrong while finding it gives onFailure (a refusal, 0,
    // unless said otherwise), never an error of the database.
    template <typename Answer>
    void set(Answer answer, ISC_LONG onFailure = 0) {
        wboolNull = FB_FALSE;
        try {
            wbool = answer();
        } catch (...) {
            wbool = onFailure;
        }
    }
};

// FILEOPERATION(MODE, FILEPATH1, FILEPATH2) RETURNS (WBOOL): FEXIST, FCOPY, FDEL.
struct FileOperation {
    struct In {
        VarChar<kWordBytes> mode;
        ISC_SHORT modeNull;
        VarChar<kPathBytes> path1;
        ISC_SHORT path1Null;
        VarChar<kPathBytes> path2;
        ISC_SHORT path2Null;
    };
    using Out = WboolOut;
    static std::vector<taxlink_udr::Field> inFields() {
        return {TAXLINK_UDR_TEXT(In, mode, kWordBytes), TAXLINK_UDR_TEXT(In, path1, kPathBytes),
                TAXLINK_UDR_TEXT(In, path2, kPathBytes)};
    }
    static std::vector<taxlink_udr::Field> outFields() { return {TAXLINK_UDR_INTEGER(Out, wbool)}; }

    static int answer(const In* in) {
        if (in->modeNull || in->path1Null)
            return 0;
        const std::string word = upper(in->mode.text());
        const ServerFiles files = ServerFiles::fromConfig();
        if (word == "FEXIST")
            return static_cast<int>(files.fileState(in->path1.text()));
        if (word == "FCOPY")
            return !in->path2Null && files.copyFile(in->path1.text(), in->path2.text());
        if (word == "FDEL")
            return files.deleteFile(in->path1.text());
        return 0;
    }
    static void run(Firebird::IExternalContext*, const In* in, Out* out) {
        bool fileTest = false;
        try {
            fileTest = !in->modeNull && upper(in->mode.text()) == "FEXIST";
        } catch (...) {
        }
        out->set([in] { return answer(in); }, fileTest ? static_cast<ISC_LONG>(taxlink_udr::FileAnswer::Failed) : 0);
    }
};

// DIRECTORYTEST(MODE, FILEPATH1) RETURNS (WBOOL): DEXIST, MKDIR, RMDIR.
struct DirectoryTest {
    struct In {
        VarChar<kWordBytes> mode;
        ISC_SHORT modeNull;
        VarChar<kPathBytes> path1;
        ISC_SHORT path1Null;
    };
    using Out = WboolOut;
    static std::vector<taxlink_udr::Field> inFields() {
        return {TAXLINK_UDR_TEXT(In, mode, kWordBytes), TAXLINK_UDR_TEXT(In, path1, kPathBytes)};
    }
    static std::vector<taxlink_udr::Field> outFields() { return {TAXLINK_UDR_INTEGER(Out, wbool)}; }

    static int answer(const In* in) {
        if (in->modeNull || in->path1Null)
            return 0;
        const std::string word = upper(in->mode.text());
        const ServerFiles files = ServerFiles::fromConfig();
        if (word == "DEXIST")
            return files.folderExists(in->path1.text());
        if (word == "MKDIR")
            return files.makeFolder(in->path1.text());
        if (word == "RMDIR")
            return files.removeFolder(in->path1.text());
        return 0;
    }
    static void run(Firebird::IExternalContext*, const In* in, Out* out) {
        out->set([in] { return answer(in); });
    }
};

// LONGTOSHORTFILENAME(LONGNAME) RETURNS (SHORTNAME): there are no short names here, so the
// path comes back as it is. It touches no file and needs no root.
struct LongToShortFileName {
    struct In {
        VarChar<kPathBytes> longName;
        ISC_SHORT longNameNull;
    };
    struct Out {
        VarChar<kPathBytes> shortName;
        ISC_SHORT shortNameNull;
    };
    static std::vector<taxlink_udr::Field> inFields() { return {TAXLINK_UDR_TEXT(In, longName, kPathBytes)}; }
    static std::vector<taxlink_udr::Field> outFields() { return {TAXLINK_UDR_TEXT(Out, shortName, kPathBytes)}; }

    static void run(Firebird::IExternalContext*, const In* in, Out* out) {
        out->shortNameNull = in->longNameNull;
        out->shortName.length = 0;
        if (!in->longNameNull)
            out->shortName.set(in->longName.str, in->longName.length);
    }
};

// FILERENAME(FILEPATH1, FILEPATH2) RETURNS (WBOOL): renames a plain file, replacing the target.
struct FileRename {
    struct In {
        VarChar<kPathBytes> path1;
        ISC_SHORT path1Null;
        VarChar<kPathBytes> path2;
        ISC_SHORT path2Null;
    };
    using Out = WboolOut;
    static std::vector<taxlink_udr::Field> inFields() {
        return {TAXLINK_UDR_TEXT(In, path1, kPathBytes), TAXLINK_UDR_TEXT(In, path2, kPathBytes)};
    }
    static std::vector<taxlink_udr::Field> outFields() { return {TAXLINK_UDR_INTEGER(Out, wbool)}; }

    static void run(Firebird::IExternalContext*, const In* in, Out* out) {
        out->set([in]() -> int {
            if (in->path1Null || in->path2Null)
                return 0;
            return ServerFiles::fromConfig().renameFile(in->path1.text(), in->path2.text());
        });
    }
};

// SP_FILETOBLOB(FILEPATH) RETURNS BLOB: the bytes of the file; NULL when refused or failed.
struct FileToBlob {
    struct In {
        VarChar<kPathBytes> path;
        ISC_SHORT pathNull;
    };
    struct Out {
        ISC_QUAD content;
        ISC_SHORT contentNull;
    };
    static std::vector<taxlink_udr::Field> inFields() { return {TAXLINK_UDR_TEXT(In, path, kPathBytes)}; }
    static std::vector<taxlink_udr::Field> outFields() { return {TAXLINK_UDR_BLOB(Out, content)}; }

    static void run(Firebird::IExternalContext* context, const In* in, Out* out) {
        out->contentNull = FB_TRUE;
        try {
            if (!in->pathNull && fileToBlob(context, in->path.text(), &out->content))
                out->contentNull = FB_FALSE;
        } catch (...) {
            out->contentNull = FB_TRUE;
        }
    }
};

// SP_BLOBTOFILE(FILEPATH, CONTENT) RETURNS INTEGER: 1 when the file was written, else 0.
struct BlobToFile {
    struct In {
        VarChar<kPathBytes> path;
        ISC_SHORT pathNull;
        ISC_QUAD content;
        ISC_SHORT contentNull;
    };
    struct Out {
        ISC_LONG written;
        ISC_SHORT writtenNull;
    };
    static std::vector<taxlink_udr::Field> inFields() { return {TAXLINK_UDR_TEXT(In, path, kPathBytes), TAXLINK_UDR_BLOB(In, content)}; }
    static std::vector<taxlink_udr::Field> outFields() { return {TAXLINK_UDR_INTEGER(Out, written)}; }

    static void run(Firebird::IExternalContext* context, const In* in, Out* out) {
        out->writtenNull = FB_FALSE;
        out->written = 0;
        try {
            if (!in->pathNull && !in->contentNull)
                out->written = blobToFile(context, in->path.text(), in->content);
        } catch (...) {
            out->written = 0;
        }
    }
};

taxlink_udr::ProcedureFactory<FileOperation> fileOperationFactory;
taxlink_udr::ProcedureFactory<DirectoryTest> directoryTestFactory;
taxlink_udr::ProcedureFactory<LongToShortFileName> longToShortFactory;
taxlink_udr::ProcedureFactory<FileRename> fileRenameFactory;
taxlink_udr::FunctionFactory<FileToBlob> fileToBlobFactory;
taxlink_udr::FunctionFactory<BlobToFile> blobToFileFactory;

} // namespace

// The engine calls this once when it loads the module: the routines are registered by the
// names that follow the "!" of EXTERNAL NAME.
extern "C" FB_DLL_EXPORT FB_BOOLEAN* FB_UDR_PLUGIN_ENTRY_POINT(Firebird::IStatus* status, FB_BOOLEAN* theirUnloadFlag,
                                                                Firebird::IUdrPlugin* plugin) {
    Firebird::CheckStatusWrapper wrapper(status);
    plugin->registerProcedure(&wrapper, "fileoperation", &fileOperationFactory);
    plugin->registerProcedure(&wrapper, "directorytest", &directoryTestFactory);
    plugin->registerProcedure(&wrapper, "longtoshortfilename", &longToShortFactory);
    plugin->registerProcedure(&wrapper, "filerename", &fileRenameFactory);
    plugin->registerFunction(&wrapper, "sp_filetoblob", &fileToBlobFactory);
    plugin->registerFunction(&wrapper, "sp_blobtofile", &blobToFileFactory);

    // The engine sets our flag when it goes first; when the module goes first (its statics
    // destroyed), we set the engine's.
    struct UnloadDetector {
        FB_BOOLEAN engineGone;
        FB_BOOLEAN* moduleGone;
        ~UnloadDetector() {
            if (!engineGone)
                *moduleGone = FB_TRUE;
        }
    };
    static UnloadDetector detector{FB_FALSE, theirUnloadFlag};
    return &detector.engineGone;
}
