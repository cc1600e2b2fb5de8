#pragma once
// The writer of the intermediate file: an XML document built in memory and saved as Shift_JIS
// (CP932). Every name, text and attribute value passes through XmlEscape on the way in, as the
// importer of the tax-return product expects; on output the document escapes its texts once
// more, so that a data "&" reaches the file as "&amp;amp;" (the doubled form). The switch
// DoubleEscape turns the second escape into a plain single escape.
//
// Layout of the saved bytes: the declaration, CR LF, then the root element; no other
// whitespace, an element without content written "<X/>".
//
// The document is held compactly, for journals of a million lines: element and attribute names
// once each, texts as the CP932 bytes they are written as (escaped once when added), elements in
// one flat store linked by index. Saving streams from there into the file.

#include "link/export/XmlTextStore.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <deque>
#include <vector>

class QIODevice;

namespace taxreturn {

struct TXmlNodeAttr {
    QString Name;
    QString Value;
};
using TXmlNodeAttrs = QList<TXmlNodeAttr>;

class TXmlSaveDoc;

// One element of the document. The document owns every element; the pointers it hands out stay
// valid for the document's life. The readers give what the document holds, escaped once.
class TXmlNode {
public:
    QString name() const;
    QString text() const;
    TXmlNodeAttrs attributes() const;
    std::vector<TXmlNode*> children() const;

private:
    friend class TXmlSaveDoc;
    friend class TXmlStreamWriter;
    static constexpr quint32 kNone = TXmlTextStore::kNone;

    TXmlNode(TXmlSaveDoc* doc, quint32 name) : doc_(doc), name_(name) {}

    TXmlSaveDoc* doc_;
    quint32 name_;
    quint32 text_ = kNone;
    quint32 firstAttr_ = kNone;
    quint32 firstChild_ = kNone;
    quint32 lastChild_ = kNone;
    quint32 next_ = kNone;
};
using IXMLNode = TXmlNode*;

// Replaces "&", then "<", ">", the double quote and "'" by their entity references.
QString XmlEscape(const QString& text);

class TXmlSaveDoc {
public:
    // standalone is written only when it is not empty.
    TXmlSaveDoc(const QString& version, const QString& encoding, const QString& standalone);
    virtual ~TXmlSaveDoc();
    TXmlSaveDoc(const TXmlSaveDoc&) = delete;
    TXmlSaveDoc& operator=(const TXmlSaveDoc&) = delete;

    // True (the default): the file carries the doubled form the importer has always received.
    bool DoubleEscape = true;

    // The document element; an empty namespace URI gives an element without namespace.
    IXMLNode CreateRoot(const QString& name, const QString& namespaceUri);
    // Appends an element under the parent (under the root when the parent is null); sets the one
    // attribute when its name is not empty.
    IXMLNode AddNode(IXMLNode parent, const QString& name, const QString& attrName, const QString& attrValue);
    // As AddNode with a text content (a null parent also means the root).
    void AddTextNode(IXMLNode parent, const QString& name, const QString& attrName, const QString& attrValue,
                     const QString& text);
    IXMLNode AddNodeAttrs(IXMLNode parent, const QString& name, const TXmlNodeAttrs& attrs);
    void AddTextNodeAttrs(IXMLNode parent, const QString& name, const QString& text, const TXmlNodeAttrs& attrs);

    IXMLNode DocumentElement() const { return root_; }

    // The file's bytes. Throws EDataExportError when a text holds a character CP932 cannot carry.
    QByteArray SaveToBytes() const;
    // Streams the bytes into a temporary file beside the target and renames it over the target
    // once complete, so a failure leaves an existing file as it was and no temporary file.
    // Throws EDataExportError.
    void SaveToFile(const QString& fileName) const;

protected:
    // Writes one piece of the stream to the device; false when the device refused it.
    virtual bool WriteChunk(QIODevice& device, const char* data, qint64 size) const;

private:
    friend class TXmlNode;
    friend class TXmlStreamWriter;

    // A text value: a reference into texts_, or (with the top bit) an index into unwritable_.
    static constexpr quint32 kUnwritable = TXmlTextStore::kLimit;

    struct Name {
        QString text;
        QByteArray bytes; // CP932; empty when the name has a character CP932 cannot carry
    };
    struct Attr {
        quint32 name;
        quint32 value;
        quint32 next = TXmlNode::kNone;
    };

    IXMLNode parentOrRoot(IXMLNode parent) const;
    IXMLNode newNode(const QString& name);
    // A new last child of the parent (of the root when the parent is null).
    IXMLNode appendChild(IXMLNode parent, const QString& name);
    quint32 internName(const QString& name);
    void setAttribute(TXmlNode& node, const QString& name, const QString& value);
    quint32 storeText(const QString& text);
    QString textOf(quint32 value) const;
    bool hasUnwritable() const;
    void stream(QIODevice& device) const;

    QString version_;
    QString encoding_;
    QString standalone_;
    IXMLNode root_ = nullptr;

    std::deque<TXmlNode> nodes_;
    std::vector<Attr> attrs_;
    std::vector<Name> names_;
    QHash<QString, quint32> nameIndex_;
    struct NameHint {
        const QChar* data = nullptr;
        quint32 index = 0;
    };
    std::array<NameHint, 64> nameHints_{};
    TXmlTextStore texts_;
    std::vector<QString> unwritable_; // escaped once; saving names the character
    QByteArray scratch_;
};

} // namespace taxreturn
